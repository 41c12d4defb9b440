// Month names, custom Gregorian month names, and the text forms of dates
// and times. Settings are read on every call, never kept.
#include "calendar/names.h"

#include <climits>
#include <cstring>

#include "calendar/callang.h"
#include "settings/settings.h"

namespace {

constexpr int kNameSize = 256;  // every destination holds at least this

// The definition keys of Gregorian months 1-12, full and short names
// ("MonthFullJanuary", "MonthShortJanuary"), and their custom keys
// ("MonthJanuary").
constexpr const char* kGregorianFullKeys[12] = {
    "MonthFullJanuary",   "MonthFullFebruary", "MonthFullMarch",    "MonthFullApril",
    "MonthFullMay",       "MonthFullJune",     "MonthFullJuly",     "MonthFullAugust",
    "MonthFullSeptember", "MonthFullOctober",  "MonthFullNovember", "MonthFullDecember",
};
constexpr const char* kGregorianShortKeys[12] = {
    "MonthShortJanuary",   "MonthShortFebruary", "MonthShortMarch",    "MonthShortApril",
    "MonthShortMay",       "MonthShortJune",     "MonthShortJuly",     "MonthShortAugust",
    "MonthShortSeptember", "MonthShortOctober",  "MonthShortNovember", "MonthShortDecember",
};
constexpr const char* kGregorianCustomKeys[12] = {
    "MonthJanuary", "MonthFebruary", "MonthMarch",     "MonthApril",
    "MonthMay",     "MonthJune",     "MonthJuly",      "MonthAugust",
    "MonthSeptember", "MonthOctober", "MonthNovember", "MonthDecember",
};

// The definition keys of Hebrew months 1-13; month 12 is "MonthAdarI"
// instead in a leap year.
constexpr const char* kHebrewKeys[13] = {
    "MonthNisan",  "MonthIyar",   "MonthSivan",   "MonthTamuz",  "MonthAv",
    "MonthElul",   "MonthTishri", "MonthHeshvan", "MonthKislev", "MonthTevet",
    "MonthShevat", "MonthAdar",   "MonthAdarII",
};

// The built-in Hebrew names, Windows-1255 in logical order (first letter
// first); they are reversed into visual order when handed out.
constexpr const char* kHebrewGregorianNames[12] = {
    "\xE9\xF0\xE5\xE0\xF8",          // ינואר
    "\xF4\xE1\xF8\xE5\xE0\xF8",      // פברואר
    "\xEE\xF8\xF5",                  // מרץ
    "\xE0\xF4\xF8\xE9\xEC",          // אפריל
    "\xEE\xE0\xE9",                  // מאי
    "\xE9\xE5\xF0\xE9",              // יוני
    "\xE9\xE5\xEC\xE9",              // יולי
    "\xE0\xE5\xE2\xE5\xF1\xE8",      // אוגוסט
    "\xF1\xF4\xE8\xEE\xE1\xF8",      // ספטמבר
    "\xE0\xE5\xF7\xE8\xE5\xE1\xF8",  // אוקטובר
    "\xF0\xE5\xE1\xEE\xE1\xF8",      // נובמבר
    "\xE3\xF6\xEE\xE1\xF8",          // דצמבר
};

constexpr const char* kHebrewMonthNames[13] = {
    "\xF0\xE9\xF1\xEF",  // ניסן
    "\xE0\xE9\xE9\xF8",  // אייר
    "\xF1\xE9\xE5\xEF",  // סיון
    "\xFA\xEE\xE5\xE6",  // תמוז
    "\xE0\xE1",          // אב
    "\xE0\xEC\xE5\xEC",  // אלול
    "\xFA\xF9\xF8\xE9",  // תשרי
    "\xE7\xF9\xE5\xEF",  // חשון
    "\xEB\xF1\xEC\xE5",  // כסלו
    "\xE8\xE1\xFA",      // טבת
    "\xF9\xE1\xE8",      // שבט
    "\xE0\xE3\xF8",      // אדר (common year)
    "\xE0\xE3\xF8 \xE1'",  // אדר ב'
};
constexpr const char kHebrewAdarI[] = "\xE0\xE3\xF8 \xE0'";  // אדר א'

// Copies logical-order Hebrew text into `dest` in visual order (last
// letter first).
void CopyVisual(const char* logical, char* dest) {
  int length = (int)std::strlen(logical);
  if (length > kNameSize - 1) length = kNameSize - 1;
  for (int i = 0; i < length; ++i) dest[i] = logical[length - 1 - i];
  dest[length] = '\0';
}

int IsGregorianMonth(int month) { return month >= 1 && month <= 12; }
int IsHebrewMonth(int month) { return month >= 1 && month <= 13; }

// The definition key of Hebrew month 1-13 in `year`; "Month" (no month's
// key) outside 1-13.
const char* HebrewKey(int month, int year) {
  if (!IsHebrewMonth(month)) return "Month";
  if (month == 12 && LastMonthOfHebrewYear(year) == 13) return "MonthAdarI";
  return kHebrewKeys[month - 1];
}

// Writes the decimal digits of `value` at `at`, at least `width` of them
// (zeros in front), with a minus sign in front of a negative value, as
// printf's "%0*d" does. Returns the end.
char* PutNumber(char* at, int value, int width) {
  if (value >= 0 && value < 100 && width <= 2) {  // clock fields, day numbers
    if (value >= 10 || width == 2) *at++ = (char)('0' + value / 10);
    *at++ = (char)('0' + value % 10);
    return at;
  }
  char digits[12];
  int n = 0;
  unsigned magnitude = value < 0 ? 0u - (unsigned)value : (unsigned)value;
  do {
    digits[n++] = (char)('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  if (value < 0) {
    *at++ = '-';
    --width;  // the sign counts toward the width
  }
  for (int i = n; i < width; ++i) *at++ = '0';
  while (n > 0) *at++ = digits[--n];
  return at;
}

// The leading decimal number of `text`: optional spaces, an optional sign,
// digits; 0 without digits. Saturates instead of overflowing.
int LeadingNumber(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  int negative = 0;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return (int)(negative ? -value : value);
}

// Reads a run of decimal digits at *at into *value (an empty run is 0) and
// moves past it. Returns 0 when the number does not fit a signed 32-bit
// field.
int ReadNumber(const char** at, std::int32_t* value) {
  long long number = 0;  // stays <= INT32_MAX, so `* 10 + 9` cannot wrap
  const char* p = *at;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + (*p - '0');
    if (number > INT32_MAX) return 0;
  }
  *at = p;
  *value = (std::int32_t)number;
  return 1;
}

}  // namespace

