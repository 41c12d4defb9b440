// The Win32 test harness: runs the program (its real start-up, window
// procedure and message loop) or one of its dialogs in the test process
// and feeds it a list of steps, each from a timer tick of the loop that is
// running, so every message a step posts has been handled by that real
// loop before the next step starts. A run without progress for 15 s fails
// the test and closes its windows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/message.h"

namespace win32test {

using Step = std::function<void(HWND)>;

struct ProgramRun {
  int exitCode;          // what TavlonRun returned
  int stepsRun;          // 0 when the start-up ended before the loop ran
  bool closedByHarness;  // the window outlived the last step and was destroyed
};

// Runs TavlonRun with `initializeDefinitions` (nullptr: CallangInitialize)
// with the steps fed to the main window; one still open after them is
// destroyed.
ProgramRun RunProgram(std::vector<Step> steps, int (*initializeDefinitions)() = nullptr);

struct DialogRun {
  int result;     // what `open` returned
  int stepsRun;   // 0 when no dialog appeared
  bool leftOpen;  // the dialog outlived the last step and was ended with 0
};

// Calls `open`, which shows a modal dialog and returns when it closes, with
// the steps fed to the first new dialog of the thread (or the one titled
// `title`); one still open after them is ended with 0.
DialogRun RunDialog(const std::function<int()>& open, std::vector<Step> steps,
                    const char* title = nullptr);
// The dialog that the command `id` of `window` opens (a click when
// `window` has a button `id`, else a menu choice).
DialogRun RunCommand(HWND window, int id, std::vector<Step> steps);

// Called by a step whose window is not ready yet: the same step runs again
// at the next tick (without counting as progress).
void RetryStep();

void Click(HWND dialog, int id);  // as a mouse click: buttons, radio buttons, check boxes
bool IsChecked(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
std::string WindowText(HWND window);
// A menu choice: WM_COMMAND with the command number, sent.
void Choose(HWND window, int command);
// A drop-down list's selection (-1: none), set as the mouse does it.
void ChooseComboItem(HWND dialog, int id, int position);
// The texts of a list box.
std::vector<std::string> ListTexts(HWND dialog, int id);
// A key as the system's input to the foreground window `window`, with
// `modifier` (VK_CONTROL, VK_MENU, 0) held.
void TypeKey(HWND window, int virtualKey, int modifier = 0);
// The visible dialog titled `title`, or 0.
HWND FindDialog(const char* title);

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
  std::vector<std::string> texts() const;

 private:
  static int Hook(const char* text, const char* title, MessageIcon icon, void* context);
  std::vector<ShownMessage> shown_;
  std::vector<int> answers_;
};

// The whole content of a file, "" when it is not there.
std::string ReadFileBytes(const std::string& path);

}  // namespace win32test
