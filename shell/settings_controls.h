// Small pieces the settings dialogs share: opening a template, showing a
// failed check with the focus on its control, and moving values in and out
// of edit fields, lists and radio buttons. Windows only.
#pragma once
#include <windows.h>

#include <string>

// The handheld template under [HandheldPC] Emulate, else the standard one.
const char* SettingsTemplate(const char* standard, const char* handheld);

// Opens template `name` as a modal dialog of `owner` with `procedure`,
// `parameter` arriving as WM_INITDIALOG's lParam. Returns what EndDialog
// was given, or -1 when the dialog could not be created.
INT_PTR SettingsDialogBox(const char* name, HWND owner, DLGPROC procedure, void* parameter);

// The record a dialog procedure was opened with (kept in DWLP_USER).
void SetDialogRecord(HWND dialog, void* record);
template <typename T>
T* DialogRecord(HWND dialog) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// A failed check: `message` under "Error" with the stop icon, then the
// focus on control `id` (none for 0), its text selected.
void ShowFieldError(HWND dialog, const char* message, int id);
// The focus on control `id`, as the dialog manager moves it.
void FocusControl(HWND dialog, int id);

// The text of control `id` into out[size] (always terminated).
void ControlText(HWND dialog, int id, char* out, int size);
std::string ControlString(HWND dialog, int id);
// Caps what the user can type into edit control `id`.
void LimitText(HWND dialog, int id, int characters);

void CheckButton(HWND dialog, int id, int checked);
int ButtonChecked(HWND dialog, int id);
void EnableControl(HWND dialog, int id, int enabled);

// A drop-down list: emptied and filled with `count` texts, then item
// `selected` selected (-1: none).
void FillComboBox(HWND dialog, int id, const char* const* texts, int count, int selected);
// The selected position of a drop-down list, -1 for none.
int ComboSelection(HWND dialog, int id);
void SelectCombo(HWND dialog, int id, int position);
