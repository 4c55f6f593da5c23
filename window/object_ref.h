// A reference to one of a screen's 64 objects by its number: usable when the
// number is 0 to 63, the handle stored for it is non-zero and names a window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/host_records.h"

namespace zor {

constexpr std::int32_t kObjectCount = 64;

enum class ObjectRef { kUsable, kBadNumber, kNoObject };

// A window handle as the host records store it.
inline HWND WindowOf(HostAddr a) { return HostHandle<HWND>(a); }

inline bool ValidObjectNumber(std::int32_t number) { return number >= 0 && number < kObjectCount; }

// Checks the reference; *window gets the object's window when usable.
ObjectRef CheckObject(const HspScreen& screen, std::int32_t number, HWND* window);

}  // namespace zor
