// The day record composer.
#include "export/composer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "calendar/dafyomi.h"
#include "calendar/holidays.h"
#include "calendar/names.h"
#include "readings/readings.h"
#include "placetime/shabbat.h"
#include "placetime/zmanim.h"

namespace {

constexpr char kCrLf[] = "\r\n";
constexpr int kHolidayTextSize = 256;
constexpr int kDateTextSize = 300;  // "%d %s %d" with a month name < 256

// A text built in a fixed buffer: what goes past capacity - 1 characters
// is cut, and `cut` remembers that it was. Always terminated.
struct Text {
  char* data;
  std::size_t capacity;  // >= 1, the NUL included
  std::size_t size = 0;
  std::size_t requested = 0;  // characters asked for, cut or not
  int cut = 0;

  Text(char* buffer, std::size_t bufferSize) : data(buffer), capacity(bufferSize) {
    data[0] = '\0';
  }
  void Append(const char* text, std::size_t n) {
    requested += n;
    const std::size_t room = capacity - 1 - size;
    if (n > room) {
      n = room;
      cut = 1;
    }
    CopyBytes(data + size, text, n);
    size += n;
    data[size] = '\0';
  }
  void Append(const char* text) { Append(text, std::strlen(text)); }
  // memcpy, with the short texts most appends are moved in two words.
  static void CopyBytes(char* to, const char* from, std::size_t n) {
    if (n >= 8 && n <= 16) {
      std::uint64_t head, tail;
      std::memcpy(&head, from, 8);
      std::memcpy(&tail, from + n - 8, 8);
      std::memcpy(to, &head, 8);
      std::memcpy(to + n - 8, &tail, 8);
      return;
    }
    std::memcpy(to, from, n);
  }
  void Append(char c) { Append(&c, 1); }
  void AppendInt(int value) {
    char digits[12];
    char* at = digits + sizeof digits;
    unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
    do {
      *--at = (char)('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) *--at = '-';
    Append(at, (std::size_t)(digits + sizeof digits - at));
  }
  // Back to `length` characters (a section that did not fit whole).
  void Truncate(std::size_t length) {
    size = length;
    data[size] = '\0';
  }
};

int IsBlank(const char* text) {
  for (; *text != '\0'; ++text)
    if (*text != ' ') return 0;
  return 1;
}

// "day monthName year" into out[kDateTextSize]. Returns its length.
std::size_t DateText(int day, const char* monthName, int year, char* out) {
  Text text(out, kDateTextSize);
  text.AppendInt(day);
  text.Append(' ');
  text.Append(monthName);
  text.Append(' ');
  text.AppendInt(year);
  return text.size;
}

std::size_t GregorianDateText(int day, int month, int year, char* out) {
  char name[256] = "";
  GregorianMonthNameCustom(month, 1, name);
  return DateText(day, name, year, out);
}

std::size_t JewishDateText(const CalDate& hebrew, char* out) {
  char name[256] = "";
  HebrewMonthName(hebrew.month, hebrew.year, name);
  return DateText(hebrew.day, name, hebrew.year, out);
}

// What a day's record is made of, each worked out once: the dates, their
// texts and the holidays.
struct DayFacts {
  CalDate date;     // Gregorian
  int absoluteDay;
  CalDate hebrew;
  char gregorianText[kDateTextSize];
  std::size_t gregorianLength;
  char jewishText[kDateTextSize];
  std::size_t jewishLength;
  // The lengths, which a text of kDateTextSize never exceeds.
  std::size_t GregorianLength() const {
    return std::min(gregorianLength, sizeof gregorianText - 1);
  }
  std::size_t JewishLength() const { return std::min(jewishLength, sizeof jewishText - 1); }
  int holiday;  // HolidaysOfDay's result
  char holidayKey[kHolidayKeySize];
  char holidayText[kHolidayTextSize];
};

// The dates of the Gregorian day.
void LearnDates(int day, int month, int year, DayFacts* facts) {
  facts->date = {day, month, year};
  facts->absoluteDay = AbsoluteFromGregorian(&facts->date);
  HebrewFromAbsolute(facts->absoluteDay, &facts->hebrew);
}

void LearnDateTexts(DayFacts* facts) {
  facts->gregorianLength =
      GregorianDateText(facts->date.day, facts->date.month, facts->date.year, facts->gregorianText);
  facts->jewishLength = JewishDateText(facts->hebrew, facts->jewishText);
}

void LearnHolidays(const CalWindowState* state, DayFacts* facts) {
  facts->holiday = HolidaysOfDate(facts->absoluteDay, &facts->hebrew, state->diaspora,
                                  facts->holidayKey, facts->holidayText, kHolidayTextSize);
}

// The caption's holiday text: eves and Isru Chag days count as no holiday.
const char* CaptionHoliday(const DayFacts& facts) {
  if (!facts.holiday) return "";
  if (std::strstr(facts.holidayKey, "Erev") || std::strstr(facts.holidayKey, "IsruChag")) return "";
  return facts.holidayText;
}

// Expands the caption format language; a lone "%" at the end ends it.
void ExpandCaption(const char* format, const DayFacts& facts, const char* holiday, Text* out) {
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      const char* plain = p;
      while (p[1] != '\0' && p[1] != '%') ++p;
      out->Append(plain, (std::size_t)(p - plain + 1));
      continue;
    }
    const char c = *++p;
    if (c == '\0') break;
    if (c == 'G' || c == 'g') out->Append(facts.gregorianText, facts.GregorianLength());
    else if (c == 'J' || c == 'j') out->Append(facts.jewishText, facts.JewishLength());
    else if (c == 'H' || c == 'h') out->Append(holiday);
    else if (c == '%') out->Append('%');
  }
}

// The caption (see ComposeCaption) into out[kDayTextSize].
void CaptionOfDay(const DayFacts& facts, char* out, int crlf, const ExportSettings* settings) {
  const char* holiday = CaptionHoliday(facts);
  const char* format =
      holiday[0] == '\0' ? settings->captionWithoutHoliday : settings->captionWithHoliday;
  // Room for the marker and the line end, whatever a hand-edited format asks.
  Text caption(out, kDayTextSize - 3);
  ExpandCaption(format, facts, holiday, &caption);
  caption.capacity = kDayTextSize;
  if (std::strcmp(format, settings->captionWithHoliday) == 0) caption.Append('#');
  if (crlf) caption.Append(kCrLf);
}

void AppendHebrewDateLine(const DayFacts& facts, int crlf, Text* out) {
  out->Append(facts.gregorianText, facts.GregorianLength());
  out->Append(" - ", 3);
  out->Append(facts.jewishText, facts.JewishLength());
  if (crlf) out->Append(kCrLf, 2);
}

void AppendHolidayLines(const DayFacts& facts, Text* out) {
  if (facts.holiday) {
    out->Append(facts.holidayText);
    if (IsYizkorDay(facts.hebrew.day, facts.hebrew.month)) out->Append(" (Yizkor)");
    out->Append(kCrLf, 2);
  }
  // The Omer is counted from 16 Nisan to 5 Sivan; Nisan always has 30
  // days and Iyar 29.
  const int day = facts.hebrew.day;
  const int omer = facts.hebrew.month == 1   ? day - 15
                   : facts.hebrew.month == 2 ? 15 + day
                   : facts.hebrew.month == 3 ? 44 + day
                                             : 0;
  if (omer >= 1 && omer <= 49) {
    out->AppendInt(omer);
    out->Append(" L'Omer\r\n");
  }
  if (IsRoshHodesh(&facts.hebrew)) out->Append("Rosh Hodesh\r\n");
}

// The anniversary entries of the day: [*first, *last).
void AnniversariesOfDay(int absoluteDay, const AnniversaryDays* anniversaries,
                        const AnniversaryDays::Entry** first, const AnniversaryDays::Entry** last) {
  const auto& entries = anniversaries->entries;
  auto it = std::lower_bound(entries.begin(), entries.end(), absoluteDay,
                             [](const AnniversaryDays::Entry& e, int d) { return e.absoluteDay < d; });
  auto end = it;
  while (end != entries.end() && end->absoluteDay == absoluteDay) ++end;
  *first = entries.data() + (it - entries.begin());
  *last = entries.data() + (end - entries.begin());
}

// The names of `kind` among the day's entries, one per line.
void AppendAnniversaryNames(const AnniversaryDays::Entry* first, const AnniversaryDays::Entry* last,
                            int kind, Text* out) {
  for (const AnniversaryDays::Entry* it = first; it != last; ++it) {
    if (it->type != kind) continue;
    out->Append(it->name.data(), it->name.size());
    out->Append(kCrLf, 2);
  }
}

void AppendReadingLines(const CalDate& hebrew, int absoluteDay, Text* out) {
  ReadingsOfDay readings;
  ReadingsForDateOfDay(hebrew.day, hebrew.month, hebrew.year, absoluteDay, &readings, nullptr);
  if (IsBlank(readings.reading[0])) return;
  out->Append(readings.reading[0]);
  out->Append(kCrLf, 2);
  for (int i = 1; i < 3; ++i) {
    if (IsBlank(readings.reading[i])) continue;
    out->Append(readings.reading[i]);
    out->Append(kCrLf, 2);
  }
  for (int i = 0; i < 3; ++i) {
    if (IsBlank(readings.haphtarah[i])) continue;
    out->Append(readings.haphtarah[i]);
    out->Append(kCrLf, 2);
  }
}

// The notes being built, section by section: a section goes in whole or
// ends the notes.
struct Notes {
  Text text;
  int closed = 0;
  std::size_t sectionStart = 0;

