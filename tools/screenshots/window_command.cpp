// tavlon_window_command: a helper of tools/screenshots, run under Wine
// beside Tavlon.exe.
//   tavlon_window_command COMMAND      posts WM_COMMAND COMMAND to the main window
//   tavlon_window_command close TITLE  ends the dialog titled TITLE (Cancel)
// Exits with 0, or 1 when the window is not there.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    HWND dialog = FindWindowA("#32770", argv[2]);
    if (!dialog) return 1;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
  }
  if (argc != 2) return 2;
  HWND main = FindWindowA("CalMainClass", nullptr);
  if (!main) return 1;
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[1]), 0), 0);
  return 0;
}
