// The host interface: a freshly loaded library's state (read first, before
// any test changes it), capacity rules, the shared string routines, ChkPval;
// every export called with hostile but host-legal arguments, each pair of
// values of every two slots at least once: each call must return, remove its
// 16 argument bytes (32-bit Windows) and write only inside the storage its
// records describe; and refusals of the variable in p1.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "exports/export_table.h"
#include "host/capacity.h"
#include "host/strings.h"
#include "support/screen.h"
#include "support/ui.h"
#include "support/zortest.h"

namespace {

using zor::exports::Arg;
using zor::exports::ExportRow;
using Word = std::uintptr_t;
using Call = std::int32_t(ZOR_CALL*)(Word, Word, Word, Word);

ZT_EXPORT(ChkPval, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(CheckObjTable, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjTable, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetObjText, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DoPopup, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DestroyPopup, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FloatToString, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

constexpr std::int32_t kNone = static_cast<std::int32_t>(0x80000001u);

TEST(FreshState, NothingIsSetAtLoad) {
  for (std::int32_t r = -1; r <= 16; ++r) {
    zt::HostVar s = zt::HostVar::String(32);
    EXPECT_EQ(0, FloatToString(s, r, 8, 0)) << r;
    EXPECT_STREQ("0.00000000", s.text()) << r;
  }
  zt::TestWindow win;
  zt::WindowScreen screen(win.hwnd());
  // No check yet: 64 zero flags.
  zt::HostVar flags = zt::HostVar::Ints(64);
  flags.Fill(0x55);
  EXPECT_EQ(0, GetObjTable(flags, 0, 0, 0));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(0, flags.ints()[i]) << i;

  zt::HostVar text = zt::HostVar::Ints(4);
  EXPECT_EQ(kNone, GetObjText(text, 0, 0, 0));
  EXPECT_EQ(zor::kTypeString, text.rec()->type);

  // Every slot is free; showing one shows nothing.
  zt::Watchdog dog(60, "DoPopup on a free slot");
  for (std::int32_t slot = 0; slot < 8; ++slot) {
    EXPECT_EQ(kNone, DoPopup(screen, 10, 10, slot)) << slot;
    EXPECT_EQ(-1, DestroyPopup(256 + slot, 0, 0, 0)) << slot;
  }
  EXPECT_EQ(-1, DestroyPopup(0, 0, 0, 0));

  // No snapshot yet: it holds 64 zero handles, so every object is new.
  screen->objects[0] = 0x1234;
  screen->objects[9] = 0x5678;
  screen->objects[63] = 1;
  EXPECT_EQ(0, CheckObjTable(screen, 0, 0, 0));
  EXPECT_EQ(0, GetObjTable(flags, 0, 0, 0));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(i == 0 || i == 9 || i == 63, flags.ints()[i]) << i;
}

TEST(ChkPval, SizeWordsNegatedUnsignedWhateverTypeAndExtended) {
  zt::HostVar v = zt::HostVar::String(64, 3);
  v.rec()->lengths[0] = 7;
  v.rec()->lengths[3] = 40000;  // read unsigned, not as -25536
  for (int pass = 0; pass < 2; ++pass) {
    const std::int32_t words[] = {-7, -16, -3, -40000};
    for (std::int32_t k = 0; k < 4; ++k) EXPECT_EQ(words[k], ChkPval(v, k, 0, 0)) << k;
    v.SetExtended(99, 99);
    v.rec()->type = 4;
  }
  // Any other k reads nothing, not even the neighbouring extended word.
  v.rec()->extended = 0x7777;
  for (std::int32_t k : {5, -1, INT_MIN, INT_MAX}) EXPECT_EQ(0, ChkPval(v, k, 0, 0)) << k;
}

// 64-byte rows: row count N, extended, the extended record's words 2 and 3.
TEST(Capacity, TextLimitByteCapacityAndRowBytes) {
  const struct {
    std::uint32_t rows;
    std::int32_t extended, extRow, extCount;
    std::uint32_t textLimit, capacity;
  } cases[] = {{1, 0, 0, 0, 63, 64},   {0, 0, 0, 0, 63, 64},    {2, 0, 0, 0, 126, 128},
               {3, 0, 0, 0, 189, 192}, {1, 1, 32, 1, 127, 128}, {1, 1, 32, -5, 127, 128},
               {1, -1, 32, 4, 63, 64}};  // word 3 is signed; only extended > 0 counts
  for (auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(64, c.rows);
    v.SetExtended(c.extRow, c.extCount);
    v.rec()->extended = static_cast<std::int16_t>(c.extended);
    EXPECT_EQ(c.textLimit, zor::TextLimit(*v.rec())) << c.rows << " " << c.extended;
    EXPECT_EQ(c.capacity, zor::ByteCapacity(*v.rec())) << c.rows << " " << c.extended;
    EXPECT_EQ(64u, zor::RowBytes(*v.rec())) << c.rows << " " << c.extended;
    EXPECT_TRUE(zor::HasTextRoom(*v.rec()));
  }
  zt::HostVar empty = zt::HostVar::String(0);  // no byte for a terminator
  EXPECT_FALSE(zor::HasTextRoom(*empty.rec()));
}

// IntToDecimal is pinned by DecimalStr's table.
TEST(Strings, CopyAndAppend) {
  char a[16], b[16] = "";
  std::memset(a, 'x', sizeof a);
  EXPECT_EQ(a, zor::CopyString(a, "abc"));
  zor::AppendString(b, "abc");  // onto an empty text it equals a copy
  EXPECT_EQ(0, std::memcmp("abc", b, 4));
  EXPECT_EQ(0, std::memcmp(a, b, 4));
  zor::AppendString(a, "de");
  zor::AppendString(a, "");
  EXPECT_STREQ("abcde", a);
}

constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0xE5;

// Low memory with a guard zone before and after `bytes` usable bytes.
struct Guarded {
  explicit Guarded(std::size_t bytes) : size(bytes) {}
  ~Guarded() { zt::LowFree(base, size + 2 * kGuard); }
  std::uint8_t* data() const { return base + kGuard; }
  std::uint8_t* Reset(std::uint8_t fill) const {
    std::memset(base, kGuardByte, kGuard);
    std::memset(data(), fill, size);
    if (size > 0) data()[size - 1] = 0;
    std::memset(data() + size, kGuardByte, kGuard);
    return data();
  }
  bool Intact() const {
    for (std::size_t i = 0; i < kGuard; ++i)
      if (base[i] != kGuardByte || data()[size + i] != kGuardByte) return false;
    return true;
  }
  std::size_t size;
  std::uint8_t* base = static_cast<std::uint8_t*>(zt::LowAlloc(size + 2 * kGuard));
};

// A variable record whose storage is exactly what its size words claim; the
// record and its extended size words share one guarded block.
struct Var {
  Var(std::uint16_t t, std::int32_t r, std::int32_t n, int e)
      : type(t), rowSize(r), rows(n), extended(e) {}
  // 4 x R x M bytes, M = N when N > 1, else 1; nothing for a negative claim.
  static std::size_t Bytes(std::int32_t r, std::int32_t n) {
    if (r <= 0) return 0;
    return std::size_t(4) * std::size_t(r) * std::size_t(n > 1 ? n : 1);
  }
  zor::HspVar* rec() const { return reinterpret_cast<zor::HspVar*>(words.data()); }
  bool Intact() const { return storage.Intact() && words.Intact(); }
  zor::HspVar* Reset() {
    words.Reset(0);
    std::int32_t* ext = reinterpret_cast<std::int32_t*>(rec() + 1);
    rec()->type = type;
    if (extended == 0) {
      rec()->lengths[1] = std::uint16_t(rowSize), rec()->lengths[2] = std::uint16_t(rows);
    } else {  // the extended record holds the sizes
      rec()->extended = std::int16_t(extended);
      ext[2] = rowSize, ext[3] = rows;
    }
    rec()->data = zor::ToHostAddr(storage.data());
    rec()->extendedSizes = zor::ToHostAddr(ext);
    storage.Reset(0x41);
    return rec();
  }
  std::uint16_t type;
  std::int32_t rowSize, rows;
  int extended;
  Guarded storage{Bytes(rowSize, rows)}, words{sizeof(zor::HspVar) + 16};
};

constexpr std::int32_t kInts[] = {0, -1, 1, 63, 64, 255, 256, 32767, 65535, INT_MIN, INT_MAX};

// Calls an export with four arguments; returns the bytes it removed from
// the stack (measured on 32-bit Windows, where stdcall removes 16).
int Call4(void* fn, const Word* w) {
#if defined(_WIN32) && defined(__i386__)
  int removed;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "pushl 12(%2)\n\tpushl 8(%2)\n\tpushl 4(%2)\n\tpushl (%2)\n\t"
      "call *%1\n\t"
      "movl %%esp, %%eax\n\t"
      "subl %%esi, %%eax\n\t"
      "addl $16, %%eax\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(removed)
      : "r"(fn), "r"(w)
      : "esi", "ecx", "edx", "memory", "cc");
  return removed;
#else
  reinterpret_cast<Call>(fn)(w[0], w[1], w[2], w[3]);
  return 16;
#endif
}

TEST(HostileArguments, EveryExportReturnsAndWritesOnlyItsStorage) {
  // Variables of every type, shape and size claim, up to 1 MiB of storage
  // (larger claims would only slow the run: the same code paths take them).
  std::vector<std::unique_ptr<Var>> vars;
  const std::uint16_t types[] = {2, 4, 3};
  int next = 0;
  for (std::int32_t r : {0, 1, 2, 64, 65535})
    for (std::int32_t n : {0, 1, 3, 65535})
      if (Var::Bytes(r, n) <= (1u << 20))
        vars.push_back(std::make_unique<Var>(types[next++ % 3], r, n, 0));
  // Extended size records, honest and hostile (a negative `extended` is not consulted).
  const std::int32_t extended[][3] = {{16, 2, 1}, {0, 0, 1}, {-1, -1, 1}, {8, 1, -1}};
  for (std::uint16_t t : types)
    for (const auto& e : extended) vars.push_back(std::make_unique<Var>(t, e[0], e[1], e[2]));
  // Also a lone Shift-JIS lead byte at the end, control bytes, long texts.
  std::vector<std::string> strings = {"", "a", "abc\x82", "\x01\x02\x03\x04\x05\x06\x07"};
  for (std::size_t n : {4095, 4096, 70000}) strings.push_back(std::string(n, 'b'));
  // Screens of two sizes in both modes; variant i adds object handles and a
  // position.
  HWND stale = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(stale);
  std::vector<std::unique_ptr<zt::TestScreen>> screens;
  for (int w : {1, 33})
    for (bool pal : {true, false})
      screens.push_back(std::make_unique<zt::TestScreen>(w, w / 2 + 1, pal));
  const auto screen = [&](std::size_t i) {
    zor::HspScreen* s = screens[i % 4]->rec();
    const zor::HostAddr objects[] = {0, zor::HandleAddr(stale), 0x1234};
    for (auto& o : s->objects) o = objects[(i / 4) % 3];
    s->currentX = (i / 2) % 2 ? 5000 : 0;
    s->currentY = (i / 2) % 2 ? -7 : 0;
    return s;
  };
  // Left out: they wait for the user (menus, file dialogs, message boxes), or
  // sound for as long as they are told (Bell, PlayWave).
  const std::string leftOut =
      " DoPopup GetOpenFile GetSaveFile ExDialog PiDllAbout AboutMe DizezOzozoz Bell PlayWave"
      " DragWin ZorMinimize ";
  Guarded palette(zor::kHostPaletteBytes), textBuf(4096);
  palette.Reset(0x11);
  textBuf.Reset(0x22);
  zt::Watchdog watchdog(450, "the hostile-argument calls");

  long calls = 0, failed = 0;
  for (const ExportRow& row : zor::exports::kExports) {
    if (leftOut.find(" " + std::string(row.name) + " ") != std::string::npos) continue;
    void* const fn = zt::ResolveExport(row.name);
    std::size_t counts[4];
    for (int a = 0; a < 4; ++a) {
      const Arg k = row.p[a];
      counts[a] = k == Arg::Int      ? std::size(kInts)
                  : k == Arg::String ? strings.size()
                  : k == Arg::Var    ? vars.size()
                  : k == Arg::Screen ? 12
                                     : 1;
    }
    // Every pair of slots (a, b) through all their value pairs; the other
    // slots move along with the pair's index.
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b) {
        if (counts[a] == 1 && counts[b] == 1 && (a != 0 || b != 1)) continue;
        for (std::size_t i = 0; i < counts[a]; ++i)
          for (std::size_t j = 0; j < counts[b]; ++j) {
            std::size_t pick[4];
            for (int c = 0; c < 4; ++c) pick[c] = (i * 7 + j * 3 + c) % counts[c];
            pick[a] = i, pick[b] = j;
            Word w[4] = {0, 0, 0, 0};
            Var* var = nullptr;
            for (int c = 0; c < 4; ++c) {
              const Arg k = row.p[c];
              const std::size_t n = pick[c];
              if (k == Arg::Var) var = vars[n].get();
              if (k == Arg::Var) w[c] = reinterpret_cast<Word>(var->Reset());
              if (k == Arg::Int) w[c] = Word(std::uint32_t(kInts[n]));
              if (k == Arg::String) w[c] = reinterpret_cast<Word>(strings[n].c_str());
              if (k == Arg::Screen) w[c] = reinterpret_cast<Word>(screen(n));
              if (k == Arg::Palette) w[c] = reinterpret_cast<Word>(palette.Reset(0x11));
              if (k == Arg::TextBuf) w[c] = reinterpret_cast<Word>(textBuf.Reset(0x22));
            }
            const int removed = Call4(fn, w);
            ++calls;
            if (removed != 16 || (var != nullptr && !var->Intact()) || !palette.Intact() ||
                !textBuf.Intact()) {
              ++failed;
              ADD_FAILURE() << row.name << " removed " << removed << " bytes or wrote outside its"
                            << " storage, values " << pick[0] << "," << pick[1] << "," << pick[2]
                            << "," << pick[3];
            }
          }
      }
    zt::PumpMessages();
  }
  std::printf("hostile arguments: %ld calls, %ld failed\n", calls, failed);
  EXPECT_EQ(0, failed);
  EXPECT_GT(calls, 10000);
  std::remove("zt_hostile.lnk");
}

// Refusals for the variable in p1, checked in one table across the families:
// the status, and neither the storage nor the type changed. kind: 'i' an
// integer variable of n elements, 's' a string variable of n bytes, 'e' the
// same holding an empty text, 'z' a string variable whose row size word is 0,
// 't' a string variable of type 3; extended size words when extRows != 0.
// String slots get `text`, integer slots the values of `ints` in order.
TEST(Refusals, VariableTypeAndRoomTestedBeforeAnythingIsWritten) {
  // clang-format off
  const struct {
    const char* name;
    char kind;
    std::uint32_t n;
    std::int32_t status;
    const char* text = "a.b";
    std::int32_t ints[3] = {0, 0, 0};
      std::int32_t extRow = 0, extRows = 0;
  } cases[] = {
      {"UpperCase", 'i', 2, 6}, {"LowerCase", 'i', 2, 6}, {"UpperCaseF", 'i', 2, 6},
      {"LowerCaseF", 'i', 2, 6}, {"UpperCase", 'z', 0, 3}, {"LowerCase", 'z', 0, 3},
      {"UpperCaseF", 'z', 0, 3}, {"LowerCaseF", 'z', 0, 3}, {"UpperCase", 'e', 16, 3},
      {"LowerCase", 'e', 16, 3}, {"MapStr", 'i', 4, 6, "abc", {1}}, {"MapStr", 's', 16, 3, "", {1}},
      {"MapStr", 'z', 0, 3, "abc", {1}}, {"CheckFilename", 'i', 2, -1},
      {"CheckFilename", 'z', 0, -1}, {"NodeExt", 'i', 4, -1, "a.b", {3}},
      {"NodeExt", 'z', 0, -16, "a.b", {3}}, {"DecimalStr", 'i', 16, -1, "", {1, 1}},
      {"DecimalStr", 'z', 0, -2, "", {1, 1}}, {"DecimalStr", 's', 60, -2, "", {1, 1}, 64, 4},
      {"Hex2Int", 's', 16, -1, "12"}, {"GetCmdLine", 'i', 4, 6}, {"GetCmdLine", 'z', 0, 3, "", {1}},
      {"GetEnvVar", 'i', 4, 6, "PATH"}, {"GetEnvVar", 'z', 0, 3, "PATH"},
      {"GetEnvVar", 't', 16, 6, "PATH"}, {"GetShellDir", 'i', 64, 6}, {"GetShellDir", 'z', 0, 3},
      {"TriFunc", 's', 32, 6, "", {0, 900000, 100}}, {"TriFunc2", 's', 32, 6, "", {0, 900000, 100}},
      {"TriFuncA", 's', 32, 6, "", {0, 900000, 100}}, {"Root", 's', 32, -1, "", {0, 100}},
      {"GetAngle2", 's', 32, -1, "", {1}}, {"GetAngle2", 'i', 4, -2, "", {1}},
      {"GetAngle2", 'i', 4, -2, "", {1}, 8, 1},  // the extended record does not count
      {"GetSysColour", 'i', 2, 3, "", {1}}, {"GetSysColour", 's', 64, 6, "", {1}},
      {"GetForeWinSize", 'i', 3, -2}, {"GetForeWinSize", 's', 64, -1},
      {"GetObjTable", 's', 256, -1}, {"GetObjTable", 'i', 63, -2}, {"GetClipTxt", 'i', 16, -65535},
      {"GetClipTxt", 's', 16, 3, "", {}, 0, 1}, {"GetClipInfo", 's', 32, -65535},
      {"GetClipInfo", 'i', 4, 3}, {"GetClipInfo", 'i', 8, 3, "", {}, 2, 1}
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::string at = std::string(c.name) + " " + c.kind + std::to_string(c.n);
    const ExportRow* row = nullptr;
    for (const ExportRow& r : zor::exports::kExports)
      if (std::strcmp(r.name, c.name) == 0) row = &r;
    ASSERT_NE(nullptr, row) << at;
    zt::HostVar v = c.kind == 'i' ? zt::HostVar::Ints(c.n) : zt::HostVar::String(c.n ? c.n : 16);
    v.Fill('k');
    if (c.kind == 'e') v.text()[0] = 0;
    if (c.kind == 'z') v.rec()->lengths[1] = 0;
    if (c.kind == 't') v.rec()->type = 3;
    if (c.extRows != 0) v.SetExtended(c.extRow, c.extRows);
    const std::string before(reinterpret_cast<char*>(v.bytes()), v.storageBytes());
    const std::uint16_t type = v.rec()->type;
    Word w[4] = {reinterpret_cast<Word>(v.rec()), 0, 0, 0};
    for (int slot = 1, k = 0; slot < 4; ++slot) {
      if (row->p[slot] == Arg::String) w[slot] = reinterpret_cast<Word>(c.text);
      if (row->p[slot] == Arg::Int) w[slot] = Word(std::uint32_t(c.ints[k++]));
    }
    const Call call = reinterpret_cast<Call>(zt::ResolveExport(c.name));
    EXPECT_EQ(c.status, call(w[0], w[1], w[2], w[3])) << at;
    EXPECT_EQ(before, std::string(reinterpret_cast<char*>(v.bytes()), v.storageBytes())) << at;
    EXPECT_EQ(type, v.rec()->type) << at;
  }
}

}  // namespace
