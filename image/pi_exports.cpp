// The Pi exports: size queries, loads from a file or the memory source,
// the memory source and transparency settings, and the about box.
#include <windows.h>

#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "image/palette.h"
#include "image/pi_load.h"

using namespace zor;

namespace {

std::int32_t CheckSizeVar(const HspVar* var) {
  if (var->type != kTypeInt) return kWrongType;
  if (var->lengths[1] < 2) return kBadArg;
  return kOk;
}

// After a successful decode: the palette into the screen and the host
// palette (palette screens only), then the redraw unless flag bits 0-3 say
// otherwise.
std::int32_t FinishLoad(HspScreen* screen, std::int32_t flags, std::uint8_t* hostPalette) {
  const PiState& s = Pi();
  if (screen->paletteMode != 0) {
    std::uint8_t* table = HostPtr<std::uint8_t>(screen->colourTable);
    for (int i = 0; i < 256; ++i) {
      table[4 * i + 0] = s.header.palette[3 * i + 2];
      table[4 * i + 1] = s.header.palette[3 * i + 1];
      table[4 * i + 2] = s.header.palette[3 * i + 0];
    }
    std::memcpy(hostPalette, s.header.palette, kHostPaletteBytes);
    InstallPalette(screen, 256, hostPalette);
  }
  if ((flags & 0x0F) == 0) RedrawScreen(screen);
  return kOk;
}

std::int32_t Load(const char* name, HspScreen* screen, std::int32_t flags,
                  std::uint8_t* hostPalette, std::int32_t headerFailureBias) {
  PiState& s = Pi();
  const std::int32_t header = ReadPiHeader(name, s.size);
  if (header != 0) return header + headerFailureBias;
  if (s.size[0] < 3 || s.size[0] > kPiMaxWidth) return kFail;
  const std::int32_t status = LoadPiPicture(name, screen, flags);
  if (status < 0) return status;
  return FinishLoad(screen, flags, hostPalette);
}

}  // namespace

ZOR_EXPORT PiInfo(HspVar* var, const char* name, std::int32_t, std::int32_t) {
  const std::int32_t status = CheckSizeVar(var);
  if (status != kOk) return status;
  return ReadPiHeader(name, VarInts(*var));
}

ZOR_EXPORT PiInfoMem(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  const std::int32_t status = CheckSizeVar(var);
  if (status != kOk) return status;
  if (!PiMemorySet(Pi())) return kMissingSetting;
  return ReadPiHeader(nullptr, VarInts(*var));
}

ZOR_EXPORT SetPiMem(HspVar* var, std::int32_t clear, std::int32_t, std::int32_t) {
  if (var->lengths[1] == 0) return kBadArg;
  PiState& s = Pi();
  s.memory = HostPtr<const std::uint8_t>(var->data);
  s.memoryBytes = ByteCapacity(*var);
  if (clear != 0) {
    s.memory = nullptr;
    s.memoryBytes = 0;
  }
  return kOk;
}

ZOR_EXPORT PiLoad(HspScreen* screen, const char* name, std::int32_t flags,
                  std::uint8_t* hostPalette) {
  PiState& s = Pi();
  s.memory = nullptr;
  s.memoryBytes = 0;
  // Header failures shift down by one: -2 bad header, -3 unreadable file.
  return Load(name, screen, flags, hostPalette, -1);
}

ZOR_EXPORT PiLoadMem(HspScreen* screen, std::int32_t flags, std::int32_t,
                     std::uint8_t* hostPalette) {
  if (!PiMemorySet(Pi())) return kFail;
  return Load(nullptr, screen, flags, hostPalette, -1);
}

ZOR_EXPORT PiTransColour(std::int32_t value, std::int32_t enable, std::int32_t corner,
                         std::int32_t) {
  PiState& s = Pi();
  s.transparent = (value >= 0 && value <= 384) ? value : -1;
  if (corner >= 1 && corner <= 4) s.cornerMode = corner;
  if (enable == 0) {
    s.transparent = -1;
    s.cornerMode = 0;
  }
  return kOk;
}

ZOR_EXPORT PiDllAbout(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  MessageBoxA(nullptr,
              "ZorExtSS Pi loader\n"
              "Copyright (C) the ZorExtSS authors. All rights reserved.\n\n"
              "The Pi image format was designed by Yanagisawa.",
              "About the Pi loader", MB_OK | MB_ICONINFORMATION);
  return kOk;
}
