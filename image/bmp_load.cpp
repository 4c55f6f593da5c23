// BMP rows straight from the file. The caller's work buffer has bfSize
// bytes, but only its head (the headers and colour table) and one block of
// rows are ever touched: fresh pages that are never used cost nothing.
#include "image/bmp_load.h"

#include <algorithm>
#include <cstring>

#include "image/bmp_file.h"
#include "image/byte_order.h"
#include "image/dib.h"

namespace zor {

namespace {

constexpr std::uint64_t kBlockBytes = 256 * 1024;  // rows per read: stays in the L2 cache

// The reads in order; once one comes short, everything after is 0.
struct Input {
  const BmpReader& reader;
  std::uint64_t reached = 0;
  bool ended = false;

  void Read(std::uint8_t* into, std::uint64_t count) {
    reached += count;
    std::uint32_t got = 0;
    if (!ended && count != 0) {
      got = reader.read(reader.context, static_cast<std::uint32_t>(count), into);
      if (got > count) got = static_cast<std::uint32_t>(count);
    }
    if (got < count) {
      ended = true;
      std::memset(into + got, 0, static_cast<std::size_t>(count - got));
    }
  }
};

// The bytes before the pixel rows, as the header describes them; only a
// size that CheckDib accepts is ever used past its checks.
std::uint64_t HeadBytes(const std::uint8_t* file, std::uint32_t size) {
  const std::uint8_t* h = file + kBmpFileHeader;
  const std::uint64_t headerSize = ReadLe32(h);
  const unsigned bits = ReadLe16(h + 14);
  const std::uint64_t colours = bits <= 8 ? std::uint64_t{1} << bits : 0;
  const std::uint64_t masks = ReadLe32(h + 16) == 3 ? 12 : 0;
  return std::min<std::uint64_t>(size, kBmpFileHeader + headerSize + masks + 4 * colours);
}

}  // namespace

std::int32_t DrawBmpFile(HspScreen* screen, std::uint32_t size, std::uint8_t* work, std::int32_t x,
                         std::int32_t y, std::uint8_t* hostPalette, const BmpReader& reader,
                         std::uint64_t* reached, bool* shortRead) {
  Input in{reader};
  auto finish = [&](std::int32_t status) {
    *reached = in.reached;
    *shortRead = in.ended;
    return status;
  };
  std::uint8_t* const file = work;

  // The fixed headers first (size >= 58 covers them), then the rest of the
  // head, whose length they give.
  constexpr std::uint64_t kFixed = kBmpFileHeader + 40;
  in.Read(file, kFixed);
  const std::uint64_t head = std::max(kFixed, HeadBytes(file, size));
  in.Read(file + kFixed, head - kFixed);

  const bool palette = screen->paletteMode != 0;
  DibLayout d;
  std::int32_t status = CheckDib(file + kBmpFileHeader, size - kBmpFileHeader, palette, &d);
  if (status != 0) return finish(status);
  // CheckDib bounds the rows by bfSize: they start at `head` and fit after it.
  std::uint32_t bgr[256];
  DibTarget t;
  if (!PrepareDibTarget(screen, d, file + kBmpFileHeader + d.tableOffset, x, y, hostPalette, bgr,
                        &t)) {
    return finish(0);
  }
  std::uint8_t* const spare = file + head;  // free room: at least the rows' bytes
  const std::uint64_t row = static_cast<std::uint64_t>(d.sourceRow);
  const std::uint64_t rowsBytes = row * static_cast<std::uint64_t>(d.height);
  const std::uint64_t block = std::min(rowsBytes, std::max(row, kBlockBytes / row * row));

  // Rows below the drawn lines are read past, a block at a time.
  for (std::uint64_t skip = static_cast<std::uint64_t>(t.firstRow) * row; skip != 0;) {
    const std::uint64_t n = std::min(skip, block);
    in.Read(spare, n);
    skip -= n;
  }

  const std::uint64_t drawn = static_cast<std::uint64_t>(t.drawHeight);
  // Placed at column 0 (the target is then a whole number of screen rows).
  if (d.line == DibLine::kCopy && t.firstTarget % t.screenRow == 0 && d.width == screen->width) {
    // Same layout: the drawn rows are one run of the screen's rows. Their
    // padding bytes are not the picture's, so they are kept around the read.
    const std::size_t used = static_cast<std::size_t>(t.drawWidth * t.bytesPerPixel);
    const std::size_t pad = static_cast<std::size_t>(row) - used;
    std::uint8_t* const start = t.pixels + t.firstTarget;
    for (std::uint64_t i = 0; pad != 0 && i < drawn; ++i) {
      std::memcpy(spare + i * pad, start + i * row + used, pad);
    }
    in.Read(start, drawn * row);
    for (std::uint64_t i = 0; pad != 0 && i < drawn; ++i) {
      std::memcpy(start + i * row + used, spare + i * pad, pad);
    }
    return finish(0);
  }

  const std::uint64_t perBlock = block / row;
  for (std::uint64_t done = 0; done < drawn;) {
    const std::uint64_t n = std::min(perBlock, drawn - done);
    in.Read(spare, n * row);
    DrawDibRows(d, t, bgr, spare, t.firstRow + static_cast<std::int64_t>(done),
                static_cast<std::int64_t>(n));
    done += n;
  }
  return finish(0);
}

}  // namespace zor
