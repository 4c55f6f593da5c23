// The text steps of the system exports, called directly: skipping the
// program name, building the file-type list, the environment reference.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/command_line.h"
#include "system/env_reference.h"
#include "system/file_mask.h"

namespace {

TEST(CommandLineStart, SkipsTheProgramNameAndObj) {
  struct {
    const char* line;
    std::int32_t mode;
    const char* want;
  } cases[] = {
      // clang-format off
      {"C:\\p\\run.exe a b", 0, "C:\\p\\run.exe a b"},
      {"C:\\p\\run.exe a b", 1, "a b"},
      {"\"C:\\my p\\run.exe\" a b", 1, "a b"},
      {"\"C:\\my p\\run.exe\"", 1, "\"C:\\my p\\run.exe\""},
      {"\"C:\\my p\\run.exe\" ", 1, "\"C:\\my p\\run.exe\" "},   // nothing after the space
      {"\"C:\\my p\\run.exe\"x y", 1, "\"C:\\my p\\run.exe\"x y"}, // no space after the quote
      {"\"C:\\my p\\run.exe a b", 1, "\"C:\\my p\\run.exe a b"},   // no closing quote
      {"run.exe  x", 1, " x"},
      {"run.exe", 1, "run.exe"},
      {"run.exe ", 1, "run.exe "},
      {"", 1, ""},
      {"a\"b c\" d", 1, "d"},              // the quote comes first: it decides
      {"ab c\"d\" e", 1, "c\"d\" e"},      // the space comes first
      {"run.exe obj x", 16, "x"},
      {"run.exe obj x", 1, "obj x"},
      {"run.exe obj x", 0x80, "x"},
      {"run.exe obj x", 0x100, "obj x"},   // only bits 4 to 7 skip "obj "
      {"run.exe obj ", 16, "obj "},
      {"obj x", 16, "x"},                  // the whole line, then "obj "
      {"run.exe obj", 16, "obj"},
      {"run.exe objx", 16, "objx"},
      {"run.exe OBJ x", 16, "OBJ x"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.line << "' mode " << c.mode);
    EXPECT_STREQ(c.want, c.line + zor::CommandLineStart(c.line, c.mode));
  }
}

template <std::size_t N>
std::string Lit(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// Rows of `rowBytes` bytes each, every row filled with '#' after its text.
std::vector<char> Rows(const std::vector<std::string>& texts, std::uint32_t rowBytes) {
  std::vector<char> rows(texts.size() * rowBytes, '#');
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::string t = texts[i].substr(0, rowBytes);
    std::copy(t.begin(), t.end(), rows.begin() + i * rowBytes);
    if (t.size() < rowBytes) rows[i * rowBytes + t.size()] = 0;
  }
  return rows;
}

TEST(BuildFileMask, PairsAsTerminatedStrings) {
  struct {
    std::vector<std::string> rows;
    std::uint32_t rowBytes, count, pairs;
    std::string want;  // up to and with the closing zeros
  } cases[] = {
      {{"Text", "*.txt", "All", "*.*"}, 16, 4, 2, Lit("Text\0*.txt\0All\0*.*\0\0\0\0")},
      {{"Text", "*.txt", "All", "*.*"}, 16, 2, 1, Lit("Text\0*.txt\0\0\0\0")},
      {{"", "", "", ""}, 4, 4, 2, std::string(7, '\0')},
      // Control bytes 1 to 7 end a string too; 8 and above stay.
      {{"a\x01"
        "b",
        "c\x07\x08", "", ""},
       8,
       2,
       1,
       Lit("a\0b\0c\0\x08\0\0\0\0")},
      // A row as long as the row holds no terminator and ends at the row.
      {{"abcdefgh", "ijkl"}, 8, 2, 1, Lit("abcdefgh\0ijkl\0\0\0\0")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows[0]);
    std::vector<char> rows = Rows(c.rows, c.rowBytes);
    std::vector<char> out(zor::kFileMaskBytes, 'z');
    EXPECT_EQ(c.pairs, zor::BuildFileMask({rows.data(), c.rowBytes, c.count}, out.data()));
    EXPECT_EQ(c.want, std::string(out.data(), c.want.size()));
    EXPECT_EQ(std::string(zor::kFileMaskBytes - c.want.size(), '\0'),
              std::string(out.data() + c.want.size(), out.size() - c.want.size()));
  }
}

// Pairs that would not leave room for the closing bytes are left out whole.
TEST(BuildFileMask, CutsAtTheLastPairThatFits) {
  // Pair 1 is 2,000 bytes and `second` bytes, pair 2 is "b" and "c"; each
  // row takes one separator, the list three closing bytes.
  const std::uint32_t row = zor::kFileMaskBytes;
  struct {
    std::size_t second;
    std::uint32_t pairs;
  } cases[] = {
      {4128 - 2000 - 5, 1},      // pair 1 fills the buffer exactly
      {4128 - 2000 - 5 + 1, 0},  // one byte too many: nothing fits
      {4128 - 2000 - 5 - 4, 2},  // pair 2 fills the rest exactly
      {4128 - 2000 - 5 - 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    std::vector<char> rows =
        Rows({std::string(2000, 'a'), std::string(c.second, 'a'), "b", "c"}, row);
    std::vector<char> out(zor::kFileMaskBytes, 'z');
    EXPECT_EQ(c.pairs, zor::BuildFileMask({rows.data(), row, 4}, out.data()));
    if (c.pairs == 0) continue;
    std::size_t end = 2000 + c.second + 2;
    EXPECT_EQ(0, out[2000]);
    if (c.pairs == 2) {
      EXPECT_EQ(std::string("b\0c\0", 4), std::string(out.data() + end, 4));
      end += 4;
    }
    EXPECT_EQ(std::string(zor::kFileMaskBytes - end, '\0'),
              std::string(out.data() + end, zor::kFileMaskBytes - end));
  }
}

TEST(BuildEnvReference, WrapsTheNameOrRefuses) {
  struct {
    std::size_t length;
    bool built;
  } cases[] = {{0, true}, {5, true}, {zor::kEnvNameMax, true}, {zor::kEnvNameMax + 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    std::string name(c.length, 'N');
    std::vector<char> out(zor::kEnvReferenceBytes, 'z');
    EXPECT_EQ(c.built, zor::BuildEnvReference(name.c_str(), out.data()));
    EXPECT_EQ(c.built ? "%" + name + "%" : std::string(out.size(), 'z'),
              std::string(out.data(), c.built ? c.length + 2 : out.size()));
    if (c.built) {
      EXPECT_EQ(0, out[c.length + 2]);
    }
  }
}

}  // namespace
