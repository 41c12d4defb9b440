// The anniversary windows: thin adapters over calendar/anniversary_forms.
// The list dialog keeps no records: every action loads the file, changes
// it, saves it and lets go, and the list box holds each entry's id as its
// item data.
#include "shell/anniversary_dialog.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary_forms.h"
#include "calendar/names.h"
#include "platform/message.h"
#include "resources/settings_ids.h"
#include "shell/settings_controls.h"

static_assert(IDC_ANNI_NAMES == kAnniControlNameList && IDC_ANNI_COPY == kAnniControlCopy &&
              IDC_EDITANNI_NAME == kAnniControlName &&
              IDC_EDITANNI_DATE == kAnniControlDate &&
              IDC_EDITANNI_ANNIVERSARY == kAnniControlTypeAnniversary &&
              IDC_EDITANNI_YAHRZEIT == kAnniControlTypeYahrzeit &&
              IDC_HDATE_DAY == kAnniControlHebrewDay && IDC_HDATE_YEAR == kAnniControlHebrewYear);

namespace {

constexpr int kPathSize = 1024;

// ---- "Anniversaries" -------------------------------------------------------

struct ListRecord {
  char path[kPathSize];
  int ready;  // set once the controls are filled: the year fields' changes
              // during the opening compute nothing yet
};

int SelectedId(HWND dialog) {
  LRESULT position = SendDlgItemMessageA(dialog, IDC_ANNI_NAMES, LB_GETCURSEL, 0, 0);
  if (position == LB_ERR) return kAnniversaryNoSelection;
  return static_cast<int>(
      SendDlgItemMessageA(dialog, IDC_ANNI_NAMES, LB_GETITEMDATA, static_cast<WPARAM>(position), 0));
}

// Fills the name list from the file, ids as item data, and selects the
// entry `selectId`, else the one at `fallback` (the last when the list is
// shorter).
void FillNames(HWND dialog, const char* path, int selectId, int fallback) {
  HWND list = GetDlgItem(dialog, IDC_ANNI_NAMES);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  AnniversaryList records{};
  AnniversaryListLoad(&records, path);
  int select = -1;
  for (const AnniversaryRecord& record : records.records) {
    LRESULT position = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.name));
    if (position < 0) continue;
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(position), record.id);
    if (record.id == selectId) select = static_cast<int>(position);
  }
  const int count = static_cast<int>(records.records.size());
  AnniversaryListFree(&records);
  if (select < 0 && count > 0) select = fallback < count ? fallback : count - 1;
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
}

void ComputeResult(HWND dialog) {
  ListRecord* record = DialogRecord<ListRecord>(dialog);
  if (!record || !record->ready) return;
  std::vector<std::string> lines;
  AnniversaryResultLines(ControlString(dialog, IDC_ANNI_FROM).c_str(),
                         ControlString(dialog, IDC_ANNI_TO).c_str(), SelectedId(dialog),
                         record->path, &lines);
  HWND list = GetDlgItem(dialog, IDC_ANNI_RESULT);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// The entry selected in the name list, loaded from the file; shows what
// is wrong and returns 0 when there is none.
int LoadSelected(HWND dialog, const char* path, AnniversaryRecord* out) {
  const int id = SelectedId(dialog);
  if (id == kAnniversaryNoSelection) {
    ShowFieldError(dialog, kAnniversaryNotSelectedMessage, IDC_ANNI_NAMES);
    return 0;
  }
  AnniversaryList records{};
  AnniversaryListLoad(&records, path);
  const int found = AnniversaryListGet(&records, id, out);
  AnniversaryListFree(&records);
  if (!found) ShowFieldError(dialog, kAnniversaryNotFoundMessage, IDC_ANNI_NAMES);
  return found;
}

void OnAddOrModify(HWND dialog, const char* path, int modify) {
  AnniversaryRecord record{};
  if (modify && !LoadSelected(dialog, path, &record)) return;
  if (!EditAnniversaryDialog(dialog, &record)) return;
  // A failed save has been shown; the list then shows the file as it is.
  const int position = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ANNI_NAMES, LB_GETCURSEL, 0, 0));
  const int id = AnniversaryStoreEntry(path, &record);
  FillNames(dialog, path, id, position < 0 ? 0 : position);
  ComputeResult(dialog);
}

