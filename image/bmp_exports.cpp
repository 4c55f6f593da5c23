// BmpLoad and BmpInfo: BMP files into the host screen, and their headers.
#include <cstdlib>
#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "image/bmp_file.h"
#include "image/bmp_load.h"
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

  // Room for the whole file, as the loader has always asked for (-16 when it
  // cannot be had); it need not be cleared, since the rows mostly go
  // straight into the screen and only a small part of it is touched.
  std::uint8_t* work = static_cast<std::uint8_t*>(std::malloc(size));
  if (work == nullptr) return -16;
  if (OpenImageFile(name) != 0) {
    std::free(work);
    return -1;
  }
  const BmpReader reader{
      [](void*, std::uint32_t count, void* buffer) { return ReadImageFile(count, buffer); },
      nullptr};
  std::uint64_t reached = 0;
  bool shortRead = false;
  std::int32_t status =
      DrawBmpFile(screen, size, work, x, y, hostPalette, reader, &reached, &shortRead);
  // A file shorter than bfSize is drawn with zeros for the missing bytes and
  // reported, also when the rows drawn lay before its end.
  if (status == 0 && !shortRead && reached < size && ImageFileSize() < size) shortRead = true;
  CloseImageFile();
  std::free(work);
  if (status != 0) return status;
  return shortRead ? -32 : 0;
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
