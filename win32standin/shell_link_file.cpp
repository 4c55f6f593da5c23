#include "shell_link_file.h"

#include "codepage.h"

namespace zorw {
namespace {

constexpr std::uint8_t kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                              0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : std::uint32_t {
  kHasIdList = 0x01,
  kHasLinkInfo = 0x02,
  kHasName = 0x04,
  kHasRelativePath = 0x08,
  kHasWorkingDir = 0x10,
  kHasArguments = 0x20,
  kHasIconLocation = 0x40,
  kIsUnicode = 0x80,
};

constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kDriveFixed = 3;

// The string data in file order, with their flags.
struct StringField {
  LinkFlag flag;
  std::string LinkData::*text;
};
constexpr StringField kStrings[] = {
    {kHasName, &LinkData::description},
    {kHasRelativePath, &LinkData::relativePath},
    {kHasWorkingDir, &LinkData::workingDirectory},
    {kHasArguments, &LinkData::arguments},
    {kHasIconLocation, &LinkData::iconLocation},
};

void Put16(std::string* out, std::uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string* out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Bounds-checked little-endian reads over the file's bytes.
struct Reader {
  const std::string& bytes;
  std::size_t at = 0;
  bool ok = true;

  bool Has(std::size_t n) const { return ok && at <= bytes.size() && bytes.size() - at >= n; }
  std::uint32_t Get(std::size_t pos, int width) const {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i)
      v = (v << 8) | static_cast<std::uint8_t>(bytes[pos + static_cast<std::size_t>(i)]);
    return v;
  }
  std::uint32_t Read(int width) {
    if (!Has(static_cast<std::size_t>(width))) {
      ok = false;
      return 0;
    }
    std::uint32_t v = Get(at, width);
    at += static_cast<std::size_t>(width);
    return v;
  }
  void Skip(std::size_t n) {
    if (!Has(n)) ok = false;
    at += ok ? n : 0;
  }
};

// A zero-terminated text inside [begin, end) of the bytes.
std::string TextAt(const std::string& bytes, std::size_t pos, std::size_t end) {
  std::string text;
  while (pos < end && bytes[pos] != 0) text.push_back(bytes[pos++]);
  return text;
}

bool ReadLinkInfo(Reader* r, LinkData* link) {
  const std::size_t start = r->at;
  const std::uint32_t size = r->Read(4);
  if (!r->ok || size < 0x1C || !r->Has(size - 4)) return false;
  const std::size_t end = start + size;
  const std::uint32_t flags = r->Get(start + 8, 4);
  const std::uint32_t baseAt = r->Get(start + 16, 4);
  const std::uint32_t suffixAt = r->Get(start + 24, 4);
  if ((flags & kVolumeIdAndLocalBasePath) && baseAt > 0 && baseAt < size) {
    link->target = TextAt(r->bytes, start + baseAt, end);
    if (suffixAt > 0 && suffixAt < size) link->target += TextAt(r->bytes, start + suffixAt, end);
  }
  r->at = end;
  return true;
}

bool ReadString(Reader* r, bool unicode, std::string* text) {
  const std::uint32_t count = r->Read(2);
  const std::size_t bytes = count * (unicode ? 2u : 1u);
  if (!r->Has(bytes)) return false;
  if (unicode) {
    std::u16string wide;
    for (std::uint32_t i = 0; i < count; ++i)
      wide.push_back(static_cast<char16_t>(r->Get(r->at + 2 * i, 2)));
    // Some writers count a terminator in the length.
    while (!wide.empty() && wide.back() == 0) wide.pop_back();
    *text = WideToAcp(wide);
  } else {
    text->assign(r->bytes, r->at, bytes);
    while (!text->empty() && text->back() == 0) text->pop_back();
  }
  r->at += bytes;
  return true;
}

}  // namespace

std::string BuildLink(const LinkData& link) {
  std::uint32_t flags = kIsUnicode;
  if (!link.target.empty()) flags |= kHasLinkInfo;
  for (const StringField& f : kStrings) {
    if (!(link.*f.text).empty()) flags |= f.flag;
  }
  std::string out;
  Put32(&out, kLinkHeaderSize);
  out.append(reinterpret_cast<const char*>(kShellLinkClsid), sizeof kShellLinkClsid);
  Put32(&out, flags);
  Put32(&out, link.fileAttributes);
  out.append(24, '\0');  // creation, access and write times
  Put32(&out, link.fileSize);
  Put32(&out, static_cast<std::uint32_t>(link.iconIndex));
  Put32(&out, link.showCommand);
  Put16(&out, link.hotkey);
  out.append(10, '\0');  // reserved

  if (flags & kHasLinkInfo) {
    // Volume ID: size, drive type, serial number, label offset, empty label.
    constexpr std::uint32_t kVolumeSize = 17;
    const std::uint32_t baseAt = 0x1C + kVolumeSize;
    const std::uint32_t suffixAt = baseAt + static_cast<std::uint32_t>(link.target.size()) + 1;
    Put32(&out, suffixAt + 1);
    Put32(&out, 0x1C);
    Put32(&out, kVolumeIdAndLocalBasePath);
    Put32(&out, 0x1C);
    Put32(&out, baseAt);
    Put32(&out, 0);  // no network location
    Put32(&out, suffixAt);
    Put32(&out, kVolumeSize);
    Put32(&out, kDriveFixed);
    Put32(&out, 0);
    Put32(&out, 0x10);
    out.push_back('\0');
    out.append(link.target).push_back('\0');
    out.push_back('\0');  // empty common path suffix
  }
  for (const StringField& f : kStrings) {
    if (!(flags & f.flag)) continue;
    std::u16string wide = AcpToWide(link.*f.text);
    Put16(&out, static_cast<std::uint32_t>(wide.size()));
    for (char16_t c : wide) Put16(&out, c);
  }
  Put32(&out, 0);  // terminal block
  return out;
}

bool ParseLink(const std::string& bytes, LinkData* link) {
  Reader r{bytes};
  if (r.Read(4) != kLinkHeaderSize || !r.Has(kLinkHeaderSize - 4) ||
      bytes.compare(4, 16, reinterpret_cast<const char*>(kShellLinkClsid), 16) != 0) {
    return false;
  }
  LinkData parsed;
  const std::uint32_t flags = r.Get(0x14, 4);
  parsed.fileAttributes = r.Get(0x18, 4);
  parsed.fileSize = r.Get(0x34, 4);
  parsed.iconIndex = static_cast<std::int32_t>(r.Get(0x38, 4));
  parsed.showCommand = r.Get(kLinkShowCommandAt, 4);
  parsed.hotkey = static_cast<std::uint16_t>(r.Get(kLinkHotkeyAt, 2));
  r.at = kLinkHeaderSize;
  if (flags & kHasIdList) r.Skip(r.Read(2));
  if ((flags & kHasLinkInfo) && !ReadLinkInfo(&r, &parsed)) return false;
  for (const StringField& f : kStrings) {
    if ((flags & f.flag) && !ReadString(&r, (flags & kIsUnicode) != 0, &(parsed.*f.text))) {
      return false;
    }
  }
  if (!r.ok) return false;
  *link = parsed;
  return true;
}

}  // namespace zorw
