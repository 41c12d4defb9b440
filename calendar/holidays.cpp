// Holiday evaluation over the definition table, and the fixed table of the
// 44 numbered holidays.
#include "calendar/holidays.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace {

// Weekday of a Hebrew date, 0 = Sunday ... 6 = Saturday (kept in 0-6 even
// for days before the common era, whose absolute numbers are negative).
int WeekdayOfHebrew(int day, int month, int year) {
  const CalDate date = {day, month, year};
  const int w = AbsoluteFromHebrew(&date) % 7;  // -6..6
  return w < 0 ? w + 7 : w;
}

// Length of `text` up to its NUL, at most `size`.
std::size_t BoundedLength(const char* text, std::size_t size) {
  const void* end = std::memchr(text, '\0', size);
  return end ? (std::size_t)((const char*)end - text) : size;
}

// 1 if the first `size` bytes of `text` (or up to its NUL) contain `word`.
int Contains(const char* text, std::size_t size, const char* word) {
  return std::string_view(text, BoundedLength(text, size)).find(word) != std::string_view::npos;
}

// Copies at most size - 1 bytes of `source` (itself at most sourceSize
// bytes, NUL or not) and a NUL into dest[size].
void CopyBounded(char* dest, std::size_t size, const char* source, std::size_t sourceSize) {
  std::size_t length = BoundedLength(source, sourceSize);
  if (length > size - 1) length = size - 1;
  std::memcpy(dest, source, length);
  dest[length] = '\0';
}

// Joins `name` into the text of `*length` bytes held in text[capacity]:
// the first name alone; then English text + " - " + name, or Hebrew
// name + " _ " + text (the new name goes in front, as Hebrew reads from
// the right). Returns 0, leaving the text as it was, when the name would
// not fit whole.
int JoinName(char* text, int capacity, int* length, const char* name, int hebrew) {
  const int nameLength = (int)std::strlen(name);  // < 256
  const int separatorLength = *length > 0 ? 3 : 0;
  if (nameLength + separatorLength > capacity - 1 - *length) return 0;
  if (*length == 0) {
    std::memcpy(text, name, (std::size_t)nameLength);
  } else if (hebrew) {
    std::memmove(text + nameLength + 3, text, (std::size_t)*length);
    std::memcpy(text, name, (std::size_t)nameLength);
    std::memcpy(text + nameLength, " _ ", 3);
  } else {
    std::memcpy(text + *length, " - ", 3);
    std::memcpy(text + *length + 3, name, (std::size_t)nameLength);
  }
  *length += separatorLength + nameLength;
  text[*length] = '\0';
  return 1;
}

// How a numbered holiday moves from its base date.
enum IndexRule {
  kAsWritten,
  kIntoTevet,        // a day past the end of Kislev counts on into Tevet
  kEstherFast,       // the day before Purim; Thursday when Purim is a Sunday
  kSaturdayToSunday, // a fast never falls on the Sabbath
  kHashoahRule,      // Saturday and Friday back to Thursday
  kHaatzmautRule,    // Saturday and Friday back to Thursday; Monday on to
                     // Tuesday from 5764
  kHagadolRule,      // the Saturday on or before 14 Nisan
  kHazikaronRule,    // Friday and Thursday back to Wednesday; Sunday on to
                     // Monday from 5764
};

struct IndexedHoliday {
  int day;
  int month;  // 1-13; kCallangAdarPurim: Adar II in a leap year, else Adar
  IndexRule rule;
};

constexpr int kAdar = kCallangAdarPurim;
constexpr int kYearOfSundayMoves = 5764;    // Sunday/Monday moves of Iyar begin
constexpr int kYearOfHashoahSunday = 5757;  // Yom Hashoah leaves Sunday

