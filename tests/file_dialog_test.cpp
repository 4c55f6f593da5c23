// The open and save dialogs, the file-type mask and popup menus, answered by
// FileDialogAnswer and PopupMenuAnswer. Popup cases name themselves in the
// failure messages: SCOPED_TRACE beside their watchdog crashed the emulated Wine.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "support/file_dialog_answer.h"
#include "support/menu_answer.h"
#include "support/ui.h"
#include "support/zortest.h"
#include "window/menu_items.h"

namespace {

ZT_EXPORT(SetFileMask, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FileMaskFree, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetOpenFile, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(GetSaveFile, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(SetParentWnd, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(CreatePopup, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DoPopup, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(DestroyPopup, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

using zt::FileAnswer;
using Types = std::vector<std::string>;

#if defined(_WIN32)
const char kSep = '\\';
#else
const char kSep = '/';
#endif

FileAnswer Type(const std::string& name) { return {FileAnswer::kType, name}; }
const FileAnswer kCancel{FileAnswer::kCancel, ""};
const FileAnswer kYes{FileAnswer::kYes, ""};
const FileAnswer kNo{FileAnswer::kNo, ""};

#define ZT_NEED_DIALOGS() \
  if (!zt::DialogsRun()) GTEST_SKIP() << "SKIPPED: Wine's file dialog stalls on this machine"

class FileDialogs : public testing::Test {
 protected:
  // The dialogs open in a folder of their own, which holds only the
  // test's files.
  void SetUp() override {
    char cwd[MAX_PATH];
    start_.assign(cwd, GetCurrentDirectoryA(sizeof cwd, cwd));
    CreateDirectoryA("zt_dialogs", nullptr);
    SetCurrentDirectoryA("zt_dialogs");
    cwd_.assign(cwd, GetCurrentDirectoryA(sizeof cwd, cwd));
    FileMaskFree(0, 0, 0, 0);
  }
  // The dialogs change the current directory: put it back.
  void TearDown() override {
    SetCurrentDirectoryA(cwd_.c_str());
    FileMaskFree(0, 0, 0, 0);
    std::remove("zt_pick.txt");
    SetCurrentDirectoryA(start_.c_str());
    RemoveDirectoryA("zt_dialogs");
  }
  std::string Full(const std::string& name) const { return cwd_ + kSep + name; }
  // The type list that an open dialog offers now; it is cancelled.
  Types OfferedTypes() {
    zt::FileDialogAnswer answer({kCancel});
    zt::HostVar v = zt::HostVar::String(260);
    EXPECT_EQ(-1, GetOpenFile(v, "", 0, 0));
    return answer.dialogs.empty() ? Types{} : answer.dialogs[0].types;
  }

  std::string start_, cwd_;
  zt::Watchdog watchdog_{120, "a file dialog"};
};

// Rows 0, 2, ... describe, rows 1, 3, ... are patterns; the second argument
// limits the pairs. Whatever the user answers, the dialog releases the mask.
TEST_F(FileDialogs, SetFileMaskOffersThePairsForOneDialog) {
  ZT_NEED_DIALOGS();
  const std::vector<std::string> rows = {"Text (*.txt)", "*.txt", "All (*.*)", "*.*", "odd"};
  struct {
    std::int32_t pairs;
    Types want;
  } cases[] = {
      {0, {"Text (*.txt)", "All (*.*)"}},
      {1, {"Text (*.txt)"}},
      {9, {"Text (*.txt)", "All (*.*)"}},
      {-3, {"Text (*.txt)", "All (*.*)"}},
  };
  for (const auto& c : cases) {
    zt::HostVar v = zt::Strings(rows, 64);
    EXPECT_EQ(0, SetFileMask(v, c.pairs, 0, 0));
    EXPECT_EQ(c.want, OfferedTypes()) << "pairs " << c.pairs;
    EXPECT_EQ(Types{"\x91\x53\x82\xc4 (*.*)"}, OfferedTypes());  // the default, Shift-JIS
  }
}

// Refusals keep the held mask; a row too short for a path is refused
// before any dialog shows.
TEST_F(FileDialogs, SetFileMaskRefusalsKeepTheHeldMask) {
  zt::HostVar one = zt::HostVar::Ints(1);
  EXPECT_EQ(-1, SetFileMask(one, 0, 0, 0));
  EXPECT_EQ(zor::kTypeString, one.rec()->type);  // the type is set first
  EXPECT_EQ(-1, FileMaskFree(0, 0, 0, 0));

  zt::HostVar a = zt::Strings({"A", "*.a"}, 64), b = zt::Strings({"B", "*.b", "C", "*.c"}, 64);
  EXPECT_EQ(0, SetFileMask(a, 0, 0, 0));
  EXPECT_EQ(0, SetFileMask(b, 0, 0, 0));  // replaces the held one
  EXPECT_EQ(-1, SetFileMask(one, 0, 0, 0));
  // Rows too long for the list: refused, the held mask stays.
  zt::HostVar big = zt::HostVar::String(4128, 2);
  big.Fill('w');
  EXPECT_EQ(-1, SetFileMask(big, 0, 0, 0));
  if (zt::DialogsRun()) {
    EXPECT_EQ((Types{"B", "C"}), OfferedTypes());
  }
  EXPECT_EQ(0, SetFileMask(a, 0, 0, 0));
  zt::FileDialogAnswer answer({});
  zt::HostVar v = zt::HostVar::Ints(64);  // 256 bytes
  EXPECT_EQ(-260, GetOpenFile(v, "txt", 0, 0));
  EXPECT_EQ(zor::kTypeString, v.rec()->type);
  EXPECT_EQ("", answer.events);
  EXPECT_EQ(0, FileMaskFree(0, 0, 0, 0));
  EXPECT_EQ(-1, FileMaskFree(0, 0, 0, 0));
}

// The open dialog (options -1) takes an existing file; the save dialog's
// options add the create and overwrite prompts. The dialog offers the
// variable's text; a choice repaints the parent (or every window) whole.
TEST_F(FileDialogs, OpenAndSaveAsTheOptionsSay) {
  ZT_NEED_DIALOGS();
  const std::string pick = zt::WriteTempFile(Full("zt_pick.txt"), "x");
  const std::string missing = Full("zt_missing.txt");
  struct {
    std::int32_t options;
    std::vector<FileAnswer> answers;
    const char* extension;
    std::int32_t status;
    const char* events;
    std::string want;
    long flags;
    bool parent = false;  // the window that SetParentWnd takes owns the dialog
  } cases[] = {
      {-1, {Type(Full("zt_pick"))}, "txt", 0, "D", pick, 0x21004},  // the default extension
      {-1, {kCancel}, "txt", -1, "D", "", 0x21004},
      {0, {Type(Full("zt_missing"))}, "txt", 0, "D", missing, 0x28804, true},
      {2, {Type(pick), kYes}, "txt", 0, "DB", pick, 0x28806},
      {1, {Type(missing), kYes}, "txt", 0, "DB", missing, 0x2A804},
      {3, {Type(missing), kNo, kCancel}, "txt", -1, "DBD", "", 0x2A806},
  };
  zt::TestWindow w;
  zt::WindowScreen screen(w.hwnd());
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.options << " " << c.events << " " << c.want);
    SetCurrentDirectoryA(cwd_.c_str());
    SetParentWnd(screen, c.parent ? 0 : 1, 0, 0);
    const HWND owner = c.parent ? w.hwnd() : nullptr;
    zt::FileDialogAnswer answer(c.answers);
    zt::HostVar v = zt::Strings({"zt_init"}, 260);
#if !defined(_WIN32)
    const int painted = ZorStandinLastInvalidation()->count;
#endif
    EXPECT_EQ(c.status, c.options < 0 ? GetOpenFile(v, c.extension, 0, 0)
                                      : GetSaveFile(v, c.extension, c.options, 0));
    EXPECT_EQ(c.events, answer.events);
    if (c.status == 0) {
      EXPECT_EQ(c.want, v.text());
    }
    ASSERT_FALSE(answer.dialogs.empty());
    EXPECT_EQ("zt_init", answer.dialogs[0].initialName);
    EXPECT_EQ(owner, answer.dialogs[0].owner);
#if !defined(_WIN32)
    EXPECT_EQ(c.flags, answer.dialogs[0].flags);
    const ZorStandinInvalidation* inv = ZorStandinLastInvalidation();
    EXPECT_EQ(painted + (c.status == 0), inv->count);
    if (c.status == 0) {
      EXPECT_TRUE(inv->whole && inv->erase && inv->window == owner);
    }
#endif
  }
  SetParentWnd(screen, 1, 0, 0);
}

constexpr std::int32_t kFree = static_cast<std::int32_t>(0x80000001u);
constexpr int kDismiss = zt::PopupMenuAnswer::kDismiss;

// "|" for a separator, else "id:text".
std::string Describe(const std::vector<zt::MenuEntry>& items) {
  std::string out;
  for (const zt::MenuEntry& e : items) {
    if (!out.empty()) out += ' ';
    out += e.separator ? "|" : std::to_string(e.id) + ":" + e.text;
  }
  return out;
}

// The count asked for, when from 1 to below the rows, else every row; only
// "-" alone is a separator, and separators take no identifier.
TEST(MenuItems, CountAndSeparators) {
  struct {
    std::vector<std::string> rows;
    std::uint32_t stride;
    std::int32_t requested;
    std::string want;
  } cases[] = {
      {{"A", "-", "B", "-", "C"}, 8, 0, "1:A | 2:B | 3:C"},
      {{"A", "-", "B", "-", "C"}, 8, 4, "1:A | 2:B |"},
      {{"-", "-", "X"}, 4, INT_MIN, "| | 1:X"},
      {{"--", "- ", "-x", "", "x-"}, 4, INT_MAX, "1:-- 2:-  3:-x 4: 5:x-"},
      // A row without a terminator ends at its stride: "ABCD", not
      // "ABCDEF"; the last row is read up to its end and no further.
      {{"ABCD", "EF", "WXYZ"}, 4, 3, "1:ABCD 2:EF 3:WXYZ"},
      {{"-ABC", "Q"}, 4, 1, "1:-ABC"},
      {{"x", "y", "z"}, 0, 0, "1: 2: 3:"},  // a stride of 0: nothing is read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    // Exactly rows x stride bytes, so a read past them is caught by the
    // address sanitizer.
    std::vector<std::uint8_t> bytes(c.rows.size() * c.stride);
    for (std::size_t i = 0; i < c.rows.size() && c.stride != 0; ++i)
      std::memcpy(bytes.data() + i * c.stride, c.rows[i].data(),
                  std::min<std::size_t>(c.rows[i].size(), c.stride));
    const std::uint8_t* data = bytes.empty() ? nullptr : bytes.data();
    const std::uint32_t count = zor::MenuItemCount(c.requested, std::uint32_t(c.rows.size()));
    // A separator with an identifier or a label shows as a text item.
    std::vector<zt::MenuEntry> items;
    for (const zor::MenuItem& i : zor::BuildMenuItems(data, c.stride, count))
      items.push_back({i.separator && i.id == 0 && i.label.empty(), i.id, i.label});
    EXPECT_EQ(c.want, Describe(items));
  }
}

struct Shown {
  std::int32_t status;
  std::string items;
};

class Popups : public testing::Test {
 protected:
  // Every menu the test made is destroyed again.
  void TearDown() override {
    DestroyPopup(0, 0, 0, 0);
    ZT_EXPECT_HANDLES(before_);
  }

  Shown Show(std::int32_t slot, int choice = kDismiss) {
    zt::PopupMenuAnswer answer(choice);
    std::int32_t status = DoPopup(screen_, 100, 80, slot);
    return {status, Describe(answer.items)};
  }

  zt::Watchdog dog_{60, "a popup menu"};
  zt::TestWindow win_;
  zt::WindowScreen screen_{win_.hwnd()};
  long before_ = zt::OpenHandleCount();
};

// The rows (16 bytes each) and the count argument make the items; the chosen
// text item's identifier comes back negated, dismissing gives 0. The menu is
// shown at the given screen position, owned by the screen's window.
TEST_F(Popups, ItemsAndChoices) {
  zt::HostVar v = zt::Strings({"A", "-", "B", "-", "C"}, 16);
  struct {
    std::int32_t count;
    int choice;
    std::int32_t status;
    std::string items;
  } cases[] = {
      {0, 2, -3, "1:A | 2:B | 3:C"},
      {4, 1, -2, "1:A | 2:B |"},
      {4, kDismiss, 0, "1:A | 2:B |"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(0, CreatePopup(v, c.count, 2, 0)) << c.choice;
    zt::PopupMenuAnswer a(c.choice);
    EXPECT_EQ(c.status, DoPopup(screen_, 200 + c.choice, 150, 2)) << c.choice;
    EXPECT_EQ(c.items, Describe(a.items)) << c.choice;
    EXPECT_EQ(200 + c.choice, a.position.x) << c.choice;
    EXPECT_EQ(150, a.position.y) << c.choice;
    EXPECT_EQ(win_.hwnd(), a.owner) << c.choice;
    EXPECT_EQ(0, DestroyPopup(258, 0, 0, 0)) << c.choice;
  }
}

// A string variable with no rows makes an empty menu, which is not shown
// and gives 0. Slot numbers outside 0 to 7 name slot 0; a created slot is
// kept, and a variable of the wrong type leaves the slot free.
TEST_F(Popups, EmptyMenusAndSlots) {
  zt::HostVar none = zt::HostVar::String(64, 0);
  none.SetText("A");
  ASSERT_EQ(0, CreatePopup(none, 0, 0, 0));
  EXPECT_EQ(0, Show(0, 0).status);
  EXPECT_EQ(0, DestroyPopup(0, 0, 0, 0));

  zt::HostVar first = zt::Strings({"first"}, 16), second = zt::Strings({"second"}, 16);
  zt::HostVar ints = zt::HostVar::Ints(4);
  EXPECT_EQ(0, CreatePopup(first, 0, 9, 0));
  for (std::int32_t slot : {0, -1, 8}) EXPECT_EQ("1:first", Show(slot).items) << slot;
  EXPECT_EQ(-1, CreatePopup(second, 0, -1, 0));
  EXPECT_EQ(-1, CreatePopup(ints, 0, 0, 0));  // the slot is checked first
  EXPECT_EQ(6, CreatePopup(ints, 0, 1, 0));
  EXPECT_EQ(kFree, Show(1).status);
  EXPECT_EQ(0, CreatePopup(second, 0, 1, 0));
  EXPECT_EQ("1:second", Show(1).items);
}

// 256 to 263 destroy one slot; any other value every created menu. The
// fixture's handle count sees each destroyed.
TEST_F(Popups, DestroyOneOrAll) {
  for (std::int32_t slot : {0, 3, 4}) ASSERT_EQ(0, CreatePopup(zt::Strings({"m"}, 16), 0, slot, 0));
  EXPECT_EQ(0, DestroyPopup(260, 0, 0, 0));
  EXPECT_EQ(kFree, Show(4).status);
  EXPECT_EQ("1:m", Show(3).items);
  EXPECT_EQ(-1, DestroyPopup(263, 0, 0, 0));

  for (std::int32_t all : {0, 255, 264, -1}) {
    ASSERT_EQ(0, CreatePopup(zt::Strings({"m"}, 16), 0, 7, 0));
    EXPECT_EQ(0, DestroyPopup(all, 0, 0, 0)) << all;
    for (std::int32_t slot : {0, 3, 7}) EXPECT_EQ(kFree, Show(slot).status) << all << " " << slot;
    EXPECT_EQ(-1, DestroyPopup(all, 0, 0, 0)) << all;
  }
}

}  // namespace
