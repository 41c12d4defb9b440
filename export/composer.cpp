// The day record composer.
#include "export/composer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "calendar/dafyomi.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "placetime/readings.h"
#include "placetime/shabbat.h"
#include "placetime/zmanim.h"

namespace {

constexpr char kCrLf[] = "\r\n";
constexpr int kHolidayTextSize = 256;

// Copies `text` into out[kDayTextSize], cut to fit.
void CopyOut(const std::string& text, char* out) {
  const std::size_t length = std::min(text.size(), (std::size_t)kDayTextSize - 1);
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

int IsBlank(const char* text) {
  for (; *text != '\0'; ++text)
    if (*text != ' ') return 0;
  return 1;
}

std::string DateText(int day, const char* monthName, int year) {
  char text[300];
  std::snprintf(text, sizeof text, "%d %s %d", day, monthName, year);
  return text;
}

std::string GregorianDateText(int day, int month, int year) {
  char name[256] = "";
  GregorianMonthNameCustom(month, 1, name);
  return DateText(day, name, year);
}

std::string JewishDateText(const CalDate& hebrew) {
  char name[256] = "";
  HebrewMonthName(hebrew.month, hebrew.year, name);
  return DateText(hebrew.day, name, hebrew.year);
}

// The caption's holiday text: eves and Isru Chag days count as no holiday.
std::string CaptionHoliday(int absoluteDay, const CalWindowState* state) {
  char key[kHolidayKeySize];
  char text[kHolidayTextSize];
  if (!HolidaysOfDay(absoluteDay, state->diaspora, key, text, sizeof text)) return "";
  if (std::strstr(key, "Erev") || std::strstr(key, "IsruChag")) return "";
  return text;
}

// Expands the caption format language; a lone "%" at the end ends it.
std::string ExpandCaption(const char* format, const std::string& gregorian,
                          const std::string& jewish, const std::string& holiday) {
  std::string out;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const char c = *++p;
    if (c == '\0') break;
    if (c == 'G' || c == 'g') out += gregorian;
    else if (c == 'J' || c == 'j') out += jewish;
    else if (c == 'H' || c == 'h') out += holiday;
    else if (c == '%') out += '%';
  }
  return out;
}

}  // namespace

int AnniversaryDaysFromList(AnniversaryDays* days, const AnniversaryList* list, int fromYear,
                            int toYear) {
  days->entries.clear();
  std::vector<AnniversaryOccurrence> occurrences;
  for (const AnniversaryRecord& record : list->records) {
    occurrences.clear();
    AnniversaryOccurrences(&record, fromYear, toYear, kAnniversaryDayOfHebrewDate, &occurrences);
    for (const AnniversaryOccurrence& o : occurrences)
      days->entries.push_back({AbsoluteFromGregorian(&o.gregorian), record.type, record.name});
  }
  // By day; within a day the list's order (a stable sort keeps it).
  std::stable_sort(days->entries.begin(), days->entries.end(),
                   [](const AnniversaryDays::Entry& a, const AnniversaryDays::Entry& b) {
                     return a.absoluteDay < b.absoluteDay;
                   });
  return (int)days->entries.size();
}

int AnniversaryDaysLoad(AnniversaryDays* days, int fromYear, int toYear) {
  char path[1024];
  AnniversaryList list;
  if (AnniversaryFilePath(path, sizeof path)) AnniversaryListLoad(&list, path);
  const int count = AnniversaryDaysFromList(days, &list, fromYear, toYear);
  AnniversaryListFree(&list);
  return count;
}

void ComposeCaption(const CalWindowState* state, int day, int month, int year, char* out,
                    int crlf, const ExportSettings* settings) {
  const CalDate date = {day, month, year};
  const int absoluteDay = AbsoluteFromGregorian(&date);
  CalDate hebrew;
  HebrewFromAbsolute(absoluteDay, &hebrew);
  const std::string holiday = CaptionHoliday(absoluteDay, state);
  const char* format = holiday.empty() ? settings->captionWithoutHoliday : settings->captionWithHoliday;
  std::string caption = ExpandCaption(format, GregorianDateText(day, month, year),
                                      JewishDateText(hebrew), holiday);
  // Room for the marker and the line end, whatever a hand-edited format asks.
  caption.resize(std::min(caption.size(), (std::size_t)kDayTextSize - 4));
  if (std::strcmp(format, settings->captionWithHoliday) == 0) caption += '#';
  if (crlf) caption += kCrLf;
  CopyOut(caption, out);
}

std::string HebrewDateLine(int day, int month, int year, int crlf) {
  const CalDate date = {day, month, year};
  CalDate hebrew;
  HebrewFromAbsolute(AbsoluteFromGregorian(&date), &hebrew);
  std::string line = GregorianDateText(day, month, year) + " - " + JewishDateText(hebrew);
  if (crlf) line += kCrLf;
  return line;
}

std::string HolidayLines(int day, int month, int year, const CalWindowState* state) {
  const CalDate date = {day, month, year};
  const int absoluteDay = AbsoluteFromGregorian(&date);
  CalDate hebrew;
  HebrewFromAbsolute(absoluteDay, &hebrew);
  std::vector<std::string> lines;
  char text[kHolidayTextSize];
  if (HolidaysOfDay(absoluteDay, state->diaspora, nullptr, text, sizeof text))
    lines.push_back(std::string(text) + (IsYizkorDay(hebrew.day, hebrew.month) ? " (Yizkor)" : ""));
  const CalDate omerStart = {16, 1, hebrew.year};
  const CalDate omerEnd = {5, 3, hebrew.year};
  const int first = AbsoluteFromHebrew(&omerStart);
  if (absoluteDay >= first && absoluteDay <= AbsoluteFromHebrew(&omerEnd)) {
    char omer[32];
    std::snprintf(omer, sizeof omer, "%d L'Omer", absoluteDay - first + 1);
    lines.push_back(omer);
  }
  if (IsRoshHodesh(&hebrew)) lines.push_back("Rosh Hodesh");
  std::string out;
  for (const std::string& line : lines) out += line + kCrLf;
  return out;
}

