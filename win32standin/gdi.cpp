// gdi32 over plain memory: DIB sections in low memory, memory DCs that hold
// one bitmap and one palette, logical palettes, SRCCOPY block transfers.
#include <sys/mman.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "handles.h"

namespace {

enum class Kind { kDc, kBitmap, kPalette };

struct Dib {
  int width = 0;
  int height = 0;  // rows, always positive
  int bpp = 0;
  bool topDown = false;
  std::size_t stride = 0;
  std::uint8_t* bits = nullptr;
  std::size_t mapped = 0;
  int tableSize = 0;
  RGBQUAD table[256] = {};
};

struct Object {
  explicit Object(Kind k) : kind(k) {}
  Kind kind;
  bool stock = false;
  int selections = 0;  // DCs this object is selected into
  bool deletePending = false;
  // DC
  bool screen = false;  // a display DC (GetDC)
  // A display DC draws on the screen surface, offset to the window's client
  // origin and clipped to its client area.
  POINT origin{0, 0};
  RECT clip{0, 0, 0, 0};
  int rop2 = R2_COPYPEN;
  HGDIOBJ bitmap = nullptr;
  HGDIOBJ palette = nullptr;
  // bitmap
  Dib dib;
  // palette
  std::vector<PALETTEENTRY> entries;
};

// GDI handles: 0x20000000, 0x20000004, ... ; small, so they fit 32 bits.
constexpr std::uintptr_t kStockPalette = 0x1F000000;
constexpr std::uintptr_t kStockBitmap = 0x1F000004;
std::uintptr_t g_next = 0x20000000;
long g_dcRequests = 0;

std::map<std::uintptr_t, Object>& Objects() {
  static std::map<std::uintptr_t, Object> objects = [] {
    std::map<std::uintptr_t, Object> m;
    Object pal(Kind::kPalette);
    pal.stock = true;
    // The 20 static colours of the default palette.
    static constexpr BYTE kStatic[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    for (auto& c : kStatic) pal.entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
    m.emplace(kStockPalette, pal);
    Object bmp(Kind::kBitmap);
    bmp.stock = true;
    bmp.dib.width = 1;
    bmp.dib.height = 1;
    bmp.dib.bpp = 1;
    m.emplace(kStockBitmap, bmp);
    return m;
  }();
  return objects;
}

Object* Find(HANDLE h, Kind kind) {
  auto it = Objects().find(reinterpret_cast<std::uintptr_t>(h));
  if (it == Objects().end() || it->second.kind != kind) return nullptr;
  return &it->second;
}

HANDLE Add(Object o) {
  std::uintptr_t h = g_next;
  g_next += 4;
  Objects().emplace(h, std::move(o));
  ++zorw::LiveHandles();
  return reinterpret_cast<HANDLE>(h);
}

void Destroy(HGDIOBJ h) {
  auto it = Objects().find(reinterpret_cast<std::uintptr_t>(h));
  if (it == Objects().end() || it->second.stock) return;
  if (it->second.dib.bits != nullptr) munmap(it->second.dib.bits, it->second.dib.mapped);
  Objects().erase(it);
  --zorw::LiveHandles();
}

// Moves a DC's selection slot from one object to another, completing a
// pending deletion of the object that leaves.
void Reselect(HGDIOBJ& slot, HGDIOBJ next) {
  HGDIOBJ old = slot;
  slot = next;
  if (Object* n = Find(next, Find(next, Kind::kBitmap) ? Kind::kBitmap : Kind::kPalette)) {
    ++n->selections;
  }
  Object* o = Find(old, Find(old, Kind::kBitmap) ? Kind::kBitmap : Kind::kPalette);
  if (o != nullptr && --o->selections == 0 && o->deletePending) Destroy(old);
}

Dib* DcDib(HDC dc) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr || d->screen) return nullptr;
  Object* b = Find(d->bitmap, Kind::kBitmap);
  return b == nullptr || b->stock ? nullptr : &b->dib;
}

