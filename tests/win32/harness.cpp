// The Win32 test harness: steps fed from timer ticks of the running loop.
#include "tests/win32/harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

#include "calendar/callang.h"
#include "shell/app.h"

namespace win32test {

namespace {

constexpr UINT kTickMilliseconds = 20;
constexpr DWORD kWatchdogMilliseconds = 15000;

std::set<HWND> ThreadWindows(DWORD thread = GetCurrentThreadId()) {
  std::set<HWND> windows;
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::set<HWND>*>(list)->insert(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsDialogWindow(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770";
}

// A window that never closes would block the test until ctest's limit:
// after 15 s without progress the watchdog fails the test and closes the
// test thread's windows; at the next alarm it ends the process.
std::atomic<DWORD> g_lastProgress{0};
DWORD g_testThread = 0;
HANDLE g_stopWatchdog = nullptr;

void Progress() { g_lastProgress = GetTickCount(); }

DWORD WINAPI Watchdog(void*) {
  for (int alarms = 0; WaitForSingleObject(g_stopWatchdog, 100) == WAIT_TIMEOUT;) {
    if (GetTickCount() - g_lastProgress < kWatchdogMilliseconds) continue;
    if (++alarms == 2) {
      std::fprintf(stderr, "watchdog: the windows did not close; ending the tests\n");
      std::fflush(stderr);
      TerminateProcess(GetCurrentProcess(), 3);
    }
    std::string titles;
    for (HWND window : ThreadWindows(g_testThread)) {
      if (!IsWindowVisible(window)) continue;
      titles += " \"" + WindowText(window) + "\"";
      if (IsDialogWindow(window)) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    ADD_FAILURE() << "watchdog: no progress for " << kWatchdogMilliseconds
                  << " ms; closing the windows still open:" << titles;
    Progress();
  }
  return 0;
}

// One list of steps in progress, fed to its target by the ticks of the
// loop running while `open` is up; one more tick closes a target left open.
struct StepRunner {
  std::vector<Step> steps;
  std::function<HWND()> findTarget;
  UINT_PTR timer = 0;
  HWND target = nullptr;
  int stepsRun = 0;
  bool closedByHarness = false;
  bool finished = false;
};

std::vector<StepRunner*> g_runners;  // the runs in progress, innermost last
bool g_retryStep = false;            // set by RetryStep(): run the same step again

void Finish(StepRunner* runner) {
  runner->finished = true;
  KillTimer(nullptr, runner->timer);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  StepRunner* runner = nullptr;
  for (StepRunner* r : g_runners)
    if (r->timer == timer && !r->finished) runner = r;
  if (!runner) return;
  if (!runner->target) {
    runner->target = runner->findTarget();
    if (!runner->target) return;  // not on screen yet
    Progress();
  }
  if (!IsWindow(runner->target)) return Finish(runner);  // closed by the last step
  if (runner->stepsRun == static_cast<int>(runner->steps.size())) {
    Finish(runner);
    runner->closedByHarness = true;
    if (IsDialogWindow(runner->target))
      EndDialog(runner->target, 0);
    else
      DestroyWindow(runner->target);
    return;
  }
  // The step may open a dialog with its own loop, where this timer must
  // not fire. A step run again is no progress.
  KillTimer(nullptr, runner->timer);
  runner->steps[runner->stepsRun++](runner->target);
  if (g_retryStep)
    --runner->stepsRun;
  else
    Progress();
  g_retryStep = false;
  runner->timer = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
}

// The outermost run has the watchdog.
int RunWithSteps(std::vector<Step> steps, std::function<HWND()> findTarget, const std::function<int()>& open,
                 StepRunner* runner) {
  runner->steps = std::move(steps);
  runner->findTarget = std::move(findTarget);
  HANDLE watchdog = nullptr;
  if (g_runners.empty()) {
    g_stopWatchdog = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_testThread = GetCurrentThreadId();
    Progress();
    watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
  }
  runner->timer = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
  g_runners.push_back(runner);
  const int result = open();
  if (!runner->finished) Finish(runner);
  g_runners.pop_back();
  if (watchdog) {
    SetEvent(g_stopWatchdog);
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(watchdog);
    CloseHandle(g_stopWatchdog);
  }
  return result;
}

}  // namespace

ProgramRun RunProgram(std::vector<Step> steps, int (*initializeDefinitions)()) {
  StepRunner runner;
  auto findMain = []() -> HWND {
    HWND main = AppMainWindow();
    return main && IsWindowVisible(main) ? main : nullptr;
  };
  const int code = RunWithSteps(std::move(steps), findMain, [&] {
    return TavlonRun(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL,
                     initializeDefinitions ? initializeDefinitions : CallangInitialize);
  }, &runner);
  return ProgramRun{code, runner.stepsRun, runner.closedByHarness};
}

DialogRun RunDialog(const std::function<int()>& open, std::vector<Step> steps, const char* title) {
  auto findDialog = [before = ThreadWindows(), title]() -> HWND {
    if (title) return FindDialog(title);
    for (HWND window : ThreadWindows())
      if (!before.count(window) && IsDialogWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window))
        return window;
    return nullptr;
  };
  StepRunner runner;
  const int result = RunWithSteps(std::move(steps), findDialog, open, &runner);
  return DialogRun{result, runner.stepsRun, runner.closedByHarness};
}

DialogRun RunCommand(HWND window, int id, std::vector<Step> steps) {
  auto open = [&] { return GetDlgItem(window, id) ? Click(window, id) : Choose(window, id), 0; };
  return RunDialog(open, std::move(steps));
}

void RetryStep() { g_retryStep = true; }

void Click(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  if (control) SendMessageA(control, BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Choose(HWND window, int command) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

void ChooseComboItem(HWND dialog, int id, int position) {
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> ListTexts(HWND dialog, int id) {
  std::vector<std::string> texts(static_cast<size_t>(SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0)));
  for (size_t i = 0; i < texts.size(); ++i) {
    char text[512] = "";
    SendDlgItemMessageA(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    texts[i] = text;
  }
  return texts;
}

void TypeKey(HWND window, int virtualKey, int modifier) {
  SetForegroundWindow(window);
  SetFocus(window);
  if (modifier) keybd_event(static_cast<BYTE>(modifier), 0, 0, 0);
  keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0);
  keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0);
  if (modifier) keybd_event(static_cast<BYTE>(modifier), 0, KEYEVENTF_KEYUP, 0);
}

HWND FindDialog(const char* title) {
  HWND dialog = FindWindowA("#32770", title);
  return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

MessageCapture::MessageCapture() { SetMessageHook(Hook, this); }

MessageCapture::~MessageCapture() { SetMessageHook(nullptr, nullptr); }

std::vector<std::string> MessageCapture::texts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& m : shown_) texts.push_back(m.text);
  return texts;
}

int MessageCapture::Hook(const char* text, const char*, MessageIcon icon, void* context) {
  auto* self = static_cast<MessageCapture*>(context);
  self->shown_.push_back(ShownMessage{text, icon});
  if (self->answers_.empty()) return 1;
  const int answer = self->answers_.front();
  self->answers_.erase(self->answers_.begin());
  return answer;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace win32test
