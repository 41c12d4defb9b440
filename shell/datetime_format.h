// The Date/Time Format dialog without its window: which radio buttons
// start checked, and what OK writes. [Settings] DateFormat (0 = day first,
// 1 = month first) and TimeFormat (1 = 12-hour, 0 = 24-hour clock) of
// exportcal.ini.
#pragma once

// The four radio buttons, 1 = checked. A setting other than 0 or 1 leaves
// its group with none checked.
struct DateTimeFormatFields {
  int dayFirst;    // "DD.MM.YYYY"
  int monthFirst;  // "MM/DD/YYYY"
  int hour12;      // "12 hour"
  int hour24;      // "24 hour"
};

// Opening: the buttons of the current settings.
void DateTimeFormatOpen(DateTimeFormatFields* fields);

// OK: when each group has a choice, writes DateFormat and then TimeFormat
// as decimal text and returns 1 (the dialog closes); otherwise writes
// nothing and returns 0 (the dialog stays open). Day first wins over month
// first and 12-hour over 24-hour should both be set.
int DateTimeFormatOk(const DateTimeFormatFields* fields);
