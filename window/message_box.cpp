#include "window/message_box.h"

namespace zor {

namespace {

constexpr std::uint32_t kIcons[8] = {0, 0x40, 0x30, 0x20, 0x10, 0, 0, 0};
constexpr std::uint32_t kButtons[8] = {0, 1, 5, 4, 3, 2, 0, 0};
// Indexed by the button's ID (IDOK 1 ... IDNO 7).
constexpr std::int32_t kStatus[8] = {0, -1, -4, -5, -7, -6, -2, -3};

}  // namespace

std::uint32_t MessageBoxStyle(std::int32_t code, std::int32_t defaultButton) {
  std::uint32_t style = kIcons[code & 7] | kButtons[(code >> 4) & 7];
  if (defaultButton == 2) style |= 0x100;
  if (defaultButton == 3) style |= 0x200;
  return style;
}

std::int32_t MessageBoxStatus(int pressed) {
  return pressed >= 0 && pressed < 8 ? kStatus[pressed] : 0;
}

}  // namespace zor
