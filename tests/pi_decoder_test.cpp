// The Pi header reader, stream decoder and placement, called directly.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "image/pi_decode.h"
#include "image/pi_header.h"
#include "image/pi_place.h"
#include "support/pi_encoder.h"

namespace {

using zor::PiHeader;
using zor::PiPixels;

const std::uint8_t* U8(const std::string& s) {
  return reinterpret_cast<const std::uint8_t*>(s.data());
}

std::string Hex(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

// The 70-byte example: 4 x 2, 16 colours, default palette, stream at 18.
std::string WorkedExample() {
  std::string s = Hex({0x50, 0x69, 0x1A, 0x00, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
                       0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x02, 0xA4, 0xF1, 0x80});
  s.append(49, '\0');
  return s;
}

struct Decoded {
  std::int32_t header = 0;
  std::int32_t status = 0;
  std::int32_t size[2] = {0, 0};
  PiHeader info{};
  std::vector<std::uint8_t> pixels;
  bool complete = false;
};

// Header, then the stream from memory, the way the loader does it.
Decoded DecodeFile(const std::string& file, std::size_t chunk = 0) {
  Decoded d;
  const std::size_t n = file.size() < zor::kPiChunkBytes ? file.size() : zor::kPiChunkBytes;
  d.header = zor::ParsePiHeader(U8(file), n, &d.info, d.size);
  if (d.header != 0) return d;
  struct Slices {
    const std::string* file;
    std::size_t at, chunk;
  } slices{&file, d.info.dataOffset, chunk};
  zor::PiByteSource src{U8(file) + d.info.dataOffset, file.size() - d.info.dataOffset, nullptr,
                        nullptr};
  if (chunk != 0) {
    // Windows of `chunk` bytes: every code boundary falls somewhere.
    src.size = std::min(chunk, file.size() - slices.at);
    slices.at += src.size;
    src.context = &slices;
    src.more = [](void* c, const std::uint8_t** data, std::size_t* size) {
      auto& s = *static_cast<Slices*>(c);
      if (s.at >= s.file->size()) return false;
      *data = U8(*s.file) + s.at;
      *size = std::min(s.chunk, s.file->size() - s.at);
      s.at += *size;
      return true;
    };
  }
  PiPixels px;
  d.status = zor::DecodePiStream(src, d.size[0], d.size[1], d.info.colourCount, &px);
  if (d.status == 0) {
    d.pixels.assign(px.picture, px.picture + std::size_t(d.size[0]) * std::size_t(d.size[1]));
    d.complete = px.complete;
  }
  return d;
}

zt::PiHeaderSpec Spec(int w, int h, int colours) {
  zt::PiHeaderSpec s;
  s.width = w;
  s.height = h;
  s.colours = colours;
  s.palette.resize(static_cast<std::size_t>(colours) * 3);
  for (std::size_t i = 0; i < s.palette.size(); ++i)
    s.palette[i] = static_cast<std::uint8_t>(i * 7);
  return s;
}

// ---- header ----

TEST(PiHeader, WorkedExampleIsA16ColourPictureWithTheDefaultPalette) {
  std::string f = WorkedExample();
  PiHeader h{};
  std::int32_t size[2];
  ASSERT_EQ(0, zor::ParsePiHeader(U8(f), f.size(), &h, size));
  EXPECT_EQ(4, size[0]);
  EXPECT_EQ(2, size[1]);
  EXPECT_EQ(16, h.colourCount);
  EXPECT_EQ(18u, h.dataOffset);
  const std::uint8_t e9[3] = {0, 0, 255}, e7[3] = {119, 119, 119}, e20[3] = {0, 0, 0};
  EXPECT_EQ(0, std::memcmp(h.palette + 9 * 3, e9, 3));
  EXPECT_EQ(0, std::memcmp(h.palette + 7 * 3, e7, 3));
  EXPECT_EQ(0, std::memcmp(h.palette + 20 * 3, e20, 3));  // beyond 16: black
}

TEST(PiHeader, DefaultRampFor256Colours) {
  std::uint8_t pal[768];
  zor::PiDefaultPalette(256, pal);
  // index bits g g g r r r b b
  const int i = (5 << 5) | (7 << 2) | 2;
  EXPECT_EQ(255, pal[3 * i + 0]);
  EXPECT_EQ((5 << 5) | (5 << 2) | (5 >> 1), pal[3 * i + 1]);
  EXPECT_EQ(170, pal[3 * i + 2]);
  EXPECT_EQ(0, pal[0]);
  EXPECT_EQ(255, pal[3 * 255 + 0]);
  EXPECT_EQ(255, pal[3 * 255 + 1]);
  EXPECT_EQ(255, pal[3 * 255 + 2]);
}

TEST(PiHeader, StoredPaletteOverwritesOnlyTheFirstColourCountEntries) {
  auto spec = Spec(5, 3, 16);
  std::string f = zt::EncodePiFile(spec, std::vector<std::uint8_t>(15, 3));
  Decoded d = DecodeFile(f);
  ASSERT_EQ(0, d.header);
  EXPECT_EQ(0, std::memcmp(d.info.palette, spec.palette.data(), 48));
  for (int i = 48; i < 768; ++i) ASSERT_EQ(0, d.info.palette[i]) << i;
  // Stored palette: the stream follows it.
  EXPECT_EQ(zt::PiHeaderBytes(spec).size(), d.info.dataOffset);
}

TEST(PiHeader, VariantsRoundTrip) {
  struct Case {
    const char* name;
    void (*tweak)(zt::PiHeaderSpec&);
  } cases[] = {
      {"plain", [](zt::PiHeaderSpec&) {}},
      {"long comment", [](zt::PiHeaderSpec& s) { s.comment = std::string(300, 'c'); }},
      {"filler", [](zt::PiHeaderSpec& s) { s.filler = "editor\x01\x02"; }},
      {"leading block", [](zt::PiHeaderSpec& s) { s.leadingBlock = true; }},
      {"DMY with signature", [](zt::PiHeaderSpec& s) { s.dmy = zt::PiDmy::kWithSignature; }},
      {"DMY without signature", [](zt::PiHeaderSpec& s) { s.dmy = zt::PiDmy::kWithoutSignature; }},
      {"machine data", [](zt::PiHeaderSpec& s) { s.machineData = std::string(1000, '\x1A'); }},
      {"default palette", [](zt::PiHeaderSpec& s) { s.storePalette = false; }},
      {"planes 8 is 256", [](zt::PiHeaderSpec& s) { s.planes = 8; }},
      {"planes 1 is 256", [](zt::PiHeaderSpec& s) { s.planes = 1; }},
  };
  for (int colours : {16, 256}) {
    for (const Case& c : cases) {
      auto spec = Spec(7, 5, colours);
      c.tweak(spec);
      if (spec.planes != 0) spec.colours = 256;
      auto px = zt::MakePiPicture(7, 5, spec.colours, 3);
      Decoded d = DecodeFile(zt::EncodePiFile(spec, px));
      SCOPED_TRACE(c.name);
      ASSERT_EQ(0, d.header);
      EXPECT_EQ(spec.colours, d.info.colourCount);
      EXPECT_EQ(7, d.size[0]);
      EXPECT_EQ(5, d.size[1]);
      ASSERT_EQ(0, d.status);
      EXPECT_EQ(px, d.pixels);
    }
  }
}

TEST(PiHeader, DmyWithoutSecondSignatureIsCommentText) {
  // "PiDMY" ... 0x00 ... then the usual 0x1A 0x00; no later "Pi".
  std::string f = WorkedExample();
  std::string g = "PiDMY";
  g.push_back('\0');
  g += f.substr(2);
  Decoded d = DecodeFile(g);
  ASSERT_EQ(0, d.header);
  EXPECT_EQ(4, d.size[0]);
  EXPECT_EQ(2, d.size[1]);
  EXPECT_EQ(22u, d.info.dataOffset);
  // The 0x00 that ends the DMY block is needed before n - 5.
  std::string bad = "PiDMY";
  bad.append(70, '\x1A');
  EXPECT_EQ(zor::kPiBadHeader, DecodeFile(bad).header);
}

TEST(PiHeader, DmyWithSecondSignatureTakesTheCommentAfterIt) {
  // Comment text between DMY and the second "Pi" holds a 0x1A that must be
  // skipped because the comment starts after the second signature.
  std::string f = "PiDMYa\x1A";
  f.push_back('\0');
  f += "b\x1A";
  f.push_back('\0');
  f += "Pi";
  std::string rest = WorkedExample().substr(2);
  rest[4] = 0x10;  // a different size would show a wrong start: mode..size shift
  f += WorkedExample().substr(2);
  Decoded d = DecodeFile(f);
  ASSERT_EQ(0, d.header);
  EXPECT_EQ(4, d.size[0]);
  EXPECT_EQ(2, d.size[1]);
  EXPECT_EQ(std::size_t{13 + 18 - 2}, d.info.dataOffset);
}

TEST(PiHeader, Refusals) {
  std::int32_t size[2] = {5, 5};
  PiHeader h{};
  std::string f = WorkedExample();
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(f), 69, &h, size));  // fewer than 70
  EXPECT_EQ(-1, size[0]);
  EXPECT_EQ(-1, size[1]);
  std::string sig = f;
  sig[1] = 'I';
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(sig), sig.size(), &h, size));

  // Leading block: only when at least 199 bytes are there.
  std::string led = std::string(128, 'x') + f.substr(0, 70);
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(led), 198, &h, size));
  led += "0";
  EXPECT_EQ(0, zor::ParsePiHeader(U8(led), 199, &h, size));
  EXPECT_EQ(146u, h.dataOffset);

  // No 0x1A, or no 0x00 after it.
  std::string noEof(100, 'a');
  noEof[0] = 'P';
  noEof[1] = 'i';
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(noEof), noEof.size(), &h, size));
  noEof[50] = 0x1A;
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(noEof), noEof.size(), &h, size));
}

