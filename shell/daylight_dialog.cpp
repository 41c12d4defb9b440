// The Daylight Savings Time dialog: moves DaylightFields to and from its
// radio buttons and lists; placetime/daylight_form decides the rest.
#include "shell/daylight_dialog.h"

#include "placetime/daylight_form.h"
#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

static_assert(IDC_DST_DISABLE == kDaylightControlDisable &&
              IDC_DST_START_WEEKNO == kDaylightControlStartWeekNo &&
              IDC_DST_START_MONTH1 == kDaylightControlStartMonth1 &&
              IDC_DST_END_LABEL == kDaylightControlEndLabel &&
              IDC_DST_END_KIPPUR == kDaylightControlEndKippur);

namespace {

constexpr const char* kDayTexts[kDaylightDayCount] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
    "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"};

// A list of the dialog, the field holding its position and its texts.
struct ListBinding {
  int id;
  int DaylightFields::*field;
  const char* const* texts;
  int count;
};

constexpr ListBinding kLists[] = {
    {IDC_DST_START_WEEKNO, &DaylightFields::startWeekNo, kDaylightWeekNoTexts, 5},
    {IDC_DST_START_WEEKDAY, &DaylightFields::startWeekDay, kDaylightWeekdayTexts, 7},
    {IDC_DST_START_MONTH, &DaylightFields::startMonth, kDaylightMonthTexts, 12},
    {IDC_DST_START_FIRSTLAST, &DaylightFields::startFirstLast, kDaylightFirstLastTexts, 2},
    {IDC_DST_START_WEEKDAY1, &DaylightFields::startWeekDay1, kDaylightWeekdayTexts, 7},
    {IDC_DST_START_DAY, &DaylightFields::startDay, kDayTexts, kDaylightDayCount},
    {IDC_DST_START_MONTH1, &DaylightFields::startMonth1, kDaylightMonthTexts, 12},
    {IDC_DST_END_WEEKNO, &DaylightFields::endWeekNo, kDaylightWeekNoTexts, 5},
    {IDC_DST_END_WEEKDAY, &DaylightFields::endWeekDay, kDaylightWeekdayTexts, 7},
    {IDC_DST_END_MONTH, &DaylightFields::endMonth, kDaylightMonthTexts, 12},
    {IDC_DST_END_WEEKDAY1, &DaylightFields::endWeekDay1, kDaylightWeekdayTexts, 7},
};

// A method pair: 0 or 1 for the checked radio button, -1 for none.
int MethodOf(HWND dialog, int method0, int method1) {
  if (ButtonChecked(dialog, method0)) return 0;
  if (ButtonChecked(dialog, method1)) return 1;
  return -1;
}

DaylightFields GetFields(HWND dialog) {
  DaylightFields fields{};
  fields.enabled = ButtonChecked(dialog, IDC_DST_ENABLE);
  fields.startMethod = MethodOf(dialog, IDC_DST_START_METHOD0, IDC_DST_START_METHOD1);
  fields.endMethod = MethodOf(dialog, IDC_DST_END_METHOD0, IDC_DST_END_METHOD1);
  for (const ListBinding& list : kLists) fields.*(list.field) = ComboSelection(dialog, list.id);
  return fields;
}

// Enables each control as the fields call for and sets the after/before
// label.
void ApplyFields(HWND dialog, const DaylightFields& fields) {
  for (int id = IDC_DST_START_LABEL; id <= IDC_DST_END_KIPPUR; ++id)
    EnableControl(dialog, id, DaylightControlEnabled(&fields, id));
  SetDlgItemTextA(dialog, IDC_DST_START_AFTERBEFORE,
                  DaylightAfterBeforeText(fields.startFirstLast));
}

INT_PTR OnInitDialog(HWND dialog) {
  DaylightFields fields{};
  DaylightFormLoad(&fields);
  CheckButton(dialog, fields.enabled ? IDC_DST_ENABLE : IDC_DST_DISABLE, 1);
  CheckButton(dialog, IDC_DST_START_METHOD0, fields.startMethod == 0);
  CheckButton(dialog, IDC_DST_START_METHOD1, fields.startMethod == 1);
  CheckButton(dialog, IDC_DST_END_METHOD0, fields.endMethod == 0);
  CheckButton(dialog, IDC_DST_END_METHOD1, fields.endMethod == 1);
  for (const ListBinding& list : kLists)
    FillComboBox(dialog, list.id, list.texts, list.count, fields.*(list.field));
  ApplyFields(dialog, fields);
  return TRUE;
}

void OnOk(HWND dialog) {
  DaylightFields fields = GetFields(dialog);
  DaylightFieldError error{};
  if (DaylightFormOk(&fields, &error)) {
    EndDialog(dialog, 1);
    return;
  }
  MessageBeep(0);
  ShowFieldError(dialog, error.message, error.control);
}

INT_PTR OnCommand(HWND dialog, int id, int notification) {
  switch (id) {
    case IDC_DST_DISABLE:
    case IDC_DST_ENABLE:
    case IDC_DST_START_METHOD0:
    case IDC_DST_START_METHOD1:
    case IDC_DST_END_METHOD0:
    case IDC_DST_END_METHOD1:
      if (notification == BN_CLICKED) ApplyFields(dialog, GetFields(dialog));
      return TRUE;
    case IDC_DST_START_FIRSTLAST:
      if (notification == CBN_SELCHANGE) ApplyFields(dialog, GetFields(dialog));
      return TRUE;
    case IDOK:
      OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK DaylightProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
  }
  return FALSE;
}

}  // namespace

int DaylightSavingDialog(HWND owner) {
  return SettingsDialogBox("DAYLIGHTDLG", owner, DaylightProc, nullptr) == 1 ? 1 : 0;
}