constexpr IndexedHoliday kIndexedHolidays[kHolidayIndexCount] = {
    {1, 7, kAsWritten},          // 0 Rosh Hashanah I
    {10, 7, kAsWritten},         // 1 Yom Kippur
    {15, 7, kAsWritten},         // 2-8 Sukkot days 1-7
    {16, 7, kAsWritten},
    {17, 7, kAsWritten},
    {18, 7, kAsWritten},
    {19, 7, kAsWritten},
    {20, 7, kAsWritten},
    {21, 7, kAsWritten},
    {22, 7, kAsWritten},         // 9 Shemini Atzeret
    {23, 7, kAsWritten},         // 10 Simchat Torah (Diaspora)
    {15, 1, kAsWritten},         // 11-17 Pesach days 1-7
    {16, 1, kAsWritten},
    {17, 1, kAsWritten},
    {18, 1, kAsWritten},
    {19, 1, kAsWritten},
    {20, 1, kAsWritten},
    {21, 1, kAsWritten},
    {25, 9, kIntoTevet},         // 18-25 Hanukkah days 1-8
    {26, 9, kIntoTevet},
    {27, 9, kIntoTevet},
    {28, 9, kIntoTevet},
    {29, 9, kIntoTevet},
    {30, 9, kIntoTevet},
    {31, 9, kIntoTevet},
    {32, 9, kIntoTevet},
    {6, 3, kAsWritten},          // 26 Shavuot
    {15, 11, kAsWritten},        // 27 Tu Bi-Shevat
    {14, kAdar, kAsWritten},     // 28 Purim
    {14, kAdar, kEstherFast},    // 29 Ta'anit Esther
    {9, 5, kSaturdayToSunday},   // 30 Tisha BeAv
    {3, 7, kSaturdayToSunday},   // 31 Tzom Gedaliah
    {10, 10, kSaturdayToSunday}, // 32 Tzom Tevet
    {17, 4, kSaturdayToSunday},  // 33 Tzom Tammuz
    {15, kAdar, kSaturdayToSunday},  // 34 Shushan Purim
    {18, 2, kAsWritten},         // 35 Lag B-Omer
    {27, 1, kHashoahRule},       // 36 Yom Hashoah
    {5, 2, kHaatzmautRule},      // 37 Yom Ha-Atzmaut
    {28, 2, kAsWritten},         // 38 Yom Yerushalayim
    {7, 3, kAsWritten},          // 39 Shavuot II
    {22, 1, kAsWritten},         // 40 Pesach VIII
    {15, 1, kHagadolRule},       // 41 Shabbat Hagadol
    {2, 7, kAsWritten},          // 42 Rosh Hashanah II
    {4, 2, kHazikaronRule},      // 43 Yom Hazikaron
};

// The written date of a numbered holiday in Hebrew year `year`.
CalDate BaseDate(const IndexedHoliday& row, int year) {
  CalDate base = {row.day, row.month, year};
  if (row.month == kAdar) base.month = LastMonthOfHebrewYear(year);
  return base;
}

// The days a weekday rule moves a holiday whose written date falls on
// weekday w (0 = Sunday).
int RuleShift(IndexRule rule, int w, int hebrewYear) {
  switch (rule) {
    case kEstherFast:
      return w == 0 ? -3 : -1;
    case kSaturdayToSunday:
      return w == 6 ? 1 : 0;
    case kHashoahRule:
      return w == 6 ? -2 : w == 5 ? -1 : 0;
    case kHaatzmautRule:
      if (w == 6) return -2;
      if (w == 5) return -1;
      return hebrewYear >= kYearOfSundayMoves && w == 1 ? 1 : 0;
    case kHagadolRule:
      return -(w == 6 ? 7 : w + 1);  // 15 Nisan back to the Saturday before it
    case kHazikaronRule:
      if (w == 5) return -2;
      if (w == 4) return -1;
      return hebrewYear >= kYearOfSundayMoves && w == 0 ? 1 : 0;
    default:
      return 0;
  }
}

// The month of a definition's month field in Hebrew year `year`: AdarPurim
// and AdarPurimKatan resolved, 0 where AdarPurimKatan has no month.
int ResolvedMonth(int month, int year) {
  if (month == kCallangAdarPurim) return HebrewLeapYear(year) ? 13 : 12;
  if (month == kCallangAdarPurimKatan) return HebrewLeapYear(year) ? 12 : 0;
  return month;
}

// The weekday rules of the definitions for a date on weekday `w`; they
// change the day field only (the definitions' own dates never move across
// a month boundary).
int ApplySpecialOnWeekday(int special, int day, int year, int w) {
  switch (special) {
    case kCallangFastDay:
      return w == 6 ? day + 1 : day;
    case kCallangShabbatHaggadol:
      return day - (w == 6 ? 7 : w + 1);  // the Saturday strictly before
    case kCallangYomHashoah:
      if (year >= kYearOfHashoahSunday && w == 0) return day + 1;
      if (w == 6) return day - 2;
      if (w == 5) return day - 1;
      return day;
    case kCallangYomHazikaron:
      if (w == 5) return day - 2;
      if (w == 4) return day - 1;
      if (year >= kYearOfSundayMoves && w == 0) return day + 1;
      return day;
    case kCallangYomHaatzmaut:
      if (w == 6) return day - 2;
      if (w == 5) return day - 1;
      if (year >= kYearOfSundayMoves && w == 1) return day + 1;
      return day;
    case kCallangTaanitEsther:
      return w == 6 ? day - 2 : day;
    default:
      return day;
  }
}

