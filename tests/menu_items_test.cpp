// Menu items from string array rows: separators, identifiers, the item
// count rule, and rows that fill their stride.
#include "window/menu_items.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using zor::MenuItem;

// Rows of `stride` bytes each, holding the given texts cut or padded with
// zeros to the stride; exactly rows x stride bytes, so a read past them is
// caught by the address sanitizer.
std::vector<std::uint8_t> Rows(const std::vector<std::string>& texts, std::uint32_t stride) {
  std::vector<std::uint8_t> bytes(texts.size() * stride);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::memcpy(bytes.data() + i * stride, texts[i].data(),
                std::min<std::size_t>(texts[i].size(), stride));
  }
  return bytes;
}

// "|" for a separator, else "id:label".
std::string Describe(const std::vector<MenuItem>& items) {
  std::string out;
  for (const MenuItem& i : items) {
    if (!out.empty()) out += ' ';
    out += i.separator ? "|" : std::to_string(i.id) + ":" + i.label;
    if (i.separator && (i.id != 0 || !i.label.empty())) out += "(bad)";
  }
  return out;
}

TEST(MenuItems, SeparatorsTakeNoIdentifier) {
  struct {
    std::vector<std::string> rows;
    std::uint32_t stride, count;
    std::string want;
  } cases[] = {
      {{"A", "-", "B", "-", "C"}, 8, 5, "1:A | 2:B | 3:C"},
      {{"A", "-", "B", "-", "C"}, 8, 2, "1:A |"},
      {{"-", "-", "X"}, 4, 3, "| | 1:X"},
      // Only "-" with its terminator is a separator.
      {{"--", "- ", "-x", "", "x-"}, 4, 5, "1:-- 2:-  3:-x 4: 5:x-"},
      // A row without a terminator ends at its stride: "ABCD", not
      // "ABCDEF"; the last row is read up to its end and no further.
      {{"ABCD", "EF", "WXYZ"}, 4, 3, "1:ABCD 2:EF 3:WXYZ"},
      {{"-ABC", "Q"}, 4, 2, "1:-ABC 2:Q"},
      {{"A", "B"}, 8, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    std::vector<std::uint8_t> bytes = Rows(c.rows, c.stride);
    EXPECT_EQ(c.want, Describe(zor::BuildMenuItems(bytes.data(), c.stride, c.count)));
  }
}

// A stride of 0 describes no storage: nothing is read and every row is an
// empty text item.
TEST(MenuItems, ZeroStrideReadsNothing) {
  EXPECT_EQ("1: 2: 3:", Describe(zor::BuildMenuItems(nullptr, 0, 3)));
}

TEST(MenuItems, CountIsTheRequestWhenBelowTheRows) {
  struct {
    std::int32_t requested;
    std::uint32_t rows, want;
  } cases[] = {
      {2, 5, 2},       {4, 5, 4},       {0, 5, 5}, {-1, 5, 5}, {5, 5, 5}, {9, 5, 5},
      {INT_MIN, 3, 3}, {INT_MAX, 3, 3}, {1, 0, 0}, {0, 0, 0},  {1, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.requested) + " of " + std::to_string(c.rows));
    EXPECT_EQ(c.want, zor::MenuItemCount(c.requested, c.rows));
  }
}

}  // namespace
