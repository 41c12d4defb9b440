// The help page: written to "Cal.htm" in the temporary folder and opened.
#include "shell/show_help.h"

#include <shellapi.h>

#include <cstdio>

#include "platform/folders.h"
#include "platform/message.h"
#include "resources/strings.h"
#include "shell/app.h"
#include "shell/help_page.h"
#include "shell/menu_bar.h"

namespace {

int ShellOpen(HWND owner, const char* path) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;  // the failure is ours to report
  info.hwnd = owner;
  info.lpVerb = nullptr;             // the default action for .htm files
  info.lpFile = path;
  info.nShow = SW_SHOW;
  return ShellExecuteExA(&info) ? 1 : 0;
}

HelpOpenFunction g_open = ShellOpen;

// Creates or replaces the file, unshared, and writes the whole page.
void WriteHelpFile(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // the open below shows an older copy, or fails
  DWORD written = 0;
  WriteFile(file, HelpPageText(), static_cast<DWORD>(HelpPageLength()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

void SetHelpOpenFunction(HelpOpenFunction open) { g_open = open ? open : ShellOpen; }

void ShowHelpPage(HWND owner) {
  char folder[kHelpFolderLimit + 1];
  TempFolder(folder, sizeof folder);  // "" when longer: the bare file name
  char path[kHelpFolderLimit + 16];
  HelpPagePath(folder, path, sizeof path);
  WriteHelpFile(path);
  if (!g_open(owner, path)) {
    DWORD error = GetLastError();
    char text[kHelpFolderLimit + 128];
    std::snprintf(text, sizeof text, ShellText(kTextHelpOpenFailed), path,
                  static_cast<int>(error));
    ShowMessage(text, ShellText(kTextError), MessageIconError);
  }
}