TEST(PiHeader, PaletteRoomIsRequiredEvenWhenNoneIsStored) {
  // 16 colours, default palette: Q + 4 + 48 < n. A 20-byte comment puts Q
  // at 34, so 87 bytes are needed.
  std::string f = "Pi" + std::string(20, 'c') + WorkedExample().substr(2);
  std::int32_t size[2];
  PiHeader h{};
  EXPECT_EQ(0, zor::ParsePiHeader(U8(f), 87, &h, size));
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(f), 86, &h, size));
  EXPECT_EQ(4, size[0]);  // the size was reached and stays
  EXPECT_EQ(2, size[1]);
  // 256 colours without a palette: 769 bytes after the size fields.
  std::string g = WorkedExample();
  g[7] = 8;
  g.resize(18 + 768, '\0');
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(g), g.size(), &h, size));
  g.push_back('\0');
  EXPECT_EQ(0, zor::ParsePiHeader(U8(g), g.size(), &h, size));
  EXPECT_EQ(256, h.colourCount);
  // Machine-data length running past the data.
  std::string m = WorkedExample();
  m[12] = 0x7F;
  EXPECT_EQ(zor::kPiBadHeader, zor::ParsePiHeader(U8(m), m.size(), &h, size));
  EXPECT_EQ(-1, size[0]);
}

