// The running program on a scratch settings folder: start-up and shutdown,
// and the windows the menus open (their rules are tested natively: their
// wiring only), the help page.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/caldate.h"
#include "calendar/callang.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "placetime/cities.h"
#include "placetime/daylight.h"
#include "placetime/shabbat.h"
#include "readings/reading_texts.h"
#include "resources/export_ids.h"
#include "resources/resource_ids.h"
#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/app.h"
#include "shell/export_rules.h"
#include "shell/help_page.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/show_help.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

constexpr char kCities[] = "Merovan Cities.bin";

// One user city "Home", 32 deg 42' N, 35 deg 25' E, GMT+2, elevation 0, in
// the file's layout: magic 0xABCD0122, count, then each record, least
// significant bytes first.
const std::string kOneCityFile(
    "\x22\x01\xCD\xAB" "\x01\0\0\0" "\x04\0\0\0" "Home" "\xAA\x0C\0\0" "\xC5\x0D\0\0" "\x02\0\0\0",
    28);

// The cities file of `dir`, dated ten years back: still so when nothing
// wrote it.
const auto kLongAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 3650);
void WriteOldCities(const ScratchDir& dir) {
  dir.Write(kCities, kOneCityFile);
  std::filesystem::last_write_time(dir.File(kCities), kLongAgo);
}
bool CitiesStillOld(const ScratchDir& dir) {
  return std::filesystem::last_write_time(dir.File(kCities)) < kLongAgo + std::chrono::hours(24);
}

// The user's cities are loaded before the window takes its location; the
// exit writes the flags and the cities back although nothing changed.
TEST(Startup, ExitWritesBackWhatTheStartRead) {
  ScratchDir dir;
  MessageCapture messages;
  WriteOldCities(dir);
  dir.Write(kSettingsFile, "[Location]\r\nCityName=Home\r\n");
  dir.Write("exportcalshab.ini", "[ParashSettings]\r\nLanguage=3\r\n");
  CalWindowState seen{};
  std::string languageWhileRunning;
  ProgramRun run = RunProgram({[&](HWND main) {
    seen = *MainWindowState(main);
    languageWhileRunning = dir.Read("exportcalshab.ini");
    MainWindowState(main)->leftToRight = 0;
  }});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(std::vector<int>({seen.locationKnown, seen.latitude, seen.longitude, seen.timeZone}),
            std::vector<int>({1, 3242, 3525, 2}));
  EXPECT_EQ(languageWhileRunning, "[ParashSettings]\r\nLanguage=1\r\n");  // written as the window was created
  EXPECT_NE(dir.Read(kSettingsFile).find("\nLeftToRight=0\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read(kCities), kOneCityFile);
  EXPECT_FALSE(CitiesStillOld(dir));
  EXPECT_TRUE(messages.shown().empty());
}

int BrokenDefinitions() {
  static CallangTable table;
  return CallangParse("Tishri: \"Tishri\"\r\n12 13\r\n", &table);
}

// A start that fails says why, shows no window and saves nothing.
TEST(Startup, FailureIsShownAndNothingSaved) {
  struct Row {
    bool takeClass;  // the main window's class registered already
    int (*definitions)();
    const char* message;  // the last one shown
  };
  const Row kRows[] = {
      {false, BrokenDefinitions, "CallangInitialize failed"},
      {true, nullptr, "RegisterClass of CalMainClass failed, error code 1410"},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    MessageCapture messages;
    WriteOldCities(dir);
    WNDCLASSA taken{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                    kMainClassName};
    if (row.takeClass && !RegisterClassA(&taken)) FAIL() << "cannot take the class";
    ProgramRun run = RunProgram({[](HWND) { ADD_FAILURE() << "a window was shown"; }}, row.definitions);
    if (row.takeClass) UnregisterClassA(kMainClassName, GetModuleHandleA(nullptr));
    EXPECT_EQ(run.exitCode, 0) << row.message;
    ASSERT_FALSE(messages.shown().empty()) << row.message;
    EXPECT_EQ(messages.shown().back().text, row.message);
    EXPECT_EQ(messages.shown().back().icon, MessageIconError) << row.message;
    EXPECT_TRUE(CitiesStillOld(dir)) << row.message;
    EXPECT_FALSE(std::filesystem::exists(dir.File(kSettingsFile))) << row.message;
  }
}

// Blue at the top, black at the bottom, the white title centred; returns
// the rows the title spans.
int ExpectTitleScreen(HWND main, const char* when) {
  RECT client;
  GetClientRect(main, &client);
  const int width = client.right, height = client.bottom;
  HDC screen = GetDC(main);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);  // 0x00RRGGBB, top row first
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(main, screen);
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; };
  EXPECT_EQ(at(2, 0), 0x0000FFu) << when;
  EXPECT_EQ(at(2, height - 1), 0u) << when;
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (at(x, y) == 0xFFFFFF) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_NEAR((left + right) / 2, width / 2, 12) << when << ": title not centred across";
  EXPECT_NEAR((top + bottom) / 2, height / 2, 12) << when << ": title not centred down";
  return bottom - top + 1;
}

