// Running tavlon-export.
#include "cli/cli_run.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_text.h"
#include "calendar/callang.h"
#include "calendar/holidays.h"
#include "cli/cli_app_options.h"
#include "export/composer.h"
#include "export/export_run.h"
#include "settings/settings.h"
#include "export/text_encoding.h"
#include "placetime/cities.h"
#include "readings/reading_texts.h"
#include "placetime/shabbat.h"
#include "placetime/suntimes.h"
#include "platform/clock.h"
#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/message.h"

namespace {

constexpr char kProgram[] = "tavlon-export";
constexpr char kVersion[] = "1.2g";

struct Run {
  const CliOptions* options;
  std::FILE* out;
  std::FILE* err;
  int bar;      // draw a progress bar on err
  int shown;    // width of the bar drawn so far
};

// The core's messages: errors always, information unless --quiet.
int ShowOnStderr(const char* text, const char*, MessageIcon icon, void* context) {
  const Run* run = static_cast<const Run*>(context);
  if (icon == MessageIconError || !run->options->quiet)
    std::fprintf(run->err, "%s: %s\n", kProgram, text);
  return 0;  // a question is answered No
}

int Fail(const Run& run, int code, const std::string& message) {
  std::fprintf(run.err, "%s: %s\n", kProgram, message.c_str());
  return code;
}

int Progress(void* context, int done, int total, const CalDate*) {
  Run* run = static_cast<Run*>(context);
  if (!run->bar || total <= 0) return 1;
  constexpr int kWidth = 40;
  const int filled = (int)((long long)done * kWidth / total);
  if (filled == run->shown && done != total) return 1;
  run->shown = filled;
  std::fprintf(run->err, "\r[%.*s%*s] %3d%%", filled, "########################################",
               kWidth - filled, "", (int)((long long)done * 100 / total));
  if (done == total) std::fputs("\r\033[K", run->err);
  std::fflush(run->err);
  return 1;
}

// The window record the program would have: the custom, the city and the
// Shabbat settings from the settings files, with the command line's choices
// over them.
int MakeState(const Run& run, CalWindowState* state) {
  *state = CalWindowState{};
  state->leftToRight = 1;
  state->diaspora = run.options->custom == kCliCustomSettings ? ReadingsDiasporaFlag()
                                                             : run.options->custom;
  SetReadingsDiasporaOverride(state->diaspora);
  std::string city = run.options->city;
  if (city.empty()) {
    char name[256];
    IniReadString(kLocationSection, kCityNameKey, kDefaultCityName, name, sizeof name, kSettingsFile);
    city = name;
  }
  std::snprintf(state->cityName, sizeof state->cityName, "%s", city.c_str());
  state->locationKnown = LookupCity(state->cityName, &state->latitude, &state->longitude,
                                    &state->timeZone, &state->elevation);
  if (!state->locationKnown && !run.options->city.empty()) return 0;
  ShabbatSettings shabbat;
  ReadShabbatSettings(&shabbat);
  ShabbatSettingsToState(&shabbat, state);
  return 1;
}

int CurrentYear() {
  ClockTime now;
  LocalNow(&now);
  return now.year;
}

// The range of days: --from and --to, or the current year; either order.
int ReadRange(const Run& run, int* first, int* last) {
  const int year = CurrentYear();
  CalDate from = {1, 1, year};
  CalDate to = {31, 12, year};
  if (!run.options->from.empty() && !ParseCliDate(run.options->from, &from)) return 0;
  if (!run.options->to.empty() && !ParseCliDate(run.options->to, &to)) return 0;
  *first = AbsoluteFromGregorian(&from);
  *last = AbsoluteFromGregorian(&to);
  if (*first > *last) std::swap(*first, *last);
  return 1;
}

// Writes to a temporary file first when the output is standard output, so
// that a failure leaves nothing half-written there either.
std::string OutputPath(const Run& run) {
  if (run.options->output != "-") return run.options->output;
  char folder[1024];
  TempFolder(folder, sizeof folder);
  char path[1100];
  std::snprintf(path, sizeof path, "%s%ctavlon-export-%u.ics", folder, kPathSeparator, TickCount());
  return path;
}

int FinishOutput(const Run& run, const std::string& path) {
  if (run.options->output != "-") return 1;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  char buffer[65536];
  std::size_t n;
  int ok = 1;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    if (std::fwrite(buffer, 1, n, run.out) != n) ok = 0;
  std::fclose(file);
  std::remove(path.c_str());
  return ok && std::fflush(run.out) == 0;
}

std::string DateText(int absoluteDay) {
  CalDate d;
  GregorianFromAbsolute(absoluteDay, &d);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", (int)d.year, (int)d.month, (int)d.day);
  return text;
}

// Prints the entry as UTF-8, Hebrew in reading order, as the file has it.
void PrintEntry(const Run& run, const CalDate& date, const char* caption, const char* notes) {
  const CodePage page = ExportCodePage();
  std::fprintf(run.out, "First entry, %04d-%02d-%02d:\n  Caption: %s\n", (int)date.year,
               (int)date.month, (int)date.day, Utf8FromText(caption, page).c_str());
  const std::string text = Utf8FromText(notes, page);
  std::fprintf(run.out, "  Notes:%s\n", text.empty() ? " (none)" : "");
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::fprintf(run.out, "    %s\n", text.substr(start, end - start).c_str());
    start = end + 2;
  }
}

