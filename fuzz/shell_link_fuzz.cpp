// libFuzzer target: the stand-in's shell link reader and GetShortCutParam
// over it. The input is a .lnk file.
//
// ParseLink either refuses the bytes or yields settings that BuildLink
// writes back to a file it reads again to the same settings (texts of a
// UTF-16 file exactly; texts of an ANSI file after one conversion). The
// export then loads the input as a file and copies one setting, chosen by
// the last byte, into a variable whose storage ends at an inaccessible
// page: the copy is the parsed setting cut to the row, terminated inside it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/export.h"
#include "host/host_records.h"
#include "shell_link_file.h"
#include "system/shortcut_params.h"

extern "C" std::int32_t GetShortCutParam(zor::HspVar* var, const char* path, std::int32_t setting,
                                         std::int32_t);

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Same(const zorw::LinkData& a, const zorw::LinkData& b, bool texts) {
  return a.target == b.target && a.fileAttributes == b.fileAttributes && a.fileSize == b.fileSize &&
         a.iconIndex == b.iconIndex && a.showCommand == b.showCommand && a.hotkey == b.hotkey &&
         (!texts || (a.description == b.description && a.relativePath == b.relativePath &&
                     a.workingDirectory == b.workingDirectory && a.arguments == b.arguments &&
                     a.iconLocation == b.iconLocation));
}

// Low memory of two pages, the second inaccessible: a variable's storage
// placed to end at the boundary faults on any write past it.
constexpr std::size_t kPage = 4096;
std::uint8_t* GuardedPages() {
  void* p = mmap(nullptr, 2 * kPage, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (p == MAP_FAILED || mprotect(static_cast<std::uint8_t*>(p) + kPage, kPage, PROT_NONE) != 0) {
    std::abort();
  }
  return static_cast<std::uint8_t*>(p);
}

const std::string& LinkPath() {
  static const std::string path = [] {
    // A memory file system where there is one: every input is written to
    // the file and removed again, which on a disk costs a flush each time.
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/zt_fuzz_link_" + std::to_string(getpid()) + ".lnk";
  }();
  return path;
}

void Export(const std::uint8_t* data, std::size_t size, bool parsed, const zorw::LinkData& link) {
  static std::uint8_t* const pages = GuardedPages();
  static zor::HspVar* const var = static_cast<zor::HspVar*>(static_cast<void*>(pages));
  FILE* f = std::fopen(LinkPath().c_str(), "wb");
  Check(f != nullptr && std::fwrite(data, 1, size, f) == size && std::fclose(f) == 0);

  const std::uint8_t knobs = size > 0 ? data[size - 1] : 0;
  const std::int32_t setting = knobs % 7;  // 0 and 6: the target
  const std::uint32_t room = 4u * (1 + (knobs >> 3) % 16);
  std::uint8_t* storage = pages + kPage - room;
  std::memset(storage, 0x5A, room);
  std::memset(var, 0, sizeof *var);
  var->type = zor::kTypeString;
  var->lengths[0] = 1;
  var->lengths[1] = static_cast<std::uint16_t>(room / 4);
  var->data = zor::ToHostAddr(storage);
  const std::int32_t status = GetShortCutParam(var, LinkPath().c_str(), setting, 0);
  std::remove(LinkPath().c_str());
  if (setting == 3 && room < 16) {
    Check(status == zor::kBadArg);
    return;
  }
  if (!parsed) {
    Check(status == zor::kFail);
    return;
  }
  // A text setting: the parsed text cut to the row, terminated inside it.
  // A zero inside a setting ends its text.
  auto textIs = [&](const std::string& setting) {
    const std::string want = setting.substr(0, setting.find('\0'));
    const void* end = std::memchr(storage, 0, room);
    const std::size_t n = want.size() < room - 1 ? want.size() : room - 1;
    return status == 0 && end == storage + n && std::memcmp(storage, want.data(), n) == 0;
  };
  std::int32_t ints[4];
  switch (setting) {
    case 1:
      Check(textIs(link.arguments));
      break;
    case 2:
      Check(textIs(link.workingDirectory));
      break;
    case 3:
      zor::SplitHotkey(link.hotkey, ints);
      Check(status == 0 && std::memcmp(storage, ints, sizeof ints) == 0);
      break;
    case 4:
      Check(textIs(link.iconLocation));
      break;
    case 5:
      Check(status == 0 && std::memcmp(storage, &link.iconIndex, 4) == 0);
      break;
    default:
      // No target: the shell's S_FALSE still counts as a success.
      Check(textIs(link.target));
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  zorw::LinkData first;
  const bool parsed = zorw::ParseLink(bytes, &first);
  if (parsed) {
    const bool unicode = size > 0x14 && (data[0x14] & 0x80) != 0;
    zorw::LinkData second, third;
    const std::string built = zorw::BuildLink(first);
    Check(zorw::ParseLink(built, &second) && Same(first, second, unicode));
    Check(zorw::ParseLink(zorw::BuildLink(second), &third) && Same(second, third, true));
  }
  Export(data, size, parsed, first);
  return 0;
}
