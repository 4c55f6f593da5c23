// The zorext converter, run as a child process the way a user runs it: its
// PNG files are decoded again and compared pixel by pixel with the colours
// of the source pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "support/bmp_builder.h"
#include "support/pi_encoder.h"
#include "support/zortest.h"

namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// Runs zorext with `args` through the shell, its output and errors into a
// file of their own per run (a child's inherited handle may outlive it for a
// moment).
Outcome RunZorext(const std::vector<std::string>& args) {
  static int runs = 0;
  const std::string output = "zt_zorext_output" + std::to_string(++runs) + ".txt";
#if defined(_WIN32)
  std::string line = "zorext.exe";
#else
  std::string line = ZT_ZOREXT;
#endif
  for (const std::string& a : args) line += " \"" + a + "\"";
  const int status = std::system((line + " >" + output + " 2>&1").c_str());
  Outcome r;
#if defined(_WIN32)
  r.exitCode = status;
#else
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  r.output = ReadAll(output);
  return r;
}

// A source picture: its file bytes, and for every pixel (rows from the top)
// its colour index or, for 24-bit BMP, -1 with the colour in `direct`.
struct Source {
  std::string bytes;
  int width = 0, height = 0;
  std::vector<int> index;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB by index
  std::vector<std::uint32_t> direct;

  std::uint32_t Rgb(std::size_t i) const { return index[i] < 0 ? direct[i] : palette[index[i]]; }
};

Source PiSource(int w, int h, int colours, std::uint32_t seed, const std::string& comment = "zt") {
  Source s;
  s.width = w, s.height = h;
  zt::PiHeaderSpec header = zt::PiSpec(w, h, colours, seed);
  header.comment = comment;
  const std::vector<std::uint8_t> px = zt::MakePiPicture(w, h, colours, seed, 30);
  s.bytes = zt::EncodePiFile(header, px, seed);
  s.index.assign(px.begin(), px.end());
  for (int i = 0; i < colours; ++i) {
    const std::uint8_t* p = &header.palette[3 * std::size_t(i)];
    s.palette.push_back(std::uint32_t(p[0] << 16 | p[1] << 8 | p[2]));
  }
  return s;
}

Source BmpSource(int w, int h, std::uint16_t bits) {
  Source s;
  s.width = w, s.height = h;
  zt::DibSpec d = zt::DibSpec::Of(w, h, bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* row = d.Row(y);
      if (bits == 8) {
        row[x] = std::uint8_t(x * 29 + y * 7);
        s.index.push_back(row[x]);
      } else {
        const std::uint32_t rgb = std::uint32_t(x * 0x3B1F5 + y * 0x9D2B) & 0xFFFFFF;
        row[3 * x] = std::uint8_t(rgb), row[3 * x + 1] = std::uint8_t(rgb >> 8);
        row[3 * x + 2] = std::uint8_t(rgb >> 16);
        s.index.push_back(-1);
        s.direct.push_back(rgb);
      }
    }
  }
  for (int i = 0; bits == 8 && i < 256; ++i) s.palette.push_back(zt::DibSpec::EntryRgb(i));
  s.bytes = zt::MakeBmp(d);
  return s;
}

// Decodes the PNG and compares every pixel: alpha 0 where `transparent`
// says so (when given, the PNG must have an alpha channel), else the
// source colour.
void ExpectPng(const std::string& png, const Source& src,
               const std::vector<bool>* transparent = nullptr) {
  int w = 0, h = 0, channels = 0;
  stbi_uc* px = stbi_load(png.c_str(), &w, &h, &channels, 0);
  ASSERT_NE(px, nullptr) << png << ": " << stbi_failure_reason();
  EXPECT_EQ(w, src.width) << png;
  EXPECT_EQ(h, src.height) << png;
  EXPECT_EQ(channels, transparent != nullptr ? 4 : 3) << png;
  int mismatches = 0;
  for (int i = 0; w == src.width && h == src.height && i < w * h; ++i) {
    const stbi_uc* p = px + std::size_t(i) * channels;
    const bool clear = transparent != nullptr && (*transparent)[i];
    const std::uint32_t got = std::uint32_t(p[0] << 16 | p[1] << 8 | p[2]);
    const bool ok = clear ? channels == 4 && p[3] == 0
                          : got == src.Rgb(std::size_t(i)) && (channels == 3 || p[3] == 255);
    if (!ok && ++mismatches <= 5) {
      ADD_FAILURE() << png << " pixel (" << i % w << "," << i / w << "): " << std::hex << got
                    << " alpha " << (channels == 4 ? int(p[3]) : 255) << ", want "
                    << src.Rgb(std::size_t(i)) << (clear ? " transparent" : "");
    }
  }
  stbi_image_free(px);
}

