// The main window: class CalMainClass, its menu bar, the title screen it
// paints, and the commands it hands on. Windows only.
#pragma once
#include <windows.h>

#include "placetime/window_state.h"

// Registers CalMainClass: redrawn whole on a size change, 8 bytes of window data
// (slot 0 holds the CalWindowState), icon 1, the arrow cursor, the white
// stock brush. Returns 1, or 0 (GetLastError tells why).
int RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window with its menu bar at (0, 0), as wide as the
// screen and as high as the screen less a caption and two sizing frames.
// Returns the window, or 0 (GetLastError tells why).
HWND CreateMainWindow(HINSTANCE instance);

// The menu bar: the popups and items of kMenuBar with the texts loaded at
// start-up.
HMENU BuildMenuBar();

// The record the window owns, or nullptr before creation and after
// destruction.
CalWindowState* MainWindowState(HWND window);

// Carries out command `command` of the menu bar, an accelerator or F1.
void MainWindowCommand(HWND window, int command);
