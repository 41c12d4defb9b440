// The Readings and Holidays dialog: two radio buttons over ReadingsFields.
#include "shell/readings_dialog.h"

#include "readings/readings_form.h"
#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

static_assert(IDC_READINGS_TEXT == kReadingsControlText &&
              IDC_READINGS_ISRAEL == kReadingsControlIsrael &&
              IDC_READINGS_DIASPORA == kReadingsControlDiaspora);

namespace {

INT_PTR OnInitDialog(HWND dialog, CalWindowState* state) {
  SetDialogRecord(dialog, state);
  ReadingsFields fields{};
  ReadingsFormOpen(state, &fields);
  CheckButton(dialog, fields.diaspora ? IDC_READINGS_DIASPORA : IDC_READINGS_ISRAEL, 1);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK: {
      ReadingsFields fields{};
      fields.diaspora = ButtonChecked(dialog, IDC_READINGS_DIASPORA);
      // A key that cannot be written is reported by the settings layer.
      ReadingsFormOk(&fields, DialogRecord<CalWindowState>(dialog));
      EndDialog(dialog, 1);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ReadingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<CalWindowState*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

int ReadingsDialog(HWND owner, CalWindowState* state) {
  return SettingsDialogBox(kReadingsTemplate, owner, ReadingsProc, state) == 1 ? 1 : 0;
}
