// Every export, called with hostile but host-legal arguments chosen by the
// kind of each slot in the export table: each call must return, and must
// write only inside the storage its records describe (guard zones around
// every variable's storage, the palette and the text buffer are checked
// after each call). Slots are combined pairwise: every pair of values of
// every two slots occurs at least once. Then refusals of the variable in p1.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "exports/export_table.h"
#include "support/screen.h"
#include "support/ui.h"
#include "support/zortest.h"

namespace {

using zor::exports::Arg;
using zor::exports::ExportRow;
using zt::Word;

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

  long calls = 0;
  for (const ExportRow& row : zor::exports::kExports) {
    if (leftOut.find(" " + std::string(row.name) + " ") != std::string::npos) continue;
    const zt::WordCall call = zt::WordExport(row.name);
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
            call(w[0], w[1], w[2], w[3]);
            ++calls;
            EXPECT_TRUE((var == nullptr || var->Intact()) && palette.Intact() && textBuf.Intact())
                << row.name << " wrote outside its storage, values " << pick[0] << "," << pick[1]
                << "," << pick[2] << "," << pick[3];
          }
      }
    zt::PumpMessages();
  }
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
      {"UpperCase", 'i', 2, 6}, {"UpperCaseF", 'i', 2, 6}, {"UpperCase", 'z', 0, 3},
      {"UpperCaseF", 'z', 0, 3}, {"UpperCase", 'e', 16, 3}, {"MapStr", 'i', 4, 6, "abc", {1}},
      {"MapStr", 's', 16, 3, "", {1}}, {"MapStr", 'z', 0, 3, "abc", {1}},
      {"CheckFilename", 'i', 2, -1}, {"CheckFilename", 'z', 0, -1},
      {"NodeExt", 'i', 4, -1, "a.b", {3}}, {"NodeExt", 'z', 0, -16, "a.b", {3}},
      {"DecimalStr", 'i', 16, -1, "", {1, 1}}, {"DecimalStr", 'z', 0, -2, "", {1, 1}},
      {"DecimalStr", 's', 60, -2, "", {1, 1}, 64, 4}, {"Hex2Int", 's', 16, -1, "12"},
      {"GetCmdLine", 'i', 4, 6}, {"GetCmdLine", 'z', 0, 3, "", {1}},
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
    const zt::WordCall call = zt::WordExport(c.name);
    EXPECT_EQ(c.status, call(w[0], w[1], w[2], w[3])) << at;
    EXPECT_EQ(before, std::string(reinterpret_cast<char*>(v.bytes()), v.storageBytes())) << at;
    EXPECT_EQ(type, v.rec()->type) << at;
  }
}

}  // namespace
