// Tones, alert sounds, wave files, version texts and the about boxes. The
// stand-in records the tones and sounds it was asked for; under Wine only
// the statuses can be checked. Versions other than the running system's are
// set per program in Wine's registry and read by a child process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/ui.h"
#include "support/zortest.h"

namespace {

ZT_EXPORT(Bell, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(Bell2, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(PlayWave, zor::HspVar*, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(GetZorExtVer, std::int32_t, std::int32_t, std::int32_t, char*);
ZT_EXPORT(GetWinVerEx, std::int32_t, std::int32_t, std::int32_t, char*);
ZT_EXPORT(DizezOzozoz, std::int32_t, std::int32_t, std::int32_t, std::int32_t);
ZT_EXPORT(AboutMe, std::int32_t, std::int32_t, std::int32_t, std::int32_t);

using zt::HostVar;

// GetWinVerEx's text and its statuses for the selectors 0 to 7.
std::string VersionReport() {
  char text[64];
  std::string report;
  for (std::int32_t selector = 0; selector < 8; ++selector) {
    std::memset(text, 'x', sizeof text);
    report += std::to_string(GetWinVerEx(selector, 0, 0, text)) + " ";
  }
  return report + text;
}

#if defined(_WIN32)
// In the child that VersionUnderWine starts: write the report and end.
const bool kChild = [] {
  char out[MAX_PATH];
  if (GetEnvironmentVariableA("ZT_VERSION_REPORT", out, sizeof out) == 0) return false;
  std::ofstream(out) << VersionReport();
  std::fflush(nullptr);
  ExitProcess(0);
}();
#endif

TEST(Bell, ClampsFrequencyAndDuration) {
  struct {
    std::int32_t frequency, duration;
    DWORD played, lasted;
  } cases[] = {
      {20, 3, 37, 3},       {36, 1, 37, 1},       {37, 2, 37, 2},
      {40000, 1, 32767, 1}, {32768, 1, 32767, 1}, {-5, 1, 37, 1},
      {440, 0, 440, 1},     {440, -5, 440, 1},    {440, INT32_MIN, 440, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frequency << " Hz, " << c.duration << " ms");
    EXPECT_EQ(0, Bell(c.frequency, c.duration, 0, 0));
#if !defined(_WIN32)
    EXPECT_EQ(c.played, ZorStandinLastBeep()->frequency);
    EXPECT_EQ(c.lasted, ZorStandinLastBeep()->duration);
#endif
  }
#if !defined(_WIN32)
  // No upper limit on the duration (the stand-in does not wait).
  EXPECT_EQ(0, Bell(440, 600000, 0, 0));
  EXPECT_EQ(600000u, ZorStandinLastBeep()->duration);
#endif
}

TEST(Bell2, AlertSoundByIndex) {
  struct {
    std::int32_t index;
    UINT type;
  } cases[] = {
      {0, 0xFFFFFFFFu}, {1, 0x40}, {4, 0x20}, {5, 0x00}, {6, 0xFFFFFFFFu}, {-1, 0xFFFFFFFFu},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(0, Bell2(c.index, 0, 0, 0));
#if !defined(_WIN32)
    EXPECT_EQ(c.type, ZorStandinLastSound()->beepType);
#endif
  }
}

// A 44-byte header and four samples of silence: 8 kHz, mono, 8 bits.
std::string TinyWave() {
  auto le = [](std::uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
  };
  return "RIFF" + le(40, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
         le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(4, 4) + std::string(4, '\x80');
}

TEST(PlayWave, Statuses) {
  zt::WriteTempFile("zt_tiny.wav", TinyWave());
  zt::WriteTempFile("zt_text.wav", "not a wave file at all, only some text");
  HostVar number = HostVar::Ints(4);
  HostVar missing = zt::Strings({"zt_missing.wav"});
#if !defined(_WIN32)
  const int plays = ZorStandinLastSound()->plays;
#endif
  EXPECT_EQ(-255, PlayWave(number, 0, 0, 0));
#if defined(_WIN32)
  // The status follows the platform's own answer for the same call (Wine
  // starts an asynchronous sound before it opens the file, and says TRUE).
  BOOL direct = PlaySoundA("zt_missing.wav", nullptr, 0x22001);
  EXPECT_EQ(direct ? 0 : -1, PlayWave(missing, 0, 0, 0));
#else
  HostVar wave = zt::Strings({"zt_tiny.wav"}), text = zt::Strings({"zt_text.wav"});
  EXPECT_EQ(plays, ZorStandinLastSound()->plays);  // refused before playing
  EXPECT_EQ(-1, PlayWave(missing, 0, 0, 0));
  EXPECT_EQ(-1, PlayWave(text, 0, 0, 0));
  EXPECT_EQ(0, PlayWave(wave, 0, 0, 0));
  EXPECT_STREQ("zt_tiny.wav", ZorStandinLastSound()->name);
  EXPECT_EQ(0x22001u, ZorStandinLastSound()->flags);
  EXPECT_EQ(plays + 3, ZorStandinLastSound()->plays);
#endif
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));  // stop whatever plays
}

TEST(GetZorExtVer, TextAndNumber) {
  const std::int32_t args[][3] = {{0, 0, 0}, {1, 2, 3}, {-1, INT32_MAX, 7}};
  for (const auto& a : args) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(-262145, GetZorExtVer(a[0], a[1], a[2], buffer));
    EXPECT_EQ(std::string("0.401 Subset\0x", 14), std::string(buffer, 14));
  }
}

// Reported versions of other systems: on Linux set in the stand-in, under
// Wine per program in the registry, which a new process reads at start.
struct OtherSystem {
  const char* wineName;  // HKCU\Software\Wine\AppDefaults\<exe>\Version
  DWORD platform, major, minor;
  const char* report;
};
const OtherSystem kSystems[] = {
    {"win98", 1, 4, 10, "-1 -4 -10 0 -1 -4 -10 0 Windows 9x  ver. 4.10"},
    {"win31", 0, 3, 10, "-3 -3 -10 0 -3 -3 -10 0 Win32s  ver. 3.10"},
    {"nt40", 2, 4, 0, "-2 -4 0 0 -2 -4 0 0 Windows NT  ver. 4.0"},
    {nullptr, 3, 5, 1, "0 -5 -1 0 0 -5 -1 0 Unknown OS  ver. 5.1"},  // the stand-in only
};

#if defined(_WIN32)
std::string ReportOfChild(const char* version) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string base = std::string(exe).substr(std::string(exe).find_last_of("\\/") + 1);
  const std::string key = "Software\\Wine\\AppDefaults\\" + base;
  HKEY h = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                      nullptr) != ERROR_SUCCESS) {
    return "<no registry key>";
  }
  RegSetValueExA(h, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 static_cast<DWORD>(std::strlen(version) + 1));
  std::string report = zt::RunSelf("ZT_VERSION_REPORT", "");
  RegDeleteValueA(h, "Version");
  RegCloseKey(h);
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  return report;
}
#endif

