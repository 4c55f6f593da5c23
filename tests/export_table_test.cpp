// The export table: the HSP type numbers derived from the argument kinds,
// and the generated include file declaring every export with them for HSP 2
// and by its row number for HSP 3.
#include "exports/export_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

using zor::exports::ExportRow;
using zor::exports::kExports;

const ExportRow* Find(const std::string& name) {
  for (const ExportRow& row : kExports)
    if (name == row.name) return &row;
  return nullptr;
}

TEST(ExportTable, TellingRowsGetTheirTypeNumbers) {
  const struct {
    const char* name;
    int type;
    int scriptArgs;
  } cases[] = {
      {"BmpLoad", 0x36, 1},  // screen, string, -, palette
      {"GetClipDib", 0x32, 2}, {"GetZorExtVer", 0x10, 0},
      {"ExDialog", 5, 4},                        // p1 string as a string variable's data
      {"FloatSetBuf", 3, 2},   {"RmDir", 4, 2},  // an unused p1 still takes a place
      {"PiTransColour", 0, 3}, {"Dib2Clip", 2, 0},
      {"GetSaveFile", 7, 3},
  };
  for (const auto& c : cases) {
    const ExportRow* row = Find(c.name);
    ASSERT_NE(nullptr, row) << c.name;
    EXPECT_EQ(c.type, zor::exports::HspType(*row)) << c.name;
    EXPECT_EQ(c.scriptArgs, zor::exports::ScriptArgCount(*row)) << c.name;
  }
}

TEST(ExportTable, NamesAreUniqueIgnoringCase) {
  // HSP matches command names without regard to case.
  std::map<std::string, std::string> seen;
  for (const ExportRow& row : kExports) {
    std::string key;
    for (const char* p = row.name; *p; ++p) key += static_cast<char>(std::tolower(*p));
    EXPECT_TRUE(seen.emplace(key, row.name).second) << row.name << " and " << seen[key];
  }
  EXPECT_EQ(122u, zor::exports::kExportCount);
}

TEST(ExportTable, IncludeFileDeclaresEveryExportWithItsTypeNumber) {
  std::ifstream in(ZT_BUILD_DIR "/zorextss.as", std::ios::binary);
  ASSERT_TRUE(in) << "zorextss.as was not generated";
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  std::map<std::string, int> declared, commands;  // #func type numbers, #cmd ids
  int uselib = 0, regcmd = 0;
  std::string branch;  // the #ifdef branch a line is in: "hsp3", "hsp2" or ""
  std::size_t start = 0;
  char name[64], alias[64];
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    ASSERT_NE(std::string::npos, end) << "a line does not end in CRLF at byte " << start;
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    EXPECT_EQ(std::string::npos, line.find('\n')) << "a bare LF: " << line;
    for (unsigned char ch : line) EXPECT_LT(ch, 0x80) << line;
    if (line == "#ifdef __hsp30__") branch = "hsp3";
    if (line == "#else") branch = "hsp2";
    if (line == "#endif") branch.clear();
    if (line.rfind("#uselib", 0) == 0) {
      EXPECT_EQ("#uselib \"zorextss.dll\"", line);
      EXPECT_EQ("hsp2", branch);
      ++uselib;
    }
    if (line.rfind("#regcmd", 0) == 0) {
      EXPECT_EQ("#regcmd \"_hsp3cmdinit@4\",\"zorextss.dll\"", line);
      EXPECT_TRUE(branch == "hsp3" && commands.empty()) << "#regcmd comes first under HSP 3";
      ++regcmd;
    }
    unsigned id = 0;
    if (std::sscanf(line.c_str(), "#cmd %63s $%x", name, &id) == 2) {
      EXPECT_EQ("hsp3", branch) << line;
      EXPECT_TRUE(commands.emplace(name, static_cast<int>(id)).second) << "twice: " << name;
    }
    unsigned type = 0;
    if (std::sscanf(line.c_str(), "#func %63s %63s $%x", name, alias, &type) == 3) {
      EXPECT_STREQ(name, alias);
      EXPECT_EQ("hsp2", branch) << line;
      EXPECT_TRUE(declared.emplace(name, static_cast<int>(type)).second) << "twice: " << name;
    }
  }
  EXPECT_EQ(1, uselib);
  EXPECT_EQ(1, regcmd);
  EXPECT_EQ(0u, text.find("; ")) << "starts with a comment";
  EXPECT_NE(std::string::npos, text.find("#ifndef __ZOREXTSS__\r\n#define __ZOREXTSS__\r\n"));
  EXPECT_EQ(text.size() - 8, text.rfind("#endif\r\n"));
  EXPECT_EQ(zor::exports::kExportCount, declared.size());
  EXPECT_EQ(zor::exports::kExportCount, commands.size());
  for (std::size_t id = 0; id < zor::exports::kExportCount; ++id) {
    const ExportRow& row = kExports[id];
    auto it = declared.find(row.name);
    ASSERT_NE(declared.end(), it) << row.name << " is not declared";
    EXPECT_EQ(zor::exports::HspType(row), it->second) << row.name;
    // HSP 3 hands the command function the row number.
    EXPECT_EQ(static_cast<int>(id), commands[row.name]) << row.name;
  }
}

}  // namespace
