// winmm and user32: wave files and alert sounds.
#pragma once

#define SND_SYNC 0x00000000u
#define SND_ASYNC 0x00000001u
#define SND_NODEFAULT 0x00000002u
#define SND_MEMORY 0x00000004u
#define SND_LOOP 0x00000008u
#define SND_NOSTOP 0x00000010u
#define SND_PURGE 0x00000040u
#define SND_NOWAIT 0x00002000u
#define SND_ALIAS 0x00010000u
#define SND_FILENAME 0x00020000u
#define SND_RESOURCE 0x00040004u
#define MB_ICONHAND 0x00000010u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u

// Plays nothing aloud. With SND_FILENAME the file must be a RIFF WAVE file
// with a format and a data chunk, else FALSE (with SND_NODEFAULT no
// substitute is "played"); a null sound stops any sound and gives TRUE.
// Only file names are supported: other sources give FALSE.
ZOR_WIN32_API BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
// Records the sound type; TRUE.
ZOR_WIN32_API BOOL WINAPI MessageBeep(UINT type);

// ---- stand-in bookkeeping (not Win32): the last calls. ----
struct ZorStandinSound {
  char name[300];  // PlaySoundA: the sound name, "" for none
  DWORD flags;     // PlaySoundA: its flags
  BOOL result;     // PlaySoundA: what it returned
  int plays;       // PlaySoundA calls so far
  UINT beepType;   // MessageBeep: the last sound type
  int beeps;       // MessageBeep calls so far
};
ZOR_WIN32_API const ZorStandinSound* ZorStandinLastSound(void);
