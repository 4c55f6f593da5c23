// The image file handle, open only inside one BMP call, and the header.
#include "image/bmp_file.h"

#include <windows.h>

namespace zor {

namespace {

HANDLE g_imageFile = INVALID_HANDLE_VALUE;

constexpr DWORD kAttributeFlags = 0x27;

std::int32_t Le32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                   (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

}  // namespace

int OpenImageFile(const char* name) {
  g_imageFile =
      CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, kAttributeFlags, nullptr);
  return g_imageFile == INVALID_HANDLE_VALUE ? 1 : 0;
}

std::uint32_t ReadImageFile(std::uint32_t count, void* buffer) {
  DWORD got = 0;
  if (!ReadFile(g_imageFile, buffer, count, &got, nullptr) || got == 0) {
    CloseImageFile();
    return 0;
  }
  return got;
}

void CloseImageFile() {
  if (g_imageFile == INVALID_HANDLE_VALUE) return;
  CloseHandle(g_imageFile);
  g_imageFile = INVALID_HANDLE_VALUE;
}

bool BmpSignatureOk(const std::uint8_t* p) {
  return p[0] == 0x42 && p[1] == 0x4D && p[6] == 0 && p[7] == 0;
}

std::uint32_t BmpFileSize(const std::uint8_t* p) { return static_cast<std::uint32_t>(Le32(p + 2)); }

void BmpInfoValues(const std::uint8_t* p, std::int32_t values[7]) {
  const std::uint8_t* h = p + kBmpFileHeader;
  std::uint32_t compression = static_cast<std::uint32_t>(Le32(h + 16));
  values[3] = h[14] | (h[15] << 8);
  switch (compression) {
    case 0:
      values[0] = 0;
      break;
    case 3:
      values[0] = 1;
      break;
    case 2:
      values[0] = 2;
      break;
    case 1:
      values[0] = 3;
      break;
    default:
      values[0] = 65535;
      break;
  }
  values[1] = Le32(h + 4);
  values[2] = Le32(h + 8);
  values[4] = static_cast<std::int32_t>(BmpFileSize(p));
  values[5] = Le32(h + 24);
  values[6] = Le32(h + 28);
}

}  // namespace zor