  explicit Notes(char* out) : text(out, kDayTextSize) {}
  // Opens a section; returns 0 once the notes are closed.
  int Begin() {
    sectionStart = text.size;
    text.cut = 0;
    return !closed;
  }
  // Ends the section; one that did not fit whole is taken out again and
  // closes the notes.
  void End() {
    if (!text.cut) return;
    text.Truncate(sectionStart);
    closed = 1;
  }
  // heading CR LF body CR LF, when the body (written by `body`) is not
  // empty.
  template <typename Body>
  void Section(const char* heading, Body body) {
    if (!Begin()) return;
    text.Append(heading);
    text.Append(kCrLf, 2);
    const std::size_t asked = text.requested;
    body(&text);
    if (text.requested == asked) {  // nothing to say
      text.Truncate(sectionStart);
      return;
    }
    text.Append(kCrLf, 2);
    End();
  }
  // prefix body CR LF, when the body is not empty.
  template <typename Body>
  void Plain(const char* prefix, Body body) {
    if (!Begin()) return;
    text.Append(prefix);
    const std::size_t asked = text.requested;
    body(&text);
    if (text.requested == asked) {
      text.Truncate(sectionStart);
      return;
    }
    text.Append(kCrLf, 2);
    End();
  }
};

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
  DayFacts facts;
  LearnDates(day, month, year, &facts);
  LearnDateTexts(&facts);
  LearnHolidays(state, &facts);
  CaptionOfDay(facts, out, crlf, settings);
}

