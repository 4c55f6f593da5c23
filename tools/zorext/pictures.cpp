#include "tools/zorext/pictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

namespace zorext {

namespace {

// Larger pictures are refused rather than given a screen of their size.
constexpr long long kMaxPixels = 1LL << 26;

std::string Lower(std::string s) {
  for (char& c : s) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

bool EndsWith(const std::string& s, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return s.size() >= n && Lower(s.substr(s.size() - n)) == tail;
}

// Up to `most` bytes from the start of the file.
std::string ReadStart(const std::string& path, std::size_t most) {
  std::ifstream f(path, std::ios::binary);
  std::string s(most, '\0');
  f.read(&s[0], std::streamsize(most));
  s.resize(std::size_t(f.gcount()));
  return s;
}

std::string Words(const char* what, const char* exportName, std::int32_t status) {
  return std::string(what) + " (" + exportName + " " + std::to_string(status) + ")";
}

std::string PiInfoWords(std::int32_t s) {
  return Words(s == -1   ? "not a Pi file (bad header)"
               : s == -2 ? "file cannot be opened or read"
                         : "unexpected status",
               "PiInfo", s);
}

std::string PiLoadWords(std::int32_t s) {
  return Words(s == -1   ? "width outside 3 to 8192, or the file cannot be reopened"
               : s == -2 ? "not a Pi file (bad header), or its stream cannot start"
               : s == -3 ? "file cannot be opened or read"
                         : "unexpected status",
               "PiLoad", s);
}

std::string BmpInfoWords(std::int32_t s) {
  return Words(s == -16   ? "file cannot be opened"
               : s == -17 ? "file too short for a BMP header"
               : s == -18 ? "not a BMP file (bad signature)"
               : s == -19 ? "not a BMP file (declared size under 58 bytes)"
                          : "unexpected status",
               "BmpInfo", s);
}

std::string BmpLoadWords(std::int32_t s) {
  const char* w = s == -1     ? "file cannot be opened"
                  : s == -2   ? "file too short for a BMP header"
                  : s == -3   ? "not a BMP file (bad signature)"
                  : s == -4   ? "not a BMP file (declared size under 58 bytes)"
                  : s == -16  ? "not enough memory for the file"
                  : s == -256 ? "unsupported bit depth"
                  : s == -257 ? "compressed BMP (run-length) or bit fields with a colour count"
                  : s == 259  ? "unsupported bit-field masks"
                  : s == -259 ? "broken BMP (header under 40 bytes, or pixels past the file size)"
                  : s == -512 ? "full-colour BMP on a palette screen"
                              : "unexpected status";
  return Words(w, "BmpLoad", s);
}

std::string SizeCheck(long long w, long long h) {
  if (w <= 0 || h <= 0)
    return "empty picture (" + std::to_string(w) + " x " + std::to_string(h) + ")";
  if (w * h > kMaxPixels) {
    return "picture too large (" + std::to_string(w) + " x " + std::to_string(h) + ")";
  }
  return std::string();
}

// The Pi header's descriptive fields, read from the file as the library's
// header reader walks it; PiInfo has already accepted the header.
struct PiFields {
  bool found = false;
  std::string comment;
  std::uint8_t mode = 0, aspect[2] = {0, 0}, planes = 0;
  std::string machine;
  unsigned machineDataBytes = 0;
  bool leadingBlock = false;
};

PiFields ReadPiFields(const std::string& path) {
  PiFields f;
  const std::string b = ReadStart(path, 65536);
  const std::size_t n = b.size();
  std::size_t h = 0;
  if (b.compare(0, 2, "Pi") == 0) {
    h = 0;
  } else if (n >= 199 && b.compare(128, 2, "Pi") == 0) {
    h = 128;
    f.leadingBlock = true;
  } else {
    return f;
  }
  std::size_t start = h + 2;
  if (b.compare(h + 2, 3, "DMY") == 0) {
    const std::size_t zero = b.find('\0', h + 5);
    if (zero == std::string::npos || zero + 5 >= n) return f;
    const std::size_t second = b.find("Pi", zero);
    if (second != std::string::npos && second + 3 < n) start = second + 2;
  }
  const std::size_t eof = b.find('\x1A', start);
  if (eof == std::string::npos) return f;
  const std::size_t p = b.find('\0', eof);
  if (p == std::string::npos || p + 11 > n) return f;
  f.comment = b.substr(start, eof - start);
  f.mode = std::uint8_t(b[p + 1]);
  f.aspect[0] = std::uint8_t(b[p + 2]);
  f.aspect[1] = std::uint8_t(b[p + 3]);
  f.planes = std::uint8_t(b[p + 4]);
  f.machine = b.substr(p + 5, 4);
  f.machineDataBytes = unsigned(std::uint8_t(b[p + 9])) << 8 | std::uint8_t(b[p + 10]);
  f.found = true;
  return f;
}

int PiColours(const PiFields& f) { return f.planes == 4 ? 16 : 256; }

// Bytes as text, with control bytes and the backslash escaped.
std::string Printable(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c == 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02X", c);
      out += esc;
    } else {
      out += char(c);
    }
  }
  return out;
}

void CornerXY(int corner, int w, int h, int& x, int& y) {
  x = corner == 2 || corner == 4 ? w - 1 : 0;
  y = corner == 3 || corner == 4 ? h - 1 : 0;
}

void SetPixel(Image& out, int x, int y, const std::uint8_t* rgb, bool transparent) {
  const int comp = out.alpha ? 4 : 3;
  std::uint8_t* d = &out.pixels[(std::size_t(y) * out.width + x) * comp];
  for (int i = 0; i < 3; ++i) d[i] = transparent ? 0 : rgb[i];
  if (out.alpha) d[3] = transparent ? 0 : 255;
}

void StartImage(Image& out, int w, int h, const Transparency& t) {
  out.width = w;
  out.height = h;
  out.alpha = t.mode != Transparency::kNone;
  out.pixels.assign(std::size_t(w) * h * (out.alpha ? 4 : 3), 0);
}

std::string LoadPi(const Exports& lib, const std::string& path, const Transparency& t, Image& out) {
  IntVar size(2);
  if (!size.ok()) return "not enough memory";
  const std::int32_t info = lib.PiInfo(size.rec(), path.c_str(), 0, 0);
  if (info != 0) return PiInfoWords(info);
  const int w = size[0], h = size[1];
  std::string refusal = SizeCheck(w, h);
  if (!refusal.empty()) return refusal;
  if (w < 3 || w > 8192) return "width " + std::to_string(w) + " outside the Pi loader's 3 to 8192";

  // The transparency settings in force for this file only; the loader
  // skips transparent pixels, so two loads over black and over white tell
  // them apart from opaque ones.
  lib.PiTransColour(0, 0, 0, 0);
  if (t.mode == Transparency::kIndex) lib.PiTransColour(t.index, 1, 0, 0);
  if (t.mode == Transparency::kColour) lib.PiTransColour(256 + t.tolerance, 1, 0, 0);
  if (t.mode == Transparency::kCorner) lib.PiTransColour(-1, 1, t.corner, 0);
  const int loads = t.mode == Transparency::kNone ? 1 : 2;
  std::unique_ptr<Screen> screens[2];
  for (int i = 0; i < loads; ++i) {
    screens[i] = std::make_unique<Screen>(w, h, false);
    if (!screens[i]->ok())
      return "not enough memory for a " + std::to_string(w) + " x " + std::to_string(h) + " screen";
    screens[i]->Fill(i == 0 ? 0x00 : 0xFF);
    screens[i]->rec()->currentColour = std::uint32_t(t.rgb[0] | t.rgb[1] << 8 | t.rgb[2] << 16);
    // Flag bit 0: no redraw (the screen has no window); placed at (0, 0).
    const std::int32_t status =
        lib.PiLoad(screens[i]->rec(), path.c_str(), 1, screens[i]->hostPalette());
    if (status != 0) {
      lib.PiTransColour(0, 0, 0, 0);
      return PiLoadWords(status);
    }
  }
  lib.PiTransColour(0, 0, 0, 0);

  StartImage(out, w, h, t);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* a = screens[0]->Pixel(x, y);
      const bool transparent = loads == 2 && std::memcmp(a, screens[1]->Pixel(x, y), 3) != 0;
      const std::uint8_t rgb[3] = {a[2], a[1], a[0]};
      SetPixel(out, x, y, rgb, transparent);
    }
  }
  const PiFields f = ReadPiFields(path);
  out.summary = std::to_string(w) + " x " + std::to_string(h) + " Pi";
  if (f.found) out.summary += ", " + std::to_string(PiColours(f)) + " colours";
  return std::string();
}

