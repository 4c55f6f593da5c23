// libFuzzer target: BmpLoad's row reading (DrawBmpFile) against PlaceDib
// over the whole file in a zero-filled bfSize buffer. The input is the
// file; the last two bytes pick the current position. Both must give the
// same status, pixels and host palette, on a palette and a full-colour
// screen.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/host_records.h"
#include "image/bmp_file.h"
#include "image/bmp_load.h"
#include "image/dib.h"
#include "support/screen.h"
#include "support/zortest.h"

namespace {

constexpr int kWidth = 29, kHeight = 17;
constexpr std::uint32_t kMaxFileBuffer = std::uint32_t{1} << 22;

struct Source {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at;
};

std::uint32_t Read(void* context, std::uint32_t count, void* buffer) {
  Source& s = *static_cast<Source*>(context);
  const std::size_t n = std::min<std::size_t>(count, s.size - s.at);
  std::memcpy(buffer, s.data + s.at, n);
  s.at += n;
  return static_cast<std::uint32_t>(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zt::TestScreen fast[2] = {{kWidth, kHeight, true}, {kWidth, kHeight, false}};
  static zt::TestScreen slow[2] = {{kWidth, kHeight, true}, {kWidth, kHeight, false}};
  if (size < zor::kBmpMinBytes || !zor::BmpSignatureOk(data)) return 0;
  const std::uint32_t fileSize = zor::BmpFileSize(data);
  if (fileSize < zor::kBmpMinBytes || fileSize > kMaxFileBuffer) return 0;
  std::int32_t x = data[size - 1] % 35, y = data[size - 2] % 21;

  std::vector<std::uint8_t> whole(fileSize, 0);
  std::memcpy(whole.data(), data, std::min<std::size_t>(fileSize, size));
  std::vector<std::uint8_t> work(fileSize, 0xA5);  // uninitialised, as far as the loader knows
  for (int i = 0; i < 2; ++i) {
    const std::int32_t cx = x < kWidth ? x : 0, cy = y < kHeight ? y : 0;
    std::uint8_t palettes[2][768];
    std::memset(palettes, 0x3C, sizeof palettes);
    for (zt::TestScreen* s : {&fast[i], &slow[i]}) {
      std::memset(s->bits(), 0x69, s->pixelBytes());
    }
    Source source{data, size, 0};
    const zor::BmpReader reader{Read, &source};
    std::uint64_t reached = 0;
    bool shortRead = false;
    std::int32_t got = zor::DrawBmpFile(fast[i], fileSize, work.data(), cx, cy, palettes[0], reader,
                                        &reached, &shortRead);
    if (got == 0 && !shortRead && reached < fileSize && size < fileSize) shortRead = true;
    if (got == 0 && shortRead) got = -32;
    std::int32_t want = zor::PlaceDib(slow[i], whole.data() + zor::kBmpFileHeader,
                                      fileSize - zor::kBmpFileHeader, cx, cy, palettes[1]);
    if (want == 0 && size < fileSize) want = -32;
    if (got != want) std::abort();
    if (std::memcmp(fast[i].bits(), slow[i].bits(), fast[i].pixelBytes()) != 0) std::abort();
    if (std::memcmp(palettes[0], palettes[1], 768) != 0) std::abort();
  }
  return 0;
}
