// Tavlon.exe: start-up, the message loop and shutdown, and what the whole
// process shares (the instance handle, the main window, the texts loaded
// from the string table at start-up). Windows only.
#pragma once
#include <windows.h>

inline constexpr char kMainClassName[] = "CalMainClass";

// The instance handle kept for dialogs and string loads (0 before start-up
// step 8).
HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);
// The main window while it exists, else 0.
HWND AppMainWindow();
void SetAppMainWindow(HWND window);

// A text of the string table loaded at start-up: 1, 2, 16-47 and
// 1000-1018, each at most 255 characters; "" for any other number or a
// missing text.
const char* ShellText(int id);
// Loads those texts from `instance`'s string table.
void LoadShellTexts(HINSTANCE instance);

// The program from start to end: COM, the sun-time cache, the single
// instance check, the texts, `initializeDefinitions` (CallangInitialize in
// the program; tests pass one that parses another text), the user's cities,
// the window class, the main window, the message loop with accelerator
// table 1, and the shutdown in reverse. Returns the exit code.
int TavlonRun(HINSTANCE instance, HINSTANCE previous, int showCommand,
              int (*initializeDefinitions)());
