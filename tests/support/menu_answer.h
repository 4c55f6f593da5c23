// Answered popup menus for the tests, alike on the stand-in and under Wine:
// while a PopupMenuAnswer lives, every popup menu this thread shows is read
// (its items, position and owner) and answered by picking one text item or
// by dismissing it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zt {

struct MenuEntry {
  bool separator;
  UINT id;
  std::string text;
  bool operator==(const MenuEntry& o) const {
    return separator == o.separator && id == o.id && text == o.text;
  }
};

// The items of a menu as GetMenuItemCount, GetMenuState, GetMenuItemID and
// GetMenuStringA report them.
std::vector<MenuEntry> ReadMenu(HMENU menu);

class PopupMenuAnswer {
 public:
  static constexpr int kDismiss = -1;
  // `choice`: the text item to pick, counted from 0 and skipping
  // separators, or kDismiss.
  explicit PopupMenuAnswer(int choice);
  ~PopupMenuAnswer();
  PopupMenuAnswer(const PopupMenuAnswer&) = delete;
  PopupMenuAnswer& operator=(const PopupMenuAnswer&) = delete;

  int count() const { return count_; }  // menus shown
  HMENU menu() const { return menu_; }  // the last one
  const std::vector<MenuEntry>& items() const { return items_; }
  // The top-left corner asked for (stand-in) or of the menu's window.
  POINT position() const { return position_; }
  HWND owner() const { return owner_; }
  // TrackPopupMenu's flags where the platform tells them (the stand-in); -1
  // under Windows.
  long flags() const { return flags_; }

  // Filled in by the platform branch.
  int choice_;
  int count_ = 0;
  HMENU menu_ = nullptr;
  std::vector<MenuEntry> items_;
  POINT position_{};
  HWND owner_ = nullptr;
  long flags_ = -1;
  UINT_PTR timer_ = 0;
  HWND lastWindow_ = nullptr;
};

}  // namespace zt
