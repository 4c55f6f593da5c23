// The Pi exports, reached by name as the host reaches them, loading into
// real DIB-section screens.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/pi_encoder.h"
#include "support/screen.h"
#include "support/zortest.h"

ZT_EXPORT(PiInfo, zor::HspVar*, const char*, std::int32_t, std::int32_t);
ZT_EXPORT(PiInfoMem, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(SetPiMem, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(PiLoad, zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);
ZT_EXPORT(PiLoadMem, zor::HspScreen*, std::int32_t, std::int32_t, std::uint8_t*);
ZT_EXPORT(PiTransColour, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(PiDllAbout, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

namespace {

using zt::HostVar;
using zt::TestScreen;

// The 70-byte example: 4 x 2, 16 colours, default palette; rows 0 0 15 15.
std::string WorkedExample() {
  const unsigned char head[] = {0x50, 0x69, 0x1A, 0x00, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x02, 0xA4, 0xF1, 0x80};
  std::string s(reinterpret_cast<const char*>(head), sizeof head);
  s.append(49, '\0');
  return s;
}

struct Picture {
  zt::PiHeaderSpec spec;
  std::vector<std::uint8_t> pixels;
  std::string file;
};

Picture MakePicture(int w, int h, int colours, std::uint32_t seed, unsigned detail = 20,
                    bool storePalette = true) {
  Picture p;
  p.spec.width = w;
  p.spec.height = h;
  p.spec.colours = colours;
  p.spec.storePalette = storePalette;
  p.spec.palette.resize(static_cast<std::size_t>(colours) * 3);
  for (std::size_t i = 0; i < p.spec.palette.size(); ++i) {
    p.spec.palette[i] = static_cast<std::uint8_t>(i * 37 + seed);
  }
  p.pixels = zt::MakePiPicture(w, h, colours, seed, detail);
  zt::PiEncodeOptions opt;
  opt.seed = seed;
  p.file = zt::EncodePiFile(p.spec, p.pixels, opt);
  return p;
}

// Settings back to their initial values: no transparency, no memory source.
void ResetSettings() {
  PiTransColour(0, 0, 0, 0);
  HostVar v = HostVar::String(4);
  SetPiMem(v, 1, 0, 0);
}

// A string variable holding `bytes` (the way a script loads a file).
HostVar BytesVar(const std::string& bytes) {
  const std::uint32_t storage = static_cast<std::uint32_t>((bytes.size() + 4) & ~std::size_t{3});
  HostVar v = HostVar::String(storage);
  // Row sizes past 16 bits live in the extended size record, as the host
  // keeps them.
  if (storage / 4 > 0xFFFF) v.SetExtended(static_cast<std::int32_t>(storage / 4), 1);
  std::memcpy(v.bytes(), bytes.data(), bytes.size());
  return v;
}

// Expects the picture at (x0, y0) where the screen has room; `transparent`
// (may be null) marks indexes that leave the old value `fill`.
void ExpectPlaced(const TestScreen& s, const Picture& p, int x0, int y0, std::uint8_t fill,
                  const bool* transparent = nullptr) {
  const int w = p.spec.width, h = p.spec.height;
  int mismatches = 0;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      const bool inside = x >= x0 && y >= y0 && x - x0 < w && y - y0 < h;
      const std::uint8_t idx = inside ? p.pixels[std::size_t(y - y0) * w + (x - x0)] : 0;
      const bool keep = !inside || (transparent != nullptr && transparent[idx]);
      if (s.paletteMode()) {
        const std::uint8_t want = keep ? fill : idx;
        if (s.Index(x, y) != want && ++mismatches < 5) {
          ADD_FAILURE() << "(" << x << "," << y << ") " << int(s.Index(x, y)) << " want "
                        << int(want);
        }
      } else {
        const std::uint8_t* pal = &p.spec.palette[std::size_t(idx) * 3];
        const std::uint32_t want =
            keep ? (std::uint32_t{fill} * 0x010101u)
                 : (std::uint32_t{pal[0]} << 16 | std::uint32_t{pal[1]} << 8 | pal[2]);
        if (s.Rgb(x, y) != want && ++mismatches < 5) {
          ADD_FAILURE() << "(" << x << "," << y << ") " << std::hex << s.Rgb(x, y) << " want "
                        << want;
        }
      }
    }
  }
  EXPECT_EQ(0, mismatches);
}

// ---- PiInfo, PiInfoMem, SetPiMem ----

TEST(PiInfo, ReportsTheSizeAndChecksTheVariable) {
  ResetSettings();
  const std::string name = zt::WriteTempFile("zt_pi_info.pi", WorkedExample());
  long before = zt::OpenHandleCount();
  HostVar v = HostVar::Ints(2);
  EXPECT_EQ(0, PiInfo(v, name.c_str(), 0, 0));
  EXPECT_EQ(4, v.ints()[0]);
  EXPECT_EQ(2, v.ints()[1]);
  HostVar one = HostVar::Ints(1);
  EXPECT_EQ(3, PiInfo(one, name.c_str(), 0, 0));
  HostVar text = HostVar::String(64);
  EXPECT_EQ(6, PiInfo(text, name.c_str(), 0, 0));
  EXPECT_EQ(-2, PiInfo(v, "zt_pi_missing.pi", 0, 0));
  std::string bad = WorkedExample();
  bad[0] = 'Q';
  const std::string badName = zt::WriteTempFile("zt_pi_bad.pi", bad);
  v.ints()[0] = 7;
  EXPECT_EQ(-1, PiInfo(v, badName.c_str(), 0, 0));
  EXPECT_EQ(-1, v.ints()[0]);
  EXPECT_EQ(-1, v.ints()[1]);
  ZT_EXPECT_HANDLES(before);
  std::remove(name.c_str());
  std::remove(badName.c_str());
}

TEST(PiInfo, MemorySourceSetClearedAndSized) {
  ResetSettings();
  HostVar size = HostVar::Ints(2);
  EXPECT_EQ(5, PiInfoMem(size, 0, 0, 0));
  HostVar text = HostVar::String(8);
  EXPECT_EQ(6, PiInfoMem(text, 0, 0, 0));  // type first, then the source

  HostVar bytes = BytesVar(WorkedExample());
  EXPECT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(0, PiInfoMem(size, 0, 0, 0));
  EXPECT_EQ(4, size.ints()[0]);
  EXPECT_EQ(2, size.ints()[1]);

  // lengths[1] = 0: refused with 3 even when clearing, and the source stays.
  HostVar empty = HostVar::String(8);
  empty.rec()->lengths[1] = 0;
  EXPECT_EQ(3, SetPiMem(empty, 1, 0, 0));
  EXPECT_EQ(0, PiInfoMem(size, 0, 0, 0));

  EXPECT_EQ(0, SetPiMem(bytes, 1, 0, 0));  // clear
  EXPECT_EQ(5, PiInfoMem(size, 0, 0, 0));
}

TEST(PiInfo, MemorySourceCountIsTheByteCapacity) {
  ResetSettings();
  // 72 bytes of storage, but lengths[1] says 4 bytes: only the extended
  // record's 18 x 4 = 72 bytes let the header be read. Any type is taken.
  HostVar bytes = BytesVar(WorkedExample());
  bytes.rec()->type = 4;
  bytes.rec()->lengths[1] = 1;
  HostVar size = HostVar::Ints(2);
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(-1, PiInfoMem(size, 0, 0, 0));  // 4 bytes: fewer than 70
  bytes.SetExtended(18, 1);
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(0, PiInfoMem(size, 0, 0, 0));
  EXPECT_EQ(4, size.ints()[0]);
  ResetSettings();
}

// ---- PiLoad, PiLoadMem ----

TEST(PiLoad, WorkedExampleOnAPaletteScreen) {
  ResetSettings();
  const std::string name = zt::WriteTempFile("zt_pi_example.pi", WorkedExample());
  TestScreen s(6, 3, true);
  s.Fill(0xEE);
  std::vector<std::uint8_t> hostPalette(768, 0xCD);
  long before = zt::OpenHandleCount();
  ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
  const std::uint8_t rows[2][4] = {{0, 0, 15, 15}, {0, 0, 15, 15}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(rows[y][x], s.Index(x, y));
    EXPECT_EQ(0xEE, s.Index(4, y));
  }
  EXPECT_EQ(0xEE, s.Index(0, 2));
  // Default 16-colour palette; entries 16 to 255 black.
  EXPECT_EQ(255, hostPalette[15 * 3]);
  EXPECT_EQ(119, hostPalette[1 * 3 + 2]);
  EXPECT_EQ(0, hostPalette[1 * 3 + 0]);
  EXPECT_EQ(0, hostPalette[200 * 3]);
  // Colour table in the record and in the DIB, and the installed palette.
  EXPECT_EQ(119, s.RecordTable()[1].rgbBlue);
  EXPECT_EQ(0, s.RecordTable()[1].rgbRed);
  std::vector<RGBQUAD> table = s.ColourTable();
  ASSERT_EQ(256u, table.size());
  EXPECT_EQ(255, table[15].rgbGreen);
  EXPECT_EQ(0, table[100].rgbGreen);  // was grey 100
  EXPECT_EQ(256, s.rec()->paletteCount);
  EXPECT_NE(nullptr, s.palette());
  EXPECT_EQ(256u, TestScreen::PaletteEntries(s.palette()).size());
  ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));  // the installed palette
  std::remove(name.c_str());
}

TEST(PiLoad, FullColourScreenLeavesPalettesAlone) {
  ResetSettings();
  for (int colours : {16, 256}) {
    Picture p = MakePicture(37, 23, colours, 11);
    const std::string name = zt::WriteTempFile("zt_pi_full.pi", p.file);
    TestScreen s(40, 30, false);
    s.Fill(0x11);
    std::vector<std::uint8_t> hostPalette(768, 0xCD);
    ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0x11);
    EXPECT_EQ(std::vector<std::uint8_t>(768, 0xCD), hostPalette);
    EXPECT_EQ(7, s.RecordTable()[7].rgbRed);  // still grey
    std::remove(name.c_str());
  }
}

