// The user's text on POSIX: UTF-8, as the terminal and the files have it.
#include <cstring>
#include <string>

#include "platform/text.h"

int SystemUtf8FromUserText(const char* text, std::string* out) {
  const std::size_t n = std::strlen(text);
  if (!IsValidUtf8(text, n)) return 0;
  out->assign(text, n);
  return 1;
}

int SystemUserTextIs1252() { return 0; }
