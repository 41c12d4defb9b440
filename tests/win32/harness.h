// The Win32 test harness: runs the program (its real start-up, window
// procedure and message loop) or one of its dialogs in the test process
// and feeds it steps, each from a timer tick of the running loop, so every
// message a step posts is handled before the next step starts.
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

// TavlonRun (nullptr: with CallangInitialize), the steps fed to the main
// window; one still open after them is destroyed.
ProgramRun RunProgram(std::vector<Step> steps, int (*initializeDefinitions)() = nullptr);

struct DialogRun {
  int result;     // what `open` returned
  int stepsRun;   // 0 when no dialog appeared
  bool leftOpen;  // the dialog outlived the last step and was ended with 0
};

// `open` shows a modal dialog; the steps go to the first new dialog of the
// thread (or the one titled `title`); one still open after them gets 0.
DialogRun RunDialog(const std::function<int()>& open, std::vector<Step> steps,
                    const char* title = nullptr);
// The dialog that the command `id` of `window` opens (button or menu).
DialogRun RunCommand(HWND window, int id, std::vector<Step> steps);

// Called by a step whose window is not ready yet: it runs again next tick.
void RetryStep();

void Click(HWND dialog, int id);  // as a mouse click: buttons, radio buttons, check boxes
bool IsChecked(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
std::string WindowText(HWND window);
void Choose(HWND window, int command);  // a menu choice
void ChooseComboItem(HWND dialog, int id, int position);  // as the mouse does (-1: none)
std::vector<std::string> ListTexts(HWND dialog, int id);
// A key as the system's input to the foreground `window`, `modifier` held.
void TypeKey(HWND window, int virtualKey, int modifier = 0);
HWND FindDialog(const char* title);  // visible, or 0

struct ShownMessage {
  std::string text;
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

std::string ReadFileBytes(const std::string& path);

}  // namespace win32test