namespace {

// GregorianMonthName with the Hebrew-text setting given.
int GregorianMonthNameAs(int hebrew, int month, int full, char* dest) {
  if (hebrew) {
    if (!IsGregorianMonth(month)) return 0;
    CopyVisual(kHebrewGregorianNames[month - 1], dest);
    return 1;
  }
  // A month outside 1-12 leaves the key without a month name; no
  // definition has such a key, so nothing is found.
  const char* key = IsGregorianMonth(month)
                        ? (full ? kGregorianFullKeys : kGregorianShortKeys)[month - 1]
                        : (full ? "MonthFull" : "MonthShort");
  return CallangLookupName(key, dest);
}

}  // namespace

int GregorianMonthName(int month, int full, char* dest) {
  return GregorianMonthNameAs(GetHebrewFlag(), month, full, dest);
}

int GregorianMonthNameCustom(int month, int full, char* dest) {
  const int hebrew = GetHebrewFlag();
  if (hebrew || !CustomNamesEnabled()) return GregorianMonthNameAs(hebrew, month, full, dest);
  if (!IsGregorianMonth(month)) return 0;
  // An unset key is an empty name, and still a success.
  ReadCustomString(kGregorianCustomKeys[month - 1], "", dest);
  return 1;
}

int HebrewMonthName(int month, int year, char* dest) {
  if (!GetHebrewFlag()) return HebrewMonthNameEnglish(month, year, dest);
  if (!IsHebrewMonth(month)) return 0;
  const char* name = kHebrewMonthNames[month - 1];
  if (month == 12 && LastMonthOfHebrewYear(year) == 13) name = kHebrewAdarI;
  CopyVisual(name, dest);
  return 1;
}

int HebrewMonthNameEnglish(int month, int year, char* dest) {
  return CallangLookupName(HebrewKey(month, year), dest);
}

int CustomNamesEnabled() {
  char text[kNameSize];
  ReadCustomString("CustomEnable", "0", text);
  return LeadingNumber(text);
}

void FormatGregorianDate(int day, int month, int year, char* dest) {
  int first, second;
  char separator;
  switch (GetDateFormat()) {
    case 0: first = day; second = month; separator = '.'; break;
    case 1: first = month; second = day; separator = '/'; break;
    default: return;  // an unknown format writes nothing
  }
  char* at = PutNumber(dest, first, 1);
  *at++ = separator;
  at = PutNumber(at, second, 1);
  *at++ = separator;
  *PutNumber(at, year, 1) = '\0';
}

void FormatTime(int hour, int minute, char* dest, int ampm) {
  FormatTimeWithFormat(hour, minute, dest, ampm, GetTimeFormat());
}

int FormatTimeWithFormat(int hour, int minute, char* dest, int ampm, int format) {
  char* at = dest;
  switch (format) {
    case 0:
      at = PutNumber(at, hour, 2);
      *at++ = ':';
      at = PutNumber(at, minute, 2);
      break;
    case 1: {
      // Noon is 12.00pm; midnight stays 0.00am.
      const int shown = hour == 12 ? 12 : hour % 12;
      at = PutNumber(at, shown, 1);
      *at++ = '.';
      at = PutNumber(at, minute, 2);
      if (ampm) {
        *at++ = hour >= 12 ? 'p' : 'a';
        *at++ = 'm';
      }
      break;
    }
    default:
      return 0;  // an unknown format writes nothing
  }
  *at = '\0';
  return (int)(at - dest);
}

int ParseGregorianDateWithFormat(const char* text, int format, CalDate* date) {
  char separator;
  std::int32_t* first;
  std::int32_t* second;
  switch (format) {
    case 0: separator = '.'; first = &date->day; second = &date->month; break;
    case 1: separator = '/'; first = &date->month; second = &date->day; break;
    default: return 0;
  }
  if (!text) return 0;
  const char* at = text;
  while (*at == ' ') ++at;
  if (!ReadNumber(&at, first) || *at++ != separator) return 0;
  if (!ReadNumber(&at, second) || *at++ != separator) return 0;
  if (!ReadNumber(&at, &date->year)) return 0;
  while (*at == ' ') ++at;
  return *at == '\0';
}

int ParseGregorianDate(const char* text, CalDate* date) {
  return ParseGregorianDateWithFormat(text, GetDateFormat(), date);
}
