// The decisions of the anniversary dialogs, free of any window.
#include "calendar/anniversary_forms.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "calendar/names.h"
#include "platform/clock.h"

namespace {

constexpr int kFirstYear = 1583;  // Gregorian years the fields accept
constexpr int kLastYear = 3000;

// Empty or spaces only, within a field of `size` bytes.
int IsBlank(const char* text, std::size_t size) {
  std::size_t i = 0;
  while (i < size && text[i] == ' ') ++i;
  return i == size || text[i] == '\0';
}

int Fail(AnniversaryFieldError* error, const char* message, int control) {
  if (error) *error = {message, control};
  return 0;
}

// The date field's checks after the blank check: the text in the current
// DateFormat, then year, month and day in that order.
int CheckDateText(const char* text, CalDate* date, AnniversaryFieldError* error) {
  CalDate d{};
  if (!ParseGregorianDate(text, &d)) return Fail(error, "Date is invalid", kAnniControlDate);
  if (d.year < kFirstYear || d.year > kLastYear)
    return Fail(error, "Year is invalid", kAnniControlDate);
  if (d.month < 1 || d.month > 12) return Fail(error, "Month is invalid", kAnniControlDate);
  if (d.day < 1 || d.day > GregorianLastDayOfMonth(d.month, d.year))
    return Fail(error, "Day is invalid", kAnniControlDate);
  *date = d;
  return 1;
}

// A year field of the list dialog: the number, then its range.
const char* CheckRangeYear(const char* text, int* year, const char* invalid, const char* range) {
  if (!ParseFieldNumber(text, year)) return invalid;
  if (*year < kFirstYear || *year > kLastYear) return range;
  return nullptr;
}

void FillMonthNames(HebrewDateForm* form) {
  form->monthCount = LastMonthOfHebrewYear(form->year);
  for (int m = 1; m <= form->monthCount; ++m) {
    form->monthNames[m - 1][0] = '\0';
    HebrewMonthName(m, form->year, form->monthNames[m - 1]);
  }
  for (int m = form->monthCount + 1; m <= 13; ++m) form->monthNames[m - 1][0] = '\0';
}

// The day list for the selected month, the day reduced to fit it.
void FillDays(HebrewDateForm* form) {
  if (form->month < 1) {
    form->dayCount = 0;
    return;
  }
  form->dayCount = HebrewLastDayOfMonth(form->month, form->year);
  if (form->day > form->dayCount) form->day = form->dayCount;
}

}  // namespace

int ParseFieldNumber(const char* text, int* value) {
  const char* p = text;
  while (*p == ' ') ++p;
  int negative = 0;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return 0;
  long long v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v < INT_MAX) v = v * 10 + (*p - '0');
    ++p;
  }
  while (*p == ' ') ++p;
  if (*p != '\0') return 0;
  if (v > INT_MAX) v = INT_MAX;
  *value = static_cast<int>(negative ? -v : v);
  return 1;
}

// ---- "Anniversaries" -----------------------------------------------------

int AnniversaryResultLines(const char* fromText, const char* toText, int selectedId,
                           const char* path, std::vector<std::string>* lines) {
  lines->clear();
  int from = 0;
  int to = 0;
  const char* message =
      CheckRangeYear(fromText, &from, "Year in \"from\" is invalid",
                     "Year in \"from\" must be in range 1583-3000");
  if (!message)
    message = CheckRangeYear(toText, &to, "Year in \"to\" is invalid",
                             "Year in \"to\" must be in range 1583-3000");
  if (!message && selectedId <= kAnniversaryNoSelection) message = "A list entry must be selected";
  if (message) {
    lines->push_back(message);
    return 0;
  }
  if (from > to) {
    const int later = from;
    from = to;
    to = later;
  }

  AnniversaryList list{};
  AnniversaryRecord record{};
  AnniversaryListLoad(&list, path);
  const int found = AnniversaryListGet(&list, selectedId, &record);
  AnniversaryListFree(&list);
  if (!found) message = kAnniversaryNotFoundMessage;
  else if (!AnniversaryTypeWord(record.type)) message = "Invalid anniversary type";
  if (message) {
    lines->push_back(message);
    return 0;
  }

  std::vector<AnniversaryOccurrence> occurrences;
  AnniversaryOccurrences(&record, from, to, kAnniversaryDayOfHebrewDate, &occurrences);
  for (const AnniversaryOccurrence& o : occurrences) {
    char date[256] = "";
    char month[256] = "";
    char line[600];
    FormatGregorianDate(o.gregorian.day, o.gregorian.month, o.gregorian.year, date);
    HebrewMonthNameEnglish(o.hebrew.month, o.hebrew.year, month);
    std::snprintf(line, sizeof line, "%s (%d %s %d)", date, o.hebrew.day, month, o.hebrew.year);
    lines->push_back(line);
  }
  return 1;
}

std::string AnniversaryResultText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void AnniversaryDefaultYears(int* fromYear, int* toYear) {
  ClockTime now{};
  LocalNow(&now);
  *fromYear = now.year;
  *toYear = now.year + 5;
}

