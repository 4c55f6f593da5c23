// Answers the open and save dialogs and the boxes they show.
#pragma once

#include "support/ui.h"

namespace zt {

// Whether the platform's dialogs can be shown here. Under the emulated i386
// Wine of the test machines the shell's file dialog stalls in most runs
// (also called directly, without the library), and a stalled dialog pumps
// no messages that a watchdog could use; ZOR_WINE_FILE_DIALOGS=1 runs them.
bool DialogsRun();

// One answer of the user, given to the dialog or box that comes next.
struct FileAnswer {
  enum Kind { kType, kCancel, kYes, kNo } kind;
  std::string name;  // kType: the name typed before pressing OK
};

// What one showing of an open or save dialog offered.
struct SeenDialog {
  std::vector<std::string> types;  // the descriptions of the type list
  std::string initialName;         // the file name it offered
  HWND owner = nullptr;
  long flags = -1;  // the record's flags where the platform tells (the stand-in)
};

// While it lives, the dialogs and boxes this thread shows are answered in
// order; once the answers run out a dialog is cancelled and a box gets No
// (or OK when it has no No).
class FileDialogAnswer : NoCopy {
 public:
  explicit FileDialogAnswer(std::vector<FileAnswer> answers);
  ~FileDialogAnswer();

  FileAnswer Next() {  // the next answer, or a cancel
    return next < answers.size() ? answers[next++] : FileAnswer{FileAnswer::kCancel, ""};
  }

  std::vector<FileAnswer> answers;
  std::size_t next = 0;
  std::string events;  // 'D' for each time a dialog asked for a name, 'B' for each box
  std::vector<SeenDialog> dialogs;
};

}  // namespace zt
