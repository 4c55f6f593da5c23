// The names and texts a script author sees, checked against the export
// table: type numbers, the generated include file, no export spelled like an
// HSP 2.61 or HSP 3.7 keyword (HSP ignores case), the samples, and the help
// browser file.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "exports/export_table.h"

namespace {

using zor::exports::Arg;
using zor::exports::ExportRow;
using zor::exports::kExports;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A keyword list: HSP 2.61's, or HSP 3.7's (its compiler's built-ins,
// directives, predefined names and standard macros, on which a #cmd fails).
std::set<std::string> Keywords(const std::string& list) {
  std::ifstream in(ZT_SOURCE_DIR "/exports/" + list + "_keywords.txt");
  std::set<std::string> words;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // "# ..." is a comment; HSP 3.7's list keeps its directives' '#'.
    if (line.empty() || line == "#" || line.rfind("# ", 0) == 0) continue;
    words.insert(line[0] == '#' ? line.substr(1) : line);
  }
  return words;
}

const ExportRow* FindExport(const std::string& name) {
  for (const ExportRow& row : kExports)
    if (Lower(row.name) == Lower(name)) return &row;
  return nullptr;
}

TEST(HspNames, NamesAreUniqueAndNoneIsSpelledLikeABuiltIn) {
  // A keyword list, its least size and words it must hold: a list that failed
  // to load would let every name pass.
  const std::tuple<const char*, std::size_t, std::vector<const char*>> lists[] = {
      {"hsp261", 150, {"mes", "stat", "refstr", "include", "uselib", "noteget"}},
      {"hsp37", 350, {"mes", "stat", "refstr", "regcmd", "cmd", "__hsp30__", "dialog", "_debug"}},
  };
  for (const auto& [list, least, sure] : lists) {
    const std::set<std::string> keywords = Keywords(list);
    ASSERT_GT(keywords.size(), least) << list;
    for (const char* word : sure)
      EXPECT_EQ(1u, keywords.count(word)) << word << " is missing from " << list;
    for (const std::string& word : keywords) EXPECT_EQ(Lower(word), word) << "not in lower case";
    for (const ExportRow& row : kExports)
      EXPECT_EQ(0u, keywords.count(Lower(row.name)))
          << row.name << " is spelled like an " << list << " built-in";
  }
  for (const ExportRow& row : kExports)
    EXPECT_EQ(&row, FindExport(row.name)) << row.name << " is spelled like an earlier export";
}

// Splits script text at `sep` outside strings (which may hold \\ and \") and
// parentheses, each part trimmed; a ';' outside strings ends the text.
std::vector<std::string> SplitScript(const std::string& text, char sep) {
  std::vector<std::string> out(1);
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '\\' && i + 1 < text.size()) {
      out.back() += text.substr(i++, 2);
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (!quoted && c == ';') break;
    if (!quoted) depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    if (!quoted && depth == 0 && c == sep) {
      out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  for (std::string& s : out) {
    s.erase(0, s.find_first_not_of(" \t\r"));
    s.erase(s.find_last_not_of(" \t\r") + 1);
  }
  return out;
}

// Each sample begins with the include and calls only declared commands (with
// no more arguments than declared, a variable where p1 is one) and built-ins
// of both hosts.
TEST(HspNames, SamplesCallOnlyDeclaredCommandsAndBuiltIns) {
  const std::set<std::string> hsp2 = Keywords("hsp261"), hsp3 = Keywords("hsp37");
  const char* const word = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";
  int samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZT_SOURCE_DIR "/samples")) {
    if (entry.path().extension() != ".as") continue;
    ++samples;
    const std::string file = entry.path().string();
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    EXPECT_EQ("#include \"zorextss.as\"", line) << file << " must begin with the include";
    int calls = 0;
    for (int number = 2; std::getline(in, line); ++number) {
      for (const std::string& st : SplitScript(line, ':')) {
        if (st.empty() || st[0] == '*') continue;  // a label
        // A name (a directive's after its '#'), then the rest.
        const bool directive = st[0] == '#';
        const std::string name =
            st.substr(directive, st.find_first_not_of(word, directive) - directive);
        std::string rest = st.substr(directive + name.size());
        rest.erase(0, rest.find_first_not_of(" \t"));
        const std::string where = file + ":" + std::to_string(number) + ": " + st;
        if (name.empty()) {
          ADD_FAILURE() << "no command at " << where;
          continue;
        }
        // An assignment: a variable, maybe an element or a member, then '=' (or op=).
        if (!directive && !rest.empty() &&
            (std::strchr("=.(", rest[0]) != nullptr ||
             (rest.size() > 1 && rest[1] == '=' && std::strchr("+-*/\\&|^", rest[0]) != nullptr)))
          continue;
        const ExportRow* row = directive ? nullptr : FindExport(name);
        if (row == nullptr) {
          EXPECT_TRUE(hsp2.count(Lower(name)) && hsp3.count(Lower(name)))
              << "not declared, nor built into both hosts: " << where;
          continue;
        }
        ++calls;
        const std::vector<std::string> args =
            rest.empty() ? std::vector<std::string>{} : SplitScript(rest, ',');
        EXPECT_LE(static_cast<int>(args.size()), zor::exports::ScriptArgCount(*row))
            << "too many arguments (" << row->args << "): " << where;
        // A variable record or a string variable's data: the script must name a variable.
        if (row->p[0] == Arg::Var || row->p[0] == Arg::String) {
          EXPECT_TRUE(!args.empty() && !args[0].empty() &&
                      !std::isdigit(std::uint8_t(args[0][0])) &&
                      args[0].find_first_not_of(word) == std::string::npos)
              << "p1 must be a variable: " << where;
        }
      }
    }
    EXPECT_GT(calls, 0) << file << " uses no library command";
  }
  EXPECT_GE(samples, 11);
}

