// The one call through which the program shows a message to the user.
// Windows: a message box; POSIX: a line on standard error; tests install a
// hook that records the message and answers it.
#pragma once

enum MessageIcon {
  MessageIconError,        // stop icon, OK
  MessageIconInformation,  // information icon, OK
  MessageIconQuestion,     // question icon, Yes and No, No the default
};

// Shows the message. Returns 1 for OK or Yes, 0 for No (a question that
// cannot be asked, as on a terminal-less POSIX run, is answered No).
int ShowMessage(const char* text, const char* title, MessageIcon icon);

using MessageHook = int (*)(const char* text, const char* title,
                            MessageIcon icon, void* context);

// Routes every message to `hook` instead; nullptr restores the real one.
void SetMessageHook(MessageHook hook, void* context);
