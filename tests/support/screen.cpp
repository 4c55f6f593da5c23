#include "support/screen.h"

#include "support/zortest.h"

namespace zt {

constexpr std::size_t kInfoBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

TestScreen::TestScreen(int width, int height, bool paletteMode) {
  rec_ = static_cast<zor::HspScreen*>(LowAlloc(sizeof(zor::HspScreen)));
  info_ = static_cast<BITMAPINFO*>(LowAlloc(kInfoBytes));
  info_->bmiHeader = BITMAPINFOHEADER{
      sizeof(BITMAPINFOHEADER),     width, height, 1, WORD(paletteMode ? 8 : 24), BI_RGB, 0, 0, 0,
      DWORD(paletteMode ? 256 : 0), 0};
  RGBQUAD* table = info_->bmiColors;
  for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, info_, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ == nullptr || bitmap_ == nullptr || bits == nullptr) std::abort();
  oldBitmap_ = SelectObject(dc_, bitmap_);

  rec_->width = width;
  rec_->height = height;
  rec_->paletteMode = paletteMode ? 1 : 0;
  rec_->memoryDc = zor::ToHostAddr(dc_);
  rec_->pixelBits = zor::ToHostAddr(bits);
  rec_->bitmapInfo = zor::ToHostAddr(info_);
  rec_->colourTable = zor::ToHostAddr(table);
  rec_->clientWidth = width;
  rec_->clientHeight = height;
}

TestScreen::~TestScreen() {
  // The library leaves its last palette installed; the host would free it.
  if (rec_->palette != 0) {
    SelectPalette(dc_, reinterpret_cast<HPALETTE>(std::uintptr_t{rec_->previousPalette}), FALSE);
    DeleteObject(reinterpret_cast<HGDIOBJ>(std::uintptr_t{rec_->palette}));
  }
  SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
  LowFree(info_, kInfoBytes);
  LowFree(rec_, sizeof(zor::HspScreen));
}

std::vector<RGBQUAD> TestScreen::ColourTable() const {
  std::vector<RGBQUAD> t(256);
  UINT n = GetDIBColorTable(dc_, 0, 256, t.data());
  t.resize(n);
  return t;
}

std::vector<PALETTEENTRY> TestScreen::PaletteEntries(HPALETTE pal) {
  std::vector<PALETTEENTRY> e(256);
  UINT n = GetPaletteEntries(pal, 0, 256, e.data());
  e.resize(n);
  return e;
}

}  // namespace zt
