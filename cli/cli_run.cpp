// Running tavlon-export.
#include "cli/cli_run.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
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
#include "platform/text.h"

namespace {

constexpr char kProgram[] = "tavlon-export";
constexpr char kVersion[] = "1.2g";

struct Run {
  const CliOptions* options;
  std::FILE* out;
  std::FILE* err;
  int bar;      // draw a progress bar on err
  int shown;    // width of the bar drawn so far
  mutable int warnedDamaged;  // the damaged anniversaries file was named
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
  // Typed or read from the settings in the user's code page; matched as
  // UTF-8 without regard to case, then to accents; kept as the city stores it.
  std::string stored;
  if (!FindCityByTypedName(UserCities(), Utf8FromUserText(city.c_str()), &stored)) stored = city;
  std::snprintf(state->cityName, sizeof state->cityName, "%s", stored.c_str());
  state->locationKnown = LookupCity(state->cityName, &state->latitude, &state->longitude,
                                    &state->timeZone, &state->elevation);
  if (!state->locationKnown && !run.options->city.empty()) return 0;
  ShabbatSettings shabbat;
  ReadShabbatSettings(&shabbat);
  ShabbatSettingsToState(&shabbat, state);
  return 1;
}

void CopyFolderUnknown(char* out) { std::snprintf(out, 32, "%s", "(cannot be found)"); }

int CurrentYear() {
  ClockTime now;
  LocalNow(&now);
  return now.year;
}

// The range of days: --from and --to; either alone gives the rest of its
// year; neither, the current year. Returns 1, or 0 after saying why.
int ReadRange(const Run& run, int* first, int* last) {
  const CliOptions& o = *run.options;
  CalDate from{}, to{};
  for (auto [text, date] : {std::pair{&o.from, &from}, std::pair{&o.to, &to}}) {
    if (!text->empty() && !ParseCliDate(*text, date)) {
      Fail(run, 0, "\"" + *text + "\" is not a date from 1583 to 3000: use YYYY-MM-DD or the configured format");
      return 0;
    }
  }
  if (o.from.empty()) from = {1, 1, o.to.empty() ? CurrentYear() : to.year};
  if (o.to.empty()) to = {31, 12, from.year};
  *first = AbsoluteFromGregorian(&from);
  *last = AbsoluteFromGregorian(&to);
  if (*first > *last) {
    Fail(run, 0, "--from " + o.from + " is after --to " + o.to);
    return 0;
  }
  return 1;
}

// Says that the file could not be written, and why.
int WriteFailed(const Run& run, const std::string& path) {
  const std::string what = path == kStreamPath ? std::string("standard output") : path;
  return Fail(run, kCliFailed, "could not write " + what + ": " + SaveFailureReason());
}

std::string DateText(int absoluteDay) {
  CalDate d;
  GregorianFromAbsolute(absoluteDay, &d);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", (int)d.year, (int)d.month, (int)d.day);
  return text;
}

// Prints the entry as UTF-8, Hebrew in reading order, as the file has it.
// On standard error when the calendar itself goes to standard output.
void PrintEntry(const Run& run, const CalDate& date, const char* caption, const char* notes) {
  const CodePage page = ExportCodePage();
  std::FILE* out = run.options->output == kStreamPath ? run.err : run.out;
  std::fprintf(out, "First entry, %04d-%02d-%02d:\n  Caption: %s\n", (int)date.year,
               (int)date.month, (int)date.day, Utf8FromText(caption, page).c_str());
  const std::string text = Utf8FromText(notes, page);
  std::fprintf(out, "  Notes:%s\n", text.empty() ? " (none)" : "");
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::fprintf(out, "    %s\n", text.substr(start, end - start).c_str());
    start = end + 2;
  }
}

