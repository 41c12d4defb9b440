// The iCalendar writer.
#include "export/icalendar.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "export/export_run.h"
#include "platform/clock.h"

namespace {

constexpr std::size_t kLineOctets = 75;  // before the CR LF

// Octets of the UTF-8 sequence that starts with `lead` (1 for a stray
// continuation byte, which then travels alone).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// How a byte of a text value is written.
enum ByteClass : unsigned char {
  kPlain,   // an ASCII character as it is
  kDrop,    // CR: dropped
  kEscape,  // \ ; , and LF (as "n") after a backslash
  kHigh,    // 0x80 and above: part of a UTF-8 sequence, or a code page byte
};

constexpr struct ByteClasses {
  ByteClass of[256];
  constexpr ByteClasses() : of() {
    for (int c = 0; c < 256; ++c) of[c] = c >= 0x80 ? kHigh : kPlain;
    of['\r'] = kDrop;
    of['\n'] = of['\\'] = of[';'] = of[','] = kEscape;
  }
} kClasses;

// Appends one text value, escaped and folded: whole pieces (a character,
// an escape pair, a UTF-8 sequence) go on a line while it stays within 75
// octets, else on a continuation line that starts with a space. Writes
// into room the caller has made: see MostOctets().
class FoldedValue {
 public:
  FoldedValue(char* at, const char* nameWithColon) : at_(at) {
    const std::size_t n = std::strlen(nameWithColon);
    std::memcpy(at_, nameWithColon, n);
    at_ += n;
    line_ = n;
  }
  // The most octets a value of n pieces of up to `widest` octets each can
  // take: the pieces, a fold before each and the final CR LF.
  static std::size_t MostOctets(const char* nameWithColon, std::size_t n, std::size_t widest) {
    return std::strlen(nameWithColon) + n * (widest + 3) + 2;
  }
  // A run of plain characters, split wherever a line is full.
  void Plain(const char* text, std::size_t n) {
    while (n > 0) {
      if (line_ >= kLineOctets) Fold();
      const std::size_t room = kLineOctets - line_;
      const std::size_t take = n < room ? n : room;
      std::memcpy(at_, text, take);
      at_ += take;
      line_ += take;
      text += take;
      n -= take;
    }
  }
  // Octets the current line has room for.
  std::size_t Room() const { return line_ < kLineOctets ? kLineOctets - line_ : 0; }
  // n <= 8 plain characters, which the line has room for; eight octets
  // are written, so at least eight must be free.
  void UpToEight(const unsigned char* text, std::size_t n) {
    std::memcpy(at_, text, 8);
    at_ += n;
    line_ += n;
  }
  // One plain character.
  void One(unsigned char c) {
    if (line_ >= kLineOctets) Fold();
    *at_++ = (char)c;
    ++line_;
  }
  // One piece of 1-4 octets that is not split.
  void Piece(const char* piece, std::size_t n) {
    if (line_ + n > kLineOctets) Fold();
    for (std::size_t i = 0; i < n; ++i) at_[i] = piece[i];
    at_ += n;
    line_ += n;
  }
  void Escape(unsigned char c) {
    const char pair[2] = {'\\', c == '\n' ? 'n' : (char)c};
    Piece(pair, 2);
  }
  // Ends the value; returns the end of what was written.
  char* End() {
    *at_++ = '\r';
    *at_++ = '\n';
    return at_;
  }
  // Ends the line; the next octets go on a continuation line.
  void Fold() {
    at_[0] = '\r';
    at_[1] = '\n';
    at_[2] = ' ';
    at_ += 3;
    line_ = 1;
  }

