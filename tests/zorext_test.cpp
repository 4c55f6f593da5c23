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
  int exitCode;
  std::string output;  // stdout and stderr together
};

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
  std::ostringstream text;
  text << std::ifstream(output, std::ios::binary).rdbuf();
#if defined(_WIN32)
  return {status, text.str()};
#else
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
#endif
}

// A source picture: its file bytes, every pixel's colour 0x00RRGGBB (rows
// from the top) and, for Pi, its colour index.
struct Source {
  std::string bytes;
  int width, height;
  std::vector<std::uint32_t> rgb;
  std::vector<std::uint8_t> index;
};

Source PiSource(int w, int h, int colours, std::uint32_t seed, const std::string& comment = "zt") {
  zt::PiHeaderSpec header = zt::PiSpec(w, h, colours, seed);
  header.comment = comment;
  Source s{"", w, h, {}, zt::MakePiPicture(w, h, colours, seed, 30)};
  s.bytes = zt::EncodePiFile(header, s.index, seed);
  for (std::uint8_t i : s.index) {
    const std::uint8_t* p = &header.palette[3 * std::size_t(i)];
    s.rgb.push_back(std::uint32_t(p[0] << 16 | p[1] << 8 | p[2]));
  }
  return s;
}

// 8-bit pixels index the builder's table; 24-bit ones are blue, green, red.
Source BmpSource(int w, int h, std::uint16_t bits) {
  zt::DibSpec d = zt::DibSpec::Of(w, h, bits);
  for (std::size_t i = 0; i < d.pixels.size(); ++i)
    d.pixels[i] = std::uint8_t(i * 2654435761u >> 11);
  Source s{zt::MakeBmp(d), w, h, {}, {}};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = d.Row(y) + x * bits / 8;
      s.rgb.push_back(bits == 8 ? zt::DibSpec::EntryRgb(*p)
                                : std::uint32_t(p[2] << 16 | p[1] << 8 | p[0]));
    }
  }
  return s;
}

// Decodes the PNG and compares every pixel: alpha 0 where `transparent`
// says so (when given, the PNG must have an alpha channel), else the
// source colour at alpha 255.
void ExpectPng(const std::string& png, const Source& src,
               const std::vector<bool>& transparent = {}) {
  int w = 0, h = 0, channels = 0;
  stbi_uc* px = stbi_load(png.c_str(), &w, &h, &channels, 0);
  ASSERT_NE(px, nullptr) << png << ": " << stbi_failure_reason();
  EXPECT_EQ(channels, transparent.empty() ? 3 : 4) << png;
  EXPECT_EQ(w, src.width) << png;
  std::vector<std::uint32_t> got, want;  // 0xAARRGGBB, 0 when transparent
  for (int i = 0; i < w * h; ++i) {
    const stbi_uc* p = px + std::size_t(i) * channels;
    const std::uint32_t alpha = channels == 4 ? p[3] : 255;
    got.push_back(alpha == 0 ? 0 : alpha << 24 | p[0] << 16 | p[1] << 8 | p[2]);
  }
  stbi_image_free(px);
  for (std::size_t i = 0; i < src.rgb.size(); ++i) {
    want.push_back(!transparent.empty() && transparent[i] ? 0 : 0xFF000000 | src.rgb[i]);
  }
  EXPECT_EQ(want, got) << png;
}

// With each transparency option: index 3, the top-left pixel's colour, the
// bottom-right pixel's index.
TEST(Zorext, ConvertsEveryPixelToItsSourceColour) {
  const struct {
    const char* name;
    Source src;
    std::string option;
    const char* value;  // none: the top-left pixel's colour
  } cases[] = {
      {"pi256", PiSource(64, 21, 256, 2), "", ""},
      {"pi16_index", PiSource(13, 7, 16, 3), "--transparent", "3"},
      {"pi256_colour", PiSource(20, 5, 256, 4), "--colour", nullptr},
      {"pi16_corner", PiSource(12, 8, 16, 7), "--corner", "br"},
      {"bmp24", BmpSource(9, 5, 24), "", ""},
  };
  for (const auto& c : cases) {
    const Source& src = c.src;
    const std::string in =
        std::string("zt_zorext_") + c.name + (src.index.empty() ? ".bmp" : ".pi");
    const std::string out = std::string("zt_zorext_") + c.name + ".png";
    zt::WriteTempFile(in, src.bytes);
    std::remove(out.c_str());
    const std::uint32_t c0 = src.rgb[0];
    char colour[16];
    std::snprintf(colour, sizeof colour, "%u,%u,%u", c0 >> 16, c0 >> 8 & 255, c0 & 255);
    std::vector<std::string> args = {"convert", in, out, c.option, c.value ? c.value : colour};
    if (c.option.empty()) args.resize(3);
    std::vector<bool> clear;
    for (std::size_t i = 0; !c.option.empty() && i < src.rgb.size(); ++i) {
      clear.push_back(c.option == "--transparent" ? src.index[i] == 3
                      : c.option == "--corner"    ? src.index[i] == src.index.back()
                                                  : src.rgb[i] == c0);
    }
    const auto n = std::count(clear.begin(), clear.end(), true);
    ASSERT_TRUE(clear.empty() || (n > 0 && n < std::ptrdiff_t(clear.size())))
        << c.name << ": both kinds of pixel";
    const Outcome r = RunZorext(args);
    EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.output;
    ExpectPng(out, src, clear);
  }
}

// A folder with two pictures (one with an upper-case extension), one broken
// Pi file and a file that is no picture: info describes the pictures, the
// good ones convert, the broken one is refused in words, and the exit status
// tells.
TEST(Zorext, InfoAndAFolderThatKeepsGoingPastABrokenFile) {
  const std::string dir = "zt_zorext_in", outDir = "zt_zorext_out";
  std::filesystem::create_directory(dir);
  const Source pi = PiSource(17, 9, 16, 5, "a picture"), bmp = BmpSource(15, 6, 8);
  zt::WriteTempFile(dir + "/a.pi", pi.bytes);
  zt::WriteTempFile(dir + "/B.BMP", bmp.bytes);
  zt::WriteTempFile(dir + "/c.pi", std::string(100, 'x'));
  zt::WriteTempFile(dir + "/notes.txt", "not a picture");
  const Outcome info = RunZorext({"info", dir + "/a.pi", dir + "/B.BMP"});
  EXPECT_EQ(info.exitCode, 0) << info.output;
  for (const char* want : {"kind: Pi", "size: 17 x 9", "colours: 16 (4 planes), palette stored",
                           "comment: \"a picture\"", "kind: BMP", "size: 15 x 6",
                           "colours: 8 bits per pixel, 256-entry palette"}) {
    EXPECT_NE(info.output.find(want), std::string::npos) << "missing " << want << " in\n"
                                                         << info.output;
  }
  std::filesystem::remove_all(outDir);
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
