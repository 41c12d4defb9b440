// The "Select Location" dialog (templates "SELECTLOC", "HPCSELECTLOC") and
// the location editor ("EDITLOC"). Windows only; the decisions are in
// placetime/cities.h.
#pragma once
#include <windows.h>

#include "placetime/cities.h"

// Shows the list of cities with `cityName` (a 256-byte buffer) selected.
// Add, Modify and Remove change the process-wide user list at once.
// Returns 1 after OK (the buffer then holds the chosen name), 0 after
// Cancel.
int SelectLocationDialog(HWND owner, char* cityName);

// The editor on `block`. Returns 1 after Save (the block holds the edited
// record), 0 after Cancel; when the dialog cannot be created it says so
// and returns 0.
int EditLocationDialog(HWND owner, LocationEditBlock* block);
