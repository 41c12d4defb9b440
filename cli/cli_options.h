// The command line of tavlon-export: its options and their checks.
#pragma once
#include <string>
#include <vector>

#include "calendar/caldate.h"

enum CliMode {
  kCliExport,         // every day of the range (the default)
  kCliHolidays,       // --holidays
  kCliAnniversaries,  // --anniversaries
  kCliListCities,     // --list-cities
  kCliHelp,           // -h, --help
  kCliVersion,        // --version
};

enum CliCustom { kCliCustomSettings = -1, kCliCustomIsrael = 0, kCliCustomDiaspora = 1 };

struct CliOptions {
  CliMode mode = kCliExport;
  std::string from, to;               // as typed; empty: the current year
  int fromYear = 0, toYear = 0;       // --from-year/--to-year; 0: the current year
  std::string output = "tavlon.ics";  // "-": standard output
  int outputGiven = 0;                // -o was typed
  std::vector<std::string> entries;   // --entry "Birthday: Name"
  std::string textFile;               // --text FILE
  int sortOrder = 1;                  // --sort: 1 hebrew, 2 gregorian, 3 names
  int sortGiven = 0;                  // --sort was typed
  int dafYomi = 0;
  std::string city;                   // --city; empty: the settings' city
  int custom = kCliCustomSettings;
  std::string configDir, dataDir;
  std::string listFilter;             // --list-cities [TEXT]
  int quiet = 0;
  int preview = 0;                    // --preview: print the first day's entry
  // For calendar apps (cli_app_options.h).
  int dst = -1;                       // a CliDst
  std::string zone;                   // --zone: the city's tz zone
  std::string uidPrefix;              // --uid-prefix
  int busy = -1;                      // --busy: an IcsBusy
  int alarmMinutes = -1;              // --alarm; -1 none
  int shabbatEvents = 0;              // --shabbat-events
  std::string calendarName;           // --calendar-name; empty: the default
};

// One argument of a command line, "--opt=VALUE" split into its name and
// inline value.
struct CliArgument {
  std::string name;     // the whole argument when it holds no value
  std::string value;    // after "=", when inlineValue
  int inlineValue = 0;
};
CliArgument SplitCliArgument(const char* arg);
// The argument's value: the inline one, else the next argument (moving *i
// on). Returns 1, or 0 with "option NAME needs a value" in *error.
int TakeCliValue(const CliArgument& arg, int argc, const char* const* argv, int* i,
                 std::string* into, std::string* error);

// Parses argv[1..argc-1]. Returns 1, or 0 with a one-line message in
// *error (an unknown option, a missing or malformed value, options that
// do not go together or do nothing in the chosen mode, years in reverse).
int ParseCliArguments(int argc, const char* const* argv, CliOptions* options, std::string* error);

// A typed date: ISO "YYYY-MM-DD", or the configured format ("5.3.2007" or
// "3/5/2007"). Returns 1 for a real Gregorian day of 1583-3000, else 0.
int ParseCliDate(const std::string& text, CalDate* date);

// The usage text of --help.
const char* CliUsage();