int AnniversaryStoreEntry(const char* path, const AnniversaryRecord* record) {
  AnniversaryList list{};
  AnniversaryListLoad(&list, path);
  const int id = AnniversaryListPut(&list, record);
  const int saved = AnniversaryListSave(&list, path);
  AnniversaryListFree(&list);
  return saved ? id : -1;
}

int AnniversaryDeleteEntry(const char* path, int id) {
  AnniversaryList list{};
  AnniversaryListLoad(&list, path);
  int result = 0;
  if (AnniversaryListRemove(&list, id)) result = AnniversaryListSave(&list, path) ? 1 : -1;
  AnniversaryListFree(&list);
  return result;
}

void AnniversaryRemoveQuestion(const char* name, char* dest, int destSize) {
  if (!dest || destSize <= 0) return;
  std::snprintf(dest, static_cast<std::size_t>(destSize),
                "Are you really sure that you want to delete the entry \"%s\"?", name);
}

// ---- "Edit Anniversary" --------------------------------------------------

void EditAnniversaryFill(const AnniversaryRecord* record, EditAnniversaryFields* fields) {
  *fields = {};
  std::snprintf(fields->name, sizeof fields->name, "%.255s", record->name);
  const CalDate& d = record->date;
  if (d.day != 0 || d.month != 0 || d.year != 0) FormatGregorianDate(d.day, d.month, d.year, fields->date);
  fields->afterSunset = record->afterSunset ? 1 : 0;
  fields->type = AnniversaryTypeWord(record->type) ? record->type : 0;
}

int EditAnniversaryValidate(const EditAnniversaryFields* fields, AnniversaryRecord* record,
                            AnniversaryFieldError* error) {
  if (IsBlank(fields->name, sizeof fields->name))
    return Fail(error, "Name must not be blank", kAnniControlName);
  if (IsBlank(fields->date, sizeof fields->date))
    return Fail(error, "Date must not be blank", kAnniControlDate);
  char text[sizeof fields->date];
  std::snprintf(text, sizeof text, "%.255s", fields->date);  // terminated whatever came in
  CalDate date{};
  if (!CheckDateText(text, &date, error)) return 0;
  if (!AnniversaryTypeWord(fields->type))
    return Fail(error, "A radio button has to be selected", kAnniControlTypeAnniversary);
  std::snprintf(record->name, sizeof record->name, "%.255s", fields->name);
  record->date = date;
  record->afterSunset = fields->afterSunset ? 1 : 0;
  record->type = fields->type;
  return 1;
}

void AnniversaryDateSample(char* dest) {
  dest[0] = '\0';
  FormatGregorianDate(17, 6, 1981, dest);
}

int EnterHebrewDatePrepare(const char* dateText, CalDate* gregorian, AnniversaryFieldError* error) {
  if (IsBlank(dateText, std::strlen(dateText))) {
    ClockTime now{};
    LocalNow(&now);
    *gregorian = {now.day, now.month, now.year};
    return 1;
  }
  return CheckDateText(dateText, gregorian, error);
}

// ---- "Edit Date" ---------------------------------------------------------

void HebrewDateFormOpen(HebrewDateForm* form, const CalDate* gregorian, int afterSunset) {
  CalDate h{};
  HebrewFromAbsolute(AbsoluteFromGregorian(gregorian) + (afterSunset ? 1 : 0), &h);
  form->year = h.year;
  form->month = h.month;
  form->day = h.day;
  FillMonthNames(form);
  FillDays(form);
}

void HebrewDateFormSelectMonth(HebrewDateForm* form, int month) {
  if (month < 1 || month > form->monthCount) return;
  form->month = month;
  FillDays(form);
}

int HebrewDateFormYearTyped(HebrewDateForm* form, const char* yearText) {
  int year = 0;
  if (!ParseFieldNumber(yearText, &year) || year < kHebrewYearFirst || year > kHebrewYearLast)
    return 0;
  form->year = year;
  FillMonthNames(form);
  if (form->month > form->monthCount) form->month = form->monthCount;  // Adar II -> Adar
  FillDays(form);
  return 1;
}

int HebrewDateValidate(const HebrewDateFields* fields, int afterSunset, CalDate* gregorian,
                       AnniversaryFieldError* error) {
  if (fields->day < 1) return Fail(error, "A day must be selected", kAnniControlHebrewDay);
  if (fields->month < 1) return Fail(error, "A month must be selected", kAnniControlHebrewMonth);
  char text[sizeof fields->year];
  std::snprintf(text, sizeof text, "%.255s", fields->year);
  int year = 0;
  if (!ParseFieldNumber(text, &year))
    return Fail(error, "A valid year number must be entered", kAnniControlHebrewYear);
  if (year < kHebrewYearFirst || year > kHebrewYearLast)
    return Fail(error, "Year must be in range 5360-5860", kAnniControlHebrewYear);
  const CalDate hebrew = {fields->day, fields->month, year};
  GregorianFromAbsolute(AbsoluteFromHebrew(&hebrew) - (afterSunset ? 1 : 0), gregorian);
  return 1;
}
