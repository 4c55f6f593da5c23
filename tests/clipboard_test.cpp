// Clipboard exchange through the exports; the clipboard is set up and read
// back with Win32 calls, so the same checks run on the stand-in and Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/bmp_builder.h"
#include "support/screen.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(GetClipTxt, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Txt2Clip, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Dib2Clip, zor::HspScreen*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetClipDib, zor::HspScreen*, std::int32_t, std::int32_t, std::uint8_t*);
ZT_EXPORT(GetClipInfo, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);

using zt::TestScreen;

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!bytes.empty()) {
    void* p = GlobalLock(h);
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(h);
  }
  return h;
}

// Replaces the clipboard's content with the given formats.
void SetClip(const std::vector<std::pair<UINT, std::string>>& items) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  for (auto& [format, bytes] : items) {
    EXPECT_NE(nullptr, SetClipboardData(format, Block(bytes)));
  }
  CloseClipboard();
}

// The block of `format` on the clipboard, all GlobalSize bytes; `present`
// tells whether there was one.
std::string GetClip(UINT format, bool* present = nullptr) {
  std::string out;
  if (present != nullptr) *present = false;
  if (!OpenClipboard(nullptr)) return out;
  HANDLE h = GetClipboardData(format);
  if (h != nullptr) {
    if (present != nullptr) *present = true;
    SIZE_T n = GlobalSize(h);
    const char* p = static_cast<const char*>(GlobalLock(h));
    if (p != nullptr) out.assign(p, n);
    GlobalUnlock(h);
  }
  CloseClipboard();
  return out;
}

struct HostPalette {
  std::uint8_t* p = static_cast<std::uint8_t*>(zt::LowAlloc(768));
  HostPalette() { std::memset(p, 0xCC, 768); }
  ~HostPalette() { zt::LowFree(p, 768); }
  operator std::uint8_t*() const { return p; }
};

class Clipboard : public testing::Test {
 protected:
  void SetUp() override {
    SetClip({});
    before_ = zt::OpenHandleCount();
  }
  // Every export closes the clipboard and unlocks and frees what it took.
  void TearDown() override {
    ZT_EXPECT_HANDLES(before_);
    ASSERT_TRUE(OpenClipboard(nullptr)) << "clipboard left open";
    CloseClipboard();
  }
  long before_ = -1;
};

TEST_F(Clipboard, GetClipTxtCutsAtTheTextLimit) {
  SetClip({{CF_TEXT, std::string(100, 'a') + '\0'}});
  zt::HostVar v = zt::HostVar::String(64);
  v.Fill('x');
  EXPECT_EQ(0, GetClipTxt(v, 0, 0, 0));
  EXPECT_EQ(std::string(63, 'a'), std::string(v.text()));
  EXPECT_EQ(0, v.text()[63]);
}

TEST_F(Clipboard, GetClipTxtShortTextKeepsItsTerminatorAndZeroAtLimit) {
  SetClip({{CF_TEXT, std::string("hi\0zz", 5)}});
  zt::HostVar v = zt::HostVar::String(16, 2);  // text limit (16 - 1) x 2 = 30
  v.Fill('x');
  EXPECT_EQ(0, GetClipTxt(v, 0, 0, 0));
  EXPECT_EQ(0, std::memcmp(v.text(), "hi\0x", 4));  // stops after the zero
  EXPECT_EQ(0, v.text()[30]);
  EXPECT_EQ('x', v.text()[29]);
  EXPECT_EQ('x', v.text()[31]);
}

