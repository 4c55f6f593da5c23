// kernel32 locale mapping for a Japanese user locale. Text is decoded from
// code page 932 with glibc's converter, mapped as UTF-32 with the width,
// kana and case rules of LCMapString, and encoded back the same way.
#include <iconv.h>
#include <locale.h>
#include <wctype.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "codepage.h"

namespace {

constexpr LCID kJapanese = 0x411;
constexpr char32_t kMiddleDot = 0x30FB;  // what Windows decodes a broken character to
constexpr char32_t kVoicedMark = 0xFF9E;
constexpr char32_t kSemiVoicedMark = 0xFF9F;

// ---- code page 932 <-> UTF-32 ----

struct Converters {
  iconv_t decode;
  iconv_t encode;
};

Converters& Cp932() {
  static Converters c{iconv_open("UTF-32LE", "CP932"), iconv_open("CP932", "UTF-32LE")};
  return c;
}

// Converts one whole character with cd; false when it has no mapping.
bool Convert(iconv_t cd, const void* in, std::size_t inBytes, void* out, std::size_t outCap,
             std::size_t* outBytes) {
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(static_cast<const char*>(in));
  char* dst = static_cast<char*>(out);
  std::size_t left = inBytes, room = outCap;
  if (iconv(cd, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) || left != 0) {
    return false;
  }
  *outBytes = outCap - room;
  return true;
}

// Lead bytes of code page 932 itself (0xFD-0xFF are single bytes there).
bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Single bytes that Windows maps although glibc's table leaves them out.
constexpr struct {
  unsigned char byte;
  char32_t code;
} kExtraSingles[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

std::u32string Decode(const unsigned char* s, std::size_t n) {
  std::u32string text;
  for (std::size_t i = 0; i < n;) {
    // A lead byte pairs with the next byte unless that is the terminator;
    // a pair or lead byte without a mapping becomes one middle dot.
    const std::size_t unit = (IsCp932Lead(s[i]) && i + 1 < n && s[i + 1] != 0) ? 2 : 1;
    char32_t c[2];
    std::size_t bytes = 0;
    if (Convert(Cp932().decode, s + i, unit, c, sizeof c, &bytes) && bytes == 4) {
      text.push_back(c[0]);
    } else {
      char32_t code = kMiddleDot;
      for (const auto& e : kExtraSingles) {
        if (unit == 1 && e.byte == s[i]) code = e.code;
      }
      text.push_back(code);
    }
    i += unit;
  }
  return text;
}

// Appends the code page 932 bytes of c; '?' for a character it lacks.
void EncodeChar(char32_t c, std::string* out) {
  for (const auto& e : kExtraSingles) {
    if (e.code == c) {
      out->push_back(static_cast<char>(e.byte));
      return;
    }
  }
  char bytes[4];
  std::size_t n = 0;
  if (Convert(Cp932().encode, &c, sizeof c, bytes, sizeof bytes, &n) && n > 0) {
    out->append(bytes, n);
  } else {
    out->push_back('?');
  }
}

// ---- width ----

// Half-width katakana block U+FF61-FF9F against the full-width forms, as
// runs: half-width codes first..last map to full, full + step, ...
struct KanaRun {
  char16_t first, last;
  char16_t full;
  char16_t step;
};
constexpr KanaRun kKanaRuns[] = {
    {0xFF61, 0xFF61, 0x3002, 1},  // 。
    {0xFF62, 0xFF63, 0x300C, 1},  // 「」
    {0xFF64, 0xFF64, 0x3001, 1},  // 、
    {0xFF65, 0xFF65, 0x30FB, 1},  // ・
    {0xFF66, 0xFF66, 0x30F2, 1},  // ヲ
    {0xFF67, 0xFF6B, 0x30A1, 2},  // ァィゥェォ
    {0xFF6C, 0xFF6E, 0x30E3, 2},  // ャュョ
    {0xFF6F, 0xFF6F, 0x30C3, 1},  // ッ
    {0xFF70, 0xFF70, 0x30FC, 1},  // ー
    {0xFF71, 0xFF75, 0x30A2, 2},  // アイウエオ
    {0xFF76, 0xFF81, 0x30AB, 2},  // カ..チ
    {0xFF82, 0xFF84, 0x30C4, 2},  // ツテト
    {0xFF85, 0xFF89, 0x30CA, 1},  // ナ..ノ
    {0xFF8A, 0xFF8E, 0x30CF, 3},  // ハヒフヘホ
    {0xFF8F, 0xFF93, 0x30DE, 1},  // マ..モ
    {0xFF94, 0xFF96, 0x30E4, 2},  // ヤユヨ
    {0xFF97, 0xFF9B, 0x30E9, 1},  // ラ..ロ
    {0xFF9C, 0xFF9C, 0x30EF, 1},  // ワ
    {0xFF9D, 0xFF9D, 0x30F3, 1},  // ン
    {0xFF9E, 0xFF9F, 0x309B, 1},  // ゛゜
};

// Composed letters whose half-width form is a letter and a voiced mark
// outside the regular runs.
constexpr struct {
  char16_t half;
  char16_t full;
} kVoicedExtras[] = {{0xFF73, 0x30F4}, {0xFF9C, 0x30F7}, {0xFF66, 0x30FA}};  // ヴ ヷ ヺ

char32_t FullKana(char32_t half) {
  for (const KanaRun& r : kKanaRuns) {
    if (half >= r.first && half <= r.last) return r.full + (half - r.first) * r.step;
  }
  return 0;
}

char32_t HalfKana(char32_t full) {
  for (const KanaRun& r : kKanaRuns) {
    if (full < r.full) continue;
    const char32_t k = (full - r.full) / r.step;
    if ((full - r.full) % r.step == 0 && k <= char32_t(r.last - r.first)) return r.first + k;
  }
  return 0;
}

bool TakesVoiced(char32_t half) {
  return (half >= 0xFF76 && half <= 0xFF84) || (half >= 0xFF8A && half <= 0xFF8E);
}
bool TakesSemiVoiced(char32_t half) { return half >= 0xFF8A && half <= 0xFF8E; }

std::u32string ToFullWidth(const std::u32string& in) {
  std::u32string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char32_t c = in[i];
    const char32_t next = i + 1 < in.size() ? in[i + 1] : 0;
    if (c == 0x20) {
      out.push_back(0x3000);
    } else if (c >= 0x21 && c <= 0x7E) {
      out.push_back(c + 0xFEE0);
    } else if (char32_t full = FullKana(c)) {
      // A letter followed by a voiced or semi-voiced mark becomes one letter.
      char32_t composed = 0;
      if (next == kVoicedMark && TakesVoiced(c)) composed = full + 1;
      if (next == kSemiVoicedMark && TakesSemiVoiced(c)) composed = full + 2;
      for (const auto& e : kVoicedExtras) {
        if (next == kVoicedMark && e.half == c) composed = e.full;
      }
      if (composed != 0) ++i;
      out.push_back(composed != 0 ? composed : full);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u32string ToHalfWidth(const std::u32string& in) {
  std::u32string out;
  for (char32_t c : in) {
    if (c == 0x3000) {
      out.push_back(0x20);
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
      out.push_back(c - 0xFEE0);
    } else if (char32_t half = HalfKana(c)) {
      out.push_back(half);
    } else if (char32_t base = HalfKana(c - 1); base != 0 && TakesVoiced(base)) {
      out += {base, kVoicedMark};
    } else if (char32_t base2 = HalfKana(c - 2); base2 != 0 && TakesSemiVoiced(base2)) {
      out += {base2, kSemiVoicedMark};
    } else {
      bool done = false;
      for (const auto& e : kVoicedExtras) {
        if (e.full == c) {
          out += {e.half, kVoicedMark};
          done = true;
        }
      }
      if (!done) out.push_back(c);
    }
  }
  return out;
}

// ---- kana and case ----

char32_t ToKatakana(char32_t c) {
  if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) return c + 0x60;
  return c;
}

char32_t ToHiragana(char32_t c) {
  if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE) return c - 0x60;
  return c;
}

// Unicode simple case mappings from the C library's UTF-8 character tables.
locale_t UnicodeCtype() {
  static locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return loc;
}

char32_t ChangeCase(char32_t c, bool upper) {
  locale_t loc = UnicodeCtype();
  if (loc == static_cast<locale_t>(nullptr)) {
    if (upper && c >= 'a' && c <= 'z') return c - 0x20;
    if (!upper && c >= 'A' && c <= 'Z') return c + 0x20;
    return c;
  }
  return static_cast<char32_t>(upper ? towupper_l(static_cast<wint_t>(c), loc)
                                     : towlower_l(static_cast<wint_t>(c), loc));
}

bool Both(DWORD flags, DWORD a, DWORD b) { return (flags & a) && (flags & b); }

}  // namespace

ZOR_WIN32_API LCID WINAPI GetUserDefaultLCID(void) { return kJapanese; }

ZOR_WIN32_API int WINAPI LCMapStringA(LCID, DWORD flags, LPCSTR src, int srcLen, LPSTR dest,
                                      int destSize) {
  if (src == nullptr || srcLen == 0 || destSize < 0 || (dest == nullptr && destSize != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  constexpr DWORD kKnown = LCMAP_LOWERCASE | LCMAP_UPPERCASE | LCMAP_HIRAGANA | LCMAP_KATAKANA |
                           LCMAP_HALFWIDTH | LCMAP_FULLWIDTH;
  if (flags == 0 || (flags & ~kKnown) != 0 || Both(flags, LCMAP_FULLWIDTH, LCMAP_HALFWIDTH) ||
      Both(flags, LCMAP_HIRAGANA, LCMAP_KATAKANA) ||
      Both(flags, LCMAP_LOWERCASE, LCMAP_UPPERCASE)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const std::size_t n = srcLen < 0 ? std::strlen(src) + 1 : static_cast<std::size_t>(srcLen);
  std::u32string text = Decode(reinterpret_cast<const unsigned char*>(src), n);

  // Full width first and kana after it; kana first and half width after it.
  if (flags & LCMAP_FULLWIDTH) text = ToFullWidth(text);
  for (char32_t& c : text) {
    if (flags & LCMAP_KATAKANA) c = ToKatakana(c);
    if (flags & LCMAP_HIRAGANA) c = ToHiragana(c);
  }
  if (flags & LCMAP_HALFWIDTH) text = ToHalfWidth(text);
  if (flags & (LCMAP_UPPERCASE | LCMAP_LOWERCASE)) {
    for (char32_t& c : text) c = ChangeCase(c, (flags & LCMAP_UPPERCASE) != 0);
  }

  std::string out;
  std::size_t fits = 0;  // bytes of the whole characters that fit destSize
  for (char32_t c : text) {
    EncodeChar(c, &out);
    if (out.size() <= static_cast<std::size_t>(destSize)) fits = out.size();
  }
  if (destSize == 0) return static_cast<int>(out.size());
  std::memcpy(dest, out.data(), fits);
  if (fits < out.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  return static_cast<int>(out.size());
}

ZOR_WIN32_API int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLen,
                                             LPWSTR dest, int destSize) {
  if (src == nullptr || srcLen == 0 || destSize < 0 || (dest == nullptr && destSize != 0) ||
      (codePage != CP_ACP && codePage != 932)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if ((flags & ~MB_PRECOMPOSED) != 0) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const std::size_t n = srcLen < 0 ? std::strlen(src) + 1 : static_cast<std::size_t>(srcLen);
  std::u16string wide = zorw::AcpToWide(std::string(src, n));
  if (destSize == 0) return static_cast<int>(wide.size());
  const std::size_t fits = wide.size() < static_cast<std::size_t>(destSize)
                               ? wide.size()
                               : static_cast<std::size_t>(destSize);
  std::memcpy(dest, wide.data(), fits * sizeof(WCHAR));
  if (fits < wide.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  return static_cast<int>(wide.size());
}

namespace zorw {

std::u16string AcpToWide(const std::string& text) {
  std::u32string codes = Decode(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  std::u16string wide;
  for (char32_t c : codes) {
    if (c >= 0x10000) {
      wide.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      wide.push_back(static_cast<char16_t>(c));
    }
  }
  return wide;
}

std::string WideToAcp(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    EncodeChar(c, &out);
  }
  return out;
}

}  // namespace zorw
