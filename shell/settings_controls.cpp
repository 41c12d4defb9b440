// Shared pieces of the settings dialogs; see settings_controls.h.
#include "shell/settings_controls.h"

#include <vector>

#include "platform/message.h"
#include "settings/settings.h"
#include "shell/app.h"

const char* SettingsTemplate(const char* standard, const char* handheld) {
  return IsHandheldEmulation() ? handheld : standard;
}

INT_PTR SettingsDialogBox(const char* name, HWND owner, DLGPROC procedure, void* parameter) {
  return DialogBoxParamA(AppInstance(), name, owner, procedure,
                         reinterpret_cast<LPARAM>(parameter));
}

void SetDialogRecord(HWND dialog, void* record) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
}

void FocusControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (control) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void ShowFieldError(HWND dialog, const char* message, int id) {
  ShowMessage(message, "Error", MessageIconError);
  if (id) FocusControl(dialog, id);
}

void ControlText(HWND dialog, int id, char* out, int size) {
  if (size <= 0) return;
  out[0] = '\0';
  GetDlgItemTextA(dialog, id, out, size);
  out[size - 1] = '\0';
}

std::string ControlString(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return std::string();
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1);
  GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  return text.data();
}

void LimitText(HWND dialog, int id, int characters) {
  SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void CheckButton(HWND dialog, int id, int checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int ButtonChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void EnableControl(HWND dialog, int id, int enabled) {
  if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

void FillComboBox(HWND dialog, int id, const char* const* texts, int count, int selected) {
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
  SelectCombo(dialog, id, selected);
}

int ComboSelection(HWND dialog, int id) {
  LRESULT position = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return position == CB_ERR ? -1 : static_cast<int>(position);
}

void SelectCombo(HWND dialog, int id, int position) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}
