// A Pi writer for tests and benchmarks: a header builder and a stream
// encoder that uses literal colour runs and copies of all five position
// codes, so round trips exercise the whole decoder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zt {

struct PiHeaderSpec {
  std::int32_t width = 0, height = 0;
  std::int32_t colours = 16;          // 16 or 256
  std::uint8_t planes = 0;            // 0: 4 for 16 colours, 8 for 256
  bool storePalette = true;           // mode bit 7 clear
  std::vector<std::uint8_t> palette;  // colours x 3 bytes when stored
  std::string comment = "test";       // without 0x1A
  std::string machineData;            // skipped by its length field
};

// The 70-byte worked example: a 16-colour picture 4 x 2 with the default
// palette, stream at offset 18, rows 0 0 15 15 and 0 0 15 15.
inline std::string PiWorkedExample() {
  return std::string("Pi\x1A\0\x80\0\0\x04\0\0\0\0\0\0\0\x04\0\x02\xA4\xF1\x80", 21) +
         std::string(49, '\0');
}

// A header with a stored palette whose bytes follow from `seed`.
inline PiHeaderSpec PiSpec(std::int32_t w, std::int32_t h, std::int32_t colours,
                           std::uint32_t seed = 0) {
  PiHeaderSpec s;
  s.width = w, s.height = h, s.colours = colours;
  for (int i = 0; i < colours * 3; ++i) s.palette.push_back(std::uint8_t(i * 37 + seed));
  return s;
}

// Header bytes up to and including the palette; the stream follows them.
inline std::string PiHeaderBytes(const PiHeaderSpec& h) {
  auto be16 = [](unsigned v) { return std::string{char(v >> 8), char(v & 0xFF)}; };
  std::string s = "Pi" + h.comment + '\x1A' + '\0';
  s += char(h.storePalette ? 0x00 : 0x80);  // mode
  s += "\x01\x01";                          // aspect
  s += char(h.planes != 0 ? h.planes : (h.colours == 16 ? 4 : 8));
  s += "X68" + std::string(1, '\0');  // machine code, ignored
  s += be16(unsigned(h.machineData.size())) + h.machineData;
  s += be16(unsigned(h.width)) + be16(unsigned(h.height));
  if (h.storePalette) {
    for (std::size_t i = 0; i < std::size_t(h.colours) * 3; ++i)
      s += char(i < h.palette.size() ? h.palette[i] : 0);
  }
  return s;
}

// Bits, most significant first.
struct PiBitWriter {
  std::string out;
  int n = 0;
  void Bits(std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      if (n++ % 8 == 0) out += '\0';
      out.back() = char(out.back() | ((value >> i & 1) << (7 - (n - 1) % 8)));
    }
  }
};

