// libFuzzer target: the Pi header reader, the stream decoder from a memory
// source and the placement into a surface. Any input: no read outside the
// input, no write outside the pixel buffer or the surface. Raw streams are
// decoded a second time from windows of a few bytes each, as the file
// loader hands over its chunks; both decodings must agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/pi_decode.h"
#include "image/pi_header.h"
#include "image/pi_place.h"

namespace {

// Pictures beyond this many pixels are decoded only in the raw mode below,
// where the fuzzer picks small sizes; big ones cost time, not coverage.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 22;

// Windows of `step` bytes over the rest of a stream, each a heap copy of
// exactly its bytes, so a read past a window's end is caught.
struct Windows {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t step;
  std::vector<std::uint8_t> window;
};

bool NextWindow(void* context, const std::uint8_t** data, std::size_t* size) {
  Windows& w = *static_cast<Windows*>(context);
  if (w.size == 0) return false;
  const std::size_t n = w.size < w.step ? w.size : w.step;
  w.window.assign(w.data, w.data + n);
  w.data += n;
  w.size -= n;
  *data = w.window.data();
  *size = n;
  return true;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

void Place(const zor::PiPixels& px, const std::uint8_t* palette, std::uint8_t knobs) {
  // A surface of exactly its rows' bytes, so ASan sees any stray write.
  const int bpp = (knobs & 1) ? 3 : 1;
  const int sw = 5 + (knobs >> 4), sh = 3 + ((knobs >> 1) & 7);
  const std::size_t stride = static_cast<std::size_t>((bpp * sw + 3) & ~3);
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(sh));
  const zor::PiSurface surface{bits.data(), sw, sh, bpp};
  const std::int32_t value = zor::PiCornerValue(px.picture, px.width, px.height, (knobs >> 3) & 7,
                                                (knobs & 0x40) ? 256 + knobs : -1);
  bool mask[256];
  const bool any = zor::PiTransparentMask(value, 0x00804020u * knobs, palette, mask);
  zor::PlacePiPicture(px.picture, px.width, px.height, surface, (knobs % 7) - 1, (knobs % 5) - 1,
                      any ? mask : nullptr, palette);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Whole files: header, then the stream in place.
  zor::PiHeader header{};
  std::int32_t dims[2];
  const std::size_t n = size < zor::kPiChunkBytes ? size : zor::kPiChunkBytes;
  if (zor::ParsePiHeader(data, n, &header, dims) == 0 && dims[0] >= 3 &&
      dims[0] <= zor::kPiMaxWidth &&
      std::uint64_t(dims[0]) * std::uint64_t(dims[1]) <= kMaxPixels) {
    zor::PiByteSource src{data + header.dataOffset, size - header.dataOffset, nullptr, nullptr};
    zor::PiPixels px;
    if (zor::DecodePiStream(src, dims[0], dims[1], header.colourCount, &px) == 0) {
      Place(px, header.palette, size > 0 ? data[size - 1] : 0);
    }
  }

  // Raw streams: four bytes choose the size and colour count, the rest is
  // the stream, so the fuzzer reaches the decoder without a header.
  if (size >= 4) {
    const std::int32_t w = 1 + ((data[0] | (data[1] & 0x1F) << 8) % zor::kPiMaxWidth);
    const std::int32_t h = data[2] % 64;
    const std::int32_t colours = (data[1] & 0x80) ? 256 : 16;
    zor::PiByteSource src{data + 4, size - 4, nullptr, nullptr};
    zor::PiPixels px;
    const std::int32_t status = zor::DecodePiStream(src, w, h, colours, &px);

    Windows rest{data + 4, size - 4, std::size_t{1} + data[3] % 11, {}};
    std::vector<std::uint8_t> first;
    const std::uint8_t* firstData = nullptr;
    std::size_t firstSize = 0;
    if (NextWindow(&rest, &firstData, &firstSize)) first = rest.window;
    zor::PiByteSource chunked{first.data(), first.size(), NextWindow, &rest};
    zor::PiPixels again;
    Check(zor::DecodePiStream(chunked, w, h, colours, &again) == status);
    if (status == 0 && h > 0) {
      Check(again.complete == px.complete &&
            std::memcmp(again.picture, px.picture, std::size_t(w) * std::size_t(h)) == 0);
    }
    if (status == 0) {
      std::uint8_t palette[768];
      zor::PiDefaultPalette(colours, palette);
      Place(px, palette, data[3]);
    }
  }
  return 0;
}