// A resize repaints the whole picture, shrinking too (repainting only what
// was uncovered leaves the title off-centre); at twice the DPI the window
// takes the suggested place and the title is twice as tall.
TEST(Startup, TitleScreenFollowsSizeAndDpi) {
  ScratchDir dir;
  RunProgram({[](HWND main) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int rows = ExpectTitleScreen(main, "as shown");
    for (SIZE size : {SIZE{640, 480}, SIZE{1000, 760}}) {
      SetWindowPos(main, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateWindow(main);
      ExpectTitleScreen(main, size.cx == 640 ? "shrunk" : "grown");
    }
    RECT suggested{10, 20, 1010, 820}, placed{};
    SendMessageA(main, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(main);
    GetWindowRect(main, &placed);
    EXPECT_TRUE(EqualRect(&placed, &suggested));
    EXPECT_GT(rows, 20);
    EXPECT_NEAR(ExpectTitleScreen(main, "at 192 DPI"), 2 * rows, rows / 4);
  }});
}

// The first window, minimised and behind another, comes back to the front;
// the second instance ends with 0 and touches none of its files.
TEST(Startup, SecondInstanceRestoresAndActivatesTheFirst) {
  ScratchDir dir;
  std::vector<std::string> files, before, after;
  for (int folder : {CSIDL_PERSONAL, CSIDL_APPDATA}) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    files.push_back(std::string(path) + (folder == CSIDL_PERSONAL ? "\\Merovan Cities.bin" : "\\Tavlon\\exportcal.ini"));
    before.push_back(ReadFileBytes(files.back()));
  }
  std::string command = TAVLON_EXE;
  std::replace(command.begin(), command.end(), '/', '\\');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  HWND other = nullptr;
  DWORD code = 99, ended = 0;
  bool restored = false, activated = false;
  RunProgram({
      [&](HWND main) {
        ShowWindow(main, SW_MINIMIZE);
        other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
        SetForegroundWindow(other);
        ASSERT_TRUE(CreateProcessA(command.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &second));
      },
      [&](HWND main) {  // the loop handles the first window's messages meanwhile
        if (WaitForSingleObject(second.hProcess, 0) == WAIT_TIMEOUT) return RetryStep();
        ended = ended ? ended : GetTickCount();
        restored = !IsIconic(main) && IsWindowVisible(main);
        activated = GetForegroundWindow() == main;
        if (!(restored && activated) && GetTickCount() - ended < 1000) RetryStep();
      },
  });
  GetExitCodeProcess(second.hProcess, &code);
  CloseHandle(second.hThread);
  CloseHandle(second.hProcess);
  DestroyWindow(other);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(restored) << "the first window stayed minimised";
  EXPECT_TRUE(activated) << "the first window was not brought to the front";
  for (const std::string& file : files) after.push_back(ReadFileBytes(file));
  EXPECT_EQ(after, before);
}

