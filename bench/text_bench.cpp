// CountChr and SearchStr scans over a 64 MiB variable of mixed ASCII and
// Shift-JIS text, each next to the C library's memchr-based counting and
// memmem on the same bytes, so that the ratios come from one run.
//
//   build/bench/bench/text_bench --benchmark_repetitions=5
//   (add --benchmark_report_aggregates_only=true for medians only)
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "text/byte_search.h"

namespace {

constexpr std::size_t kSize = std::size_t{64} << 20;

// Words of ASCII letters and runs of two-byte characters (kanji and kana),
// separated by spaces and line ends; a few '~' bytes for the rare count.
const std::vector<std::uint8_t>& Text() {
  static const std::vector<std::uint8_t> text = [] {
    std::vector<std::uint8_t> t;
    t.reserve(kSize);
    std::mt19937 rng(42);
    while (t.size() < kSize - 64) {
      const unsigned r = rng();
      const unsigned len = 2 + r % 9;
      if (r & 0x10000) {
        for (unsigned i = 0; i < len; ++i) t.push_back(static_cast<std::uint8_t>('a' + rng() % 26));
      } else {
        for (unsigned i = 0; i < len; ++i) {
          const unsigned c = rng();
          const std::uint8_t lead = (c & 1) ? 0x82 + (c >> 1) % 2 : 0x88 + (c >> 1) % 0x17;
          std::uint8_t trail = static_cast<std::uint8_t>(0x40 + (c >> 8) % 0xBD);
          if (trail == 0x7F) trail = 0x80;
          t.push_back(lead);
          t.push_back(trail);
        }
      }
      t.push_back((r & 0xF00000) == 0 ? '\n' : ' ');
      if ((r & 0xFFF00000) == 0) t.push_back('~');
    }
    t.resize(kSize, ' ');
    return t;
  }();
  return text;
}

// The patterns sit once, at the end of the buffer.
std::vector<std::uint8_t> TextEndingWith(const std::string& tail) {
  std::vector<std::uint8_t> t = Text();
  std::memcpy(t.data() + t.size() - tail.size(), tail.data(), tail.size());
  return t;
}

void CountChr(benchmark::State& state, std::uint8_t value) {
  const auto& t = Text();
  for (auto _ : state) benchmark::DoNotOptimize(zor::CountByte(t.data(), t.size(), value));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void MemchrCount(benchmark::State& state, std::uint8_t value) {
  const auto& t = Text();
  for (auto _ : state) {
    std::uint64_t n = 0;
    const std::uint8_t* p = t.data();
    const std::uint8_t* end = p + t.size();
    while (const void* hit = std::memchr(p, value, static_cast<std::size_t>(end - p))) {
      ++n;
      p = static_cast<const std::uint8_t*>(hit) + 1;
    }
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void SearchStr(benchmark::State& state, const std::string& pattern) {
  const auto t = TextEndingWith(pattern);
  const auto* pat = reinterpret_cast<const std::uint8_t*>(pattern.data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(zor::FindBytes(t.data(), 0, t.size(), pat, pattern.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void Memmem(benchmark::State& state, const std::string& pattern) {
  const auto t = TextEndingWith(pattern);
  for (auto _ : state) {
    benchmark::DoNotOptimize(memmem(t.data(), t.size(), pattern.data(), pattern.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

// Case-insensitive: the text holds the pattern in lower case, the search
// asks for it in upper case.
void SearchStrNoCase(benchmark::State& state, const std::string& pattern) {
  const auto t = TextEndingWith(pattern);
  std::string upper = pattern;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
  }
  std::vector<std::uint8_t> folded(upper.size());
  zor::FoldText(reinterpret_cast<const std::uint8_t*>(upper.data()), upper.size(), folded.data());
  for (auto _ : state) {
    benchmark::DoNotOptimize(zor::FindFolded(t.data(), 0, t.size(), folded.data(), folded.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

const std::string kAscii = "zorextss";
const std::string kSjis = "\x83\x65\x83\x58\x83\x67x";  // テスト x

BENCHMARK_CAPTURE(CountChr, newline, '\n')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemchrCount, newline, '\n')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountChr, rare, '~')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemchrCount, rare, '~')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchStr, ascii, kAscii)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Memmem, ascii, kAscii)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchStr, sjis, kSjis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Memmem, sjis, kSjis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchStrNoCase, ascii, kAscii)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchStrNoCase, sjis, kSjis)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
