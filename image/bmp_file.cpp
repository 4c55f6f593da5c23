// The image file handle, open only inside one BMP call, and the header.
#include "image/bmp_file.h"

#include <windows.h>

#include "image/byte_order.h"

namespace zor {

namespace {

HANDLE g_imageFile = INVALID_HANDLE_VALUE;

constexpr DWORD kAttributeFlags = 0x27;

// A signed 32-bit header field.
std::int32_t Le32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadLe32(p)); }

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

std::uint64_t ImageFileSize() {
  DWORD high = 0;
  SetLastError(0);
  DWORD low = GetFileSize(g_imageFile, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != 0) return ~std::uint64_t{0};
  return std::uint64_t{high} << 32 | low;
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
  values[3] = ReadLe16(h + 14);
  // BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS as the script sees them.
  constexpr std::int32_t kCompressionCodes[4] = {0, 3, 2, 1};
  values[0] = compression < 4 ? kCompressionCodes[compression] : 65535;
  values[1] = Le32(h + 4);
  values[2] = Le32(h + 8);
  values[4] = static_cast<std::int32_t>(BmpFileSize(p));
  values[5] = Le32(h + 24);
  values[6] = Le32(h + 28);
}

}  // namespace zor
