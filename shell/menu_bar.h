// The main window's menu bar and command numbers. Item texts are texts of
// the string table; a tab in a text starts its shortcut column.
#pragma once

// Command numbers delivered by the menu items, the accelerators and F1.
enum MainCommand {
  kCommandExit = 7,                 // also Ctrl+X
  kCommandAbout = 10,
  kCommandReadings = 11,
  kCommandShabbatTime = 12,
  kCommandSelectLocation = 13,
  kCommandDaylightSaving = 14,
  kCommandConfigureZmanim = 15,
  kCommandAnniversaries = 16,
  kCommandExport = 18,              // also Ctrl+I
  kCommandDateTimeFormat = 20,
  kCommandHelp = 23,                // also F1
  kCommandImportAnniversaries = 33,
  kCommandImportHolidays = 34,
};

// String-table texts of the shell (the menu texts are 16-31).
enum ShellTextId {
  kTextMenuCalendar = 16,
  kTextMenuSettings = 21,
  kTextMenuHelp = 29,
  kTextCopyright = 32,
  kTextVersionFormat = 33,      // "Version %d.%d"
  kTextEmail = 34,
  kTextHomepageLabel = 35,      // "Homepage:"
  kTextHomepage = 36,
  kTextHelpOpenFailed = 37,     // "File %s could not be opened, error code %d"
  kTextLastShellText = 47,      // texts 16-47 are loaded at start-up
};

// One entry of a popup menu: a text and its command, or a separator (text
// 0). Rows of one popup are consecutive.
struct MenuBarRow {
  int popupTextId;  // the popup the row belongs to
  int itemTextId;   // 0 = separator
  int command;
};

inline constexpr MenuBarRow kMenuBar[] = {
    {kTextMenuCalendar, 17, kCommandExport},
    {kTextMenuCalendar, 18, kCommandImportAnniversaries},
    {kTextMenuCalendar, 19, kCommandImportHolidays},
    {kTextMenuCalendar, 0, 0},
    {kTextMenuCalendar, 20, kCommandExit},
    {kTextMenuSettings, 22, kCommandSelectLocation},
    {kTextMenuSettings, 23, kCommandDaylightSaving},
    {kTextMenuSettings, 24, kCommandShabbatTime},
    {kTextMenuSettings, 25, kCommandConfigureZmanim},
    {kTextMenuSettings, 26, kCommandDateTimeFormat},
    {kTextMenuSettings, 27, kCommandReadings},
    {kTextMenuSettings, 0, 0},
    {kTextMenuSettings, 28, kCommandAnniversaries},
    {kTextMenuHelp, 30, kCommandHelp},
    {kTextMenuHelp, 31, kCommandAbout},
};
