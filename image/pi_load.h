// Pi loading: the module-level Pi state, the file and memory sources, and a
// whole load (decode, then place into the host screen).
#pragma once

#include <cstdint>

#include "host/host_records.h"
#include "image/pi_decode.h"
#include "image/pi_header.h"

namespace zor {

struct PiState {
  PiHeader header;             // from the last header read
  std::int32_t size[2];        // the library's own width and height
  const std::uint8_t* memory;  // Pi memory source, borrowed from a variable
  std::uint32_t memoryBytes;
  std::int32_t transparent;  // -1 none, 0-255 index, 256-384 colour distance
  std::int32_t cornerMode;   // 0 none, 1-4 a corner of each picture
};

PiState& Pi();

inline bool PiMemorySet(const PiState& s) { return s.memory != nullptr && s.memoryBytes != 0; }

// Header of a file (name) or of the memory source (name null). 0, -1 for a
// bad header, -2 when the file cannot be opened, read or closed.
std::int32_t ReadPiHeader(const char* name, std::int32_t* size);

// Decodes the picture whose header was just read into Pi().size and places
// it into the screen; flag bits 4 to 7 place it at the current position.
// 0, or -1 (file cannot be reopened, no memory source), -2 (first chunk or
// initial colours missing), kPiNoMemory.
std::int32_t LoadPiPicture(const char* name, HspScreen* screen, std::int32_t flags);

}  // namespace zor
