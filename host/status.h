// Status codes shared across export families.
#pragma once

#include <cstdint>

namespace zor {

constexpr std::int32_t kOk = 0;
constexpr std::int32_t kBadArg = 3;
constexpr std::int32_t kMissingSetting = 5;
constexpr std::int32_t kWrongType = 6;
constexpr std::int32_t kFail = -1;
constexpr std::int32_t kRefused = -255;
constexpr std::int32_t kWrongTypeClip = -65535;
constexpr std::int32_t kNoResult = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t kNoResultAlt = static_cast<std::int32_t>(0xF0000001u);

}  // namespace zor
