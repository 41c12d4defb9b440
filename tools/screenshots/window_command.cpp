// tavlon_window_command: a helper of tools/screenshots, run under Wine
// beside Tavlon.exe.
//   tavlon_window_command COMMAND              posts WM_COMMAND COMMAND to the main window
//   tavlon_window_command close TITLE          ends the dialog titled TITLE (Cancel)
//   tavlon_window_command click TITLE ID       presses button ID of the dialog
//   tavlon_window_command settext TITLE ID TEXT  puts TEXT into control ID
//   tavlon_window_command drop TITLE ID        opens (or closes) the drop-down list ID
// Exits with 0, or 1 when the window is not there.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "click") != 0 &&
      std::strcmp(argv[1], "settext") != 0 && std::strcmp(argv[1], "drop") != 0)
    return 2;
  if (argc >= 3) {
    HWND dialog = FindWindowA("#32770", argv[2]);
    if (!dialog) return 1;
    if (std::strcmp(argv[1], "close") == 0) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return 0;
    }
    if (argc < 4) return 2;
    const int id = std::atoi(argv[3]);
    HWND control = GetDlgItem(dialog, id);
    if (!control) return 1;
    if (std::strcmp(argv[1], "click") == 0) {
      PostMessageA(control, BM_CLICK, 0, 0);
    } else if (std::strcmp(argv[1], "drop") == 0) {
      const BOOL dropped = SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0) != 0;
      SendMessageA(control, CB_SHOWDROPDOWN, !dropped, 0);
    } else {
      if (argc != 5) return 2;
      SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    }
    return 0;
  }
  if (argc != 2) return 2;
  HWND main = FindWindowA("CalMainClass", nullptr);
  if (!main) return 1;
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[1]), 0), 0);
  return 0;
}