// ---- stream ----

TEST(PiStream, WorkedExampleDecodes) {
  Decoded d = DecodeFile(WorkedExample());
  ASSERT_EQ(0, d.status);
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 15, 15, 0, 0, 15, 15}), d.pixels);
  EXPECT_TRUE(d.complete);
}

TEST(PiStream, FinalByteCarriesCodes) {
  // Cut the example right after its stream: the last codes sit in the last
  // byte (0x80: the length code "100" ends there).
  std::string f = WorkedExample();
  std::string stream = f.substr(18, 3);
  zor::PiByteSource src{U8(stream), stream.size(), nullptr, nullptr};
  PiPixels px;
  ASSERT_EQ(0, zor::DecodePiStream(src, 4, 2, 16, &px));
  EXPECT_TRUE(px.complete);
  EXPECT_EQ(0, std::memcmp(px.picture, "\0\0\x0F\x0F\0\0\x0F\x0F", 8));
}

TEST(PiStream, EarlyEndLeavesZeroesAndStatusZero) {
  // Two bytes: the initial colours, the first copy and the literal pair,
  // then nothing: the second row is never written.
  std::string stream = "\xA4\xF1";
  zor::PiByteSource src{U8(stream), stream.size(), nullptr, nullptr};
  PiPixels px;
  ASSERT_EQ(0, zor::DecodePiStream(src, 4, 2, 16, &px));
  EXPECT_FALSE(px.complete);
  EXPECT_EQ(0, std::memcmp(px.picture, "\0\0\x0F\x0F\0\0\0\0", 8));

  // Colours that cannot be read: -2.
  std::string none;
  zor::PiByteSource empty{U8(none), 0, nullptr, nullptr};
  EXPECT_EQ(zor::kPiNoStream, zor::DecodePiStream(empty, 4, 2, 16, &px));
  std::string one = "\x80";  // c1 = k 1, then 6 zero bits: "000000" is k 3, needs 3 bits: ok
  zor::PiByteSource half{U8(one), 1, nullptr, nullptr};
  EXPECT_EQ(0, zor::DecodePiStream(half, 4, 2, 16, &px));
  std::string cut = "\x00";  // "000" k3 then "000" k3, then 2 bits: position code only
  zor::PiByteSource tiny{U8(cut), 1, nullptr, nullptr};
  EXPECT_EQ(0, zor::DecodePiStream(tiny, 4, 2, 16, &px));
  std::string wide = "\x7F";  // 256 colours: 0111111 needs 7 more bits
  zor::PiByteSource w256{U8(wide), 1, nullptr, nullptr};
  EXPECT_EQ(zor::kPiNoStream, zor::DecodePiStream(w256, 4, 2, 256, &px));
}