// The lengths of the months of one Hebrew year, its length worked out
// only when a month of variable length is asked for.
struct MonthLengths {
  int year;
  int daysInYear = 0;  // 0: not yet known

  explicit MonthLengths(int hebrewYear) : year(hebrewYear) {}
  // HebrewLastDayOfMonth(month, year).
  int Of(int month) {
    if (month == 2 || month == 4 || month == 6 || month == 10 || month == 13) return 29;
    if (month == 12) return HebrewLeapYear(year) ? 30 : 29;
    if (month == 8 || month == 9) {
      if (daysInYear == 0) daysInYear = DaysInHebrewYear(year);
      if (month == 8) return daysInYear % 10 == 5 ? 30 : 29;  // LongHeshvan
      return daysInYear % 10 == 3 ? 29 : 30;                 // ShortKislev
    }
    return 30;
  }
};

// The date of `entry` in lengths.year before its weekday rule: the written
// day and month with the offset counted on. A month outside 1-13 is no
// date: the offset is not applied to it.
void WrittenDateInYear(const CallangEntry* entry, MonthLengths* lengths, CalDate* date) {
  int day = entry->day;
  int month = ResolvedMonth(entry->month, lengths->year);
  date->year = lengths->year;
  if (month >= 1 && month <= 13) {
    // The offset counts days one by one, a day past the month's end going
    // to the 1st of the next month. The first step may start past the end
    // (a written 30th of a 29-day month); after it the day is within the
    // month, so whole months can be skipped at once with the same result.
    // Past month 13 there is no date left to reach, so counting stops there.
    int remaining = entry->offset > 0 ? entry->offset : 0;
    if (remaining > 0) {
      if (day >= lengths->Of(month)) {
        day = 1;
        ++month;
      } else {
        ++day;
      }
      --remaining;
    }
    while (remaining > 0 && month <= 13) {
      const int last = lengths->Of(month);  // 29 or 30
      if (remaining <= last - day) {
        day += remaining;
        remaining = 0;
      } else {
        remaining -= last - day + 1;
        day = 1;
        ++month;
      }
    }
  }
  date->day = day;
  date->month = month;
}

// 1 if a date written in `month` (any day) can be `offset` > 0 days on in
// month `target` of the same year: the counting only moves forward, and
// after the first step (which may leave a month at once) each month it
// leaves takes at least 29 days.
int WithinReach(int month, int offset, int target) {
  if (month < 1 || month > 13) return month == target;  // no date: nothing is counted
  return target >= month && target - month <= 1 + offset / 29;
}

// 1 when the written date, with its weekday rule, can be moved by it: a
// day 1-30 of a month 1-13 (any other day names no Hebrew date and keeps
// its written value, so the arithmetic on it cannot overflow).
int TakesSpecial(const CalDate& date) {
  return date.month >= 1 && date.month <= 13 && date.day >= 1 && date.day <= 30;
}

}  // namespace

void HolidayDateInYear(const CallangEntry* entry, int hebrewYear, CalDate* date) {
  MonthLengths lengths(hebrewYear);
  WrittenDateInYear(entry, &lengths, date);
  if (TakesSpecial(*date))
    date->day = ApplySpecialOnWeekday(entry->special, date->day, hebrewYear,
                                      WeekdayOfHebrew(date->day, date->month, hebrewYear));
}

void HolidayDateByIndex(int n, int hebrewYear, CalDate* date) {
  if (n < 0 || n >= kHolidayIndexCount) return;
  const IndexedHoliday& row = kIndexedHolidays[n];
  const CalDate base = BaseDate(row, hebrewYear);

  if (row.rule == kAsWritten) {
    *date = base;
    return;
  }
  if (row.rule == kIntoTevet) {
    *date = base;
    const int kislev = HebrewLastDayOfMonth(9, hebrewYear);  // 29 or 30
    if (date->day > kislev) {
      date->day -= kislev;
      date->month = 10;
    }
    return;
  }
  const int d = AbsoluteFromHebrew(&base);
  const int w = d % 7;  // -6..6
  HebrewFromAbsolute(d + RuleShift(row.rule, w < 0 ? w + 7 : w, hebrewYear), date);
}

