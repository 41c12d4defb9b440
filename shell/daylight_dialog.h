// The "Daylight Savings Time" dialog (template "DAYLIGHTDLG"). Windows
// only; the decisions are in placetime/daylight_form.h.
#pragma once
#include <windows.h>

// Shows the dialog on the rule of daylight.ini. Returns 1 after OK (the
// rule written), 0 after Cancel (nothing written).
int DaylightSavingDialog(HWND owner);