// The calendar's default name, UTF-8: the program, the city and the custom.
std::string CalendarName(const CalWindowState& state) {
  return std::string("Tavlon: ") +
         (state.locationKnown ? CityNameUtf8(UserCities(), state.cityName) : "no location") + " (" +
         (state.diaspora ? "Diaspora" : "Israel") + ")";
}

// Loads the anniversaries file; a damaged one is named on standard error,
// once, and what could be read is used (the file is never written here).
void LoadAnniversaries(const Run& run, AnniversaryList* list) {
  char path[1024];
  if (!AnniversaryFilePath(path, sizeof path)) return;
  const int count = AnniversaryListLoad(list, path);
  if (list->damaged && !run.warnedDamaged) {
    run.warnedDamaged = 1;
    Fail(run, 0, std::string("the anniversaries file \"") + path + "\" is damaged; using the " +
                     std::to_string(count) + " " + (count == 1 ? "entry" : "entries") +
                     " read before the damage");
  }
}

int ExportDays(Run& run) {
  int first, last;
  if (!ReadRange(run, &first, &last)) return kCliBadInput;
  CalWindowState state;
  if (!MakeState(run, &state)) return Fail(run, kCliBadInput, "unknown city \"" + run.options->city + "\" (see --list-cities)");
  ExportSettings settings;
  ReadExportSettings(&settings);
  settings.includeDafYomi = run.options->dafYomi;
  const int* flags = settings.includeFlags.flag;
  if (flags[kIncludeAnniversaries] || flags[kIncludeBirthdays] || flags[kIncludeYahrzeit]) {
    AnniversaryList list;
    LoadAnniversaries(run, &list);
    AnniversaryListFree(&list);
  }
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
  const std::string& path = run.options->output;
  if (RunExportToIcs(first, last, &state, &settings, path.c_str(), Progress, &run, &ics) !=
      kExportWritten) {
    CliDaylightEnd(&daylight);
    return WriteFailed(run, path);
  }
  if (!run.options->quiet && path != kStreamPath)
    std::fprintf(run.out, "Wrote %d %s (%s to %s, %s, %s, %s) to %s\n", last - first + 1,
                 last == first ? "entry" : "entries",
                 DateText(first).c_str(), DateText(last).c_str(),
                 state.locationKnown ? CityNameUtf8(UserCities(), state.cityName).c_str() : "no location",
                 state.diaspora ? "Diaspora" : "Israel", CliDaylightSummary(&daylight).c_str(),
                 run.options->output.c_str());
  if (run.options->preview) {
    CalDate date;
    GregorianFromAbsolute(first, &date);
    char caption[kDayTextSize];
    char notes[kDayTextSize];
    AnniversaryDays anniversaries;
    AnniversaryDaysLoad(&anniversaries, date.year, date.year);
    MarkAnniversaryNames(&anniversaries);
    ComposeDayRecord(date.day, date.month, date.year, &state, &settings, &anniversaries, caption, notes);
    caption[CaptionTitleLength(caption)] = '\0';
    PrintEntry(run, date, caption, notes);
  }
  CliDaylightEnd(&daylight);
  return kCliOk;
}

int ExportHolidays(Run& run) {
  int first, last;
  if (!ReadRange(run, &first, &last)) return kCliBadInput;
  CalWindowState state;
  if (!MakeState(run, &state)) return Fail(run, kCliBadInput, "unknown city \"" + run.options->city + "\" (see --list-cities)");
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
  const std::string& path = run.options->output;
  if (WriteEntriesToIcs(entries, path.c_str(), Progress, &run, &ics) != kExportWritten)
    return WriteFailed(run, path);
  if (!run.options->quiet && path != kStreamPath)
    std::fprintf(run.out, "Wrote %d holiday %s (%s to %s) to %s\n", (int)entries.size(),
                 entries.size() == 1 ? "entry" : "entries",
                 DateText(first).c_str(), DateText(last).c_str(), run.options->output.c_str());
  return kCliOk;
}

