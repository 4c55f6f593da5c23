// Pi decoding and placement from memory, in Mpixel/s (items = pixels).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "image/pi_decode.h"
#include "image/pi_header.h"
#include "image/pi_place.h"
#include "support/pi_encoder.h"

namespace {

// Photo-like content: a dithered gradient sky, shaded rings, flat shapes and
// a band of fine texture whose noise moves a pixel a level or two, the way
// scanned or drawn detail does. `noise` replaces that share (percent) of the
// texture's pixels with any colour at all: the worst case for the colour
// lists. `scatter` then replaces that share (per mille) of all pixels with
// random colours.
std::vector<std::uint8_t> Scene(int w, int h, int colours, std::uint32_t seed, unsigned noise,
                                unsigned scatter = 0) {
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> px(std::size_t(w) * h);
  const int levels = colours;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int v;
      if (y < h / 3) {
        // Gradient with ordered dithering between neighbouring levels.
        const int t = (x * 16 * (levels - 1)) / w + (y * 8) / h;
        v = t / 16 + ((t % 16) > bayer[y & 3][x & 3] ? 1 : 0);
      } else if (y < 2 * h / 3 && x < w / 2) {
        // Rings around a centre: smooth bands with curved edges.
        const int dx = x - w / 4, dy = y - h / 2;
        v = ((dx * dx + dy * dy) / (w / 4 + 1)) % levels;
      } else if (y < 2 * h / 3) {
        // Flat rectangles.
        v = ((x / 37) * 7 + (y / 23) * 3) % levels;
      } else {
        // Texture: stripes and blobs, with small noise.
        v = ((x / 3 + y / 5 + ((x / 16) ^ (y / 16))) % (levels / 2)) + levels / 4;
        const unsigned r = rng() % 100;
        if (r < 20) v += static_cast<int>(rng() % 5) - 2;
        if (r >= 100 - noise) v = static_cast<int>(rng() % levels);
      }
      px[std::size_t(y) * w + x] = static_cast<std::uint8_t>(std::clamp(v, 0, levels - 1));
    }
  }
  std::mt19937 scatterRng(seed + 1);
  for (auto& p : px) {
    if (scatterRng() % 1000 < scatter) p = static_cast<std::uint8_t>(scatterRng() % levels);
  }
  return px;
}

struct Fixture {
  std::string file;
  std::int32_t width, height;
  std::vector<std::uint8_t> surface;
};

Fixture Make(int w, int h, int colours, int bpp, unsigned noise, unsigned scatter) {
  zt::PiHeaderSpec header;
  header.width = w;
  header.height = h;
  header.colours = colours;
  header.palette.resize(std::size_t(colours) * 3);
  for (std::size_t i = 0; i < header.palette.size(); ++i) header.palette[i] = std::uint8_t(i * 13);
  Fixture f;
  f.file = zt::EncodePiFile(header, Scene(w, h, colours, 1, noise, scatter));
  f.width = w;
  f.height = h;
  f.surface.resize(std::size_t((bpp * w + 3) & ~3) * h);
  return f;
}

// Header, decode into the pixel buffer, place into the surface.
void DecodeAndPlace(benchmark::State& state, int colours, int bpp, std::int32_t transparent,
                    unsigned noise = 0, unsigned scatter = 0) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Fixture f = Make(w, h, colours, bpp, noise, scatter);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(f.file.data());
  for (auto _ : state) {
    zor::PiHeader header;
    std::int32_t size[2];
    const std::size_t n = std::min(f.file.size(), zor::kPiChunkBytes);
    if (zor::ParsePiHeader(bytes, n, &header, size) != 0) state.SkipWithError("header");
    zor::PiByteSource src{bytes + header.dataOffset, f.file.size() - header.dataOffset, nullptr,
                          nullptr};
    zor::PiPixels px;
    if (zor::DecodePiStream(src, size[0], size[1], header.colourCount, &px) != 0 || !px.complete) {
      state.SkipWithError("decode");
    }
    bool mask[256];
    const bool any = zor::PiTransparentMask(transparent, 0, header.palette, mask);
    const zor::PiSurface surface{f.surface.data(), w, h, bpp};
    zor::PlacePiPicture(px.picture, w, h, surface, 0, 0, any ? mask : nullptr, header.palette);
    benchmark::DoNotOptimize(f.surface.data());
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(w) * h);
  state.counters["bytes/px"] = double(f.file.size()) / (double(w) * h);
}

void BM_Pi16(benchmark::State& s) { DecodeAndPlace(s, 16, 1, -1); }
void BM_Pi256(benchmark::State& s) { DecodeAndPlace(s, 256, 1, -1); }
void BM_Pi16Transparent(benchmark::State& s) { DecodeAndPlace(s, 16, 1, 3); }
void BM_Pi256Transparent(benchmark::State& s) { DecodeAndPlace(s, 256, 1, 3); }
void BM_Pi256FullColour(benchmark::State& s) { DecodeAndPlace(s, 256, 3, -1); }
void BM_Pi256FullColourTransparent(benchmark::State& s) { DecodeAndPlace(s, 256, 3, 3); }
void BM_Pi256DistanceTransparent(benchmark::State& s) { DecodeAndPlace(s, 256, 1, 256 + 60); }
void BM_Pi16Noisy(benchmark::State& s) { DecodeAndPlace(s, 16, 1, -1, 25); }
void BM_Pi256Noisy(benchmark::State& s) { DecodeAndPlace(s, 256, 1, -1, 25); }
// Into a full-colour surface: clean, 2% and 8% of all pixels random.
void BM_Pi16Clean24(benchmark::State& s) { DecodeAndPlace(s, 16, 3, -1); }
void BM_Pi256Clean24(benchmark::State& s) { DecodeAndPlace(s, 256, 3, -1); }
void BM_Pi16Noise2(benchmark::State& s) { DecodeAndPlace(s, 16, 3, -1, 0, 20); }
void BM_Pi256Noise2(benchmark::State& s) { DecodeAndPlace(s, 256, 3, -1, 0, 20); }
void BM_Pi16Noise8(benchmark::State& s) { DecodeAndPlace(s, 16, 3, -1, 0, 80); }
void BM_Pi256Noise8(benchmark::State& s) { DecodeAndPlace(s, 256, 3, -1, 0, 80); }

BENCHMARK(BM_Pi16)->Args({1024, 1024})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256)->Args({1024, 1024})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi16Transparent)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256Transparent)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256FullColour)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256FullColourTransparent)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256DistanceTransparent)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi16Noisy)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256Noisy)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi16Clean24)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256Clean24)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi16Noise2)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256Noise2)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi16Noise8)->Args({1024, 1024})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pi256Noise8)->Args({1024, 1024})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