 private:
  char* at_;
  std::size_t line_;  // octets on the current line
};

// Makes room for `room` more octets at the end of *out and returns where
// they start; Done() then sets the length to what was written.
char* Reserve(std::string* out, std::size_t room) {
  const std::size_t size = out->size();
  out->resize(size + room);
  return out->data() + size;
}
void Done(std::string* out, const char* end) { out->resize((std::size_t)(end - out->data())); }

// The end of the run of plain characters from `p` (at most `end`).
const unsigned char* PlainRunEnd(const unsigned char* p, const unsigned char* end) {
  while (p < end && kClasses.of[*p] == kPlain) ++p;
  return p;
}

// The number of plain characters (see kClasses) at the start of the eight
// bytes of `w`, read from memory in order.
std::size_t PlainPrefix(std::uint64_t w) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighs = 0x8080808080808080ull;
  // The high bit of each zero byte of x; bytes after the first zero byte
  // may be marked too, never bytes before it.
  auto zeroBytes = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
  const std::uint64_t special = (w & kHighs) | zeroBytes(w ^ (kOnes * '\r')) |
                                zeroBytes(w ^ (kOnes * '\n')) | zeroBytes(w ^ (kOnes * '\\')) |
                                zeroBytes(w ^ (kOnes * ';')) | zeroBytes(w ^ (kOnes * ','));
  if (special == 0) return 8;
  // The lowest marked byte is the first in memory on a little-endian
  // machine; elsewhere the bytes are looked at one by one.
  if constexpr (std::endian::native == std::endian::little)
    return (std::size_t)std::countr_zero(special) / 8;
  std::size_t n = 0;
  while (kClasses.of[(unsigned char)(w >> (8 * n))] == kPlain) ++n;  // n < 8
  return n;
}

// Byte `i` (0-7) of the eight bytes of `w` in memory order.
unsigned char ByteOf(std::uint64_t w, std::size_t i) {
  if constexpr (std::endian::native == std::endian::little) return (unsigned char)(w >> (8 * i));
  unsigned char bytes[8];
  std::memcpy(bytes, &w, 8);
  return bytes[i];
}

// UTF-8 of a code point below 0x10000: 1-3 octets into `out`; returns the
// number written.
std::size_t EncodeUtf8(char32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = (char)cp;
    return 1;
  }
  if (cp < 0x800) {
    out[0] = (char)(0xC0 | (cp >> 6));
    out[1] = (char)(0x80 | (cp & 0x3F));
    return 2;
  }
  out[0] = (char)(0xE0 | (cp >> 12));
  out[1] = (char)(0x80 | ((cp >> 6) & 0x3F));
  out[2] = (char)(0x80 | (cp & 0x3F));
  return 3;
}

// WriteIcsTextProperty of Utf8FromText(text[0..n-1], page) in one pass,
// written at `at` (MostOctets(nameWithColon, n, 3) octets): a text in a code
// page, Hebrew already in reading order. Each byte above 0x7F becomes one
// whole UTF-8 sequence, the piece that is never split. Returns the end.
char* PutCodePageProperty(char* at, const char* nameWithColon, const char* text, std::size_t n,
                          CodePage page) {
  FoldedValue value(at, nameWithColon);
  const unsigned char* p = (const unsigned char*)text;
  const unsigned char* end = p + n;
  // A character that is not plain: dropped, escaped or a UTF-8 sequence.
  auto special = [&value, page](unsigned char c) {
    if (c == '\r') return;
    if (c < 0x80) {
      value.Escape(c);
      return;
    }
    char sequence[3];
    value.Piece(sequence, EncodeUtf8(CodePointOf(c, page), sequence));
  };
  // Most of a text is plain: it goes eight characters at a time, as many
  // as the line has room for. (MostOctets() gave at least six octets to
  // each byte still to come, so eight octets may be written.)
  while (end - p >= 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    const std::size_t plain = PlainPrefix(w);  // 0-8
    std::size_t take = plain;
    if (take > value.Room()) {  // the line ends first
      if (value.Room() == 0) {  // and a plain character comes next
        value.Fold();
        continue;
      }
      take = value.Room();
    }
    value.UpToEight(p, take);
    p += take;
    if (take < plain || take == 8) continue;
    special(ByteOf(w, take));  // the character after the plain ones
    ++p;
  }
  for (; p < end; ++p) {
    if (kClasses.of[*p] == kPlain) value.One(*p);
    else special(*p);
  }
  return value.End();
}

int HasHebrewLetter(const char* text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if ((unsigned char)text[i] >= 0xE0 && (unsigned char)text[i] <= 0xFA) return 1;
  return 0;
}

// Writes the text as a property of the writer's code page at `at`:
// Hebrew runs first back into reading order (a text without Hebrew
// letters has none). Returns the end.
char* Put(char* at, const char* text, std::size_t n);