TEST(PiStream, CopyAfterEarlyEndDoesNotLeaveOverrunPixels) {
  // A long copy at distance 16+ is written in blocks; when the stream then
  // ends, nothing past the last full code may hold copied data.
  const int w = 40, h = 3;
  std::vector<std::uint8_t> px(w * h);
  for (int i = 0; i < w * h; ++i) px[i] = static_cast<std::uint8_t>((i % w) % 16);
  auto spec = Spec(w, h, 16);
  std::string f = zt::EncodePiFile(spec, px);
  Decoded full = DecodeFile(f);
  ASSERT_EQ(px, full.pixels);
  for (std::size_t cut = zt::PiHeaderBytes(spec).size(); cut < f.size(); ++cut) {
    std::string g = f.substr(0, cut);
    g.resize(std::max<std::size_t>(g.size(), 70), '\0');  // header needs 70 bytes
    Decoded d = DecodeFile(f.substr(0, cut));
    if (d.header != 0 || d.status != 0) continue;
    // Every pixel is either the true one or 0 from the first zero on.
    std::size_t firstWrong = px.size();
    for (std::size_t i = 0; i < px.size(); ++i) {
      if (d.pixels[i] != px[i]) {
        firstWrong = i;
        break;
      }
    }
    for (std::size_t i = firstWrong; i < px.size(); ++i)
      ASSERT_EQ(0, d.pixels[i]) << cut << " " << i;
  }
}

// Bits, MSB first, from a string of '0' and '1' (other characters ignored).
std::string Bits(const std::string& text) {
  zt::PiBitWriter w;
  for (char c : text) {
    if (c == '0' || c == '1') w.Bit(c == '1');
  }
  return w.Finish();
}

std::vector<std::uint8_t> DecodeBits(const std::string& bits, int w, int h, int colours = 16) {
  std::string s = Bits(bits);
  zor::PiByteSource src{U8(s), s.size(), nullptr, nullptr};
  PiPixels px;
  EXPECT_EQ(0, zor::DecodePiStream(src, w, h, colours, &px));
  if (px.picture == nullptr) return {};
  return std::vector<std::uint8_t>(px.picture, px.picture + w * h);
}

TEST(PiStream, FirstCodeCopiesFromTheLeadingArea) {
  // c1 = 0 ("10"), c2 = 15 ("11": k 2 from list 0 is 15). Code 1 (row above,
  // inside the leading area) copies c1 c2 alternation; width 5 is odd, so the
  // alternation runs linearly, not by columns.
  auto px = DecodeBits("10 11  01 0  10 0  01 0", 5, 2);
  // p0: code 1, 1 pair: 5 back = leading area. Lead is 20 bytes starting with
  // c1 at index 0, so picture offset -5 is index 15: c2, -4: c1.
  ASSERT_EQ(10u, px.size());
  EXPECT_EQ(15, px[0]);
  EXPECT_EQ(0, px[1]);
  // p2: code 2, 10 back: index 12 (c1) then 13 (c2).
  EXPECT_EQ(0, px[2]);
  EXPECT_EQ(15, px[3]);
  // p4: code 1 again after code 2: copy, 5 back = lead index 19 (c2), then px[0].
  EXPECT_EQ(15, px[4]);
  EXPECT_EQ(15, px[5]);
}

