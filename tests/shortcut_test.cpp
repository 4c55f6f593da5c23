// Shortcut files through the exports, read back through the exports and
// checked in the file's bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/ui.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(SetShortCutParam, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SetShortCutArg, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SetShortCutIcon, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SetShortCutShow, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FreeShortCutParam, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(CreateShortCut, const char*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(GetShortCutParam, zor::HspVar*, const char*, std::int32_t, std::int32_t);

using zt::HostVar;
using Ints = std::vector<std::int32_t>;
using namespace std::string_literals;

// Targets lie on a drive that does not exist (Q:): Wine's SetPath asks
// the mount manager about the target's volume, and in the test prefix that
// query can block for good; for a missing drive it is not made.
constexpr WORD kCtrlAltF = 0x0646;  // 'F' with HOTKEYF_CONTROL | HOTKEYF_ALT

HostVar Text(const std::string& s, std::uint32_t rowBytes = 256) {
  return zt::Strings({s}, rowBytes);
}

// One text setting of a link, "<status N>" when the read fails.
std::string ReadText(const std::string& link, std::int32_t setting) {
  HostVar v = HostVar::String(512);
  std::int32_t status = GetShortCutParam(v, link.c_str(), setting, 0);
  if (status != 0) return "<status " + std::to_string(status) + ">";
  EXPECT_EQ(zor::kTypeString, v.rec()->type) << setting;
  return v.text();
}

Ints ReadInts(const std::string& link, std::int32_t setting, std::size_t n) {
  HostVar v = HostVar::Ints(4);
  v.Fill(0x55);
  EXPECT_EQ(0, GetShortCutParam(v, link.c_str(), setting, 0)) << setting;
  EXPECT_EQ(zor::kTypeInt, v.rec()->type) << setting;
  return Ints(v.ints(), v.ints() + n);
}

// Every setting the exports read back: target|arguments|directory|icon file,
// then the show command and hot key in the file's header (offsets 0x3C and
// 0x40), the hot key as read and the icon index.
std::string Describe(const std::string& link) {
  const std::string file = zt::FileText(link);
  auto le = [&](std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | std::uint8_t(file.at(at + std::size_t(i)));
    return v;
  };
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "|show %u key %#x |", le(0x3C, 4), le(0x40, 2));
  std::string out = ReadText(link, 0) + "|" + ReadText(link, 1) + "|" + ReadText(link, 2) + "|" +
                    ReadText(link, 4) + numbers;
  for (std::int32_t k : ReadInts(link, 3, 4)) out += " " + std::to_string(k);
  return out + " | " + std::to_string(ReadInts(link, 5, 1)[0]);
}

class Shortcut : public testing::Test {
 protected:
  void SetUp() override {
    FreeShortCutParam(0, 0, 0, 0);
    before_ = zt::OpenHandleCount();
  }
  // Every call releases its COM objects and undoes its COM start-up.
  void TearDown() override {
    ZT_EXPECT_HANDLES(before_);
#if !defined(_WIN32)
    EXPECT_EQ(0, ZorStandinComInitDepth());
    EXPECT_EQ(0, ZorStandinLiveComObjects());
#endif
  }
  long before_ = -1;
};

// A sequence of setter calls and their statuses: each text setter refuses a
// second call until the parameters are cleared, and tests that before the
// variable's type.
TEST_F(Shortcut, SetterLifecycle) {
  HostVar s = Text("C:\\zt"), n = HostVar::Ints(4);
  enum Call { kParam, kArg, kIcon, kFree, kCreate };
  struct {
    Call call;
    bool text;
    std::int32_t status;
  } steps[] = {
      {kArg, false, 6},   {kParam, false, 6}, {kIcon, false, 6},  // nothing set yet
      {kParam, true, 0},  {kArg, true, 0},    {kArg, true, -1},   {kArg, false, -1},
      {kParam, true, -1}, {kIcon, true, 0},   {kIcon, false, -1}, {kFree, true, 0},
      {kArg, true, 0},    {kParam, true, 0},  {kCreate, true, 0}, {kArg, true, 0},
      {kParam, true, 0},  {kIcon, true, 0},
  };
  using Fn = std::int32_t (*)(zor::HspVar*);
  const Fn calls[] = {
      [](zor::HspVar* v) { return SetShortCutParam(v, 0, 0, 0); },
      [](zor::HspVar* v) { return SetShortCutArg(v, 0, 0, 0); },
      [](zor::HspVar* v) { return SetShortCutIcon(v, 0, 0, 0); },
      [](zor::HspVar*) { return FreeShortCutParam(7, 7, 7, 7); },
      [](zor::HspVar*) { return CreateShortCut("Q:\\zt\\t.exe", "zt_cycle.lnk", 0, 0); },
  };
  for (std::size_t i = 0; i < std::size(steps); ++i)
    EXPECT_EQ(steps[i].status, calls[steps[i].call](steps[i].text ? s.rec() : n.rec())) << i;
}