std::uint8_t* Row(const Dib& d, int y) {  // y counted from the top
  int r = d.topDown ? y : d.height - 1 - y;
  return d.bits + static_cast<std::size_t>(r) * d.stride;
}

RGBQUAD ReadPixel(const Dib& d, int x, int y) {
  const std::uint8_t* row = Row(d, y);
  auto entry = [&](int i) { return i < d.tableSize ? d.table[i] : RGBQUAD{0, 0, 0, 0}; };
  switch (d.bpp) {
    case 1:
      return entry((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
      return entry((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
    case 8:
      return entry(row[x]);
    case 16: {
      unsigned w = row[2 * x] | (row[2 * x + 1] << 8);
      auto e5 = [](unsigned v) { return static_cast<BYTE>((v << 3) | (v >> 2)); };
      return RGBQUAD{e5(w & 31), e5((w >> 5) & 31), e5((w >> 10) & 31), 0};
    }
    case 24:
      return RGBQUAD{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    default:
      return RGBQUAD{row[4 * x], row[4 * x + 1], row[4 * x + 2], 0};
  }
}

int Nearest(const Dib& d, RGBQUAD c) {
  int best = 0;
  long bestDist = -1;
  for (int i = 0; i < d.tableSize; ++i) {
    long dr = d.table[i].rgbRed - c.rgbRed, dg = d.table[i].rgbGreen - c.rgbGreen,
         db = d.table[i].rgbBlue - c.rgbBlue;
    long dist = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || dist < bestDist) {
      best = i;
      bestDist = dist;
    }
  }
  return best;
}

void WritePixel(Dib& d, int x, int y, RGBQUAD c, int index) {
  std::uint8_t* row = Row(d, y);
  switch (d.bpp) {
    case 1: {
      int i = index >= 0 && index < 2 ? index : Nearest(d, c);
      row[x >> 3] =
          static_cast<std::uint8_t>((row[x >> 3] & ~(0x80 >> (x & 7))) | (i << (7 - (x & 7))));
      break;
    }
    case 4: {
      int i = index >= 0 && index < 16 ? index : Nearest(d, c);
      int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & ~(15 << shift)) | (i << shift));
      break;
    }
    case 8:
      row[x] = static_cast<std::uint8_t>(index >= 0 ? index : Nearest(d, c));
      break;
    case 16: {
      unsigned w = ((c.rgbRed >> 3) << 10) | ((c.rgbGreen >> 3) << 5) | (c.rgbBlue >> 3);
      row[2 * x] = static_cast<std::uint8_t>(w);
      row[2 * x + 1] = static_cast<std::uint8_t>(w >> 8);
      break;
    }
    case 24:
      row[3 * x] = c.rgbBlue;
      row[3 * x + 1] = c.rgbGreen;
      row[3 * x + 2] = c.rgbRed;
      break;
    default:
      row[4 * x] = c.rgbBlue;
      row[4 * x + 1] = c.rgbGreen;
      row[4 * x + 2] = c.rgbRed;
      row[4 * x + 3] = 0;
      break;
  }
}

bool SameTable(const Dib& a, const Dib& b) {
  return a.bpp <= 8 && a.bpp == b.bpp && a.tableSize == b.tableSize &&
         std::memcmp(a.table, b.table, sizeof(RGBQUAD) * a.tableSize) == 0;
}

// The screen surface that display DCs draw on and read from, 32 bits per
// pixel, of the size GetSystemMetrics reports.
Dib& Surface() {
  static Dib d = [] {
    Dib s;
    s.width = GetSystemMetrics(SM_CXSCREEN);
    s.height = GetSystemMetrics(SM_CYSCREEN);
    s.bpp = 32;
    s.topDown = true;
    s.stride = static_cast<std::size_t>(s.width) * 4;
    s.mapped = s.stride * static_cast<std::size_t>(s.height);
    s.bits = static_cast<std::uint8_t*>(
        mmap(nullptr, s.mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    return s;
  }();
  return d;
}

// Where a DC's pixels are: a bitmap, or a window's part of the surface.
struct View {
  Dib* dib = nullptr;
  POINT origin{0, 0};
  RECT clip{0, 0, 0, 0};  // in the bitmap's coordinates
};

bool DcView(HDC dc, View* v) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr) return false;
  if (d->screen) {
    v->dib = &Surface();
    v->origin = d->origin;
    v->clip = d->clip;
  } else {
    v->dib = DcDib(dc);
    v->origin = {0, 0};
    v->clip = {0, 0, v->dib ? v->dib->width : 0, v->dib ? v->dib->height : 0};
  }
  return true;
}

bool Inside(const RECT& r, long long x, long long y) {
  return x >= r.left && y >= r.top && x < r.right && y < r.bottom;
}

// Copies w x h destination pixels from sw x sh source pixels, nearest
// neighbour; pixels outside either side's clip are left alone.
void Transfer(const View& t, int x, int y, int w, int h, const View& s, int x1, int y1, int sw,
              int sh) {
  if (t.dib == nullptr || s.dib == nullptr || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  bool indices = SameTable(*s.dib, *t.dib);
  for (long long j = 0; j < h; ++j) {
    long long dy = t.origin.y + y + j;
    long long sy = s.origin.y + y1 + j * sh / h;
    if (!Inside(t.clip, t.clip.left, dy) || !Inside(s.clip, s.clip.left, sy)) continue;
    for (long long i = 0; i < w; ++i) {
      long long dx = t.origin.x + x + i;
      long long sx = s.origin.x + x1 + i * sw / w;
      if (!Inside(t.clip, dx, dy) || !Inside(s.clip, sx, sy)) continue;
      int index = -1;
      if (indices) {
        const std::uint8_t* row = Row(*s.dib, int(sy));
        int px = int(sx);
        index = s.dib->bpp == 8   ? row[px]
                : s.dib->bpp == 4 ? (row[px >> 1] >> ((px & 1) ? 0 : 4)) & 15
                                  : (row[px >> 3] >> (7 - (px & 7))) & 1;
      }
      WritePixel(*t.dib, int(dx), int(dy), ReadPixel(*s.dib, int(sx), int(sy)), index);
    }
  }
}

}  // namespace

ZOR_WIN32_API long ZorStandinDcRequests(void) { return g_dcRequests; }

ZOR_WIN32_API HDC WINAPI CreateCompatibleDC(HDC dc) {
  if (dc != nullptr && Find(dc, Kind::kDc) == nullptr) return nullptr;
  Object o(Kind::kDc);
  o.bitmap = reinterpret_cast<HGDIOBJ>(kStockBitmap);
  o.palette = reinterpret_cast<HGDIOBJ>(kStockPalette);
  return Add(std::move(o));
}

ZOR_WIN32_API BOOL WINAPI DeleteDC(HDC dc) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr || d->screen) return FALSE;
  Reselect(d->bitmap, nullptr);
  Reselect(d->palette, nullptr);
  Destroy(dc);
  return TRUE;
}

