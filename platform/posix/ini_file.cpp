// Our own INI reader and writer: a line scanner over a bounded text, the
// lookup of a section and key, the rewrite that keeps every other byte, and
// the file wrappers.
#include "platform/posix/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/datafile.h"

namespace {

// A span of the text: [begin, end).
struct Span {
  std::size_t begin;
  std::size_t end;
};

// The integer reading sees at most 29 characters of the value, as the
// system's profile API does with its 30-character buffer.
constexpr int kIntBufferSize = 30;

// Blanks of the INI format; ^Z (old DOS end of file) counts as one.
bool IsBlank(unsigned char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a;
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text[span] equals name[0..nameLength) ignoring ASCII case.
bool SameName(const char* text, Span span, const char* name, std::size_t nameLength) {
  if (span.end - span.begin != nameLength) return false;
  for (std::size_t i = 0; i < nameLength; ++i)
    if (LowerAscii(text[span.begin + i]) != LowerAscii(name[i])) return false;
  return true;
}

Span Trim(const char* text, Span s) {
  while (s.begin < s.end && IsBlank(static_cast<unsigned char>(text[s.begin]))) ++s.begin;
  while (s.end > s.begin && IsBlank(static_cast<unsigned char>(text[s.end - 1]))) --s.end;
  return s;
}

// A query name (section or key) without surrounding blanks: its first
// character and length.
struct Name {
  const char* chars;
  std::size_t length;
};

Name TrimName(const char* name) {
  Span s = Trim(name, Span{0, std::strlen(name)});
  return Name{name + s.begin, s.end - s.begin};
}

// One line of the text. A line ends at LF, CR LF or a lone CR.
struct Line {
  Span content;      // without the line end
  std::size_t next;  // where the next line starts (length at the end)
};

Line LineAt(const char* text, std::size_t length, std::size_t pos) {
  std::size_t end = pos;
  while (end < length && text[end] != '\n' && text[end] != '\r') ++end;
  std::size_t next = end;
  if (next < length && text[next] == '\r') ++next;
  if (next < length && text[next] == '\n') ++next;
  return Line{Span{pos, end}, next};
}

enum LineKind { LineBlank, LineSection, LineKey };

// What a line holds: for a section its name (between '[' and the last ']'),
// for a key its name and, when the line has an '=', its value.
struct Parsed {
  LineKind kind;
  Span name;
  Span value;  // without surrounding blanks
  bool hasValue;
};

Parsed ParseLine(const char* text, Span content) {
  Parsed p{};
  Span s = Trim(text, content);
  if (s.begin == s.end) {
    p.kind = LineBlank;
    return p;
  }
  if (text[s.begin] == '[') {
    std::size_t close = s.end;  // the last ']' of the line
    while (close > s.begin + 1 && text[close - 1] != ']') --close;
    if (close > s.begin + 1) {
      p.kind = LineSection;
      p.name = Trim(text, Span{s.begin + 1, close - 1});
      return p;
    }
  }
  // A header without its ']' is read as a key line, like any other text.
  p.kind = LineKey;
  const void* eq = std::memchr(text + s.begin, '=', s.end - s.begin);
  if (!eq) {
    p.name = s;
    return p;
  }
  std::size_t at = static_cast<std::size_t>(static_cast<const char*>(eq) - text);
  p.name = Trim(text, Span{s.begin, at});
  p.value = Trim(text, Span{at + 1, s.end});
  p.hasValue = true;
  return p;
}

// A UTF-8 byte order mark before the first line is not part of it.
std::size_t TextStart(const char* text, std::size_t length) {
  if (length >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
      static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
    return 3;
  return 0;
}

// Where a key stands in the text, and where a new key of its section goes.
struct Lookup {
  bool sectionFound;
  bool keyFound;
  Line keyLine;
  Parsed key;
  Line lastFilled;  // the section's last non-blank line (its header at least)
};

Lookup Find(const char* text, std::size_t length, Name section, Name key) {
  Lookup found{};
  bool inSection = section.length == 0;  // lines before any header: section ""
  if (inSection) found.sectionFound = true;
  std::size_t pos = TextStart(text, length);
  while (pos < length) {
    Line line = LineAt(text, length, pos);
    Parsed p = ParseLine(text, line.content);
    pos = line.next;
    if (p.kind == LineSection) {
      if (inSection) break;  // only the first matching section counts
      if (SameName(text, p.name, section.chars, section.length)) {
        inSection = true;
        found.sectionFound = true;
        found.lastFilled = line;
      }
      continue;
    }
    if (!inSection || p.kind == LineBlank) continue;
    found.lastFilled = line;
    if (p.kind == LineKey && SameName(text, p.name, key.chars, key.length)) {
      found.keyFound = true;
      found.keyLine = line;
      found.key = p;
      return found;
    }
  }
  return found;
}

// Copies src[0..srcLength) (up to a NUL) into out, cut to outSize-1, with a
// pair of surrounding quotes removed. Returns the characters copied.
int CopyValue(const char* src, std::size_t srcLength, char* out, int outSize) {
  const void* nul = std::memchr(src, '\0', srcLength);
  if (nul) srcLength = static_cast<std::size_t>(static_cast<const char*>(nul) - src);
  if (srcLength >= 2 && (src[0] == '"' || src[0] == '\'') && src[srcLength - 1] == src[0]) {
    ++src;
    srcLength -= 2;
  }
  std::size_t n = std::min(srcLength, static_cast<std::size_t>(outSize - 1));
  std::memcpy(out, src, n);
  out[n] = '\0';
  return static_cast<int>(n);
}

// The length of a default: trailing blanks are dropped, but never its first
// character. Quotes around it go as around a value.
std::size_t DefaultLength(const char* def) {
  std::size_t n = std::strlen(def);
  while (n > 1 && def[n - 1] == ' ') --n;
  return n;
}

// The length of a name or value up to its first CR or LF.
std::size_t OneLine(const char* s) {
  std::size_t n = 0;
  while (s[n] && s[n] != '\r' && s[n] != '\n') ++n;
  return n;
}

// The line end of new lines: LF when the first line ends in a bare LF,
// else CR LF.
const char* LineEndOf(const char* text, std::size_t length) {
  std::size_t start = TextStart(text, length);
  Line first = LineAt(text, length, start);
  if (first.content.end < length && text[first.content.end] == '\n') return "\n";
  return "\r\n";
}

enum FileStatus { FileMissing, FileRead, FileTooBig, FileFailed };

// Reads the whole file into `data`, or its first `limit` bytes when it is
// larger (FileTooBig).
FileStatus ReadWholeFile(const char* path, std::size_t limit, std::string* data) {
  data->clear();
  errno = 0;
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return errno == ENOENT ? FileMissing : FileFailed;
  FileStatus status = FileRead;
  char chunk[65536];
  for (;;) {
    std::size_t room = limit + 1 - data->size();  // one more, to see that it is too big
    std::size_t want = room < sizeof chunk ? room : sizeof chunk;
    std::size_t got = std::fread(chunk, 1, want, f);
    data->append(chunk, got);
    if (data->size() > limit) {
      data->resize(limit);
      status = FileTooBig;
      break;
    }
    if (got < want) {
      if (std::ferror(f)) status = FileFailed;
      break;
    }
  }
  std::fclose(f);
  return status;
}

}  // namespace

int IniTextReadString(const char* text, std::size_t length, const char* section,
                      const char* key, const char* def, char* out, int outSize) {
  if (!out || outSize <= 0) return 0;
  if (!def) def = "";
  if (text && section && key) {
    Lookup found = Find(text, length, TrimName(section), TrimName(key));
    if (found.keyFound && found.key.hasValue)
      return CopyValue(text + found.key.value.begin, found.key.value.end - found.key.value.begin,
                       out, outSize);
  }
  return CopyValue(def, DefaultLength(def), out, outSize);
}

int IniTextToInt(const char* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p && IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  std::uint32_t value = 0;  // wraps modulo 2^32, as the system's reading does
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<std::uint32_t>(*p - '0');
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

int IniTextReadInt(const char* text, std::size_t length, const char* section,
                   const char* key, int def) {
  char buffer[kIntBufferSize];
  if (IniTextReadString(text, length, section, key, "", buffer, kIntBufferSize) == 0) return def;
  return IniTextToInt(buffer);
}

int IniTextWriteString(const char* text, std::size_t length, const char* section,
                       const char* key, const char* value, std::string* result) {
  if (!section || !key || !result) return 0;
  if (!text) length = 0;
  std::string sectionText(section, OneLine(section));
  std::string keyText(key, OneLine(key));
  Name s = TrimName(sectionText.c_str());
  Name k = TrimName(keyText.c_str());
  if (s.length == 0 || k.length == 0) return 0;
  std::string v(value ? value : "", value ? OneLine(value) : 0);
  const char* eol = text ? LineEndOf(text, length) : "\r\n";
  std::string keyLine = std::string(k.chars, k.length) + "=" + v;

  Lookup found = text ? Find(text, length, s, k) : Lookup{};
  std::string out;
  out.reserve(length + keyLine.size() + s.length + 8);
  if (!value) {
    // Removal: the key's whole line goes, line end and all.
    out.append(text ? text : "", length);
    if (found.keyFound) {
      const Line& line = found.keyLine;
      out.erase(line.content.begin, line.next - line.content.begin);
    }
  } else if (found.keyFound) {
    // Rewrite only the value: the key as written, the '=' and the blanks
    // after it stay; so does the line end.
    const Line& line = found.keyLine;
    if (found.key.hasValue) {
      out.append(text, found.key.value.begin);
    } else {
      out.append(text, found.key.name.end);
      out += '=';
    }
    out += v;
    out.append(text + line.content.end, length - line.content.end);
  } else if (found.sectionFound) {
    const Line& last = found.lastFilled;
    out.append(text, last.next);
    if (last.next == last.content.end) out += eol;  // the last line had no line end
    out += keyLine;
    out += eol;
    out.append(text + last.next, length - last.next);
  } else {
    out.append(text ? text : "", length);
    if (length > 0 && text[length - 1] != '\n' && text[length - 1] != '\r') out += eol;
    out += '[';
    out.append(s.chars, s.length);
    out += ']';
    out += eol;
    out += keyLine;
    out += eol;
  }
  result->swap(out);
  return 1;
}

int IniFileReadString(const char* path, const char* section, const char* key,
                      const char* def, char* out, int outSize) {
  std::string data;
  FileStatus status = path ? ReadWholeFile(path, kIniMaxFileSize, &data) : FileMissing;
  if (status == FileMissing || status == FileFailed)
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  return IniTextReadString(data.data(), data.size(), section, key, def, out, outSize);
}

int IniFileReadInt(const char* path, const char* section, const char* key, int def) {
  char buffer[kIntBufferSize];
  if (IniFileReadString(path, section, key, "", buffer, kIntBufferSize) == 0) return def;
  return IniTextToInt(buffer);
}

int IniFileWriteString(const char* path, const char* section, const char* key,
                       const char* value) {
  if (!path) return 0;
  std::string data;
  FileStatus status = ReadWholeFile(path, kIniMaxFileSize, &data);
  if (status != FileRead && status != FileMissing) return 0;
  std::string result;
  if (!IniTextWriteString(status == FileMissing ? nullptr : data.data(), data.size(), section,
                          key, value, &result))
    return 0;
  // Nothing to remove, or the same value again: the file stays as it is.
  if (status == FileMissing ? result.empty() : result == data) return 1;
  return WriteFileAtomically(path, result.data(), result.size());
}