TEST(PiLoad, StatusCodes) {
  ResetSettings();
  TestScreen s(8, 8, true);
  s.Fill(0xEE);
  std::vector<std::uint8_t> hostPalette(768, 0xCD);
  long before = zt::OpenHandleCount();
  EXPECT_EQ(-3, PiLoad(s, "zt_pi_missing.pi", 1, hostPalette.data()));
  std::string bad = WorkedExample();
  bad.resize(69);
  const std::string badName = zt::WriteTempFile("zt_pi_short.pi", bad);
  EXPECT_EQ(-2, PiLoad(s, badName.c_str(), 1, hostPalette.data()));

  // Width 2: refused before decoding; PiInfo still reports the size.
  std::string narrow = WorkedExample();
  narrow[15] = 2;
  const std::string narrowName = zt::WriteTempFile("zt_pi_narrow.pi", narrow);
  EXPECT_EQ(-1, PiLoad(s, narrowName.c_str(), 1, hostPalette.data()));
  HostVar size = HostVar::Ints(2);
  EXPECT_EQ(0, PiInfo(size, narrowName.c_str(), 0, 0));
  EXPECT_EQ(2, size.ints()[0]);
  // Width 8,193 likewise.
  std::string wide = WorkedExample();
  wide[14] = 0x20, wide[15] = 0x01;
  const std::string wideName = zt::WriteTempFile("zt_pi_wide.pi", wide);
  EXPECT_EQ(-1, PiLoad(s, wideName.c_str(), 1, hostPalette.data()));

  // Initial colours missing: -2, nothing placed. A stored 256-colour
  // palette lets the stream be a single byte, whose 0111 1111 is the start
  // of a 14-bit colour code.
  zt::PiHeaderSpec spec;
  spec.width = 5;
  spec.height = 5;
  spec.colours = 256;
  spec.palette.assign(768, 9);
  const std::string noStreamName =
      zt::WriteTempFile("zt_pi_nostream.pi", zt::PiHeaderBytes(spec) + "\x7F");
  EXPECT_EQ(0, PiInfo(size, noStreamName.c_str(), 0, 0));
  EXPECT_EQ(-2, PiLoad(s, noStreamName.c_str(), 1, hostPalette.data()));
  HostVar bytes = BytesVar(zt::PiHeaderBytes(spec) + "\x7F");
  // 792 bytes: 0x7F 0x00 gives c1 (14 bits) but not c2.
  bytes.SetExtended(static_cast<std::int32_t>((zt::PiHeaderBytes(spec).size() + 4) / 4), 1);
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(-2, PiLoadMem(s, 1, 0, hostPalette.data()));
  ResetSettings();

  EXPECT_EQ(0xEE, s.Index(0, 0));
  EXPECT_EQ(std::vector<std::uint8_t>(768, 0xCD), hostPalette);
  EXPECT_EQ(0u, s.rec()->palette);
  ZT_EXPECT_HANDLES(before);
  for (auto& n : {badName, narrowName, wideName, noStreamName}) std::remove(n.c_str());
}