void OnRemove(HWND dialog, const char* path) {
  AnniversaryRecord record{};
  if (!LoadSelected(dialog, path, &record)) return;
  char question[512];
  AnniversaryRemoveQuestion(record.name, question, sizeof question);
  if (!ShowMessage(question, "Question", MessageIconQuestion)) return;
  const int position = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ANNI_NAMES, LB_GETCURSEL, 0, 0));
  AnniversaryDeleteEntry(path, record.id);
  // The ids after the removed entry have moved up by one: the entry now at
  // its place is selected.
  FillNames(dialog, path, kAnniversaryNoSelection, position < 0 ? 0 : position);
  ComputeResult(dialog);
}

void OnCopy(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_ANNI_RESULT);
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::vector<char> line(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1);
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    lines.emplace_back(line.data());
  }
  CopyTextToClipboard(dialog, AnniversaryResultText(lines).c_str());
}

INT_PTR OnListInit(HWND dialog, ListRecord* record) {
  SetDialogRecord(dialog, record);
  FillNames(dialog, record->path, kAnniversaryNoSelection, 0);
  int from = 0, to = 0;
  AnniversaryDefaultYears(&from, &to);
  LimitText(dialog, IDC_ANNI_FROM, 255);
  LimitText(dialog, IDC_ANNI_TO, 255);
  SetDlgItemInt(dialog, IDC_ANNI_FROM, static_cast<UINT>(from), FALSE);
  SetDlgItemInt(dialog, IDC_ANNI_TO, static_cast<UINT>(to), FALSE);
  record->ready = 1;
  ComputeResult(dialog);
  return TRUE;
}

INT_PTR OnListCommand(HWND dialog, int id, int notification) {
  const char* path = DialogRecord<ListRecord>(dialog)->path;
  switch (id) {
    case IDC_ANNI_NAMES:
      if (notification == LBN_SELCHANGE) ComputeResult(dialog);
      if (notification == LBN_DBLCLK) OnAddOrModify(dialog, path, 1);
      return TRUE;
    case IDC_ANNI_FROM:
    case IDC_ANNI_TO:
      if (notification == EN_CHANGE) ComputeResult(dialog);
      return TRUE;
    case IDC_ANNI_ADD:
      OnAddOrModify(dialog, path, 0);
      return TRUE;
    case IDC_ANNI_MODIFY:
      OnAddOrModify(dialog, path, 1);
      return TRUE;
    case IDC_ANNI_REMOVE:
      OnRemove(dialog, path);
      return TRUE;
    case IDC_ANNI_COPY:
      OnCopy(dialog);
      return TRUE;
    case IDOK:  // Enter
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AnniversariesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnListInit(dialog, reinterpret_cast<ListRecord*>(lParam));
    case WM_COMMAND: return OnListCommand(dialog, LOWORD(wParam), HIWORD(wParam));
  }
  return FALSE;
}

// ---- "Edit Anniversary" ----------------------------------------------------

struct TypeButton {
  int id;
  int type;
};
constexpr TypeButton kTypeButtons[] = {
    {IDC_EDITANNI_ANNIVERSARY, kAnniversaryTypeAnniversary},
    {IDC_EDITANNI_BIRTHDAY, kAnniversaryTypeBirthday},
    {IDC_EDITANNI_YAHRZEIT, kAnniversaryTypeYahrzeit},
};

EditAnniversaryFields GetEditFields(HWND dialog) {
  EditAnniversaryFields fields{};
  ControlText(dialog, IDC_EDITANNI_NAME, fields.name, sizeof fields.name);
  ControlText(dialog, IDC_EDITANNI_DATE, fields.date, sizeof fields.date);
  fields.afterSunset = ButtonChecked(dialog, IDC_EDITANNI_AFTER_SUNSET);
  for (const TypeButton& button : kTypeButtons)
    if (ButtonChecked(dialog, button.id)) fields.type = button.type;
  return fields;
}

