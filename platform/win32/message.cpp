// Messages on Windows: a message box owned by the active window.
#include <windows.h>

#include "platform/system.h"

int SystemShowMessage(const char* text, const char* title, MessageIcon icon) {
  UINT type = MB_OK | MB_ICONSTOP;
  if (icon == MessageIconInformation) type = MB_OK | MB_ICONINFORMATION;
  if (icon == MessageIconQuestion) type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
  int answer = MessageBoxA(GetActiveWindow(), text, title, type);
  return answer == IDOK || answer == IDYES ? 1 : 0;
}
