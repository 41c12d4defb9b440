// Text at the edges: the user's own text (names typed into the program,
// the command line, the settings and data files) is in the user's code
// page and in reading order: the system's ANSI code page on Windows,
// UTF-8 elsewhere (a text that is no valid UTF-8 is taken as
// Windows-1252). The program's own texts are Windows-1252 or -1255.
#pragma once
#include <cstddef>
#include <string>

// The Unicode code point of a Windows-1252 byte; U+FFFD for the five bytes
// it leaves undefined.
char32_t Windows1252CodePoint(unsigned char c);
// Appends a code point below U+10000 as UTF-8.
void AppendUtf8(char32_t codePoint, std::string* out);
// 1 when the bytes are valid UTF-8 (no overlong forms, no surrogates).
int IsValidUtf8(const char* text, std::size_t size);
// The next code point of a valid UTF-8 text at *at, which moves past it.
char32_t NextUtf8(const std::string& text, std::size_t* at);

// Windows-1252 bytes as UTF-8.
std::string Utf8FromWindows1252(const char* text);
// The user's text as UTF-8.
std::string Utf8FromUserText(const char* text);
// The user's text as Windows-1252, the code page of the program's Latin
// text (a character it lacks becomes "?").
std::string Windows1252FromUserText(const char* text);
// The user's text as the data files keep it: Windows-1252 when that holds
// every character (so the Windows program reads it right on any Western
// system), else as typed, in the user's code page, so that nothing is lost.
std::string UserTextForFile(const char* text);
// 1 when two user texts are the same name: equal as UTF-8, the letters
// A-Z without regard to case.
int SameUserText(const char* a, const char* b);
