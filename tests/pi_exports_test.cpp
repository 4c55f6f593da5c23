// The Pi exports, reached by name as the host reaches them, loading into
// real DIB-section screens.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/pi_encoder.h"
#include "support/screen.h"
#include "support/ui.h"
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
using Bytes = std::vector<std::uint8_t>;

struct Picture {
  zt::PiHeaderSpec header;
  Bytes pixels;
  std::string file;
};

Picture MakePicture(int w, int h, int colours, std::uint32_t seed, unsigned detail = 20) {
  Picture p{zt::PiSpec(w, h, colours, seed), zt::MakePiPicture(w, h, colours, seed, detail), ""};
  p.file = zt::EncodePiFile(p.header, p.pixels, seed);
  return p;
}

// A string variable holding `bytes` (the way a script loads a file), its
// capacity the file's length rounded up to 4, in the extended size record.
HostVar BytesVar(const std::string& bytes) {
  HostVar v = HostVar::String(std::uint32_t((bytes.size() + 4) & ~std::size_t{3}));
  v.SetExtended(std::int32_t((bytes.size() + 3) / 4), 1);
  std::memcpy(v.bytes(), bytes.data(), bytes.size());
  return v;
}

// Expects the picture at (x0, y0) where the screen has room and `fill`
// elsewhere, in the row padding and on indexes marked in `transparent`.
void ExpectPlaced(const TestScreen& s, const Picture& p, int x0, int y0, std::uint8_t fill,
                  const bool* transparent = nullptr) {
  Bytes want(s.pixelBytes(), fill);
  for (int y = y0; y < s.height() && y - y0 < p.header.height; ++y) {
    for (int x = x0; x < s.width() && x - x0 < p.header.width; ++x) {
      const std::uint8_t idx = p.pixels[std::size_t(y - y0) * p.header.width + x - x0];
      std::uint8_t* at = &want[std::size_t(s.height() - 1 - y) * s.rowBytes()];
      if (transparent != nullptr && transparent[idx]) continue;
      if (s.paletteMode()) {
        at[x] = idx;
      } else {
        const std::uint8_t* rgb = &p.header.palette[std::size_t(idx) * 3];
        std::reverse_copy(rgb, rgb + 3, at + 3 * x);
      }
    }
  }
  EXPECT_TRUE(want == Bytes(s.bits(), s.bits() + s.pixelBytes())) << "pixels differ";
}

// Each test starts and ends with the settings cleared.
class Pi : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    PiTransColour(0, 0, 0, 0);
    SetPiMem(HostVar::String(4), 1, 0, 0);
  }
};

TEST_F(Pi, MemorySourceSetClearedAndSized) {
  HostVar size = HostVar::Ints(2), text = HostVar::String(8),
          bytes = BytesVar(zt::PiWorkedExample());
  EXPECT_EQ(5, PiInfoMem(size, 0, 0, 0));
  EXPECT_EQ(6, PiInfoMem(text, 0, 0, 0));  // type first, then the source
  // The count is the byte capacity: with lengths[1] saying 4 bytes the
  // header is too short; the extended record's 18 x 4 = 72 bytes hold it.
  // Any type is taken.
  bytes.rec()->type = 4;
  bytes.rec()->lengths[1] = 1;
  bytes.rec()->extended = 0;
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(-1, PiInfoMem(size, 0, 0, 0));
  bytes.rec()->extended = 1;
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
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
  // PiLoadMem and PiInfoMem keep the source; PiLoad clears it, even failing.
  TestScreen s(8, 8, true);
  Bytes hostPalette(768);
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  EXPECT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
  EXPECT_EQ(0, PiInfoMem(size, 0, 0, 0));
  EXPECT_EQ(-3, PiLoad(s, "zt_pi_missing.pi", 1, hostPalette.data()));
  EXPECT_EQ(-1, PiLoadMem(s, 1, 0, hostPalette.data()));
  EXPECT_EQ(5, PiInfoMem(size, 0, 0, 0));
}

