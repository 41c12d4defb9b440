// The owner-drawn label list of the range and holiday-import dialogs:
// "None" and the ten appointment labels, each item painted with a square
// of its colour. Windows only.
#pragma once
#include <windows.h>

// Empties the drop-down list `id` and fills it: "None" (item value 0),
// then the labels in their order, each with its colour as item value.
void FillLabelList(HWND dialog, int id);
// The selected position (0 = "None"), or -1 when nothing is selected.
int GetSelectedLabel(HWND dialog, int id);
// Selects position `label`; a number outside the list selects nothing.
void SelectLabel(HWND dialog, int id, int label);
// The item height: the character height of an 8-point bold "Helv" at the
// window's dots per inch.
void MeasureLabelItem(HWND dialog, MEASUREITEMSTRUCT* item);
// Paints one item: background and text colour by state (disabled, selected,
// normal), the colour square unless the item is "None", the text, and the
// focus rectangle.
void DrawLabelItem(HWND dialog, const DRAWITEMSTRUCT* item);