// Type numbers: BmpLoad takes a screen, a string and the palette, ExDialog's
// p1 string is a string variable's data, RmDir's unused p1 still takes a place.
// (Script argument counts are checked against each row's list at compile time.)
TEST(ExportTable, TellingRowsGetTheirTypeNumbers) {
  const std::pair<const char*, int> cases[] = {
      {"BmpLoad", 0x36},    {"GetClipDib", 0x32}, {"GetZorExtVer", 0x10},
      {"ExDialog", 5},      {"FloatSetBuf", 3},   {"RmDir", 4},
      {"PiTransColour", 0}, {"Dib2Clip", 2},      {"GetSaveFile", 7},
  };
  for (const auto& [name, type] : cases) {
    const ExportRow* row = FindExport(name);
    ASSERT_NE(nullptr, row) << name;
    EXPECT_EQ(type, zor::exports::HspType(*row)) << name;
  }
}

// Comments and blank lines aside, the include file declares each export for
// HSP 3 as a command whose id is its row number, and for HSP 2 as a function
// of its row's type number; in CRLF lines of ASCII.
TEST(ExportTable, IncludeFileDeclaresEveryExportForBothHosts) {
  const std::string text = ReadFile(ZT_BUILD_DIR "/zorextss.as");
  ASSERT_EQ(0u, text.find("; ")) << "zorextss.as is missing or does not start with a comment";
  std::vector<std::string> lines,
      expected = {"#ifndef __ZOREXTSS__", "#define __ZOREXTSS__", "#ifdef __hsp30__",
                  "#regcmd \"_hsp3cmdinit@4\",\"zorextss.dll\""};
  char line[160];
  for (std::size_t id = 0; id < zor::exports::kExportCount; ++id) {
    std::snprintf(line, sizeof line, "#cmd %s $%03x", kExports[id].name, unsigned(id));
    expected.push_back(line);
  }
  expected.insert(expected.end(), {"#else", "#uselib \"zorextss.dll\""});
  for (const ExportRow& row : kExports) {
    const int type = zor::exports::HspType(row);
    std::snprintf(line, sizeof line, "#func %s %s $%02x", row.name, row.name, type);
    expected.push_back(line);
  }
  expected.insert(expected.end(), {"#endif", "#endif"});
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    ASSERT_NE(std::string::npos, end) << "a line does not end in CRLF at byte " << start;
    const std::string at = text.substr(start, end - start);
    for (unsigned char ch : at) EXPECT_LT(ch, 0x80) << at;
    if (!at.empty() && at[0] != ';') lines.push_back(at);
  }
  EXPECT_EQ(expected, lines);
}

