// The Shabbat Time Preferences dialog: moves ShabbatTimesFields to and from
// its controls; placetime/shabbat decides the rest.
#include "shell/shabbat_dialog.h"

#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

static_assert(IDC_SHABBAT_CANDLE == kShabbatControlCandle &&
              IDC_SHABBAT_BY_MINUTES == kShabbatControlByMinutes &&
              IDC_SHABBAT_HAVDALAH == kShabbatControlHavdalah &&
              IDC_SHABBAT_HAVDALAH_LABEL == kShabbatControlHavdalahLabel &&
              IDC_SHABBAT_BY_DEGREES == kShabbatControlByDegrees &&
              IDC_SHABBAT_DEGREES == kShabbatControlDegrees &&
              IDC_SHABBAT_DEGREES_LABEL == kShabbatControlDegreesLabel);

namespace {

constexpr int kTexts[] = {IDC_SHABBAT_CANDLE, IDC_SHABBAT_HAVDALAH, IDC_SHABBAT_DEGREES};

ShabbatTimesFields GetFields(HWND dialog) {
  ShabbatTimesFields fields{};
  ControlText(dialog, IDC_SHABBAT_CANDLE, fields.candle, sizeof fields.candle);
  ControlText(dialog, IDC_SHABBAT_HAVDALAH, fields.havdalah, sizeof fields.havdalah);
  ControlText(dialog, IDC_SHABBAT_DEGREES, fields.degrees, sizeof fields.degrees);
  fields.byMinutes = ButtonChecked(dialog, IDC_SHABBAT_BY_MINUTES);
  return fields;
}

void ApplyEnabling(HWND dialog, const ShabbatTimesFields& fields) {
  for (int id = IDC_SHABBAT_HAVDALAH; id <= IDC_SHABBAT_DEGREES_LABEL; ++id)
    EnableControl(dialog, id, ShabbatControlEnabled(&fields, id));
}

INT_PTR OnInitDialog(HWND dialog, ShabbatSettings* settings) {
  SetDialogRecord(dialog, settings);
  ShabbatTimesFields fields{};
  ShabbatTimesFill(settings, &fields);
  for (int id : kTexts) LimitText(dialog, id, 255);
  SetDlgItemTextA(dialog, IDC_SHABBAT_CANDLE, fields.candle);
  SetDlgItemTextA(dialog, IDC_SHABBAT_HAVDALAH, fields.havdalah);
  SetDlgItemTextA(dialog, IDC_SHABBAT_DEGREES, fields.degrees);
  CheckButton(dialog, IDC_SHABBAT_BY_MINUTES, fields.byMinutes);
  CheckButton(dialog, IDC_SHABBAT_BY_DEGREES, !fields.byMinutes);
  ApplyEnabling(dialog, fields);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_SHABBAT_BY_MINUTES:
    case IDC_SHABBAT_BY_DEGREES:
      ApplyEnabling(dialog, GetFields(dialog));
      return TRUE;
    case IDOK: {
      ShabbatTimesFields fields = GetFields(dialog);
      ShabbatFieldError error{};
      if (ValidateShabbatTimes(&fields, DialogRecord<ShabbatSettings>(dialog), &error))
        EndDialog(dialog, 1);
      else
        ShowFieldError(dialog, error.message, error.control);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ShabbatProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<ShabbatSettings*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

int ShabbatTimesDialog(HWND owner, ShabbatSettings* settings) {
  // The dialog works on a copy: Cancel leaves `settings` as it was.
  ShabbatSettings copy = *settings;
  INT_PTR result = SettingsDialogBox(SettingsTemplate("SHABBATTIMES", "HPCSHABBATTIMES"), owner,
                                     ShabbatProc, &copy);
  if (result != 1) return 0;
  *settings = copy;
  return 1;
}
