// BmpLoad and BmpInfo: BMP files into the host screen, and their headers.
#include <cstdlib>
#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "image/bmp_file.h"
#include "image/dib.h"

using namespace zor;

namespace {

// The first read: reports the bytes that arrived (the file is closed).
std::uint32_t Probe(std::uint8_t* buffer) {
  std::uint32_t got = ReadImageFile(kBmpProbeBytes, buffer);
  CloseImageFile();
  return got;
}

}  // namespace

ZOR_EXPORT BmpLoad(HspScreen* screen, const char* name, std::int32_t, std::uint8_t* hostPalette) {
  std::int32_t x = screen->currentX, y = screen->currentY;
  if (x < 0 || x >= screen->width) x = 0;
  if (y < 0 || y >= screen->height) y = 0;

  std::uint8_t probe[kBmpProbeBytes + 4];
  if (OpenImageFile(name) != 0) return -1;
  if (Probe(probe) < kBmpMinBytes) return -2;
  if (!BmpSignatureOk(probe)) return -3;
  std::uint32_t size = BmpFileSize(probe);
  if (size < kBmpMinBytes) return -4;

  // Zero-filled, so a short read leaves no stale memory to be drawn.
  std::uint8_t* whole = static_cast<std::uint8_t*>(std::calloc(size, 1));
  if (whole == nullptr) return -16;
  if (OpenImageFile(name) != 0) {
    std::free(whole);
    return -1;
  }
  std::uint32_t got = ReadImageFile(size, whole);
  CloseImageFile();
  std::int32_t status =
      PlaceDib(screen, whole + kBmpFileHeader, size - kBmpFileHeader, x, y, hostPalette);
  std::free(whole);
  if (status != 0) return status;
  return got < size ? -32 : 0;
}

ZOR_EXPORT BmpInfo(HspVar* var, const char* name, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt) return -1;
  if (var->lengths[1] < 7) return -2;
  std::uint8_t probe[kBmpProbeBytes + 4];
  if (OpenImageFile(name) != 0) return -16;
  if (Probe(probe) < kBmpMinBytes) return -17;
  if (!BmpSignatureOk(probe)) return -18;
  std::int32_t values[7];
  BmpInfoValues(probe, values);
  std::int32_t* out = VarInts(*var);
  out[4] = values[4];
  if (BmpFileSize(probe) < kBmpMinBytes) return -19;
  for (int i = 0; i < 7; ++i) out[i] = values[i];
  return 0;
}
