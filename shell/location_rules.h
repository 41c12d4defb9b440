// What the location command stores once the Select Location dialog has
// closed with OK.
#pragma once
#include "placetime/window_state.h"

// The main window's record takes the chosen name and what LookupCity finds
// for it (location known or not), and [Location] CityName of exportcal.ini
// the name. Returns 1, or 0 when the key could not be written.
int LocationCommandApply(CalWindowState* state, const char* cityName);
