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

// ---- The watchdog ----------------------------------------------------
// A window that never closes (a dialog a step left open, a message box
// nobody answers) would block the test until ctest's limit. A thread of
// its own watches the steps' progress: after the set time without any, it
// fails the test and asks every window of the test thread to close; if
// that does not end the run either, it ends the process.

DWORD g_watchdogMilliseconds = 15000;
std::atomic<DWORD> g_lastProgress{0};

void Progress() { g_lastProgress = GetTickCount(); }

struct Watchdog {
  DWORD testThread;
  HANDLE stop;
  HANDLE thread;
};

// The top-level windows of `thread`.
std::set<HWND> ThreadWindows(DWORD thread) {
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

// The titles of the visible windows of `thread`, each asked to close.
std::string CloseThreadWindows(DWORD thread) {
  std::string titles;
  for (HWND window : ThreadWindows(thread)) {
    if (!IsWindowVisible(window)) continue;
    char title[128] = "";
    GetWindowTextA(window, title, sizeof title);
    titles += std::string(" \"") + title + "\"";
    if (IsDialogWindow(window)) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return titles;
}

DWORD WINAPI WatchdogThread(void* context) {
  auto* dog = static_cast<Watchdog*>(context);
  int alarms = 0;
  while (WaitForSingleObject(dog->stop, 100) == WAIT_TIMEOUT) {
    if (GetTickCount() - g_lastProgress < g_watchdogMilliseconds) continue;
    if (++alarms == 1) {
      std::string open = CloseThreadWindows(dog->testThread);
      ADD_FAILURE() << "watchdog: no progress for " << g_watchdogMilliseconds
                    << " ms; closing the windows still open:" << open;
      Progress();
      continue;
    }
    std::fprintf(stderr, "watchdog: the windows did not close; ending the tests\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }
  return 0;
}

Watchdog* StartWatchdog() {
  auto* dog = new Watchdog{GetCurrentThreadId(), CreateEventA(nullptr, TRUE, FALSE, nullptr),
                           nullptr};
  Progress();
  dog->thread = CreateThread(nullptr, 0, WatchdogThread, dog, 0, nullptr);
  return dog;
}

void StopWatchdog(Watchdog* dog) {
  SetEvent(dog->stop);
  WaitForSingleObject(dog->thread, INFINITE);
  CloseHandle(dog->thread);
  CloseHandle(dog->stop);
  delete dog;
}

// One list of steps in progress. Ticks of the loop that runs while `open`
// (the program or a dialog) is up find the target and hand it to the next
// step; after the last step one more tick closes a target still open.
bool g_retryStep = false;  // set by RetryStep(): run the same step again

struct StepRunner {
  std::vector<Step> steps;
  std::function<HWND()> findTarget;
  std::function<void(HWND)> closeTarget;
  UINT_PTR timer = 0;
  HWND target = nullptr;
  int stepsRun = 0;
  bool retrying = false;  // the step runs again: no progress
  bool closedByHarness = false;
  bool finished = false;
};

std::vector<StepRunner*>& Runners() {
  static std::vector<StepRunner*> runners;
  return runners;
}

void Finish(StepRunner* runner) {
  runner->finished = true;
  KillTimer(nullptr, runner->timer);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  StepRunner* runner = nullptr;
  for (StepRunner* r : Runners())
    if (r->timer == timer && !r->finished) runner = r;
  if (!runner) return;
  if (!runner->target) {
    runner->target = runner->findTarget();
    if (!runner->target) return;  // not on screen yet
    Progress();
  }
  if (!IsWindow(runner->target)) {  // closed by the last step
    Finish(runner);
    return;
  }
  if (runner->stepsRun == static_cast<int>(runner->steps.size())) {
    Finish(runner);
    runner->closedByHarness = true;
    runner->closeTarget(runner->target);
    return;
  }
  // The step may open a dialog with its own loop: this timer must not fire
  // inside it, so it is stopped for the step's duration.
  KillTimer(nullptr, runner->timer);
  Step step = runner->steps[runner->stepsRun++];
  if (!runner->retrying) Progress();
  step(runner->target);
  runner->retrying = g_retryStep;
  if (g_retryStep) {
    g_retryStep = false;
    --runner->stepsRun;
  } else {
    Progress();
  }
  runner->timer = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
}

// Runs `open` with the steps fed to the target that `findTarget` finds.
// The outermost run has the watchdog.
int RunWithSteps(StepRunner* runner, const std::function<int()>& open) {
  Watchdog* dog = Runners().empty() ? StartWatchdog() : nullptr;
  runner->timer = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
  Runners().push_back(runner);
  int result = open();
  if (!runner->finished) Finish(runner);
  Runners().pop_back();
  if (dog) StopWatchdog(dog);
  return result;
}

}  // namespace

ProgramRun RunProgram(std::vector<Step> steps, int (*initializeDefinitions)()) {
  StepRunner runner;
  runner.steps = std::move(steps);
  runner.findTarget = []() -> HWND {
    HWND main = AppMainWindow();
    return main && IsWindowVisible(main) ? main : nullptr;
  };
  runner.closeTarget = [](HWND main) { DestroyWindow(main); };
  int code = RunWithSteps(&runner, [&] {
    return TavlonRun(GetModuleHandleA(nullptr), nullptr, SW_SHOWNORMAL,
                     initializeDefinitions ? initializeDefinitions : CallangInitialize);
  });
  return ProgramRun{code, runner.stepsRun, runner.closedByHarness};
}

void SetWatchdogMilliseconds(DWORD milliseconds) { g_watchdogMilliseconds = milliseconds; }

void UseProgramResources() {
  SetAppInstance(GetModuleHandleA(nullptr));
  LoadShellTexts(GetModuleHandleA(nullptr));
}

DialogRun RunDialog(const std::function<int()>& open, std::vector<Step> steps) {
  std::set<HWND> before = ThreadWindows(GetCurrentThreadId());
  StepRunner runner;
  runner.steps = std::move(steps);
  runner.findTarget = [before]() -> HWND {
    for (HWND window : ThreadWindows(GetCurrentThreadId()))
      if (!before.count(window) && IsDialogWindow(window) && IsWindowVisible(window) &&
          IsWindowEnabled(window))
        return window;
    return nullptr;
  };
  runner.closeTarget = [](HWND dialog) { EndDialog(dialog, 0); };
  int result = RunWithSteps(&runner, open);
  return DialogRun{result, runner.stepsRun, runner.closedByHarness};
}

void Click(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  if (control) SendMessageA(control, BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::string ItemText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Choose(HWND window, int command) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void RetryStep() { g_retryStep = true; }

namespace {

// A key down or up as the system's input; `character` sends that
// character instead of a virtual key.
void SendKey(int virtualKey, bool up, char character = 0) {
  INPUT key{};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = static_cast<WORD>(character ? 0 : virtualKey);
  key.ki.wScan = static_cast<unsigned char>(character);
  key.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (character ? KEYEVENTF_UNICODE : 0);
  SendInput(1, &key, sizeof key);
}

}  // namespace

void TypeChord(int modifier, int virtualKey) {
  SendKey(modifier, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  SendKey(modifier, true);
}

void TypeKeys(std::initializer_list<int> virtualKeys) {
  for (int key : virtualKeys) {
    SendKey(key, false);
    SendKey(key, true);
  }
}

void TypeText(const std::string& text) {
  for (char c : text) {
    SendKey(0, false, c);
    SendKey(0, true, c);
  }
}

HWND FindDialog(const char* title) {
  HWND dialog = FindWindowA("#32770", title);
  return dialog && IsWindowVisible(dialog) && IsWindowEnabled(dialog) ? dialog : nullptr;
}

void SetControlKey(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  keys[VK_LCONTROL] = keys[VK_CONTROL];
  SetKeyboardState(keys);
}

void PostKey(HWND window, int virtualKey, bool control) {
  SetControlKey(control);  // accelerators read Ctrl from the thread's key state
  UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), 0);
  PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
               static_cast<LPARAM>(1 | (scan << 16)));
}

MessageCapture::MessageCapture() { SetMessageHook(Hook, this); }

MessageCapture::~MessageCapture() { SetMessageHook(nullptr, nullptr); }

int MessageCapture::Hook(const char* text, const char* title, MessageIcon icon, void* context) {
  auto* self = static_cast<MessageCapture*>(context);
  self->shown_.push_back(ShownMessage{text, title, icon});
  if (self->answers_.empty()) return 1;
  int answer = self->answers_.front();
  self->answers_.erase(self->answers_.begin());
  return answer;
}

FileState ReadFileState(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileState{false, ""};
  return FileState{true, std::string(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>())};
}

}  // namespace win32test