// Refusals reach neither the screen nor the palettes; the worked example
// then loads.
TEST_F(Pi, StatusCodesFromFilesAndMemoryThenTheWorkedExample) {
  TestScreen s(8, 8, true);
  s.Fill(0xEE);
  Bytes hostPalette(768, 0xCD);
  long before = zt::OpenHandleCount();
  std::string narrow = zt::PiWorkedExample(), wide = narrow, badSig = narrow;
  narrow[15] = 2;
  wide[14] = 0x20, wide[15] = 0x01;  // 8,193
  badSig[1] = 'x';
  // A stored 256-colour palette lets the stream be one byte, 0111 1111: the
  // start of a 14-bit colour code (from memory 0x7F 0x00: c1 but no c2).
  const std::string noStream = zt::PiHeaderBytes(zt::PiSpec(5, 5, 256)) + "\x7F";
  struct Case {
    std::string bytes;
    std::int32_t info, width, height, load;  // PiInfo's status and size, PiLoad's status
  } cases[] = {{badSig, -1, -1, -1, -2},
               {narrow, 0, 2, 2, -1},
               {wide, 0, 8193, 2, -1},
               {noStream, 0, 5, 5, -2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    const std::string name = zt::WriteTempFile("zt_pi_status.pi", c.bytes);
    HostVar size = HostVar::Ints(2), bytes = BytesVar(c.bytes);
    size.ints()[0] = size.ints()[1] = 7;
    EXPECT_EQ(c.info, PiInfo(size, name.c_str(), 0, 0));
    EXPECT_EQ(c.width, size.ints()[0]);
    EXPECT_EQ(c.height, size.ints()[1]);
    EXPECT_EQ(c.load, PiLoad(s, name.c_str(), 1, hostPalette.data()));
    ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
    EXPECT_EQ(c.info, PiInfoMem(size, 0, 0, 0));
    EXPECT_EQ(c.load, PiLoadMem(s, 1, 0, hostPalette.data()));
    std::remove(name.c_str());
  }
  HostVar size = HostVar::Ints(2), one = HostVar::Ints(1), text = HostVar::String(64);
  EXPECT_EQ(-2, PiInfo(size, "zt_pi_missing.pi", 0, 0));
  const std::string name = zt::WriteTempFile("zt_pi_status.pi", zt::PiWorkedExample());
  EXPECT_EQ(3, PiInfo(one, name.c_str(), 0, 0));
  EXPECT_EQ(6, PiInfo(text, name.c_str(), 0, 0));
  EXPECT_EQ(Bytes(s.pixelBytes(), 0xEE), Bytes(s.bits(), s.bits() + s.pixelBytes()));
  EXPECT_EQ(Bytes(768, 0xCD), hostPalette);
  EXPECT_EQ(0u, s.rec()->palette);
  ZT_EXPECT_HANDLES(before);
  ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
  ExpectPlaced(s, {zt::PiSpec(4, 2, 16), {0, 0, 15, 15, 0, 0, 15, 15}, ""}, 0, 0, 0xEE);
  // Default 16-colour palette, entries 16 to 255 black, in the host palette,
  // the record's colour table, the DIB's and the installed palette.
  EXPECT_EQ(0, std::memcmp(hostPalette.data() + 3, "\0\0\x77", 3));
  EXPECT_EQ(0, std::memcmp(hostPalette.data() + 45, "\xFF\xFF\xFF\0\0\0", 6));  // 15, 16
  EXPECT_EQ(0, std::memcmp(s.RecordTable() + 1, "\x77\0\0", 3));                // blue, green, red
  std::vector<RGBQUAD> table = s.ColourTable();
  ASSERT_EQ(256u, table.size());
  EXPECT_EQ(255, table[15].rgbGreen);
  EXPECT_EQ(0, table[100].rgbGreen);  // was grey 100
  EXPECT_EQ(256, s.rec()->paletteCount);
  EXPECT_EQ(256u, TestScreen::PaletteEntries(s.palette()).size());
  ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));  // the installed palette
  std::remove(name.c_str());
}

