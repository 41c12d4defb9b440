// The holiday-only and anniversary imports.
#include "shell/import_dialogs.h"

#include <cstdio>
#include <vector>

#include "calendar/anniversary_text.h"
#include "export/export_run.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "resources/export_ids.h"
#include "shell/app.h"
#include "shell/export_ics.h"
#include "shell/export_progress.h"
#include "shell/export_target.h"
#include "shell/label_list.h"
#include "shell/main_window.h"
#include "shell/range_dialog.h"
#include "shell/settings_controls.h"

namespace {

void SetNumber(HWND dialog, int id, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
  SetDlgItemTextA(dialog, id, text);
}

// ---- "Select Range" of the holidays ----

INT_PTR OnHolidayInit(HWND dialog, HolidayImportBlock* block) {
  SetDialogRecord(dialog, block);
  SetDateText(dialog, IDC_RANGE_START, block->start);
  SetDateText(dialog, IDC_RANGE_END, block->end);
  FillBusyStatusList(dialog, IDC_RANGE_BUSY, block->busyStatus);
  CheckButton(dialog, IDC_RANGE_REMINDER, block->reminderSet);
  SetNumber(dialog, IDC_RANGE_MINUTES, block->reminderMinutes);
  FillLabelList(dialog, IDC_RANGE_LABEL);
  SelectLabel(dialog, IDC_RANGE_LABEL, block->label);
  CheckButton(dialog, IDC_RANGE_OUTLOOK, block->exportType == kExportTypeOutlook);
  CheckButton(dialog, IDC_RANGE_ICS, block->exportType == kExportTypeICalendar);
  UpdateOutlookControls(dialog);
  return TRUE;
}

INT_PTR OnHolidayOk(HWND dialog, HolidayImportBlock* block) {
  RangeFields f{};
  f.start = ControlString(dialog, IDC_RANGE_START);
  f.end = ControlString(dialog, IDC_RANGE_END);
  f.outlook = ButtonChecked(dialog, IDC_RANGE_OUTLOOK);
  f.ics = ButtonChecked(dialog, IDC_RANGE_ICS);
  f.busyIndex = ComboSelection(dialog, IDC_RANGE_BUSY);
  f.reminder = ButtonChecked(dialog, IDC_RANGE_REMINDER);
  f.minutes = ControlString(dialog, IDC_RANGE_MINUTES);
  f.label = GetSelectedLabel(dialog, IDC_RANGE_LABEL);
  ExportFieldError error{};
  if (HolidayImportOk(f, block, &error))
    EndDialog(dialog, 1);
  else
    ShowFieldError(dialog, error.message, error.control);
  return TRUE;
}

INT_PTR CALLBACK HolidayProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* block = DialogRecord<HolidayImportBlock>(dialog);
  switch (message) {
    case WM_INITDIALOG: return OnHolidayInit(dialog, reinterpret_cast<HolidayImportBlock*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: return block ? OnHolidayOk(dialog, block) : FALSE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_RANGE_REMINDER:
        case IDC_RANGE_OUTLOOK:
        case IDC_RANGE_ICS: UpdateOutlookControls(dialog); return TRUE;
      }
      return FALSE;
    case WM_MEASUREITEM:
      MeasureLabelItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawLabelItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
  }
  return FALSE;
}

// ---- "Import" of the anniversaries ----

void UpdateAnniversaryControls(HWND dialog) {
  for (const OutlookControlState& s : AnniversaryControlStates(
           ButtonChecked(dialog, IDC_BIRTH_OUTLOOK), ButtonChecked(dialog, IDC_BIRTH_TEXT), ButtonChecked(dialog, IDC_BIRTH_REMINDER)))
    EnableControl(dialog, s.id, s.enabled);
}

INT_PTR OnAnniversaryInit(HWND dialog, AnniversaryImportBlock* block) {
  SetDialogRecord(dialog, block);
  for (const std::string& line : AnniversaryImportLines(block->entries))
    SendDlgItemMessageA(dialog, IDC_BIRTH_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SetNumber(dialog, IDC_BIRTH_FROM, block->fromYear);
  SetNumber(dialog, IDC_BIRTH_TO, block->toYear);
  CheckButton(dialog, IDC_BIRTH_OUTLOOK, 1);
  FillBusyStatusList(dialog, IDC_BIRTH_BUSY, block->busyStatus);
  CheckButton(dialog, IDC_BIRTH_REMINDER, block->reminderSet);
  SetNumber(dialog, IDC_BIRTH_MINUTES, block->reminderMinutes);
  LimitText(dialog, IDC_BIRTH_FILENAME, 255);
  SetDlgItemTextA(dialog, IDC_BIRTH_FILENAME, block->fileName.c_str());
  CheckButton(dialog, IDC_BIRTH_SORT_HEBREW + block->sortOrder - 1, 1);
  UpdateAnniversaryControls(dialog);
  return TRUE;
}

INT_PTR OnAnniversaryOk(HWND dialog, AnniversaryImportBlock* block) {
  AnniversaryImportFields f{};
  HWND list = GetDlgItem(dialog, IDC_BIRTH_LIST);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) <= 0) continue;
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    f.selected.push_back(text.data());
  }
  f.from = ControlString(dialog, IDC_BIRTH_FROM);
  f.to = ControlString(dialog, IDC_BIRTH_TO);
  f.outlook = ButtonChecked(dialog, IDC_BIRTH_OUTLOOK);
  f.text = ButtonChecked(dialog, IDC_BIRTH_TEXT);
  f.ics = ButtonChecked(dialog, IDC_BIRTH_ICS);
  f.busyIndex = ComboSelection(dialog, IDC_BIRTH_BUSY);
  f.reminder = ButtonChecked(dialog, IDC_BIRTH_REMINDER);
  f.minutes = ControlString(dialog, IDC_BIRTH_MINUTES);
  f.fileName = ControlString(dialog, IDC_BIRTH_FILENAME);
  f.sortHebrew = ButtonChecked(dialog, IDC_BIRTH_SORT_HEBREW);
  f.sortGregorian = ButtonChecked(dialog, IDC_BIRTH_SORT_GREGORIAN);
  f.sortNames = ButtonChecked(dialog, IDC_BIRTH_SORT_NAMES);
  ExportFieldError error{};
  if (AnniversaryImportOk(f, block, &error))
    EndDialog(dialog, 1);
  else
    ShowFieldError(dialog, error.message, error.control);
  return TRUE;
}

