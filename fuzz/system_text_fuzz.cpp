// Fuzzes the text steps of the system exports: the command-line start stays
// inside the line and only ever skips what it may, the file-type list never
// leaves its buffer and always ends in empty strings, and the environment
// reference is built exactly or refused, and a shortcut path is taken only
// with six bytes or more ending in ".lnk" in any case.
//
// Input: byte 0 picks the routine, bytes 1-2 its parameters, the rest is
// the text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "system/command_line.h"
#include "system/env_reference.h"
#include "system/file_mask.h"
#include "system/shortcut_params.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CommandLine(std::int32_t mode, const std::uint8_t* text, std::size_t n) {
  std::vector<char> line(text, text + n);
  line.push_back(0);
  const char* l = line.data();
  const std::size_t length = std::strlen(l);
  // Past the program name: 0, or just after a space that something follows.
  const std::size_t name = zor::CommandLineStart(l, 1);
  Check(name == 0 || (name < length && l[name - 1] == ' '));
  const std::size_t i = zor::CommandLineStart(l, mode);
  if (mode == 0) {
    Check(i == 0);
  } else if (i != name) {
    Check((mode & 0xF0) != 0 && i == name + 4 && std::memcmp(l + name, "obj ", 4) == 0 &&
          i < length);
  }
}

void FileMask(std::uint8_t rowUnits, std::uint8_t rowCount, const std::uint8_t* text,
              std::size_t n) {
  const std::uint32_t rowBytes = 4u * rowUnits;
  const std::uint32_t count = rowCount & ~1u;
  // At least one byte, so the rows have an address as a variable's do.
  std::vector<char> rows(std::max<std::size_t>(1, std::size_t{rowBytes} * count));
  for (std::size_t k = 0; k < rows.size(); ++k)
    rows[k] = n > 0 ? static_cast<char>(text[k % n]) : 0;
  std::vector<char> out(zor::kFileMaskBytes);  // exactly the buffer: ASan sees any overrun
  const std::uint32_t pairs = zor::BuildFileMask({rows.data(), rowBytes, count}, out.data());
  Check(pairs <= count / 2);
  for (char c : out) Check(static_cast<unsigned char>(c) >= 8 || c == 0);
  // The rows taken, each with its separator, then only zeros; the pairs
  // taken are all that fit with the three closing bytes.
  auto length = [&](std::uint32_t i) {
    const char* row = rows.data() + std::size_t{i} * rowBytes;
    return static_cast<std::size_t>(std::find(row, row + rowBytes, 0) - row);
  };
  std::size_t used = 0;
  for (std::uint32_t i = 0; i < 2 * pairs; ++i) used += length(i) + 1;
  Check(pairs == 0 || used + 3 <= out.size());
  for (std::size_t k = pairs == 0 ? 0 : used; k < out.size(); ++k) Check(out[k] == 0);
  if (pairs < count / 2) {
    Check(used + length(2 * pairs) + length(2 * pairs + 1) + 2 + 3 > out.size());
  }
}

void EnvReference(const std::uint8_t* text, std::size_t n, std::size_t repeat) {
  std::string name(reinterpret_cast<const char*>(text), n);
  while (name.size() < repeat * 64 && !name.empty()) name += name;
  std::vector<char> out(zor::kEnvReferenceBytes);
  const std::size_t length = std::strlen(name.c_str());
  const bool built = zor::BuildEnvReference(name.c_str(), out.data());
  Check(built == (length <= zor::kEnvNameMax));
  if (built) Check(std::string(out.data()) == "%" + name.substr(0, length) + "%");
}

void LinkPath(const std::uint8_t* text, std::size_t n) {
  std::string path(reinterpret_cast<const char*>(text), n);
  path = path.c_str();
  std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : "";
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
  const std::int32_t want = path.size() < 6 ? -256 : tail == ".lnk" ? 0 : -257;
  Check(zor::LinkPathStatus(path.c_str()) == want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t* text = data + 3;
  const std::size_t n = size - 3;
  switch (data[0] % 4) {
    case 0:
      CommandLine(static_cast<std::int8_t>(data[1]) * 3 + data[2], text, n);
      break;
    case 1:
      FileMask(data[1], data[2], text, n);
      break;
    case 2:
      EnvReference(text, n, data[1]);
      break;
    default:
      LinkPath(text, n);
      break;
  }
  return 0;
}
