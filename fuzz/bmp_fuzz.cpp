// libFuzzer target: BMP header reading (BmpInfo's fields) and PlaceDib over
// both the BMP-file form (a bfSize buffer, zero past the input, as BmpLoad
// builds it) and the clipboard form (the input as a packed DIB), into a
// palette screen and a full-colour screen.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/host_records.h"
#include "image/bmp_file.h"
#include "image/dib.h"
#include "support/screen.h"
#include "support/zortest.h"

namespace {

constexpr int kWidth = 61, kHeight = 37;
constexpr std::size_t kMaxFileBuffer = std::size_t{1} << 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zt::TestScreen screenStore[2] = {{kWidth, kHeight, true}, {kWidth, kHeight, false}};
  static zor::HspScreen* const screens[2] = {screenStore[0], screenStore[1]};
  static std::uint8_t* palette = static_cast<std::uint8_t*>(zt::LowAlloc(768));

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
