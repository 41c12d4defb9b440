// Our own private-profile (INI) reader and writer, in standard C++ only, with
// the behaviour of the Windows profile functions the program relies on:
// sections and keys match case-insensitively (ASCII), the first matching
// section and, in it, the first matching key win, whitespace around lines,
// keys and values is dropped, and a value enclosed in a pair of the same
// quote (' or ") loses the pair. Writing keeps every other byte of the file.
// Built on every system: the POSIX settings use it, and the Windows tests
// hold it against the real API.
#pragma once
#include <cstddef>
#include <string>

// Files are read up to this size; a larger file is never rewritten (a write
// returns 0), so that no part of it is lost.
inline constexpr std::size_t kIniMaxFileSize = std::size_t{4} << 20;

// Reading from text held in memory (`text` == nullptr: there is no file).
// Copies the value of `key` in `section`, or `def` (nullptr reads as "",
// trailing blanks dropped) when the file, section or key is missing or the
// key line has no "=", into out[0..outSize-1] with a pair of surrounding
// quotes removed, NUL-terminated and cut to outSize-1 characters. Returns
// the number of characters copied.
int IniTextReadString(const char* text, std::size_t length, const char* section,
                      const char* key, const char* def, char* out, int outSize);

// The value as an integer: `def` when it reads as ""; otherwise optional
// whitespace, an optional + or -, and the leading decimal digits (wrapping
// modulo 2^32), 0 when there are none. Only the first 29 characters of the
// value count.
int IniTextReadInt(const char* text, std::size_t length, const char* section,
                   const char* key, int def);

// The integer reading of one value text, as above ("" reads as 0).
int IniTextToInt(const char* text);

// `result` = `text` with key=value set: the first matching key rewritten in
// place, else a new line after the last non-blank line of the section, else
// a new section at the end. New lines end in CR LF unless the first line
// of the text ends in a bare LF. A CR or LF in section, key or value ends
// it there, so the text keeps its lines. `value` nullptr removes the key's
// line instead. Returns 1, or 0 (and `result` untouched) for a missing or
// empty section or key.
int IniTextWriteString(const char* text, std::size_t length, const char* section,
                       const char* key, const char* value, std::string* result);

// The same on a file named by its path. A missing or unreadable file reads
// as no file. A write creates the file when it is missing and replaces it
// atomically; it returns 1, or 0 (and the file untouched) when the file
// cannot be read whole or written. A write that changes nothing leaves the
// file alone (and does not create it for a removal).
int IniFileReadString(const char* path, const char* section, const char* key,
                      const char* def, char* out, int outSize);
int IniFileReadInt(const char* path, const char* section, const char* key, int def);
int IniFileWriteString(const char* path, const char* section, const char* key,
                       const char* value);
