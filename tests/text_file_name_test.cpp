// CheckFilename, NodeExt and the character-boundary search FindChr.
#include <gtest/gtest.h>

#include <string>

#include "support/zortest.h"
#include "text/file_name.h"

namespace {

ZT_EXPORT(CheckFilename, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(NodeExt, zor::HspVar*, const char*, std::int32_t, std::int32_t);

TEST(FindChr, FindsOnlyAtCharacterBoundaries) {
  EXPECT_EQ(-2, zor::FindChr("abc", 'a', -1));
  EXPECT_EQ(0, zor::FindChr("abc", 'a', 0));
  EXPECT_EQ(-1, zor::FindChr("abc", 'a', 1));
  EXPECT_EQ(2, zor::FindChr("abc", 'c', 1));
  EXPECT_EQ(-1, zor::FindChr("abc", 'x', 0));
  const char* soA = "\x83\x5c\x61\x5c";             // ソa\ (0x5C as second byte, then '\')
  EXPECT_EQ(3, zor::FindChr(soA, '\\', 0));         // the second byte is skipped
  EXPECT_EQ(1, zor::FindChr(soA, '\\', 1));         // unless the walk starts there
  EXPECT_EQ(0, zor::FindChr("\x83\x5c", 0x83, 0));  // a lead byte equal to the value
  EXPECT_EQ(-1, zor::FindChr("a\x83", '\\', 0));    // lone lead byte before the end
  EXPECT_EQ(-1, zor::FindChr("\xfd\\", '\\', 0));   // 0xFD leads too
  EXPECT_EQ(1, zor::FindChr("\xa0\\", '\\', 0));    // 0xA0 does not
}

TEST(CheckFilename, ForbiddenCharactersAndDriveColon) {
  // clang-format off
  const struct {
    std::string name;
    std::int32_t noDirs, semicolon, want;
  } cases[] = {
      {"a\\b.txt", 0, 0, 0}, {"a\\b.txt", 1, 0, -255}, {"a;b", 0, 0, -255}, {"a;b", 0, 1, 0},
      {"a;b\\", 1, 1, -255}, {"", 0, 0, 0},             {"name 1.txt", 0, 0, 0},
      {"ab\"d", 0, 1, -255},  {"ab<d", 0, 1, -255},      {"ab>d", 0, 1, -255}, {"ab?d", 0, 1, -255},
      {"ab*d", 0, 1, -255},   {"ab/d", 0, 1, -255},      {"ab|d", 0, 1, -255},
      {"*ab", 0, 1, -255},    {";ab", 0, 0, -255},       {"\\ab", 1, 0, -255},  // in first place
      // ':' only second after an ASCII letter; only the first colon counts.
      {"C:\\x", 0, 0, 0},    {"z:x", 0, 0, 0},          {"1:\\x", 0, 0, -255}, {"ab:c", 0, 0, -255},
      {":", 0, 0, -255},      {"C:a:b", 0, 0, 0},
      // Second bytes 0x5C and 0x7C (of ソ, 表) are no characters; ｱ is one byte.
      {"\x83\x5c\x95\x7c.txt", 1, 0, 0}, {"\x83\x5c\\", 1, 0, -255}, {"\xb1|", 0, 0, -255}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(64);
    v.SetText(c.name);
    EXPECT_EQ(c.want, CheckFilename(v, c.noDirs, c.semicolon, 0)) << c.name;
  }
}

TEST(CheckFilename, TerminatesTheRow) {
  zt::HostVar v = zt::HostVar::String(8);
  std::memcpy(v.text(), "abcdefg*", 8);  // the '*' lies in the last byte
  EXPECT_EQ(0, CheckFilename(v, 0, 0, 0));
  EXPECT_EQ("abcdefg", std::string(v.text()));
}

// Each case on a row filled with '#': status, text, the row's last byte 0,
// and for a missing part the whole row zeroed.
TEST(NodeExt, PartsOfPathsTrimmedAndCutToTheRow) {
  // clang-format off
  const struct {
    std::string path;
    std::int32_t selector, status;
    std::string want;
    std::int32_t trim = 0;
    std::uint32_t row = 64;
  } cases[] = {
      {"c:\\a\\b.c", 1, 0, "C:"}, {"c:\\a\\b.c", 2, 0, "b"}, {"c:\\a\\b.c", 3, 0, "c"},
      {"a:x", 1, 0, "A:"},
      {"c:\\a\\b.c", 4, 0, "b.c"}, {"c:\\a\\b.c", 0, 0, "c:\\a\\"}, {"c:\\a\\b.c", 5, 0, "c:\\a\\"},
      {"c:\\a\\b.c", -1, 0, "c:\\a\\"}, {"c:\\a\\b.c", 1000, 0, "c:\\a\\"},
      // Dots of directories are no extensions; a name that begins with its
      // dot has no base name.
      {"a.d\\file", 2, 0, "file"}, {"a.d\\file", 3, -255, ""}, {"file.tar.gz", 2, 0, "file.tar"},
      {"file.tar.gz", 3, 0, "gz"}, {"x\\.cfg", 2, -255, ""},   {"x\\.cfg", 3, 0, "cfg"},
      {".cfg", 2, -255, ""},       {"C:.cfg", 2, 0, ""},       {"noext", 2, 0, "noext"},
      {"noext", 3, -255, ""},      {"dir\\name.", 3, 0, ""},
      {"C:", 4, 0, ""},            {"C:\\", 4, -255, ""},     {"", 4, -255, ""},
      {"C:name", 4, 0, "name"},    {"name.ext", 0, -255, ""},  {"1:x", 1, -255, ""},
      {"\\\\server\\share\\f", 1, -255, ""},
      {"\\\\server\\share\\f", 0, 0, "\\\\server\\share\\"},
      // 0x83 0x5C (ソ) ends in the backslash byte but is no separator.
      {"d\\\x83\x5c.txt", 4, 0, "\x83\x5c.txt"}, {"d\\\x83\x5c.txt", 0, 0, "d\\"},
      {"\x83\x5c.txt", 2, 0, "\x83\x5c"},        {"\x83\x5c", 0, -255, ""},
      // Trimming removes trailing bytes up to 0x20 from the written part.
      {"C:\\a\\b.ext  ", 3, 0, "ext", 1}, {"C:\\a\\b.ext  ", 3, 0, "ext  ", 0},
      {"C:\\a\\b \t.e", 2, 0, "b", 1},   {"C:\\a \\b", 0, 0, "C:\\a \\", 1},
      // A part and its terminator must fit the row, else it is cut (then
      // trimmed); a directory that does not fit leaves the row empty (the
      // separator at position 6 needs 8 bytes).
      {"x.abcdefg", 3, 0, "abcdefg", 0, 8},    {"x.abcdefgh", 3, -16, "abcdefg", 0, 8},
      {"abcdefgh.x", 2, -16, "abcdefg", 0, 8}, {"d\\abcdefgh", 4, -16, "abcdefg", 0, 8},
      {"x.abcdef  ", 3, -16, "abcdef", 1, 8},  {"C:\\long\\directory\\name.txt", 3, 0, "txt", 0, 4},
      {"abcdef\\x", 0, 0, "abcdef\\", 0, 8},   {"abcdef\\x", 0, -16, "", 0, 4},
      {"abcdefg\\x", 0, -16, "", 0, 8}};
  // clang-format on
  for (const auto& c : cases) {
    zt::HostVar v = zt::HostVar::String(c.row);
    v.Fill('#');
    const std::string what = c.path + " / " + std::to_string(c.selector);
    EXPECT_EQ(c.status, NodeExt(v, c.path.c_str(), c.selector, c.trim)) << what;
    EXPECT_EQ(c.want, std::string(v.text(), strnlen(v.text(), c.row))) << what;
    EXPECT_EQ(0, v.text()[c.row - 1]) << what;
    if (c.status == -255) {
      EXPECT_EQ(std::string(c.row, '\0'), std::string(v.text(), c.row)) << what;
    }
  }
}

TEST(NodeExt, UsesTheFirstRowOnly) {
  zt::HostVar rows = zt::HostVar::String(8, 2);
  rows.Fill('#');
  EXPECT_EQ(0, NodeExt(rows, "ab.cd", 2, 0));
  EXPECT_EQ("ab", std::string(rows.text()));
  EXPECT_EQ('#', rows.text()[8]);  // the second row is not touched
  rows.SetExtended(4, 1);          // the extended record does not widen the row
  EXPECT_EQ(-16, NodeExt(rows, "abcdefghij.x", 2, 0));
}

}  // namespace
