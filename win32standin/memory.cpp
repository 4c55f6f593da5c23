// kernel32 global memory: moveable blocks behind small integer handles.
#include <sys/mman.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "handles.h"
#include "memory_blocks.h"

namespace {

// Handles 0x30000000, 0x30000004, ... ; small, so they fit 32 bits.
std::uintptr_t g_next = 0x30000000;

// Never destroyed: blocks the clipboard still holds at exit stay reachable.
std::map<std::uintptr_t, zorw::Block>& Blocks() {
  static auto* blocks = new std::map<std::uintptr_t, zorw::Block>;
  return *blocks;
}

}  // namespace

namespace zorw {

Block* FindBlock(HGLOBAL h) {
  auto it = Blocks().find(reinterpret_cast<std::uintptr_t>(h));
  return it == Blocks().end() ? nullptr : &it->second;
}

void ReleaseBlock(HGLOBAL h) {
  auto it = Blocks().find(reinterpret_cast<std::uintptr_t>(h));
  if (it == Blocks().end()) return;
  std::free(it->second.data);
  // Locks still held count as released with the block.
  LiveHandles() -= it->second.locks + (it->second.clipboard ? 0 : 1);
  Blocks().erase(it);
}

}  // namespace zorw

ZOR_WIN32_API HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > (SIZE_T{1} << 31)) {
    SetLastError(8);  // ERROR_NOT_ENOUGH_MEMORY
    return nullptr;
  }
  zorw::Block b;
  b.size = bytes;
  if (bytes > 0) {
    b.data = static_cast<std::uint8_t*>(std::malloc(bytes));
    if (b.data == nullptr) {
      SetLastError(8);
      return nullptr;
    }
    if (flags & GMEM_ZEROINIT) std::memset(b.data, 0, bytes);
  }
  std::uintptr_t h = g_next;
  g_next += 4;
  Blocks().emplace(h, b);
  ++zorw::LiveHandles();
  return reinterpret_cast<HGLOBAL>(h);
}

ZOR_WIN32_API LPVOID WINAPI GlobalLock(HGLOBAL mem) {
  zorw::Block* b = zorw::FindBlock(mem);
  if (b == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (b->data == nullptr) return nullptr;  // a block of 0 bytes is discarded
  ++b->locks;
  ++zorw::LiveHandles();  // every lock must be matched by an unlock
  return b->data;
}

ZOR_WIN32_API BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
  zorw::Block* b = zorw::FindBlock(mem);
  if (b == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (b->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  --b->locks;
  --zorw::LiveHandles();
  SetLastError(0);
  return b->locks > 0;
}

ZOR_WIN32_API SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
  zorw::Block* b = zorw::FindBlock(mem);
  if (b == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return b->size;
}

ZOR_WIN32_API HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
  zorw::Block* b = zorw::FindBlock(mem);
  if (b == nullptr || b->clipboard) {
    // A block the clipboard owns is not the caller's to free.
    SetLastError(ERROR_INVALID_HANDLE);
    return mem;
  }
  zorw::ReleaseBlock(mem);
  return nullptr;
}

// VirtualAlloc: the block's size sits in a header page before it, so that
// VirtualFree can unmap it whole.
ZOR_WIN32_API LPVOID WINAPI VirtualAlloc(LPVOID, SIZE_T bytes, DWORD, DWORD) {
  const std::size_t page = 4096, total = page + ((bytes + page - 1) & ~(page - 1));
  void* p =
      mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (p == MAP_FAILED) {
    SetLastError(8);  // ERROR_NOT_ENOUGH_MEMORY
    return nullptr;
  }
  *static_cast<std::size_t*>(p) = total;
  return static_cast<char*>(p) + page;
}

ZOR_WIN32_API BOOL WINAPI VirtualFree(LPVOID address, SIZE_T, DWORD) {
  if (address == nullptr) return FALSE;
  char* base = static_cast<char*>(address) - 4096;
  return munmap(base, *reinterpret_cast<std::size_t*>(base)) == 0;
}
