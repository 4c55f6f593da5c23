// winmm wave playback and user32 alert sounds: checked and recorded, never
// played aloud.
#include <windows.h>

#include <cstring>
#include <fstream>

namespace {

ZorStandinSound g_sound{};

std::uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
}

// A RIFF WAVE file whose chunks include "fmt " and "data".
bool IsWaveFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  char head[12];
  if (!in.read(head, sizeof head) || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool format = false;
  char chunk[8];
  while (in.read(chunk, sizeof chunk)) {
    if (std::memcmp(chunk, "fmt ", 4) == 0) format = Le32(chunk + 4) >= 16;
    if (std::memcmp(chunk, "data", 4) == 0) return format;
    in.seekg(Le32(chunk + 4) + (Le32(chunk + 4) & 1), std::ios::cur);
  }
  return false;
}

}  // namespace

ZOR_WIN32_API BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE, DWORD flags) {
  BOOL ok = FALSE;
  if (sound == nullptr) {
    ok = TRUE;
  } else if ((flags & SND_FILENAME) && !(flags & (SND_MEMORY | SND_ALIAS))) {
    ok = IsWaveFile(sound) ? TRUE : FALSE;
  }
  const char* name = sound == nullptr ? "" : sound;
  std::strncpy(g_sound.name, name, sizeof g_sound.name - 1);
  g_sound.name[sizeof g_sound.name - 1] = 0;
  g_sound.flags = flags;
  g_sound.result = ok;
  ++g_sound.plays;
  return ok;
}

ZOR_WIN32_API BOOL WINAPI MessageBeep(UINT type) {
  g_sound.beepType = type;
  ++g_sound.beeps;
  return TRUE;
}

ZOR_WIN32_API const ZorStandinSound* ZorStandinLastSound(void) { return &g_sound; }
