// The range dialog and the included-items dialogs.
#include "shell/range_dialog.h"

#include <cstdio>

#include "calendar/names.h"
#include "platform/message.h"
#include "resources/export_ids.h"
#include "shell/label_list.h"
#include "shell/settings_controls.h"

namespace {

struct RangeDialogState {
  RangeBlock work;  // the copy the dialog edits
  int handheld;
};

RangeFields ReadRangeFields(HWND dialog, int handheld) {
  RangeFields f{};
  f.start = ControlString(dialog, IDC_RANGE_START);
  f.end = ControlString(dialog, IDC_RANGE_END);
  f.extra = ButtonChecked(dialog, IDC_RANGE_EXTRA);
  f.captionPlain = ControlString(dialog, IDC_RANGE_CAPTION_PLAIN);
  f.captionHoliday = ControlString(dialog, IDC_RANGE_CAPTION_HOLIDAY);
  f.handheld = handheld;
  f.outlook = ButtonChecked(dialog, IDC_RANGE_OUTLOOK);
  f.ics = ButtonChecked(dialog, IDC_RANGE_ICS);
  f.busyIndex = ComboSelection(dialog, IDC_RANGE_BUSY);
  f.reminder = ButtonChecked(dialog, IDC_RANGE_REMINDER);
  f.minutes = ControlString(dialog, IDC_RANGE_MINUTES);
  f.label = GetDlgItem(dialog, IDC_RANGE_LABEL) ? GetSelectedLabel(dialog, IDC_RANGE_LABEL) : -1;
  return f;
}

INT_PTR OnRangeInit(HWND dialog, RangeDialogState* state) {
  SetDialogRecord(dialog, state);
  const RangeBlock& b = state->work;
  SetDateText(dialog, IDC_RANGE_START, b.start);
  SetDateText(dialog, IDC_RANGE_END, b.end);
  if (b.extraLabel) {
    SetDlgItemTextA(dialog, IDC_RANGE_EXTRA, b.extraLabel);
    CheckButton(dialog, IDC_RANGE_EXTRA, b.extra);
  } else {
    ShowWindow(GetDlgItem(dialog, IDC_RANGE_EXTRA), SW_HIDE);
  }
  LimitText(dialog, IDC_RANGE_CAPTION_PLAIN, 255);
  LimitText(dialog, IDC_RANGE_CAPTION_HOLIDAY, 255);
  SetDlgItemTextA(dialog, IDC_RANGE_CAPTION_PLAIN, b.settings.captionWithoutHoliday);
  SetDlgItemTextA(dialog, IDC_RANGE_CAPTION_HOLIDAY, b.settings.captionWithHoliday);
  if (!state->handheld) {
    FillBusyStatusList(dialog, IDC_RANGE_BUSY, b.settings.busyStatus);
    CheckButton(dialog, IDC_RANGE_REMINDER, b.settings.reminderSet);
    char minutes[16];
    std::snprintf(minutes, sizeof minutes, "%u", static_cast<unsigned>(b.settings.reminderMinutes));
    SetDlgItemTextA(dialog, IDC_RANGE_MINUTES, minutes);
    FillLabelList(dialog, IDC_RANGE_LABEL);
    SelectLabel(dialog, IDC_RANGE_LABEL, b.settings.label);
    CheckButton(dialog, IDC_RANGE_OUTLOOK, b.settings.exportType == kExportTypeOutlook);
    CheckButton(dialog, IDC_RANGE_ICS, b.settings.exportType == kExportTypeICalendar);
    UpdateOutlookControls(dialog);
  }
  return TRUE;
}

INT_PTR OnRangeCommand(HWND dialog, int id, RangeDialogState* state) {
  switch (id) {
    case IDOK: {
      ExportFieldError error{};
      if (RangeDialogOk(ReadRangeFields(dialog, state->handheld), &state->work, &error))
        EndDialog(dialog, 1);
      else
        ShowFieldError(dialog, error.message, error.control);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_RANGE_MORE:
      RangeMoreDialog(dialog, &state->work.settings.includeFlags);
      return TRUE;
    case IDC_RANGE_REMINDER:
    case IDC_RANGE_OUTLOOK:
    case IDC_RANGE_ICS:
      UpdateOutlookControls(dialog);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK RangeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = DialogRecord<RangeDialogState>(dialog);
  switch (message) {
    case WM_INITDIALOG: return OnRangeInit(dialog, reinterpret_cast<RangeDialogState*>(lParam));
    case WM_COMMAND: return state ? OnRangeCommand(dialog, LOWORD(wParam), state) : FALSE;
    case WM_MEASUREITEM:
      MeasureLabelItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawLabelItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
  }
  return FALSE;
}

// ---- "Include Selected Items" and "Include Zmanim" ----

INT_PTR OnMoreInit(HWND dialog, IncludeFlags* flags) {
  SetDialogRecord(dialog, flags);
  for (int i = 0; i < kFirstZmanFlag; ++i) CheckButton(dialog, IDC_MORE_FIRST + i, flags->flag[i]);
  EnableWindow(GetDlgItem(dialog, IDC_MORE_ZMANIM), ButtonChecked(dialog, IDC_MORE_ZMANIM_BOX));
  return TRUE;
}

INT_PTR OnMoreCommand(HWND dialog, int id, IncludeFlags* flags) {
  switch (id) {
    case IDOK:
      for (int i = 0; i < kFirstZmanFlag; ++i) flags->flag[i] = ButtonChecked(dialog, IDC_MORE_FIRST + i);
      EndDialog(dialog, 1);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_MORE_ZMANIM_BOX:
      EnableWindow(GetDlgItem(dialog, IDC_MORE_ZMANIM), ButtonChecked(dialog, IDC_MORE_ZMANIM_BOX));
      return TRUE;
    case IDC_MORE_ZMANIM:
      ZmanimIncludeDialog(dialog, &flags->flag[kFirstZmanFlag]);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK MoreProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* flags = DialogRecord<IncludeFlags>(dialog);
  switch (message) {
    case WM_INITDIALOG: return OnMoreInit(dialog, reinterpret_cast<IncludeFlags*>(lParam));
    case WM_COMMAND: return flags ? OnMoreCommand(dialog, LOWORD(wParam), flags) : FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK ZmanimProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* flags = DialogRecord<int>(dialog);
  switch (message) {
    case WM_INITDIALOG:
      SetDialogRecord(dialog, reinterpret_cast<void*>(lParam));
      for (int i = 0; i < kZmanFlagCount; ++i)
        CheckButton(dialog, IDC_ZMANIM_FIRST + i, reinterpret_cast<int*>(lParam)[i]);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        for (int i = 0; i < kZmanFlagCount; ++i) flags[i] = ButtonChecked(dialog, IDC_ZMANIM_FIRST + i);
        EndDialog(dialog, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

int RangeDialog(HWND owner, RangeBlock* block) {
  RangeDialogState state = {*block, IsHandheldEmulation() ? 1 : 0};
  const char* name = state.handheld ? "HPCRANGE" : "POCKETRANGE";
  INT_PTR result = SettingsDialogBox(name, owner, RangeProc, &state);
  if (result != 1) return 0;
  *block = state.work;
  return 1;
}

int RangeMoreDialog(HWND owner, IncludeFlags* flags) {
  return SettingsDialogBox("RANGEMORE", owner, MoreProc, flags) == 1 ? 1 : 0;
}

int ZmanimIncludeDialog(HWND owner, int* zmanFlags) {
  return SettingsDialogBox(SettingsTemplate("POCKETZMANIM", "HPCZMANIM"), owner, ZmanimProc,
                           zmanFlags) == 1 ? 1 : 0;
}

void UpdateOutlookControls(HWND dialog) {
  for (const OutlookControlState& s : OutlookControlStates(
           ButtonChecked(dialog, IDC_RANGE_OUTLOOK), ButtonChecked(dialog, IDC_RANGE_ICS), ButtonChecked(dialog, IDC_RANGE_REMINDER)))
    EnableControl(dialog, s.id, s.enabled);
}

void FillBusyStatusList(HWND dialog, int id, int value) {
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const BusyStatusItem& item : kBusyStatusItems)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(BusyStatusIndex(value)), 0);
}

void SetDateText(HWND dialog, int id, const CalDate& date) {
  char text[256] = "";
  FormatGregorianDate(date.day, date.month, date.year, text);
  SetDlgItemTextA(dialog, id, text);
}
