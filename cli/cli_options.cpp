// Parsing and checking the command line of tavlon-export.
#include "cli/cli_options.h"

#include <cstdlib>
#include <cstring>

#include "calendar/names.h"
#include "cli/cli_app_options.h"

namespace {

// A whole decimal number of at most 9 digits (no sign, no spaces).
int ParseSmallNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 9) return 0;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  *value = v;
  return 1;
}

int IsRealDay(const CalDate& d) {
  return d.year >= 1583 && d.year <= 3000 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= GregorianLastDayOfMonth(d.month, d.year);
}

int ParseIsoDate(const std::string& text, CalDate* date) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return 0;
  return ParseSmallNumber(text.substr(0, 4), &date->year) &&
         ParseSmallNumber(text.substr(5, 2), &date->month) &&
         ParseSmallNumber(text.substr(8, 2), &date->day);
}

}  // namespace

int ParseCliDate(const std::string& text, CalDate* date) {
  CalDate d{};
  if (!ParseIsoDate(text, &d) && !ParseGregorianDate(text.c_str(), &d)) return 0;
  if (!IsRealDay(d)) return 0;
  *date = d;
  return 1;
}

CliArgument SplitCliArgument(const char* text) {
  CliArgument arg;
  arg.name = text;
  const std::size_t equals = arg.name.find('=');
  if (arg.name.rfind("--", 0) == 0 && equals != std::string::npos) {
    arg.value = arg.name.substr(equals + 1);
    arg.name.resize(equals);
    arg.inlineValue = 1;
  }
  return arg;
}

int TakeCliValue(const CliArgument& arg, int argc, const char* const* argv, int* i,
                 std::string* into, std::string* error) {
  if (arg.inlineValue) {
    *into = arg.value;
    return 1;
  }
  if (*i + 1 >= argc) {
    *error = "option " + arg.name + " needs a value";
    return 0;
  }
  *into = argv[++*i];
  return 1;
}