TEST(PiLoad, PlacementFlagsAndRedraw) {
  ResetSettings();
  Picture p = MakePicture(9, 5, 16, 3);
  const std::string name = zt::WriteTempFile("zt_pi_place.pi", p.file);
  std::vector<std::uint8_t> hostPalette(768);
  TestScreen s(16, 12, true);
  s.rec()->redrawMode = 1;
  s.rec()->currentX = 4;
  s.rec()->currentY = 6;
  struct Case {
    std::int32_t flags;
    int x, y;
    bool redraw;
  } cases[] = {{0x00, 0, 0, true}, {0x10, 4, 6, true},  {0x11, 4, 6, false},
               {0x80, 4, 6, true}, {0x0F, 0, 0, false}, {0x100, 0, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    s.Fill(0xEE);
#if !defined(_WIN32)
    long requests = ZorStandinDcRequests();
#endif
    ASSERT_EQ(0, PiLoad(s, name.c_str(), c.flags, hostPalette.data()));
    ExpectPlaced(s, p, c.x, c.y, 0xEE);
#if !defined(_WIN32)
    EXPECT_EQ(requests + (c.redraw ? 1 : 0), ZorStandinDcRequests());
#endif
  }
  std::remove(name.c_str());
}

TEST(PiLoad, ClipsAndResetsStartsOutsideTheScreen) {
  ResetSettings();
  Picture p = MakePicture(13, 9, 256, 5);
  const std::string name = zt::WriteTempFile("zt_pi_clip.pi", p.file);
  std::vector<std::uint8_t> hostPalette(768);
  for (bool paletteMode : {true, false}) {
    TestScreen s(17, 11, paletteMode);
    struct {
      int cx, cy, x, y;
    } cases[] = {{10, 5, 10, 5}, {16, 10, 16, 10}, {17, 3, 0, 3}, {-1, 3, 0, 3}, {2, 11, 2, 0}};
    for (auto c : cases) {
      SCOPED_TRACE(std::to_string(c.cx) + "," + std::to_string(c.cy));
      s.Fill(0x22);
      s.rec()->currentX = c.cx;
      s.rec()->currentY = c.cy;
      ASSERT_EQ(0, PiLoad(s, name.c_str(), 0x21, hostPalette.data()));
      ExpectPlaced(s, p, c.x, c.y, 0x22);
    }
  }
  std::remove(name.c_str());
}

TEST(PiLoad, HeightZeroPlacesNothing) {
  ResetSettings();
  Picture p = MakePicture(8, 0, 16, 1);
  const std::string name = zt::WriteTempFile("zt_pi_empty.pi", p.file);
  TestScreen s(8, 4, true);
  s.Fill(0xEE);
  std::vector<std::uint8_t> hostPalette(768);
  EXPECT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(0xEE, s.Index(x, y));
  }
  std::remove(name.c_str());
}