std::string LoadBmp(const Exports& lib, const std::string& path, const Transparency& t,
                    Image& out) {
  IntVar info(7);
  if (!info.ok()) return "not enough memory";
  const std::int32_t status = lib.BmpInfo(info.rec(), path.c_str(), 0, 0);
  if (status != 0) return BmpInfoWords(status);
  const int w = info[1], h = info[2], bits = info[3];
  if (h < 0) return "top-down BMP (negative height), which the loader does not draw";
  std::string refusal = SizeCheck(w, h);
  if (!refusal.empty()) return refusal;

  // Pictures with a colour table go onto a palette screen, so their pixels
  // keep their indexes; the loader writes the table into the host palette.
  const bool indexed = bits == 1 || bits == 4 || bits == 8;
  Screen screen(w, h, indexed);
  if (!screen.ok())
    return "not enough memory for a " + std::to_string(w) + " x " + std::to_string(h) + " screen";
  const std::int32_t load = lib.BmpLoad(screen.rec(), path.c_str(), 0, screen.hostPalette());
  if (load != 0 && load != -32) return BmpLoadWords(load);
  if (load == -32) out.warning = "file shorter than its header says; drawn from what is there";

  auto colourOf = [&](int x, int y, std::uint8_t* rgb) {
    const std::uint8_t* p = screen.Pixel(x, y);
    if (indexed) {
      std::memcpy(rgb, screen.hostPalette() + 3 * std::size_t(*p), 3);
    } else {
      rgb[0] = p[2], rgb[1] = p[1], rgb[2] = p[0];
    }
  };
  // The corner rule picks the corner's index, or its colour without a table.
  int cx = 0, cy = 0;
  CornerXY(t.corner, w, h, cx, cy);
  std::uint8_t cornerRgb[3];
  colourOf(cx, cy, cornerRgb);
  const int cornerIndex = indexed ? *screen.Pixel(cx, cy) : -1;

  StartImage(out, w, h, t);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t rgb[3];
      colourOf(x, y, rgb);
      const int index = indexed ? *screen.Pixel(x, y) : -1;
      bool transparent = false;
      if (t.mode == Transparency::kIndex) transparent = indexed && index == t.index;
      if (t.mode == Transparency::kColour) {
        transparent = true;
        for (int i = 0; i < 3; ++i) transparent &= std::abs(rgb[i] - t.rgb[i]) <= t.tolerance;
      }
      if (t.mode == Transparency::kCorner) {
        transparent = indexed ? index == cornerIndex : std::memcmp(rgb, cornerRgb, 3) == 0;
      }
      SetPixel(out, x, y, rgb, transparent);
    }
  }
  out.summary = std::to_string(w) + " x " + std::to_string(h) + " BMP, " + std::to_string(bits) +
                " bits per pixel";
  return std::string();
}

}  // namespace