ZOR_WIN32_API HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits,
                                              HANDLE section, DWORD) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || section != nullptr || usage != DIB_RGB_COLORS) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int bpp = h.biBitCount;
  bool bppOk = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
  if (h.biSize < 40 || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1 || !bppOk ||
      h.biCompression != BI_RGB || h.biHeight == static_cast<LONG>(0x80000000u)) {
    return nullptr;
  }
  Dib d;
  d.width = h.biWidth;
  d.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  d.topDown = h.biHeight < 0;
  d.bpp = bpp;
  std::uint64_t stride = ((static_cast<std::uint64_t>(d.width) * bpp + 31) / 32) * 4;
  std::uint64_t bytes = stride * static_cast<std::uint64_t>(d.height);
  if (bytes == 0 || bytes > (std::uint64_t{1} << 31)) return nullptr;
  d.stride = static_cast<std::size_t>(stride);
  d.mapped = static_cast<std::size_t>(bytes);
  void* p = mmap(nullptr, d.mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT,
                 -1, 0);
  if (p == MAP_FAILED) return nullptr;
  d.bits = static_cast<std::uint8_t*>(p);
  if (bpp <= 8) {
    int full = 1 << bpp;
    d.tableSize = h.biClrUsed != 0 && h.biClrUsed < static_cast<DWORD>(full)
                      ? static_cast<int>(h.biClrUsed)
                      : full;
    const RGBQUAD* src =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(info) + h.biSize);
    std::memcpy(d.table, src, sizeof(RGBQUAD) * d.tableSize);
  }
  Object o(Kind::kBitmap);
  o.dib = d;
  HANDLE handle = Add(std::move(o));
  if (bits != nullptr) *bits = p;
  return handle;
}

