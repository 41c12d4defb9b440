// The options of tavlon-export for people who live in a calendar app:
// daylight saving by zone, stable UIDs, busy/free, alarms, timed Shabbat
// events and the calendar's name.
#pragma once
#include <string>

#include "export/ical_events.h"
#include "placetime/timezone.h"
#include "placetime/window_state.h"

struct CliOptions;

// Where daylight saving comes from.
enum CliDst {
  kCliDstDefault = -1,  // the settings' rule when daylight.ini holds "IsAvail", else the zone
  kCliDstZone = 0,      // the city's tz zone
  kCliDstSettings = 1,  // the one rule of daylight.ini
  kCliDstOff = 2,       // standard time all year
};

// Takes the option `name` when it is one of these. `takeValue` gives the
// option's value (from "--opt=VALUE" or the next argument) or sets the
// error. Returns 1 when taken, 0 with a one-line *error, -1 when `name`
// is none of these.
using CliTakeValue = int (*)(void* context, std::string* value);
int ParseCliAppOption(const std::string& name, int hasInlineValue, CliTakeValue takeValue,
                      void* context, CliOptions* options, std::string* error);

// The options' usage lines.
const char* CliAppUsage();

// The daylight saving of one run: set up for the city of the state,
// cleared by CliDaylightEnd.
struct CliDaylight {
  int mode;              // kCliDstZone, kCliDstSettings or kCliDstOff, as used
  std::string zoneName;  // the city's tz zone ("" when it has none)
  ZoneClock clock;
};

// Chooses the mode (--dst, else the settings' rule when daylight.ini holds
// "IsAvail", else the zone), finds the city's zone (--zone, else its own)
// and sets the sun times' daylight source. A city without a zone under
// `zone` uses the settings' rule, and *note says so. Returns 1, or 0 with
// a one-line *error for a zone name the database lacks.
int CliDaylightBegin(const CliOptions& options, const CalWindowState* state,
                     CliDaylight* daylight, std::string* note, std::string* error);
// Gives the sun times back the settings' rule.
void CliDaylightEnd(CliDaylight* daylight);
// "daylight saving from America/New_York", "... from daylight.ini", "no
// daylight saving".
std::string CliDaylightSummary(const CliDaylight* daylight);

// The writer's options of a run: stable UIDs, the options' prefix, busy
// state and alarm, the calendar name (--calendar-name, else `defaultName`,
// both UTF-8), the zone and years of the timed events.
void CliIcsOptions(const CliOptions& options, const std::string& defaultName,
                   const CliDaylight* daylight, int firstYear, int lastYear,
                   IcsEventOptions* out);
