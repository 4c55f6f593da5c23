// Palette installation and window redraw.
#include "image/palette.h"

#include <cstdlib>

namespace zor {

namespace {

constexpr std::size_t kLogPaletteBlock = 2048;  // room for 511 entries
constexpr BYTE kNoCollapse = 4;                 // PC_NOCOLLAPSE

HDC ScreenDc(const HspScreen* s) { return HostHandle<HDC>(s->memoryDc); }

}  // namespace

void InstallPalette(HspScreen* screen, int count, const std::uint8_t* rgb) {
  HDC dc = ScreenDc(screen);
  if (screen->palette != 0) {
    SelectPalette(dc, HostHandle<HPALETTE>(screen->previousPalette), TRUE);
    DeleteObject(HostHandle<HGDIOBJ>(screen->palette));
  }
  if (count > 256) count = 256;  // the colour table's size
  if (screen->paletteMode != 0) {
    RGBQUAD* table = HostPtr<RGBQUAD>(screen->colourTable);
    for (int i = 0; i < count; ++i) {
      table[i] = RGBQUAD{rgb[3 * i + 2], rgb[3 * i + 1], rgb[3 * i], 0};
    }
    SetDIBColorTable(dc, 0, static_cast<UINT>(count), table);
  }
  void* block = std::malloc(kLogPaletteBlock);
  if (block == nullptr) {
    // Nothing installed: the old palette is gone, so forget it.
    screen->palette = 0;
    screen->previousPalette = 0;
    return;
  }
  LOGPALETTE* log = static_cast<LOGPALETTE*>(block);
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(count);
  PALETTEENTRY* entries = log->palPalEntry;
  for (int i = 0; i < count; ++i) {
    entries[i] = PALETTEENTRY{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], kNoCollapse};
  }
  HPALETTE pal = CreatePalette(log);
  screen->palette = HandleAddr(pal);
  screen->previousPalette = HandleAddr(SelectPalette(dc, pal, TRUE));
  std::free(block);
  screen->paletteCount = count;
}

void RedrawScreen(HspScreen* screen) {
  if (screen->redrawMode == 0) return;
  HWND window = HostHandle<HWND>(screen->window);
  HDC dc = GetDC(window);
  PaintScreen(dc, screen);
  ReleaseDC(window, dc);
}

void PaintScreen(HDC dc, HspScreen* screen) {
  HPALETTE pal = HostHandle<HPALETTE>(screen->palette);
  HPALETTE before = nullptr;
  if (pal != nullptr) {
    before = SelectPalette(dc, pal, FALSE);
    RealizePalette(dc);
  }
  if (screen->screenType != 2) {
    BitBlt(dc, 0, 0, screen->clientWidth, screen->clientHeight, ScreenDc(screen), screen->scrollX,
           screen->scrollY, SRCCOPY);
  }
  if (pal != nullptr) SelectPalette(dc, before, FALSE);
}

}  // namespace zor