// Setters terminate the variable's first row at its last byte and keep a
// reference: the text at creation time is what the link gets.
TEST_F(Shortcut, SettersKeepReferences) {
  HostVar args = HostVar::String(16, 2), dir = Text("C:\\first", 12);
  args.Fill('x');
  ASSERT_EQ(0, SetShortCutArg(args, 0, 0, 0));
  EXPECT_EQ(0, args.text()[15]);
  args.SetText("/changed");
  ASSERT_EQ(0, SetShortCutParam(dir, 0, 0, 0));
  dir.SetText("C:\\second");
  ASSERT_EQ(0, CreateShortCut("Q:\\zt\\t.exe", "zt_ref.lnk", 0, 0));
  EXPECT_EQ("/changed", ReadText("zt_ref.lnk", 1));
  EXPECT_EQ("C:\\second", ReadText("zt_ref.lnk", 2));
}

// Each case sets the show command (or leaves it unset, -2), the hot key
// (only argument 3 of 1 or more sets it, to the low 16 bits) and the icon
// index (below 0 becomes 0), and creates a link. Without a setter but the
// show command, cleared again, the link holds only the target.
TEST_F(Shortcut, ShowCommandHotkeyAndIconIndex) {
  const std::string texts = "Q:\\zt\\t.exe|-a \"b c\"|C:\\zt\\work dir|C:\\zt\\a.ico|";
  struct {
    std::int32_t first, second, secondStatus;  // SetShortCutShow arguments; -2 no call
    std::int32_t key, enable, iconIndex;       // -2: no setter called
    std::string want;
  } cases[] = {
      {0, -2, 0, kCtrlAltF, 0, -4, texts + "show 5 key 0 | 0 0 0 0 | 0"},
      {1, -2, 0, 0x7F0646, 1, 7, texts + "show 7 key 0x646 | 70 0 1 1 | 7"},
      {2, -2, 0, 0x0170, 5, 0, texts + "show 3 key 0x170 | 112 1 0 0 | 0"},  // F1 with Shift
      {3, -2, 0, 0x0741, -1, -1, texts + "show 5 key 0 | 0 0 0 0 | 0"},
      {99, -2, 0, 0x0741, 1, 2, texts + "show 5 key 0x741 | 65 1 1 1 | 2"},
      {1, -1, -1, 0, 0, 0, texts + "show 7 key 0 | 0 0 0 0 | 0"},  // -1 keeps the last one
      {1, 2, 0, 0, 0, 0, texts + "show 3 key 0 | 0 0 0 0 | 0"},
      {-2, -2, 0, 0, 0, 0, texts + "show 1 key 0 | 0 0 0 0 | 0"},  // never set: the default
      {1, -2, 0, 0, 0, -2, "Q:\\zt\\t.exe||||show 1 key 0 | 0 0 0 0 | 0"},
  };
  HostVar dir = Text("C:\\zt\\work dir"), args = Text("-a \"b c\""), icon = Text("C:\\zt\\a.ico");
  for (const auto& c : cases) {
    // Messages, not SCOPED_TRACE: beside the shell's threads it crashes the emulated Wine.
    if (c.first != -2) {
      EXPECT_EQ(0, SetShortCutShow(c.first, 0, 0, 0)) << c.want;
    }
    if (c.second != -2) {
      EXPECT_EQ(c.secondStatus, SetShortCutShow(c.second, 0, 0, 0)) << c.want;
    }
    if (c.iconIndex != -2) {
      ASSERT_EQ(0, SetShortCutParam(dir, c.key, c.enable, 0)) << c.want;
      ASSERT_EQ(0, SetShortCutArg(args, 0, 0, 0)) << c.want;
      ASSERT_EQ(0, SetShortCutIcon(icon, c.iconIndex, 0, 0)) << c.want;
    } else {
      ASSERT_EQ(0, FreeShortCutParam(0, 0, 0, 0)) << c.want;
    }
    ASSERT_EQ(0, CreateShortCut("Q:\\zt\\t.exe", "zt_key.lnk", 0, 0)) << c.want;
    EXPECT_EQ(c.want, Describe("zt_key.lnk"));
  }
}

