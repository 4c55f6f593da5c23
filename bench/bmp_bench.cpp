// BmpLoad of 4096 x 4096 pictures against a plain read plus memcpy of the
// same bytes. Each load benchmark also times two baselines in the same run
// and reports the ratios: "x_read_memcpy" against a read into a fresh
// buffer, "x_reused" against a read into a buffer reused across calls.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/host_records.h"
#include "support/bmp_builder.h"
#include "support/screen.h"
#include "support/zortest.h"

extern "C" std::int32_t BmpLoad(zor::HspScreen*, const char*, std::int32_t, std::uint8_t*);

namespace {

constexpr int kSide = 4096;

const std::string& File(int bits) {
  static std::string names[2];
  std::string& name = names[bits == 8 ? 0 : 1];
  if (name.empty()) {
    zt::DibSpec d;
    d.width = kSide;
    d.height = kSide;
    d.bits = static_cast<std::uint16_t>(bits);
    d.Fill();
    for (std::size_t i = 0; i < d.pixels.size(); ++i)
      d.pixels[i] = std::uint8_t(i * 2654435761u >> 13);
    name = "zb_bmp_" + std::to_string(bits) + ".bmp";
    std::string bytes = zt::MakeBmp(d);
    FILE* f = std::fopen(name.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return name;
}

// The fresh-buffer baseline: one read of the whole file into a fresh buffer
// and one memcpy of its pixel bytes into the screen's pixels. It pays the
// page faults of the fresh buffer, as a loader that allocates one would.
void ReadAndCopy(const std::string& name, zor::HspScreen* s, std::size_t screenBytes) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0x27, nullptr);
  DWORD size = GetFileSize(h, nullptr);
  auto* buf = static_cast<std::uint8_t*>(std::malloc(size));
  DWORD got = 0;
  ReadFile(h, buf, size, &got, nullptr);
  CloseHandle(h);
  std::memcpy(zor::HostPtr<void>(s->pixelBits), buf + (size - screenBytes), screenBytes);
  benchmark::DoNotOptimize(buf);
  std::free(buf);
}

// The fair limit: the same read into a buffer reused across calls (its
// pages already mapped), then the memcpy.
void ReadAndCopyReused(const std::string& name, zor::HspScreen* s, std::size_t screenBytes) {
  static std::vector<std::uint8_t> buf;
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0x27, nullptr);
  DWORD size = GetFileSize(h, nullptr);
  if (buf.size() < size) buf.resize(size);
  DWORD got = 0;
  ReadFile(h, buf.data(), size, &got, nullptr);
  CloseHandle(h);
  std::memcpy(zor::HostPtr<void>(s->pixelBits), buf.data() + (size - screenBytes), screenBytes);
  benchmark::DoNotOptimize(buf.data());
}

// Each iteration times the load and both baselines, interleaved so that
// machine noise hits all three alike; the reported time is the load's.
void Load(benchmark::State& state, int bits, bool palette) {
  const std::string& name = File(bits);
  static zt::TestScreen screens[2] = {{kSide, kSide, true}, {kSide, kSide, false}};
  zor::HspScreen* s = screens[palette ? 0 : 1];
  auto* pal = static_cast<std::uint8_t*>(zt::LowAlloc(768));
  std::size_t fileBytes = std::size_t(kSide) * kSide * (bits / 8);
  using Clock = std::chrono::steady_clock;
  using Seconds = std::chrono::duration<double>;
  double loadTime = 0, freshTime = 0, reusedTime = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    if (BmpLoad(s, name.c_str(), 0, pal) != 0) state.SkipWithError("BmpLoad failed");
    auto t1 = Clock::now();
    ReadAndCopy(name, s, fileBytes);
    auto t2 = Clock::now();
    ReadAndCopyReused(name, s, fileBytes);
    auto t3 = Clock::now();
    const double load = Seconds(t1 - t0).count();
    loadTime += load;
    freshTime += Seconds(t2 - t1).count();
    reusedTime += Seconds(t3 - t2).count();
    state.SetIterationTime(load);
  }
  state.counters["x_read_memcpy"] = loadTime / freshTime;
  state.counters["x_reused"] = loadTime / reusedTime;
  state.counters["Gpixel/s"] = benchmark::Counter(double(kSide) * kSide / 1e9,
                                                  benchmark::Counter::kIsIterationInvariantRate);
  state.SetBytesProcessed(state.iterations() * std::int64_t(fileBytes));
  zt::LowFree(pal, 768);
}

void BM_BmpLoad24To24(benchmark::State& state) { Load(state, 24, false); }
void BM_BmpLoad8ToPalette(benchmark::State& state) { Load(state, 8, true); }
void BM_BmpLoad8To24(benchmark::State& state) { Load(state, 8, false); }

void BM_ReadMemcpy24(benchmark::State& state) {
  static zt::TestScreen s(kSide, kSide, false);
  const std::string& name = File(24);
  for (auto _ : state) ReadAndCopy(name, s, std::size_t(kSide) * kSide * 3);
}

void BM_ReadMemcpyReused24(benchmark::State& state) {
  static zt::TestScreen s(kSide, kSide, false);
  const std::string& name = File(24);
  for (auto _ : state) ReadAndCopyReused(name, s, std::size_t(kSide) * kSide * 3);
}

BENCHMARK(BM_BmpLoad24To24)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_BmpLoad8ToPalette)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_BmpLoad8To24)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ReadMemcpy24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadMemcpyReused24)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
