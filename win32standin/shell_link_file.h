// The shell link (.lnk) binary format: a 76-byte header, an optional item
// ID list, the link information with the target's local path, the string
// data and extra data blocks ending in a terminal block.
#pragma once

#include <cstdint>
#include <string>

namespace zorw {

// One link's settings. Texts are code page 932; an empty text is absent.
struct LinkData {
  std::string target;  // the local base path of the link information
  std::string description;
  std::string relativePath;
  std::string workingDirectory;
  std::string arguments;
  std::string iconLocation;
  std::uint32_t fileAttributes = 0;
  std::uint32_t fileSize = 0;
  std::int32_t iconIndex = 0;
  std::uint32_t showCommand = 1;  // SW_SHOWNORMAL
  std::uint16_t hotkey = 0;
};

// Header offsets that other readers rely on.
constexpr std::size_t kLinkHeaderSize = 0x4C;
constexpr std::size_t kLinkShowCommandAt = 0x3C;
constexpr std::size_t kLinkHotkeyAt = 0x40;

// The file's bytes; strings are written as UTF-16.
std::string BuildLink(const LinkData& link);
// False when the bytes are not a whole link (header size, class
// identifier, a structure running past the end).
bool ParseLink(const std::string& bytes, LinkData* link);

}  // namespace zorw