// Encodes width x height colour indexes (all below `colours`). Seed 0 is
// greedy (longest copy, literals only where no copy fits); any other seed
// makes random valid choices: other codes, shorter copies, literal runs
// where copies would fit, lengths running past the end.
inline std::string EncodePiStream(const std::vector<std::uint8_t>& pixels, std::int32_t width,
                                  std::int32_t height, std::int32_t colours,
                                  std::uint32_t seed = 0) {
  const std::size_t w = std::size_t(width), end = w * std::size_t(height), lead = 4 * w;
  std::mt19937 rng(seed);
  auto chance = [&](unsigned percent) { return seed != 0 && rng() % 100 < percent; };
  PiBitWriter out;
  const int n = colours;
  std::vector<std::uint8_t> lists(std::size_t(n) * n);  // most recent first
  for (int c = 0; c < n; ++c)
    for (int i = 0; i < n; ++i) lists[c * n + i] = std::uint8_t((c - i + n) % n);
  auto colour = [&](unsigned previous, std::uint8_t c) {
    std::uint8_t* list = &lists[previous * n];
    const unsigned idx = unsigned(std::find(list, list + n, c) - list);  // k - 1
    if (idx < 4) {
      out.Bits(idx < 2 ? 2 | idx : idx - 2, idx < 2 ? 2 : 3);
    } else {
      int e = 2;  // idx in [2^e, 2^(e+1)): 0, e - 1 ones, a 0 below the longest, e bits
      while ((2u << e) <= idx) ++e;
      const int stop = e < (colours == 16 ? 3 : 7);
      out.Bits(((1u << (e - 1)) - 1) << stop, e + stop);
      out.Bits(idx - (1u << e), e);
    }
    std::copy_backward(list, list + idx, list + idx + 1);
    list[0] = c;
  };

  auto position = [&](int code) { out.Bits(code < 3 ? code : 3 + code, code < 3 ? 2 : 3); };

  // The decoder's buffer: leading area, picture, the odd pair's extra pixel.
  const std::uint8_t c1 = end > 0 ? pixels[0] : 0, c2 = end > 1 ? pixels[1] : c1;
  colour(0, c1);
  colour(c1, c2);
  std::vector<std::uint8_t> buf(lead + end + 2);
  for (std::size_t i = 0; i < lead; i += 2) buf[i] = c1, buf[i + 1] = c2;
  std::copy(pixels.begin(), pixels.end(), buf.begin() + std::ptrdiff_t(lead));
  std::uint8_t* pic = buf.data() + lead;
  const std::size_t dist[5] = {0, w, 2 * w, w - 1, w + 1};
  // The pixel `back` places before picture pixel i: indexed from the buffer's
  // start, so reaching into the lead pairs stays pointer arithmetic inside it.
  auto before = [&](std::size_t i, std::size_t back) { return buf[lead + i - back]; };
  auto match = [&](std::size_t p, int code) {  // pairs a copy reproduces from p
    const std::size_t d = code == 0 ? (before(p, 1) == before(p, 2) ? 2 : 4) : dist[code];
    std::size_t i = p;
    while (i < end && pic[i] == before(i, d) && (i + 1 >= end || pic[i + 1] == before(i + 1, d)))
      i += 2;
    return (std::min(i, end + (end & 1)) - p) / 2;
  };

  std::size_t p = 0;
  int previous = -1;
  while (p < end) {
    std::size_t lengths[5], best = 0;
    int bestCode = -1;
    std::vector<int> usable;
    for (int code = 0; code < 5; ++code) {
      lengths[code] = match(p, code);
      if (code == previous || lengths[code] == 0) continue;
      usable.push_back(code);
      if (lengths[code] > best) best = lengths[code], bestCode = code;
    }
    if (bestCode >= 0 && !(previous >= 0 && chance(15))) {
      const int code = chance(40) ? usable[rng() % usable.size()] : bestCode;
      std::size_t m = lengths[code];
      if (m > 1 && chance(30)) m = 1 + rng() % m;
      const std::size_t extra = p + 2 * m >= end && chance(50) ? rng() % 5000 : 0;
      position(code);
      int k = 0;  // the length: k 1 bits, a 0, a k-bit field
      while ((2u << k) <= m + extra) ++k;
      out.Bits(((1u << k) - 1) << 1, k + 1);
      out.Bits(std::uint32_t(m + extra - (1u << k)), k);
      previous = code;
      p += 2 * m;
      continue;
    }
    // A literal run: the previous code again, then colour pairs.
    position(previous);
    previous = -1;
    for (;;) {
      colour(pic[p - 1], pic[p]);
      if (p + 1 >= end) pic[p + 1] = pic[p];  // the dropped pixel: any colour will do
      colour(pic[p], pic[p + 1]);
      p += 2;
      if (p >= end) break;
      bool copyFits = false;
      for (int code = 0; code < 5 && !copyFits; ++code) copyFits = match(p, code) > 0;
      const bool stop = copyFits && !chance(30);
      out.Bits(stop ? 0 : 1, 1);
      if (stop) break;
    }
  }
  return out.out;
}

// A whole file: header, stream, and zero padding to the 70 bytes the header
// reader wants and so that the palette's room lies inside the file even when
// no palette is stored.
inline std::string EncodePiFile(const PiHeaderSpec& header, const std::vector<std::uint8_t>& pixels,
                                std::uint32_t seed = 0) {
  std::string s = PiHeaderBytes(header);
  const std::size_t need =
      s.size() + (header.storePalette ? 0 : std::size_t(header.colours) * 3) + 1;
  s += EncodePiStream(pixels, header.width, header.height, header.colours, seed);
  s.resize(std::max({s.size(), need, std::size_t{70}}), '\0');
  return s;
}

// A picture whose rows repeat, shift and dither, so every position code
// finds matches; `detail` 0-100 sets how much of it is fresh random colour.
inline std::vector<std::uint8_t> MakePiPicture(std::int32_t width, std::int32_t height,
                                               std::int32_t colours, std::uint32_t seed,
                                               unsigned detail = 10) {
  std::mt19937 rng(seed);
  const std::size_t w = std::size_t(width);
  std::vector<std::uint8_t> px(w * std::size_t(height));
  for (std::size_t i = 0; i < px.size(); ++i) {
    const std::size_t x = i % w;
    const unsigned r = rng() % 100;
    // From the row above, two to the left, shifted rows, two rows up, left.
    const std::size_t back = r < 40   ? w
                             : r < 55 ? 2
                             : r < 65 ? w - (x + 1 < w)
                             : r < 75 ? w + (x > 0)
                             : r < 85 ? 2 * w
                                      : 1;
    px[i] = r < detail || i < 2 * w + 2 ? std::uint8_t(rng() % colours) : px[i - back];
  }
  return px;
}

}  // namespace zt
