// The location command's stores; see location_rules.h.
#include "shell/location_rules.h"

#include <cstdio>

#include "placetime/cities.h"
#include "platform/ini.h"
#include "settings/settings.h"

int LocationCommandApply(CalWindowState* state, const char* cityName) {
  std::snprintf(state->cityName, sizeof state->cityName, "%s", cityName);
  int latitude = 0, longitude = 0, timeZone = 0, elevation = 0;
  state->locationKnown = LookupCity(state->cityName, &latitude, &longitude, &timeZone, &elevation);
  // An unknown city keeps no values of the one before it.
  state->latitude = latitude;
  state->longitude = longitude;
  state->timeZone = timeZone;
  state->elevation = elevation;
  return IniWriteString(kLocationSection, kCityNameKey, state->cityName, kSettingsFile);
}
