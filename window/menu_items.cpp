#include "window/menu_items.h"

#include <cstring>

namespace zor {

std::uint32_t MenuItemCount(std::int32_t requested, std::uint32_t rows) {
  if (requested > 0 && static_cast<std::uint32_t>(requested) < rows) {
    return static_cast<std::uint32_t>(requested);
  }
  return rows;
}

std::vector<MenuItem> BuildMenuItems(const std::uint8_t* bytes, std::uint32_t stride,
                                     std::uint32_t count) {
  std::vector<MenuItem> items;
  items.reserve(count);
  std::uint32_t nextId = 1;
  for (std::uint32_t i = 0; i < count; ++i) {
    // A stride of 0 describes no bytes at all: the row is empty.
    const char* row =
        stride == 0 ? "" : reinterpret_cast<const char*>(bytes) + std::size_t{i} * stride;
    const void* end = stride == 0 ? row : std::memchr(row, 0, stride);
    std::size_t length = end == nullptr ? stride : static_cast<const char*>(end) - row;
    if (length == 1 && row[0] == '-') {
      items.push_back({true, 0, std::string()});
    } else {
      items.push_back({false, nextId++, std::string(row, length)});
    }
  }
  return items;
}

}  // namespace zor
