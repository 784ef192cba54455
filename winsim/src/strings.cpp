/// \file
/// Wide-string calls (lstr*W) and the UTF-8/UTF-16 conversions tests and winsim use.
/// WCHAR is 16-bit here, so no libc wcs* function may touch these strings.
#include "sim.h"

#include <winsim_test.h>

namespace winsim {

std::string Utf8(LPCWSTR text) {
  std::string out;
  if (!text) return out;
  for (size_t i = 0; text[i]; ++i) {
    uint32_t c = (uint16_t)text[i];
    if (c >= 0xD800 && c < 0xDC00 && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + ((uint16_t)text[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x80) {
      out += (char)c;
    } else if (c < 0x800) {
      out += (char)(0xC0 | (c >> 6));
      out += (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += (char)(0xE0 | (c >> 12));
      out += (char)(0x80 | ((c >> 6) & 0x3F));
      out += (char)(0x80 | (c & 0x3F));
    } else {
      out += (char)(0xF0 | (c >> 18));
      out += (char)(0x80 | ((c >> 12) & 0x3F));
      out += (char)(0x80 | ((c >> 6) & 0x3F));
      out += (char)(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::vector<WCHAR> Wide(const std::string &utf8) {
  std::vector<WCHAR> out;
  for (size_t i = 0; i < utf8.size();) {
    uint8_t b = (uint8_t)utf8[i];
    uint32_t c;
    size_t extra;
    if (b < 0x80) { c = b; extra = 0; }
    else if (b >= 0xF0) { c = b & 0x07; extra = 3; }
    else if (b >= 0xE0) { c = b & 0x0F; extra = 2; }
    else { c = b & 0x1F; extra = 1; }
    ++i;
    for (size_t k = 0; k < extra && i < utf8.size(); ++k, ++i) c = (c << 6) | ((uint8_t)utf8[i] & 0x3F);
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back((WCHAR)(0xD800 + (c >> 10)));
      out.push_back((WCHAR)(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back((WCHAR)c);
    }
  }
  out.push_back(0);
  return out;
}

std::string Lower(const std::string &s) {
  std::string out = s;
  for (char &c : out)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return out;
}

std::string PathKey(const std::string &utf8) {
  std::string out = Lower(utf8);
  for (char &c : out)
    if (c == '/') c = '\\';
  return out;
}

}  // namespace winsim

using winsim::EnsureReady;

namespace {
WCHAR FoldCase(WCHAR c) { return (c >= 'A' && c <= 'Z') ? (WCHAR)(c - 'A' + 'a') : c; }
}  // namespace

extern "C" int WINAPI lstrlenW(LPCWSTR s) {
  if (!s) return 0;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

extern "C" int WINAPI lstrlenA(LPCSTR s) { return s ? (int)strlen(s) : 0; }

extern "C" LPWSTR WINAPI lstrcpyW(LPWSTR dst, LPCWSTR src) {
  int i = 0;
  do dst[i] = src[i]; while (src[i++]);
  return dst;
}

extern "C" LPWSTR WINAPI lstrcpynW(LPWSTR dst, LPCWSTR src, int max) {
  if (max <= 0) return dst;
  int i = 0;
  for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

extern "C" LPWSTR WINAPI lstrcatW(LPWSTR dst, LPCWSTR src) {
  lstrcpyW(dst + lstrlenW(dst), src);
  return dst;
}

extern "C" int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b) {
  size_t i = 0;
  while (a[i] && a[i] == b[i]) ++i;
  return (a[i] > b[i]) - (a[i] < b[i]);
}

extern "C" int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  size_t i = 0;
  while (a[i] && FoldCase(a[i]) == FoldCase(b[i])) ++i;
  WCHAR x = FoldCase(a[i]), y = FoldCase(b[i]);
  return (x > y) - (x < y);
}
