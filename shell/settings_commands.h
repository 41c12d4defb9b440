// The Settings menu's commands that open the settings windows (location,
// daylight saving, Shabbat times, zmanim, readings, anniversaries).
// Windows only.
#pragma once
#include <windows.h>

// Carries out `command` when it is one of these windows' commands: opens
// the window, stores what it returns, and gives the main window the focus
// and a repaint where the command calls for it. Returns 1 when the command
// was one of them, else 0.
int SettingsCommand(HWND window, int command);
