// BmpLoad and BmpInfo through their exports, PlaceDib's size rules directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <vector>

#include "image/dib.h"
#include "support/bmp_builder.h"
#include "support/screen.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(BmpLoad, zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);
ZT_EXPORT(BmpInfo, zor::HspVar*, const char*, std::int32_t, std::int32_t);

using zt::DibSpec;
using zt::TestScreen;

// A host palette in low memory, pre-filled so changes show.
struct HostPalette {
  std::uint8_t* p = static_cast<std::uint8_t*>(zt::LowAlloc(768));
  HostPalette() { std::memset(p, 0xCC, 768); }
  ~HostPalette() { zt::LowFree(p, 768); }
  operator std::uint8_t*() const { return p; }
};

// An 8-bit picture whose pixel (x, y) is 16 y + x + 1.
DibSpec Pal8(int w, int h) {
  DibSpec d;
  d.width = w;
  d.height = h;
  d.bits = 8;
  d.Fill();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) d.Row(y)[x] = static_cast<std::uint8_t>(16 * y + x + 1);
  }
  return d;
}

std::uint32_t TableRgb(const DibSpec& d, int i) {
  const std::uint8_t* e = &d.table[4 * i];
  return (std::uint32_t{e[2]} << 16) | (std::uint32_t{e[1]} << 8) | e[0];
}

std::vector<std::uint8_t> Snapshot(const TestScreen& s) {
  return std::vector<std::uint8_t>(s.bits(), s.bits() + s.pixelBytes());
}

// Loads `bmp` from a file into s; checks that the file was closed.
std::int32_t Load(TestScreen& s, const std::string& bmp, std::uint8_t* pal) {
  std::string name = zt::WriteTempFile("zt_bmp_load.bmp", bmp);
  long before = zt::OpenHandleCount();
  bool hadPalette = s.rec()->palette != 0;
  std::int32_t status = BmpLoad(s, name.c_str(), 0, pal);
  // A first palette installed on the screen is the one object it may keep.
  long kept = s.rec()->palette != 0 && !hadPalette && before >= 0 ? 1 : 0;
  ZT_EXPECT_HANDLES(before + kept);
  // Opened without sharing: a second open succeeds only if it was closed.
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, h) << "file left open";
  CloseHandle(h);
  std::remove(name.c_str());
  return status;
}

TEST(BmpLoad, EightBitOnPaletteScreenAtCurrentPosition) {
  TestScreen s(64, 48, true);
  s.Fill(0xEE);
  s.rec()->currentX = 10;
  s.rec()->currentY = 20;
  HostPalette pal;
  DibSpec d = Pal8(5, 3);
  EXPECT_EQ(0, Load(s, zt::MakeBmp(d), pal));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) ASSERT_EQ(16 * y + x + 1, s.Index(10 + x, 20 + y)) << x << y;
  }
  EXPECT_EQ(0xEE, s.Index(9, 20));
  EXPECT_EQ(0xEE, s.Index(15, 20));
  EXPECT_EQ(0xEE, s.Index(10, 19));
  EXPECT_EQ(0xEE, s.Index(10, 23));
  for (int i = 0; i < 256; ++i) {  // red, green, blue of each entry
    ASSERT_EQ(d.table[4 * i + 2], pal.p[3 * i]);
    ASSERT_EQ(d.table[4 * i + 1], pal.p[3 * i + 1]);
    ASSERT_EQ(d.table[4 * i], pal.p[3 * i + 2]);
  }
  EXPECT_EQ(256, s.rec()->paletteCount);
  std::vector<RGBQUAD> table = s.ColourTable();
  ASSERT_EQ(256u, table.size());
  EXPECT_EQ(d.table[4 * 7], table[7].rgbBlue);
  EXPECT_EQ(d.table[4 * 7 + 2], table[7].rgbRed);
  EXPECT_EQ(s.palette(), s.SelectedPalette());
}

TEST(BmpLoad, EightBitOnFullColourScreenLooksUpTheTable) {
  TestScreen s(16, 8, false);
  HostPalette pal;
  DibSpec d = Pal8(5, 3);
  EXPECT_EQ(0, Load(s, zt::MakeBmp(d), pal));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) ASSERT_EQ(TableRgb(d, 16 * y + x + 1), s.Rgb(x, y)) << x << y;
  }
  EXPECT_EQ(0u, s.Rgb(5, 0));
  EXPECT_EQ(0xCC, pal.p[0]);  // host palette untouched
  EXPECT_EQ(0xCC, pal.p[767]);
  EXPECT_EQ(0u, s.rec()->palette);
}

