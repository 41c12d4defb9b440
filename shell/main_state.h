// The main window's record as the window is created: today's date, the
// custom, the current city and its location, the Shabbat settings.
#pragma once
#include "placetime/window_state.h"

// Fills a zero-filled `state` in this order: [Flags] LeftToRight (default
// 1); today from the local clock; [Parasha] DiasporaFlag of
// exportcalshab.ini (default 1); [Location] CityName (default "New York,
// NY") and LookupCity on it (unknown city: location values 0); the four
// [ShabbatTimes] keys (defaults 18, 45, 1, 8.0).
void MainStateInit(CalWindowState* state);
