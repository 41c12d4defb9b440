// Messages on POSIX: one line on standard error. Nobody can answer a
// question there, so it is answered No.
#include <cstdio>

#include "platform/system.h"

int SystemShowMessage(const char* text, const char* title, MessageIcon icon) {
  std::fprintf(stderr, "%s: %s\n", title, text);
  std::fflush(stderr);
  return icon == MessageIconQuestion ? 0 : 1;
}