TEST(BmpLoad, OneAndFourBitPixelsOnBothScreens) {
  DibSpec one;
  one.width = 10;
  one.height = 2;
  one.bits = 1;
  one.Fill();
  one.Row(0)[0] = 0xA0;  // 1 0 1 0 0 0 0 0
  one.Row(0)[1] = 0x40;  // pixel 9 is 1
  DibSpec four;
  four.width = 3;
  four.height = 1;
  four.bits = 4;
  four.Fill();
  four.Row(0)[0] = 0x3C;
  four.Row(0)[1] = 0xF0;
  HostPalette pal;
  TestScreen p(12, 4, true), c(12, 4, false);
  ASSERT_EQ(0, Load(p, zt::MakeBmp(one), pal));
  EXPECT_EQ(1, p.Index(0, 0));
  EXPECT_EQ(0, p.Index(1, 0));
  EXPECT_EQ(1, p.Index(2, 0));
  EXPECT_EQ(1, p.Index(9, 0));
  EXPECT_EQ(0, p.Index(8, 0));
  EXPECT_EQ(2, p.rec()->paletteCount);
  ASSERT_EQ(0, Load(c, zt::MakeBmp(one), pal));
  EXPECT_EQ(TableRgb(one, 1), c.Rgb(2, 0));
  EXPECT_EQ(TableRgb(one, 0), c.Rgb(3, 0));
  ASSERT_EQ(0, Load(p, zt::MakeBmp(four), pal));
  EXPECT_EQ(3, p.Index(0, 0));
  EXPECT_EQ(12, p.Index(1, 0));
  EXPECT_EQ(15, p.Index(2, 0));
  EXPECT_EQ(16, p.rec()->paletteCount);
  ASSERT_EQ(0, Load(c, zt::MakeBmp(four), pal));
  EXPECT_EQ(TableRgb(four, 12), c.Rgb(1, 0));
  EXPECT_EQ(TableRgb(four, 15), c.Rgb(2, 0));
}

TEST(BmpLoad, TrueColourFormats) {
  TestScreen s(8, 2, false);
  HostPalette pal;
  DibSpec w;
  w.width = 3;
  w.height = 1;
  w.bits = 16;
  w.Fill();
  std::uint16_t words[3] = {0x7FFF, 0x8000 | (1 << 10), 0x001F};
  std::memcpy(w.Row(0), words, 6);
  ASSERT_EQ(0, Load(s, zt::MakeBmp(w), pal));
  EXPECT_EQ(0xFFFFFFu, s.Rgb(0, 0));
  EXPECT_EQ(0x080000u, s.Rgb(1, 0));  // bit 15 ignored; e5(1) = 8
  EXPECT_EQ(0x0000FFu, s.Rgb(2, 0));

  w.compression = 3;
  w.masks = {0xF800, 0x7E0, 0x1F};
  std::uint16_t w565[3] = {0xF800, 0x07E0, 0x0020};
  std::memcpy(w.Row(0), w565, 6);
  ASSERT_EQ(0, Load(s, zt::MakeBmp(w), pal));
  EXPECT_EQ(0xFF0000u, s.Rgb(0, 0));
  EXPECT_EQ(0x00FF00u, s.Rgb(1, 0));
  EXPECT_EQ(0x000400u, s.Rgb(2, 0));  // green 1 of 6 bits: e6(1) = 4

  w.masks = {0xFF0000, 0x3E0, 0x1F};  // mixed lists pass, read as 5-5-5
  std::memcpy(w.Row(0), words, 6);
  EXPECT_EQ(0, Load(s, zt::MakeBmp(w), pal));
  EXPECT_EQ(0xFFFFFFu, s.Rgb(0, 0));

  DibSpec q;
  q.width = 5;
  q.height = 1;
  q.bits = 32;
  q.Fill();
  for (int x = 0; x < 5; ++x) {
    std::uint8_t px[4] = {std::uint8_t(x), std::uint8_t(10 + x), std::uint8_t(20 + x), 0xFF};
    std::memcpy(q.Row(0) + 4 * x, px, 4);
  }
  ASSERT_EQ(0, Load(s, zt::MakeBmp(q), pal));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(((20u + x) << 16) | ((10u + x) << 8) | x, s.Rgb(x, 0));

  DibSpec t;
  t.width = 7;
  t.height = 2;
  t.bits = 24;
  t.Fill();
  for (std::size_t i = 0; i < t.pixels.size(); ++i) t.pixels[i] = std::uint8_t(i * 3);
  ASSERT_EQ(0, Load(s, zt::MakeBmp(t), pal));
  EXPECT_EQ(0, std::memcmp(t.Row(0), s.Pixel(0, 0), 21));
  EXPECT_EQ(0, std::memcmp(t.Row(1), s.Pixel(0, 1), 21));
  EXPECT_EQ(0xCC, pal.p[0]);
}

