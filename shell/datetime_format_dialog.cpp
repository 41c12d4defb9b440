// The Date/Time Format dialog: moves the radio buttons to and from
// DateTimeFormatFields; the decisions are in datetime_format.cpp.
#include "shell/datetime_format_dialog.h"

#include "resources/resource_ids.h"
#include "shell/app.h"
#include "shell/datetime_format.h"

namespace {

void SetFields(HWND dialog, const DateTimeFormatFields& fields) {
  CheckDlgButton(dialog, IDC_DATE_DAY_FIRST, fields.dayFirst ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_DATE_MONTH_FIRST, fields.monthFirst ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_TIME_12_HOUR, fields.hour12 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_TIME_24_HOUR, fields.hour24 ? BST_CHECKED : BST_UNCHECKED);
}

DateTimeFormatFields GetFields(HWND dialog) {
  DateTimeFormatFields fields;
  fields.dayFirst = IsDlgButtonChecked(dialog, IDC_DATE_DAY_FIRST) == BST_CHECKED;
  fields.monthFirst = IsDlgButtonChecked(dialog, IDC_DATE_MONTH_FIRST) == BST_CHECKED;
  fields.hour12 = IsDlgButtonChecked(dialog, IDC_TIME_12_HOUR) == BST_CHECKED;
  fields.hour24 = IsDlgButtonChecked(dialog, IDC_TIME_24_HOUR) == BST_CHECKED;
  return fields;
}

INT_PTR OnInitDialog(HWND dialog) {
  DateTimeFormatFields fields;
  DateTimeFormatOpen(&fields);
  SetFields(dialog, fields);
  return TRUE;  // the system puts the focus on the first control
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK: {
      DateTimeFormatFields fields = GetFields(dialog);
      if (DateTimeFormatOk(&fields)) EndDialog(dialog, 1);  // else stays open
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK DateTimeFormatProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

int DateTimeFormatDialog(HWND owner) {
  INT_PTR result =
      DialogBoxParamA(AppInstance(), "DATETIMEFORMAT", owner, DateTimeFormatProc, 0);
  return result == 1 ? 1 : 0;
}
