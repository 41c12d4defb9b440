// The Win32 test harness: runs the program (its real start-up, window
// procedure and message loop) in the test process, drives its windows and
// dialogs with window messages, and records the messages it shows.
//
// A test is a list of steps. Each step gets the main window (or the dialog)
// from a timer tick of the loop that is running, so every message a step
// posts has been handled by that real loop before the next step starts:
//
//   DialogRun dialog = RunDialog([] { return DateTimeFormatDialog(nullptr); }, {
//       [](HWND d) { Click(d, IDC_DATE_MONTH_FIRST); },
//       [](HWND d) { Click(d, IDOK); },
//   });
//   EXPECT_EQ(dialog.result, 1);
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/message.h"

namespace win32test {

using Step = std::function<void(HWND)>;

// ---- The program -----------------------------------------------------

struct ProgramRun {
  int exitCode;          // what TavlonRun returned
  int stepsRun;          // 0 when the start-up ended before the loop ran
  bool closedByHarness;  // the window outlived the last step and was destroyed
};

// Runs TavlonRun on this thread with `initializeDefinitions` (nullptr: the
// program's CallangInitialize) and feeds the steps to the main window once
// it is shown. A window still open after the last step is destroyed.
ProgramRun RunProgram(std::vector<Step> steps, int (*initializeDefinitions)() = nullptr);

// Both runs have a watchdog: when no step starts or ends for this long
// (15 s unless set), the test fails and every window of the thread is
// asked to close; when that does not end the run either, the test process
// ends with code 3.
void SetWatchdogMilliseconds(DWORD milliseconds);

// For dialogs opened without the program: the instance and the string
// texts that the start-up would have loaded.
void UseProgramResources();

// ---- Dialogs -----------------------------------------------------------

struct DialogRun {
  int result;     // what `open` returned
  int stepsRun;   // 0 when no dialog appeared
  bool leftOpen;  // the dialog outlived the last step and was ended with 0
};

// Calls `open`, which shows a modal dialog and returns when it closes, and
// feeds the steps to the dialog once it is on screen.
DialogRun RunDialog(const std::function<int()>& open, std::vector<Step> steps);

// Called by a step whose window is not there yet (a dialog still opening):
// the same step runs again at the next tick. The watchdog still counts.
void RetryStep();

// ---- Controls ----------------------------------------------------------

void Click(HWND dialog, int id);  // as a mouse click: buttons, radio buttons, check boxes
bool IsChecked(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
std::string WindowText(HWND window);
// A menu choice: WM_COMMAND with the command number, sent.
void Choose(HWND window, int command);
// A key as the keyboard would deliver it to `window`, posted, with Ctrl
// held when `control` is set (for accelerators). Ctrl stays as set until
// SetControlKey(false).
void PostKey(HWND window, int virtualKey, bool control = false);
void SetControlKey(bool down);

// Keys as the system's input, to whichever window has the focus: a chord
// such as Alt+C (TypeChord(VK_MENU, 'C')), keys one after the other, or
// text as typed characters.
void TypeChord(int modifier, int virtualKey);
void TypeKeys(std::initializer_list<int> virtualKeys);
void TypeText(const std::string& text);

// The visible, enabled dialog titled `title`, or 0.
HWND FindDialog(const char* title);

// ---- Messages shown ----------------------------------------------------

struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
};

// While it lives, every ShowMessage is recorded and answered: 1 (OK, Yes)
// unless Answer() queued another answer for the next one.
class MessageCapture {
 public:
  MessageCapture();
  ~MessageCapture();
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  void Answer(int answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& shown() const { return shown_; }

 private:
  static int Hook(const char* text, const char* title, MessageIcon icon, void* context);
  std::vector<ShownMessage> shown_;
  std::vector<int> answers_;
};

// ---- Files -------------------------------------------------------------

// The whole content of a file, and whether it exists.
struct FileState {
  bool exists;
  std::string bytes;
};
FileState ReadFileState(const std::string& path);

}  // namespace win32test
