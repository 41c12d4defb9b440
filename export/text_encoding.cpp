// Windows-1252 and Windows-1255 to Unicode, and visual to logical Hebrew.
#include "export/text_encoding.h"

#include <cstring>

#include "platform/text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Bytes 0x80-0xFF of Windows-1255 (0 = undefined): the same punctuation as
// Windows-1252 below 0xA0, the sheqel sign, the Hebrew points and marks,
// the 27 letters at 0xE0-0xFA and the direction marks.
constexpr char32_t kHebrewHigh[128] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0, 0x2039, 0, 0, 0, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0, 0x203A, 0, 0, 0, 0,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,
    0x05B8, 0x05B9, 0x05BA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,
    0x05F4, 0, 0, 0, 0, 0, 0, 0,
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,
    0x05E8, 0x05E9, 0x05EA, 0, 0, 0x200E, 0x200F, 0,
};

int IsHebrewLetter(unsigned char c) { return c >= 0xE0 && c <= 0xFA; }

// Characters that stay inside a Hebrew run: the word gap, geresh and
// gershayim written with ASCII quotes, and the joiners of holiday names.
int IsRunJoiner(unsigned char c) {
  return c == ' ' || c == '\'' || c == '"' || c == '/' || c == '_';
}

}  // namespace

char32_t CodePointOf(unsigned char c, CodePage page) {
  if (c < 0x80) return c;
  if (page != kCodePageHebrew) return Windows1252CodePoint(c);
  const char32_t cp = kHebrewHigh[c - 0x80];
  return cp != 0 ? cp : kReplacement;
}

std::string LogicalFromVisualHebrew(const std::string& text) {
  std::string out = text;
  const std::size_t n = out.size();
  std::size_t i = 0;
  while (i < n) {
    if (!IsHebrewLetter((unsigned char)out[i]) && !IsRunJoiner((unsigned char)out[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    int letters = 0;
    while (end < n && (IsHebrewLetter((unsigned char)out[end]) || IsRunJoiner((unsigned char)out[end]))) {
      letters += IsHebrewLetter((unsigned char)out[end]);
      ++end;
    }
    if (letters > 0) {
      std::size_t first = i;
      std::size_t last = end;  // one past
      while (first < last && out[first] == ' ') ++first;
      while (last > first && out[last - 1] == ' ') --last;
      for (std::size_t a = first, b = last; a + 1 < b; ++a, --b) std::swap(out[a], out[b - 1]);
    }
    i = end;
  }
  return out;
}

std::string MarkUserText(const char* text) {
  std::string out(1, kUserTextStart);
  out += Utf8FromUserText(text);
  out += kUserTextEnd;
  return out;
}

int HasUserText(const char* text, std::size_t n) { return std::memchr(text, kUserTextStart, n) != nullptr; }

namespace {

// Utf8FromText of a text without marks.
void AppendProgramText(const char* text, std::size_t n, CodePage page, std::string* out) {
  std::string logical;
  if (page == kCodePageHebrew) {
    // Only a text with Hebrew letters has runs to turn.
    for (std::size_t i = 0; i < n; ++i) {
      if (!IsHebrewLetter((unsigned char)text[i])) continue;
      logical = LogicalFromVisualHebrew(std::string(text, n));
      text = logical.data();
      break;
    }
  }
  const unsigned char* p = (const unsigned char*)text;
  const unsigned char* end = p + n;
  while (p < end) {
    const unsigned char* ascii = p;
    while (p < end && *p < 0x80) ++p;  // ASCII stands for itself
    out->append((const char*)ascii, (std::size_t)(p - ascii));
    if (p < end) AppendUtf8(CodePointOf(*p++, page), out);
  }
}

}  // namespace

std::string Utf8FromText(const char* text, CodePage page) {
  const std::size_t n = std::strlen(text);
  std::string out;
  out.reserve(n + n / 2);
  std::size_t at = 0;
  while (at < n) {
    const char* start = static_cast<const char*>(std::memchr(text + at, kUserTextStart, n - at));
    const std::size_t programEnd = start ? (std::size_t)(start - text) : n;
    AppendProgramText(text + at, programEnd - at, page, &out);
    if (!start) break;
    const char* end = static_cast<const char*>(std::memchr(start, kUserTextEnd, n - programEnd));
    const std::size_t userEnd = end ? (std::size_t)(end - text) : n;
    out.append(start + 1, userEnd - programEnd - 1);  // UTF-8 already
    at = end ? userEnd + 1 : n;
  }
  return out;
}