INT_PTR OnAnniversaryCommand(HWND dialog, int id, AnniversaryImportBlock* block) {
  switch (id) {
    case IDOK: return OnAnniversaryOk(dialog, block);
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDC_BIRTH_OUTLOOK:
    case IDC_BIRTH_TEXT:
    case IDC_BIRTH_ICS:
    case IDC_BIRTH_REMINDER: UpdateAnniversaryControls(dialog); return TRUE;
    case IDC_BIRTH_BROWSE: {
      char path[256];
      if (AskTextFileName(dialog, path)) SetDlgItemTextA(dialog, IDC_BIRTH_FILENAME, path);
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK AnniversaryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* block = DialogRecord<AnniversaryImportBlock>(dialog);
  switch (message) {
    case WM_INITDIALOG: return OnAnniversaryInit(dialog, reinterpret_cast<AnniversaryImportBlock*>(lParam));
    case WM_COMMAND: return block ? OnAnniversaryCommand(dialog, LOWORD(wParam), block) : FALSE;
  }
  return FALSE;
}

// The holiday days of the ordered range into the chosen target.
void ImportHolidays(HWND owner, int first, int last, const CalWindowState* state,
                    const HolidayImportBlock* block) {
  std::vector<ExportEntry> entries;
  if (HolidayImportEntries(first, last, state->diaspora, block->label, &entries) == 0) {
    ShowMessage(kNoHolidaysMessage, "Information", MessageIconInformation);
    return;
  }
  if (block->exportType == kExportTypeICalendar) {
    WriteIcsFile(owner, entries);
    return;
  }
  ExportProgressWindow progress;
  OpenExportProgress(owner, &progress);
  OutlookOptions options = {block->busyStatus, block->reminderSet, block->reminderMinutes};
  int done = SendEntriesToOutlook(owner, entries, options, 0, &progress);
  CloseExportProgress(&progress);
  if (done < 0) return;  // cancelled, and said so
  if (done == 0) {
    ShowMessage("An error with Outlook has occurred", "Error", MessageIconError);
    return;
  }
  ShowMessage(OutlookImportedMessage(first, last, (int)entries.size()).c_str(), "Information",
              MessageIconInformation);
}

}  // namespace

int HolidayImportDialog(HWND owner, HolidayImportBlock* block) {
  HolidayImportBlock work = *block;
  INT_PTR result = SettingsDialogBox("HOLIDAYSIMPORT", owner, HolidayProc, &work);
  if (result == -1) return -1;
  if (result != 1) return 0;
  *block = work;
  return 1;
}

int AnniversaryImportDialog(HWND owner, AnniversaryImportBlock* block) {
  AnniversaryImportBlock work = *block;
  INT_PTR result = SettingsDialogBox("BIRTHDAYSDLG", owner, AnniversaryProc, &work);
  if (result != 1) return 0;
  *block = work;
  return 1;
}

void ImportHolidaysCommand(HWND window) {
  const CalWindowState* record = MainWindowState(window);
  if (!record) return;
  const CalWindowState state = *record;  // a copy, as for the export
  HolidayImportBlock block{};
  HolidayImportOpen(state.selectedDay, &block);
  int result = HolidayImportDialog(window, &block);
  if (result == -1) {
    char text[96];
    std::snprintf(text, sizeof text, "DialogBoxParam of HOLIDAYSIMPORT failed, error code %d",
                  static_cast<int>(GetLastError()));
    ShowMessage(text, "Error", MessageIconError);
    return;
  }
  if (result == 0) return;
  int first, last;
  HolidayImportAccept(&block, &first, &last);
  ImportHolidays(window, first, last, &state, &block);
}

void ImportAnniversariesCommand(HWND window) {
  ClockTime now;
  LocalNow(&now);
  AnniversaryImportBlock block;
  AnniversaryImportOpen(now.year, &block);
  if (!AnniversaryImportDialog(window, &block)) return;
  if (block.target == kAnniversaryTargetText) {
    ExportAnniversariesToText(block.entries.data(), block.entries.size(), block.fromYear,
                              block.toYear, block.fileName.c_str(), block.sortOrder);
    return;
  }
  if (block.target == kAnniversaryTargetOutlook) AnniversaryImportWriteOutlookOptions(&block);
  std::vector<ExportEntry> entries;
  AnniversaryImportEntries(block.entries.data(), block.entries.size(), block.fromYear,
                           block.toYear, &entries);
  if (block.target == kAnniversaryTargetIcs) {
    WriteIcsFile(window, entries);
    return;
  }
  ExportProgressWindow progress;
  OpenExportProgress(window, &progress);
  OutlookOptions options = {block.busyStatus, block.reminderSet, block.reminderMinutes};
  SendEntriesToOutlook(window, entries, options, 1, &progress);
  CloseExportProgress(&progress);
}
