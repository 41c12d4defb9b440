// Records every message the program would show instead of showing it, for
// the life of the recorder; questions are answered with `answer`.
#pragma once
#include <string>
#include <vector>

#include "platform/message.h"

struct Shown {
  std::string text;
  std::string title;
  int icon;  // a MessageIcon
};

class MessageRecorder {
 public:
  MessageRecorder() { SetMessageHook(&Record, this); }
  ~MessageRecorder() { SetMessageHook(nullptr, nullptr); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  std::vector<Shown> shown;
  int answer = 1;  // 1 Yes, 0 No

 private:
  static int Record(const char* text, const char* title, MessageIcon icon, void* context) {
    auto* self = static_cast<MessageRecorder*>(context);
    self->shown.push_back({text, title, icon});
    return icon == MessageIconQuestion ? self->answer : 1;
  }
};
