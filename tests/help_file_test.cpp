// The help browser file: one entry per export, in the table's order, each
// with its group, its parameter synopsis matching the export's argument
// list, and its text; written in characters the release's Shift_JIS
// conversion can take.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "exports/export_table.h"

namespace {

using zor::exports::ExportRow;
using zor::exports::kExports;

// One %index entry: its tags and the lines of each tag's value.
struct Entry {
  std::map<std::string, std::vector<std::string>> tags;
};

std::string ReadHelpFile() {
  std::ifstream in(ZT_SOURCE_DIR "/package/zorextss.hs", std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// Valid UTF-8 with every code point in the Basic Multilingual Plane: no
// overlong forms, no surrogates, no four-byte sequences. Returns the byte
// offset of the first fault, or -1.
long FirstUtf8Fault(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    int extra = 0;
    unsigned cp = c;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1, cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2, cp = c & 0x0F;
    } else if (c >= 0x80) {
      return static_cast<long>(i);  // a stray continuation, an overlong lead or beyond U+FFFF
    }
    if (i + extra >= n) return static_cast<long>(i);  // cut off at the end
    for (int k = 1; k <= extra; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return static_cast<long>(i);
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return static_cast<long>(i);
    i += 1 + extra;
  }
  return -1;
}

// Splits the file into its entries; lines before the first %index (the
// header) are left out. `;` lines are comments.
std::vector<Entry> ParseEntries(const std::string& text, std::vector<std::string>* tagNames) {
  std::vector<Entry> entries;
  std::vector<std::string>* value = nullptr;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == ';') continue;
    if (!line.empty() && line[0] == '%') {
      const std::string tag = line.substr(1);
      tagNames->push_back(tag);
      if (tag == "index") entries.emplace_back();
      value = entries.empty() ? nullptr : &entries.back().tags[tag];
      continue;
    }
    if (value != nullptr) value->push_back(line);
  }
  // Blank lines that separate one entry from the next belong to no tag.
  for (Entry& e : entries)
    for (auto& tag : e.tags)
      while (!tag.second.empty() && tag.second.back().empty()) tag.second.pop_back();
  return entries;
}

std::vector<std::string> SplitArgs(const std::string& args) {
  std::vector<std::string> items;
  if (args.empty()) return items;
  std::size_t start = 0;
  for (std::size_t comma; (comma = args.find(", ", start)) != std::string::npos; start = comma + 2)
    items.push_back(args.substr(start, comma - start));
  items.push_back(args.substr(start));
  return items;
}

class HelpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    text_ = ReadHelpFile();
    ASSERT_FALSE(text_.empty()) << "package/zorextss.hs is missing or empty";
    entries_ = ParseEntries(text_, &tagNames_);
  }
  std::string text_;
  std::vector<Entry> entries_;
  std::vector<std::string> tagNames_;
};

TEST_F(HelpFile, IsUtf8WithinTheBasicPlane) { EXPECT_EQ(-1, FirstUtf8Fault(text_)); }

TEST_F(HelpFile, UsesOnlyHelpBrowserTagsAndParagraphMarks) {
  const std::set<std::string> known = {"dll",  "ver",  "date",   "author", "url",
                                       "note", "type", "port",   "index",  "group",
                                       "prm",  "inst", "sample", "href"};
  for (const std::string& tag : tagNames_) EXPECT_TRUE(known.count(tag)) << "%" << tag;
  std::istringstream in(text_);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '^') {
      EXPECT_TRUE(line == "^" || line == "^p") << line;
    }
  }
}

TEST_F(HelpFile, HasOneEntryPerExportInTableOrder) {
  std::vector<std::string> indexed, exported;
  for (const Entry& e : entries_) {
    const auto it = e.tags.find("index");
    indexed.push_back(it->second.empty() ? "" : it->second[0]);
    EXPECT_EQ(2u, it->second.size()) << indexed.back() << ": %index wants a keyword and a title";
  }
  for (const ExportRow& row : kExports) exported.push_back(row.name);
  EXPECT_EQ(exported, indexed);
}

TEST_F(HelpFile, EntriesMatchTheirExportRows) {
  std::map<std::string, const ExportRow*> rows;
  for (const ExportRow& row : kExports) rows[row.name] = &row;
  std::map<std::string, std::string> groupOfFamily, familyOfGroup;
  for (const Entry& e : entries_) {
    const std::vector<std::string>& index = e.tags.at("index");
    if (index.empty() || rows.count(index[0]) == 0) continue;  // reported by the order test
    const ExportRow& row = *rows[index[0]];
    const std::string name = row.name;
    for (const char* tag : {"group", "prm", "inst"})
      EXPECT_TRUE(e.tags.count(tag)) << name << " lacks %" << tag;
    if (!e.tags.count("group") || !e.tags.count("prm") || !e.tags.count("inst")) continue;
    EXPECT_FALSE(e.tags.at("inst").empty()) << name << ": empty %inst";

    // One group name per family, and no two families under one name.
    const std::vector<std::string>& group = e.tags.at("group");
    ASSERT_EQ(1u, group.size()) << name;
    const auto g = groupOfFamily.emplace(row.family, group[0]).first;
    EXPECT_EQ(g->second, group[0]) << name << " is not in its family's group";
    const auto f = familyOfGroup.emplace(group[0], row.family).first;
    EXPECT_EQ(f->second, row.family) << name << ": group " << group[0] << " has two families";

    // Synopsis line, then one "item : text" line per script argument.
    std::vector<std::string> prm = e.tags.at("prm");
    const std::string synopsis = prm.empty() ? "" : prm[0];
    EXPECT_EQ(row.args, synopsis) << name;
    const std::vector<std::string> items = SplitArgs(row.args);
    const std::size_t described = prm.empty() ? 0 : prm.size() - 1;
    EXPECT_EQ(static_cast<std::size_t>(zor::exports::ScriptArgCount(row)), described) << name;
    for (std::size_t i = 0; i < items.size() && i + 1 < prm.size(); ++i)
      EXPECT_EQ(0u, prm[i + 1].rfind(items[i] + " : ", 0)) << name << ": " << prm[i + 1];

    if (e.tags.count("href")) {
      for (const std::string& ref : e.tags.at("href"))
        EXPECT_TRUE(rows.count(ref)) << name << " refers to " << ref;
    }
    if (e.tags.count("sample")) {
      const std::vector<std::string>& sample = e.tags.at("sample");
      EXPECT_TRUE(!sample.empty() && sample[0] == "#include \"zorextss.as\"") << name;
    }
  }
}

}  // namespace
