// A Pi writer for tests and benchmarks (header-only, not part of the
// library): header variants and a stream encoder that uses literal colour
// runs and copies of all five position codes, so that round trips exercise
// the whole decoder.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zt {

// ---- header ----

enum class PiDmy { kNone, kWithSignature, kWithoutSignature };

struct PiHeaderSpec {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t colours = 16;          // 16 or 256
  std::uint8_t planes = 0;            // 0: 4 for 16 colours, 8 for 256
  bool storePalette = true;           // mode bit 7 clear
  std::vector<std::uint8_t> palette;  // colours x 3 bytes when stored
  bool leadingBlock = false;          // 128 bytes before the signature
  PiDmy dmy = PiDmy::kNone;
  std::string comment = "test";            // without 0x1A
  std::string filler;                      // between 0x1A and 0x00, no 0x00 inside
  std::string machineData;                 // skipped by its length field
  std::uint32_t machineCode = 0x58363800;  // "X68\0", ignored
};

inline void PutBe16(std::string& s, unsigned v) {
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
  s.push_back(static_cast<char>(v & 0xFF));
}

// Header bytes up to and including the palette; the stream follows them.
inline std::string PiHeaderBytes(const PiHeaderSpec& h) {
  std::string s;
  if (h.leadingBlock) s.append(128, '\x55');
  s += "Pi";
  if (h.dmy == PiDmy::kWithSignature) {
    s += "DMY";
    s += "dummy-block";
    s.push_back('\0');
    s += "xyz";
    s += "Pi";
  } else if (h.dmy == PiDmy::kWithoutSignature) {
    s += "DMY";
    s += "block";
    s.push_back('\0');
  }
  s += h.comment;
  s.push_back('\x1A');
  s += h.filler;
  s.push_back('\0');
  s.push_back(static_cast<char>(h.storePalette ? 0x00 : 0x80));  // mode
  s.push_back('\x01');                                           // aspect
  s.push_back('\x01');
  const unsigned planes = h.planes != 0 ? h.planes : (h.colours == 16 ? 4 : 8);
  s.push_back(static_cast<char>(planes));
  PutBe16(s, h.machineCode >> 16);
  PutBe16(s, h.machineCode & 0xFFFF);
  PutBe16(s, static_cast<unsigned>(h.machineData.size()));
  s += h.machineData;
  PutBe16(s, static_cast<unsigned>(h.width));
  PutBe16(s, static_cast<unsigned>(h.height));
  if (h.storePalette) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(h.colours) * 3; ++i) {
      s.push_back(static_cast<char>(i < h.palette.size() ? h.palette[i] : 0));
    }
  }
  return s;
}

// ---- stream ----

class PiBitWriter {
 public:
  void Bits(std::uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) Bit((value >> i) & 1);
  }
  void Bit(unsigned b) {
    acc_ = static_cast<std::uint8_t>(acc_ << 1 | (b & 1));
    if (++n_ == 8) {
      out_.push_back(static_cast<char>(acc_));
      acc_ = 0;
      n_ = 0;
    }
  }
  std::string Finish() {
    while (n_ != 0) Bit(0);
    return out_;
  }

 private:
  std::string out_;
  std::uint8_t acc_ = 0;
  int n_ = 0;
};

inline void PutPiColourIndex(PiBitWriter& w, unsigned idx, int colours) {
  if (idx < 2) {
    w.Bits(0b10 | idx, 2);
  } else if (idx < 4) {
    w.Bits(idx - 2, 3);
  } else if (idx < 8) {
    w.Bits(0b010, 3);
    w.Bits(idx - 4, 2);
  } else if (colours == 16) {
    w.Bits(0b011, 3);
    w.Bits(idx - 8, 3);
  } else {
    int n = 3;
    while ((2u << n) <= idx) ++n;  // idx in [2^n, 2^(n+1))
    w.Bits(0b01, 2);
    w.Bits((1u << (n - 2)) - 1, n - 2);  // n - 2 ones
    if (n < 7) w.Bit(0);
    w.Bits(idx - (1u << n), n);
  }
}

inline void PutPiLength(PiBitWriter& w, std::uint32_t m) {
  if (m == 1) {
    w.Bit(0);
    return;
  }
  int k = 0;
  while ((2u << k) <= m) ++k;
  for (int i = 0; i < k; ++i) w.Bit(1);
  w.Bit(0);
  w.Bits(m - (1u << k), k);
}

inline void PutPiPosition(PiBitWriter& w, int code) {
  static const unsigned bits[5] = {0b00, 0b01, 0b10, 0b110, 0b111};
  w.Bits(bits[code], code < 3 ? 2 : 3);
}

struct PiEncodeOptions {
  // 0: greedy (longest copy, literals only when no copy fits). Otherwise a
  // seed for random choices among the valid ones: shorter copies, other
  // codes, literal runs where copies would fit, lengths past the end.
  std::uint32_t seed = 0;
};

