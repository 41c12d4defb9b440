// The Settings menu's commands that open the settings windows, and what
// each stores when its window closes.
#include "shell/settings_commands.h"

#include <cstdio>
#include <vector>

#include "placetime/cities.h"
#include "placetime/shabbat.h"
#include "placetime/suntimes.h"
#include "shell/anniversary_dialog.h"
#include "shell/daylight_dialog.h"
#include "shell/location_dialog.h"
#include "shell/location_rules.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/readings_dialog.h"
#include "shell/shabbat_dialog.h"
#include "shell/zmanim_dialog.h"

namespace {

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

// The main window takes the focus back and shows the settings afresh.
void FocusAndRepaint(HWND window) {
  SetFocus(window);
  Repaint(window);
}

// Location (13). The user's cities change inside the dialog, also when it
// is cancelled; they are written at once, so that nothing the user entered
// hangs on the program ending well.
void SelectLocationCommand(HWND window, CalWindowState* state) {
  std::vector<unsigned char> before, after;
  UserCitiesSerialize(UserCities(), &before);
  char name[kCityNameSize];
  std::snprintf(name, sizeof name, "%s", state->cityName);
  const int chosen = SelectLocationDialog(window, name);
  UserCitiesSerialize(UserCities(), &after);
  char path[1024];
  if (after != before && CitiesFilePath(path, sizeof path)) SaveUserCities(UserCities(), path);
  if (chosen) LocationCommandApply(state, name);  // a failed write is reported below us
  FocusAndRepaint(window);
}

// Shabbat times (12): the dialog works on a copy of the window's values.
void ShabbatTimeCommand(HWND window, CalWindowState* state) {
  ShabbatSettings settings{};
  ShabbatSettingsFromState(state, &settings);
  if (ShabbatTimesDialog(window, &settings)) {
    ShabbatSettingsToState(&settings, state);
    WriteShabbatSettings(&settings);
  }
  FocusAndRepaint(window);
}

}  // namespace

int SettingsCommand(HWND window, int command) {
  CalWindowState* state = MainWindowState(window);
  switch (command) {
    case kCommandSelectLocation:
      if (state) SelectLocationCommand(window, state);
      return 1;
    case kCommandDaylightSaving:
      DaylightSavingDialog(window);
      // Cached sunsets include daylight saving, whatever the dialog did.
      SunCacheReset();
      FocusAndRepaint(window);
      return 1;
    case kCommandShabbatTime:
      if (state) ShabbatTimeCommand(window, state);
      return 1;
    case kCommandConfigureZmanim:
      ConfigureZmanimDialog(window);
      return 1;
    case kCommandReadings:
      if (state) ReadingsDialog(window, state);
      FocusAndRepaint(window);
      return 1;
    case kCommandAnniversaries:
      AnniversariesDialog(window);
      Repaint(window);
      return 1;
  }
  return 0;
}
