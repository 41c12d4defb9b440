// The range dialog of the export ("POCKETRANGE", or "HPCRANGE" under
// handheld emulation) and its "More..." and "Zmanim..." dialogs, with the
// pieces the import dialogs share. Windows only; the decisions are in
// export_rules.h.
#pragma once
#include <windows.h>

#include "shell/export_rules.h"

// Opens the range dialog on a copy of `block`. Returns 1 on OK (the block
// takes the dialog's values, include flags too), 0 on Cancel.
int RangeDialog(HWND owner, RangeBlock* block);
// "Include Selected Items": flags 0-7. Returns 1 on OK (flags stored), 0
// on Cancel, which keeps what an OK of "Zmanim..." stored meanwhile.
int RangeMoreDialog(HWND owner, IncludeFlags* flags);
// "Include Zmanim" on the 13 flags 8-20. Returns 1 on OK (stored), 0.
int ZmanimIncludeDialog(HWND owner, int* zmanFlags);

// Enables and disables the Outlook options of a range or holiday-import
// dialog by its target and reminder.
void UpdateOutlookControls(HWND dialog);
// Fills the busy-status list `id` and selects the item of `value` (none
// when no item has it).
void FillBusyStatusList(HWND dialog, int id, int value);
// A date in the configured format into edit control `id`.
void SetDateText(HWND dialog, int id, const CalDate& date);