std::string AnniversaryNamesOfDay(int day, int month, int year, int kind,
                                  const AnniversaryDays* anniversaries) {
  AnniversaryDays loaded;
  if (anniversaries == nullptr) {
    AnniversaryDaysLoad(&loaded, year, year);
    anniversaries = &loaded;
  }
  const CalDate date = {day, month, year};
  const int absoluteDay = AbsoluteFromGregorian(&date);
  const auto& entries = anniversaries->entries;
  auto it = std::lower_bound(entries.begin(), entries.end(), absoluteDay,
                             [](const AnniversaryDays::Entry& e, int d) { return e.absoluteDay < d; });
  std::string out;
  for (; it != entries.end() && it->absoluteDay == absoluteDay; ++it)
    if (it->type == kind) out += it->name + kCrLf;
  return out;
}

std::string ReadingLines(int day, int month, int year) {
  const CalDate date = {day, month, year};
  CalDate hebrew;
  HebrewFromAbsolute(AbsoluteFromGregorian(&date), &hebrew);
  ReadingsOfDay readings{};
  ReadingsForDate(hebrew.day, hebrew.month, hebrew.year, &readings, nullptr);
  std::string out;
  if (IsBlank(readings.reading[0])) return out;
  out += std::string(readings.reading[0]) + kCrLf;
  for (int i = 1; i < 3; ++i)
    if (!IsBlank(readings.reading[i])) out += std::string(readings.reading[i]) + kCrLf;
  for (int i = 0; i < 3; ++i)
    if (!IsBlank(readings.haphtarah[i])) out += std::string(readings.haphtarah[i]) + kCrLf;
  return out;
}

void AppendSection(std::string* notes, const char* heading, const std::string& text) {
  if (text.empty()) return;
  *notes += heading;
  *notes += kCrLf;
  *notes += text;
  *notes += kCrLf;
}

void AppendPlain(std::string* notes, const char* prefix, const std::string& text) {
  if (text.empty()) return;
  *notes += prefix;
  *notes += text;
  *notes += kCrLf;
}

int CountCaptionParameters(const char* format) {
  int count = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') continue;
    const char c = *++p;
    if (c == '\0') break;
    if (std::strchr("GgJjHh", c)) ++count;
  }
  return count;
}

void ComposeDayRecord(int day, int month, int year, const CalWindowState* state,
                      const ExportSettings* settings, const AnniversaryDays* anniversaries,
                      char* caption, char* notes) {
  ComposeCaption(state, day, month, year, caption, 0, settings);
  const std::size_t length = std::strlen(caption);
  if (length > 0 && caption[length - 1] == '#') {
    if (settings->label >= 1)
      std::snprintf(caption + length, kDayTextSize - length, "%d", settings->label);
    else
      caption[length - 1] = '\0';
  }

  const int* flags = settings->includeFlags.flag;
  AnniversaryDays loaded;
  if (anniversaries == nullptr &&
      (flags[kIncludeAnniversaries] || flags[kIncludeBirthdays] || flags[kIncludeYahrzeit])) {
    AnniversaryDaysLoad(&loaded, year, year);
    anniversaries = &loaded;
  }

  // Each section whole, in their fixed order; one that would overflow the
  // notes ends them there.
  std::vector<std::string> sections;
  auto add = [&sections](auto append, const char* label, const std::string& text) {
    std::string section;
    append(&section, label, text);
    if (!section.empty()) sections.push_back(section);
  };
  if (flags[kIncludeHebrewDate]) add(AppendSection, "Hebrew Date:", HebrewDateLine(day, month, year, 1));
  if (flags[kIncludeHoliday]) add(AppendPlain, "", HolidayLines(day, month, year, state));
  if (flags[kIncludeShabbatTimes]) {
    char text[kShabbatLinesSize];
    ShabbatLines(day, month, year, text, state);
    add(AppendPlain, "", text);
  }
  if (flags[kIncludeZmanim]) {
    char text[kDayTextSize] = "";
    ZmanimDayText(day, month, year, text, sizeof text, state, &settings->includeFlags);
    add(AppendSection, "Zmanim:", text);
  }
  if (flags[kIncludeAnniversaries])
    add(AppendSection, "Anniversaries:", AnniversaryNamesOfDay(day, month, year, 'A', anniversaries));
  if (flags[kIncludeBirthdays])
    add(AppendSection, "Birthdays:", AnniversaryNamesOfDay(day, month, year, 'B', anniversaries));
  if (flags[kIncludeYahrzeit])
    add(AppendSection, "Yahrzeits:", AnniversaryNamesOfDay(day, month, year, 'Y', anniversaries));
  if (flags[kIncludeParashiot]) add(AppendSection, "Parashiot:", ReadingLines(day, month, year));
  if (settings->includeDafYomi) {
    char text[256];
    DafYomiText(day, month, year, text);
    add(AppendPlain, "Daf Yomi: ", text);
  }

  std::string all;
  for (const std::string& section : sections) {
    if (all.size() + section.size() > (std::size_t)kDayTextSize - 1) break;
    all += section;
  }
  CopyOut(all, notes);
}
