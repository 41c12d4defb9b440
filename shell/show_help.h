// The help command: the help page written to the temporary folder and
// opened with the shell's default action for .htm files. Windows only.
#pragma once
#include <windows.h>

// Writes "Cal.htm" (replacing it; not reported when it cannot be created)
// and opens it with `owner` as the parent. A failed open shows "File %s
// could not be opened, error code %d" under "Error".
void ShowHelpPage(HWND owner);

// The call that opens the file: 1, or 0 with the system's error code set
// (GetLastError). The program uses ShellExecuteEx with no verb and the
// "show" command; tests put a fake in its place. nullptr restores it.
using HelpOpenFunction = int (*)(HWND owner, const char* path);
void SetHelpOpenFunction(HelpOpenFunction open);
