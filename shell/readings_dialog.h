// The "Readings and Holidays" dialog (template "ISRAELDIASPORA"). Windows
// only; the decisions are in readings/readings_form.h.
#pragma once
#include <windows.h>

#include "placetime/window_state.h"

// Shows the dialog on the window's copy of the custom. Returns 1 after OK
// (the copy changed and "DiasporaFlag" written), 0 after Cancel.
int ReadingsDialog(HWND owner, CalWindowState* state);