int ParseCliArguments(int argc, const char* const* argv, CliOptions* o, std::string* error) {
  int modes = 0;
  auto setMode = [&](CliMode mode) {
    if (o->mode != mode) ++modes;
    o->mode = mode;
  };
  for (int i = 1; i < argc; ++i) {
    // Options that take a value, as "--opt VALUE" or "--opt=VALUE".
    const CliArgument arg = SplitCliArgument(argv[i]);
    const std::string& name = arg.name;
    const std::string& value = arg.value;
    const int hasInlineValue = arg.inlineValue;
    auto takeValue = [&](std::string* into) { return TakeCliValue(arg, argc, argv, &i, into, error); };
    auto takeYear = [&](int* into) {
      std::string text;
      if (!takeValue(&text)) return 0;
      if (!ParseSmallNumber(text, into) || *into < 1583 || *into > 3000) {
        *error = "option " + name + ": \"" + text + "\" is not a year from 1583 to 3000";
        return 0;
      }
      return 1;
    };
    if (name == "-h" || name == "--help") setMode(kCliHelp);
    else if (name == "--version") setMode(kCliVersion);
    else if (name == "--holidays") setMode(kCliHolidays);
    else if (name == "--anniversaries") setMode(kCliAnniversaries);
    else if (name == "--list-cities") {
      setMode(kCliListCities);
      if (hasInlineValue) o->listFilter = value;
      else if (i + 1 < argc && argv[i + 1][0] != '-') o->listFilter = argv[++i];
    } else if (name == "--from" || name == "--to") {
      std::string* date = name == "--from" ? &o->from : &o->to;
      if (!takeValue(date)) return 0;
      // An empty date would read as no option at all and export a default range.
      if (date->empty()) {
        *error = "option " + name + ": \"\" is not a date from 1583 to 3000";
        return 0;
      }
    }
    else if (name == "--from-year") { if (!takeYear(&o->fromYear)) return 0; }
    else if (name == "--to-year") { if (!takeYear(&o->toYear)) return 0; }
    else if (name == "-o" || name == "--output") {
      if (!takeValue(&o->output)) return 0;
      o->outputGiven = 1;
    }
    else if (name == "--entry") {
      std::string entry;
      if (!takeValue(&entry)) return 0;
      o->entries.push_back(entry);
    } else if (name == "--text") { if (!takeValue(&o->textFile)) return 0; }
    else if (name == "--sort") {
      std::string sort;
      if (!takeValue(&sort)) return 0;
      o->sortGiven = 1;
      if (sort == "hebrew") o->sortOrder = 1;
      else if (sort == "gregorian") o->sortOrder = 2;
      else if (sort == "names") o->sortOrder = 3;
      else {
        *error = "option --sort takes hebrew, gregorian or names, not \"" + sort + "\"";
        return 0;
      }
    } else if (name == "--daf-yomi") o->dafYomi = 1;
    else if (name == "--city") { if (!takeValue(&o->city)) return 0; }
    else if (name == "--israel") o->custom = kCliCustomIsrael;
    else if (name == "--diaspora") o->custom = kCliCustomDiaspora;
    else if (name == "--config") { if (!takeValue(&o->configDir)) return 0; }
    else if (name == "--data") { if (!takeValue(&o->dataDir)) return 0; }
    else if (name == "--quiet" || name == "-q") o->quiet = 1;
    else if (name == "--preview") o->preview = 1;
    else if (const int taken = ParseCliAppOption(
                 name, hasInlineValue,
                 [](void* take, std::string* into) {
                   return (*static_cast<decltype(takeValue)*>(take))(into);
                 },
                 &takeValue, o, error);
             taken >= 0) {
      if (!taken) return 0;
    } else {
      *error = std::string("unknown option ") + argv[i] + " (see --help)";
      return 0;
    }
    if (hasInlineValue && (name == "--holidays" || name == "--anniversaries" || name == "--help" ||
                           name == "--version" || name == "--daf-yomi" || name == "--israel" ||
                           name == "--diaspora" || name == "--quiet" || name == "--preview")) {
      *error = "option " + name + " takes no value";
      return 0;
    }
  }
  if (modes > 1) {
    *error = "choose one of --holidays, --anniversaries, --list-cities, --help, --version";
    return 0;
  }
  if (o->mode != kCliAnniversaries &&
      (!o->entries.empty() || !o->textFile.empty() || o->fromYear || o->toYear)) {
    *error = "--entry, --text, --from-year and --to-year go with --anniversaries";
    return 0;
  }
  if (o->mode == kCliAnniversaries && (!o->from.empty() || !o->to.empty())) {
    *error = "--anniversaries takes years: use --from-year and --to-year";
    return 0;
  }
  if (o->fromYear && o->toYear && o->fromYear > o->toYear) {
    *error = "--from-year " + std::to_string(o->fromYear) + " is after --to-year " +
             std::to_string(o->toYear);
    return 0;
  }
  // Options that would do nothing are refused rather than ignored.
  if (o->sortGiven && o->textFile.empty()) {
    *error = "--sort orders the text table: it goes with --text";
    return 0;
  }
  if (o->outputGiven && !o->textFile.empty()) {
    *error = "--text writes the table to its own file: drop -o";
    return 0;
  }
  if (o->preview && o->mode != kCliExport) {
    *error = "--preview shows a day's entry: it goes with the export of days only";
    return 0;
  }
  if (o->output.empty()) {
    *error = "option --output needs a file name";
    return 0;
  }
  return 1;
}

const char* CliUsage() {
  static const std::string usage = std::string("Usage: tavlon-export [OPTION]...\n"
         "Writes Jewish calendar data as an iCalendar file: one all-day entry per\n"
         "day with the Hebrew date, holidays, Shabbat times, zmanim, anniversaries,\n"
         "readings and, on request, the Daf Yomi, as the settings choose.\n"
         "\n"
         "Days:\n"
         "  --from DATE             first day (YYYY-MM-DD or the configured format)\n"
         "  --to DATE               last day; alone each gives the rest of its year\n"
         "  -o, --output FILE       the iCalendar file (default tavlon.ics; - for stdout)\n"
         "  --daf-yomi              add the Daf Yomi line to each day\n"
         "  --city NAME             the city for the times (default: the settings')\n"
         "  --israel, --diaspora    the custom for holidays and readings\n"
         "  --preview               print the first day's entry (to stderr with -o -)\n"
         "\n"
         "Narrower exports:\n"
         "  --holidays              only the holidays of the range, one entry each\n"
         "  --anniversaries         the anniversaries, birthdays and yahrzeits\n"
         "  --from-year Y           first Gregorian year of --anniversaries\n"
         "  --to-year Y             last year (each defaults to the current year)\n"
         "  --entry \"Birthday: N\"  only this entry (repeatable)\n"
         "  --text FILE             the text table instead of iCalendar (- for stdout)\n"
         "  --sort ORDER            table order: hebrew, gregorian or names\n"
         "\n") + CliAppUsage() + "\n"
         "Other:\n"
         "  --list-cities [TEXT]    list the cities whose name contains TEXT\n"
         "  --config DIR            the folder of exportcal.ini and the other settings\n"
         "  --data DIR              the folder of the cities and anniversaries files\n"
         "  -q, --quiet             no progress and no summary\n"
         "  -h, --help              this text\n"
         "  --version               the version\n";
  return usage.c_str();
}
