// Parsing the calendar-app options of tavlon-export.
#include "cli/cli_app_options.h"

#include "cli/cli_options.h"
#include "export/text_encoding.h"
#include "placetime/daylight.h"
#include "placetime/suntimes.h"
#include "platform/ini.h"
#include "export/ical_events.h"
#include "placetime/timezone.h"

int ParseCliAppOption(const std::string& name, int hasInlineValue, CliTakeValue takeValue,
                      void* context, CliOptions* o, std::string* error) {
  std::string value;
  if (name == "--shabbat-events") {
    if (hasInlineValue) {
      *error = "option --shabbat-events takes no value";
      return 0;
    }
    o->shabbatEvents = 1;
    return 1;
  }
  if (name != "--dst" && name != "--zone" && name != "--uid-prefix" && name != "--busy" &&
      name != "--alarm" && name != "--calendar-name")
    return -1;
  if (!takeValue(context, &value)) return 0;
  if (name == "--dst") {
    if (value == "zone") o->dst = kCliDstZone;
    else if (value == "settings") o->dst = kCliDstSettings;
    else if (value == "off") o->dst = kCliDstOff;
    else {
      *error = "option --dst takes zone, settings or off, not \"" + value + "\"";
      return 0;
    }
  } else if (name == "--zone") {
    if (!TimeZoneKnown(value.c_str())) {
      *error = "option --zone: \"" + value + "\" is not a time zone of the tz database" +
               (TimeZoneDatabaseAvailable() ? "" : " (this build has none)");
      return 0;
    }
    o->zone = value;
  } else if (name == "--uid-prefix") {
    if (!IcsUidPrefixValid(value.c_str())) {
      *error = "option --uid-prefix takes up to 64 letters, digits, \"-\", \"_\" and \".\"";
      return 0;
    }
    o->uidPrefix = value;
  } else if (name == "--busy") {
    o->busy = ParseIcsBusy(value.c_str());
    if (o->busy == kIcsBusyUnset) {
      *error = "option --busy takes free, tentative, busy or oof, not \"" + value + "\"";
      return 0;
    }
  } else if (name == "--alarm") {
    int minutes = 0;
    int digits = !value.empty() && value.size() <= 5;
    for (char c : value) {
      digits &= c >= '0' && c <= '9';
      minutes = minutes * 10 + (c - '0');
    }
    // Four weeks is the longest reminder Outlook offers.
    if (!digits || minutes > 40320) {
      *error = "option --alarm takes minutes before the start, 0 to 40320, not \"" + value + "\"";
      return 0;
    }
    o->alarmMinutes = minutes;
  } else {  // --calendar-name
    if (value.empty()) {
      *error = "option --calendar-name needs a name";
      return 0;
    }
    o->calendarName = value;
  }
  return 1;
}

const char* CliAppUsage() {
  return "For calendar apps:\n"
         "  --dst MODE              summer time: zone, settings (daylight.ini) or off\n"
         "  --zone NAME             the city's tz zone (\"Europe/Paris\")\n"
         "  --uid-prefix TEXT       before every UID: keeps two calendars apart\n"
         "  --busy STATUS           free, tentative, busy or oof\n"
         "  --alarm MINUTES         a reminder that many minutes before each entry\n"
         "  --shabbat-events        timed events for candle lighting and Shabbat's end\n"
         "  --calendar-name TEXT    the calendar's name (default: the city, the custom)\n"
         "  anniversaries ACTION    list, add or remove (anniversaries --help)\n";
}

namespace {

// The zone's minutes ahead of the city's standard time.
int ZoneSaving(void* context, int day, int month, int year, int timeZone) {
  int minutes;
  if (!ZoneClockOffset(static_cast<ZoneClock*>(context), day, month, year, timeZone, &minutes))
    return 0;
  return minutes - timeZone * 60;
}

int NoSaving(void*, int, int, int, int) { return 0; }

// 1 when daylight.ini holds an "IsAvail" key, whatever its value.
int DaylightRuleSet() {
  char value[16];
  IniReadString(kDaylightSection, "IsAvail", "\x01", value, sizeof value, kDaylightFile);
  return !(value[0] == '\x01' && value[1] == '\0');
}

}  // namespace

int CliDaylightBegin(const CliOptions& options, const CalWindowState* state,
                     CliDaylight* daylight, std::string* note, std::string* error) {
  // A build without the tz database keeps to daylight.ini unless asked.
  daylight->mode = options.dst != kCliDstDefault                  ? options.dst
                   : DaylightRuleSet() || !TimeZoneDatabaseAvailable() ? kCliDstSettings
                                                                    : kCliDstZone;
  daylight->zoneName = options.zone;
  daylight->clock = ZoneClock{nullptr, 0, 0, 0, 0};
  if (daylight->zoneName.empty() && state->locationKnown) {
    char zone[128];
    if (CityZoneName(state->cityName, zone, sizeof zone)) daylight->zoneName = zone;
  }
  if (!daylight->zoneName.empty() && !TimeZoneKnown(daylight->zoneName.c_str())) {
    if (TimeZoneDatabaseAvailable()) {
      *error = "\"" + daylight->zoneName + "\", the time zone of " + state->cityName +
               " ([CityZones] of exportcal.ini), is not in the tz database";
      return 0;
    }
    daylight->zoneName.clear();  // a build without the database
  }
  if (daylight->mode == kCliDstZone && daylight->zoneName.empty()) {
    *note = !TimeZoneDatabaseAvailable()
                ? std::string("this build has no tz database: daylight saving follows daylight.ini")
                : std::string(state->locationKnown ? state->cityName : "no city") +
                      " has no time zone: daylight saving follows daylight.ini";
    daylight->mode = kCliDstSettings;
  }
  if (daylight->mode == kCliDstZone) {
    ZoneClockOpen(&daylight->clock, daylight->zoneName.c_str());
    SetDaylightSource(ZoneSaving, &daylight->clock);
  } else if (daylight->mode == kCliDstOff) {
    SetDaylightSource(NoSaving, nullptr);
  } else {
    SetDaylightSource(nullptr, nullptr);
  }
  return 1;
}

void CliDaylightEnd(CliDaylight*) { SetDaylightSource(nullptr, nullptr); }

std::string CliDaylightSummary(const CliDaylight* daylight) {
  if (daylight->mode == kCliDstZone) return "daylight saving from " + daylight->zoneName;
  if (daylight->mode == kCliDstOff) return "no daylight saving";
  return "daylight saving from daylight.ini";
}

void CliIcsOptions(const CliOptions& options, const std::string& defaultName,
                   const CliDaylight* daylight, int firstYear, int lastYear,
                   IcsEventOptions* out) {
  *out = IcsEventOptions{};
  out->stableUids = 1;
  out->uidPrefix = options.uidPrefix;
  out->busy = options.busy;
  out->alarmMinutes = options.alarmMinutes;
  out->calendarName = !options.calendarName.empty() ? options.calendarName : defaultName;
  out->shabbatEvents = options.shabbatEvents;
  // Timed events carry the zone only when their times are the zone's.
  if (options.shabbatEvents && daylight && daylight->mode == kCliDstZone)
    out->zoneName = daylight->zoneName;
  out->firstYear = firstYear;
  out->lastYear = lastYear;
}