// The calendar's default name: the program, the city and the custom.
std::string CalendarName(const CalWindowState& state) {
  return std::string("Tavlon: ") + (state.locationKnown ? state.cityName : "no location") + " (" +
         (state.diaspora ? "Diaspora" : "Israel") + ")";
}

int ExportDays(Run& run) {
  int first, last;
  if (!ReadRange(run, &first, &last))
    return Fail(run, kCliBadInput, "not a date from 1583 to 3000: use YYYY-MM-DD or the configured format");
  CalWindowState state;
  if (!MakeState(run, &state)) return Fail(run, kCliBadInput, "unknown city \"" + run.options->city + "\" (see --list-cities)");
  ExportSettings settings;
  ReadExportSettings(&settings);
  settings.includeDafYomi = run.options->dafYomi;
  CliDaylight daylight;
  std::string note, error;
  if (!CliDaylightBegin(*run.options, &state, &daylight, &note, &error))
    return Fail(run, kCliBadInput, error);
  if (!note.empty() && !run.options->quiet) std::fprintf(run.err, "%s: %s\n", kProgram, note.c_str());
  CalDate firstDate, lastDate;
  GregorianFromAbsolute(first, &firstDate);
  GregorianFromAbsolute(last, &lastDate);
  IcsEventOptions ics;
  CliIcsOptions(*run.options, CalendarName(state), &daylight, firstDate.year, lastDate.year, &ics);
  const std::string path = OutputPath(run);
  const int result =
      RunExportToIcs(first, last, &state, &settings, path.c_str(), Progress, &run, &ics);
  if (result != kExportWritten || !FinishOutput(run, path)) {
    CliDaylightEnd(&daylight);
    return Fail(run, kCliFailed, "could not write " + run.options->output);
  }
  if (!run.options->quiet && run.options->output != "-")
    std::fprintf(run.out, "Wrote %d %s (%s to %s, %s, %s, %s) to %s\n", last - first + 1,
                 last == first ? "entry" : "entries",
                 DateText(first).c_str(), DateText(last).c_str(),
                 state.locationKnown ? state.cityName : "no location",
                 state.diaspora ? "Diaspora" : "Israel", CliDaylightSummary(&daylight).c_str(),
                 run.options->output.c_str());
  if (run.options->preview) {
    CalDate date;
    GregorianFromAbsolute(first, &date);
    char caption[kDayTextSize];
    char notes[kDayTextSize];
    ComposeDayRecord(date.day, date.month, date.year, &state, &settings, nullptr, caption, notes);
    char* marker = std::strchr(caption, '#');
    if (marker) *marker = '\0';
    PrintEntry(run, date, caption, notes);
  }
  CliDaylightEnd(&daylight);
  return kCliOk;
}

int ExportHolidays(Run& run) {
  int first, last;
  if (!ReadRange(run, &first, &last))
    return Fail(run, kCliBadInput, "not a date from 1583 to 3000: use YYYY-MM-DD or the configured format");
  CalWindowState state;
  if (!MakeState(run, &state)) return Fail(run, kCliBadInput, "unknown city \"" + run.options->city + "\"");
  std::vector<ExportEntry> entries;
  const int label = ReadIniInt("OutlookExport", "Label", 0, kSettingsFile);
  if (HolidayImportEntries(first, last, state.diaspora, label, &entries) == 0) {
    if (!run.options->quiet) std::fprintf(run.err, "%s: No holidays to import\n", kProgram);
    return kCliOk;
  }
  IcsEventOptions ics;
  CliIcsOptions(*run.options,
                std::string("Tavlon: holidays (") + (state.diaspora ? "Diaspora" : "Israel") + ")",
                nullptr, 0, 0, &ics);
  const std::string path = OutputPath(run);
  if (WriteEntriesToIcs(entries, path.c_str(), Progress, &run, &ics) != kExportWritten || !FinishOutput(run, path))
    return Fail(run, kCliFailed, "could not write " + run.options->output);
  if (!run.options->quiet && run.options->output != "-")
    std::fprintf(run.out, "Wrote %d holiday %s (%s to %s) to %s\n", (int)entries.size(),
                 entries.size() == 1 ? "entry" : "entries",
                 DateText(first).c_str(), DateText(last).c_str(), run.options->output.c_str());
  return kCliOk;
}

