// Message-box style codes as scripts give them, and the status of each
// button pressed.
#pragma once

#include <cstdint>

namespace zor {

// Bits 0-2 of `code` pick the icon, bits 4-6 the buttons; defaultButton 2
// or 3 moves the default to that button.
std::uint32_t MessageBoxStyle(std::int32_t code, std::int32_t defaultButton);
// -1 OK, -2 Yes, -3 No, -4 Cancel, -5 Abort, -6 Ignore, -7 Retry; 0 for
// anything else (the box failed).
std::int32_t MessageBoxStatus(int pressed);

}  // namespace zor
