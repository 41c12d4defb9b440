// The entry point of Tavlon.exe.
#include <windows.h>

#include "calendar/callang.h"
#include "shell/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  return TavlonRun(instance, previous, showCommand, CallangInitialize);
}
