// Helpers of the settings windows' tests: drop-down lists changed as the
// user changes them (with the notification), list texts, the control that
// has the focus, and settings keys read back.
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

// The texts of a list box (`combo`: of a drop-down list), and the text of
// the list box's selection ("" for none).
inline std::vector<std::string> ListTexts(HWND dialog, int id, bool combo = false) {
  std::vector<std::string> texts;
  const int count =
      static_cast<int>(SendDlgItemMessageA(dialog, id, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[512] = "";
    SendDlgItemMessageA(dialog, id, combo ? CB_GETLBTEXT : LB_GETTEXT, i,
                        reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}
inline std::string SelectedText(HWND dialog, int id) {
  const std::vector<std::string> texts = ListTexts(dialog, id);
  const size_t i = static_cast<size_t>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
  return i < texts.size() ? texts[i] : "";
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

}  // namespace win32test