TEST_F(Clipboard, GetClipTxtUsesTheExtendedSizesAndRefusesIntegers) {
  SetClip({{CF_TEXT, std::string(200, 'b') + '\0'}});
  zt::HostVar v = zt::HostVar::String(128);
  v.SetExtended(8, 1);  // 32 bytes: limit 31
  v.Fill('x');
  EXPECT_EQ(0, GetClipTxt(v, 0, 0, 0));
  EXPECT_EQ(31u, std::strlen(v.text()));
  zt::HostVar n = zt::HostVar::Ints(16);
  n.Fill(1);
  EXPECT_EQ(-65535, GetClipTxt(n, 0, 0, 0));
  EXPECT_EQ(1, n.bytes()[0]);
  EXPECT_EQ(zor::kTypeInt, n.rec()->type);
  zt::HostVar odd = zt::HostVar::String(16);
  odd.rec()->type = 7;  // any type but integer is used as text
  EXPECT_EQ(0, GetClipTxt(odd, 0, 0, 0));
  EXPECT_EQ(7, odd.rec()->type);
}

TEST_F(Clipboard, TextExportsRefuseAVariableWithoutRoomForATerminator) {
  SetClip({{CF_TEXT, std::string("abc", 4)}});
  zt::HostVar v = zt::HostVar::String(16);
  v.Fill('x');
  v.SetExtended(0, 1);  // row size 0: the text limit would wrap around
  EXPECT_EQ(3, GetClipTxt(v, 0, 0, 0));
  EXPECT_EQ('x', v.text()[0]);
  EXPECT_EQ(3, Txt2Clip(v, 0, 0, 0));
  EXPECT_EQ(std::string("abc", 4), GetClip(CF_TEXT));
}

// A block of 0 bytes is discarded memory: the clipboard does not take it, so
// the exports' "block of size 0" paths cannot be reached from here.
TEST_F(Clipboard, ZeroByteBlockIsRefusedByTheClipboard) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(nullptr, GlobalLock(empty));
  EXPECT_EQ(nullptr, SetClipboardData(CF_TEXT, empty));
  CloseClipboard();
  EXPECT_EQ(nullptr, GlobalFree(empty));
  zt::HostVar v = zt::HostVar::String(16);
  EXPECT_EQ(-2, GetClipTxt(v, 0, 0, 0));
}

TEST_F(Clipboard, GetClipTxtWithoutText) {
  zt::HostVar v = zt::HostVar::String(16);
  v.Fill('x');
  EXPECT_EQ(-2, GetClipTxt(v, 0, 0, 0));
  SetClip({{CF_DIB, std::string(60, '\0')}});
  EXPECT_EQ(-2, GetClipTxt(v, 0, 0, 0));
  EXPECT_EQ('x', v.text()[0]);
}

TEST_F(Clipboard, Txt2ClipCopiesUpToTheGivenCount) {
  zt::HostVar v = zt::HostVar::String(64);
  v.SetText("abcdefgh");
  EXPECT_EQ(0, Txt2Clip(v, 5, 0, 0));
  EXPECT_EQ(std::string("abcde\0", 6), GetClip(CF_TEXT));
  EXPECT_EQ(std::string("abcdefgh"), v.text());
  for (std::int32_t most : {0, -3, 63, 64, 1000}) {
    EXPECT_EQ(0, Txt2Clip(v, most, 0, 0)) << most;
    EXPECT_EQ(std::string("abcdefgh\0", 9), GetClip(CF_TEXT)) << most;
  }
  v.Fill('y');  // no terminator: the text limit ends it
  EXPECT_EQ(0, Txt2Clip(v, 0, 0, 0));
  EXPECT_EQ(std::string(63, 'y') + '\0', GetClip(CF_TEXT));
  EXPECT_EQ(0, Txt2Clip(v, 62, 0, 0));
  EXPECT_EQ(std::string(62, 'y') + '\0', GetClip(CF_TEXT));
}

TEST_F(Clipboard, Txt2ClipEmptyTextAndIntegerVariable) {
  SetClip({{CF_DIB, std::string(60, '\0')}});
  zt::HostVar v = zt::HostVar::String(16);
  v.SetText("");
  EXPECT_EQ(0, Txt2Clip(v, 0, 0, 0));
  EXPECT_EQ(std::string(1, '\0'), GetClip(CF_TEXT));
  bool dib = true;
  GetClip(CF_DIB, &dib);
  EXPECT_FALSE(dib);  // the clipboard was emptied first
  zt::HostVar n = zt::HostVar::Ints(4);
  EXPECT_EQ(-65535, Txt2Clip(n, 0, 0, 0));
  EXPECT_EQ(std::string(1, '\0'), GetClip(CF_TEXT));
}

