// Fuzzes the menu item builder on hostile rows: it must read only the rows
// it was given (the heap copy is exactly rows x stride bytes), number the
// text items 1, 2, 3, ... and label each with its row's text.
//
// Input: byte 0 the stride in 4-byte units (0 to 15), byte 1 the requested
// count; the rest are the rows.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "window/menu_items.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint32_t stride = 4u * (data[0] % 16);
  const std::uint32_t rows = stride == 0 ? data[1] % 8 : (size - 2) / stride;
  const std::uint32_t count = zor::MenuItemCount(static_cast<std::int8_t>(data[1]) * 37, rows);
  Check(count <= rows);
  std::vector<std::uint8_t> bytes(data + 2, data + 2 + std::size_t{rows} * stride);
  const std::vector<zor::MenuItem> items =
      zor::BuildMenuItems(bytes.empty() ? nullptr : bytes.data(), stride, count);
  Check(items.size() == count);
  std::uint32_t next = 1;
  for (std::uint32_t i = 0; i < count; ++i) {
    const zor::MenuItem& item = items[i];
    const std::uint8_t* row = stride == 0 ? nullptr : bytes.data() + std::size_t{i} * stride;
    std::size_t n = 0;
    while (n < stride && row[n] != 0) ++n;
    if (n == 1 && row[0] == '-') {
      Check(item.separator && item.id == 0 && item.label.empty());
    } else {
      Check(!item.separator && item.id == next++);
      Check(item.label.size() == n && (n == 0 || std::memcmp(item.label.data(), row, n) == 0));
    }
  }
  return 0;
}