TEST(PiStream, CodeZeroPicksTwoOrFourBack) {
  // c1 = c2 = 0; copy one pair; literals 15 14, 14 14; then code 0 with
  // length 2 after ... 14 14: two back, so 14 14 14 14.
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 15, 14, 14, 14, 14, 14, 14, 14}),
            DecodeBits("10 10 01 0 01 11 11 1 10 10 0 00 100", 10, 1));
  // ... 14 13: the two pixels differ, so four back: 15 14 14 13 again.
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 15, 14, 14, 13, 15, 14, 14, 13}),
            DecodeBits("10 10 01 0 01 11 11 1 10 11 0 00 100", 10, 1));
}

TEST(PiStream, LiteralRunClearsThePreviousCode) {
  // code 1, then code 1 (literals), then code 1 again is a copy.
  auto px = DecodeBits("10 10  01 0  01 11 11 0  01 100", 4, 3);
  // literals: prev 0: k2 = 15; prev 15: k2 = 14. Then copy 2 pairs from 4 back.
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 15, 14, 0, 0, 15, 14, 0, 0, 0, 0}), px);
}

TEST(PiStream, ColourListsMoveTheUsedColourToTheFront) {
  // Literals: prev 0 k3 -> 14, prev 14 k1 -> 14, prev 14 k2 -> 13,
  // prev 13 k2 -> 12, prev 12 k1 -> 12, prev 12 k4 -> 9.
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 14, 14, 13, 12, 12, 9}),
            DecodeBits("10 10 01 0 01 000 10 1 11 11 1 10 001 0", 4, 2));
  // List 0 used twice: k3 gives 14 and moves it to the front (14 0 15 13 ..);
  // then, after 14 k15 -> 0, list 0 k2 gives 0 and k3 gives 15, where fresh
  // lists would give 15 and 14. The padding then copies one pair 4 back.
  EXPECT_EQ((std::vector<std::uint8_t>{0, 0, 14, 0, 0, 15, 14, 0}),
            DecodeBits("10 10 01 0 01 000 011110 1 11 000 0", 4, 2));
}

TEST(PiStream, LengthCodes) {
  // 256 colours, c1 = 0; one copy whose length has k leading 1 bits.
  // 30 leading ones are allowed; the 31st stops the decoding.
  std::string thirty = "10 10 00 " + std::string(30, '1') + "0" + std::string(30, '0');
  EXPECT_EQ(std::vector<std::uint8_t>(24, 0), DecodeBits(thirty, 3, 8, 256));
  // 1 1 0 01 is 5 pairs: ten pixels from 3 back, starting in the leading
  // area (c1 c2 alternating: picture offset -3 holds c2). The padding bits
  // then read as code 0 length 1 (two back), and code 0 again: a literal
  // run that finds no bits.
  EXPECT_EQ((std::vector<std::uint8_t>{255, 0, 255, 255, 0, 255, 255, 0, 255, 255, 255, 255, 0, 0,
                                       0, 0, 0, 0}),
            DecodeBits("10 11 01 11001", 3, 6, 256));
  std::string stopped = "10 11 00 " + std::string(31, '1') + "0" + std::string(31, '0');
  auto px = DecodeBits(stopped, 3, 8, 256);
  EXPECT_EQ(0, px[0]);
  EXPECT_EQ(255, px[1]);  // the leading fill of the first pair, never overwritten
  for (std::size_t i = 2; i < px.size(); ++i) EXPECT_EQ(0, px[i]) << i;
}

TEST(PiStream, HeightZeroDecodesNothing) {
  PiPixels px;
  std::string s = Bits("10 10");
  zor::PiByteSource src{U8(s), s.size(), nullptr, nullptr};
  EXPECT_EQ(0, zor::DecodePiStream(src, 5, 0, 16, &px));
  EXPECT_TRUE(px.complete);
}

TEST(PiStream, SizesOutsideTheFormatAreRefused) {
  PiPixels px;
  std::string s = Bits("10 10");
  zor::PiByteSource src{U8(s), s.size(), nullptr, nullptr};
  EXPECT_EQ(zor::kPiBadSize, zor::DecodePiStream(src, 0, 5, 16, &px));
  EXPECT_EQ(zor::kPiBadSize, zor::DecodePiStream(src, 8193, 5, 16, &px));
  EXPECT_EQ(zor::kPiBadSize, zor::DecodePiStream(src, 5, 65536, 16, &px));
}

