// Clipboard exchange through the exports; the clipboard is set up and read
// back with Win32 calls, so the same checks run on the stand-in and Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

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
using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<std::int32_t>;
const std::int32_t k55 = 0x55555555;

// Replaces the clipboard's content with the given formats.
void SetClip(const std::vector<std::pair<UINT, std::string>>& items) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  for (auto& [format, bytes] : items) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    EXPECT_NE(nullptr, SetClipboardData(format, h));
  }
  CloseClipboard();
}

// All GlobalSize bytes of the block of `format`; "<none>" when there is none.
std::string GetClip(UINT format) {
  std::string out = "<none>";
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE h = GetClipboardData(format)) {
    out.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return out;
}

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

// Copies up to the text limit (with the extended sizes), stops after a zero,
// always puts a zero at the limit and writes nothing else; no text gives -2.
TEST_F(Clipboard, GetClipTxtCopiesUpToTheTextLimit) {
  struct {
    std::string clip;
    std::uint32_t rowBytes, rows;
    std::int32_t extR;  // > 0: the extended record's row size, 1 row
    std::size_t limit;
    std::string want;  // the first bytes written
  } cases[] = {
      {std::string(100, 'a') + '\0', 64, 1, 0, 63, std::string(63, 'a')},
      {std::string("hi\0zz", 5), 16, 2, 0, 30, std::string("hi\0", 3)},
      {std::string(200, 'b') + '\0', 128, 1, 8, 31, std::string(31, 'b')},
  };
  for (const auto& c : cases) {
    SetClip({{CF_TEXT, c.clip}});
    zt::HostVar v = zt::HostVar::String(c.rowBytes, c.rows);
    if (c.extR > 0) v.SetExtended(c.extR, 1);
    v.Fill('x');
    std::string want(v.storageBytes(), 'x');
    want.replace(0, c.want.size(), c.want)[c.limit] = 0;
    EXPECT_EQ(0, GetClipTxt(v, 0, 0, 0)) << c.limit;
    EXPECT_EQ(want, std::string(v.text(), v.storageBytes())) << c.limit;
  }
  zt::HostVar v = zt::HostVar::String(16);
  v.rec()->type = 7;  // any type but integer is used as text, and kept
  EXPECT_EQ(0, GetClipTxt(v, 0, 0, 0));
  EXPECT_EQ(7, v.rec()->type);
  SetClip({});
  EXPECT_EQ(-2, GetClipTxt(v, 0, 0, 0));  // empty clipboard
  SetClip({{CF_TEXT, std::string("abc", 4)}});
  v.SetExtended(0, 1);  // row size 0: the text limit would wrap around
  EXPECT_EQ(3, Txt2Clip(v, 0, 0, 0));
  EXPECT_EQ(std::string("abc", 4), GetClip(CF_TEXT));  // not emptied
}

// Argument 2 limits the copy only from 1 to below the text limit; the
// clipboard is emptied first.
TEST_F(Clipboard, Txt2ClipCopiesUpToTheGivenCount) {
  SetClip({{CF_DIB, std::string(60, '\0')}});
  zt::HostVar v = zt::HostVar::String(64);
  v.SetText("abcdefgh");
  for (std::int32_t most : {5, 0, -3, 63, 64, 1000}) {
    EXPECT_EQ(0, Txt2Clip(v, most, 0, 0)) << most;
    EXPECT_EQ(std::string(most == 5 ? "abcde" : "abcdefgh") + '\0', GetClip(CF_TEXT)) << most;
  }
  EXPECT_EQ("<none>", GetClip(CF_DIB));
  v.Fill('y');  // no terminator: the count ends it
  EXPECT_EQ(0, Txt2Clip(v, 62, 0, 0));
  EXPECT_EQ(std::string(62, 'y') + '\0', GetClip(CF_TEXT));
  v.SetExtended(4, 1);  // the extended record sizes the text: limit 15
  EXPECT_EQ(0, Txt2Clip(v, 0, 0, 0));
  EXPECT_EQ(std::string(15, 'y') + '\0', GetClip(CF_TEXT));
  zt::HostVar n = zt::HostVar::Ints(4);
  EXPECT_EQ(-65535, Txt2Clip(n, 0, 0, 0));
  EXPECT_EQ(std::string(15, 'y') + '\0', GetClip(CF_TEXT));
}

