#include "system/shortcut_params.h"

#include <cstring>

namespace zor {
namespace {

ShortcutParams g_params = kClearedShortcutParams;

// SW_SHOW, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED.
constexpr std::int32_t kShowCommands[] = {5, 7, 3};

// HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT, in output order.
constexpr std::uint8_t kModifiers[] = {0x01, 0x02, 0x04};

}  // namespace

ShortcutParams& CurrentShortcutParams() { return g_params; }

void ClearShortcutParams() { g_params = kClearedShortcutParams; }

std::int32_t ShowCommandForIndex(std::int32_t index) {
  constexpr std::int32_t kCount = sizeof kShowCommands / sizeof kShowCommands[0];
  return kShowCommands[index >= 0 && index < kCount ? index : 0];
}

std::int32_t LinkPathStatus(const char* path) {
  const std::size_t n = std::strlen(path);
  if (n < 6) return -256;
  const char* end = path + n - 4;
  auto is = [](char c, char lower) { return c == lower || c == lower - 0x20; };
  if (end[0] != '.' || !is(end[1], 'l') || !is(end[2], 'n') || !is(end[3], 'k')) return -257;
  return 0;
}

void SplitHotkey(std::uint16_t hotkey, std::int32_t out[4]) {
  out[0] = hotkey & 0xFF;
  const std::uint8_t high = static_cast<std::uint8_t>(hotkey >> 8);
  for (int i = 0; i < 3; ++i) out[i + 1] = (high & kModifiers[i]) != 0 ? 1 : 0;
}

}  // namespace zor
