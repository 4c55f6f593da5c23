// zorext: shows and converts Pi and BMP pictures through ZorExtSS, acting
// as a small HSP host (the library's own loaders draw each picture into a
// screen record, and the screen's pixels become a PNG file).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

#include "tools/zorext/host.h"
#include "tools/zorext/pictures.h"
#include "tools/zorext/png_write.h"

namespace {

using zorext::Transparency;

constexpr int kExitOk = 0, kExitRefused = 1, kExitUsage = 2;

const char kUsage[] =
    "usage: zorext info FILE...\n"
    "       zorext convert IN OUT.png [TRANSPARENCY]\n"
    "       zorext convert DIR OUTDIR [TRANSPARENCY]\n"
    "       zorext --help\n";

const char kHelp[] =
    "\n"
    "Shows and converts Pi (16 or 256 colours) and BMP pictures, loading them\n"
    "with the ZorExtSS library's own loaders.\n"
    "\n"
    "  info FILE...         kind, size, colours, comment and header fields\n"
    "  convert IN OUT.png   one picture to a PNG file\n"
    "  convert DIR OUTDIR   every .bmp and .pi file of DIR (any case) to\n"
    "                       OUTDIR/NAME.png (NAME.EXT.png when two files share\n"
    "                       a name); OUTDIR is created when missing\n"
    "\n"
    "A file is taken for a BMP or a Pi picture by its extension; other names\n"
    "by their first bytes (\"BM\" for BMP).\n"
    "\n"
    "TRANSPARENCY (at most one; the meanings of the Pi loader's transparency\n"
    "settings; with one of them the PNG is RGBA and transparent pixels get\n"
    "alpha 0, without them it is RGB):\n"
    "  --transparent INDEX  pixels of palette index INDEX (0-255) are\n"
    "                       transparent; pictures without a palette (16-, 24-\n"
    "                       and 32-bit BMP) have none\n"
    "  --colour R,G,B       pixels of colour R,G,B (each 0-255) are\n"
    "                       transparent (also --color)\n"
    "  --tolerance D        with --colour: each of red, green and blue may\n"
    "                       differ by up to D (0-128, default 0)\n"
    "  --corner C           the index of corner C (tl, tr, bl, br: top-left,\n"
    "                       top-right, bottom-left, bottom-right) is\n"
    "                       transparent, picture by picture; for BMP without a\n"
    "                       palette, the corner's colour\n"
    "\n"
    "Exit status: 0 all converted (or shown), 1 some refused, 2 usage error.\n";

// The library's exports, loaded on first use; null (and said why) when the
// library cannot be loaded.
const zorext::Exports* Library() {
  static zorext::Exports lib{};
  static int state = 0;  // 0 not tried, 1 loaded, -1 failed
  if (state == 0) {
    std::string error;
    state = zorext::LoadLibraryExports(lib, error) ? 1 : -1;
    if (state < 0) std::fprintf(stderr, "zorext: %s\n", error.c_str());
  }
  return state > 0 ? &lib : nullptr;
}

int Usage(const char* problem) {
  if (problem != nullptr) std::fprintf(stderr, "zorext: %s\n", problem);
  std::fputs(kUsage, stderr);
  return kExitUsage;
}

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
  if (s.empty() || s.size() > 6) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  out = std::atoi(s.c_str());
  return out >= lo && out <= hi;
}

bool ParseRgb(const std::string& s, std::uint8_t rgb[3]) {
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = i < 2 ? s.find(',', start) : s.size();
    if (comma == std::string::npos) return false;
    int v = 0;
    if (!ParseInt(s.substr(start, comma - start), 0, 255, v)) return false;
    rgb[i] = std::uint8_t(v);
    start = comma + 1;
  }
  return true;
}

bool IsFolder(const std::string& path) {
#if defined(_WIN32)
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

bool MakeFolder(const std::string& path) {
  if (IsFolder(path)) return true;
#if defined(_WIN32)
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
#else
  return mkdir(path.c_str(), 0777) == 0;
#endif
}

// The names of the folder's files (not folders) that carry a picture
// extension, sorted.
std::vector<std::string> PictureFiles(const std::string& dir) {
  std::vector<std::string> names;
#if defined(_WIN32)
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
#else
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      struct stat st;
      const std::string full = dir + "/" + e->d_name;
      if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(e->d_name);
    }
    closedir(d);
  }
#endif
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& n) { return !zorext::HasPictureExtension(n); }),
              names.end());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Join(const std::string& dir, const std::string& name) {
#if defined(_WIN32)
  const char sep = '\\';
#else
  const char sep = '/';
#endif
  if (dir.empty()) return name;
  const char last = dir.back();
  return last == '/' || last == sep ? dir + name : dir + sep + name;
}

