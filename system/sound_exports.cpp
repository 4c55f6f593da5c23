// Tones, the system's alert sounds and wave files.
#include <windows.h>

#include "host/capacity.h"
#include "host/export.h"

using namespace zor;

namespace {

// MessageBeep's sound types by Bell2 index: the simple beep,
// MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONQUESTION, MB_OK.
constexpr UINT kAlertSounds[] = {0xFFFFFFFFu, 0x40, 0x30, 0x10, 0x20, 0x00};

constexpr std::int32_t kLowestTone = 37;
constexpr std::int32_t kHighestTone = 32767;
constexpr DWORD kWaveFlags = 0x22001;  // SND_FILENAME | SND_NODEFAULT | SND_ASYNC

}  // namespace

ZOR_EXPORT Bell(std::int32_t frequency, std::int32_t duration, std::int32_t, std::int32_t) {
  if (frequency < kLowestTone) frequency = kLowestTone;
  if (frequency > kHighestTone) frequency = kHighestTone;
  if (duration < 1) duration = 1;
  Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(duration));
  return kOk;
}

ZOR_EXPORT Bell2(std::int32_t index, std::int32_t, std::int32_t, std::int32_t) {
  constexpr std::int32_t kCount = sizeof kAlertSounds / sizeof kAlertSounds[0];
  MessageBeep(kAlertSounds[index >= 0 && index < kCount ? index : 0]);
  return kOk;
}

ZOR_EXPORT PlayWave(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type != kTypeString) return kRefused;
  return PlaySoundA(VarText(*var), nullptr, kWaveFlags) ? kOk : kFail;
}