// Each file from the first older folder that has it; a folder with
// settings of its own is never filled again; the older files stay.
TEST(SettingsFolder, OlderSettingsCopiedOnce) {
  ScratchDir dir;
  for (const char* sub : {"new", "virtual", "windows"}) std::filesystem::create_directory(dir.path() / sub);
  const std::string older[2] = {dir.File("virtual"), dir.File("windows")};
  const char* paths[2] = {older[0].c_str(), older[1].c_str()};
  dir.Write("virtual/exportcal.ini", "Haifa");
  dir.Write("windows/exportcal.ini", "Paris");
  dir.Write("windows/daylight.ini", "March");
  EXPECT_EQ(CopyOlderSettings(dir.File("new").c_str(), paths, 2), 2);
  dir.Write("windows/exportcalshab.ini", "Israel");
  EXPECT_EQ(CopyOlderSettings(dir.File("new").c_str(), paths, 2), 0);
  EXPECT_EQ(dir.Read("new/exportcal.ini") + dir.Read("new/daylight.ini"), "HaifaMarch");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new/exportcalshab.ini")));
  EXPECT_EQ(dir.Read("virtual/exportcal.ini") + dir.Read("windows/exportcal.ini"), "HaifaParis");
}

// Written as the window opens and as it ends: shown once, naming it.
TEST(SettingsFolder, UnwritableFolderIsReportedOnce) {
  ScratchDir dir;
  const std::string folder = dir.File("missing") + "\\deeper";
  SetSettingsFolderOverride(folder.c_str());
  MessageCapture messages;
  RunProgram({[](HWND) {}});
  EXPECT_EQ(IniWriteString("Flags", "LeftToRight", "1", "exportcal.ini"), 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].text.find(folder), std::string::npos) << messages.shown()[0].text;
}