TEST_F(Clipboard, Dib2ClipOffersTheScreenByteForByte) {
  for (bool palette : {false, true}) {
    TestScreen s(100, 50, palette);
    for (std::size_t i = 0; i < s.pixelBytes(); ++i) s.bits()[i] = std::uint8_t(i * 7 + 1);
    EXPECT_EQ(0, Dib2Clip(s, 0, 0, 0));
    std::string block = GetClip(CF_DIB);
    std::size_t table = palette ? 1024 : 0;
    ASSERT_EQ(s.pixelBytes() + 40 + table + 4, block.size()) << palette;
    EXPECT_EQ(palette ? 50u * 100 + 40 + 1024 + 4 : 50u * 300 + 40 + 4, block.size());
    EXPECT_EQ(0, std::memcmp(block.data(), zor::HostPtr<void>(s.rec()->bitmapInfo), 40));
    if (palette) {
      EXPECT_EQ(0, std::memcmp(block.data() + 40, s.RecordTable(), 1024));
    }
    EXPECT_EQ(0, std::memcmp(block.data() + 40 + table, s.bits(), s.pixelBytes()));
    EXPECT_EQ(std::string(4, '\0'), block.substr(block.size() - 4));
  }
}

TEST_F(Clipboard, Dib2ClipAndGetClipDibRoundTrip) {
  TestScreen a(13, 7, false), b(13, 7, false);
  for (std::size_t i = 0; i < a.pixelBytes(); ++i) a.bits()[i] = std::uint8_t(i * 5 + 3);
  HostPalette pal;
  ASSERT_EQ(0, Dib2Clip(a, 0, 0, 0));
  EXPECT_EQ(0, GetClipDib(b, 0, 0, pal));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 13; ++x) ASSERT_EQ(a.Rgb(x, y), b.Rgb(x, y)) << x << "," << y;
  }
  EXPECT_EQ(0xCC, pal.p[0]);

  TestScreen p(9, 5, true), q(12, 8, true);
  for (std::size_t i = 0; i < p.pixelBytes(); ++i) p.bits()[i] = std::uint8_t(i);
  for (int i = 0; i < 256; ++i)
    p.RecordTable()[i] = RGBQUAD{BYTE(i), BYTE(i / 2), BYTE(255 - i), 0};
  ASSERT_EQ(0, Dib2Clip(p, 0, 0, 0));
  q.Fill(0xEE);
  EXPECT_EQ(0, GetClipDib(q, 3, 2, pal));
  EXPECT_EQ(p.Index(0, 0), q.Index(3, 2));
  EXPECT_EQ(p.Index(8, 4), q.Index(11, 6));
  EXPECT_EQ(0xEE, q.Index(2, 2));
  EXPECT_EQ(255, pal.p[0]);  // red of entry 0
  EXPECT_EQ(10, pal.p[3 * 20 + 1]);
  EXPECT_EQ(256, q.rec()->paletteCount);
  EXPECT_EQ(255 - 20, q.ColourTable()[20].rgbRed);
}

