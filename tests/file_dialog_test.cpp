// The open and save dialogs and the file-type mask through the exports; the
// user is played by FileDialogAnswer, on the stand-in and under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/file_dialog_answer.h"
#include "support/ui.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(SetFileMask, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(FileMaskFree, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetOpenFile, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(GetSaveFile, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(SetParentWnd, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);

using zt::FileAnswer;
using Types = std::vector<std::string>;

#if defined(_WIN32)
const char kSep = '\\';
#else
const char kSep = '/';
#endif

const std::string kAllFiles = "\x91\x53\x82\xc4 (*.*)";  // the default entry, Shift-JIS

FileAnswer Type(const std::string& name) { return {FileAnswer::kType, name}; }
const FileAnswer kCancel{FileAnswer::kCancel, ""};
const FileAnswer kYes{FileAnswer::kYes, ""};
const FileAnswer kNo{FileAnswer::kNo, ""};
const FileAnswer kOk{FileAnswer::kOk, ""};

// Whether the platform's dialogs can be shown here. Under the emulated i386
// Wine of the test machines the shell's file dialog stalls in most runs
// (also called directly, without the library), and a stalled dialog pumps
// no messages that a watchdog could use; ZOR_WINE_FILE_DIALOGS=1 runs them.
bool DialogsRun() {
#if defined(_WIN32)
  bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return !wine || std::getenv("ZOR_WINE_FILE_DIALOGS") != nullptr;
#else
  return true;
#endif
}

#define ZT_NEED_DIALOGS() \
  if (!DialogsRun()) GTEST_SKIP() << "SKIPPED: Wine's file dialog stalls on this machine"

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
    for (const std::string& f : files_) std::remove(f.c_str());
    SetCurrentDirectoryA(start_.c_str());
    RemoveDirectoryA("zt_dialogs");
  }
  std::string Full(const std::string& name) const { return cwd_ + kSep + name; }
  std::string Existing(const std::string& name) {
    files_.push_back(zt::WriteTempFile(Full(name), "x"));
    return Full(name);
  }
  // The type list that an open dialog offers now; it is cancelled.
  Types OfferedTypes() {
    zt::FileDialogAnswer answer({kCancel});
    zt::HostVar v = zt::HostVar::String(260);
    EXPECT_EQ(-1, GetOpenFile(v, "", 0, 0));
    EXPECT_EQ("D", answer.events);
    return answer.dialogs.empty() ? Types{} : answer.dialogs[0].types;
  }

  std::string start_, cwd_;
  std::vector<std::string> files_;
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
    std::memcpy(v.text() + 64 + 6, "\0junk", 6);  // "*.txt" ends; the rest is not copied
    EXPECT_EQ(0, SetFileMask(v, c.pairs, 0, 0));
    EXPECT_EQ(c.want, OfferedTypes()) << "pairs " << c.pairs;
    EXPECT_EQ(-1, FileMaskFree(0, 0, 0, 0));
    EXPECT_EQ(Types{kAllFiles}, OfferedTypes());
  }
}

TEST_F(FileDialogs, SetFileMaskRefusalsKeepTheHeldMask) {
  zt::HostVar one = zt::HostVar::Ints(1), empty = zt::HostVar::String(64, 0);
  EXPECT_EQ(-1, SetFileMask(one, 0, 0, 0));
  EXPECT_EQ(zor::kTypeString, one.rec()->type);  // the type is set first
  EXPECT_EQ(-1, SetFileMask(empty, 0, 0, 0));
  EXPECT_EQ(-1, FileMaskFree(0, 0, 0, 0));

  zt::HostVar a = zt::Strings({"A", "*.a"}, 64), b = zt::Strings({"B", "*.b", "C", "*.c"}, 64);
  EXPECT_EQ(0, SetFileMask(a, 0, 0, 0));
  EXPECT_EQ(0, SetFileMask(b, 0, 0, 0));  // replaces the held one
  EXPECT_EQ(-1, SetFileMask(one, 0, 0, 0));
  // Rows too long for the list: refused, the held mask stays.
  zt::HostVar big = zt::HostVar::String(4128, 2);
  big.Fill('w');
  EXPECT_EQ(-1, SetFileMask(big, 0, 0, 0));
  if (DialogsRun()) {
    EXPECT_EQ((Types{"B", "C"}), OfferedTypes());
  }
  EXPECT_EQ(0, SetFileMask(a, 0, 0, 0));
  EXPECT_EQ(0, FileMaskFree(0, 0, 0, 0));
  EXPECT_EQ(-1, FileMaskFree(0, 0, 0, 0));
}

TEST_F(FileDialogs, ShortRowIsRefusedBeforeAnyDialog) {
  zt::HostVar mask = zt::Strings({"A", "*.a"}, 64);
  ASSERT_EQ(0, SetFileMask(mask, 0, 0, 0));
  zt::FileDialogAnswer answer({});
  zt::HostVar v = zt::HostVar::Ints(64);  // 256 bytes
  EXPECT_EQ(-260, GetOpenFile(v, "txt", 0, 0));
  EXPECT_EQ(zor::kTypeString, v.rec()->type);
  EXPECT_EQ(-260, GetSaveFile(v, "txt", 3, 0));
  EXPECT_EQ("", answer.events);
  EXPECT_EQ(0, FileMaskFree(0, 0, 0, 0));  // still held
}