// Each menu item opens its window owned by the main window; a refused OK
// (in the editor `button` opens, if any) keeps it open with the focus on the
// control to mend; Cancel writes nothing and re-enables the main window.
TEST(MenuCommands, OpenRefuseAndCancel) {
  struct Row {
    int popup, item;  // 0 Calendar, 1 Settings, 2 Help; separators counted
    const char* title;
    const char* ini;  // the settings it opens on
    int button;
    void (*change)(HWND);  // nullptr: Cancel at once
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {0, 0, "Select Range", "", 0, [](HWND d) { SetItemText(d, IDC_RANGE_START, "31.2.2007"); },
       "Start date is invalid", IDC_RANGE_START},
      {0, 0, "Select Range", "[OutlookExport]\r\nExportType=7\r\n", 0, [](HWND) {}, kNoTargetMessage,
       IDC_RANGE_OUTLOOK},
      {0, 1, "Import", "", 0, [](HWND) {}, "At least one entry has to be selected in the list", IDC_BIRTH_LIST},
      {0, 2, "Select Range", "", 0, nullptr, "", 0},
      {1, 0, "Select Location", "", IDC_LOC_ADD, [](HWND) {}, "City Name must not be blank", IDC_LOCED_NAME},
      {1, 1, "Daylight Savings Time", "", 0,
       [](HWND d) {
         Click(d, IDC_DST_ENABLE);
         Click(d, IDC_DST_START_METHOD1);
       },
       "Start week no has to be selected", IDC_DST_START_FIRSTLAST},
      {1, 2, "Shabbat Time Preferences", "", 0, [](HWND d) { SetItemText(d, IDC_SHABBAT_CANDLE, "x"); },
       "Minutes for Candle Lighting must be a number", IDC_SHABBAT_CANDLE},
      // (The rows above a refused one are written: the first is refused.)
      {1, 3, "Configure Zmanim", "", 0, [](HWND d) { ChooseComboItem(d, IDC_ZMANIM_LIST0, -1); },
       "An entry has to be selected", IDC_ZMANIM_LIST0},
      {1, 4, "Date/Time Format", "", 0, nullptr, "", 0},
      {1, 5, "Readings and Holidays", "", 0, nullptr, "", 0},
      {1, 7, "Anniversaries", "", IDC_ANNI_ADD, [](HWND) {}, "Name must not be blank", IDC_EDITANNI_NAME},
      {2, 1, "About this program", "", 0, nullptr, "", 0},
  };
  ScratchDir dir;
  auto files = [&] { return dir.Read(kSettingsFile) + dir.Read(kDaylightFile) + dir.Read(kReadingSettingsFile); };
  RunProgram({[&](HWND main) {
    for (const Row& row : kRows) {
      MessageCapture messages;
      dir.Write(kSettingsFile, row.ini);
      const std::string before = files();
      std::string title;
      HWND owner = nullptr;
      int focus = 0;  // set only when the refused OK left the window open
      const Step cancel = [](HWND d) { Click(d, IDCANCEL); };
      std::vector<Step> refuse = {[&](HWND d) {
                                    row.change(d);
                                    Click(d, IDOK);
                                  },
                                  [&](HWND) { focus = GetDlgCtrlID(GetFocus()); }, cancel};
      std::vector<Step> steps = {[&](HWND d) {
        title = WindowText(d);
        owner = GetWindow(d, GW_OWNER);
        if (row.change && row.button) RunCommand(d, row.button, refuse);
      }};
      if (row.change && !row.button) steps.insert(steps.end(), refuse.begin(), refuse.end() - 1);
      steps.push_back(cancel);
      RunCommand(main, static_cast<int>(GetMenuItemID(GetSubMenu(GetMenu(main), row.popup), row.item)), steps);
      EXPECT_EQ(title, row.title);
      EXPECT_EQ(owner, main) << row.title;
      EXPECT_TRUE(IsWindowEnabled(main)) << row.title;
      EXPECT_EQ(files(), before) << row.title;
      EXPECT_EQ(messages.texts(), row.change ? std::vector<std::string>{row.message} : std::vector<std::string>{});
      EXPECT_EQ(focus, row.control) << row.title << ": " << row.message;
    }
  }});
}

