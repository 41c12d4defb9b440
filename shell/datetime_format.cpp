// The Date/Time Format dialog's reading and writing of the two settings.
#include "shell/datetime_format.h"

#include "settings/settings.h"

void DateTimeFormatOpen(DateTimeFormatFields* fields) {
  int date = GetDateFormat();
  int time = GetTimeFormat();
  fields->dayFirst = date == 0;
  fields->monthFirst = date == 1;
  fields->hour12 = time == 1;
  fields->hour24 = time == 0;
}

int DateTimeFormatOk(const DateTimeFormatFields* fields) {
  int date = fields->dayFirst ? 0 : fields->monthFirst ? 1 : -1;
  int time = fields->hour12 ? 1 : fields->hour24 ? 0 : -1;
  if (date < 0 || time < 0) return 0;
  SetDateFormat(date);
  SetTimeFormat(time);
  return 1;
}
