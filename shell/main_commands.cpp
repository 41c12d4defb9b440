// The main window's commands. Each runs to its end inside the message
// loop. The settings windows and the exports have switches of their own.
#include "shell/about_dialog.h"
#include "shell/datetime_format_dialog.h"
#include "shell/export_commands.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/settings_commands.h"
#include "shell/show_help.h"

void MainWindowCommand(HWND window, int command) {
  if (SettingsCommand(window, command) || ExportCommand(window, command)) return;
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
