// Writes what the build derives from the export table:
//   gen_exports def  FILE   the module definition: every export as _Name@16,
//                           the HSP 3 plugin entry as _hsp3cmdinit@4
//   gen_exports as   FILE   the HSP include file (ASCII, CRLF) for HSP 2 and 3
//   gen_exports list FILE   the export names, one a line, for the export check
// Built and run on the build machine, whatever the target.
#include <cstdio>
#include <cstring>

#include "exports/export_table.h"

namespace {

using zor::exports::ExportRow;
using zor::exports::kExports;

void WriteDef(std::FILE* f) {
  std::fputs("LIBRARY zorextss.dll\nEXPORTS\n", f);
  for (const ExportRow& row : kExports) std::fprintf(f, "_%s@16 = %s@16\n", row.name, row.name);
  std::fputs("_hsp3cmdinit@4 = hsp3cmdinit@4\n", f);
}

void WriteList(std::FILE* f) {
  for (const ExportRow& row : kExports) std::fprintf(f, "%s\n", row.name);
  std::fputs("hsp3cmdinit\n", f);
}

// HSP reads its include files as Shift_JIS with CRLF; this one is ASCII, so
// it is valid Shift_JIS as written. HSP 3 registers the plugin and takes
// each command by its row number; HSP 2 declares each export with #func.
// HSP 3 refuses a #cmd name an earlier #func took, hence the two branches.
void WriteInclude(std::FILE* f) {
  const char* head[] = {
      "; zorextss.as: declares the commands of zorextss.dll for HSP 2.x and HSP 3.x.",
      "; #include \"zorextss.as\" once, before the first command is used.",
      "; Generated from the library's export table; do not edit.",
      "",
      "#ifndef __ZOREXTSS__",
      "#define __ZOREXTSS__",
      "",
      "#ifdef __hsp30__",
      "",
      "#regcmd \"_hsp3cmdinit@4\",\"zorextss.dll\"",
  };
  for (const char* line : head) std::fprintf(f, "%s\r\n", line);
  for (std::size_t id = 0; id < zor::exports::kExportCount; ++id)
    std::fprintf(f, "#cmd %s $%03x\r\n", kExports[id].name, static_cast<unsigned>(id));
  std::fputs("\r\n#else\r\n\r\n#uselib \"zorextss.dll\"\r\n", f);
  const char* family = "";
  for (const ExportRow& row : kExports) {
    if (std::strcmp(family, row.family) != 0) {
      family = row.family;
      std::fprintf(f, "\r\n; --- %s\r\n", family);
    }
    std::fprintf(f, "; %s%s%s\r\n", row.name, *row.args ? " " : "", row.args);
    std::fprintf(f, "#func %s %s $%02x\r\n", row.name, row.name, zor::exports::HspType(row));
  }
  std::fputs("\r\n#endif\r\n\r\n#endif\r\n", f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen_exports def|as|list FILE\n");
    return 2;
  }
  void (*write)(std::FILE*) = nullptr;
  if (std::strcmp(argv[1], "def") == 0) write = WriteDef;
  if (std::strcmp(argv[1], "as") == 0) write = WriteInclude;
  if (std::strcmp(argv[1], "list") == 0) write = WriteList;
  if (write == nullptr) {
    std::fprintf(stderr, "gen_exports: unknown output %s\n", argv[1]);
    return 2;
  }
  std::FILE* f = std::fopen(argv[2], "wb");
  if (f == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  write(f);
  return std::fclose(f) == 0 ? 0 : 1;
}