std::string Stem(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string LowerCase(std::string s) {
  for (char& c : s) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

// Converts one file; returns the refusal in words, or an empty string.
std::string ConvertOne(const zorext::Exports& lib, const std::string& in, const std::string& out,
                       const Transparency& t, std::string& summary) {
  zorext::Image image;
  std::string refusal = zorext::LoadPicture(lib, in, t, image);
  if (!refusal.empty()) return refusal;
  if (!zorext::WritePng(out, image)) return "cannot write " + out;
  summary = image.summary + " -> " + out;
  if (!image.warning.empty()) summary += " (" + image.warning + ")";
  return std::string();
}

int ConvertFolder(const std::string& dir, const std::string& outDir, const Transparency& t) {
  if (!MakeFolder(outDir)) {
    std::fprintf(stderr, "zorext: cannot create the folder %s\n", outDir.c_str());
    return kExitRefused;
  }
  const zorext::Exports* lib = Library();
  if (lib == nullptr) return kExitRefused;
  const std::vector<std::string> names = PictureFiles(dir);
  int converted = 0, refused = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    // a.pi and a.bmp would both make a.png: such files keep their extension.
    const std::string stem = LowerCase(Stem(names[i]));
    const bool shared = std::count_if(names.begin(), names.end(), [&](const std::string& n) {
                          return LowerCase(Stem(n)) == stem;
                        }) > 1;
    const std::string out = Join(outDir, (shared ? names[i] : Stem(names[i])) + ".png");
    std::string summary;
    const std::string refusal = ConvertOne(*lib, Join(dir, names[i]), out, t, summary);
    if (refusal.empty()) {
      ++converted;
      std::printf("[%zu/%zu] %s: %s\n", i + 1, names.size(), names[i].c_str(), summary.c_str());
    } else {
      ++refused;
      std::printf("[%zu/%zu] %s: refused: %s\n", i + 1, names.size(), names[i].c_str(),
                  refusal.c_str());
    }
    std::fflush(stdout);
  }
  std::printf("converted %d, refused %d\n", converted, refused);
  return refused == 0 ? kExitOk : kExitRefused;
}

int Convert(const std::vector<std::string>& args) {
  std::vector<std::string> paths;
  Transparency t;
  bool toleranceGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
      paths.push_back(a);
      continue;
    }
    if (i + 1 >= args.size()) return Usage((a + " needs a value").c_str());
    const std::string v = args[++i];
    const bool sets = a == "--transparent" || a == "--colour" || a == "--color" || a == "--corner";
    if (sets && t.mode != Transparency::kNone) {
      return Usage("give at most one of --transparent, --colour and --corner");
    }
    if (a == "--transparent") {
      t.mode = Transparency::kIndex;
      if (!ParseInt(v, 0, 255, t.index)) return Usage("--transparent takes an index 0-255");
    } else if (a == "--colour" || a == "--color") {
      t.mode = Transparency::kColour;
      if (!ParseRgb(v, t.rgb)) return Usage("--colour takes R,G,B, each 0-255");
    } else if (a == "--tolerance") {
      toleranceGiven = true;
      if (!ParseInt(v, 0, 128, t.tolerance)) return Usage("--tolerance takes 0-128");
    } else if (a == "--corner") {
      t.mode = Transparency::kCorner;
      const char* const corners[] = {"tl", "tr", "bl", "br"};
      t.corner = 0;
      for (int c = 0; c < 4; ++c) {
        if (LowerCase(v) == corners[c]) t.corner = c + 1;
      }
      if (t.corner == 0) return Usage("--corner takes tl, tr, bl or br");
    } else {
      return Usage(("unknown option " + a).c_str());
    }
  }
  if (toleranceGiven && t.mode != Transparency::kColour) return Usage("--tolerance needs --colour");
  if (paths.size() != 2) return Usage("convert takes an input and an output");
  if (IsFolder(paths[0])) return ConvertFolder(paths[0], paths[1], t);
  const zorext::Exports* lib = Library();
  if (lib == nullptr) return kExitRefused;
  std::string summary;
  const std::string refusal = ConvertOne(*lib, paths[0], paths[1], t, summary);
  if (!refusal.empty()) {
    std::fprintf(stderr, "zorext: %s: refused: %s\n", paths[0].c_str(), refusal.c_str());
    return kExitRefused;
  }
  std::printf("%s: %s\n", paths[0].c_str(), summary.c_str());
  return kExitOk;
}

int Info(const std::vector<std::string>& files) {
  if (files.empty()) return Usage("info takes one or more files");
  const zorext::Exports* lib = Library();
  if (lib == nullptr) return kExitRefused;
  int status = kExitOk;
  for (const std::string& f : files) {
    std::string text;
    const std::string refusal = zorext::DescribePicture(*lib, f, text);
    if (refusal.empty()) {
      std::printf("%s\n%s", f.c_str(), text.c_str());
    } else {
      std::printf("%s: refused: %s\n", f.c_str(), refusal.c_str());
      status = kExitRefused;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // Failures are reported on the console, never in a dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  if (args.empty()) return Usage(nullptr);
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::fputs(kUsage, stdout);
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  if (args[0] != "info" && args[0] != "convert") {
    return Usage(("unknown command " + args[0]).c_str());
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  return args[0] == "info" ? Info(rest) : Convert(rest);
}
