// Helpers of the export windows' tests: answers for the save dialogs, and
// a watch that acts on a window once it is on screen, from whatever loop
// is pumping messages then (a modal dialog's, or an export's own).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/export_ics.h"

namespace exporttest {

// While it lives, the save dialogs are answered with `path` (or cancelled
// when it is empty); the names they would have started with are kept.
class SaveDialogAnswer {
 public:
  explicit SaveDialogAnswer(std::string path) {
    Current() = this;
    path_ = std::move(path);
    SetSaveNameHook(Hook);
  }
  ~SaveDialogAnswer() {
    SetSaveNameHook(nullptr);
    Current() = nullptr;
  }
  SaveDialogAnswer(const SaveDialogAnswer&) = delete;
  SaveDialogAnswer& operator=(const SaveDialogAnswer&) = delete;

  void Answer(std::string path) { path_ = std::move(path); }
  const std::vector<std::string>& offered() const { return offered_; }  // one per dialog
  const std::vector<std::string>& extensions() const { return extensions_; }

 private:
  static SaveDialogAnswer*& Current() {
    static SaveDialogAnswer* current = nullptr;
    return current;
  }
  static int Hook(HWND, const char* extension, char* path, int size) {
    SaveDialogAnswer* self = Current();
    self->offered_.push_back(path);
    self->extensions_.push_back(extension);
    if (self->path_.empty()) return 0;
    lstrcpynA(path, self->path_.c_str(), size);
    return 1;
  }
  std::string path_;
  std::vector<std::string> offered_;
  std::vector<std::string> extensions_;
};

// Calls `act` with the top-level dialog titled `title` on every tick of a
// 10 ms timer while it is on screen, until `act` returns true.
class WindowWatch {
 public:
  WindowWatch(std::string title, std::function<bool(HWND)> act)
      : title_(std::move(title)), act_(std::move(act)) {
    Current() = this;
    timer_ = SetTimer(nullptr, 0, 10, Tick);
  }
  ~WindowWatch() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
  }
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  bool done() const { return done_; }

 private:
  static WindowWatch*& Current() {
    static WindowWatch* current = nullptr;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    WindowWatch* self = Current();
    if (!self || self->done_ || self->busy_) return;
    HWND window = FindWindowA("#32770", self->title_.c_str());
    if (!window || !IsWindowVisible(window)) return;
    self->busy_ = true;
    self->done_ = self->act_(window);
    self->busy_ = false;
  }
  std::string title_;
  std::function<bool(HWND)> act_;
  UINT_PTR timer_ = 0;
  bool done_ = false;
  bool busy_ = false;
};

// The iCalendar text with the values that change from run to run (DTSTAMP
// and UID) blanked.
inline std::string MaskStamps(const std::string& ics) {
  std::string out;
  size_t start = 0;
  while (start < ics.size()) {
    size_t end = ics.find("\r\n", start);
    end = end == std::string::npos ? ics.size() : end + 2;
    std::string line = ics.substr(start, end - start);
    if (line.rfind("DTSTAMP:", 0) == 0) line = "DTSTAMP:-\r\n";
    if (line.rfind("UID:", 0) == 0) line = "UID:-\r\n";
    out += line;
    start = end;
  }
  return out;
}

}  // namespace exporttest
