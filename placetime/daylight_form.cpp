// The daylight-saving dialog's portable logic; see daylight_form.h.
#include "placetime/daylight_form.h"

#include <cstdio>

#include "placetime/daylight.h"
#include "platform/ini.h"

namespace {

// Days of each month in a leap year: the start day list accepts 29
// February, which a common year counts on to 1 March.
constexpr int kLeapMonthLength[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int ReadKey(const char* key, int def) {
  return IniReadInt(kDaylightSection, key, def, kDaylightFile);
}

void WriteKey(const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  IniWriteString(kDaylightSection, key, text, kDaylightFile);
}

// The list position of a stored 1-based value, -1 when the list has none.
int Position(int stored, int count) { return stored >= 1 && stored <= count ? stored - 1 : -1; }

int WeekdayPosition(int stored) { return stored >= 0 && stored <= 6 ? stored : -1; }

// Sets the error and returns 0, so a check reads `return Fail(...)`.
int Fail(DaylightFieldError* error, const char* message, int control) {
  error->message = message;
  error->control = control;
  return 0;
}

int ValidateStart(const DaylightFields* f, DaylightFieldError* error) {
  if (f->startMethod == 0) {
    if (f->startWeekNo < 0)
      return Fail(error, "Start week no has to be selected", kDaylightControlStartWeekNo);
    if (f->startWeekDay < 0)
      return Fail(error, "Start weekday has to be selected", kDaylightControlStartWeekDay);
    if (f->startMonth < 0)
      return Fail(error, "Start month has to be selected", kDaylightControlStartMonth);
    return 1;
  }
  if (f->startMethod == 1) {
    if (f->startFirstLast < 0)
      return Fail(error, "Start week no has to be selected", kDaylightControlStartFirstLast);
    if (f->startWeekDay1 < 0)
      return Fail(error, "Start weekday has to be selected", kDaylightControlStartWeekDay1);
    if (f->startDay < 0)
      return Fail(error, "Start day has to be selected", kDaylightControlStartDay);
    if (f->startMonth1 < 0)
      return Fail(error, "Start month has to be selected", kDaylightControlStartMonth1);
    if (f->startMonth1 > 11 || f->startDay >= kLeapMonthLength[f->startMonth1])
      return Fail(error, "Invalid day was selected", kDaylightControlStartDay);
    return 1;
  }
  return Fail(error, "Method for start calculation must be selected",
              kDaylightControlStartMethod0);
}

int ValidateEnd(const DaylightFields* f, DaylightFieldError* error) {
  if (f->endMethod == 0) {
    if (f->endWeekNo < 0)
      return Fail(error, "End week no has to be selected", kDaylightControlEndWeekNo);
    if (f->endWeekDay < 0)
      return Fail(error, "End weekday has to be selected", kDaylightControlEndWeekDay);
    if (f->endMonth < 0)
      return Fail(error, "End month has to be selected", kDaylightControlEndMonth);
    return 1;
  }
  if (f->endMethod == 1) {
    if (f->endWeekDay1 < 0)
      return Fail(error, "End weekday has to be selected", kDaylightControlEndWeekDay1);
    return 1;
  }
  return Fail(error, "Method for end calculation must be selected", kDaylightControlEndMethod0);
}

}  // namespace

void DaylightFormLoad(DaylightFields* f) {
  *f = DaylightFields{};
  f->enabled = ReadKey("IsAvail", 0) != 0 ? 1 : 0;
  f->startMethod = f->endMethod = -1;
  f->startWeekNo = f->startWeekDay = f->startMonth = -1;
  f->startFirstLast = f->startWeekDay1 = f->startDay = f->startMonth1 = -1;
  f->endWeekNo = f->endWeekDay = f->endMonth = f->endWeekDay1 = -1;

  const int startMethod = ReadKey("StartMethod", 0);
  if (startMethod == 0) {
    f->startMethod = 0;
    f->startWeekNo = Position(ReadKey("StartWeekNo", 5), 5);
    f->startWeekDay = WeekdayPosition(ReadKey("StartWeekDay", 0));
    f->startMonth = Position(ReadKey("StartMonth", 3), 12);
  } else if (startMethod == 1) {
    f->startMethod = 1;
    f->startFirstLast = ReadKey("StartWeekNo", 5) == 1 ? 0 : 1;
    f->startWeekDay1 = WeekdayPosition(ReadKey("StartWeekDay", 0));
    f->startDay = Position(ReadKey("StartDay", 2), kDaylightDayCount);
    f->startMonth1 = Position(ReadKey("StartMonth", 3), 12);
  }

  const int endMethod = ReadKey("EndMethod", 0);
  if (endMethod == 0) {
    f->endMethod = 0;
    f->endWeekNo = Position(ReadKey("EndWeekNo", 5), 5);
    f->endWeekDay = WeekdayPosition(ReadKey("EndWeekDay", 0));
    f->endMonth = Position(ReadKey("EndMonth", 10), 12);
  } else if (endMethod == 1) {
    f->endMethod = 1;
    f->endWeekDay1 = WeekdayPosition(ReadKey("EndWeekDay", 0));
  }
}

int DaylightControlEnabled(const DaylightFields* f, int control) {
  switch (control) {
    case kDaylightControlDisable:
    case kDaylightControlEnable:
      return 1;
    case kDaylightControlStartLabel:
    case kDaylightControlStartMethod0:
    case kDaylightControlStartMethod1:
    case kDaylightControlEndLabel:
    case kDaylightControlEndMethod0:
    case kDaylightControlEndMethod1:
      return f->enabled ? 1 : 0;
    case kDaylightControlStartWeekNo:
    case kDaylightControlStartWeekDay:
    case kDaylightControlStartOf:
    case kDaylightControlStartMonth:
      return f->enabled && f->startMethod == 0 ? 1 : 0;
    case kDaylightControlStartFirstLast:
    case kDaylightControlStartWeekDay1:
    case kDaylightControlStartAfterBefore:
    case kDaylightControlStartDay:
    case kDaylightControlStartMonth1:
      return f->enabled && f->startMethod == 1 ? 1 : 0;
    case kDaylightControlEndWeekNo:
    case kDaylightControlEndWeekDay:
    case kDaylightControlEndOf:
    case kDaylightControlEndMonth:
      return f->enabled && f->endMethod == 0 ? 1 : 0;
    case kDaylightControlEndLast:
    case kDaylightControlEndWeekDay1:
    case kDaylightControlEndBefore:
    case kDaylightControlEndYom:
    case kDaylightControlEndKippur:
      return f->enabled && f->endMethod == 1 ? 1 : 0;
    default:
      return 0;
  }
}

const char* DaylightAfterBeforeText(int firstLast) {
  if (firstLast == 0) return "after";
  if (firstLast == 1) return "before";
  return "";
}

int DaylightValidate(const DaylightFields* f, DaylightFieldError* error) {
  if (!f->enabled) return 1;
  if (!ValidateStart(f, error)) return 0;
  return ValidateEnd(f, error);
}

int DaylightFormOk(const DaylightFields* f, DaylightFieldError* error) {
  if (!f->enabled) {
    WriteKey("IsAvail", 0);  // the rule itself stays for the next "Enable"
    return 1;
  }
  if (!DaylightValidate(f, error)) return 0;
  const int method1 = f->startMethod == 1;
  // EndMonth means nothing under end method 1: the stored value stays.
  const int endMonth = f->endMethod == 0 ? f->endMonth + 1 : ReadKey("EndMonth", 10);
  WriteKey("IsAvail", 1);
  WriteKey("StartMethod", f->startMethod);
  WriteKey("StartWeekNo", method1 ? (f->startFirstLast == 0 ? 1 : 5) : f->startWeekNo + 1);
  WriteKey("StartWeekDay", method1 ? f->startWeekDay1 : f->startWeekDay);
  WriteKey("StartMonth", (method1 ? f->startMonth1 : f->startMonth) + 1);
  WriteKey("StartDay", method1 ? f->startDay + 1 : 1);
  WriteKey("EndMethod", f->endMethod);
  WriteKey("EndWeekNo", f->endMethod == 0 ? f->endWeekNo + 1 : 1);
  WriteKey("EndWeekDay", f->endMethod == 0 ? f->endWeekDay : f->endWeekDay1);
  WriteKey("EndMonth", endMonth);
  return 1;
}
