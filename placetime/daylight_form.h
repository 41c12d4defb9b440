// What the "Daylight Savings Time" dialog decides, without any window: the
// list texts, loading the rule into the controls, which controls are
// enabled, the OK checks in their order and the keys written. The dialog
// procedure only moves values between its controls and these functions.
#pragma once

// Control ids of the dialog.
enum DaylightControl {
  kDaylightControlNone = 0,
  kDaylightControlDisable = 1401,
  kDaylightControlEnable,
  kDaylightControlStartLabel,        // "Start:"
  kDaylightControlStartMethod0,      // radio: nth weekday of a month
  kDaylightControlStartMethod1,      // radio: weekday after or before a day
  kDaylightControlStartWeekNo,       // "1st" ... "Last"
  kDaylightControlStartWeekDay,      // "Sunday" ... "Saturday"
  kDaylightControlStartOf,           // "of"
  kDaylightControlStartMonth,        // "January" ... "December"
  kDaylightControlStartFirstLast,    // "First", "Last"
  kDaylightControlStartWeekDay1,
  kDaylightControlStartAfterBefore,  // "after", "before" or empty
  kDaylightControlStartDay,          // 1 ... 31
  kDaylightControlStartMonth1,
  kDaylightControlEndLabel,          // "End:"
  kDaylightControlEndMethod0,
  kDaylightControlEndMethod1,        // radio: last weekday before Yom Kippur
  kDaylightControlEndWeekNo,
  kDaylightControlEndWeekDay,
  kDaylightControlEndOf,
  kDaylightControlEndMonth,
  kDaylightControlEndLast,           // "Last"
  kDaylightControlEndWeekDay1,
  kDaylightControlEndBefore,         // "before"
  kDaylightControlEndYom,            // "Yom"
  kDaylightControlEndKippur,         // "Kippur"
};

// List contents, in list order.
inline constexpr const char* kDaylightWeekNoTexts[5] = {"1st", "2nd", "3rd", "4th", "Last"};
inline constexpr const char* kDaylightFirstLastTexts[2] = {"First", "Last"};
inline constexpr const char* kDaylightWeekdayTexts[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr const char* kDaylightMonthTexts[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
inline constexpr int kDaylightDayCount = 31;  // the day list holds 1 ... 31

// The state of the controls. A list holds the position of its selection,
// -1 for none; a method is 0 or 1 for the checked radio button, -1 for none.
struct DaylightFields {
  int enabled;  // 1 = "Enable" checked, 0 = "Disable"
  int startMethod;
  int startWeekNo;     // method 0 row: 0-4
  int startWeekDay;    // 0-6
  int startMonth;      // 0-11
  int startFirstLast;  // method 1 row: 0 = "First", 1 = "Last"
  int startWeekDay1;   // 0-6
  int startDay;        // 0-30
  int startMonth1;     // 0-11
  int endMethod;
  int endWeekNo;       // method 0 row: 0-4
  int endWeekDay;      // 0-6
  int endMonth;        // 0-11
  int endWeekDay1;     // method 1 row: 0-6
};

// The first failing check: its message (caption "Error", stop icon) and
// the control that gets the focus.
struct DaylightFieldError {
  const char* message;
  int control;  // a DaylightControl
};

// Opening: the fields from daylight.ini. Only the row of each side's stored
// method is loaded; the other rows, and a row of a stored method that is
// neither 0 nor 1 (no radio button checked), select nothing. A stored value
// with no list entry selects nothing in that list.
void DaylightFormLoad(DaylightFields* fields);

// 1 if `control` is enabled for the fields: with "Disable" only the two
// radio buttons (and OK, Cancel); with "Enable" the method radio buttons
// and the side labels, and each method row while its radio button is
// checked.
int DaylightControlEnabled(const DaylightFields* fields, int control);

// The label between the weekday and day lists: "after" for "First",
// "before" for "Last", empty with nothing chosen.
const char* DaylightAfterBeforeText(int firstLast);

// The OK checks in their order (none with "Disable"). Returns 1, or 0 with
// the first failure.
int DaylightValidate(const DaylightFields* fields, DaylightFieldError* error);

// OK: with "Disable" writes "IsAvail" = 0 and nothing else; with "Enable"
// validates and writes the rule key by key. Returns 1 (the dialog closes),
// or 0 with the failure (nothing written).
int DaylightFormOk(const DaylightFields* fields, DaylightFieldError* error);