// The help browser file: known tags and paragraph marks only, and one %index
// entry per export in table order, matching its row. (The release archive's
// CP932 conversion refuses a file that is not valid UTF-8.)
TEST(HelpFile, EntriesMatchTheExportTableInOrder) {
  const std::string text = ReadFile(ZT_SOURCE_DIR "/package/zorextss.hs");
  ASSERT_FALSE(text.empty()) << "package/zorextss.hs is missing or empty";
  const std::set<std::string> known = {"dll",  "ver",  "date",   "author", "url",
                                       "note", "type", "port",   "index",  "group",
                                       "prm",  "inst", "sample", "href"};
  // Each entry: its tags and the lines of each tag's value. Lines before the
  // first %index (the header) belong to none; `;` lines are comments.
  std::vector<std::map<std::string, std::vector<std::string>>> entries;
  std::vector<std::string>* value = nullptr;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '^') {
      EXPECT_TRUE(line == "^" || line == "^p") << line;
    }
    if (!line.empty() && line[0] == '%') {
      const std::string tag = line.substr(1);
      EXPECT_TRUE(known.count(tag)) << "%" << tag;
      if (tag == "index") entries.emplace_back();
      value = entries.empty() ? nullptr : &entries.back()[tag];
    } else if (value != nullptr && (line.empty() || line[0] != ';')) {
      value->push_back(line);
    }
  }
  std::map<std::string, const ExportRow*> rows;
  std::vector<std::string> indexed, exported;
  for (const ExportRow& row : kExports) {
    rows[row.name] = &row;
    exported.push_back(row.name);
  }
  std::map<std::string, std::string> groupOfFamily, familyOfGroup;
  for (auto& e : entries) {
    // Blank lines that separate one entry from the next belong to no tag.
    for (auto& tag : e)
      while (!tag.second.empty() && tag.second.back().empty()) tag.second.pop_back();
    const std::vector<std::string>& index = e["index"];
    indexed.push_back(index.empty() ? "" : index[0]);
    EXPECT_EQ(2u, index.size()) << indexed.back() << ": %index wants a keyword and a title";
    if (rows.count(indexed.back()) == 0) continue;  // reported by the order check
    const ExportRow& row = *rows[indexed.back()];
    const std::string name = row.name;
    for (const char* tag : {"group", "prm", "inst"})
      EXPECT_TRUE(e.count(tag)) << name << " lacks %" << tag;
    if (!e.count("group") || !e.count("prm") || !e.count("inst")) continue;
    EXPECT_FALSE(e.at("inst").empty()) << name << ": empty %inst";

    // One group name per family, and no two families under one name.
    const std::vector<std::string>& group = e.at("group");
    ASSERT_EQ(1u, group.size()) << name;
    const auto g = groupOfFamily.emplace(row.family, group[0]).first;
    EXPECT_EQ(g->second, group[0]) << name << " is not in its family's group";
    const auto f = familyOfGroup.emplace(group[0], row.family).first;
    EXPECT_EQ(f->second, row.family) << name << ": group " << group[0] << " has two families";

    // Synopsis line, then one "item : text" line per script argument.
    std::vector<std::string> prm = e.at("prm");
    const std::string synopsis = prm.empty() ? "" : prm[0];
    EXPECT_EQ(row.args, synopsis) << name;
    const std::vector<std::string> items = SplitScript(row.args, ',');
    const std::size_t described = prm.empty() ? 0 : prm.size() - 1;
    EXPECT_EQ(static_cast<std::size_t>(zor::exports::ScriptArgCount(row)), described) << name;
    for (std::size_t i = 0; i < items.size() && i + 1 < prm.size(); ++i)
      EXPECT_EQ(0u, prm[i + 1].rfind(items[i] + " : ", 0)) << name << ": " << prm[i + 1];

    if (e.count("href")) {
      for (const std::string& ref : e.at("href"))
        EXPECT_TRUE(rows.count(ref)) << name << " refers to " << ref;
    }
    if (e.count("sample")) {
      const std::vector<std::string>& sample = e.at("sample");
      EXPECT_TRUE(!sample.empty() && sample[0] == "#include \"zorextss.as\"") << name;
    }
  }
  EXPECT_EQ(exported, indexed);
}

}  // namespace
