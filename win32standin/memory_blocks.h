// Global memory blocks, shared between global memory and the clipboard.
#pragma once

#include <windows.h>

namespace zorw {

struct Block {
  std::uint8_t* data = nullptr;
  std::size_t size = 0;
  int locks = 0;
  bool clipboard = false;  // owned by the clipboard: no longer counted as live
};

Block* FindBlock(HGLOBAL h);
// Frees the block whoever owns it.
void ReleaseBlock(HGLOBAL h);

}  // namespace zorw