TEST(BmpLoad, PositionOutsideTheScreenMeansZeroAndPicturesAreClipped) {
  HostPalette pal;
  DibSpec d = Pal8(6, 5);
  TestScreen s(8, 4, true);
  for (auto [cx, cy] : {std::pair{-1, -7}, std::pair{8, 4}, std::pair{100, 0}}) {
    s.Fill(0xEE);
    s.rec()->currentX = cx;
    s.rec()->currentY = cy;
    ASSERT_EQ(0, Load(s, zt::MakeBmp(d), pal));
    EXPECT_EQ(1, s.Index(0, 0)) << cx;
    EXPECT_EQ(16 * 3 + 6, s.Index(5, 3)) << cx;  // four top lines shown
  }
  s.Fill(0xEE);
  s.rec()->currentX = 5;
  s.rec()->currentY = 2;
  ASSERT_EQ(0, Load(s, zt::MakeBmp(d), pal));
  EXPECT_EQ(1, s.Index(5, 2));
  EXPECT_EQ(3, s.Index(7, 2));  // cut at the right edge
  EXPECT_EQ(16 + 3, s.Index(7, 3));
  EXPECT_EQ(0xEE, s.Index(4, 2));
  EXPECT_EQ(0xEE, s.Index(5, 1));
}

// Loads into a fresh screen and expects `code` with nothing changed.
void ExpectRefused(std::int32_t code, const std::string& bmp, bool paletteScreen,
                   const char* what) {
  HostPalette pal;
  TestScreen s(8, 8, paletteScreen);
  s.Fill(0x33);
  std::vector<std::uint8_t> before = Snapshot(s);
  EXPECT_EQ(code, Load(s, bmp, pal)) << what;
  EXPECT_EQ(before, Snapshot(s)) << what;
  EXPECT_EQ(0u, s.rec()->palette) << what;
  EXPECT_EQ(0xCC, pal.p[5]) << what;
}

std::string WithHeaderField(std::string bmp, std::size_t offset, std::uint32_t v) {
  std::string field;
  zt::Put32(field, v);
  return bmp.replace(offset, 4, field);
}

TEST(BmpLoad, FailureCodesInOrderAndNothingChanged) {
  DibSpec t;
  t.width = 2;
  t.height = 2;
  t.bits = 24;
  t.Fill();
  ExpectRefused(-512, zt::MakeBmp(t), true, "24-bit on a palette screen");
  std::string ok = zt::MakeBmp(Pal8(4, 4));
  {
    HostPalette pal;
    TestScreen s(4, 4, true);
    EXPECT_EQ(-1, BmpLoad(s, "zt_no_such.bmp", 0, pal));
  }
  ExpectRefused(-2, ok.substr(0, 57), true, "short file");
  std::string bad = ok;
  bad[1] = 'A';
  ExpectRefused(-3, bad, true, "signature");
  bad = ok;
  bad[7] = 1;
  ExpectRefused(-3, bad, true, "bfReserved1");
  ExpectRefused(-4, WithHeaderField(ok, 2, 57), true, "bfSize below 58");
  ExpectRefused(-259, WithHeaderField(ok, 14, 39), true, "biSize below 40");
  bad = ok;
  bad[14 + 14] = 2;
  ExpectRefused(-256, bad, false, "2-bit");
  ExpectRefused(-257, WithHeaderField(ok, 14 + 16, 1), true, "RLE8");
  ExpectRefused(-257, WithHeaderField(ok, 14 + 16, 2), true, "RLE4");
  ExpectRefused(-259, WithHeaderField(ok, 2, std::uint32_t(ok.size() - 1)), true,
                "pixel data beyond bfSize");
  ExpectRefused(-259, WithHeaderField(ok, 14 + 4, 0x7FFFFFFF), false, "huge width");
  ExpectRefused(-259, WithHeaderField(WithHeaderField(ok, 14 + 4, 0x7FFFFFFF), 14 + 8, 0x7FFFFFFF),
                false, "huge width and height");
  std::string name = zt::WriteTempFile("zt_bmp_dir_probe.bmp", ok);
  bad = ok;
  bad[8] = 1;  // bfReserved2 is not tested
  HostPalette pal;
  TestScreen s(4, 4, true);
  EXPECT_EQ(0, Load(s, bad, pal));
  std::remove(name.c_str());
}

