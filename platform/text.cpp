// Windows-1252 and UTF-8, and the user's text as UTF-8.
#include "platform/text.h"

#include <cstring>

// Supplied by the system glue: the user's text in the user's code page as
// UTF-8. Returns 1, or 0 to have it read as Windows-1252.
int SystemUtf8FromUserText(const char* text, std::string* out);
// 1 when the user's code page is Windows-1252 itself.
int SystemUserTextIs1252();

namespace {

// Bytes 0x80-0x9F of Windows-1252 (0 = undefined).
constexpr char32_t kHigh1252[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

}  // namespace

char32_t Windows1252CodePoint(unsigned char c) {
  if (c < 0x80 || c >= 0xA0) return c;  // ASCII, and Latin-1 above 0x9F
  return kHigh1252[c - 0x80] != 0 ? kHigh1252[c - 0x80] : 0xFFFD;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back((char)cp);
  } else if (cp < 0x800) {
    out->push_back((char)(0xC0 | (cp >> 6)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  } else {
    out->push_back((char)(0xE0 | (cp >> 12)));
    out->push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  }
}

int IsValidUtf8(const char* text, std::size_t size) {
  const unsigned char* p = (const unsigned char*)text;
  const unsigned char* end = p + size;
  while (p < end) {
    const unsigned char c = *p++;
    if (c < 0x80) continue;
    int more;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) more = 1, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) more = 2, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) more = 3, cp = c & 0x07;
    else return 0;
    if (end - p < more) return 0;
    for (int i = 0; i < more; ++i, ++p) {
      if ((*p & 0xC0) != 0x80) return 0;
      cp = cp << 6 | (*p & 0x3F);
    }
    if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return 0;
  }
  return 1;
}

char32_t NextUtf8(const std::string& text, std::size_t* at) {
  const unsigned char c = (unsigned char)text[(*at)++];
  if (c < 0x80) return c;
  const int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
  char32_t cp = c & (0x3F >> more);
  for (int i = 0; i < more && *at < text.size(); ++i) cp = cp << 6 | ((unsigned char)text[(*at)++] & 0x3F);
  return cp;
}

std::string Utf8FromWindows1252(const char* text) {
  std::string out;
  for (const unsigned char* p = (const unsigned char*)text; *p; ++p) AppendUtf8(Windows1252CodePoint(*p), &out);
  return out;
}

std::string Utf8FromUserText(const char* text) {
  std::string out;
  if (SystemUtf8FromUserText(text, &out)) return out;
  return Utf8FromWindows1252(text);
}

std::string Windows1252FromUserText(const char* text) {
  if (SystemUserTextIs1252()) return text;
  const std::string utf8 = Utf8FromUserText(text);
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t cp = NextUtf8(utf8, &at);
    char byte = '?';
    for (int c = 1; c < 256; ++c) {
      if (Windows1252CodePoint((unsigned char)c) != cp) continue;
      byte = (char)c;
      break;
    }
    out += byte;
  }
  return out;
}

std::string UserTextForFile(const char* text) {
  std::string latin = Windows1252FromUserText(text);
  if (Utf8FromWindows1252(latin.c_str()) == Utf8FromUserText(text)) return latin;
  return text;
}

int SameUserText(const char* a, const char* b) {
  const std::string x = Utf8FromUserText(a), y = Utf8FromUserText(b);
  if (x.size() != y.size()) return 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    unsigned char p = (unsigned char)x[i], q = (unsigned char)y[i];
    if (p >= 'a' && p <= 'z') p = (unsigned char)(p - 32);
    if (q >= 'a' && q <= 'z') q = (unsigned char)(q - 32);
    if (p != q) return 0;
  }
  return 1;
}
