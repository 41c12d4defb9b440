// The main window's commands. Each runs to its end inside the message
// loop; the export and the settings dialogs of the other modules join this
// switch as their windows are built.
#include "shell/about_dialog.h"
#include "shell/datetime_format_dialog.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/show_help.h"

void MainWindowCommand(HWND window, int command) {
  switch (command) {
    case kCommandExit:
      // The default close handling destroys the window, which ends the loop.
      PostMessageA(window, WM_CLOSE, 0, 0);
      break;
    case kCommandDateTimeFormat:
      DateTimeFormatDialog(window);
      InvalidateRect(window, nullptr, TRUE);
      UpdateWindow(window);
      break;
    case kCommandHelp:
      ShowHelpPage(window);
      break;
    case kCommandAbout:
      AboutDialog(window);
      break;
    default:
      break;
  }
}