TEST(PiLoad, LargeFilesAcrossChunksFromFileAndMemory) {
  ResetSettings();
  // Mostly fresh colours: a stream of well over 64 KiB, so codes straddle
  // the 65,536-byte chunk boundaries.
  for (int colours : {16, 256}) {
    Picture p = MakePicture(509, 401, colours, 77, 70);
    ASSERT_GT(p.file.size(), 65536u * 3 / 2);
    const std::string name = zt::WriteTempFile("zt_pi_large.pi", p.file);
    TestScreen s(509, 401, true);
    std::vector<std::uint8_t> hostPalette(768);
    long before = zt::OpenHandleCount();
    ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0);
    // From memory, the same bytes read in place.
    s.Fill(0);
    HostVar bytes = BytesVar(p.file);
    ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
    ASSERT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0);
    EXPECT_EQ(0, std::memcmp(hostPalette.data(), p.spec.palette.data(), colours * 3u));
    ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));  // the screen's palette
    ResetSettings();
    std::remove(name.c_str());
  }
}

TEST(PiLoad, StreamEndingInTheLastByteOfFullChunks) {
  ResetSettings();
  // The comment is sized so the file is exactly 1 or 2 chunks long: the last
  // codes sit in the final byte of a full chunk with nothing after it.
  for (std::size_t chunks : {1u, 2u}) {
    const std::size_t want = chunks * 65536;
    // Grow the picture until its stream nearly fills the chunks.
    Picture p;
    std::string file;
    for (int h = 20;; h += 10) {
      p = MakePicture(200, h, 256, 19, 50);
      p.spec.comment.clear();
      file = zt::PiHeaderBytes(p.spec) + zt::EncodePiStream(p.pixels, 200, h, 256);
      if (file.size() + 30000 > want) break;
    }
    ASSERT_LT(file.size(), want);
    const int h = p.spec.height;
    p.spec.comment.assign(want - file.size(), 'c');
    file = zt::PiHeaderBytes(p.spec) + zt::EncodePiStream(p.pixels, 200, h, 256);
    ASSERT_EQ(want, file.size());
    ASSERT_NE(0, file.back());  // the final byte holds codes
    const std::string name = zt::WriteTempFile("zt_pi_exact.pi", file);
    TestScreen s(200, h, true);
    std::vector<std::uint8_t> hostPalette(768);
    ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0);
    HostVar bytes = BytesVar(file);
    bytes.SetExtended(static_cast<std::int32_t>(want / 4), 1);  // exactly the file
    ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
    s.Fill(0);
    ASSERT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0);
    ResetSettings();
    std::remove(name.c_str());
  }
}