INT_PTR OnEditInit(HWND dialog, AnniversaryRecord* record) {
  SetDialogRecord(dialog, record);
  EditAnniversaryFields fields{};
  EditAnniversaryFill(record, &fields);
  LimitText(dialog, IDC_EDITANNI_NAME, 255);
  LimitText(dialog, IDC_EDITANNI_DATE, 255);
  SetDlgItemTextA(dialog, IDC_EDITANNI_NAME, fields.name);
  SetDlgItemTextA(dialog, IDC_EDITANNI_DATE, fields.date);
  CheckButton(dialog, IDC_EDITANNI_AFTER_SUNSET, fields.afterSunset);
  for (const TypeButton& button : kTypeButtons)
    CheckButton(dialog, button.id, fields.type == button.type);
  char sample[256];
  AnniversaryDateSample(sample);
  SetDlgItemTextA(dialog, IDC_EDITANNI_SAMPLE, sample);
  return TRUE;
}

void OnEnterHebrewDate(HWND dialog) {
  const EditAnniversaryFields fields = GetEditFields(dialog);
  CalDate date{};
  AnniversaryFieldError error{};
  if (!EnterHebrewDatePrepare(fields.date, &date, &error)) {
    ShowFieldError(dialog, error.message, error.control);
    return;
  }
  if (!EditHebrewDateDialog(dialog, &date, fields.afterSunset)) return;
  char text[256] = "";
  FormatGregorianDate(date.day, date.month, date.year, text);
  SetDlgItemTextA(dialog, IDC_EDITANNI_DATE, text);
}

