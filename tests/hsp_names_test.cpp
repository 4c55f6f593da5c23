// The names a script sees. HSP matches command names without regard to case,
// so no export may be spelled like an HSP 2.61 or HSP 3.7 keyword; and the
// sample scripts call only commands that the include file declares or that
// both hosts have built in, with argument lists the declarations allow.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "exports/export_table.h"

namespace {

using zor::exports::Arg;
using zor::exports::ExportRow;
using zor::exports::kExports;

// Exports spelled like a built-in, with how each is resolved. A collision
// not listed here fails the test until it is resolved and listed. None so
// far: every export name differs from the keywords of both hosts.
const std::map<std::string, std::string> kKnownCollisions = {};

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

TEST(HspNames, NoExportIsSpelledLikeABuiltIn) {
  const struct {
    const char* list;
    std::size_t least;
    std::vector<const char*> sure;  // a list that failed to load would let every name pass
  } lists[] = {
      {"hsp261", 150, {"mes", "stat", "refstr", "include", "uselib", "noteget"}},
      {"hsp37", 350, {"mes", "stat", "refstr", "regcmd", "cmd", "__hsp30__", "dialog", "_debug"}},
  };
  for (const auto& l : lists) {
    const std::set<std::string> keywords = Keywords(l.list);
    ASSERT_GT(keywords.size(), l.least) << l.list;
    for (const char* sure : l.sure)
      EXPECT_EQ(1u, keywords.count(sure)) << sure << " is missing from " << l.list;
    for (const std::string& word : keywords) EXPECT_EQ(Lower(word), word) << "not in lower case";
    for (const ExportRow& row : kExports) {
      if (keywords.count(Lower(row.name)) != 0) {
        EXPECT_EQ(1u, kKnownCollisions.count(Lower(row.name)))
            << row.name << " is spelled like an " << l.list << " built-in";
      }
    }
  }
  for (const auto& known : kKnownCollisions) {
    EXPECT_NE(nullptr, FindExport(known.first)) << known.first << " is no export";
    EXPECT_TRUE(Keywords("hsp261").count(known.first) + Keywords("hsp37").count(known.first))
        << known.first << " collides no more";
  }
}

// One statement of a script line: its text up to ':' or ';' outside a
// string. Strings may hold escaped characters (\\ and \").
std::vector<std::string> Statements(const std::string& line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '\\' && i + 1 < line.size()) {
      out.back() += line.substr(i++, 2);
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (!quoted && c == ';') break;
    if (!quoted && c == ':') {
      out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  return out;
}

std::string Trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// The comma-separated arguments, commas in strings and parentheses aside.
std::vector<std::string> Arguments(const std::string& rest) {
  std::vector<std::string> args;
  if (rest.empty()) return args;
  args.emplace_back();
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    if (quoted && c == '\\' && i + 1 < rest.size()) {
      args.back() += rest.substr(i++, 2);
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '(') ++depth;
    if (!quoted && c == ')') --depth;
    if (!quoted && depth == 0 && c == ',') {
      args.emplace_back();
      continue;
    }
    args.back() += c;
  }
  for (std::string& a : args) a = Trim(a);
  return args;
}

bool IsIdentifier(const std::string& s) {
  if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

// Checks one script; returns the number of library commands it calls.
int CheckScript(const std::string& file, const std::set<std::string>& hsp2,
                const std::set<std::string>& hsp3) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  EXPECT_EQ("#include \"zorextss.as\"", line) << file << " must begin with the include";
  int calls = 0;
  for (int number = 2; std::getline(in, line); ++number) {
    for (const std::string& raw : Statements(line)) {
      const std::string st = Trim(raw);
      if (st.empty() || st[0] == '*') continue;  // a label
      std::size_t end = st[0] == '#' ? 1 : 0;
      while (end < st.size() &&
             (std::isalnum(static_cast<unsigned char>(st[end])) || st[end] == '_'))
        ++end;
      const std::string name = st.substr(st[0] == '#' ? 1 : 0, end - (st[0] == '#' ? 1 : 0));
      const std::string rest = Trim(st.substr(end));
      const std::string where = file + ":" + std::to_string(number) + ": " + st;
      if (name.empty()) {
        ADD_FAILURE() << "no command at " << where;
        continue;
      }
      // An assignment: a variable, maybe an element, then '=' (or op=).
      if (st[0] != '#' && !rest.empty() &&
          (rest[0] == '=' || rest[0] == '.' || rest[0] == '(' ||
           (rest.size() > 1 && rest[1] == '=' &&
            std::string("+-*/\\&|^").find(rest[0]) != std::string::npos)))
        continue;
      const ExportRow* row = st[0] == '#' ? nullptr : FindExport(name);
      if (row == nullptr) {
        EXPECT_TRUE(hsp2.count(Lower(name)) && hsp3.count(Lower(name)))
            << "not declared, nor built into both hosts: " << where;
        continue;
      }
      ++calls;
      const std::vector<std::string> args = Arguments(rest);
      EXPECT_LE(static_cast<int>(args.size()), zor::exports::ScriptArgCount(*row))
          << "too many arguments (" << row->args << "): " << where;
      // A variable record or a string variable's data: the script must name a variable.
      if (row->p[0] == Arg::Var || row->p[0] == Arg::String) {
        EXPECT_TRUE(!args.empty() && IsIdentifier(args[0])) << "p1 must be a variable: " << where;
      }
    }
  }
  return calls;
}

TEST(HspNames, SamplesCallOnlyDeclaredCommandsAndBuiltIns) {
  const std::set<std::string> hsp2 = Keywords("hsp261"), hsp3 = Keywords("hsp37");
  ASSERT_FALSE(hsp2.empty() || hsp3.empty());
  int samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZT_SOURCE_DIR "/samples")) {
    if (entry.path().extension() != ".as") continue;
    ++samples;
    const std::string file = entry.path().string();
    EXPECT_GT(CheckScript(file, hsp2, hsp3), 0) << file << " uses no library command";
  }
  EXPECT_GE(samples, 11);
}

}  // namespace
