// What an iCalendar export adds for people who live in a calendar app:
// identifiers made from what each entry is (so a second import updates
// the first), busy/free status, a display alarm, the calendar's name, and
// timed events in a city's tz zone with the zone's VTIMEZONE.
#pragma once
#include <string>

#include "calendar/caldate.h"

// Outlook's busy states, as [OutlookExport] BusyStatus keeps them.
enum IcsBusy {
  kIcsBusyUnset = -1,  // nothing written
  kIcsBusyFree = 0,
  kIcsBusyTentative = 1,
  kIcsBusyBusy = 2,
  kIcsBusyOutOfOffice = 3,
};

struct IcsEventOptions {
  int stableUids = 0;       // 1: UIDs from what the entry is, else random ones
  std::string uidPrefix;    // before every stable UID: keeps two calendars apart
  int busy = kIcsBusyUnset;
  int alarmMinutes = -1;    // a display alarm this many minutes before the start; -1 none
  std::string calendarName; // UTF-8; empty: no X-WR-CALNAME and NAME
  std::string zoneName;     // tz zone of the timed events; empty: floating local time
  int firstYear = 0;        // the years the VTIMEZONE covers
  int lastYear = 0;
  int shabbatEvents = 0;    // 1: a timed event for each candle lighting and end of Shabbat
};

// "free", "tentative", "busy" or "oof" as an IcsBusy; kIcsBusyUnset for
// anything else.
int ParseIcsBusy(const char* text);

// A UID prefix is letters, digits, "-", "_" and "." only (so it needs no
// escaping anywhere), at most 64 of them. Returns 1 if `text` is one.
int IcsUidPrefixValid(const char* text);

// The stable UID of an entry: prefix, kind, "-", YYYYMMDD, "@" and the
// domain. `kind` says what the entry is ("day", "holiday-Purim",
// "birthday-Ann Levy"); any byte other than a letter, digit, "-" or "_"
// is written as "." and two hex digits, so different kinds never meet.
std::string IcsStableUid(const IcsEventOptions* options, const std::string& kind,
                         const CalDate* date);

// The calendar's lines after its header: X-WR-CALNAME and NAME when a
// name is set, and the VTIMEZONE of the zone when one is set and known.
void IcsCalendarLines(const IcsEventOptions* options, std::string* out);

// An event's TRANSP and X-MICROSOFT-CDO-BUSYSTATUS lines when a busy
// state is set ("" otherwise).
void IcsBusyLines(const IcsEventOptions* options, std::string* out);

// The VALARM trigger line of the alarm ("TRIGGER:-PT18M"), "" when none.
void IcsAlarmTrigger(const IcsEventOptions* options, std::string* out);

// The VTIMEZONE of a tz zone for Gregorian years first..last: the offset
// on 1 January of the first year, then one STANDARD or DAYLIGHT part per
// change of the clock. Returns 1, or 0 (nothing written) for a zone the
// database lacks.
int IcsVTimezone(const char* zoneName, int firstYear, int lastYear, std::string* out);

// "DTSTART;TZID=zone:YYYYMMDDTHHMMSS" of a local clock time (hour may be
// 24 or more: it runs on into the next days), or the floating
// "DTSTART:YYYYMMDDTHHMMSS" when the zone is empty.
void IcsLocalStart(const std::string& zoneName, const CalDate* date, int hour, int minute,
                   std::string* out);

// A whole timed event: `summary` (UTF-8) at the local clock time on
// `date`, in the options' zone (floating without one), with a stable UID
// of `kind` or a random one, the busy state and the alarm.
void IcsTimedEvent(const IcsEventOptions* options, const std::string& kind,
                   const std::string& summary, const CalDate* date, int hour, int minute,
                   std::string* out);
