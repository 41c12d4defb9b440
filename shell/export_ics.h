// The iCalendar target of the exports in the program: the save dialogs
// with their remembered names, and the writing of a file with the
// progress window and the outcome messages. Windows only.
#pragma once
#include <windows.h>

#include <vector>

#include "export/export_run.h"

// Answers a save dialog instead of the system: gets the owner, the default
// extension ("ics" or "txt") and the remembered name in `path` (256
// characters), returns 1 with the chosen path in `path`, or 0 for Cancel.
using SaveNameHook = int (*)(HWND owner, const char* extension, char* path, int size);
// Tests answer the save dialogs through `hook`; nullptr restores them.
void SetSaveNameHook(SaveNameHook hook);

// The save dialog for an iCalendar file ("iCalendar files (*.ics)", "All
// files (*.*)", extension "ics", overwrite prompt, the path must exist),
// starting with the name chosen last in this run of the program. Returns 1
// with the path in `path` (256 characters), or 0 when the user cancels.
int AskIcsFileName(HWND owner, char* path);
// The same for the anniversary text table ("Text files (*.txt)",
// extension "txt", read-only box hidden), with a name of its own.
int AskTextFileName(HWND owner, char* path);

// The message of an export's result: "Creation of ICS file was
// successful", "Creation of file failed", or that the export was
// cancelled and nothing written.
void ShowIcsOutcome(int result);

// Asks for the file name, then writes the entries under the progress
// window and shows the outcome. Cancel in the save dialog writes nothing
// and says nothing.
void WriteIcsFile(HWND owner, const std::vector<ExportEntry>& entries);
