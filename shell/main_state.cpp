// The main window's record at creation.
#include "shell/main_state.h"

#include "settings/settings.h"
#include "placetime/cities.h"
#include "readings/readings_form.h"
#include "placetime/shabbat.h"
#include "platform/clock.h"
#include "platform/ini.h"

void MainStateInit(CalWindowState* state) {
  state->leftToRight = GetLeftToRight();

  ClockTime now;
  LocalNow(&now);
  state->selectedDay = CalDate{now.day, now.month, now.year};

  ReadingsLoadCustom(state);

  IniReadString(kLocationSection, kCityNameKey, kDefaultCityName, state->cityName,
                sizeof state->cityName, kSettingsFile);
  state->locationKnown = LookupCity(state->cityName, &state->latitude, &state->longitude,
                                    &state->timeZone, &state->elevation);

  ShabbatSettings shabbat;
  ReadShabbatSettings(&shabbat);
  ShabbatSettingsToState(&shabbat, state);
}
