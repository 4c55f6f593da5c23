// The shortcut parameters: settings a script makes one by one before
// CreateShortCut applies them. Texts are references to the script's string
// variables, read only when the shortcut is created.
#pragma once

#include <cstdint>

namespace zor {

struct ShortcutParams {
  const char* workingDirectory;  // null when not set
  const char* arguments;
  const char* iconFile;
  std::int32_t iconIndex;
  std::int32_t showCommand;  // -1 when not set
  std::uint16_t hotkey;
  bool hotkeySet;
};

constexpr ShortcutParams kClearedShortcutParams = {nullptr, nullptr, nullptr, 0, -1, 0, false};

// The library's one set, cleared when the library is loaded.
ShortcutParams& CurrentShortcutParams();
void ClearShortcutParams();

// The show command for a SetShortCutShow index (0 or more; 3 or more names
// index 0).
std::int32_t ShowCommandForIndex(std::int32_t index);

// 0 when the path may name a shortcut file, -256 when it is shorter than 6
// bytes, -257 when it does not end in ".lnk" (any case of the letters).
std::int32_t LinkPathStatus(const char* path);

// The hotkey as four integers: key code, then 1 or 0 for Shift, Control
// and Alt.
void SplitHotkey(std::uint16_t hotkey, std::int32_t out[4]);

}  // namespace zor
