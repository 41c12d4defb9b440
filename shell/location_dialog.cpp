// The Select Location dialog and the location editor: thin adapters over
// the choices and checks of placetime/cities.
#include "shell/location_dialog.h"

#include <cstdio>
#include <iterator>

#include "platform/message.h"
#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

namespace {

// ---- Select Location -------------------------------------------------------

struct SelectRecord {
  char* cityName;  // the caller's 256 bytes
  LocationChoices choices;
};

// The list box shows `choices` in their own order, so a position means
// the same name to the list box and to the choices.
void ShowChoices(HWND dialog, const LocationChoices& choices) {
  HWND list = GetDlgItem(dialog, IDC_LOC_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, LB_INITSTORAGE, choices.names.size(), choices.names.size() * 24);
  for (const std::string& name : choices.names)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(choices.selected), 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ShowInfo(HWND dialog, const LocationChoices& choices) {
  char info[kLocationInfoSize] = "";
  if (choices.selected >= 0 && choices.selected < static_cast<int>(choices.names.size()))
    SelectLocationInfo(UserCities(), choices.names[choices.selected].c_str(), info, sizeof info);
  SetDlgItemTextA(dialog, IDC_LOC_INFO, info);
}

void ReadSelection(HWND dialog, SelectRecord* record) {
  LRESULT position = SendDlgItemMessageA(dialog, IDC_LOC_LIST, LB_GETCURSEL, 0, 0);
  record->choices.selected = position == LB_ERR ? -1 : static_cast<int>(position);
}

int EditThroughDialog(LocationEditBlock* block, void* dialog) {
  return EditLocationDialog(static_cast<HWND>(dialog), block);
}

INT_PTR OnSelectInit(HWND dialog, SelectRecord* record) {
  SetDialogRecord(dialog, record);
  SelectLocationFill(UserCities(), record->cityName, &record->choices);
  ShowChoices(dialog, record->choices);
  ShowInfo(dialog, record->choices);
  FocusControl(dialog, IDC_LOC_LIST);
  return FALSE;  // the focus is set
}

// Add, Modify or Remove: the portable step, then the list shown afresh
// and the focus back on it.
void OnListButton(HWND dialog, SelectRecord* record, int id) {
  ReadSelection(dialog, record);
  int changed = 0;
  if (id == IDC_LOC_ADD)
    changed = SelectLocationAdd(UserCities(), &record->choices, EditThroughDialog, dialog);
  else if (id == IDC_LOC_MODIFY)
    changed = SelectLocationModify(UserCities(), &record->choices, EditThroughDialog, dialog);
  else
    changed = SelectLocationRemove(UserCities(), &record->choices);
  if (changed) {
    ShowChoices(dialog, record->choices);
    ShowInfo(dialog, record->choices);
  }
  FocusControl(dialog, IDC_LOC_LIST);
}

INT_PTR OnSelectCommand(HWND dialog, int id, int notification) {
  SelectRecord* record = DialogRecord<SelectRecord>(dialog);
  switch (id) {
    case IDC_LOC_LIST:
      if (notification == LBN_SELCHANGE) {
        ReadSelection(dialog, record);
        ShowInfo(dialog, record->choices);
      } else if (notification == LBN_DBLCLK) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
      return TRUE;
    case IDC_LOC_ADD:
    case IDC_LOC_MODIFY:
    case IDC_LOC_REMOVE:
      OnListButton(dialog, record, id);
      return TRUE;
    case IDOK:
      ReadSelection(dialog, record);
      if (SelectLocationOk(&record->choices, record->cityName)) EndDialog(dialog, 1);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK SelectLocationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnSelectInit(dialog, reinterpret_cast<SelectRecord*>(lParam));
    case WM_COMMAND: return OnSelectCommand(dialog, LOWORD(wParam), HIWORD(wParam));
  }
  return FALSE;
}

// ---- The editor --------------------------------------------------------------

// The control of each LocationEditControl, in the enum's order.
constexpr int kEditControlIds[] = {0,
                                   IDC_LOCED_NAME,
                                   IDC_LOCED_LAT_DEGREES,
                                   IDC_LOCED_LAT_MINUTES,
                                   IDC_LOCED_LON_DEGREES,
                                   IDC_LOCED_LON_MINUTES,
                                   IDC_LOCED_TIME_ZONE,
                                   IDC_LOCED_ELEVATION};
static_assert(std::size(kEditControlIds) == kLocationEditElevation + 1);

// Each text field of the editor and where its text lives in the fields.
struct FieldText {
  int id;
  char* text;
  int size;
};

void FieldTexts(LocationEditFields* f, FieldText out[7]) {
  out[0] = {IDC_LOCED_NAME, f->name, static_cast<int>(sizeof f->name)};
  out[1] = {IDC_LOCED_LAT_DEGREES, f->latitudeDegrees, static_cast<int>(sizeof f->latitudeDegrees)};
  out[2] = {IDC_LOCED_LAT_MINUTES, f->latitudeMinutes, static_cast<int>(sizeof f->latitudeMinutes)};
  out[3] = {IDC_LOCED_LON_DEGREES, f->longitudeDegrees, static_cast<int>(sizeof f->longitudeDegrees)};
  out[4] = {IDC_LOCED_LON_MINUTES, f->longitudeMinutes, static_cast<int>(sizeof f->longitudeMinutes)};
  out[5] = {IDC_LOCED_TIME_ZONE, f->timeZone, static_cast<int>(sizeof f->timeZone)};
  out[6] = {IDC_LOCED_ELEVATION, f->elevation, static_cast<int>(sizeof f->elevation)};
}

void SetEditFields(HWND dialog, LocationEditFields fields) {
  FieldText texts[7];
  FieldTexts(&fields, texts);
  for (const FieldText& t : texts) {
    LimitText(dialog, t.id, t.size - 1);
    SetDlgItemTextA(dialog, t.id, t.text);
  }
  CheckButton(dialog, IDC_LOCED_NORTH, fields.north);
  CheckButton(dialog, IDC_LOCED_SOUTH, fields.south);
  CheckButton(dialog, IDC_LOCED_EAST, fields.east);
  CheckButton(dialog, IDC_LOCED_WEST, fields.west);
}

LocationEditFields GetEditFields(HWND dialog) {
  LocationEditFields fields{};
  FieldText texts[7];
  FieldTexts(&fields, texts);
  for (const FieldText& t : texts) ControlText(dialog, t.id, t.text, t.size);
  fields.north = ButtonChecked(dialog, IDC_LOCED_NORTH);
  fields.south = ButtonChecked(dialog, IDC_LOCED_SOUTH);
  fields.east = ButtonChecked(dialog, IDC_LOCED_EAST);
  fields.west = ButtonChecked(dialog, IDC_LOCED_WEST);
  return fields;
}

INT_PTR OnEditInit(HWND dialog, LocationEditBlock* block) {
  SetDialogRecord(dialog, block);
  SetWindowTextA(dialog, block->title);
  LocationEditFields fields{};
  LocationEditFill(block, &fields);
  SetEditFields(dialog, fields);
  return TRUE;  // the focus on the name
}

INT_PTR OnEditCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK: {
      LocationEditBlock* block = DialogRecord<LocationEditBlock>(dialog);
      LocationEditFields fields = GetEditFields(dialog);
      LocationEditBlock edited = *block;
      LocationEditError error{};
      if (!LocationEditSave(&fields, &edited, &error)) {
        ShowFieldError(dialog, error.message, kEditControlIds[error.control]);
        return TRUE;
      }
      *block = edited;
      EndDialog(dialog, 1);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK EditLocationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnEditInit(dialog, reinterpret_cast<LocationEditBlock*>(lParam));
    case WM_COMMAND: return OnEditCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

int SelectLocationDialog(HWND owner, char* cityName) {
  SelectRecord record{cityName, {}};
  INT_PTR result = SettingsDialogBox(SettingsTemplate("SELECTLOC", "HPCSELECTLOC"), owner,
                                     SelectLocationProc, &record);
  return result == 1 ? 1 : 0;
}

int EditLocationDialog(HWND owner, LocationEditBlock* block) {
  INT_PTR result = SettingsDialogBox("EDITLOC", owner, EditLocationProc, block);
  if (result == -1) {
    char text[128];
    std::snprintf(text, sizeof text, "DialogBoxParam of EDITLOC failed, error code %d",
                  static_cast<int>(GetLastError()));
    ShowMessage(text, "Error", MessageIconError);
    return 0;
  }
  return result == 1 ? 1 : 0;
}