TEST(PiLoad, PiLoadClearsTheMemorySource) {
  ResetSettings();
  HostVar bytes = BytesVar(WorkedExample());
  TestScreen s(8, 8, true);
  std::vector<std::uint8_t> hostPalette(768);
  HostVar size = HostVar::Ints(2);
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
  EXPECT_EQ(0, PiInfoMem(size, 0, 0, 0));  // PiLoadMem and PiInfoMem keep it
  EXPECT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
  EXPECT_EQ(-3, PiLoad(s, "zt_pi_missing.pi", 1, hostPalette.data()));  // even failing
  EXPECT_EQ(-1, PiLoadMem(s, 1, 0, hostPalette.data()));
  EXPECT_EQ(5, PiInfoMem(size, 0, 0, 0));
  // A bad header from memory is -2.
  std::string bad = WorkedExample();
  bad[1] = 'x';
  HostVar badBytes = BytesVar(bad);
  ASSERT_EQ(0, SetPiMem(badBytes, 0, 0, 0));
  EXPECT_EQ(-2, PiLoadMem(s, 1, 0, hostPalette.data()));
  ResetSettings();
}

// ---- transparency ----

TEST(PiTransparency, IndexValueAndDisabling) {
  ResetSettings();
  Picture p = MakePicture(20, 10, 16, 8, 40);
  const std::string name = zt::WriteTempFile("zt_pi_trans.pi", p.file);
  std::vector<std::uint8_t> hostPalette(768);
  for (bool paletteMode : {true, false}) {
    TestScreen s(24, 12, paletteMode);
    bool mask[256] = {};
    mask[5] = true;
    EXPECT_EQ(0, PiTransColour(5, 1, 0, 0));
    s.Fill(0x33);
    ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0x33, mask);

    // Values outside 0-384 switch transparency off; so does enable 0.
    for (auto args : {std::pair<int, int>{385, 1}, {-2, 1}, {5, 0}}) {
      PiTransColour(5, 1, 0, 0);
      EXPECT_EQ(0, PiTransColour(args.first, args.second, 0, 0));
      s.Fill(0x33);
      ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
      ExpectPlaced(s, p, 0, 0, 0x33, nullptr);
    }
  }
  ResetSettings();
  std::remove(name.c_str());
}

TEST(PiTransparency, ColourDistanceAgainstTheCurrentColour) {
  ResetSettings();
  Picture p = MakePicture(30, 12, 256, 21, 60);
  const std::string name = zt::WriteTempFile("zt_pi_dist.pi", p.file);
  std::vector<std::uint8_t> hostPalette(768);
  // currentColour = entry 40's colour nudged by 20 in red: tolerance 44
  // (value 300) takes it and its neighbours within 44 in every channel.
  const std::uint8_t* e = &p.spec.palette[40 * 3];
  const int r = std::min(255, e[0] + 20), g = e[1], b = e[2];
  bool mask[256] = {};
  int marked = 0;
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* c = &p.spec.palette[i * 3];
    mask[i] = std::abs(c[0] - r) <= 44 && std::abs(c[1] - g) <= 44 && std::abs(c[2] - b) <= 44;
    marked += mask[i];
  }
  ASSERT_GE(marked, 1);
  ASSERT_LT(marked, 256);
  for (bool paletteMode : {true, false}) {
    TestScreen s(30, 12, paletteMode);
    s.rec()->currentColour = static_cast<std::uint32_t>(b << 16 | g << 8 | r);
    s.Fill(0x44);
    EXPECT_EQ(0, PiTransColour(300, 1, 0, 0));
    ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0x44, mask);
  }
  ResetSettings();
  std::remove(name.c_str());
}