bool HasPictureExtension(const std::string& name) {
  return EndsWith(name, ".bmp") || EndsWith(name, ".pi");
}

Kind KindOf(const std::string& path) {
  if (EndsWith(path, ".bmp")) return Kind::Bmp;
  if (EndsWith(path, ".pi")) return Kind::Pi;
  return ReadStart(path, 2) == "BM" ? Kind::Bmp : Kind::Pi;
}

std::string LoadPicture(const Exports& lib, const std::string& path, const Transparency& t,
                        Image& out) {
  out = Image();
  return KindOf(path) == Kind::Bmp ? LoadBmp(lib, path, t, out) : LoadPi(lib, path, t, out);
}

std::string DescribePicture(const Exports& lib, const std::string& path, std::string& text) {
  text.clear();
  auto line = [&](const char* name, const std::string& value) {
    text += std::string("  ") + name + ": " + value + "\n";
  };
  if (KindOf(path) == Kind::Bmp) {
    IntVar v(7);
    if (!v.ok()) return "not enough memory";
    const std::int32_t status = lib.BmpInfo(v.rec(), path.c_str(), 0, 0);
    if (status != 0) return BmpInfoWords(status);
    static const char* const kCompression[] = {"none (BI_RGB)", "bit fields (BI_BITFIELDS)",
                                               "run-length, 4 bits (BI_RLE4)",
                                               "run-length, 8 bits (BI_RLE8)"};
    const int bits = v[3];
    line("kind", "BMP");
    line("size", std::to_string(v[1]) + " x " + std::to_string(v[2]) +
                     (v[2] < 0 ? " (top-down rows)" : ""));
    line("colours",
         std::to_string(bits) + " bits per pixel" +
             (bits >= 1 && bits <= 8 ? ", " + std::to_string(1 << bits) + "-entry palette" : ""));
    line("compression", v[0] >= 0 && v[0] <= 3 ? kCompression[v[0]] : "other");
    line("file size", std::to_string(std::uint32_t(v[4])) + " bytes (as the header declares)");
    line("resolution", std::to_string(v[5]) + " x " + std::to_string(v[6]) + " pixels per metre");
    return std::string();
  }
  IntVar size(2);
  if (!size.ok()) return "not enough memory";
  const std::int32_t status = lib.PiInfo(size.rec(), path.c_str(), 0, 0);
  if (status != 0) return PiInfoWords(status);
  const PiFields f = ReadPiFields(path);
  line("kind", "Pi");
  line("size", std::to_string(size[0]) + " x " + std::to_string(size[1]));
  if (f.found) {
    line("colours", std::to_string(PiColours(f)) + " (" + std::to_string(f.planes) + " planes), " +
                        (f.mode & 0x80 ? "default palette" : "palette stored"));
    line("comment", "\"" + Printable(f.comment) + "\"");
    line("aspect", std::to_string(f.aspect[0]) + ":" + std::to_string(f.aspect[1]));
    line("machine", "\"" + Printable(f.machine) + "\", " + std::to_string(f.machineDataBytes) +
                        " bytes of machine data");
    if (f.leadingBlock) line("leading block", "128 bytes before the signature");
  }
  return std::string();
}

}  // namespace zorext