// OK stores in the main window's record (read once before: no value cached
// then may be used again) and in the keys the program reads.
TEST(SettingsCommands, OkStoresInTheRecordAndTheSettings) {
  struct Row {
    const char* name;
    const char* ini;  // written before the command
    int command;
    void (*fill)(HWND);
    std::string (*record)(const CalWindowState*);  // nullptr: none
    const char* recordExpected;
    const char* file;
    std::vector<const char*> written;  // its lines
  };
  const Row kRows[] = {
      // New York's sunset on 7 July 2007 was at 20:31 daylight time; the
      // end of Shabbat, 45 minutes later, falls at 21:16 once daylight
      // saving (by default from March to October) is on.
      {"daylight saving", "", kCommandDaylightSaving, [](HWND d) { Click(d, IDC_DST_ENABLE); },
       [](const CalWindowState* s) {
         const CalDate saturday{7, 7, 2007};
         char text[256] = "";
         ShabbatTimeOfDay(s, AbsoluteFromGregorian(&saturday), text, 0);
         return std::string(text).substr(0, 3);
       },
       "21:", kDaylightFile, {"IsAvail=1"}},
      {"Shabbat times", "", kCommandShabbatTime,
       [](HWND d) {
         SetItemText(d, IDC_SHABBAT_CANDLE, "20");
         Click(d, IDC_SHABBAT_BY_DEGREES);
         SetItemText(d, IDC_SHABBAT_DEGREES, "7.5");
       },
       [](const CalWindowState* s) { return std::to_string(s->candleLightingMinutes + s->havdalahDegrees); },
       "27.500000", kSettingsFile, {"CandleLighting=20", "HavdalahMin=0", "HavdalahDegrees=7.50"}},
      {"readings", "", kCommandReadings, [](HWND d) { Click(d, IDC_READINGS_ISRAEL); },
       [](const CalWindowState* s) { return std::to_string(s->diaspora); }, "0", kReadingSettingsFile,
       {"DiasporaFlag=0"}},
      {"date/time format", "[Settings]\r\nDateFormat=1\r\nTimeFormat=1\r\n", kCommandDateTimeFormat,
       [](HWND d) {
         EXPECT_TRUE(IsChecked(d, IDC_DATE_MONTH_FIRST) && IsChecked(d, IDC_TIME_12_HOUR));
         Click(d, IDC_DATE_DAY_FIRST);
         Click(d, IDC_TIME_24_HOUR);
       },
       nullptr, "", kSettingsFile, {"DateFormat=0", "TimeFormat=0"}},
      {"zmanim", "[Zmanim]\r\nAlot Hashachar=AlotHashachar90\r\n", kCommandConfigureZmanim,
       [](HWND d) {
         EXPECT_EQ(SendDlgItemMessageA(d, IDC_ZMANIM_LIST0, CB_GETCURSEL, 0, 0), 1);  // the stored method
         ChooseComboItem(d, IDC_ZMANIM_LIST0 + 8, 2);   // "6.5° below horizon"
         RunCommand(d, IDC_ZMANIM_CHAMETZ_BUTTON, {[](HWND c) {
           ChooseComboItem(c, IDC_ZMANIM_CHAMETZ_LIST, 1);  // "Magen Avraham"
           Click(c, IDOK);
         }});
       },
       nullptr, "", kSettingsFile, {"Alot Hashachar=AlotHashachar90", "Tzait Hakochavim=Deg65", "Method=2"}},
  };
  ScratchDir dir;
  MessageCapture messages;
  RunProgram({[&](HWND main) {
    for (const Row& row : kRows) {
      dir.Write(kSettingsFile, row.ini);
      if (row.record) row.record(MainWindowState(main));
      DialogRun run = RunCommand(main, row.command, {[&](HWND d) {
                                   row.fill(d);
                                   Click(d, IDOK);
                                 }});
      EXPECT_FALSE(run.leftOpen) << row.name;
      EXPECT_EQ(row.record ? row.record(MainWindowState(main)) : "", row.recordExpected) << row.name;
      for (const char* line : row.written)
        EXPECT_NE(dir.Read(row.file).find(std::string("\n") + line + "\r\n"), std::string::npos)
            << row.name << ": " << line;
    }
    // A custom that cannot be written is reported, not taken for saved.
    std::filesystem::remove(dir.path() / kReadingSettingsFile);
    std::filesystem::create_directory(dir.path() / kReadingSettingsFile);
    RunCommand(main, kCommandReadings, {[](HWND d) {
      Click(d, IDC_READINGS_DIASPORA);
      Click(d, IDOK);
    }});
  }});
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].text.find(kReadingSettingsFile), std::string::npos) << messages.shown()[0].text;
}

