// Holiday evaluation over the definition table, and the fixed table of the
// 44 numbered holidays.
#include "calendar/holidays.h"

#include <cstring>
#include <string_view>

#include "export/settings.h"

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

// The month of a definition's month field in Hebrew year `year`: AdarPurim
// and AdarPurimKatan resolved, 0 where AdarPurimKatan has no month.
int ResolvedMonth(int month, int year) {
  if (month == kCallangAdarPurim) return HebrewLeapYear(year) ? 13 : 12;
  if (month == kCallangAdarPurimKatan) return HebrewLeapYear(year) ? 12 : 0;
  return month;
}

// The weekday rules of the definitions; they change the day field only
// (the definitions' own dates never move across a month boundary).
int ApplySpecial(int special, int day, int month, int year) {
  const int w = WeekdayOfHebrew(day, month, year);
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

}  // namespace

void HolidayDateInYear(const CallangEntry* entry, int hebrewYear, CalDate* date) {
  int day = entry->day;
  int month = ResolvedMonth(entry->month, hebrewYear);
  date->year = hebrewYear;
  if (month < 1 || month > 13) {
    date->day = day;
    date->month = month;
    return;
  }

  // The offset counts days one by one, a day past the month's end going to
  // the 1st of the next month. The first step may start past the end (a
  // written 30th of a 29-day month); after it the day is within the month,
  // so whole months can be skipped at once with the same result. Past month
  // 13 there is no date left to reach, so counting stops there.
  int remaining = entry->offset > 0 ? entry->offset : 0;
  if (remaining > 0) {
    if (day >= HebrewLastDayOfMonth(month, hebrewYear)) {
      day = 1;
      ++month;
    } else {
      ++day;
    }
    --remaining;
  }
  while (remaining > 0 && month <= 13) {
    const int last = HebrewLastDayOfMonth(month, hebrewYear);  // 29 or 30
    if (remaining <= last - day) {
      day += remaining;
      remaining = 0;
    } else {
      remaining -= last - day + 1;
      day = 1;
      ++month;
    }
  }

  // A day outside 1-30 names no Hebrew date; it keeps its written value
  // (and the arithmetic on it cannot overflow).
  if (month <= 13 && day >= 1 && day <= 30)
    day = ApplySpecial(entry->special, day, month, hebrewYear);
  date->day = day;
  date->month = month;
}

void HolidayDateByIndex(int n, int hebrewYear, CalDate* date) {
  if (n < 0 || n >= kHolidayIndexCount) return;
  const IndexedHoliday& row = kIndexedHolidays[n];
  CalDate base = {row.day, row.month, hebrewYear};
  if (row.month == kAdar) base.month = LastMonthOfHebrewYear(hebrewYear);

  if (row.rule == kAsWritten) {
    *date = base;
    return;
  }
  if (row.rule == kIntoTevet) {
    const int kislev = HebrewLastDayOfMonth(9, hebrewYear);  // 29 or 30
    if (base.day > kislev) {
      base.day -= kislev;
      base.month = 10;
    }
    *date = base;
    return;
  }

  int d = AbsoluteFromHebrew(&base);
  const int w = WeekdayOfHebrew(base.day, base.month, base.year);
  switch (row.rule) {
    case kEstherFast:
      d -= w == 0 ? 3 : 1;
      break;
    case kSaturdayToSunday:
      if (w == 6) d += 1;
      break;
    case kHashoahRule:
      if (w == 6) d -= 2;
      if (w == 5) d -= 1;
      break;
    case kHaatzmautRule:
      if (w == 6) d -= 2;
      if (w == 5) d -= 1;
      if (hebrewYear >= kYearOfSundayMoves && w == 1) d += 1;
      break;
    case kHagadolRule:
      d -= w == 6 ? 7 : w + 1;  // 15 Nisan back to the Saturday before it
      break;
    case kHazikaronRule:
      if (w == 5) d -= 2;
      if (w == 4) d -= 1;
      if (hebrewYear >= kYearOfSundayMoves && w == 0) d += 1;
      break;
    default:
      break;
  }
  HebrewFromAbsolute(d, date);
}

int HolidaysOfDayIn(const CallangTable* table, int absoluteDay, int diaspora,
                    char* key, char* text, int textSize) {
  const int wantText = text != nullptr && textSize > 0;
  if (key) key[0] = '\0';
  if (wantText) text[0] = '\0';
  if (table == nullptr || table->count <= 0) return 0;

  CalDate today;
  HebrewFromAbsolute(absoluteDay, &today);

  const int count = table->count < kCallangCapacity ? table->count : kCallangCapacity;
  int matched = 0;
  int hebrew = -1;  // the Hebrew-text setting, read at the first name
  int length = 0;   // of the text so far
  int textClosed = !wantText;
  for (int i = 0; i < count; ++i) {
    const CallangEntry& entry = table->entries[i];
    // Without an offset a record keeps its month (the weekday rules move
    // only the day): one of another month, or of none, is passed over
    // before its key is looked at or its date computed.
    if (entry.offset <= 0 && ResolvedMonth(entry.month, today.year) != today.month) continue;
    if (!Contains(entry.key, sizeof entry.key, "Holiday")) continue;
    if (Contains(entry.key, sizeof entry.key, diaspora ? "Israel" : "Diaspora")) continue;

    CalDate date;
    HolidayDateInYear(&entry, today.year, &date);
    if (date.day != today.day || date.month != today.month || date.year != today.year) continue;

    matched = 1;
    if (key && key[0] == '\0') CopyBounded(key, kHolidayKeySize, entry.key, sizeof entry.key);
    if (textClosed) continue;

    if (hebrew < 0) hebrew = GetHebrewFlag() ? 1 : 0;
    char name[256];
    if (hebrew) {
      char names[sizeof entry.hebrewName];
      CopyBounded(names, sizeof names, entry.hebrewName, sizeof entry.hebrewName);
      HebrewFromLetterNames(names, name, (int)sizeof name);
    } else {
      CopyBounded(name, sizeof name, entry.englishName, sizeof entry.englishName);
    }
    // A name that does not fit whole ends the text: it is cut between names.
    if (!JoinName(text, textSize, &length, name, hebrew)) textClosed = 1;
  }
  if (!wantText) return matched;
  return text[0] != '\0' ? 1 : 0;
}

int HolidaysOfDay(int absoluteDay, int diaspora, char* key, char* text, int textSize) {
  return HolidaysOfDayIn(CallangGlobalTable(), absoluteDay, diaspora, key, text, textSize);
}