TEST(Zorext, ConvertsEveryPixelToItsSourceColour) {
  // The transparency option: none, index 3, the top-left pixel's colour, or
  // the bottom-right pixel's index.
  enum Option { kNone, kIndex3, kTopLeftColour, kBottomRight };
  const struct {
    const char* name;
    Source src;
    Option option;
  } cases[] = {
      {"pi16_odd", PiSource(17, 9, 16, 1), kNone},
      {"pi256", PiSource(64, 21, 256, 2), kNone},
      {"pi16_index", PiSource(13, 7, 16, 3), kIndex3},
      {"pi256_colour", PiSource(20, 5, 256, 4), kTopLeftColour},
      {"pi16_corner", PiSource(12, 8, 16, 7), kBottomRight},
      {"bmp8_odd", BmpSource(15, 6, 8), kNone},
      {"bmp24", BmpSource(9, 5, 24), kNone},
  };
  for (const auto& c : cases) {
    const Source& src = c.src;
    const bool isBmp = src.bytes.compare(0, 2, "BM") == 0;
    const std::string in = std::string("zt_zorext_") + c.name + (isBmp ? ".bmp" : ".pi");
    const std::string out = std::string("zt_zorext_") + c.name + ".png";
    zt::WriteTempFile(in, src.bytes);
    std::remove(out.c_str());
    std::vector<std::string> args = {"convert", in, out};
    const std::uint32_t c0 = src.Rgb(0);
    if (c.option == kIndex3) args.insert(args.end(), {"--transparent", "3"});
    if (c.option == kBottomRight) args.insert(args.end(), {"--corner", "br"});
    if (c.option == kTopLeftColour) {
      args.insert(args.end(),
                  {"--colour", std::to_string(c0 >> 16) + "," + std::to_string(c0 >> 8 & 255) +
                                   "," + std::to_string(c0 & 255)});
    }
    std::vector<bool> clear;
    for (std::size_t i = 0; c.option != kNone && i < src.index.size(); ++i) {
      const int idx = src.index[i];
      clear.push_back(c.option == kIndex3        ? idx == 3
                      : c.option == kBottomRight ? idx == src.index.back()
                                                 : src.Rgb(i) == c0);
    }
    if (!clear.empty()) {
      const auto n = std::count(clear.begin(), clear.end(), true);
      ASSERT_TRUE(n > 0 && n < std::ptrdiff_t(clear.size())) << c.name << ": both kinds of pixel";
    }
    const Outcome r = RunZorext(args);
    EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.output;
    ExpectPng(out, src, clear.empty() ? nullptr : &clear);
  }
}

TEST(Zorext, InfoShowsSizeColoursAndComment) {
  const std::string pi =
      zt::WriteTempFile("zt_zorext_info.pi", PiSource(17, 9, 16, 5, "a picture").bytes);
  const std::string bmp = zt::WriteTempFile("zt_zorext_info.bmp", BmpSource(15, 6, 8).bytes);
  const Outcome r = RunZorext({"info", pi, bmp});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  for (const char* want : {"kind: Pi", "size: 17 x 9", "colours: 16 (4 planes), palette stored",
                           "comment: \"a picture\"", "kind: BMP", "size: 15 x 6",
                           "colours: 8 bits per pixel, 256-entry palette"}) {
    EXPECT_NE(r.output.find(want), std::string::npos) << "missing \"" << want << "\" in\n"
                                                      << r.output;
  }
}

// A folder with two pictures (one with an upper-case extension), one broken
// Pi file and a file that is no picture: the good ones convert, the broken
// one is refused in words, and the exit status tells.
TEST(Zorext, FolderKeepsGoingPastABrokenFile) {
  const std::string dir = "zt_zorext_in", outDir = "zt_zorext_out";
  std::filesystem::create_directory(dir);
  const Source pi = PiSource(11, 4, 16, 6), bmp = BmpSource(7, 3, 24);
  zt::WriteTempFile(dir + "/a.pi", pi.bytes);
  zt::WriteTempFile(dir + "/B.BMP", bmp.bytes);
  zt::WriteTempFile(dir + "/c.pi", std::string(100, 'x'));
  zt::WriteTempFile(dir + "/notes.txt", "not a picture");
  for (const char* name : {"/a.png", "/B.png", "/c.png", "/notes.png"}) {
    std::remove((outDir + name).c_str());
  }
  const Outcome r = RunZorext({"convert", dir, outDir});
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("converted 2, refused 1"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("c.pi: refused: not a Pi file (bad header)"), std::string::npos)
      << r.output;
  EXPECT_EQ(r.output.find("notes"), std::string::npos) << r.output;
  ExpectPng(outDir + "/a.png", pi);
  ExpectPng(outDir + "/B.png", bmp);

  EXPECT_EQ(RunZorext({"convert", dir}).exitCode, 2) << "usage error";
}

}  // namespace