char* PutTextOfPage(IcsWriter* writer, char* at, const char* nameWithColon, const char* text,
                    std::size_t n) {
  if (HasUserText(text, n)) {  // the user's text is UTF-8 already: two steps
    std::string property;
    WriteIcsTextProperty(&property, nameWithColon, Utf8FromText(std::string(text, n).c_str(), writer->page));
    return Put(at, property.data(), property.size());
  }
  if (writer->page == kCodePageHebrew && HasHebrewLetter(text, n)) {
    writer->logical = LogicalFromVisualHebrew(std::string(text, n));
    text = writer->logical.data();
    n = writer->logical.size();
  }
  return PutCodePageProperty(at, nameWithColon, text, n, writer->page);
}

char* Put(char* at, const char* text, std::size_t n) {
  std::memcpy(at, text, n);
  return at + n;
}

// Decimal digits of 0 <= value < 10^width, zero-padded to `width`.
char* PutDigits(char* at, int value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    at[i] = (char)('0' + value % 10);
    value /= 10;
  }
  return at + width;
}

// "YYYYMMDD" of a date whose fields print as %04d%02d%02d without growing;
// 0 for any other date.
int PutDate(char* at, const CalDate* date) {
  if (date->year < 0 || date->year > 9999 || date->month < 0 || date->month > 99 ||
      date->day < 0 || date->day > 99)
    return 0;
  at = PutDigits(at, date->year, 4);
  at = PutDigits(at, date->month, 2);
  PutDigits(at, date->day, 2);
  return 1;
}

// WriteIcsDateProperty at `at` (64 octets at most). Returns the end.
char* PutDateProperty(char* at, const char* name, const CalDate* date) {
  char line[64];
  const std::size_t n = std::strlen(name);
  if (n + 20 < sizeof line && PutDate(line, date)) {  // the line is not cut
    at = Put(at, name, n);
    at = Put(at, ";VALUE=DATE:", 12);
    at = Put(at, line, 8);
    return Put(at, "\r\n", 2);
  }
  std::snprintf(line, sizeof line, "%s;VALUE=DATE:%04d%02d%02d", name, (int)date->year,
                (int)date->month, (int)date->day);
  at = Put(at, line, std::strlen(line));
  return Put(at, "\r\n", 2);
}

// A clock time's fields within the widths their formats give them.
int ClockFits(const ClockTime& t) {
  return t.year >= 0 && t.year <= 9999 && t.month >= 0 && t.month <= 99 && t.day >= 0 &&
         t.day <= 99 && t.hour >= 0 && t.hour <= 99 && t.minute >= 0 && t.minute <= 99 &&
         t.second >= 0 && t.second <= 99 && t.millisecond >= 0 && t.millisecond <= 999;
}

// "YYYYMMDD", `separator`, "HHMMSS" of a clock that fits; returns the end.
char* PutDateAndTime(char* at, const ClockTime& now, char separator) {
  at = PutDigits(at, now.year, 4);
  at = PutDigits(at, now.month, 2);
  at = PutDigits(at, now.day, 2);
  *at++ = separator;
  at = PutDigits(at, now.hour, 2);
  at = PutDigits(at, now.minute, 2);
  return PutDigits(at, now.second, 2);
}

// "YYYYMMDDTHHMMSSZ" and its NUL. Returns its length.
std::size_t FormatTimestamp(const ClockTime& now, char* buffer /* >= 17 */) {
  if (!ClockFits(now)) {
    std::snprintf(buffer, 17, "%04d%02d%02dT%02d%02d%02dZ", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    return std::strlen(buffer);
  }
  char* at = PutDateAndTime(buffer, now, 'T');
  *at++ = 'Z';
  *at = '\0';
  return (std::size_t)(at - buffer);
}

// "YYYYMMDD-HHMMSSmmm-GUID@domain" and its NUL; the GUID is 16 bytes, each
// the low 8 bits of one draw of the C library's generator. Returns its
// length.
std::size_t FormatUid(const ClockTime& now, char* buffer /* >= 80 */) {
  unsigned char bytes[16];
  for (unsigned char& b : bytes) b = (unsigned char)(std::rand() & 0xFF);
  constexpr char kHex[] = "0123456789ABCDEF";
  char guid[37];
  char* g = guid;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) *g++ = '-';
    *g++ = kHex[bytes[i] >> 4];
    *g++ = kHex[bytes[i] & 0xF];
  }
  *g = '\0';
  if (!ClockFits(now)) {
    std::snprintf(buffer, 80, "%04d%02d%02d-%02d%02d%02d%03d-%s@%s", now.year, now.month, now.day,
                  now.hour, now.minute, now.second, now.millisecond, guid, kIcsUidDomain);
    return std::strlen(buffer);
  }
  char* at = PutDateAndTime(buffer, now, '-');
  at = PutDigits(at, now.millisecond, 3);
  *at++ = '-';
  std::memcpy(at, guid, 36);
  at += 36;
  *at++ = '@';
  std::memcpy(at, kIcsUidDomain, sizeof kIcsUidDomain);  // with its NUL
  return (std::size_t)(at - buffer) + sizeof kIcsUidDomain - 1;
}