// At most the first 60 characters of a typed text, not cutting a UTF-8
// character, for a message.
std::string Shortened(const std::string& text) {
  constexpr std::size_t kShown = 60;
  std::size_t end = 0;
  for (std::size_t chars = 0; end < text.size() && chars < kShown; ++chars) {
    ++end;
    while (end < text.size() && ((unsigned char)text[end] & 0xC0) == 0x80) ++end;
  }
  return end < text.size() ? text.substr(0, end) + "..." : text;
}

// The packed selection: the chosen entries, or every record of the store.
int MakeSelection(const Run& run, const AnniversaryList& list, std::vector<char>* selection) {
  if (run.options->entries.empty()) {
    for (const AnniversaryRecord& r : list.records) AnniversarySelectionAdd(selection, (char)r.type, r.name);
  }
  for (const std::string& label : run.options->entries) {
    char type;
    char name[kAnniversaryNameSize];
    ParseAnniversaryLabel(label.c_str(), &type, name, sizeof name);
    if (type == ' ') {
      Fail(run, 0, "entry \"" + Shortened(label) + "\" is not \"Anniversary: name\", \"Birthday: name\" or \"Yahrzeit: name\"");
      return 0;
    }
    // A longer name would be cut and could then name another entry.
    if (label.size() - (label.find(": ") + 2) > kAnniversaryNameSize - 1) {
      Fail(run, 0, "entry \"" + Shortened(label) + "\" has a name longer than " +
                       std::to_string(kAnniversaryNameSize - 1) + " characters");
      return 0;
    }
    // The typed name is UTF-8 (the user's text); the file may keep it in
    // Windows-1252: the record's own name goes into the selection.
    const AnniversaryRecord* found = nullptr;
    for (const AnniversaryRecord& r : list.records)
      if (!found && r.type == type && SameUserText(r.name, name)) found = &r;
    if (!found) {
      Fail(run, 0, "no entry \"" + Shortened(label) + "\" in the anniversaries file");
      return 0;
    }
    AnniversarySelectionAdd(selection, type, found->name);
  }
  selection->push_back('\0');
  return 1;
}

int ExportAnniversaries(Run& run) {
  const CliOptions& o = *run.options;
  const int year = CurrentYear();
  // A year given alone reaches to (or from) this year, never backwards.
  const int from = o.fromYear ? o.fromYear : (o.toYear && o.toYear < year ? o.toYear : year);
  const int to = o.toYear ? o.toYear : (from > year ? from : year);
  AnniversaryList list;
  LoadAnniversaries(run, &list);
  std::vector<char> selection;
  if (!MakeSelection(run, list, &selection)) {
    AnniversaryListFree(&list);
    return kCliBadInput;
  }
  if (!o.textFile.empty()) {
    // The table as UTF-8: the chosen records with their names marked as
    // the user's text, then converted as a composed text is.
    std::vector<const AnniversaryRecord*> chosen;
    AnniversarySelectedRecords(&list, selection.data(), selection.size(), &chosen);
    AnniversaryList marked;
    std::vector<char> markedSelection;
    for (const AnniversaryRecord* r : chosen) {
      AnniversaryRecord copy = *r;
      const std::string name = MarkUserText(r->name);
      if (name.size() < sizeof copy.name) std::memcpy(copy.name, name.c_str(), name.size() + 1);
      AnniversaryListPut(&marked, &copy);
      AnniversarySelectionAdd(&markedSelection, (char)copy.type, copy.name);
    }
    markedSelection.push_back('\0');
    std::string table;
    const int lines = AnniversaryTextTable(&marked, markedSelection.data(), markedSelection.size(), from, to,
                                           o.sortOrder, &table);
    table = Utf8FromText(table.c_str(), ExportCodePage());
    AnniversaryListFree(&marked);
    AnniversaryListFree(&list);
    if (!WriteFileAtomically(o.textFile.c_str(), table.data(), table.size()))
      return WriteFailed(run, o.textFile);
    if (!o.quiet && o.textFile != kStreamPath)
      std::fprintf(run.out, "Wrote %d %s (years %d to %d) to %s\n", lines, lines == 1 ? "line" : "lines",
                   from, to, o.textFile.c_str());
    return kCliOk;
  }
  AnniversaryListFree(&list);
  std::vector<ExportEntry> entries;
  AnniversaryImportEntries(selection.data(), selection.size(), from, to, &entries);
  IcsEventOptions ics;
  CliIcsOptions(o, "Tavlon: anniversaries", nullptr, 0, 0, &ics);
  const std::string& path = o.output;
  if (WriteEntriesToIcs(entries, path.c_str(), Progress, &run, &ics) != kExportWritten)
    return WriteFailed(run, path);
  if (!o.quiet && path != kStreamPath)
    std::fprintf(run.out, "Wrote %d %s (years %d to %d) to %s\n", (int)entries.size(),
                 entries.size() == 1 ? "entry" : "entries", from, to, path.c_str());
  return kCliOk;
}

