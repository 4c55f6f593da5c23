// CheckFilename, NodeExt and the character-boundary search FindChr.
#include <gtest/gtest.h>

#include <string>

#include "support/zortest.h"
#include "text/file_name.h"

namespace {

ZT_EXPORT(CheckFilename, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(NodeExt, zor::HspVar*, const char*, std::int32_t, std::int32_t);

std::int32_t Check(const std::string& name, std::int32_t noDirs = 0, std::int32_t semicolon = 0) {
  zt::HostVar v = zt::HostVar::String(64);
  v.SetText(name);
  return CheckFilename(v, noDirs, semicolon, 0);
}

struct Part {
  std::int32_t status;
  std::string text;
};

Part Node(const std::string& path, std::int32_t selector, std::int32_t trim = 0,
          std::uint32_t rowBytes = 64) {
  zt::HostVar v = zt::HostVar::String(rowBytes);
  v.Fill('#');
  Part p;
  p.status = NodeExt(v, path.c_str(), selector, trim);
  p.text = std::string(v.text(), strnlen(v.text(), rowBytes));
  return p;
}

TEST(FindChr, FindsOnlyAtCharacterBoundaries) {
  EXPECT_EQ(-2, zor::FindChr("abc", 'a', -1));
  EXPECT_EQ(0, zor::FindChr("abc", 'a', 0));
  EXPECT_EQ(-1, zor::FindChr("abc", 'a', 1));
  EXPECT_EQ(2, zor::FindChr("abc", 'c', 1));
  EXPECT_EQ(-1, zor::FindChr("abc", 'x', 0));
  const char* soA = "\x83\x5c\x61\x5c";             // ソa\ (0x5C second byte, then '\\')
  EXPECT_EQ(3, zor::FindChr(soA, '\\', 0));         // the second byte is skipped
  EXPECT_EQ(1, zor::FindChr(soA, '\\', 1));         // unless the walk starts there
  EXPECT_EQ(0, zor::FindChr("\x83\x5c", 0x83, 0));  // a lead byte equal to the value
  EXPECT_EQ(-1, zor::FindChr("a\x83", '\\', 0));    // lone lead byte before the end
  EXPECT_EQ(-1, zor::FindChr("\xfd\\", '\\', 0));   // 0xFD leads too
  EXPECT_EQ(1, zor::FindChr("\xa0\\", '\\', 0));    // 0xA0 does not
}

TEST(CheckFilename, BackslashAndSemicolonOptions) {
  EXPECT_EQ(0, Check("a\\b.txt"));
  EXPECT_EQ(-255, Check("a\\b.txt", 1));
  EXPECT_EQ(-255, Check("a;b"));
  EXPECT_EQ(0, Check("a;b", 0, 1));
  EXPECT_EQ(-255, Check("a;b\\", 1, 1));
}

TEST(CheckFilename, AlwaysForbiddenCharacters) {
  for (char c : std::string("\"<>?*/|")) {
    EXPECT_EQ(-255, Check(std::string("ab") + c + "d", 0, 1)) << c;
  }
  EXPECT_EQ(0, Check(""));
  EXPECT_EQ(0, Check("name with spaces.txt"));
}

TEST(CheckFilename, ColonOnlyAfterADriveLetter) {
  EXPECT_EQ(0, Check("C:\\x"));
  EXPECT_EQ(0, Check("z:x"));
  EXPECT_EQ(-255, Check("1:\\x"));
  EXPECT_EQ(-255, Check("ab:c"));
  EXPECT_EQ(-255, Check(":"));
  EXPECT_EQ(0, Check("C:a:b"));  // only the first colon is examined
}

TEST(CheckFilename, SecondBytesAreNotForbiddenCharacters) {
  EXPECT_EQ(0, Check("\x83\x5c\x95\x7c.txt", 1));  // ソ and 表
  EXPECT_EQ(-255, Check("\x83\x5c\\", 1));
  EXPECT_EQ(-255, Check("\xb1|", 0));  // half-width katakana are single bytes
}

TEST(CheckFilename, TerminatesTheRowAndRefusesOthers) {
  zt::HostVar v = zt::HostVar::String(8);
  std::memcpy(v.text(), "abcdefg*", 8);  // the '*' lies in the last byte
  EXPECT_EQ(0, CheckFilename(v, 0, 0, 0));
  EXPECT_EQ("abcdefg", std::string(v.text()));

  zt::HostVar ints = zt::HostVar::Ints(2);
  EXPECT_EQ(-1, CheckFilename(ints, 0, 0, 0));
  zt::HostVar none = zt::HostVar::String(8);
  none.SetText("abc");
  none.rec()->lengths[1] = 0;
  EXPECT_EQ(-1, CheckFilename(none, 0, 0, 0));
  EXPECT_EQ("abc", std::string(none.text()));
}

TEST(NodeExt, PartsOfAFullPath) {
  const std::string path = "c:\\a\\b.c";
  EXPECT_EQ("C:", Node(path, 1).text);
  EXPECT_EQ("b", Node(path, 2).text);
  EXPECT_EQ("c", Node(path, 3).text);
  EXPECT_EQ("b.c", Node(path, 4).text);
  for (std::int32_t sel : {0, 5, -1, 1000}) {
    Part p = Node(path, sel);
    EXPECT_EQ(0, p.status) << sel;
    EXPECT_EQ("c:\\a\\", p.text) << sel;
  }
}

TEST(NodeExt, DotsAndMissingParts) {
  EXPECT_EQ("file", Node("a.d\\file", 2).text);
  EXPECT_EQ(-255, Node("a.d\\file", 3).status);
  EXPECT_EQ("file.tar", Node("file.tar.gz", 2).text);
  EXPECT_EQ("gz", Node("file.tar.gz", 3).text);
  EXPECT_EQ(-255, Node("x\\.cfg", 2).status);
  EXPECT_EQ("cfg", Node("x\\.cfg", 3).text);
  EXPECT_EQ(-255, Node(".cfg", 2).status);
  Part empty = Node("C:.cfg", 2);
  EXPECT_EQ(0, empty.status);
  EXPECT_EQ("", empty.text);
  EXPECT_EQ("noext", Node("noext", 2).text);
  EXPECT_EQ("", Node("dir\\name.", 3).text);
}

TEST(NodeExt, FileNameAndDirectoryEdges) {
  Part drive = Node("C:", 4);
  EXPECT_EQ(0, drive.status);
  EXPECT_EQ("", drive.text);
  EXPECT_EQ(-255, Node("C:\\", 4).status);
  EXPECT_EQ(-255, Node("", 4).status);
  EXPECT_EQ("name", Node("C:name", 4).text);
  EXPECT_EQ(-255, Node("name.ext", 0).status);
  EXPECT_EQ(-255, Node("\\\\server\\share\\f", 1).status);
  EXPECT_EQ("\\\\server\\share\\", Node("\\\\server\\share\\f", 0).text);
  EXPECT_EQ(-255, Node("1:x", 1).status);
}

TEST(NodeExt, MissingPartLeavesTheRowZeroed) {
  zt::HostVar v = zt::HostVar::String(16);
  v.Fill('#');
  EXPECT_EQ(-255, NodeExt(v, "noext", 3, 0));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(0, v.bytes()[i]) << i;
}

TEST(NodeExt, ShiftJisSecondBytesAreNoSeparators) {
  // 0x83 0x5C (ソ) ends with the backslash byte, 0x81 0x44 would not matter.
  EXPECT_EQ("\x83\x5c.txt", Node("d\\\x83\x5c.txt", 4).text);
  EXPECT_EQ("d\\", Node("d\\\x83\x5c.txt", 0).text);
  EXPECT_EQ("\x83\x5c", Node("\x83\x5c.txt", 2).text);
  EXPECT_EQ(-255, Node("\x83\x5c", 0).status);
}

TEST(NodeExt, TrimRemovesTrailingControlAndSpaceBytes) {
  EXPECT_EQ("ext", Node("C:\\a\\b.ext  ", 3, 1).text);
  EXPECT_EQ("ext  ", Node("C:\\a\\b.ext  ", 3, 0).text);
  EXPECT_EQ("b", Node("C:\\a\\b \t.e", 2, 1).text);
  EXPECT_EQ("C:\\a \\", Node("C:\\a \\b", 0, 1).text);  // '\' ends it, nothing trimmed
}

TEST(NodeExt, RowCapacity) {
  EXPECT_EQ("abcdefg", Node("x.abcdefg", 3, 0, 8).text);
  Part cut = Node("x.abcdefgh", 3, 0, 8);
  EXPECT_EQ(-16, cut.status);
  EXPECT_EQ("abcdefg", cut.text);
  EXPECT_EQ(-16, Node("abcdefgh.x", 2, 0, 8).status);
  EXPECT_EQ(-16, Node("d\\abcdefgh", 4, 0, 8).status);
  Part trimmed = Node("x.abcdef  ", 3, 1, 8);  // cut to 7, then trimmed
  EXPECT_EQ(-16, trimmed.status);
  EXPECT_EQ("abcdef", trimmed.text);
  EXPECT_EQ("txt", Node("C:\\long\\directory\\name.txt", 3, 0, 4).text);
  // Last separator at position 6 needs 8 bytes.
  EXPECT_EQ("abcdef\\", Node("abcdef\\x", 0, 0, 8).text);
  Part dir = Node("abcdef\\x", 0, 0, 4);
  EXPECT_EQ(-16, dir.status);
  EXPECT_EQ("", dir.text);
  Part dir7 = Node("abcdefg\\x", 0, 0, 8);
  EXPECT_EQ(-16, dir7.status);
  EXPECT_EQ("", dir7.text);
}

TEST(NodeExt, UsesTheFirstRowOnlyAndRefusesOthers) {
  zt::HostVar rows = zt::HostVar::String(8, 2);
  rows.Fill('#');
  EXPECT_EQ(0, NodeExt(rows, "ab.cd", 2, 0));
  EXPECT_EQ("ab", std::string(rows.text()));
  EXPECT_EQ('#', rows.text()[8]);  // the second row is not touched
  rows.SetExtended(4, 1);          // the extended record does not widen the row
  EXPECT_EQ(-16, NodeExt(rows, "abcdefghij.x", 2, 0));

  zt::HostVar ints = zt::HostVar::Ints(4);
  ints.Fill(7);
  EXPECT_EQ(-1, NodeExt(ints, "a.b", 3, 0));
  EXPECT_EQ(7, ints.bytes()[0]);
  zt::HostVar none = zt::HostVar::String(8);
  none.Fill('#');
  none.rec()->lengths[1] = 0;
  EXPECT_EQ(-16, NodeExt(none, "a.b", 3, 0));
  EXPECT_EQ('#', none.text()[0]);
}

}  // namespace