// The day after a Gregorian date.
void NextDay(const CalDate* date, CalDate* next) {
  if (date->year >= 1 && date->month >= 1 && date->month <= 12 && date->day >= 1 &&
      date->day <= GregorianLastDayOfMonth(date->month, date->year)) {
    *next = *date;
    if (date->day < GregorianLastDayOfMonth(date->month, date->year)) {
      ++next->day;
    } else if (date->month < 12) {
      next->day = 1;
      ++next->month;
    } else {
      *next = {1, 1, date->year + 1};
    }
    return;
  }
  GregorianFromAbsolute(AbsoluteFromGregorian(date) + 1, next);  // a day out of its month
}

constexpr std::size_t kBlockOctets = 64 * 1024;  // events gathered before a write

// Hands the gathered events to the file. Returns 1, or 0 once a write failed.
int Flush(IcsWriter* writer) {
  const std::size_t n = writer->pendingSize;
  writer->pendingSize = 0;
  return AtomicFileWrite(&writer->file, writer->pending.data(), n);
}

int Write(IcsWriter* writer, const std::string& text) {
  if (!Flush(writer)) return 0;
  return AtomicFileWrite(&writer->file, text.data(), text.size());
}

}  // namespace

void WriteIcsLine(std::string* out, const char* text) {
  out->append(text);
  out->append("\r\n", 2);
}

void WriteIcsDateProperty(std::string* out, const char* name, const CalDate* date) {
  char line[64 + 2];
  out->append(line, (std::size_t)(PutDateProperty(line, name, date) - line));
}

void WriteIcsTextProperty(std::string* out, const char* nameWithColon, const std::string& utf8) {
  FoldedValue value(Reserve(out, FoldedValue::MostOctets(nameWithColon, utf8.size(), 4)),
                    nameWithColon);
  const unsigned char* p = (const unsigned char*)utf8.data();
  const unsigned char* end = p + utf8.size();
  while (p < end) {
    switch (kClasses.of[*p]) {
      case kPlain: {
        const unsigned char* run = PlainRunEnd(p, end);
        value.Plain((const char*)p, (std::size_t)(run - p));
        p = run;
        break;
      }
      case kDrop: ++p; break;
      case kEscape: value.Escape(*p++); break;
      case kHigh: {
        std::size_t length = SequenceLength(*p);
        if (length > (std::size_t)(end - p)) length = (std::size_t)(end - p);
        value.Piece((const char*)p, length);
        p += length;
        break;
      }
    }
  }
  Done(out, value.End());
}

void MakeIcsTimestamp(char* buffer) {
  ClockTime now;
  UtcNow(&now);
  FormatTimestamp(now, buffer);
}

void MakeIcsUid(char* buffer) {
  ClockTime now;
  UtcNow(&now);
  FormatUid(now, buffer);
}

int IcsBegin(IcsWriter* writer, const char* path, CodePage page) {
  std::srand(TickCount());
  writer->page = page;
  writer->events = 0;
  writer->pendingSize = 0;
  if (!AtomicFileBegin(&writer->file, path)) return 0;
  std::string header;
  WriteIcsLine(&header, "BEGIN:VCALENDAR");
  WriteIcsLine(&header, "PRODID:-//Brannock//Tavlon//EN");
  WriteIcsLine(&header, "VERSION:2.0");
  WriteIcsLine(&header, "METHOD:PUBLISH");
  if (writer->options) IcsCalendarLines(writer->options, &header);
  if (Write(writer, header)) return 1;
  AtomicFileAbort(&writer->file);
  return 0;
}