TEST_F(Clipboard, GetClipDibPositionsAndRefusals) {
  zt::DibSpec d;
  d.width = 2;
  d.height = 2;
  d.bits = 24;
  d.Fill();
  d.Row(0)[0] = 9;
  SetClip({{CF_DIB, zt::MakeDib(d)}});
  HostPalette pal;
  TestScreen c(6, 6, false), p(6, 6, true);
  c.Fill(0x44);
  p.Fill(0x44);
  EXPECT_EQ(0, GetClipDib(c, -5, 3, pal));
  EXPECT_EQ(9u, c.Rgb(0, 3));
  EXPECT_EQ(0x444444u, c.Rgb(0, 2));
  EXPECT_EQ(0, GetClipDib(c, 6, 6, pal));  // outside: placed at (0, 0)
  EXPECT_EQ(9u, c.Rgb(0, 0));
  EXPECT_EQ(-512, GetClipDib(p, 0, 0, pal));
  EXPECT_EQ(0x44, p.Index(0, 0));
  EXPECT_EQ(0u, p.rec()->palette);
  EXPECT_EQ(0xCC, pal.p[0]);

  SetClip({{CF_DIB, zt::MakeDib(d).substr(0, 40)}});  // rows missing
  EXPECT_EQ(-259, GetClipDib(c, 0, 0, pal));
  SetClip({{CF_DIB, std::string(20, '\x28')}});  // shorter than a header
  EXPECT_EQ(-259, GetClipDib(c, 0, 0, pal));
  SetClip({{CF_TEXT, std::string("t", 2)}});
  EXPECT_EQ(-2, GetClipDib(c, 0, 0, pal));
}

TEST_F(Clipboard, GetClipInfoKinds) {
  zt::DibSpec d;
  d.width = 7;
  d.height = -3;
  d.bits = 24;
  d.Fill();
  std::string dib = zt::MakeDib(d);
  zt::HostVar v = zt::HostVar::Ints(5);
  v.Fill(0x55);
  SetClip({{CF_TEXT, std::string("text", 5)}, {CF_DIB, dib}});
  EXPECT_EQ(0, GetClipInfo(v, 0, 0, 0));
  EXPECT_EQ(2, v.ints()[0]);
  EXPECT_EQ(std::int32_t(dib.size()), v.ints()[1]);
  EXPECT_EQ(24, v.ints()[2]);
  EXPECT_EQ(7, v.ints()[3]);
  EXPECT_EQ(-3, v.ints()[4]);

  v.Fill(0x55);
  SetClip({{CF_TEXT, std::string("text", 5)}});
  EXPECT_EQ(0, GetClipInfo(v, 0, 0, 0));
  EXPECT_EQ(1, v.ints()[0]);
  EXPECT_EQ(5, v.ints()[1]);
  EXPECT_EQ(0, v.ints()[2]);
  EXPECT_EQ(0, v.ints()[3]);
  EXPECT_EQ(0x55555555, v.ints()[4]);

  SetClip({});
  EXPECT_EQ(0, GetClipInfo(v, 0, 0, 0));
  EXPECT_EQ(0, v.ints()[0]);
  EXPECT_EQ(0, v.ints()[1]);
  EXPECT_EQ(0x55555555, v.ints()[4]);

  SetClip({{CF_DIB, dib.substr(0, 43)}});
  v.Fill(0x55);
  EXPECT_EQ(-3, GetClipInfo(v, 0, 0, 0));
  EXPECT_EQ(2, v.ints()[0]);
  EXPECT_EQ(43, v.ints()[1]);
  EXPECT_EQ(0, v.ints()[2]);
  EXPECT_EQ(0x55555555, v.ints()[4]);
}

TEST_F(Clipboard, GetClipInfoRefusesOtherVariables) {
  zt::HostVar s = zt::HostVar::String(32);
  s.Fill(1);
  EXPECT_EQ(-65535, GetClipInfo(s, 0, 0, 0));
  EXPECT_EQ(1, s.bytes()[0]);
  // Four elements cannot take five values: refused, nothing written.
  zt::HostVar four = zt::HostVar::Ints(4);
  four.Fill(0x55);
  EXPECT_EQ(3, GetClipInfo(four, 0, 0, 0));
  EXPECT_EQ(0x55555555, four.ints()[0]);
  SetClip({{CF_TEXT, std::string("x", 2)}});
  zt::HostVar big = zt::HostVar::Ints(8);
  big.SetExtended(2, 1);  // only 8 bytes by the extended record
  big.Fill(0x55);
  EXPECT_EQ(3, GetClipInfo(big, 0, 0, 0));
  EXPECT_EQ(0x55555555, big.ints()[0]);
}

}  // namespace
