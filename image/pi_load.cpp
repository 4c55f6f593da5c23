// Pi sources and the load itself. Files are read once for the header and
// then again in 65,536-byte chunks for the stream; the memory source is
// read in place.
#include "image/pi_load.h"

#include <windows.h>

#include <memory>

#include "image/pi_place.h"

namespace zor {

PiState& Pi() {
  static PiState state{{}, {0, 0}, nullptr, 0, -1, 0};
  return state;
}

namespace {

HANDLE OpenPiFile(const char* name) {
  return CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The file's chunks, one at a time, into one buffer.
struct FileChunks {
  HANDLE file;
  std::uint8_t* buffer;
  bool lastWasFull;
};

bool ReadChunk(FileChunks& f, DWORD* got) {
  *got = 0;
  if (!ReadFile(f.file, f.buffer, static_cast<DWORD>(kPiChunkBytes), got, nullptr)) return false;
  f.lastWasFull = *got == kPiChunkBytes;
  return true;
}

bool NextChunk(void* context, const std::uint8_t** data, std::size_t* size) {
  FileChunks& f = *static_cast<FileChunks*>(context);
  DWORD got = 0;
  if (!f.lastWasFull || !ReadChunk(f, &got) || got == 0) return false;
  *data = f.buffer;
  *size = got;
  return true;
}

std::int32_t DecodeFile(const char* name, PiPixels* out) {
  PiState& s = Pi();
  HANDLE file = OpenPiFile(name);
  if (file == INVALID_HANDLE_VALUE) return -1;
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kPiChunkBytes]);
  if (!buffer) {
    CloseHandle(file);
    return kPiNoMemory;
  }
  FileChunks chunks{file, buffer.get(), false};
  DWORD got = 0;
  std::int32_t status = kPiNoStream;
  if (ReadChunk(chunks, &got) && got != 0) {
    const std::size_t offset = s.header.dataOffset < got ? s.header.dataOffset : got;
    PiByteSource source{buffer.get() + offset, got - offset, NextChunk, &chunks};
    status = DecodePiStream(source, s.size[0], s.size[1], s.header.colourCount, out);
  }
  CloseHandle(file);
  return status;
}

std::int32_t DecodeMemory(PiPixels* out) {
  PiState& s = Pi();
  if (!PiMemorySet(s)) return -1;
  const std::size_t offset =
      s.header.dataOffset < s.memoryBytes ? s.header.dataOffset : s.memoryBytes;
  PiByteSource source{s.memory + offset, s.memoryBytes - offset, nullptr, nullptr};
  return DecodePiStream(source, s.size[0], s.size[1], s.header.colourCount, out);
}

}  // namespace

std::int32_t ReadPiHeader(const char* name, std::int32_t* size) {
  PiState& s = Pi();
  s.header.colourCount = 0;
  if (name == nullptr) {
    const std::size_t n = s.memoryBytes < kPiChunkBytes ? s.memoryBytes : kPiChunkBytes;
    return ParsePiHeader(s.memory, n, &s.header, size);
  }
  size[0] = -1;
  size[1] = -1;
  HANDLE file = OpenPiFile(name);
  if (file == INVALID_HANDLE_VALUE) return kPiReadFailed;
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kPiChunkBytes]);
  DWORD got = 0;
  const bool read =
      buffer && ReadFile(file, buffer.get(), static_cast<DWORD>(kPiChunkBytes), &got, nullptr);
  const bool closed = CloseHandle(file) != 0;
  if (!read || !closed) return kPiReadFailed;
  return ParsePiHeader(buffer.get(), got, &s.header, size);
}

std::int32_t LoadPiPicture(const char* name, HspScreen* screen, std::int32_t flags) {
  PiState& s = Pi();
  PiPixels pixels;
  const std::int32_t status = name != nullptr ? DecodeFile(name, &pixels) : DecodeMemory(&pixels);
  if (status != 0) return status;

  s.transparent =
      PiCornerValue(pixels.picture, pixels.width, pixels.height, s.cornerMode, s.transparent);
  bool mask[256];
  const bool any = PiTransparentMask(s.transparent, screen->currentColour, s.header.palette, mask);

  const bool atCurrent = (flags & 0xF0) != 0;
  const PiSurface surface{HostPtr<std::uint8_t>(screen->pixelBits), screen->width, screen->height,
                          screen->paletteMode != 0 ? 1 : 3};
  PlacePiPicture(pixels.picture, pixels.width, pixels.height, surface,
                 atCurrent ? screen->currentX : 0, atCurrent ? screen->currentY : 0,
                 any ? mask : nullptr, s.header.palette);
  return 0;
}

}  // namespace zor
