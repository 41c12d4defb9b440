// The progress window.
#include "shell/export_progress.h"

#include <commctrl.h>

#include <string>

#include "resources/export_ids.h"
#include "shell/app.h"
#include "shell/export_rules.h"

namespace {

// The text is redrawn at most this often: a day takes far less than a
// frame, and redrawing each one would cost more than composing it.
constexpr DWORD kShowEveryMs = 40;

INT_PTR OnCommand(HWND window, int id) {
  if (id != IDCANCEL) return FALSE;
  auto* progress = reinterpret_cast<ExportProgressWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (progress) progress->cancelled = 1;
  EnableWindow(GetDlgItem(window, IDCANCEL), FALSE);
  SetDlgItemTextA(window, IDC_WAIT_TEXT, "Cancelling...");
  return TRUE;
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      SendDlgItemMessageA(window, IDC_WAIT_BAR, PBM_SETRANGE32, 0, 1000);
      return TRUE;
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam));
    case WM_CLOSE: return OnCommand(window, IDCANCEL);
  }
  return FALSE;
}

// Lets the messages of the thread through: paints, the progress window's
// buttons and keys. A quit request is put back for the main loop and ends
// the export.
void PumpMessages(ExportProgressWindow* progress) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      progress->cancelled = 1;
      return;
    }
    if (progress->window && IsDialogMessageA(progress->window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int OpenExportProgress(HWND owner, ExportProgressWindow* progress) {
  *progress = ExportProgressWindow{};
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  progress->owner = owner;
  progress->window = CreateDialogParamA(AppInstance(), "WAIT", owner, ProgressProc,
                                        reinterpret_cast<LPARAM>(progress));
  if (owner) progress->ownerWasEnabled = !EnableWindow(owner, FALSE);
  if (!progress->window) return 0;
  ShowWindow(progress->window, SW_SHOW);
  UpdateWindow(progress->window);
  return 1;
}

void CloseExportProgress(ExportProgressWindow* progress) {
  // The owner first, so that it, not another program, becomes active.
  if (progress->owner && progress->ownerWasEnabled) EnableWindow(progress->owner, TRUE);
  if (progress->window) DestroyWindow(progress->window);
  progress->window = nullptr;
}

void SetExportProgressText(ExportProgressWindow* progress, const char* text) {
  if (!progress->window) return;
  HWND control = GetDlgItem(progress->window, IDC_WAIT_TEXT);
  SetWindowTextA(control, text);
  UpdateWindow(control);
}

int ExportProgressStep(void* context, int done, int total, const CalDate* day) {
  auto* progress = static_cast<ExportProgressWindow*>(context);
  const DWORD now = GetTickCount();
  if (done == 0 || done == total || now - progress->lastShown >= kShowEveryMs) {
    progress->lastShown = now;
    if (progress->window && !progress->cancelled) {
      SetExportProgressText(progress, ProgressDayText(*day).c_str());
      SendDlgItemMessageA(progress->window, IDC_WAIT_BAR, PBM_SETPOS,
                          static_cast<WPARAM>(ProgressPosition(done, total)), 0);
    }
    PumpMessages(progress);
  }
  return progress->cancelled ? 0 : 1;
}
