// gdi32 and the device-context part of user32: memory DCs, DIB sections,
// logical palettes and block transfers between DIB sections.
#pragma once

typedef DWORD COLORREF;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

typedef struct tagPALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
} PALETTEENTRY, *LPPALETTEENTRY;

typedef struct tagLOGPALETTE {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[1];
} LOGPALETTE, *LPLOGPALETTE;

#define RGB(r, g, b)                                                        \
  (static_cast<COLORREF>((BYTE)(r) | (static_cast<DWORD>((BYTE)(g)) << 8) | \
                         (static_cast<DWORD>((BYTE)(b)) << 16)))

#define BI_RGB 0u
#define BI_RLE8 1u
#define BI_RLE4 2u
#define BI_BITFIELDS 3u
#define DIB_RGB_COLORS 0u
#define SRCCOPY 0x00CC0020u
#define PC_NOCOLLAPSE 0x04
#define DEFAULT_PALETTE 15
#define OBJ_DC 3
#define OBJ_PAL 5
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10
#define GDI_ERROR 0xFFFFFFFFu
#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16
#define GetRValue(c) (static_cast<BYTE>(c))
#define GetGValue(c) (static_cast<BYTE>((c) >> 8))
#define GetBValue(c) (static_cast<BYTE>((c) >> 16))
#define COLOR_BACKGROUND 1
#define COLOR_DESKTOP 1
#define COLOR_BTNFACE 15
// user32: the classic scheme's colours for 0 to 30, 0 beyond.
ZOR_WIN32_API DWORD WINAPI GetSysColor(int index);
#define CLR_INVALID 0xFFFFFFFFu

ZOR_WIN32_API HDC WINAPI CreateCompatibleDC(HDC dc);
ZOR_WIN32_API BOOL WINAPI DeleteDC(HDC dc);
// Pixel memory lies below 4 GiB, so its address fits a host record field.
ZOR_WIN32_API HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage,
                                              void** bits, HANDLE section, DWORD offset);
ZOR_WIN32_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ obj);
ZOR_WIN32_API HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type);
ZOR_WIN32_API HGDIOBJ WINAPI GetStockObject(int which);
// An object still selected into a DC is deleted when it is deselected
// (Wine's behaviour); the call succeeds.
ZOR_WIN32_API BOOL WINAPI DeleteObject(HGDIOBJ obj);
ZOR_WIN32_API DWORD WINAPI GetObjectType(HGDIOBJ obj);
ZOR_WIN32_API HPALETTE WINAPI CreatePalette(const LOGPALETTE* log);
ZOR_WIN32_API UINT WINAPI GetPaletteEntries(HPALETTE pal, UINT start, UINT count,
                                            LPPALETTEENTRY entries);
ZOR_WIN32_API HPALETTE WINAPI SelectPalette(HDC dc, HPALETTE pal, BOOL background);
ZOR_WIN32_API UINT WINAPI RealizePalette(HDC dc);
ZOR_WIN32_API UINT WINAPI SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours);
ZOR_WIN32_API UINT WINAPI GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours);
ZOR_WIN32_API BOOL WINAPI BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1,
                                 DWORD rop);
ZOR_WIN32_API COLORREF WINAPI GetPixel(HDC dc, int x, int y);
ZOR_WIN32_API BOOL WINAPI StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int x1, int y1,
                                     int sw, int sh, DWORD rop);
// Fills the DC's area with the desktop colour (there is no wallpaper).
ZOR_WIN32_API BOOL WINAPI PaintDesktop(HDC dc);
ZOR_WIN32_API int WINAPI SetROP2(HDC dc, int mode);
ZOR_WIN32_API int WINAPI GetROP2(HDC dc);
// Display DCs: GetDC(NULL) draws on and reads from a screen surface of
// GetSystemMetrics size; GetDC(window) is that surface offset to the
// window's client origin and clipped to its client area (windows do not
// hide one another).
ZOR_WIN32_API HDC WINAPI GetDC(HWND window);
ZOR_WIN32_API int WINAPI ReleaseDC(HWND window, HDC dc);