namespace {

// The holiday records of the process-wide table, as the daily search
// needs them: in table order, only those whose key contains "Holiday",
// with the custom of the key, and listed by the months they may fall in
// (in a common and in a leap year). Worked out once for each generation of
// the table, so that a day is searched over a few records instead of the
// whole table.
struct HolidayRecord {
  int entry;     // index in the table
  int israel;    // the key contains "Israel"
  int diaspora;  // the key contains "Diaspora"
};

struct HolidayRecords {
  int generation = 0;
  std::vector<HolidayRecord> byMonth[2][14];  // [leap][month 0-13]
};

// 1 if a record of the month field `month` (resolved in a year of kind
// `leap`) with `offset` may fall in month `target` (1-13): without an
// offset a record keeps its month (the weekday rules move only the day).
int MayFallIn(int month, int offset, int leap, int target) {
  const int resolved = month == kCallangAdarPurim       ? (leap ? 13 : 12)
                       : month == kCallangAdarPurimKatan ? (leap ? 12 : 0)
                                                         : month;  // ResolvedMonth
  return offset <= 0 ? resolved == target : WithinReach(resolved, offset, target);
}

const HolidayRecords& GlobalHolidayRecords() {
  static HolidayRecords records;
  if (records.generation != CallangGlobalGeneration()) {
    records.generation = CallangGlobalGeneration();
    for (auto& kind : records.byMonth)
      for (auto& list : kind) list.clear();
    const CallangTable* table = CallangGlobalTable();
    const int count = table->count < kCallangCapacity ? table->count : kCallangCapacity;
    for (int i = 0; i < count; ++i) {
      const CallangEntry& entry = table->entries[i];
      if (!Contains(entry.key, sizeof entry.key, "Holiday")) continue;
      const HolidayRecord record = {i, Contains(entry.key, sizeof entry.key, "Israel"),
                                    Contains(entry.key, sizeof entry.key, "Diaspora")};
      for (int leap = 0; leap < 2; ++leap)
        for (int month = 1; month <= 13; ++month)
          if (MayFallIn(entry.month, entry.offset, leap, month))
            records.byMonth[leap][month].push_back(record);
    }
  }
  return records;
}

// HolidaysOfDayIn with the Hebrew date of the day known.
class DaySearch {
 public:
  DaySearch(int absoluteDay, const CalDate& today, char* key, char* text, int textSize)
      : absoluteDay_(absoluteDay), today_(today), lengths_(today.year), key_(key), text_(text),
        textSize_(textSize), textClosed_(!(text != nullptr && textSize > 0)) {}

  // 1 if a record with the month field `month` and `offset` may fall on
  // the day at all. Without an offset a record keeps its month (the
  // weekday rules move only the day): one of another month, or of none,
  // is passed over before its key is looked at or its date computed.
  int MayFall(int month, int offset) const {
    return MayFallIn(month, offset, HebrewLeapYear(today_.year), today_.month);
  }

  // 1 if the record's date, with its weekday rule, is the day.
  int Falls(const CallangEntry& entry) {
    CalDate date;
    WrittenDateInYear(&entry, &lengths_, &date);
    // The weekday rule moves the day within its month: a date of another
    // month stays there. In this month the weekday follows from today's.
    if (date.month != today_.month) return 0;
    if (TakesSpecial(date)) {
      const int w = (absoluteDay_ + (date.day - today_.day)) % 7;  // -6..6
      date.day = ApplySpecialOnWeekday(entry.special, date.day, today_.year, w < 0 ? w + 7 : w);
    }
    return date.day == today_.day;
  }

  // Takes a record that falls on the day into the key and the text.
  void Take(const CallangEntry& entry) {
    matched_ = 1;
    if (key_ && key_[0] == '\0') CopyBounded(key_, kHolidayKeySize, entry.key, sizeof entry.key);
    if (textClosed_) return;
    if (hebrew_ < 0) hebrew_ = GetHebrewFlag() ? 1 : 0;  // read at the first name
    char name[256];
    if (hebrew_) {
      char names[sizeof entry.hebrewName];
      CopyBounded(names, sizeof names, entry.hebrewName, sizeof entry.hebrewName);
      HebrewFromLetterNames(names, name, (int)sizeof name);
    } else {
      CopyBounded(name, sizeof name, entry.englishName, sizeof entry.englishName);
    }
    // A name that does not fit whole ends the text: it is cut between names.
    if (!JoinName(text_, textSize_, &length_, name, hebrew_)) textClosed_ = 1;
  }

