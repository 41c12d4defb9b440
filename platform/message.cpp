// ShowMessage: the installed hook, else the system's way to show it.
#include "platform/message.h"

#include "platform/system.h"

namespace {

MessageHook g_hook = nullptr;
void* g_hookContext = nullptr;

}  // namespace

int ShowMessage(const char* text, const char* title, MessageIcon icon) {
  if (!text) text = "";
  if (!title) title = "";
  if (g_hook) return g_hook(text, title, icon, g_hookContext);
  return SystemShowMessage(text, title, icon);
}

void SetMessageHook(MessageHook hook, void* context) {
  g_hook = hook;
  g_hookContext = context;
}