TEST_F(Pi, PlacementFlagsClippingAndRedraw) {
  Picture p = MakePicture(13, 9, 256, 5), empty = MakePicture(8, 0, 16, 1);
  const std::string name = zt::WriteTempFile("zt_pi_place.pi", p.file);
  const std::string emptyName = zt::WriteTempFile("zt_pi_empty.pi", empty.file);
  struct Case {
    std::int32_t flags;
    int cx, cy, x, y;  // current position, expected start
    bool redraw;
    std::uint16_t redrawMode = 1;  // the word above it set: only 16 bits count
  } cases[] = {
      {0x00, 4, 6, 0, 0, true},   {0x00, 4, 6, 0, 0, false, 0},  {0x10, 4, 6, 4, 6, true},
      {0x11, 4, 6, 4, 6, false},  {0x80, 4, 6, 4, 6, true},      {0x0F, 4, 6, 0, 0, false},
      {0x100, 4, 6, 0, 0, true},  {0x21, 16, 10, 16, 10, false}, {0x21, 17, 3, 0, 3, false},
      {0x21, -1, 3, 0, 3, false}, {0x21, 2, 11, 2, 0, false},    {0x21, 5, 1, 5, 1, false}};
  for (bool paletteMode : {true, false}) {
    TestScreen s(17, 11, paletteMode);
    s.rec()->reserved76 = 0xFFFF;
    Bytes hostPalette(768, 0xCD);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.flags << " " << c.cx << "," << c.cy);
      s.Fill(0x22);
      s.rec()->currentX = c.cx;
      s.rec()->currentY = c.cy;
      s.rec()->redrawMode = c.redrawMode;
      const long handles = zt::OpenHandleCount();
      const bool hadPalette = s.rec()->palette != 0;
#if !defined(_WIN32)
      long requests = ZorStandinDcRequests();
#endif
      ASSERT_EQ(0, PiLoad(s, name.c_str(), c.flags, hostPalette.data()));
      ExpectPlaced(s, p, c.x, c.y, 0x22);
#if !defined(_WIN32)
      EXPECT_EQ(requests + (c.redraw ? 1 : 0), ZorStandinDcRequests());
#endif
      // The window DC is released; the screen's palette stays selected.
      ZT_EXPECT_HANDLES(handles + (handles >= 0 && !hadPalette && s.rec()->palette != 0 ? 1 : 0));
      EXPECT_TRUE(!paletteMode || s.palette() == s.SelectedPalette());
    }
    if (!paletteMode) {
      EXPECT_EQ(Bytes(768, 0xCD), hostPalette);
      EXPECT_EQ(7, s.RecordTable()[7].rgbRed);  // still grey
    }
    s.Fill(0x22);
    EXPECT_EQ(0, PiLoad(s, emptyName.c_str(), 1, hostPalette.data()));
    ExpectPlaced(s, empty, 0, 0, 0x22);
  }
  std::remove(name.c_str());
  std::remove(emptyName.c_str());
}

// Files of exactly two 65,536-byte chunks, the comment making up the size:
// the stream crosses the chunk boundary and its last codes sit in the final
// byte of a full chunk. From memory, the same bytes are read in place, no
// more than the file.
TEST_F(Pi, FilesAndMemorySourcesAcrossChunks) {
  constexpr std::size_t kWant = 2 * 65536;
  Picture p = MakePicture(301, 582, 16, 77, 70);
  const std::string stream = p.file.substr(zt::PiHeaderBytes(p.header).size());
  ASSERT_GT(p.file.size() + 30000, kWant);
  ASSERT_LT(p.file.size(), kWant);
  p.header.comment.append(kWant - p.file.size(), 'c');
  p.file = zt::PiHeaderBytes(p.header) + stream;
  ASSERT_EQ(kWant, p.file.size());
  ASSERT_NE(0, p.file.back());
  const std::string name = zt::WriteTempFile("zt_pi_large.pi", p.file);
  TestScreen s(301, 582, true);
  Bytes hostPalette(768);
  long before = zt::OpenHandleCount();
  ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
  ExpectPlaced(s, p, 0, 0, 0);
  s.Fill(0);
  HostVar bytes = BytesVar(p.file);
  ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
  ASSERT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
  ExpectPlaced(s, p, 0, 0, 0);
  Bytes want = p.header.palette;
  want.resize(768, 0);
  EXPECT_EQ(want, hostPalette);
  ZT_EXPECT_HANDLES(before + (before >= 0 ? 1 : 0));  // the screen's palette
  std::remove(name.c_str());
}