TEST(BmpLoad, BitfieldMasks) {
  DibSpec w;
  w.width = 2;
  w.height = 1;
  w.bits = 16;
  w.compression = 3;
  w.Fill();
  w.masks = {0x7C00, 0x3E0, 0x1F};
  w.clrUsed = 2;
  ExpectRefused(-257, zt::MakeBmp(w), false, "bitfields with biClrUsed");
  w.clrUsed = 0;
  w.masks = {0x7C00, 0x3E0, 0x3F};
  ExpectRefused(259, zt::MakeBmp(w), false, "blue mask");
  w.masks = {0xFF000000, 0xFF00, 0xFF};
  ExpectRefused(259, zt::MakeBmp(w), false, "red mask");
  w.masks = {0x7C00, 0x3E0, 0x1F};
  // A header so long that the masks would lie past the end of the data:
  // refused as a size fault instead of read outside the buffer.
  std::string big = zt::MakeBmp(w);
  ExpectRefused(-259, WithHeaderField(big, 14, std::uint32_t(big.size() - 14 - 8)), false,
                "masks outside the data");
  ExpectRefused(-259, WithHeaderField(big, 14, 0xFFFFFFF0u), false, "masks far outside");
}

TEST(BmpLoad, TopDownBitmaps) {
  DibSpec t;
  t.width = 10;
  t.height = -10;
  t.bits = 24;
  t.Fill();
  ExpectRefused(-259, zt::MakeBmp(t), false, "24-bit top-down");
  // Header and table outweigh the rows: it passes, installs its palette and
  // draws nothing.
  DibSpec d;
  d.width = 4;
  d.height = -10;
  d.bits = 8;
  d.Fill();
  HostPalette pal;
  TestScreen s(8, 8, true);
  s.Fill(0x33);
  std::vector<std::uint8_t> before = Snapshot(s);
  EXPECT_EQ(0, Load(s, zt::MakeBmp(d), pal));
  EXPECT_EQ(before, Snapshot(s));
  EXPECT_EQ(256, s.rec()->paletteCount);
  EXPECT_EQ(d.table[4 * 9 + 2], pal.p[27]);
}

TEST(BmpLoad, NegativeWidthDrawsNothing) {
  DibSpec d = Pal8(4, 4);
  std::string bmp = WithHeaderField(zt::MakeBmp(d), 14 + 4, std::uint32_t(-1));
  HostPalette pal;
  TestScreen s(8, 8, false);
  s.Fill(0x33);
  std::vector<std::uint8_t> before = Snapshot(s);
  EXPECT_EQ(0, Load(s, bmp, pal));  // rows of 0 bytes: the sizes fit
  EXPECT_EQ(before, Snapshot(s));
}

TEST(BmpLoad, ShortFileIsDrawnWithTheMissingPartZero) {
  DibSpec d = Pal8(4, 4);
  std::string full = zt::MakeBmp(d);
  std::string cut = full.substr(0, full.size() - 8);  // the top two lines are missing
  HostPalette pal;
  TestScreen s(4, 4, true), c(4, 4, false);
  s.Fill(0x77);
  c.Fill(0x77);
  EXPECT_EQ(-32, Load(s, cut, pal));
  EXPECT_EQ(0, s.Index(0, 0));
  EXPECT_EQ(0, s.Index(3, 1));
  EXPECT_EQ(16 * 2 + 1, s.Index(0, 2));
  EXPECT_EQ(-32, Load(c, cut, pal));
  EXPECT_EQ(TableRgb(d, 0), c.Rgb(1, 1));
  EXPECT_EQ(TableRgb(d, 16 * 3 + 4), c.Rgb(3, 3));
}