// Jerusalem modified is a user city hiding the built-in one until removed;
// a built-in city cannot be removed; a city added is chosen and stored.
TEST(SettingsCommands, LocationStoresTheChoiceAndTheCities) {
  ScratchDir dir;
  MessageCapture messages;
  FreeUserCities(UserCities());
  dir.Write(kSettingsFile, "[Location]\r\nCityName=Jerusalem\r\n");
  const std::string jerusalem = "Jerusalem, 31,24N, 35,00E, GMT+2, Elevation: ";
  RunProgram({[&](HWND main) {
    RunCommand(main, kCommandSelectLocation, {
        [&](HWND d) {
          // A box sorting by itself would place accents and hyphens elsewhere.
          LocationChoices choices;
          SelectLocationFill(UserCities(), "Jerusalem", &choices);
          EXPECT_EQ(ListTexts(d, IDC_LOC_LIST), choices.names);
          RunCommand(d, IDC_LOC_MODIFY, {[](HWND e) {
            SetItemText(e, IDC_LOCED_ELEVATION, "800");
            Click(e, IDOK);
          }});
          EXPECT_EQ(ItemText(d, IDC_LOC_INFO), jerusalem + "800 meters");
          EXPECT_EQ(ListTexts(d, IDC_LOC_LIST).size(), choices.names.size());
          Click(d, IDC_LOC_REMOVE);  // answered Yes
          EXPECT_EQ(ItemText(d, IDC_LOC_INFO), jerusalem + "0 meters");
          Click(d, IDC_LOC_REMOVE);  // a built-in city now
          RunCommand(d, IDC_LOC_ADD, {[](HWND e) {
            const std::pair<int, const char*> kFields[] = {
                {IDC_LOCED_NAME, "Testville"}, {IDC_LOCED_LAT_DEGREES, "40"}, {IDC_LOCED_LAT_MINUTES, "30"},
                {IDC_LOCED_LON_DEGREES, "10"}, {IDC_LOCED_LON_MINUTES, "5"},  {IDC_LOCED_TIME_ZONE, "-5"},
                {IDC_LOCED_ELEVATION, "12"}};
            for (const auto& [id, text] : kFields) SetItemText(e, id, text);
            Click(e, IDC_LOCED_NORTH);
            Click(e, IDC_LOCED_WEST);
            Click(e, IDOK);
          }});
          Click(d, IDOK);
        },
    });
    const CalWindowState* s = MainWindowState(main);
    EXPECT_STREQ(s->cityName, "Testville");
    EXPECT_EQ(std::vector<int>({s->latitude, s->longitude, s->timeZone, s->elevation}),
              std::vector<int>({4030, -1005, -5, 12}));
    const std::string file = dir.Read("Merovan Cities.bin");
    EXPECT_TRUE(file.find("Testville") != std::string::npos && file.find("Jerusalem") == std::string::npos);
  }});
  FreeUserCities(UserCities());
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Are you sure that you want to delete the city \"Jerusalem\"?",
                                                        "A built-in location cannot be removed"}));
  EXPECT_NE(dir.Read(kSettingsFile).find("\nCityName=Testville\r\n"), std::string::npos);
}

// The anniversary file's records as "name d.m.yyyy type afterSunset;".
std::string FileRecords(const ScratchDir& dir) {
  AnniversaryList list{};
  AnniversaryListLoad(&list, dir.File(kAnniversaryFileName).c_str());
  std::string records;
  for (const AnniversaryRecord& r : list.records)
    records += std::string(r.name) + " " + std::to_string(r.date.day) + "." + std::to_string(r.date.month) + "." +
               std::to_string(r.date.year) + " " + static_cast<char>(r.type) + std::to_string(r.afterSunset) + ";";
  AnniversaryListFree(&list);
  return records;
}

std::string ClipboardText() {
  std::string text;
  OpenClipboard(nullptr);
  if (HANDLE data = GetClipboardData(CF_TEXT)) text = static_cast<const char*>(GlobalLock(data));
  CloseClipboard();
  return text;
}