ZOR_WIN32_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ obj) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr) return nullptr;
  if (Object* b = Find(obj, Kind::kBitmap)) {
    // A bitmap lives in one memory DC at a time, and never in a display DC.
    if (d->screen || (b->selections > 0 && !b->stock && d->bitmap != obj)) return nullptr;
    HGDIOBJ old = d->bitmap;
    if (old != obj) Reselect(d->bitmap, obj);
    return old;
  }
  return nullptr;  // palettes go through SelectPalette
}

ZOR_WIN32_API HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr) return nullptr;
  if (type == OBJ_PAL) return d->palette;
  if (type == OBJ_BITMAP) return d->bitmap;
  return nullptr;
}

ZOR_WIN32_API HGDIOBJ WINAPI GetStockObject(int which) {
  return which == DEFAULT_PALETTE ? reinterpret_cast<HGDIOBJ>(kStockPalette) : nullptr;
}

ZOR_WIN32_API BOOL WINAPI DeleteObject(HGDIOBJ obj) {
  auto it = Objects().find(reinterpret_cast<std::uintptr_t>(obj));
  if (it == Objects().end() || it->second.kind == Kind::kDc) return FALSE;
  if (it->second.stock) return TRUE;
  if (it->second.selections > 0) {
    it->second.deletePending = true;
    return TRUE;
  }
  Destroy(obj);
  return TRUE;
}

ZOR_WIN32_API DWORD WINAPI GetObjectType(HGDIOBJ obj) {
  auto it = Objects().find(reinterpret_cast<std::uintptr_t>(obj));
  if (it == Objects().end() || it->second.deletePending) return 0;
  switch (it->second.kind) {
    case Kind::kDc:
      return it->second.screen ? OBJ_DC : OBJ_MEMDC;
    case Kind::kBitmap:
      return OBJ_BITMAP;
    default:
      return OBJ_PAL;
  }
}

ZOR_WIN32_API HPALETTE WINAPI CreatePalette(const LOGPALETTE* log) {
  if (log == nullptr || log->palVersion != 0x300 || log->palNumEntries == 0) return nullptr;
  Object o(Kind::kPalette);
  o.entries.assign(log->palPalEntry, log->palPalEntry + log->palNumEntries);
  return Add(std::move(o));
}

ZOR_WIN32_API UINT WINAPI GetPaletteEntries(HPALETTE pal, UINT start, UINT count,
                                            LPPALETTEENTRY entries) {
  Object* p = Find(pal, Kind::kPalette);
  if (p == nullptr) return 0;
  UINT n = static_cast<UINT>(p->entries.size());
  if (entries == nullptr) return n;
  if (start >= n) return 0;
  count = std::min(count, n - start);
  std::copy_n(p->entries.begin() + start, count, entries);
  return count;
}

ZOR_WIN32_API HPALETTE WINAPI SelectPalette(HDC dc, HPALETTE pal, BOOL) {
  Object* d = Find(dc, Kind::kDc);
  Object* p = Find(pal, Kind::kPalette);
  if (d == nullptr || p == nullptr || p->deletePending) return nullptr;
  HGDIOBJ old = d->palette;
  if (old != pal) Reselect(d->palette, pal);
  return old;
}