TEST(PlaceDib, RefusesWhatLiesOutsideTheBytesGiven) {
  HostPalette pal;
  TestScreen s(4, 4, true);
  std::string dib = zt::MakeDib(Pal8(2, 2));
  const auto* p = reinterpret_cast<const std::uint8_t*>(dib.data());
  EXPECT_EQ(0, zor::PlaceDib(s, p, dib.size(), 0, 0, pal));
  EXPECT_EQ(-259, zor::PlaceDib(s, p, dib.size() - 1, 0, 0, pal));
  EXPECT_EQ(-259, zor::PlaceDib(s, p, 39, 0, 0, pal));  // not even a header
  // A top-down bitmap whose table would end past the bytes: the rows'
  // negative size must not let the table read pass.
  DibSpec d;
  d.width = 16;
  d.height = -64;
  d.bits = 8;
  d.Fill();
  d.pixels.clear();
  std::string td = zt::MakeDib(d);
  const auto* q = reinterpret_cast<const std::uint8_t*>(td.data());
  EXPECT_EQ(-259, zor::PlaceDib(s, q, td.size() - 4, 0, 0, pal));
  EXPECT_EQ(0, zor::PlaceDib(s, q, td.size(), 0, 0, pal));
}

TEST(BmpInfo, ReportsHeaderValues) {
  DibSpec d = Pal8(5, 3);
  d.xPels = 2835;
  d.yPels = -7;
  std::string name = zt::WriteTempFile("zt_bmp_info.bmp", zt::MakeBmp(d));
  zt::HostVar v = zt::HostVar::Ints(7);
  long before = zt::OpenHandleCount();
  EXPECT_EQ(0, BmpInfo(v, name.c_str(), 0, 0));
  ZT_EXPECT_HANDLES(before);
  std::int32_t want[7] = {0, 5, 3, 8, std::int32_t(14 + 40 + 1024 + 8 * 3), 2835, -7};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(want[i], v.ints()[i]) << i;
  struct {
    std::uint32_t compression;
    std::int32_t code;
  } codes[] = {{3, 1}, {2, 2}, {1, 3}, {4, 65535}, {0x80000000u, 65535}};
  for (auto c : codes) {
    zt::WriteTempFile(name, WithHeaderField(zt::MakeBmp(d), 14 + 16, c.compression));
    EXPECT_EQ(0, BmpInfo(v, name.c_str(), 0, 0));
    EXPECT_EQ(c.code, v.ints()[0]);
  }
  std::remove(name.c_str());
}

TEST(BmpInfo, FailureCodes) {
  std::string good = zt::MakeBmp(Pal8(2, 2));
  std::string name = zt::WriteTempFile("zt_bmp_info2.bmp", good);
  zt::HostVar str = zt::HostVar::String(64);
  EXPECT_EQ(-1, BmpInfo(str, name.c_str(), 0, 0));
  zt::HostVar six = zt::HostVar::Ints(6);
  six.Fill(0xAB);
  EXPECT_EQ(-2, BmpInfo(six, name.c_str(), 0, 0));
  EXPECT_EQ(std::int32_t(0xABABABAB), six.ints()[0]);
  six.SetExtended(8, 1);  // the extended record is not consulted
  EXPECT_EQ(-2, BmpInfo(six, name.c_str(), 0, 0));

  zt::HostVar v = zt::HostVar::Ints(7);
  v.Fill(0xAB);
  EXPECT_EQ(-16, BmpInfo(v, "zt_no_such.bmp", 0, 0));
  zt::WriteTempFile(name, good.substr(0, 57));
  EXPECT_EQ(-17, BmpInfo(v, name.c_str(), 0, 0));
  std::string bad = good;
  bad[0] = 'b';
  zt::WriteTempFile(name, bad);
  EXPECT_EQ(-18, BmpInfo(v, name.c_str(), 0, 0));
  EXPECT_EQ(std::int32_t(0xABABABAB), v.ints()[4]);
  zt::WriteTempFile(name, WithHeaderField(good, 2, 57));
  EXPECT_EQ(-19, BmpInfo(v, name.c_str(), 0, 0));
  EXPECT_EQ(57, v.ints()[4]);
  EXPECT_EQ(std::int32_t(0xABABABAB), v.ints()[1]);
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, h) << "file left open";
  CloseHandle(h);
  std::remove(name.c_str());
}

}  // namespace