TEST(PiStream, LargestPictureDecodesWithoutOverflow) {
  // 8,192 x 65,535 filled by one long copy: w x h does not fit 31 bits
  // after the leading area on a 32-bit size calculation gone wrong.
  std::string s = Bits("10 10 00 " + std::string(29, '1') + "0" + std::string(29, '1'));
  zor::PiByteSource src{U8(s), s.size(), nullptr, nullptr};
  PiPixels px;
  const std::int32_t status = zor::DecodePiStream(src, 8192, 65535, 16, &px);
  if (status == zor::kPiNoMemory) GTEST_SKIP() << "512 MiB not available";
  ASSERT_EQ(0, status);
  EXPECT_TRUE(px.complete);
  EXPECT_EQ(0, px.picture[std::size_t{8192} * 65535 - 1]);
}

TEST(PiStream, RandomPicturesRoundTrip) {
  std::mt19937 rng(12345);
  int checked = 0;
  for (int colours : {16, 256}) {
    for (int i = 0; i < 60; ++i) {
      const int w = 3 + static_cast<int>(rng() % 298);
      const int h = 1 + static_cast<int>(rng() % 40);
      const unsigned detail = rng() % 100;
      auto px = zt::MakePiPicture(w, h, colours, rng(), detail);
      auto spec = Spec(w, h, colours);
      spec.storePalette = (i % 3) != 0;
      zt::PiEncodeOptions opt;
      opt.seed = (i % 2) ? rng() | 1 : 0;
      Decoded d = DecodeFile(zt::EncodePiFile(spec, px, opt));
      ASSERT_EQ(0, d.header);
      ASSERT_EQ(0, d.status);
      ASSERT_EQ(px, d.pixels) << "w " << w << " h " << h << " colours " << colours;
      EXPECT_TRUE(d.complete);
      ++checked;
    }
  }
  EXPECT_EQ(120, checked);
}

TEST(PiStream, SmallWidthsAndLongRunsRoundTrip) {
  for (int colours : {16, 256}) {
    for (int w : {3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33}) {
      // A flat picture (one enormous copy), then stripes at every distance.
      std::vector<std::uint8_t> flat(w * 300, static_cast<std::uint8_t>(colours - 1));
      auto spec = Spec(w, 300, colours);
      Decoded d = DecodeFile(zt::EncodePiFile(spec, flat));
      ASSERT_EQ(flat, d.pixels) << w;
      auto px = zt::MakePiPicture(w, 200, colours, static_cast<std::uint32_t>(w), 3);
      zt::PiEncodeOptions opt;
      opt.seed = 99;
      Decoded e = DecodeFile(zt::EncodePiFile(Spec(w, 200, colours), px, opt));
      ASSERT_EQ(px, e.pixels) << w;
    }
  }
}

TEST(PiStream, CodesStraddlingWindowBoundariesDecodeTheSame) {
  for (int colours : {16, 256}) {
    auto px = zt::MakePiPicture(61, 47, colours, 7, 30);
    zt::PiEncodeOptions opt;
    opt.seed = 5;
    std::string f = zt::EncodePiFile(Spec(61, 47, colours), px, opt);
    for (std::size_t chunk : {1, 2, 3, 7, 8, 9, 63}) {
      Decoded d = DecodeFile(f, chunk);
      ASSERT_EQ(0, d.status) << chunk;
      ASSERT_EQ(px, d.pixels) << "chunk " << chunk;
    }
  }
}

// ---- placement ----

struct Surface {
  std::vector<std::uint8_t> bits;
  zor::PiSurface view;
  Surface(int w, int h, int bpp, std::uint8_t fill)
      : bits(static_cast<std::size_t>(((bpp * w + 3) & ~3) * h), fill),
        view{bits.data(), w, h, bpp} {}
  int stride() const { return (view.bytesPerPixel * view.width + 3) & ~3; }
  // Pixel (x, y), y from the top.
  const std::uint8_t* at(int x, int y) const {
    return bits.data() + (view.height - 1 - y) * stride() + view.bytesPerPixel * x;
  }
};

TEST(PiPlace, ClipsAtTheEdgesAndAdvancesWholeRows) {
  const std::uint8_t pic[3 * 4] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // 4 x 3
  Surface s(5, 2, 1, 0xEE);
  zor::PlacePiPicture(pic, 4, 3, s.view, 3, 0, nullptr, nullptr);
  EXPECT_EQ(1, *s.at(3, 0));
  EXPECT_EQ(2, *s.at(4, 0));
  EXPECT_EQ(5, *s.at(3, 1));  // next row starts at the picture's next row
  EXPECT_EQ(6, *s.at(4, 1));
  EXPECT_EQ(0xEE, *s.at(2, 0));
  // Row padding bytes (width 5: stride 8) are never written.
  for (int y = 0; y < 2; ++y) {
    for (int pad = 5; pad < 8; ++pad) EXPECT_EQ(0xEE, s.bits[y * 8 + pad]);
  }
}