// Encodes width x height colour indexes (all below `colours`).
inline std::string EncodePiStream(const std::vector<std::uint8_t>& pixels, std::int32_t width,
                                  std::int32_t height, std::int32_t colours,
                                  const PiEncodeOptions& opt = {}) {
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t end = w * static_cast<std::size_t>(height);
  const std::size_t lead = 4 * w;
  std::mt19937 rng(opt.seed);
  auto chance = [&](unsigned percent) { return opt.seed != 0 && rng() % 100 < percent; };

  PiBitWriter out;
  const int n = colours;
  std::vector<std::uint8_t> lists(static_cast<std::size_t>(n) * n);
  for (int c = 0; c < n; ++c) {
    for (int i = 0; i < n; ++i) lists[c * n + i] = static_cast<std::uint8_t>((c - i + n) % n);
  }
  auto colour = [&](unsigned previous, std::uint8_t c) {
    std::uint8_t* list = &lists[previous * n];
    unsigned idx = 0;
    while (list[idx] != c) ++idx;
    PutPiColourIndex(out, idx, colours);
    for (unsigned i = idx; i > 0; --i) list[i] = list[i - 1];
    list[0] = c;
  };

  // The decoder's buffer: leading area, picture, the odd pair's extra pixel.
  const std::uint8_t c1 = end > 0 ? pixels[0] : 0;
  const std::uint8_t c2 = end > 1 ? pixels[1] : c1;
  colour(0, c1);
  colour(c1, c2);
  std::vector<std::uint8_t> buf(lead + end + 2);
  for (std::size_t i = 0; i < lead; i += 2) {
    buf[i] = c1;
    buf[i + 1] = c2;
  }
  std::copy(pixels.begin(), pixels.end(), buf.begin() + static_cast<std::ptrdiff_t>(lead));
  std::uint8_t* pic = buf.data() + lead;
  const std::size_t dist[5] = {0, w, 2 * w, w - 1, w + 1};

  // Pairs a copy with `code` reproduces from p.
  auto match = [&](std::size_t p, int code) {
    const std::size_t d = code == 0 ? (pic[p - 1] == pic[p - 2] ? 2 : 4) : dist[code];
    std::size_t i = p;
    while (i < end && pic[i] == pic[i - d] && (i + 1 >= end || pic[i + 1] == pic[i + 1 - d])) {
      i += 2;
    }
    return (std::min(i, end + (end & 1)) - p) / 2;
  };

  std::size_t p = 0;
  int previous = -1;
  while (p < end) {
    std::size_t best = 0;
    int bestCode = -1;
    std::size_t lengths[5];
    std::vector<int> usable;
    for (int code = 0; code < 5; ++code) {
      lengths[code] = match(p, code);
      if (code == previous || lengths[code] == 0) continue;
      usable.push_back(code);
      if (lengths[code] > best) {
        best = lengths[code];
        bestCode = code;
      }
    }
    const bool literal = bestCode < 0 || (previous >= 0 && chance(15));
    if (!literal) {
      int code = bestCode;
      if (chance(40)) code = usable[rng() % usable.size()];
      std::size_t m = lengths[code];
      if (m > 1 && chance(30)) m = 1 + rng() % m;
      std::size_t emitted = m;
      if (p + 2 * m >= end && chance(50)) emitted += rng() % 5000;  // runs past the end
      PutPiPosition(out, code);
      PutPiLength(out, static_cast<std::uint32_t>(emitted));
      previous = code;
      p += 2 * m;
      continue;
    }
    // A literal run: the previous code again, then colour pairs.
    PutPiPosition(out, previous);
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
      out.Bit(stop ? 0 : 1);
      if (stop) break;
    }
  }
  return out.Finish();
}

// A whole file: header, stream, and zero padding up to `minBytes` (the
// header reader wants the palette's room to exist even when none is stored).
inline std::string EncodePiFile(const PiHeaderSpec& header, const std::vector<std::uint8_t>& pixels,
                                const PiEncodeOptions& opt = {}, std::size_t minBytes = 0) {
  std::string s = PiHeaderBytes(header);
  const std::size_t afterSize = s.size();
  s += EncodePiStream(pixels, header.width, header.height, header.colours, opt);
  // Q + 4 + palette bytes must lie inside the first bytes read.
  const std::size_t need = afterSize - (header.storePalette ? header.colours * 3 : 0) +
                           static_cast<std::size_t>(header.colours) * 3 + 1;
  if (s.size() < need) s.resize(need, '\0');
  if (s.size() < minBytes) s.resize(minBytes, '\0');
  return s;
}

// A picture with smooth areas and detail whose rows repeat, shift and
// dither, so every position code finds matches; `detail` 0-100 sets how
// much of it is fresh random colour.
inline std::vector<std::uint8_t> MakePiPicture(std::int32_t width, std::int32_t height,
                                               std::int32_t colours, std::uint32_t seed,
                                               unsigned detail = 10) {
  std::mt19937 rng(seed);
  const std::size_t w = static_cast<std::size_t>(width);
  std::vector<std::uint8_t> px(w * static_cast<std::size_t>(height));
  for (std::size_t i = 0; i < px.size(); ++i) {
    const std::size_t x = i % w;
    const unsigned r = rng() % 100;
    std::uint8_t c;
    if (r < detail || i < 2 * w + 2) {
      c = static_cast<std::uint8_t>(rng() % colours);
    } else if (r < 40) {
      c = px[i - w];  // the row above
    } else if (r < 55) {
      c = px[i - 2];  // repeat to the left
    } else if (r < 65) {
      c = px[i - w + (x + 1 < w ? 1 : 0)];  // shifted rows
    } else if (r < 75) {
      c = px[i - w - (x > 0 ? 1 : 0)];
    } else if (r < 85) {
      c = px[i - 2 * w];
    } else {
      c = px[i - 1];
    }
    px[i] = c;
  }
  return px;
}

}  // namespace zt
