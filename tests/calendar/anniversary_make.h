// A record and a date text for the anniversary tests.
#pragma once

#include <cstdio>
#include <string>

#include "calendar/anniversary.h"

inline AnniversaryRecord Make(const char* name, CalDate date, int afterSunset, int type) {
  AnniversaryRecord r{};
  std::snprintf(r.name, sizeof r.name, "%s", name);
  r.date = date;
  r.afterSunset = afterSunset;
  r.type = type;
  return r;
}

inline std::string DateText(const CalDate& d) {
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year);
}
