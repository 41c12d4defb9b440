// The "Shabbat Time Preferences" dialog (templates "SHABBATTIMES",
// "HPCSHABBATTIMES"). Windows only; the checks are in placetime/shabbat.h.
#pragma once
#include <windows.h>

#include "placetime/shabbat.h"

// Shows the dialog on `settings`. Returns 1 after OK with `settings`
// updated, 0 after Cancel with `settings` untouched.
int ShabbatTimesDialog(HWND owner, ShabbatSettings* settings);
