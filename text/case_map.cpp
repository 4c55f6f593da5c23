// MapStr, UpperCase, LowerCase (through the locale) and the ASCII-only
// UpperCaseF and LowerCaseF.
#include "text/case_map.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <memory>
#include <new>

#include "host/capacity.h"
#include "host/export.h"
#include "text/ascii_case.h"

namespace zor {

namespace {

// Platform flag of each mode bit, bit 0 first.
constexpr std::uint32_t kModeFlags[6] = {LCMAP_FULLWIDTH, LCMAP_HALFWIDTH, LCMAP_HIRAGANA,
                                         LCMAP_KATAKANA,  LCMAP_LOWERCASE, LCMAP_UPPERCASE};

// UpperCase and LowerCase: the variable's own text is the source. The copy
// stops at the byte capacity even when the text is not terminated inside it,
// and is sized by the text (capacity + 4 would wrap on a 32-bit size_t).
std::int32_t MapOwnText(HspVar* var, std::int32_t mode) {
  if (var->type != kTypeString) return kWrongType;
  const std::uint32_t capacity = ByteCapacity(*var);
  if (capacity == 0) return kBadArg;
  const char* text = VarText(*var);
  const void* end = std::memchr(text, 0, capacity);
  const std::size_t n =
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : capacity;
  std::unique_ptr<char[]> copy(new (std::nothrow) char[n + 1]);
  if (!copy) return kFail;
  std::memcpy(copy.get(), text, n);
  copy[n] = 0;
  return MapToVariable(var, copy.get(), mode);
}

std::int32_t ChangeCase(HspVar* var, bool upper) {
  if (var->type != kTypeString) return kWrongType;
  const std::uint32_t capacity = ByteCapacity(*var);
  if (capacity == 0) return kBadArg;  // no byte to hold a terminator
  std::uint8_t* text = HostPtr<std::uint8_t>(var->data);
  text[capacity - 1] = 0;
  ChangeAsciiCase(text, upper);
  return kOk;
}

}  // namespace

std::uint32_t MappingFlags(std::int32_t mode) {
  std::uint32_t bits = static_cast<std::uint32_t>(mode) & 63u;
  if (bits == 0) bits = 1;
  std::uint32_t flags = 0;
  for (int i = 0; i < 6; ++i) {
    if (bits & (1u << i)) flags |= kModeFlags[i];
  }
  return flags;
}

std::int32_t MapToVariable(HspVar* var, const char* source, std::int32_t mode) {
  const std::size_t n = std::strlen(source);
  const std::uint32_t capacity = ByteCapacity(*var);
  if (n == 0 || capacity == 0) return kBadArg;
  if (n >= static_cast<std::size_t>(INT_MAX)) return kFail;  // beyond the platform's lengths
  const int destSize =
      capacity > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(capacity);
  const int mapped = LCMapStringA(GetUserDefaultLCID(), MappingFlags(mode), source,
                                  static_cast<int>(n + 1), VarText(*var), destSize);
  return mapped != 0 ? kOk : kFail;
}

}  // namespace zor

using namespace zor;

ZOR_EXPORT MapStr(HspVar* var, const char* source, std::int32_t mode, std::int32_t) {
  if (var->type != kTypeString) return kWrongType;
  return MapToVariable(var, source, mode);
}

ZOR_EXPORT UpperCase(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  return MapOwnText(var, kModeUpperCase);
}

ZOR_EXPORT LowerCase(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  return MapOwnText(var, kModeLowerCase);
}

ZOR_EXPORT UpperCaseF(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  return ChangeCase(var, true);
}

ZOR_EXPORT LowerCaseF(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  return ChangeCase(var, false);
}