std::string HebrewDateLine(int day, int month, int year, int crlf) {
  DayFacts facts;
  LearnDates(day, month, year, &facts);
  LearnDateTexts(&facts);
  char line[2 * kDateTextSize + 8];
  Text text(line, sizeof line);
  AppendHebrewDateLine(facts, crlf, &text);
  return std::string(text.data, text.size);
}

std::string HolidayLines(int day, int month, int year, const CalWindowState* state) {
  DayFacts facts;
  LearnDates(day, month, year, &facts);
  LearnHolidays(state, &facts);
  char lines[kHolidayTextSize + 64];
  Text text(lines, sizeof lines);
  AppendHolidayLines(facts, &text);
  return std::string(text.data, text.size);
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
  const int absoluteDay = AbsoluteFromGregorian(&date);
  CalDate hebrew;
  HebrewFromAbsolute(absoluteDay, &hebrew);
  char lines[6 * kReadingTextSize + 16];
  Text text(lines, sizeof lines);
  AppendReadingLines(hebrew, absoluteDay, &text);
  return std::string(text.data, text.size);
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
  DayFacts facts;
  LearnDates(day, month, year, &facts);
  ComposeDayRecordOfDay(&facts.date, facts.absoluteDay, &facts.hebrew, state, settings,
                        anniversaries, caption, notes);
}