int IcsWriteEvent(IcsWriter* writer, const CalDate* date, const char* caption, const char* notes) {
  return IcsWriteEventAs(writer, date, caption, notes, nullptr);
}

int IcsWriteComponent(IcsWriter* writer, const std::string& text) {
  ++writer->events;
  return Write(writer, text);
}

int IcsWriteEventAs(IcsWriter* writer, const CalDate* date, const char* caption,
                    const char* notes, const std::string* kind) {
  const IcsEventOptions* options = writer->options;
  std::string uidLine;  // a stable UID, folded; empty: a random one
  std::string extras;   // the busy state
  if (options) {
    if (options->stableUids && kind)
      WriteIcsTextProperty(&uidLine, "UID:", IcsStableUid(options, *kind, date));
    IcsBusyLines(options, &extras);
  }
  const int alarm = options && options->alarmMinutes >= 0;
  // The label marker is Outlook's business only.
  const std::size_t summaryLength = CaptionTitleLength(caption);
  const std::size_t notesLength = std::strlen(notes);
  // The event is written into the writer's buffer, made large enough
  // first: the fixed lines take less than 512 octets.
  const std::size_t room = 512 + FoldedValue::MostOctets("SUMMARY:", summaryLength, 3) +
                           FoldedValue::MostOctets("DESCRIPTION:", notesLength, 3) +
                           uidLine.size() + extras.size() +
                           (alarm ? 128 + FoldedValue::MostOctets("DESCRIPTION:", summaryLength, 3)
                                  : 0);
  std::string& pending = writer->pending;
  if (pending.size() < writer->pendingSize + room) pending.resize(writer->pendingSize + room);
  char* const start = pending.data() + writer->pendingSize;
  char* at = start;
  at = Put(at, "BEGIN:VEVENT\r\n", 14);
  at = PutDateProperty(at, "DTSTART", date);
  CalDate next;
  NextDay(date, &next);
  at = PutDateProperty(at, "DTEND", &next);
  // One reading of the clock stamps the event and makes its UID.
  ClockTime now;
  UtcNow(&now);
  char value[96];
  at = Put(at, "DTSTAMP:", 8);
  at = Put(at, value, FormatTimestamp(now, value));
  at = Put(at, "\r\n", 2);
  if (uidLine.empty()) {
    at = Put(at, "UID:", 4);
    at = Put(at, value, FormatUid(now, value));
    at = Put(at, "\r\n", 2);
  } else {
    at = Put(at, uidLine.data(), uidLine.size());
  }
  at = PutTextOfPage(writer, at, "SUMMARY:", caption, summaryLength);
  if (notesLength > 0) at = PutTextOfPage(writer, at, "DESCRIPTION:", notes, notesLength);
  at = Put(at, extras.data(), extras.size());
  if (alarm) {
    std::string trigger;
    IcsAlarmTrigger(options, &trigger);
    at = Put(at, "BEGIN:VALARM\r\nACTION:DISPLAY\r\n", 30);
    at = PutTextOfPage(writer, at, "DESCRIPTION:", caption, summaryLength);
    at = Put(at, trigger.data(), trigger.size());
    at = Put(at, "END:VALARM\r\n", 12);
  }
  at = Put(at, "END:VEVENT\r\n", 12);
  ++writer->events;
  writer->pendingSize += (std::size_t)(at - start);
  if (writer->pendingSize < kBlockOctets) return writer->file.file != nullptr && writer->file.ok;
  return Flush(writer);
}

int IcsEnd(IcsWriter* writer) {
  std::string end;
  WriteIcsLine(&end, "END:VCALENDAR");
  Write(writer, end);
  return AtomicFileCommit(&writer->file);
}

void IcsAbort(IcsWriter* writer) {
  writer->pendingSize = 0;
  AtomicFileAbort(&writer->file);
}

int WriteIcsEntries(const char* path, const CalDate* dates, const char* const* captions,
                    const char* const* notes, int n, CodePage page) {
  IcsWriter writer;
  if (!IcsBegin(&writer, path, page)) return 0;
  for (int i = 0; i < n; ++i) {
    if (!IcsWriteEvent(&writer, &dates[i], captions[i], notes[i])) {
      IcsAbort(&writer);
      return 0;
    }
  }
  return IcsEnd(&writer);
}
