// The iCalendar target in the program.
#include "shell/export_ics.h"

#include <commdlg.h>

#include <cstdio>

#include "platform/message.h"
#include "shell/export_progress.h"
#include "shell/export_rules.h"

namespace {

constexpr int kNameSize = 256;

SaveNameHook g_hook = nullptr;
char g_icsName[kNameSize] = "";   // the names chosen last, for the whole run
char g_textName[kNameSize] = "";

int AskSaveName(HWND owner, const char* filter, const char* extension, DWORD extraFlags,
                char* remembered, char* path) {
  char name[kNameSize];
  std::snprintf(name, sizeof name, "%s", remembered);
  int chosen = 0;
  if (g_hook) {
    chosen = g_hook(owner, extension, name, sizeof name);
  } else {
    char title[kNameSize] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = sizeof title;
    dialog.lpstrDefExt = extension;
    // The current folder stays as it was: data files fall back to it.
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | extraFlags;
    chosen = GetSaveFileNameA(&dialog) ? 1 : 0;
    if (!chosen && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
      ShowMessage("The path of the file is too long; choose a shorter one", "Error", MessageIconError);
  }
  if (!chosen || name[0] == '\0') return 0;
  std::snprintf(remembered, kNameSize, "%s", name);
  std::snprintf(path, kNameSize, "%s", name);
  return 1;
}

}  // namespace

void SetSaveNameHook(SaveNameHook hook) { g_hook = hook; }

int AskIcsFileName(HWND owner, char* path) {
  static const char kFilter[] = "iCalendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";
  return AskSaveName(owner, kFilter, "ics", 0, g_icsName, path);
}

int AskTextFileName(HWND owner, char* path) {
  static const char kFilter[] = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
  return AskSaveName(owner, kFilter, "txt", OFN_HIDEREADONLY, g_textName, path);
}

void ShowIcsOutcome(int result) {
  if (result == kExportWritten)
    ShowMessage(kIcsWrittenMessage, "Information", MessageIconInformation);
  else if (result == kExportCancelled)
    ShowMessage(kExportCancelledMessage, "Information", MessageIconInformation);
  else
    ShowMessage(kIcsFailedMessage, "Error", MessageIconError);
}

void WriteIcsFile(HWND owner, const std::vector<ExportEntry>& entries) {
  char path[kNameSize];
  if (!AskIcsFileName(owner, path)) return;
  ExportProgressWindow progress;
  OpenExportProgress(owner, &progress);
  const int result = WriteEntriesToIcs(entries, path, ExportProgressStep, &progress);
  CloseExportProgress(&progress);
  ShowIcsOutcome(result);
}