TEST(GetWinVerEx, OtherSystems) {
  for (const OtherSystem& s : kSystems) {
    SCOPED_TRACE(s.report);
#if defined(_WIN32)
    if (s.wineName != nullptr) {
      EXPECT_EQ(s.report, ReportOfChild(s.wineName));
    }
#else
    ZorStandinSetVersion(s.platform, s.major, s.minor, 0);
    EXPECT_EQ(s.report, VersionReport());
    ZorStandinSetVersion(VER_PLATFORM_WIN32_NT, 6, 2, 9200);
#endif
  }
}

TEST(About, NoticesInMessageBoxes) {
  struct {
    std::int32_t(ZOR_CALL* show)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
    const char* caption;
  } cases[] = {{DizezOzozoz, "ZorExtSS"}, {AboutMe, "About ZorExtSS"}};
  for (const auto& c : cases) {
    // No SCOPED_TRACE beside the watchdog's thread: together they crash the
    // emulated Wine.
    zt::Watchdog watchdog(60, "an about box");
    zt::MessageBoxAnswer answer(IDOK);
    EXPECT_EQ(0, c.show(0, 0, 0, 0)) << c.caption;
    ASSERT_EQ(1, answer.count()) << c.caption;
    EXPECT_EQ(c.caption, answer.caption());
    EXPECT_EQ(0u, answer.text().find("ZorExtSS 0.401 Subset\n")) << answer.text();
    EXPECT_NE(std::string::npos, answer.text().find("Copyright")) << c.caption;
    EXPECT_EQ(nullptr, answer.owner_) << c.caption;
    EXPECT_TRUE(answer.HasButton(IDOK)) << c.caption;
    EXPECT_FALSE(answer.HasButton(IDCANCEL)) << c.caption;
  }
}

}  // namespace