// Add (a date picked on the Hebrew calendar), modify and remove go to the
// file at once; Copy puts the result list on the clipboard, or says not.
TEST(SettingsCommands, AnniversariesRoundTripThroughTheFile) {
  ScratchDir dir;
  MessageCapture messages;
  // 5 March 1990 is 8 Adar 5750 (Purim, 14 Adar, fell on 11 March), so the
  // 9th is 6 March. Purim fell on 4 March 2007 and, in the leap year 5768,
  // on 14 Adar II = 21 March 2008.
  const std::vector<std::string> dates = {"27.2.2007 (9 Adar 5767)", "16.3.2008 (9 Adar II 5768)"};
  RunProgram({[&](HWND main) {
    RunCommand(main, kCommandAnniversaries, {[&](HWND d) {
      SetItemText(d, IDC_ANNI_FROM, "2007");
      SetItemText(d, IDC_ANNI_TO, "2008");
      RunCommand(d, IDC_ANNI_ADD, {[&](HWND e) {
        SetItemText(e, IDC_EDITANNI_NAME, "Dina");
        SetItemText(e, IDC_EDITANNI_DATE, "5.3.1990");
        RunCommand(e, IDC_EDITANNI_HEBREW, {[&](HWND h) {
          ChooseComboItem(h, IDC_HDATE_DAY, 8);  // the 9th of the month it opened on
          Click(h, IDOK);
        }});
        EXPECT_EQ(ItemText(e, IDC_EDITANNI_DATE), "6.3.1990");
        Click(e, IDC_EDITANNI_BIRTHDAY);
        Click(e, IDOK);
      }});
      EXPECT_EQ(ListTexts(d, IDC_ANNI_RESULT), dates);
      EXPECT_EQ(FileRecords(dir), "Dina 6.3.1990 B0;");
      Click(d, IDC_ANNI_COPY);
      EXPECT_EQ(ClipboardText(), dates[0] + "\r\n" + dates[1] + "\r\n");
      HWND holder = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
      OpenClipboard(holder);  // held by another window
      Click(d, IDC_ANNI_COPY);
      CloseClipboard();
      DestroyWindow(holder);
      RunCommand(d, IDC_ANNI_MODIFY, {[](HWND e) {
        SetItemText(e, IDC_EDITANNI_NAME, "Dina Levi");
        Click(e, IDC_EDITANNI_AFTER_SUNSET);
        Click(e, IDOK);
      }});
      EXPECT_EQ(FileRecords(dir), "Dina Levi 6.3.1990 B1;");
      messages.Answer(0);  // No
      Click(d, IDC_ANNI_REMOVE);
      EXPECT_EQ(FileRecords(dir), "Dina Levi 6.3.1990 B1;");
      Click(d, IDC_ANNI_REMOVE);
      EXPECT_EQ(FileRecords(dir), "");
      Click(d, IDCANCEL);
    }});
  }});
  const std::string remove = "Are you really sure that you want to delete the entry \"Dina Levi\"?";
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Data was copied into the clipboard",
                                                        "The data could not be copied into the clipboard", remove,
                                                        remove}));
}

// F1 and "Help..." write "Cal.htm" to the temporary folder and open it,
// replacing a longer older copy, the file closed by then (it is written
// unshared); a failed open is reported. The shell's open reads the file.
std::vector<std::string> g_opened;  // the file's content as each open found it
DWORD g_openError = 0;              // 0: the open succeeds

int FakeOpen(HWND, const char* path) {
  g_opened.push_back(ReadFileBytes(path));
  SetLastError(g_openError);
  return g_openError == 0;
}

TEST(HelpPage, WrittenAndOpenedEachTime) {
  ScratchDir dir;
  MessageCapture messages;
  char folder[MAX_PATH + 1] = "";
  GetTempPathA(sizeof folder, folder);
  const std::string file = std::string(folder) + "Cal.htm";
  SetHelpOpenFunction(FakeOpen);
  RunProgram({
      [](HWND main) { TypeKey(main, VK_F1); },
      [&](HWND main) {
        ASSERT_EQ(g_opened.size(), 1u) << "F1 did not open the page";
        dir.Write("stale", std::string(HelpPageLength() + 100, 'x'));  // longer than the page
        CopyFileA(dir.File("stale").c_str(), file.c_str(), FALSE);
        TypeKey(main, VK_F1);
      },
      [](HWND main) {
        g_openError = ERROR_NO_ASSOCIATION;
        Choose(main, kCommandHelp);
      },
  });
  SetHelpOpenFunction(nullptr);
  EXPECT_EQ(g_opened, std::vector<std::string>(3, std::string(HelpPageText(), HelpPageLength())));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"File " + file + " could not be opened, error code 1155"});
}

}  // namespace
