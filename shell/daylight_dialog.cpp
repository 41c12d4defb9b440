// The Daylight Savings Time dialog: moves DaylightFields to and from its
// radio buttons and lists; placetime/daylight_form decides the rest.
#include "shell/daylight_dialog.h"

#include <cstdio>
#include <iterator>

#include "placetime/daylight_form.h"
#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

static_assert(IDC_DST_DISABLE == kDaylightControlDisable &&
              IDC_DST_START_WEEKNO == kDaylightControlStartWeekNo &&
              IDC_DST_START_MONTH1 == kDaylightControlStartMonth1 &&
              IDC_DST_END_LABEL == kDaylightControlEndLabel &&
              IDC_DST_END_KIPPUR == kDaylightControlEndKippur);

namespace {

char g_dayTexts[kDaylightDayCount][4];

// A list of the dialog, the field holding its position and its texts.
struct ListBinding {
  int id;
  int DaylightFields::*field;
  const char* const* texts;
  int count;
};

const ListBinding* Lists(int* count) {
  static const char* const* days = [] {
    static const char* pointers[kDaylightDayCount];
    for (int d = 0; d < kDaylightDayCount; ++d) {
      std::snprintf(g_dayTexts[d], sizeof g_dayTexts[d], "%d", d + 1);
      pointers[d] = g_dayTexts[d];
    }
    return pointers;
  }();
  static const ListBinding lists[] = {
      {IDC_DST_START_WEEKNO, &DaylightFields::startWeekNo, kDaylightWeekNoTexts, 5},
      {IDC_DST_START_WEEKDAY, &DaylightFields::startWeekDay, kDaylightWeekdayTexts, 7},
      {IDC_DST_START_MONTH, &DaylightFields::startMonth, kDaylightMonthTexts, 12},
      {IDC_DST_START_FIRSTLAST, &DaylightFields::startFirstLast, kDaylightFirstLastTexts, 2},
      {IDC_DST_START_WEEKDAY1, &DaylightFields::startWeekDay1, kDaylightWeekdayTexts, 7},
      {IDC_DST_START_DAY, &DaylightFields::startDay, days, kDaylightDayCount},
      {IDC_DST_START_MONTH1, &DaylightFields::startMonth1, kDaylightMonthTexts, 12},
      {IDC_DST_END_WEEKNO, &DaylightFields::endWeekNo, kDaylightWeekNoTexts, 5},
      {IDC_DST_END_WEEKDAY, &DaylightFields::endWeekDay, kDaylightWeekdayTexts, 7},
      {IDC_DST_END_MONTH, &DaylightFields::endMonth, kDaylightMonthTexts, 12},
      {IDC_DST_END_WEEKDAY1, &DaylightFields::endWeekDay1, kDaylightWeekdayTexts, 7},
  };
  *count = static_cast<int>(std::size(lists));
  return lists;
}

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
  int count = 0;
  const ListBinding* lists = Lists(&count);
  for (int i = 0; i < count; ++i) fields.*(lists[i].field) = ComboSelection(dialog, lists[i].id);
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
  int count = 0;
  const ListBinding* lists = Lists(&count);
  for (int i = 0; i < count; ++i)
    FillComboBox(dialog, lists[i].id, lists[i].texts, lists[i].count, fields.*(lists[i].field));
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
