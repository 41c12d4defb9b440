// The About box (template "ABOUT", or "HPCABOUT" under handheld
// emulation). Windows only.
#pragma once
#include <windows.h>

// Shows the box until Close or Escape.
void AboutDialog(HWND owner);