TEST(PiTransparency, CornerModesIncludingAHiddenCorner) {
  ResetSettings();
  Picture p = MakePicture(15, 9, 16, 31, 50);
  // Distinct corners so each mode shows which one it took.
  p.pixels[0] = 1, p.pixels[14] = 2, p.pixels[8 * 15] = 3, p.pixels[8 * 15 + 14] = 4;
  p.file = zt::EncodePiFile(p.spec, p.pixels);
  const std::string name = zt::WriteTempFile("zt_pi_corner.pi", p.file);
  HostVar bytes = BytesVar(p.file);
  std::vector<std::uint8_t> hostPalette(768);
  for (int mode = 1; mode <= 4; ++mode) {
    // A screen 10 wide hides the right-hand corners; they still count.
    TestScreen s(10, 12, true);
    bool mask[256] = {};
    mask[mode] = true;
    PiTransColour(0, 0, 0, 0);
    EXPECT_EQ(0, PiTransColour(9, 1, mode, 0));  // the value is overruled by the corner
    s.Fill(0x55);
    ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0x55, mask);
    // From memory as well, and the mode stays for later loads.
    ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
    s.Fill(0x55);
    ASSERT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
    ExpectPlaced(s, p, 0, 0, 0x55, mask);
  }
  // 400 switches the value off but keeps the corner mode (4 here); mode 0
  // leaves the mode as it was.
  TestScreen s(15, 9, false);
  bool mask4[256] = {};
  mask4[4] = true;
  EXPECT_EQ(0, PiTransColour(400, 1, 0, 0));
  s.Fill(0x55);
  ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
  ExpectPlaced(s, p, 0, 0, 0x55, mask4);
  // Enable 0 turns both off.
  EXPECT_EQ(0, PiTransColour(4, 0, 2, 0));
  s.Fill(0x55);
  ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
  ExpectPlaced(s, p, 0, 0, 0x55, nullptr);
  ResetSettings();
  std::remove(name.c_str());
}

// ---- about box ----

#if defined(_WIN32)
// Under Windows the box is real: a CBT hook on this thread reads its texts
// when it is activated and closes it.
std::string g_caption, g_text;
HHOOK g_hook;
LRESULT CALLBACK CloseBox(int code, WPARAM wp, LPARAM lp) {
  HWND box = reinterpret_cast<HWND>(wp);
  if (code == HCBT_ACTIVATE && box != nullptr) {  // Wine also activates "no window"
    char buf[1024] = {};
    GetWindowTextA(box, buf, sizeof buf);
    g_caption = buf;
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
    g_text = buf;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}
#endif

TEST(PiDllAbout, ShowsTheNoticeAndReturnsZero) {
#if defined(_WIN32)
  g_hook = SetWindowsHookExA(WH_CBT, CloseBox, nullptr, GetCurrentThreadId());
  ASSERT_NE(nullptr, g_hook);
  EXPECT_EQ(0, PiDllAbout(1, 2, 3, 4));
  UnhookWindowsHookEx(g_hook);
  const std::string caption = g_caption, text = g_text;
#else
  const int count = ZorStandinLastMessageBox()->count;
  EXPECT_EQ(0, PiDllAbout(1, 2, 3, 4));
  EXPECT_EQ(count + 1, ZorStandinLastMessageBox()->count);
  const std::string caption = ZorStandinLastMessageBox()->caption;
  const std::string text = ZorStandinLastMessageBox()->text;
#endif
  EXPECT_NE(std::string::npos, caption.find("Pi"));
  EXPECT_NE(std::string::npos, text.find("ZorExtSS"));
  EXPECT_NE(std::string::npos, text.find("Pi image format"));
}

}  // namespace
