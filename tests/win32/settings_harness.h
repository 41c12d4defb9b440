// Helpers of the settings windows' tests: lists and drop-down lists
// changed as the user changes them (with the notification), the control
// that has the focus, and settings keys read back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ini.h"

namespace win32test {

// Selects item `position` (-1: none) of a drop-down list and tells the
// dialog, as a choice with the mouse does.
inline void ChooseComboItem(HWND dialog, int id, int position) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
inline int ComboItem(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}
inline std::vector<std::string> ComboTexts(HWND dialog, int id) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[512] = "";
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}

// Selects item `position` of a list box and tells the dialog.
inline void ChooseListItem(HWND dialog, int id, int position) {
  SendDlgItemMessageA(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
inline int ListItem(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
}
inline std::vector<std::string> ListTexts(HWND dialog, int id) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[512] = "";
    SendDlgItemMessageA(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}
// The position of the item `text` (exact, case ignored), or -1.
inline int FindListItem(HWND dialog, int id, const char* text) {
  LRESULT found = SendDlgItemMessageA(dialog, id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text));
  return found == LB_ERR ? -1 : static_cast<int>(found);
}

// The id of the control that has the focus, 0 for none.
inline int FocusId() {
  HWND focus = GetFocus();
  return focus ? GetDlgCtrlID(focus) : 0;
}

inline bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

// A key of a settings file, "(missing)" when it is not there.
inline std::string IniText(const char* section, const char* key, const char* file) {
  char text[512];
  IniReadString(section, key, "(missing)", text, sizeof text, file);
  return text;
}

// The client width of `dialog`, and `units` dialog units of it in pixels.
inline int ClientWidth(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  return client.right;
}
inline int UnitsToPixels(HWND dialog, int units) {
  RECT rect{0, 0, units, 10};
  MapDialogRect(dialog, &rect);
  return rect.right;
}

}  // namespace win32test
