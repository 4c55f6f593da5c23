// kernel32: locale mapping. The stand-in models a Japanese user locale:
// LCID 0x411, ANSI code page 932 (Shift-JIS as Windows extends it).
#pragma once

#define LCMAP_LOWERCASE 0x00000100u
#define LCMAP_UPPERCASE 0x00000200u
#define LCMAP_HIRAGANA 0x00100000u
#define LCMAP_KATAKANA 0x00200000u
#define LCMAP_HALFWIDTH 0x00400000u
#define LCMAP_FULLWIDTH 0x00800000u
#define LOCALE_USER_DEFAULT 0x0400u
#define LOCALE_SYSTEM_DEFAULT 0x0800u
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87u
#endif
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122u
#endif
#ifndef ERROR_INVALID_FLAGS
#define ERROR_INVALID_FLAGS 1004u
#endif

ZOR_WIN32_API LCID WINAPI GetUserDefaultLCID(void);
// Maps code page 932 text with the flags above (width, kana, case; any
// locale maps as the Japanese one). Returns the bytes written, or with
// destSize 0 the bytes needed; 0 on failure: ERROR_INVALID_FLAGS for
// unknown or conflicting flags, ERROR_INSUFFICIENT_BUFFER when the result
// does not fit (the characters that fit are written), ERROR_INVALID_PARAMETER
// for a missing source, a source length of 0 or a negative destSize.
ZOR_WIN32_API int WINAPI LCMapStringA(LCID locale, DWORD flags, LPCSTR src, int srcLen, LPSTR dest,
                                      int destSize);

#define CP_ACP 0u
#define MB_PRECOMPOSED 0x00000001u
// Converts code page 932 text (CP_ACP, or 932 itself) to UTF-16; a byte pair
// without a character becomes U+30FB. srcLen -1 converts up to and with the
// terminator. Returns the characters written, or with destSize 0 the number
// needed; 0 on failure: ERROR_INVALID_PARAMETER (no source, srcLen 0, another
// code page, destSize below 0), ERROR_INVALID_FLAGS (flags other than
// MB_PRECOMPOSED), ERROR_INSUFFICIENT_BUFFER (the characters that fit are
// written, without a terminator).
ZOR_WIN32_API int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLen,
                                             LPWSTR dest, int destSize);