  int Result() const {
    if (!(text_ != nullptr && textSize_ > 0)) return matched_;
    return text_[0] != '\0' ? 1 : 0;
  }

 private:
  int absoluteDay_;
  CalDate today_;
  MonthLengths lengths_;
  char* key_;
  char* text_;
  int textSize_;
  int textClosed_;
  int matched_ = 0;
  int hebrew_ = -1;  // the Hebrew-text setting, once read
  int length_ = 0;   // of the text so far
};

int HolidaysOn(const CallangTable* table, int absoluteDay, const CalDate& today, int diaspora,
               char* key, char* text, int textSize) {
  if (key) key[0] = '\0';
  if (text != nullptr && textSize > 0) text[0] = '\0';
  if (table == nullptr || table->count <= 0) return 0;
  DaySearch search(absoluteDay, today, key, text, textSize);
  if (table == CallangGlobalTable() && today.month >= 1 && today.month <= 13) {
    const HolidayRecords& records = GlobalHolidayRecords();
    for (const HolidayRecord& record : records.byMonth[HebrewLeapYear(today.year)][today.month]) {
      if (diaspora ? record.israel : record.diaspora) continue;  // only the custom's holidays
      const CallangEntry& entry = table->entries[record.entry];
      if (search.Falls(entry)) search.Take(entry);
    }
    return search.Result();
  }
  const int count = table->count < kCallangCapacity ? table->count : kCallangCapacity;
  for (int i = 0; i < count; ++i) {
    const CallangEntry& entry = table->entries[i];
    if (!search.MayFall(entry.month, entry.offset) || !search.Falls(entry)) continue;
    // Only the holidays of the custom.
    if (!Contains(entry.key, sizeof entry.key, "Holiday")) continue;
    if (Contains(entry.key, sizeof entry.key, diaspora ? "Israel" : "Diaspora")) continue;
    search.Take(entry);
  }
  return search.Result();
}

}  // namespace

int HolidaysOfDayIn(const CallangTable* table, int absoluteDay, int diaspora,
                    char* key, char* text, int textSize) {
  CalDate today;
  HebrewFromAbsolute(absoluteDay, &today);
  return HolidaysOn(table, absoluteDay, today, diaspora, key, text, textSize);
}

int HolidaysOfDay(int absoluteDay, int diaspora, char* key, char* text, int textSize) {
  return HolidaysOfDayIn(CallangGlobalTable(), absoluteDay, diaspora, key, text, textSize);
}

int HolidaysOfDate(int absoluteDay, const CalDate* hebrew, int diaspora, char* key, char* text,
                   int textSize) {
  return HolidaysOn(CallangGlobalTable(), absoluteDay, *hebrew, diaspora, key, text, textSize);
}

std::uint64_t HolidayIndicesOnDate(const CalDate* date, int absoluteDay) {
  std::uint64_t found = 0;
  const int adar = LastMonthOfHebrewYear(date->year);
  for (int n = 0; n < kHolidayIndexCount; ++n) {
    const IndexedHoliday& row = kIndexedHolidays[n];
    const CalDate base = {row.day, row.month == kAdar ? adar : row.month, date->year};  // BaseDate
    // Every rule keeps a holiday in its month but one: Hanukkah runs on
    // from Kislev into Tevet.
    if (date->month != base.month && !(row.rule == kIntoTevet && date->month == 10)) continue;
    CalDate holiday = base;
    if (row.rule == kIntoTevet) {
      HolidayDateByIndex(n, date->year, &holiday);
    } else if (row.rule != kAsWritten) {
      // The written date lies in the date's month, so its weekday follows
      // from the date's; a move that stays within days 1-29 stays in the
      // month, which every month has.
      const int w = (absoluteDay + (base.day - date->day)) % 7;  // -6..6
      holiday.day = base.day + RuleShift(row.rule, w < 0 ? w + 7 : w, date->year);
      if (holiday.day < 1 || holiday.day > 29) HolidayDateByIndex(n, date->year, &holiday);
    }
    if (holiday.day == date->day && holiday.month == date->month && holiday.year == date->year)
      found |= std::uint64_t{1} << n;
  }
  return found;
}
