// Numbers shared by the resource script (resources/tavlon.rc) and the
// program: resource names, the controls of the shell's dialogs and the
// version. Plain #defines, since the resource compiler reads this file too.
#pragma once

#define TAVLON_VERSION_MAJOR 1
#define TAVLON_VERSION_MINOR 2
#define TAVLON_VERSION_LETTER 'g'
#define TAVLON_VERSION_TEXT "1.2g"

#define IDI_TAVLON 1          // the program icon
#define IDA_MAIN 1            // accelerator table of the main window

// Date/Time Format dialog: two radio groups, each started by its label.
#define IDC_DATE_FORMAT_LABEL 101
#define IDC_DATE_DAY_FIRST 102    // "DD.MM.YYYY"
#define IDC_DATE_MONTH_FIRST 103  // "MM/DD/YYYY"
#define IDC_TIME_FORMAT_LABEL 201
#define IDC_TIME_12_HOUR 202
#define IDC_TIME_24_HOUR 203

// About box: the icon and the seven lines, top to bottom.
#define IDC_ABOUT_ICON 300
#define IDC_ABOUT_FIRST_LINE 301  // 301-307

// The settings and export windows keep their ids in files of their own.
#include "resources/settings_ids.h"
#include "resources/export_ids.h"
