// The range dialog and the included-items dialogs.
#include "shell/range_dialog.h"

#include <cstdio>

#include "calendar/names.h"
#include "platform/message.h"
#include "resources/export_ids.h"
#include "shell/app.h"
#include "shell/label_list.h"

namespace {

struct RangeDialogState {
  RangeBlock work;  // the copy the dialog edits
  int handheld;
};

int Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(HWND dialog, int id, int on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

void SetDateText(HWND dialog, int id, const CalDate& date) {
  char text[256] = "";
  FormatGregorianDate(date.day, date.month, date.year, text);
  SetDlgItemTextA(dialog, id, text);
}

RangeFields ReadRangeFields(HWND dialog, int handheld) {
  RangeFields f{};
  f.start = ControlText(dialog, IDC_RANGE_START);
  f.end = ControlText(dialog, IDC_RANGE_END);
  f.extra = Checked(dialog, IDC_RANGE_EXTRA);
  f.captionPlain = ControlText(dialog, IDC_RANGE_CAPTION_PLAIN);
  f.captionHoliday = ControlText(dialog, IDC_RANGE_CAPTION_HOLIDAY);
  f.handheld = handheld;
  f.outlook = Checked(dialog, IDC_RANGE_OUTLOOK);
  f.ics = Checked(dialog, IDC_RANGE_ICS);
  LRESULT busy = SendDlgItemMessageA(dialog, IDC_RANGE_BUSY, CB_GETCURSEL, 0, 0);
  f.busyIndex = busy == CB_ERR ? -1 : static_cast<int>(busy);
  f.reminder = Checked(dialog, IDC_RANGE_REMINDER);
  f.minutes = ControlText(dialog, IDC_RANGE_MINUTES);
  f.label = GetDlgItem(dialog, IDC_RANGE_LABEL) ? GetSelectedLabel(dialog, IDC_RANGE_LABEL) : -1;
  return f;
}

INT_PTR OnRangeInit(HWND dialog, RangeDialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  const RangeBlock& b = state->work;
  SetDateText(dialog, IDC_RANGE_START, b.start);
  SetDateText(dialog, IDC_RANGE_END, b.end);
  if (b.extraLabel) {
    SetDlgItemTextA(dialog, IDC_RANGE_EXTRA, b.extraLabel);
    Check(dialog, IDC_RANGE_EXTRA, b.extra);
  } else {
    ShowWindow(GetDlgItem(dialog, IDC_RANGE_EXTRA), SW_HIDE);
  }
  SendDlgItemMessageA(dialog, IDC_RANGE_CAPTION_PLAIN, EM_LIMITTEXT, 255, 0);
  SendDlgItemMessageA(dialog, IDC_RANGE_CAPTION_HOLIDAY, EM_LIMITTEXT, 255, 0);
  SetDlgItemTextA(dialog, IDC_RANGE_CAPTION_PLAIN, b.settings.captionWithoutHoliday);
  SetDlgItemTextA(dialog, IDC_RANGE_CAPTION_HOLIDAY, b.settings.captionWithHoliday);
  if (!state->handheld) {
    FillBusyStatusList(dialog, IDC_RANGE_BUSY, b.settings.busyStatus);
    Check(dialog, IDC_RANGE_REMINDER, b.settings.reminderSet);
    char minutes[16];
    std::snprintf(minutes, sizeof minutes, "%u", static_cast<unsigned>(b.settings.reminderMinutes));
    SetDlgItemTextA(dialog, IDC_RANGE_MINUTES, minutes);
    FillLabelList(dialog, IDC_RANGE_LABEL);
    SelectLabel(dialog, IDC_RANGE_LABEL, b.settings.label);
    Check(dialog, IDC_RANGE_OUTLOOK, b.settings.exportType == kExportTypeOutlook);
    Check(dialog, IDC_RANGE_ICS, b.settings.exportType == kExportTypeICalendar);
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
        ShowFieldError(dialog, error);
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
  auto* state = reinterpret_cast<RangeDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
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
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(flags));
  for (int i = 0; i < kFirstZmanFlag; ++i) Check(dialog, IDC_MORE_FIRST + i, flags->flag[i]);
  EnableWindow(GetDlgItem(dialog, IDC_MORE_ZMANIM), Checked(dialog, IDC_MORE_ZMANIM_BOX));
  return TRUE;
}

INT_PTR OnMoreCommand(HWND dialog, int id, IncludeFlags* flags) {
  switch (id) {
    case IDOK:
      for (int i = 0; i < kFirstZmanFlag; ++i) flags->flag[i] = Checked(dialog, IDC_MORE_FIRST + i);
      EndDialog(dialog, 1);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_MORE_ZMANIM_BOX:
      EnableWindow(GetDlgItem(dialog, IDC_MORE_ZMANIM), Checked(dialog, IDC_MORE_ZMANIM_BOX));
      return TRUE;
    case IDC_MORE_ZMANIM:
      ZmanimIncludeDialog(dialog, &flags->flag[kFirstZmanFlag]);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK MoreProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* flags = reinterpret_cast<IncludeFlags*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: return OnMoreInit(dialog, reinterpret_cast<IncludeFlags*>(lParam));
    case WM_COMMAND: return flags ? OnMoreCommand(dialog, LOWORD(wParam), flags) : FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK ZmanimProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* flags = reinterpret_cast<int*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      for (int i = 0; i < kZmanFlagCount; ++i)
        Check(dialog, IDC_ZMANIM_FIRST + i, reinterpret_cast<int*>(lParam)[i]);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        for (int i = 0; i < kZmanFlagCount; ++i) flags[i] = Checked(dialog, IDC_ZMANIM_FIRST + i);
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
  INT_PTR result = DialogBoxParamA(AppInstance(), name, owner, RangeProc,
                                   reinterpret_cast<LPARAM>(&state));
  if (result != 1) return 0;
  *block = state.work;
  return 1;
}

int RangeMoreDialog(HWND owner, IncludeFlags* flags) {
  return DialogBoxParamA(AppInstance(), "RANGEMORE", owner, MoreProc,
                         reinterpret_cast<LPARAM>(flags)) == 1 ? 1 : 0;
}

int ZmanimIncludeDialog(HWND owner, int* zmanFlags) {
  const char* name = IsHandheldEmulation() ? "HPCZMANIM" : "POCKETZMANIM";
  return DialogBoxParamA(AppInstance(), name, owner, ZmanimProc,
                         reinterpret_cast<LPARAM>(zmanFlags)) == 1 ? 1 : 0;
}

void UpdateOutlookControls(HWND dialog) {
  for (const OutlookControlState& s : OutlookControlStates(
           Checked(dialog, IDC_RANGE_OUTLOOK), Checked(dialog, IDC_RANGE_ICS), Checked(dialog, IDC_RANGE_REMINDER)))
    if (HWND control = GetDlgItem(dialog, s.id)) EnableWindow(control, s.enabled);
}

void FillBusyStatusList(HWND dialog, int id, int value) {
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const BusyStatusItem& item : kBusyStatusItems)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(BusyStatusIndex(value)), 0);
}

void ShowFieldError(HWND dialog, const ExportFieldError& error) {
  ShowMessage(error.message, "Error", MessageIconError);
  if (HWND control = error.control ? GetDlgItem(dialog, error.control) : nullptr)
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

std::string ControlText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}