TEST_F(Pi, TransparencyByIndexDistanceAndCornersInBothSourcesAndModes) {
  Picture p = MakePicture(15, 9, 16, 31, 50);
  // Distinct corners, so each corner mode shows which one it took. Entry 6
  // is currentColour, 7 lies 44 off in every channel (marked at tolerance
  // 44, value 300), 8 lies 45 off in blue; the rest are black.
  p.pixels[0] = 1, p.pixels[14] = 2, p.pixels[8 * 15] = 3, p.pixels[8 * 15 + 14] = 4;
  for (int i : {5, 6, 7, 8}) ASSERT_NE(0, std::count(p.pixels.begin(), p.pixels.end(), i)) << i;
  p.header.palette.assign(48, 0);
  const std::uint8_t entries[9] = {100, 50, 200, 144, 6, 244, 100, 50, 245};
  std::copy(entries, entries + 9, p.header.palette.begin() + 18);
  p.file = zt::EncodePiFile(p.header, p.pixels);
  const std::string name = zt::WriteTempFile("zt_pi_trans.pi", p.file);
  HostVar bytes = BytesVar(p.file);
  // Settings persist from case to case.
  struct Case {
    int value, enable, corner;
    std::vector<int> transparent;  // indexes that leave the fill
  } cases[] = {
      {5, 1, 0, {5}},      {385, 1, 0, {}}, {5, 1, 0, {5}}, {-2, 1, 0, {}}, {5, 0, 0, {}},
      {300, 1, 0, {6, 7}}, {9, 1, 1, {1}},  {9, 1, 2, {2}}, {9, 1, 3, {3}}, {9, 1, 4, {4}},
      {400, 1, 0, {4}},    {7, 1, 0, {4}},  {4, 0, 2, {}},  {5, 1, 0, {5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " " << c.enable << " " << c.corner);
    EXPECT_EQ(0, PiTransColour(c.value, c.enable, c.corner, 0));
    bool mask[256] = {};
    for (int i : c.transparent) mask[i] = true;
    for (bool paletteMode : {true, false}) {
      // 10 wide: the right-hand corners are hidden, and still count.
      TestScreen s(10, 12, paletteMode);
      s.rec()->currentColour = 0x00C83264;  // 100, 50, 200
      Bytes hostPalette(768);
      s.Fill(0x55);
      if (paletteMode) {
        ASSERT_EQ(0, PiLoad(s, name.c_str(), 1, hostPalette.data()));
      } else {
        ASSERT_EQ(0, SetPiMem(bytes, 0, 0, 0));
        ASSERT_EQ(0, PiLoadMem(s, 1, 0, hostPalette.data()));
      }
      ExpectPlaced(s, p, 0, 0, 0x55, mask);
    }
  }
  std::remove(name.c_str());
}

TEST(PiDllAbout, ShowsTheNoticeAndReturnsZero) {
  zt::Watchdog watchdog(30, "the about box");
  zt::MessageBoxAnswer answer(IDOK);
  EXPECT_EQ(0, PiDllAbout(1, 2, 3, 4));
  EXPECT_EQ(1, answer.count());
  const std::string caption = answer.caption(), text = answer.text();
  EXPECT_NE(std::string::npos, caption.find("Pi"));
  EXPECT_NE(std::string::npos, text.find("ZorExtSS"));
  EXPECT_NE(std::string::npos, text.find("Pi image format"));
}

}  // namespace