INT_PTR OnEditCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_EDITANNI_HEBREW:
      OnEnterHebrewDate(dialog);
      return TRUE;
    case IDOK: {
      const EditAnniversaryFields fields = GetEditFields(dialog);
      AnniversaryRecord* record = DialogRecord<AnniversaryRecord>(dialog);
      AnniversaryRecord edited = *record;
      AnniversaryFieldError error{};
      if (!EditAnniversaryValidate(&fields, &edited, &error)) {
        ShowFieldError(dialog, error.message, error.control);
        return TRUE;
      }
      *record = edited;
      EndDialog(dialog, 1);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK EditAnniversaryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnEditInit(dialog, reinterpret_cast<AnniversaryRecord*>(lParam));
    case WM_COMMAND: return OnEditCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

// ---- "Edit Date" -----------------------------------------------------------

struct HebrewDateRecord {
  CalDate* gregorian;
  int afterSunset;
  HebrewDateForm form;
  int filling;  // the lists are being refilled: their changes are ours
};

void ShowDays(HWND dialog, const HebrewDateForm& form) {
  char texts[30][4];
  const char* pointers[30];
  const int count = form.dayCount < 30 ? form.dayCount : 30;
  for (int d = 0; d < count; ++d) {
    std::snprintf(texts[d], sizeof texts[d], "%d", d + 1);
    pointers[d] = texts[d];
  }
  FillComboBox(dialog, IDC_HDATE_DAY, pointers, count, form.day - 1);
}

void ShowMonths(HWND dialog, const HebrewDateForm& form) {
  const char* pointers[13];
  for (int m = 0; m < form.monthCount; ++m) pointers[m] = form.monthNames[m];
  FillComboBox(dialog, IDC_HDATE_MONTH, pointers, form.monthCount, form.month - 1);
}

INT_PTR OnDateInit(HWND dialog, HebrewDateRecord* record) {
  SetDialogRecord(dialog, record);
  record->filling = 1;
  HebrewDateFormOpen(&record->form, record->gregorian, record->afterSunset);
  LimitText(dialog, IDC_HDATE_YEAR, 255);
  SetDlgItemInt(dialog, IDC_HDATE_YEAR, static_cast<UINT>(record->form.year), FALSE);
  ShowMonths(dialog, record->form);
  ShowDays(dialog, record->form);
  record->filling = 0;
  return TRUE;
}

INT_PTR OnDateCommand(HWND dialog, int id, int notification) {
  HebrewDateRecord* record = DialogRecord<HebrewDateRecord>(dialog);
  switch (id) {
    case IDC_HDATE_DAY:
      if (notification == CBN_SELCHANGE) record->form.day = ComboSelection(dialog, id) + 1;
      return TRUE;
    case IDC_HDATE_MONTH:
      if (notification == CBN_SELCHANGE) {
        // The day is the one chosen now, kept or cut to the new month.
        record->form.day = ComboSelection(dialog, IDC_HDATE_DAY) + 1;
        HebrewDateFormSelectMonth(&record->form, ComboSelection(dialog, id) + 1);
        ShowDays(dialog, record->form);
      }
      return TRUE;
    case IDC_HDATE_YEAR:
      if (notification == EN_CHANGE && !record->filling) {
        record->form.month = ComboSelection(dialog, IDC_HDATE_MONTH) + 1;
        record->form.day = ComboSelection(dialog, IDC_HDATE_DAY) + 1;
        if (HebrewDateFormYearTyped(&record->form, ControlString(dialog, id).c_str())) {
          ShowMonths(dialog, record->form);
          ShowDays(dialog, record->form);
        }
      }
      return TRUE;
    case IDOK: {
      HebrewDateFields fields{};
      fields.day = ComboSelection(dialog, IDC_HDATE_DAY) + 1;
      fields.month = ComboSelection(dialog, IDC_HDATE_MONTH) + 1;
      ControlText(dialog, IDC_HDATE_YEAR, fields.year, sizeof fields.year);
      CalDate date{};
      AnniversaryFieldError error{};
      if (!HebrewDateValidate(&fields, record->afterSunset, &date, &error)) {
        ShowFieldError(dialog, error.message, error.control);
        return TRUE;
      }
      *record->gregorian = date;
      EndDialog(dialog, 1);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK HebrewDateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnDateInit(dialog, reinterpret_cast<HebrewDateRecord*>(lParam));
    case WM_COMMAND: return OnDateCommand(dialog, LOWORD(wParam), HIWORD(wParam));
  }
  return FALSE;
}

// A movable global block holding `bytes`, or nullptr.
HGLOBAL GlobalCopy(const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  return memory;
}

// The clipboard takes a block it is given; one it refuses is ours to free.
int PutOnClipboard(UINT format, HGLOBAL memory) {
  if (!memory) return 0;
  if (SetClipboardData(format, memory)) return 1;
  GlobalFree(memory);
  return 0;
}

}  // namespace

void AnniversariesDialog(HWND owner) {
  ListRecord record{};
  AnniversaryFilePath(record.path, sizeof record.path);
  SettingsDialogBox(SettingsTemplate("ANNI", "HPCANNI"), owner, AnniversariesProc, &record);
}

int EditAnniversaryDialog(HWND owner, AnniversaryRecord* record) {
  INT_PTR result = SettingsDialogBox(SettingsTemplate("EDITANNI", "HPCEDITANNI"), owner,
                                     EditAnniversaryProc, record);
  return result == 1 ? 1 : 0;
}

int EditHebrewDateDialog(HWND owner, CalDate* gregorian, int afterSunset) {
  HebrewDateRecord record{};
  record.gregorian = gregorian;
  record.afterSunset = afterSunset;
  return SettingsDialogBox("EDITANNIDATE", owner, HebrewDateProc, &record) == 1 ? 1 : 0;
}

int CopyTextToClipboard(HWND window, const char* text) {
  // The program's Latin text is Windows-1252; the Unicode copy says so
  // whatever the system's code page.
  const size_t length = std::strlen(text);
  const int wideLength = MultiByteToWideChar(1252, 0, text, static_cast<int>(length) + 1, nullptr, 0);
  std::vector<wchar_t> wide(wideLength > 0 ? static_cast<size_t>(wideLength) : 1, L'\0');
  if (wideLength > 0)
    MultiByteToWideChar(1252, 0, text, static_cast<int>(length) + 1, wide.data(), wideLength);

  int copied = 0;
  if (OpenClipboard(window)) {
    if (EmptyClipboard()) {
      copied = PutOnClipboard(CF_TEXT, GlobalCopy(text, length + 1));
      copied &= PutOnClipboard(CF_UNICODETEXT, GlobalCopy(wide.data(), wide.size() * sizeof(wchar_t)));
    }
    CloseClipboard();
  }
  if (!copied) {
    ShowMessage("The data could not be copied into the clipboard", "Error", MessageIconError);
    return 0;
  }
  ShowMessage(kAnniversaryCopiedMessage, "Information", MessageIconInformation);
  return 1;
}
