// Pi stream decoder: colour, position and length codes into a pixel buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zor {

constexpr std::int32_t kPiMaxWidth = 8192;
constexpr std::int32_t kPiMaxHeight = 65535;

constexpr std::int32_t kPiNoStream = -2;  // the initial colours cannot be read
constexpr std::int32_t kPiNoMemory = -4;  // the pixel buffer cannot be allocated
constexpr std::int32_t kPiBadSize = -5;   // width or height outside what a header can give

// Where the compressed bytes come from: a first window, and optionally a
// routine that supplies the next one (a file's following chunk). `more`
// returns false at the end of the data or when a read fails.
struct PiByteSource {
  const std::uint8_t* data;
  std::size_t size;
  bool (*more)(void* context, const std::uint8_t** data, std::size_t* size);
  void* context;
};

struct FreeBytes {
  void operator()(std::uint8_t* p) const;
};

// A decoded picture: width x height palette indexes, rows top first.
struct PiPixels {
  std::unique_ptr<std::uint8_t, FreeBytes> block;  // leading area, picture, slack
  const std::uint8_t* picture = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool complete = false;  // false when the stream ended before the last pixel
};

// Decodes a stream for a picture of the given size (width 1 to 8,192, height
// 0 to 65,535) and colour count (16 or 256). Pixels the stream does not
// reach are 0. Returns 0 (also when the stream ends early), kPiNoStream,
// kPiNoMemory or kPiBadSize.
std::int32_t DecodePiStream(const PiByteSource& source, std::int32_t width, std::int32_t height,
                            std::int32_t colourCount, PiPixels* out);

}  // namespace zor