// The cities whose name holds the text, as UTF-8; letters compared without
// regard to case, and to accents when the text has none.
int ListCities(const Run& run) {
  const std::string typed = Utf8FromUserText(run.options->listFilter.c_str());
  const int plain = FoldCityName(typed, 1) == FoldCityName(typed, 0);
  const std::string filter = FoldCityName(typed, plain);
  LocationChoices choices;
  SelectLocationFill(UserCities(), "", &choices);
  int shown = 0;
  for (const std::string& name : choices.names) {
    if (FoldCityName(CityNameUtf8(UserCities(), name.c_str()), plain).find(filter) == std::string::npos) continue;
    char info[kLocationInfoSize];
    SelectLocationInfo(UserCities(), name.c_str(), info, sizeof info);
    // The line begins with the name as stored; the rest is ASCII.
    const std::string line = CityNameUtf8(UserCities(), name.c_str()) + (info + std::min(name.size(), std::strlen(info)));
    std::fprintf(run.out, "%s\n", line.c_str());
    ++shown;
  }
  if (shown == 0) return Fail(run, kCliBadInput, "no city matches \"" + typed + "\"");
  return kCliOk;
}

}  // namespace

int RunCli(const CliOptions& options, std::FILE* out, std::FILE* err, int errIsTerminal) {
  Run run = {&options, out, err, errIsTerminal && !options.quiet, -1, 0};
  if (options.mode == kCliVersion) {
    std::fprintf(out, "%s %s\n", kProgram, kVersion);
    return kCliOk;
  }
  for (auto [option, folder] : {std::pair{"--config", &options.configDir}, std::pair{"--data", &options.dataDir}}) {
    std::error_code error;
    if (!folder->empty() && !std::filesystem::is_directory(*folder, error))
      return Fail(run, kCliBadInput, std::string(option) + " " + *folder + ": no such folder");
  }
  SetSettingsFolderOverride(options.configDir.empty() ? nullptr : options.configDir.c_str());
  SetDocumentsFolderOverride(options.dataDir.empty() ? nullptr : options.dataDir.c_str());
  if (options.mode == kCliHelp) {
    char settings[1024], data[1024];
    if (!SettingsFolder(settings, sizeof settings)) CopyFolderUnknown(settings);
    if (!DocumentsFolder(data, sizeof data)) CopyFolderUnknown(data);
    std::fprintf(out, "%s\nSettings (exportcal.ini, daylight.ini, exportcalshab.ini) are read from\n  %s\n"
                      "the cities and anniversaries files from\n  %s\n",
                 CliUsage(), settings, data);
    return kCliOk;
  }
  SetMessageHook(ShowOnStderr, &run);
  SetOutputStream(out);
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
  SetOutputStream(nullptr);
  SetMessageHook(nullptr, nullptr);
  SetReadingsDiasporaOverride(-1);
  return code;
}
