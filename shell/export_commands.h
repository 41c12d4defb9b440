// The Calendar menu's export commands: the export of a range (Ctrl+I), the
// anniversary import and the holiday-only import. Windows only.
#pragma once
#include <windows.h>

// Carries out `command` when it is one of the export commands. Returns 1
// when it was one of them, else 0.
int ExportCommand(HWND window, int command);
