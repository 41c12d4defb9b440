// The iCalendar extras of an export for calendar apps.
#include "export/ical_events.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "export/icalendar.h"
#include "placetime/timezone.h"

namespace {

constexpr int kUidPrefixMost = 64;

int IsWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

// "+HHMM" or "-HHMM" of an offset in minutes.
std::string OffsetText(int minutes) {
  char text[16];
  const int a = minutes < 0 ? -minutes : minutes;
  std::snprintf(text, sizeof text, "%c%02d%02d", minutes < 0 ? '-' : '+', a / 60 % 100, a % 60);
  return text;
}

// "YYYYMMDDTHHMMSS" of seconds since 1970 moved by `minutes`.
std::string LocalStamp(long long utc, int minutes) {
  const long long local = utc + static_cast<long long>(minutes) * 60;
  long long days = local / 86400;
  long long rest = local % 86400;
  if (rest < 0) {
    rest += 86400;
    days -= 1;
  }
  CalDate date;
  GregorianFromAbsolute(static_cast<int>(days + 719163), &date);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", (int)date.year, (int)date.month,
                (int)date.day, (int)(rest / 3600), (int)(rest / 60 % 60), (int)(rest % 60));
  return text;
}

void Part(std::string* out, int daylight, const std::string& start, int from, int to,
          const char* name) {
  const char* kind = daylight ? "DAYLIGHT" : "STANDARD";
  WriteIcsLine(out, (std::string("BEGIN:") + kind).c_str());
  WriteIcsLine(out, ("DTSTART:" + start).c_str());
  WriteIcsLine(out, ("TZOFFSETFROM:" + OffsetText(from)).c_str());
  WriteIcsLine(out, ("TZOFFSETTO:" + OffsetText(to)).c_str());
  if (name[0]) WriteIcsTextProperty(out, "TZNAME:", name);
  WriteIcsLine(out, (std::string("END:") + kind).c_str());
}

}  // namespace

int ParseIcsBusy(const char* text) {
  static constexpr struct {
    const char* word;
    int busy;
  } kWords[] = {{"free", kIcsBusyFree},
                {"tentative", kIcsBusyTentative},
                {"busy", kIcsBusyBusy},
                {"oof", kIcsBusyOutOfOffice}};
  for (const auto& w : kWords)
    if (std::strcmp(text, w.word) == 0) return w.busy;
  return kIcsBusyUnset;
}

int IcsUidPrefixValid(const char* text) {
  const std::size_t n = std::strlen(text);
  if (n > kUidPrefixMost) return 0;
  for (std::size_t i = 0; i < n; ++i)
    if (!IsWordByte((unsigned char)text[i]) && text[i] != '.') return 0;
  return 1;
}

std::string IcsStableUid(const IcsEventOptions* options, const std::string& kind,
                         const CalDate* date) {
  std::string uid = options->uidPrefix;
  if (!uid.empty() && uid.back() != '-' && uid.back() != '.') uid += '-';
  constexpr char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : kind) {
    if (IsWordByte(c)) {
      uid += (char)c;
    } else {
      uid += '.';
      uid += kHex[c >> 4];
      uid += kHex[c & 0xF];
    }
  }
  char day[32];
  std::snprintf(day, sizeof day, "-%04d%02d%02d@", (int)date->year, (int)date->month,
                (int)date->day);
  return uid + day + kIcsUidDomain;
}

void IcsCalendarLines(const IcsEventOptions* options, std::string* out) {
  if (!options->calendarName.empty()) {
    WriteIcsTextProperty(out, "X-WR-CALNAME:", options->calendarName);
    WriteIcsTextProperty(out, "NAME:", options->calendarName);
  }
  if (!options->zoneName.empty())
    IcsVTimezone(options->zoneName.c_str(), options->firstYear, options->lastYear, out);
}

void IcsBusyLines(const IcsEventOptions* options, std::string* out) {
  static constexpr const char* kStatus[] = {"FREE", "TENTATIVE", "BUSY", "OOF"};
  if (options->busy < kIcsBusyFree || options->busy > kIcsBusyOutOfOffice) return;
  WriteIcsLine(out, options->busy == kIcsBusyFree ? "TRANSP:TRANSPARENT" : "TRANSP:OPAQUE");
  WriteIcsLine(out, (std::string("X-MICROSOFT-CDO-BUSYSTATUS:") + kStatus[options->busy]).c_str());
}

void IcsAlarmTrigger(const IcsEventOptions* options, std::string* out) {
  if (options->alarmMinutes < 0) return;
  WriteIcsLine(out, ("TRIGGER:-PT" + std::to_string(options->alarmMinutes) + "M").c_str());
}

int IcsVTimezone(const char* zoneName, int firstYear, int lastYear, std::string* out) {
  int startMinutes, startDaylight;
  char startName[16];
  std::vector<ZoneChange> changes;
  if (ZoneChanges(zoneName, firstYear, lastYear, &startMinutes, &startDaylight, startName,
                  &changes) < 0)
    return 0;
  WriteIcsLine(out, "BEGIN:VTIMEZONE");
  WriteIcsTextProperty(out, "TZID:", zoneName);
  // The clock as the range begins, then each change at its local time
  // before the change (the clock it interrupts).
  char start[32];
  std::snprintf(start, sizeof start, "%04d0101T000000", firstYear);
  Part(out, startDaylight, start, startMinutes, startMinutes, startName);
  for (const ZoneChange& c : changes)
    Part(out, c.daylight, LocalStamp(c.utc, c.fromMinutes), c.fromMinutes, c.toMinutes, c.name);
  WriteIcsLine(out, "END:VTIMEZONE");
  return 1;
}

void IcsLocalStart(const std::string& zoneName, const CalDate* date, int hour, int minute,
                   std::string* out) {
  CalDate day = *date;
  if (hour >= 24) {  // a time past midnight belongs to the next day
    GregorianFromAbsolute(AbsoluteFromGregorian(date) + hour / 24, &day);
    hour %= 24;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", (int)day.year, (int)day.month,
                (int)day.day, hour, minute);
  std::string line = "DTSTART";
  if (!zoneName.empty()) line += ";TZID=" + zoneName;
  WriteIcsLine(out, (line + ":" + text).c_str());
}

void IcsTimedEvent(const IcsEventOptions* options, const std::string& kind,
                   const std::string& summary, const CalDate* date, int hour, int minute,
                   std::string* out) {
  WriteIcsLine(out, "BEGIN:VEVENT");
  IcsLocalStart(options->zoneName, date, hour, minute, out);
  char value[96];
  MakeIcsTimestamp(value);
  WriteIcsLine(out, (std::string("DTSTAMP:") + value).c_str());
  if (options->stableUids) {
    WriteIcsTextProperty(out, "UID:", IcsStableUid(options, kind, date));
  } else {
    MakeIcsUid(value);
    WriteIcsLine(out, (std::string("UID:") + value).c_str());
  }
  WriteIcsTextProperty(out, "SUMMARY:", summary);
  IcsBusyLines(options, out);
  if (options->alarmMinutes >= 0) {
    WriteIcsLine(out, "BEGIN:VALARM");
    WriteIcsLine(out, "ACTION:DISPLAY");
    WriteIcsTextProperty(out, "DESCRIPTION:", summary);
    IcsAlarmTrigger(options, out);
    WriteIcsLine(out, "END:VALARM");
  }
  WriteIcsLine(out, "END:VEVENT");
}