void ComposeDayRecordOfDay(const CalDate* gregorian, int absoluteDay, const CalDate* hebrew,
                           const CalWindowState* state, const ExportSettings* settings,
                           const AnniversaryDays* anniversaries, char* caption, char* notes) {
  const int day = gregorian->day, month = gregorian->month, year = gregorian->year;
  DayFacts facts;
  facts.date = *gregorian;
  facts.absoluteDay = absoluteDay;
  facts.hebrew = *hebrew;
  LearnDateTexts(&facts);
  LearnHolidays(state, &facts);

  CaptionOfDay(facts, caption, 0, settings);
  const std::size_t length = std::strlen(caption);
  if (length > 0 && caption[length - 1] == '#') {
    if (settings->label >= 1) {
      Text label(caption + length, kDayTextSize - length);
      label.AppendInt(settings->label);
    } else {
      caption[length - 1] = '\0';
    }
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
  Notes out(notes);
  if (flags[kIncludeHebrewDate])
    out.Section("Hebrew Date:", [&](Text* t) { AppendHebrewDateLine(facts, 1, t); });
  if (flags[kIncludeHoliday]) out.Plain("", [&](Text* t) { AppendHolidayLines(facts, t); });
  if (flags[kIncludeShabbatTimes] && !out.closed) {
    char text[kShabbatLinesSize];
    ShabbatLines(day, month, year, text, state);
    out.Plain("", [&](Text* t) { t->Append(text); });
  }
  if (flags[kIncludeZmanim] && !out.closed) {
    char text[kDayTextSize];
    const int length = ZmanimDayTextOfDate(day, month, year, &facts.hebrew, text, sizeof text,
                                           state, &settings->includeFlags);
    out.Section("Zmanim:", [&](Text* t) { t->Append(text, (std::size_t)length); });
  }
  const struct {
    int flag;
    const char* heading;
    int kind;
  } kinds[] = {{kIncludeAnniversaries, "Anniversaries:", 'A'},
               {kIncludeBirthdays, "Birthdays:", 'B'},
               {kIncludeYahrzeit, "Yahrzeits:", 'Y'}};
  const AnniversaryDays::Entry* first = nullptr;
  const AnniversaryDays::Entry* last = nullptr;
  if (anniversaries != nullptr) AnniversariesOfDay(facts.absoluteDay, anniversaries, &first, &last);
  for (const auto& k : kinds) {
    if (!flags[k.flag]) continue;
    out.Section(k.heading, [&](Text* t) { AppendAnniversaryNames(first, last, k.kind, t); });
  }
  if (flags[kIncludeParashiot])
    out.Section("Parashiot:",
                [&](Text* t) { AppendReadingLines(facts.hebrew, facts.absoluteDay, t); });
  if (settings->includeDafYomi && !out.closed) {
    char text[256];
    DafYomiText(day, month, year, text);
    out.Plain("Daf Yomi: ", [&](Text* t) { t->Append(text); });
  }
}