TEST(PiPlace, StartOutsideTheSurfaceBecomesZero) {
  const std::uint8_t pic[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (auto xy : {std::pair<int, int>{-1, 1}, {5, 1}, {1, -3}, {1, 4}}) {
    Surface s(5, 4, 1, 0);
    zor::PlacePiPicture(pic, 3, 3, s.view, xy.first, xy.second, nullptr, nullptr);
    const int x = xy.first < 0 || xy.first >= 5 ? 0 : xy.first;
    const int y = xy.second < 0 || xy.second >= 4 ? 0 : xy.second;
    EXPECT_EQ(1, *s.at(x, y));
    EXPECT_EQ(9, *s.at(x + 2, y + 2));
  }
}

TEST(PiPlace, FullColourWritesBlueGreenRed) {
  std::uint8_t pal[768] = {};
  pal[3 * 2 + 0] = 10;
  pal[3 * 2 + 1] = 20;
  pal[3 * 2 + 2] = 30;
  const std::uint8_t pic[3] = {2, 2, 0};
  Surface s(3, 1, 3, 0x77);
  zor::PlacePiPicture(pic, 3, 1, s.view, 0, 0, nullptr, pal);
  EXPECT_EQ(30, s.at(0, 0)[0]);
  EXPECT_EQ(20, s.at(0, 0)[1]);
  EXPECT_EQ(10, s.at(0, 0)[2]);
  EXPECT_EQ(0, s.at(2, 0)[0]);
  EXPECT_EQ(0x77, s.bits[9]);  // row padding
}

TEST(PiPlace, TransparentIndexAndColourDistance) {
  bool mask[256];
  std::uint8_t pal[768] = {};
  EXPECT_FALSE(zor::PiTransparentMask(-1, 0, pal, mask));
  EXPECT_FALSE(zor::PiTransparentMask(385, 0, pal, mask));
  ASSERT_TRUE(zor::PiTransparentMask(7, 0, pal, mask));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(i == 7, mask[i]);

  // currentColour 0x00BBGGRR = (r 100, g 50, b 200); tolerance 10.
  pal[3 * 1 + 0] = 110, pal[3 * 1 + 1] = 40, pal[3 * 1 + 2] = 190;  // all within 10
  pal[3 * 2 + 0] = 111, pal[3 * 2 + 1] = 50, pal[3 * 2 + 2] = 200;  // red 11 off
  pal[3 * 3 + 0] = 100, pal[3 * 3 + 1] = 50, pal[3 * 3 + 2] = 211;  // blue 11 off
  ASSERT_TRUE(zor::PiTransparentMask(266, 0x00C83264, pal, mask));
  EXPECT_TRUE(mask[1]);
  EXPECT_FALSE(mask[2]);
  EXPECT_FALSE(mask[3]);
  EXPECT_FALSE(mask[0]);

  const std::uint8_t pic[4] = {1, 2, 1, 3};
  Surface s(4, 1, 1, 0xEE);
  zor::PlacePiPicture(pic, 4, 1, s.view, 0, 0, mask, pal);
  EXPECT_EQ(0xEE, *s.at(0, 0));
  EXPECT_EQ(2, *s.at(1, 0));
  EXPECT_EQ(0xEE, *s.at(2, 0));
  EXPECT_EQ(3, *s.at(3, 0));
}

TEST(PiPlace, CornerModesReadTheUnclippedPicture) {
  const std::uint8_t pic[6] = {1, 2, 3, 4, 5, 6};  // 3 x 2
  EXPECT_EQ(1, zor::PiCornerValue(pic, 3, 2, 1, -1));
  EXPECT_EQ(3, zor::PiCornerValue(pic, 3, 2, 2, -1));
  EXPECT_EQ(4, zor::PiCornerValue(pic, 3, 2, 3, -1));
  EXPECT_EQ(6, zor::PiCornerValue(pic, 3, 2, 4, -1));
  EXPECT_EQ(300, zor::PiCornerValue(pic, 3, 2, 0, 300));
  EXPECT_EQ(300, zor::PiCornerValue(pic, 3, 0, 2, 300));  // no pixels: kept
}

}  // namespace