// The screen's own DIB byte for byte (header, the colour table on palette
// screens, rows, 4 zero bytes), then back into a larger screen at (3, 2); a
// block short of its rows or header, or no DIB, is refused.
TEST_F(Clipboard, Dib2ClipOffersTheScreenAndGetClipDibTakesItBack) {
  Bytes pal(768, 0xCC);  // kept by the full-colour screen, then the palette screen's
  for (bool palette : {false, true}) {
    TestScreen s(100, 50, palette), q(110, 60, palette);
    for (std::size_t i = 0; i < s.pixelBytes(); ++i) s.bits()[i] = std::uint8_t(i * 7 + 1);
    for (int i = 0; i < 256; ++i) s.RecordTable()[i] = RGBQUAD{BYTE(i), BYTE(i / 2), BYTE(~i), 0};
    EXPECT_EQ(0, Dib2Clip(s, 0, 0, 0));
    std::string block = GetClip(CF_DIB);
    std::size_t table = palette ? 1024 : 0;
    ASSERT_EQ(palette ? 50u * 100 + 40 + 1024 + 4 : 50u * 300 + 40 + 4, block.size());
    EXPECT_EQ(0, std::memcmp(block.data(), zor::HostPtr<void>(s.rec()->bitmapInfo), 40));
    EXPECT_TRUE(!palette || std::memcmp(block.data() + 40, s.RecordTable(), 1024) == 0);
    EXPECT_EQ(0, std::memcmp(block.data() + 40 + table, s.bits(), s.pixelBytes()));
    EXPECT_EQ(std::string(4, '\0'), block.substr(block.size() - 4));

    q.Fill(0xEE);
    EXPECT_EQ(0, GetClipDib(q, 3, 2, pal.data()));
    for (int y = 0; y < 50; ++y) {
      ASSERT_EQ(0, std::memcmp(s.Pixel(0, y), q.Pixel(3, y + 2), 100 * s.bytesPerPixel())) << y;
    }
    EXPECT_EQ((palette ? Bytes{235, 10, 20} : Bytes(3, 0xCC)), Bytes(&pal[60], &pal[63]));
  }
  TestScreen c(6, 6, false);
  struct {
    std::int32_t code;
    UINT format;
    std::string bytes;
  } refusals[] = {
      {-259, CF_DIB, zt::MakeDib(zt::DibSpec::Of(2, 2, 24)).substr(0, 40)},  // rows missing
      {-259, CF_DIB, std::string(20, '\x28')},                               // not even a header
      {-2, CF_TEXT, std::string("t", 2)}};
  for (const auto& r : refusals) {
    SetClip({{r.format, r.bytes}});
    EXPECT_EQ(r.code, GetClipDib(c, 0, 0, pal.data())) << r.bytes.size();
  }
}

TEST_F(Clipboard, GetClipInfoKindsAndRefusals) {
  std::string dib = zt::MakeDib(zt::DibSpec::Of(7, -3, 24)), text("text", 5);

  struct {
    std::vector<std::pair<UINT, std::string>> items;
    std::int32_t code;
    Ints want;
  } cases[] = {
      {{{CF_TEXT, text}, {CF_DIB, dib}}, 0, {2, std::int32_t(dib.size()), 24, 7, -3}},
      {{{CF_TEXT, text}}, 0, {1, 5, 0, 0, k55}},
      {{}, 0, {0, 0, 0, 0, k55}},
      {{{CF_DIB, dib.substr(0, 43)}}, -3, {2, 43, 0, 0, k55}},
  };
  for (auto& c : cases) {
    SetClip(c.items);
    zt::HostVar v = zt::HostVar::Ints(5);
    v.Fill(0x55);
    EXPECT_EQ(c.code, GetClipInfo(v, 0, 0, 0)) << c.want[0] << " " << c.code;
    EXPECT_EQ(c.want, Ints(v.ints(), v.ints() + 5)) << c.code;
  }
}

}  // namespace
