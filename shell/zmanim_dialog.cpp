// The Configure Zmanim dialogs. One procedure serves the three templates:
// it finds out at opening which lists its template holds and skips the
// others.
#include "shell/zmanim_dialog.h"

#include "placetime/zmanim_form.h"
#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

static_assert(IDC_ZMANIM_LABEL0 == kZmanimControlFirstLabel &&
              IDC_ZMANIM_LIST0 == kZmanimControlFirstList &&
              IDC_ZMANIM_CHAMETZ_LIST == kZmanimControlChametzList &&
              IDC_ZMANIM_CHAMETZ_BUTTON == kZmanimControlChametzButton);

namespace {

INT_PTR CALLBACK ZmanimProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR OnInitDialog(HWND dialog, ZmanimForm* form) {
  SetDialogRecord(dialog, form);
  const int hasZmanLists = GetDlgItem(dialog, IDC_ZMANIM_LIST0) != nullptr;
  const int hasChametzList = GetDlgItem(dialog, IDC_ZMANIM_CHAMETZ_LIST) != nullptr;
  ZmanimFormOpen(form, hasZmanLists, hasChametzList);
  if (hasZmanLists)
    for (int r = 0; r < kZmanimFormRows; ++r)
      FillComboBox(dialog, IDC_ZMANIM_LIST0 + r, form->rows[r].items, form->rows[r].itemCount,
                   form->rows[r].selected);
  if (hasChametzList) {
    const char* texts[kChametzMethodItemCount];
    for (int k = 0; k < kChametzMethodItemCount; ++k) texts[k] = kChametzMethodItems[k].text;
    FillComboBox(dialog, IDC_ZMANIM_CHAMETZ_LIST, texts, kChametzMethodItemCount,
                 form->chametzSelected);
  }
  return TRUE;
}

void OnOk(HWND dialog, ZmanimForm* form) {
  if (form->hasZmanLists)
    for (int r = 0; r < kZmanimFormRows; ++r)
      form->rows[r].selected = ComboSelection(dialog, IDC_ZMANIM_LIST0 + r);
  if (form->hasChametzList) form->chametzSelected = ComboSelection(dialog, IDC_ZMANIM_CHAMETZ_LIST);
  ZmanimFieldError error{};
  if (ZmanimFormApply(form, &error))
    EndDialog(dialog, 1);
  else
    ShowFieldError(dialog, error.message, error.control);
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_ZMANIM_CHAMETZ_BUTTON: {
      ZmanimForm chametz{};
      SettingsDialogBox(kChametzTemplate, dialog, ZmanimProc, &chametz);
      return TRUE;
    }
    case IDOK:
      OnOk(dialog, DialogRecord<ZmanimForm>(dialog));
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ZmanimProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<ZmanimForm*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

int ConfigureZmanimDialog(HWND owner) {
  ZmanimForm form{};
  return SettingsDialogBox(ZmanimDialogTemplate(), owner, ZmanimProc, &form) == 1 ? 1 : 0;
}
