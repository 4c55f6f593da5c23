// The names a script sees. HSP matches command names without regard to case,
// so no export may be spelled like an HSP 2.61 built-in keyword; and the
// sample scripts call only commands that the include file declares or that
// HSP has built in, with argument lists the declarations allow.
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
// far: every export name differs from the HSP 2.61 keywords.
const std::map<std::string, std::string> kKnownCollisions = {};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::set<std::string> Keywords() {
  std::ifstream in(ZT_SOURCE_DIR "/exports/hsp261_keywords.txt");
  std::set<std::string> words;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') words.insert(line);
  }
  return words;
}

const ExportRow* FindExport(const std::string& name) {
  for (const ExportRow& row : kExports)
    if (Lower(row.name) == Lower(name)) return &row;
  return nullptr;
}

TEST(HspNames, NoExportIsSpelledLikeABuiltIn) {
  const std::set<std::string> keywords = Keywords();
  // A list that failed to load would let every name pass.
  ASSERT_GT(keywords.size(), 150u);
  for (const char* sure : {"mes", "stat", "refstr", "include", "uselib", "noteget"})
    EXPECT_EQ(1u, keywords.count(sure)) << sure << " is missing from the keyword list";
  for (const std::string& word : keywords) EXPECT_EQ(Lower(word), word) << "not in lower case";

  for (const ExportRow& row : kExports) {
    const std::string key = Lower(row.name);
    if (keywords.count(key) != 0) {
      EXPECT_EQ(1u, kKnownCollisions.count(key)) << row.name << " is spelled like an HSP built-in";
    }
  }
  for (const auto& known : kKnownCollisions) {
    EXPECT_NE(nullptr, FindExport(known.first)) << known.first << " is no export";
    EXPECT_EQ(1u, keywords.count(known.first)) << known.first << " collides no more";
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
int CheckScript(const std::string& file, const std::set<std::string>& keywords) {
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
        EXPECT_EQ(1u, keywords.count(Lower(name))) << "neither declared nor built in: " << where;
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
  const std::set<std::string> keywords = Keywords();
  ASSERT_FALSE(keywords.empty());
  int samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZT_SOURCE_DIR "/samples")) {
    if (entry.path().extension() != ".as") continue;
    ++samples;
    const std::string file = entry.path().string();
    EXPECT_GT(CheckScript(file, keywords), 0) << file << " uses no library command";
  }
  EXPECT_GE(samples, 11);
}

// The README's HSP 3 limits name exactly the exports the table gives each
// limit: a changed argument kind must change the list.
TEST(HspNames, ReadmeListsTheCommandsHsp3CannotRun) {
  std::ifstream in(ZT_SOURCE_DIR "/README.md");
  std::map<std::string, std::string> bullets;  // bullet title -> its text
  std::string line, current;
  for (bool inSection = false; std::getline(in, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## HSP versions";
    if (!inSection) continue;
    if (line.rfind("- **", 0) == 0) current = line.substr(4, line.find("**", 4) - 4);
    if (line.empty() || (line[0] != '-' && line[0] != ' ')) current.clear();
    if (!current.empty()) bullets[current] += line + " ";
  }
  const struct {
    const char* bullet;
    bool (*applies)(const ExportRow&);
  } limits[] = {
      {"Variable records.", [](const ExportRow& r) { return r.p[0] == Arg::Var; }},
      {"Object handles.",  // read the screen record's object handles
       [](const ExportRow& r) {
         return (std::string(r.family) == "objects" && r.p[0] == Arg::Screen) ||
                std::string(r.name) == "Obj_Font";
       }},
      {"Palette.", [](const ExportRow& r) { return r.p[3] == Arg::Palette; }},
  };
  for (const auto& limit : limits) {
    ASSERT_EQ(1u, bullets.count(limit.bullet)) << "README has no bullet " << limit.bullet;
    const std::string& text = bullets[limit.bullet];
    for (const ExportRow& row : kExports) {
      const bool listed = text.find("`" + std::string(row.name) + "`") != std::string::npos;
      EXPECT_EQ(limit.applies(row), listed) << limit.bullet << " " << row.name;
    }
  }
}

}  // namespace