// The packed selection: the chosen entries, or every record of the store.
int MakeSelection(const Run& run, std::vector<char>* selection) {
  char path[1024];
  AnniversaryList list;
  if (AnniversaryFilePath(path, sizeof path)) AnniversaryListLoad(&list, path);
  if (run.options->entries.empty()) {
    for (const AnniversaryRecord& r : list.records) AnniversarySelectionAdd(selection, (char)r.type, r.name);
  }
  for (const std::string& label : run.options->entries) {
    char type;
    char name[kAnniversaryNameSize];
    ParseAnniversaryLabel(label.c_str(), &type, name, sizeof name);
    if (type == ' ') {
      Fail(run, 0, "entry \"" + label + "\" is not \"Anniversary: name\", \"Birthday: name\" or \"Yahrzeit: name\"");
      AnniversaryListFree(&list);
      return 0;
    }
    int found = 0;
    for (const AnniversaryRecord& r : list.records)
      found |= r.type == type && AnniversaryCompareNames(r.name, name) == 0;
    if (!found) {
      Fail(run, 0, "no entry \"" + label + "\" in the anniversaries file");
      AnniversaryListFree(&list);
      return 0;
    }
    AnniversarySelectionAdd(selection, type, name);
  }
  selection->push_back('\0');
  AnniversaryListFree(&list);
  return 1;
}

int ExportAnniversaries(Run& run) {
  const int year = CurrentYear();
  int from = run.options->fromYear ? run.options->fromYear : year;
  int to = run.options->toYear ? run.options->toYear : year;
  if (from > to) std::swap(from, to);
  std::vector<char> selection;
  if (!MakeSelection(run, &selection)) return kCliBadInput;
  if (!run.options->textFile.empty()) {
    return ExportAnniversariesToText(selection.data(), selection.size(), from, to,
                                     run.options->textFile.c_str(), run.options->sortOrder)
               ? kCliOk
               : kCliFailed;
  }
  std::vector<ExportEntry> entries;
  AnniversaryImportEntries(selection.data(), selection.size(), from, to, &entries);
  IcsEventOptions ics;
  CliIcsOptions(*run.options, "Tavlon: anniversaries", nullptr, 0, 0, &ics);
  const std::string path = OutputPath(run);
  if (WriteEntriesToIcs(entries, path.c_str(), Progress, &run, &ics) != kExportWritten || !FinishOutput(run, path))
    return Fail(run, kCliFailed, "could not write " + run.options->output);
  if (!run.options->quiet && run.options->output != "-")
    std::fprintf(run.out, "Wrote %d %s (years %d to %d) to %s\n", (int)entries.size(),
                 entries.size() == 1 ? "entry" : "entries", from, to,
                 run.options->output.c_str());
  return kCliOk;
}

int ListCities(const Run& run) {
  const std::string filter = run.options->listFilter;
  auto contains = [&filter](const char* name) {
    if (filter.empty()) return true;
    const std::size_t n = std::strlen(name);
    for (std::size_t i = 0; i + filter.size() <= n; ++i) {
      std::string part(name + i, filter.size());
      if (CityNameCompare(part.c_str(), filter.c_str()) == 0) return true;
    }
    return false;
  };
  LocationChoices choices;
  SelectLocationFill(UserCities(), "", &choices);
  int shown = 0;
  for (const std::string& name : choices.names) {
    if (!contains(name.c_str())) continue;
    char info[kLocationInfoSize];
    SelectLocationInfo(UserCities(), name.c_str(), info, sizeof info);
    std::fprintf(run.out, "%s\n", info);
    ++shown;
  }
  if (shown == 0) return Fail(run, kCliBadInput, "no city matches \"" + filter + "\"");
  return kCliOk;
}

}  // namespace

int RunCli(const CliOptions& options, std::FILE* out, std::FILE* err, int errIsTerminal) {
  Run run = {&options, out, err, errIsTerminal && !options.quiet, -1};
  if (options.mode == kCliHelp) {
    std::fputs(CliUsage(), out);
    return kCliOk;
  }
  if (options.mode == kCliVersion) {
    std::fprintf(out, "%s %s\n", kProgram, kVersion);
    return kCliOk;
  }
  SetSettingsFolderOverride(options.configDir.empty() ? nullptr : options.configDir.c_str());
  SetDocumentsFolderOverride(options.dataDir.empty() ? nullptr : options.dataDir.c_str());
  SetMessageHook(ShowOnStderr, &run);
  int code = kCliFailed;
  if (!CallangInitialize()) {
    code = Fail(run, kCliFailed, "the holiday definitions did not load");
  } else {
    char citiesPath[1024];
    if (CitiesFilePath(citiesPath, sizeof citiesPath)) LoadUserCities(UserCities(), citiesPath);
    SunCacheInit();
    switch (options.mode) {
      case kCliHolidays: code = ExportHolidays(run); break;
      case kCliAnniversaries: code = ExportAnniversaries(run); break;
      case kCliListCities: code = ListCities(run); break;
      default: code = ExportDays(run); break;
    }
    SunCacheFree();
    FreeUserCities(UserCities());
  }
  SetMessageHook(nullptr, nullptr);
  SetReadingsDiasporaOverride(-1);
  return code;
}
