// The iCalendar writer.
#include "export/icalendar.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

int Write(IcsWriter* writer, const std::string& text) {
  return AtomicFileWrite(&writer->file, text.data(), text.size());
}

}  // namespace

void WriteIcsLine(std::string* out, const char* text) {
  out->append(text);
  out->append("\r\n");
}

void WriteIcsDateProperty(std::string* out, const char* name, const CalDate* date) {
  char line[64];
  std::snprintf(line, sizeof line, "%s;VALUE=DATE:%04d%02d%02d", name, (int)date->year,
                (int)date->month, (int)date->day);
  WriteIcsLine(out, line);
}

void WriteIcsTextProperty(std::string* out, const char* nameWithColon, const std::string& utf8) {
  std::string line = nameWithColon;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const unsigned char c = (unsigned char)utf8[i];
    std::string piece;
    if (c == '\r') {
      ++i;
      continue;
    }
    if (c == '\n') {
      piece = "\\n";
      ++i;
    } else if (c == '\\' || c == ';' || c == ',') {
      piece = {'\\', (char)c};
      ++i;
    } else {
      std::size_t length = SequenceLength(c);
      if (length > utf8.size() - i) length = utf8.size() - i;
      piece = utf8.substr(i, length);
      i += length;
    }
    if (line.size() + piece.size() > kLineOctets) {
      WriteIcsLine(out, line.c_str());
      line = " ";
    }
    line += piece;
  }
  WriteIcsLine(out, line.c_str());
}

void MakeIcsTimestamp(char* buffer) {
  ClockTime now;
  UtcNow(&now);
  std::snprintf(buffer, 17, "%04d%02d%02dT%02d%02d%02dZ", now.year, now.month, now.day, now.hour,
                now.minute, now.second);
}

void MakeIcsUid(char* buffer) {
  unsigned char bytes[16];
  for (unsigned char& b : bytes) b = (unsigned char)(std::rand() & 0xFF);
  char guid[37];
  std::snprintf(guid, sizeof guid,
                "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", bytes[0],
                bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
  ClockTime now;
  UtcNow(&now);
  std::snprintf(buffer, 80, "%04d%02d%02d-%02d%02d%02d%03d-%s@%s", now.year, now.month, now.day,
                now.hour, now.minute, now.second, now.millisecond, guid, kIcsUidDomain);
}

int IcsBegin(IcsWriter* writer, const char* path, CodePage page) {
  std::srand(TickCount());
  writer->page = page;
  writer->events = 0;
  if (!AtomicFileBegin(&writer->file, path)) return 0;
  std::string header;
  WriteIcsLine(&header, "BEGIN:VCALENDAR");
  WriteIcsLine(&header, "PRODID:-//Brannock//Tavlon//EN");
  WriteIcsLine(&header, "VERSION:2.0");
  WriteIcsLine(&header, "METHOD:PUBLISH");
  if (Write(writer, header)) return 1;
  AtomicFileAbort(&writer->file);
  return 0;
}

int IcsWriteEvent(IcsWriter* writer, const CalDate* date, const char* caption, const char* notes) {
  std::string event;
  WriteIcsLine(&event, "BEGIN:VEVENT");
  WriteIcsDateProperty(&event, "DTSTART", date);
  CalDate next;
  GregorianFromAbsolute(AbsoluteFromGregorian(date) + 1, &next);
  WriteIcsDateProperty(&event, "DTEND", &next);
  char value[96];
  char line[128];
  MakeIcsTimestamp(value);
  std::snprintf(line, sizeof line, "DTSTAMP:%s", value);
  WriteIcsLine(&event, line);
  MakeIcsUid(value);
  std::snprintf(line, sizeof line, "UID:%s", value);
  WriteIcsLine(&event, line);
  // The label marker, from the first "#" on, is Outlook's business only.
  const char* marker = std::strchr(caption, '#');
  const std::string summary(caption, marker ? (std::size_t)(marker - caption) : std::strlen(caption));
  WriteIcsTextProperty(&event, "SUMMARY:", Utf8FromText(summary.c_str(), writer->page));
  if (notes[0] != '\0')
    WriteIcsTextProperty(&event, "DESCRIPTION:", Utf8FromText(notes, writer->page));
  WriteIcsLine(&event, "END:VEVENT");
  ++writer->events;
  return Write(writer, event);
}

int IcsEnd(IcsWriter* writer) {
  std::string end;
  WriteIcsLine(&end, "END:VCALENDAR");
  Write(writer, end);
  return AtomicFileCommit(&writer->file);
}

void IcsAbort(IcsWriter* writer) { AtomicFileAbort(&writer->file); }

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
