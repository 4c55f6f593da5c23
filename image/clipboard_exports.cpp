// Text and bitmaps between script variables, the host screen and the
// clipboard (CF_TEXT and CF_DIB only). The clipboard is opened without an
// owner and closed before every return; blocks the clipboard accepted are
// never touched again.
#include <windows.h>

#include <cstring>

#include "host/capacity.h"
#include "host/export.h"
#include "image/byte_order.h"
#include "image/dib.h"

using namespace zor;

namespace {

constexpr UINT kBlockFlags = 0x2002;  // GMEM_MOVEABLE | GMEM_DDESHARE

// Hands a filled block to the clipboard as `format`; frees it when refused.
std::int32_t Offer(UINT format, HGLOBAL block) {
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return -2;
  }
  if (!EmptyClipboard()) {
    CloseClipboard();
    GlobalFree(block);
    return -2;
  }
  HANDLE accepted = SetClipboardData(format, block);
  CloseClipboard();
  if (accepted == nullptr) {
    GlobalFree(block);
    return -2;
  }
  return 0;
}

// The clipboard's block of one format, locked for reading while the
// clipboard is held open.
struct HeldBlock {
  HANDLE handle = nullptr;
  const std::uint8_t* bytes = nullptr;
  SIZE_T size = 0;
};

// Opens the clipboard and locks its block of `format`. Returns 0 with the
// clipboard open, or -1 (cannot open), -2 (no such format), -3 (empty block)
// or -4 (cannot lock) with the clipboard closed again.
std::int32_t HoldBlock(UINT format, HeldBlock* held) {
  if (!OpenClipboard(nullptr)) return -1;
  held->handle = GetClipboardData(format);
  std::int32_t status = 0;
  if (held->handle == nullptr) {
    status = -2;
  } else if ((held->size = GlobalSize(held->handle)) == 0) {
    status = -3;
  } else if ((held->bytes = static_cast<const std::uint8_t*>(GlobalLock(held->handle))) ==
             nullptr) {
    status = -4;
  }
  if (status != 0) CloseClipboard();
  return status;
}

void ReleaseBlock(const HeldBlock& held) {
  GlobalUnlock(held.handle);
  CloseClipboard();
}

}  // namespace

ZOR_EXPORT GetClipTxt(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type == kTypeInt) return kWrongTypeClip;
  // A row size of 0 leaves no room even for the terminator.
  if (!HasTextRoom(*var)) return 3;
  std::uint32_t limit = TextLimit(*var);
  HeldBlock held;
  if (std::int32_t status = HoldBlock(CF_TEXT, &held)) return status;
  SIZE_T n = held.size < limit ? held.size : limit;
  char* out = VarText(*var);
  for (SIZE_T i = 0; i < n; ++i) {
    out[i] = static_cast<char>(held.bytes[i]);
    if (held.bytes[i] == 0) break;
  }
  out[limit] = 0;
  ReleaseBlock(held);
  return 0;
}

ZOR_EXPORT Txt2Clip(HspVar* var, std::int32_t most, std::int32_t, std::int32_t) {
  if (var->type == kTypeInt) return kWrongTypeClip;
  if (!HasTextRoom(*var)) return 3;
  std::uint32_t limit = TextLimit(*var);
  if (most >= 1 && static_cast<std::uint32_t>(most) < limit)
    limit = static_cast<std::uint32_t>(most);
  const char* text = VarText(*var);
  std::size_t n = 0;
  while (n < limit && text[n] != 0) ++n;
  HGLOBAL block = GlobalAlloc(kBlockFlags, n + 1);
  if (block == nullptr) return -1;
  char* p = static_cast<char*>(GlobalLock(block));
  if (p == nullptr) {
    GlobalFree(block);
    return -1;
  }
  std::memcpy(p, text, n);
  p[n] = 0;
  GlobalUnlock(block);
  return Offer(CF_TEXT, block);
}

ZOR_EXPORT Dib2Clip(HspScreen* screen, std::int32_t, std::int32_t, std::int32_t) {
  bool palette = screen->paletteMode != 0;
  std::uint64_t b = palette ? 1 : 3;
  std::uint64_t screenRow = (b * static_cast<std::uint32_t>(screen->width) + 3) & ~std::uint64_t{3};
  std::uint64_t pixels = screen->height > 0 ? screenRow * std::uint64_t(screen->height) : 0;
  std::uint64_t table = palette ? 1024 : 0;
  std::uint64_t total = 40 + table + pixels + 4;
  if (screen->width < 0 || total > SIZE_T(~SIZE_T{0})) return -1;
  HGLOBAL block = GlobalAlloc(kBlockFlags, static_cast<SIZE_T>(total));
  if (block == nullptr) return -1;
  std::uint8_t* p = static_cast<std::uint8_t*>(GlobalLock(block));
  if (p == nullptr) {
    GlobalFree(block);
    return -1;
  }
  std::memcpy(p, HostPtr<const void>(screen->bitmapInfo), 40);
  if (palette) std::memcpy(p + 40, HostPtr<const void>(screen->colourTable), 1024);
  std::memcpy(p + 40 + table, HostPtr<const void>(screen->pixelBits),
              static_cast<std::size_t>(pixels));
  std::memset(p + 40 + table + pixels, 0, 4);  // the spare bytes
  GlobalUnlock(block);
  return Offer(CF_DIB, block);
}

ZOR_EXPORT GetClipDib(HspScreen* screen, std::int32_t x, std::int32_t y,
                      std::uint8_t* hostPalette) {
  if (x < 0 || x >= screen->width) x = 0;
  if (y < 0 || y >= screen->height) y = 0;
  HeldBlock held;
  if (std::int32_t status = HoldBlock(CF_DIB, &held)) return status;
  std::int32_t status = PlaceDib(screen, held.bytes, held.size, x, y, hostPalette);
  ReleaseBlock(held);
  return status;
}

ZOR_EXPORT GetClipInfo(HspVar* var, std::int32_t, std::int32_t, std::int32_t) {
  if (var->type != kTypeInt) return kWrongTypeClip;
  // Five elements are written; a smaller variable is refused untouched.
  if (ByteCapacity(*var) < 20) return 3;
  std::int32_t* out = VarInts(*var);
  out[0] = out[1] = out[2] = out[3] = 0;
  if (!OpenClipboard(nullptr)) return -1;
  int kind = IsClipboardFormatAvailable(CF_DIB) ? 2 : IsClipboardFormatAvailable(CF_TEXT) ? 1 : 0;
  out[0] = kind;
  if (kind == 0) {
    CloseClipboard();
    return 0;
  }
  HANDLE data = GetClipboardData(kind == 2 ? CF_DIB : CF_TEXT);
  SIZE_T size = data != nullptr ? GlobalSize(data) : 0;
  if (size == 0) {
    CloseClipboard();
    return -2;
  }
  out[1] = static_cast<std::int32_t>(size);
  if (kind == 1) {
    CloseClipboard();
    return 0;
  }
  if (size < 44) {
    CloseClipboard();
    return -3;
  }
  const std::uint8_t* h = static_cast<const std::uint8_t*>(GlobalLock(data));
  if (h == nullptr) {
    CloseClipboard();
    return -4;
  }
  const std::int32_t width = static_cast<std::int32_t>(ReadLe32(h + 4));
  const std::int32_t height = static_cast<std::int32_t>(ReadLe32(h + 8));
  const std::uint16_t bits = ReadLe16(h + 14);
  GlobalUnlock(data);
  CloseClipboard();
  out[3] = width;
  out[4] = height;
  out[2] = bits;
  return 0;
}
