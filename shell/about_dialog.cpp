// The About box: the icon, seven lines and Close.
#include "shell/about_dialog.h"

#include "settings/settings.h"
#include "resources/resource_ids.h"
#include "shell/about.h"
#include "shell/app.h"

namespace {

INT_PTR OnInitDialog(HWND dialog) {
  char lines[kAboutLineCount][kAboutLineSize];
  AboutLines(ShellText, lines);
  for (int i = 0; i < kAboutLineCount; ++i)
    SetDlgItemTextA(dialog, IDC_ABOUT_FIRST_LINE + i, lines[i]);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id) {
  if (id != IDOK && id != IDCANCEL) return FALSE;
  EndDialog(dialog, 0);
  return TRUE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

void AboutDialog(HWND owner) {
  const char* name = IsHandheldEmulation() ? "HPCABOUT" : "ABOUT";
  DialogBoxParamA(AppInstance(), name, owner, AboutProc, 0);
}
