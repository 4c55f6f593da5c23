// While a PopupMenuAnswer lives, every popup menu this thread shows is read
// and answered by picking one text item or by dismissing it.
#pragma once

#include "support/ui.h"

namespace zt {

struct MenuEntry {
  bool separator;
  UINT id;
  std::string text;
};

struct PopupMenuAnswer : NoCopy {
  static constexpr int kDismiss = -1;
  // `choice`: the text item to pick, counted from 0 and skipping
  // separators, or kDismiss.
  explicit PopupMenuAnswer(int choice);
  ~PopupMenuAnswer();

  int choice;
  std::vector<MenuEntry> items;  // the last one's
  POINT position{};              // the top-left corner asked for (stand-in) or of the menu's window
  HWND owner = nullptr;
  UINT_PTR timer = 0;
  HWND lastWindow = nullptr;
};

}  // namespace zt
