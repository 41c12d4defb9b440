// The Date/Time Format dialog (template "DATETIMEFORMAT"). Windows only.
#pragma once
#include <windows.h>

// Shows the dialog; returns 1 after OK (both settings written), 0 after
// Cancel or Escape (nothing written).
int DateTimeFormatDialog(HWND owner);
