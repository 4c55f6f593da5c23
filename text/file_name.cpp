#include "text/file_name.h"

#include <cstring>

#include "host/status.h"
#include "text/sjis.h"

namespace zor {

std::int32_t FindChr(const char* text, std::uint8_t value, std::int32_t start) {
  if (start < 0) return -2;
  const auto* t = reinterpret_cast<const std::uint8_t*>(text);
  for (std::int32_t i = start;; ++i) {
    const std::uint8_t b = t[i];
    if (b == 0) return -1;
    if (b == value) return i;
    if (IsLeadByte(b)) {
      if (t[i + 1] == 0) return -1;
      ++i;
    }
  }
}

namespace {

// Characters no file name may hold, searched in this order.
constexpr std::uint8_t kAlwaysForbidden[] = {'"', '<', '>', '?', '*', '/', '|'};

bool IsAsciiLetter(std::uint8_t b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

// Position of the last `value` at a character boundary at or after `from`, or -1.
std::int32_t FindLast(const char* text, std::uint8_t value, std::int32_t from) {
  std::int32_t last = -1;
  for (std::int32_t hit = FindChr(text, value, from); hit >= 0;
       hit = FindChr(text, value, hit + 1)) {
    last = hit;
  }
  return last;
}

}  // namespace

std::int32_t CheckFileNameText(const char* name, bool forbidBackslash, bool allowSemicolon) {
  if (forbidBackslash && FindChr(name, '\\', 0) >= 0) return kRefused;
  if (!allowSemicolon && FindChr(name, ';', 0) >= 0) return kRefused;
  for (std::uint8_t c : kAlwaysForbidden) {
    if (FindChr(name, c, 0) >= 0) return kRefused;
  }
  const std::int32_t colon = FindChr(name, ':', 0);
  if (colon < 0) return kOk;
  if (colon != 1) return kRefused;
  return IsAsciiLetter(static_cast<std::uint8_t>(name[0])) ? kOk : kRefused;
}

std::int32_t WritePathPart(const char* path, std::int32_t selector, bool trim, char* row,
                           std::uint32_t rowBytes) {
  std::memset(row, 0, rowBytes);
  const auto* p = reinterpret_cast<const std::uint8_t*>(path);
  const bool drive = IsAsciiLetter(p[0]) && p[1] == ':';
  const std::int32_t sep = FindLast(path, '\\', 0);
  const std::int32_t dot = FindLast(path, '.', sep >= 0 ? sep : 0);
  // The file name starts after the last separator, else after "X:".
  const std::int32_t nameStart = sep >= 0 ? sep + 1 : (drive ? 2 : 0);

  std::int32_t status = kOk;
  const char* part = nullptr;
  std::size_t partLen = 0;
  char driveText[2];
  switch (selector) {
    case kPartDrive:
      if (!drive) return kRefused;
      driveText[0] = static_cast<char>(p[0] >= 'a' ? p[0] - 0x20 : p[0]);
      driveText[1] = ':';
      part = driveText;  // always fits a host row (4 bytes or more)
      partLen = 2;
      break;
    case kPartBase: {
      if (dot == sep + 1) return kRefused;  // the name begins with its dot
      part = path + nameStart;
      partLen = (dot >= nameStart) ? static_cast<std::size_t>(dot - nameStart) : std::strlen(part);
      break;
    }
    case kPartExt:
      if (dot < 0) return kRefused;
      part = path + dot + 1;
      partLen = std::strlen(part);
      break;
    case kPartFile:
      if (p[sep + 1] == 0) return kRefused;
      part = path + nameStart;
      partLen = std::strlen(part);
      break;
    default:
      if (sep < 0) return kRefused;
      if (rowBytes < static_cast<std::uint32_t>(sep) + 2u) return -16;
      std::memcpy(row, path, static_cast<std::size_t>(sep) + 1);
      break;
  }
  if (part != nullptr) {
    if (partLen + 1 > rowBytes) {
      status = -16;
      partLen = rowBytes - 1;  // keep what fits
    }
    std::memcpy(row, part, partLen);
  }
  if (trim) {
    const void* end = std::memchr(row, 0, rowBytes);
    std::size_t n = end ? static_cast<std::size_t>(static_cast<const char*>(end) - row) : rowBytes;
    while (n > 0 && static_cast<std::uint8_t>(row[n - 1]) <= 0x20) row[--n] = 0;
  }
  row[rowBytes - 1] = 0;
  return status;
}

}  // namespace zor
