// libFuzzer target: BMP header reading (BmpInfo's fields) and PlaceDib over
// both the BMP-file form (a bfSize buffer, zero past the input, as BmpLoad
// builds it) and the clipboard form (the input as a packed DIB), into a
// palette screen and a full-colour screen.
#include <sys/mman.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/host_records.h"
#include "image/bmp_file.h"
#include "image/dib.h"

namespace {

constexpr int kWidth = 61, kHeight = 37;
constexpr std::size_t kMaxFileBuffer = std::size_t{1} << 22;

void* Low(std::size_t n) {
  void* p =
      mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (p == MAP_FAILED) std::abort();
  return p;
}

// A screen record over a DIB section in a memory DC, as the host has it.
zor::HspScreen* MakeScreen(bool palette) {
  auto* s = static_cast<zor::HspScreen*>(Low(sizeof(zor::HspScreen)));
  auto* info = static_cast<BITMAPINFO*>(Low(sizeof(BITMAPINFOHEADER) + 1024));
  info->bmiHeader.biSize = 40;
  info->bmiHeader.biWidth = kWidth;
  info->bmiHeader.biHeight = kHeight;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = palette ? 8 : 24;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(dc, bmp);
  s->width = kWidth;
  s->height = kHeight;
  s->paletteMode = palette ? 1 : 0;
  s->memoryDc = zor::ToHostAddr(dc);
  s->pixelBits = zor::ToHostAddr(bits);
  s->bitmapInfo = zor::ToHostAddr(info);
  s->colourTable = zor::ToHostAddr(info->bmiColors);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zor::HspScreen* screens[2] = {MakeScreen(true), MakeScreen(false)};
  static std::uint8_t* palette = static_cast<std::uint8_t*>(Low(768));

  // The clipboard form: the input is the packed DIB, exactly its bytes.
  std::int32_t x = size > 0 ? data[size - 1] % 70 : 0, y = size > 1 ? data[size - 2] % 45 : 0;
  for (zor::HspScreen* s : screens) {
    std::int32_t cx = x < s->width ? x : 0, cy = y < s->height ? y : 0;
    zor::PlaceDib(s, data, size, cx, cy, palette);
  }

  if (size < zor::kBmpMinBytes) return 0;
  std::int32_t values[7];
  zor::BmpInfoValues(data, values);
  if (!zor::BmpSignatureOk(data)) return 0;
  std::uint32_t fileSize = zor::BmpFileSize(data);
  if (fileSize < zor::kBmpMinBytes) return 0;
  // The file form: a bfSize buffer holding the input, zero past its end.
  std::size_t n = std::min<std::size_t>(fileSize, kMaxFileBuffer);
  std::vector<std::uint8_t> whole(n, 0);
  std::memcpy(whole.data(), data, std::min(n, size));
  for (zor::HspScreen* s : screens) {
    zor::PlaceDib(s, whole.data() + zor::kBmpFileHeader, n - zor::kBmpFileHeader, 0, 0, palette);
  }
  return 0;
}