TEST_F(FileDialogs, GetOpenFileTakesAnExistingFile) {
  ZT_NEED_DIALOGS();
  const std::string pick = Existing("zt_pick.txt");
  struct {
    std::vector<FileAnswer> answers;
    const char* extension;
    std::int32_t status;
    const char* events;
    std::string want;  // the variable's text afterwards
  } cases[] = {
      {{Type(pick)}, "", 0, "D", pick},
      {{Type(Full("zt_pick"))}, "txt", 0, "D", pick},  // the default extension is added
      {{Type(Full("zt_none.txt")), kOk, kCancel}, "", -1, "DBD", "zt_init"},  // told, asked again
      {{kCancel}, "txt", -1, "D", "zt_init"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.events);
    SetCurrentDirectoryA(cwd_.c_str());
    zt::FileDialogAnswer answer(c.answers);
    zt::HostVar v = zt::HostVar::String(512);
    v.SetText("zt_init");
#if !defined(_WIN32)
    const int painted = ZorStandinLastInvalidation()->count;
#endif
    EXPECT_EQ(c.status, GetOpenFile(v, c.extension, 0, 0));
    EXPECT_EQ(c.events, answer.events);
    if (c.status == 0) {
      EXPECT_EQ(c.want, v.text());
    }
    ASSERT_FALSE(answer.dialogs.empty());
    EXPECT_EQ("zt_init", answer.dialogs[0].initialName);
    EXPECT_EQ(nullptr, answer.dialogs[0].owner);
#if !defined(_WIN32)
    EXPECT_EQ(0x21004, answer.dialogs[0].flags);
    // Chosen: the (absent) parent is repainted whole.
    const ZorStandinInvalidation* inv = ZorStandinLastInvalidation();
    EXPECT_EQ(painted + (c.status == 0), inv->count);
    if (c.status == 0) {
      EXPECT_TRUE(inv->whole && inv->erase && inv->window == nullptr);
    }
#endif
  }
}

// The options add the create and overwrite prompts to the save dialog.
TEST_F(FileDialogs, GetSaveFilePromptsAsTheOptionsSay) {
  ZT_NEED_DIALOGS();
  const std::string there = Existing("zt_there.txt"), missing = Full("zt_missing.txt");
  struct {
    std::int32_t options;
    std::vector<FileAnswer> answers;
    std::int32_t status;
    const char* events;
    std::string want;
    long flags;
  } cases[] = {
      {0, {Type(missing)}, 0, "D", missing, 0x28804},
      {0, {Type(Full("zt_missing"))}, 0, "D", missing, 0x28804},  // the default extension
      {0, {Type(there)}, 0, "D", there, 0x28804},
      {2, {Type(there), kYes}, 0, "DB", there, 0x28806},
      {2, {Type(there), kNo, kCancel}, -1, "DBD", "", 0x28806},
      {2, {Type(missing)}, 0, "D", missing, 0x28806},
      {1, {Type(missing), kYes}, 0, "DB", missing, 0x2A804},
      {1, {Type(there)}, 0, "D", there, 0x2A804},
      {3, {Type(there), kYes}, 0, "DB", there, 0x2A806},
      {3, {Type(missing), kNo, kCancel}, -1, "DBD", "", 0x2A806},
      {0, {Type(Full("zt_nofolder") + kSep + "a.txt"), kOk, kCancel}, -1, "DBD", "", 0x28804},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.options << " " << c.events << " " << c.want);
    SetCurrentDirectoryA(cwd_.c_str());
    zt::FileDialogAnswer answer(c.answers);
    zt::HostVar v = zt::HostVar::String(512);
    EXPECT_EQ(c.status, GetSaveFile(v, "txt", c.options, 0));
    EXPECT_EQ(c.events, answer.events);
    if (c.status == 0) {
      EXPECT_EQ(c.want, v.text());
    }
#if !defined(_WIN32)
    ASSERT_FALSE(answer.dialogs.empty());
    EXPECT_EQ(c.flags, answer.dialogs[0].flags);
#endif
  }
}

// A path longer than the row fails like a cancel.
TEST_F(FileDialogs, PathLongerThanTheRowFails) {
  ZT_NEED_DIALOGS();
  const std::string folder = "zt_" + std::string(100, 'f');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string path = Full(folder) + kSep + std::string(150, 'n') + ".txt";
  ASSERT_GT(path.size(), 260u);
  {
    zt::FileDialogAnswer answer({Type(path)});
    zt::HostVar v = zt::HostVar::String(260);
    EXPECT_EQ(-1, GetSaveFile(v, "", 0, 0));
  }
  SetCurrentDirectoryA(cwd_.c_str());
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

// The parent window owns the dialog; one that is gone is forgotten.
TEST_F(FileDialogs, TheParentWindowOwnsTheDialog) {
  ZT_NEED_DIALOGS();
  zt::HostVar v = zt::HostVar::String(260);
  zt::WindowScreen screen;
  {
    zt::TestWindow w;
    screen->window = zor::HandleAddr(w.hwnd());
    ASSERT_EQ(0, SetParentWnd(screen, 0, 0, 0));
    zt::FileDialogAnswer answer({Type(Full("zt_owned.txt"))});
    EXPECT_EQ(0, GetSaveFile(v, "", 0, 0));
    ASSERT_EQ(1u, answer.dialogs.size());
    EXPECT_EQ(w.hwnd(), answer.dialogs[0].owner);
#if !defined(_WIN32)
    EXPECT_EQ(w.hwnd(), ZorStandinLastInvalidation()->window);
#endif
  }
  zt::FileDialogAnswer answer({kCancel});
  EXPECT_EQ(-1, GetSaveFile(v, "", 0, 0));
  ASSERT_EQ(1u, answer.dialogs.size());
  EXPECT_EQ(nullptr, answer.dialogs[0].owner);
}

}  // namespace
