// The items of a popup menu, built from the rows of a string array
// variable: a row holding exactly "-" is a separator, any other row a text
// item. Text items are numbered 1, 2, 3, ... in order; separators take no
// number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zor {

struct MenuItem {
  bool separator;
  std::uint32_t id;   // 0 for a separator
  std::string label;  // empty for a separator
};

// How many rows become items: `requested` when it is above 0 and below
// `rows`, else every row.
std::uint32_t MenuItemCount(std::int32_t requested, std::uint32_t rows);

// Builds `count` items from rows of `stride` bytes starting at `bytes`.
// Reads nothing past count x stride bytes: a row with no terminator inside
// its stride gives the label of all its stride bytes.
std::vector<MenuItem> BuildMenuItems(const std::uint8_t* bytes, std::uint32_t stride,
                                     std::uint32_t count);

}  // namespace zor
