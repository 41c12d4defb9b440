// The anniversary windows: "Anniversaries" (templates "ANNI", "HPCANNI"),
// "Edit Anniversary" ("EDITANNI", "HPCEDITANNI") and "Edit Date"
// ("EDITANNIDATE"), and the copy of a listing to the clipboard. Windows
// only; the decisions are in calendar/anniversary_forms.h.
#pragma once
#include <windows.h>

#include "calendar/anniversary.h"

// The list of "Merovan Anniversaries.bin" with its buttons and the dates of
// the selected entry over a range of years. Returns when it is closed.
void AnniversariesDialog(HWND owner);

// Edits `record` (an empty one for a new entry). Returns 1 after OK with
// the record filled (its id untouched), 0 after Cancel.
int EditAnniversaryDialog(HWND owner, AnniversaryRecord* record);

// Picks a Hebrew date, starting from the Hebrew date of `gregorian` (of
// the next day when `afterSunset`). Returns 1 after OK with `gregorian`
// the chosen date's day (the day before when `afterSunset`), else 0.
int EditHebrewDateDialog(HWND owner, CalDate* gregorian, int afterSunset);

// Puts `text` on the clipboard as plain text and as Unicode text, then
// says so ("Data was copied into the clipboard", "Information"). Returns
// 1, or 0 after showing why the clipboard could not take it.
int CopyTextToClipboard(HWND window, const char* text);