// A failed save still clears the parameters; so does a path too long for
// the 260-character conversion buffer, which is refused.
TEST_F(Shortcut, FailedCreateClearsTheParameters) {
  HostVar args = Text("-x");
  for (const std::string& path : {"zt_no_such_dir/x.lnk"s, std::string(300, 'a') + ".lnk"}) {
    ASSERT_EQ(0, SetShortCutArg(args, 0, 0, 0));
    ASSERT_EQ(0, SetShortCutShow(1, 0, 0, 0));
    EXPECT_EQ(-1, CreateShortCut("Q:\\zt\\t.exe", path.c_str(), 0, 0));
    ASSERT_EQ(0, CreateShortCut("Q:\\zt\\t.exe", "zt_after.lnk", 0, 0));
    EXPECT_EQ("Q:\\zt\\t.exe||||show 1 key 0 | 0 0 0 0 | 0", Describe("zt_after.lnk"))
        << path.size();
  }
}

// Refusals of GetShortCutParam leave the variable alone; reads set its type
// from the setting and cut texts to the row bytes less one.
TEST_F(Shortcut, GetShortCutParamStatuses) {
  HostVar args = Text("0123456789abcdef"), cut = HostVar::String(8, 2);
  ASSERT_EQ(0, SetShortCutArg(args, 0, 0, 0));
  ASSERT_EQ(0, CreateShortCut("Q:\\zt\\t.exe", "zt_case.LnK", 0, 0));
  cut.Fill('x');
  cut.rec()->type = zor::kTypeInt;
  struct {
    std::string path;
    std::int32_t setting;
    HostVar var;
    std::int32_t status;
    std::string after = {};  // the storage's first bytes after a read
  } cases[] = {
      {"a.lnk", 0, Text("keep"), -256},
      {"ab.lnk", 0, Text("keep"), -1},  // six characters: loaded, but missing
      {"menu.lnk2", 0, Text("keep"), -257},
      {"menu.LNK", 0, Text("keep"), -1},
      {"menu.xnk", 0, Text("keep"), -257},
      {"menu.lxk", 0, Text("keep"), -257},
      {"menu.lnx", 0, Text("keep"), -257},
      {"menu_lnk", 0, Text("keep"), -257},
      {"zt_case.LnK", 7, Text("keep"), 0,
       "Q:\\zt\\t.exe\0"s},  // any setting but 1 to 5: the target
      {"zt_case.LnK", 3, HostVar::Ints(4), 0},
      {"zt_missing.lnk", 5, HostVar::Ints(4), -1},
      {std::string(300, 'b') + ".lnk", 0, Text("keep"), -1},  // longer than 259
      {"zt_case.LnK", 3, HostVar::Ints(3), 3},                // room for four integers
      {"zt_case.LnK", 1, HostVar::String(0), 3},              // no room for a terminator
      {"zt_case.LnK", 1, std::move(cut), 0, "0123456\0xxxxxxxx"s},
      // The icon index also lands its icon path in the variable first.
      {"zt_case.LnK", 5, HostVar::Ints(1), 0, "\0\0\0\0"s},
  };
  for (auto& c : cases) {
    const std::string at = c.path.substr(0, 20) + " " + std::to_string(c.setting);
    std::string before(reinterpret_cast<char*>(c.var.bytes()), c.var.storageBytes());
    const std::uint16_t type = c.var.rec()->type;
    EXPECT_EQ(c.status, GetShortCutParam(c.var, c.path.c_str(), c.setting, 0)) << at;
    if (c.status != 0) {
      EXPECT_EQ(before, std::string(reinterpret_cast<char*>(c.var.bytes()), c.var.storageBytes()))
          << at;
      EXPECT_EQ(type, c.var.rec()->type) << at;
    }
    if (!c.after.empty()) {
      EXPECT_EQ(c.after, std::string(reinterpret_cast<char*>(c.var.bytes()), c.after.size())) << at;
      EXPECT_EQ(c.setting == 5 ? zor::kTypeInt : zor::kTypeString, c.var.rec()->type) << at;
    }
  }
}

}  // namespace