ZOR_WIN32_API UINT WINAPI RealizePalette(HDC dc) {
  // No palette device: nothing to map into a system palette.
  return Find(dc, Kind::kDc) == nullptr ? GDI_ERROR : 0;
}

ZOR_WIN32_API UINT WINAPI SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours) {
  Dib* d = DcDib(dc);
  if (d == nullptr || colours == nullptr || d->bpp > 8 || start >= UINT(d->tableSize)) return 0;
  count = std::min(count, UINT(d->tableSize) - start);
  std::memcpy(d->table + start, colours, sizeof(RGBQUAD) * count);
  return count;
}

ZOR_WIN32_API UINT WINAPI GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours) {
  Dib* d = DcDib(dc);
  if (d == nullptr || colours == nullptr || d->bpp > 8 || start >= UINT(d->tableSize)) return 0;
  count = std::min(count, UINT(d->tableSize) - start);
  std::memcpy(colours, d->table + start, sizeof(RGBQUAD) * count);
  return count;
}

ZOR_WIN32_API BOOL WINAPI BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1,
                                 DWORD rop) {
  View t, sv;
  if (!DcView(dst, &t) || !DcView(src, &sv) || rop != SRCCOPY) return FALSE;
  Transfer(t, x, y, cx, cy, sv, x1, y1, cx, cy);
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1,
                                     int sw, int sh, DWORD rop) {
  View t, sv;
  if (!DcView(dst, &t) || !DcView(src, &sv) || rop != SRCCOPY) return FALSE;
  Transfer(t, x, y, cx, cy, sv, x1, y1, sw, sh);
  return TRUE;
}

ZOR_WIN32_API BOOL WINAPI PaintDesktop(HDC dc) {
  View t;
  if (!DcView(dc, &t) || t.dib == nullptr) return FALSE;
  COLORREF c = GetSysColor(COLOR_DESKTOP);
  RGBQUAD q{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  for (long long y = t.clip.top; y < t.clip.bottom; ++y) {
    for (long long x = t.clip.left; x < t.clip.right; ++x)
      WritePixel(*t.dib, int(x), int(y), q, -1);
  }
  return TRUE;
}

ZOR_WIN32_API int WINAPI SetROP2(HDC dc, int mode) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr || mode < R2_BLACK || mode > R2_WHITE) return 0;
  int old = d->rop2;
  d->rop2 = mode;
  return old;
}

ZOR_WIN32_API int WINAPI GetROP2(HDC dc) {
  Object* d = Find(dc, Kind::kDc);
  return d == nullptr ? 0 : d->rop2;
}

ZOR_WIN32_API COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
  View v;
  if (!DcView(dc, &v) || v.dib == nullptr) return CLR_INVALID;
  long long px = v.origin.x + x, py = v.origin.y + y;
  if (!Inside(v.clip, px, py)) return CLR_INVALID;
  RGBQUAD c = ReadPixel(*v.dib, int(px), int(py));
  return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

ZOR_WIN32_API HDC WINAPI GetDC(HWND window) {
  ++g_dcRequests;
  Object o(Kind::kDc);
  o.screen = true;
  o.clip = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window != nullptr) {
    RECT client;
    POINT origin{0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin)) return nullptr;
    o.origin = origin;
    o.clip = {std::max(o.clip.left, origin.x), std::max(o.clip.top, origin.y),
              std::min(o.clip.right, origin.x + client.right),
              std::min(o.clip.bottom, origin.y + client.bottom)};
  }
  o.bitmap = nullptr;
  o.palette = reinterpret_cast<HGDIOBJ>(kStockPalette);
  return Add(std::move(o));
}

ZOR_WIN32_API int WINAPI ReleaseDC(HWND, HDC dc) {
  Object* d = Find(dc, Kind::kDc);
  if (d == nullptr || !d->screen) return 0;
  Reselect(d->palette, nullptr);
  Destroy(dc);
  return 1;
}
