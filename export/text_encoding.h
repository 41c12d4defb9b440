// Text leaving the program: the single-byte texts of the program
// (Windows-1252 for Latin text, Windows-1255 for Hebrew in visual order)
// become Unicode in logical order for other programs. The user's own text
// inside a composed text (an anniversary's name) is marked: it is UTF-8 in
// reading order whatever the program's code page, and passes unchanged.
#pragma once
#include <cstddef>
#include <string>

enum CodePage {
  kCodePageLatin = 1252,
  kCodePageHebrew = 1255,
};

// The Unicode code point of byte `c` in the code page; U+FFFD for a byte
// the code page leaves undefined.
char32_t CodePointOf(unsigned char c, CodePage page);

// Puts Hebrew runs of a visual-order text back into reading order: every
// run of Hebrew letters, with the spaces, apostrophes, quotes, slashes and
// underscores between them, is reversed (spaces at a run's ends stay
// where they are). Other text is untouched.
std::string LogicalFromVisualHebrew(const std::string& text);

// The marks around the user's text in a composed text.
inline constexpr char kUserTextStart = '\x0E';
inline constexpr char kUserTextEnd = '\x0F';

// The user's text (in the user's code page, see platform/text.h), marked
// for a composed text.
std::string MarkUserText(const char* text);
// 1 when the text holds a marked user's text.
int HasUserText(const char* text, std::size_t n);

// The text as UTF-8. With `page` Hebrew the Hebrew runs are first put back
// into reading order; a marked user's text is copied as it is.
std::string Utf8FromText(const char* text, CodePage page);
