// The windows the menus open, on screen (their rules are tested natively):
// each opens from its menu item and Cancel writes nothing, a refused OK
// puts the focus on its control, and OK stores what the window took where
// the program reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/caldate.h"
#include "placetime/cities.h"
#include "placetime/daylight.h"
#include "placetime/shabbat.h"
#include "readings/reading_texts.h"
#include "resources/export_ids.h"
#include "resources/resource_ids.h"
#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/anniversary_dialog.h"
#include "shell/daylight_dialog.h"
#include "shell/export_rules.h"
#include "shell/import_dialogs.h"
#include "shell/location_dialog.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/range_dialog.h"
#include "shell/shabbat_dialog.h"
#include "shell/zmanim_dialog.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// Each menu item opens its window owned by the main window; Cancel writes
// no settings and leaves the main window enabled.
TEST(MenuCommands, EachOpensItsWindowAndCancelWritesNothing) {
  struct Row {
    int popup, item;  // 0 Calendar, 1 Settings, 2 Help; separators counted
    const char* title;
  };
  constexpr Row kRows[] = {
      {0, 0, "Select Range"},          {0, 1, "Import"},
      {0, 2, "Select Range"},          {1, 0, "Select Location"},
      {1, 1, "Daylight Savings Time"}, {1, 2, "Shabbat Time Preferences"},
      {1, 3, "Configure Zmanim"},      {1, 4, "Date/Time Format"},
      {1, 5, "Readings and Holidays"}, {1, 7, "Anniversaries"},
      {2, 1, "About this program"},
  };
  ScratchDir dir;
  MessageCapture messages;
  auto files = [&] {
    return dir.Read(kSettingsFile) + "|" + dir.Read(kDaylightFile) + "|" + dir.Read(kReadingSettingsFile);
  };
  RunProgram({[&](HWND main) {
    for (const Row& row : kRows) {
      const std::string before = files();
      const UINT command = GetMenuItemID(GetSubMenu(GetMenu(main), row.popup), row.item);
      std::string title;
      HWND owner = nullptr;
      DialogRun dialog = RunCommand(main, static_cast<int>(command), {[&](HWND d) {
                                      title = WindowText(d);
                                      owner = GetWindow(d, GW_OWNER);
                                      Click(d, IDCANCEL);
                                    }});
      EXPECT_FALSE(dialog.leftOpen) << row.title;
      EXPECT_EQ(title, row.title);
      EXPECT_EQ(owner, main) << row.title;
      EXPECT_TRUE(IsWindowEnabled(main)) << row.title;
      EXPECT_EQ(files(), before) << row.title;
    }
  }});
  EXPECT_TRUE(messages.shown().empty());
}

// A refused OK shows its check's message, keeps the window open and puts
// the focus on the control to mend.
TEST(RefusedOk, FocusGoesToTheControl) {
  UseProgramResources();
  struct Row {
    const char* name;
    const char* ini;
    int (*open)();
    void (*change)(HWND);
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {"range start", "",
       [] { static RangeBlock b; ExportCommandOpen({1, 1, 2007}, &b); return RangeDialog(nullptr, &b); },
       [](HWND d) { SetItemText(d, IDC_RANGE_START, "31.2.2007"); }, "Start date is invalid", IDC_RANGE_START},
      {"range target", "[OutlookExport]\r\nExportType=7\r\n",
       [] { static RangeBlock b; ExportCommandOpen({1, 1, 2007}, &b); return RangeDialog(nullptr, &b); },
       [](HWND) {}, kNoTargetMessage, IDC_RANGE_OUTLOOK},
      {"anniversary import", "",
       [] {
         static AnniversaryImportBlock b;
         AnniversaryImportOpen(2026, &b);
         return AnniversaryImportDialog(nullptr, &b);
       },
       [](HWND) {}, "At least one entry has to be selected in the list", IDC_BIRTH_LIST},
      {"daylight saving", "", [] { return DaylightSavingDialog(nullptr); },
       [](HWND d) {
         Click(d, IDC_DST_ENABLE);
         Click(d, IDC_DST_START_METHOD1);
       },
       "Start week no has to be selected", IDC_DST_START_FIRSTLAST},
      {"Shabbat times", "",
       [] {
         static ShabbatSettings s;
         ReadShabbatSettings(&s);
         return ShabbatTimesDialog(nullptr, &s);
       },
       [](HWND d) {
         Click(d, IDC_SHABBAT_BY_DEGREES);
         SetItemText(d, IDC_SHABBAT_DEGREES, "0");
       },
       "Degrees for End of Shabbat must be a floating-point number", IDC_SHABBAT_DEGREES},
      {"zmanim", "", [] { return ConfigureZmanimDialog(nullptr); },
       [](HWND d) { ChooseComboItem(d, IDC_ZMANIM_LIST0 + 3, -1); }, "An entry has to be selected",
       IDC_ZMANIM_LIST0 + 3},
      {"anniversary", "",
       [] {
         static AnniversaryRecord r;
         r = {};
         return EditAnniversaryDialog(nullptr, &r);
       },
       [](HWND d) {
         SetItemText(d, IDC_EDITANNI_NAME, "Rafael");
         SetItemText(d, IDC_EDITANNI_DATE, "31.2.2000");
       },
       "Day is invalid", IDC_EDITANNI_DATE},
      {"location", "",
       [] {
         static LocationEditBlock b;
         b = {};
         b.isNew = 1;
         return EditLocationDialog(nullptr, &b);
       },
       [](HWND) {}, "City Name must not be blank", IDC_LOCED_NAME},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    MessageCapture messages;
    dir.Write(kSettingsFile, row.ini);
    int focus = 0;
    DialogRun run = RunDialog(row.open, {[&](HWND d) {
                                           row.change(d);
                                           Click(d, IDOK);
                                         },
                                         [&](HWND d) {
                                           focus = FocusId();
                                           Click(d, IDCANCEL);
                                         }});
    EXPECT_EQ(run.stepsRun, 2) << row.name << ": OK closed the window";
    EXPECT_EQ(run.result, 0) << row.name;
    EXPECT_EQ(messages.texts(), std::vector<std::string>{row.message}) << row.name;
    EXPECT_EQ(focus, row.control) << row.name;
  }
}

// The end of Shabbat of Saturday 7 July 2007 in the main window's record,
// in minutes after midnight.
int SummerHavdalah(const CalWindowState* state) {
  const CalDate saturday{7, 7, 2007};
  char text[256] = "";
  ShabbatTimeOfDay(state, AbsoluteFromGregorian(&saturday), text, 0);
  const std::string clock(text);
  const size_t colon = clock.find(':');
  return colon == std::string::npos ? -1 : std::stoi(clock.substr(0, colon)) * 60 + std::stoi(clock.substr(colon + 1, 2));
}

// Enabling the default rule (last Sunday of March to last Sunday of
// October) moves a July Saturday's time one hour on at once: the sunset
// cached before is not used again.
TEST(SettingsCommands, DaylightSavingTakesEffectAtOnce) {
  ScratchDir dir;
  MessageCapture messages;
  dir.Write(kSettingsFile, "[Location]\r\nCityName=Jerusalem\r\n");
  int before = 0, after = 0;
  RunProgram({[&](HWND main) {
    before = SummerHavdalah(MainWindowState(main));  // computed and cached
    RunCommand(main, kCommandDaylightSaving, {[](HWND d) {
      Click(d, IDC_DST_ENABLE);
      Click(d, IDOK);
    }});
    after = SummerHavdalah(MainWindowState(main));
  }});
  ASSERT_GT(before, 0);
  EXPECT_EQ(after, before + 60);
  EXPECT_EQ(IniText("DaylightSaving", "IsAvail", kDaylightFile), "1");
  EXPECT_TRUE(messages.shown().empty());
}

// OK stores through the command: the main window's record and the keys the
// program reads.
TEST(SettingsCommands, OkStoresInTheRecordAndTheSettings) {
  struct Key {
    const char* section;
    const char* key;
    const char* file;
  };
  struct Row {
    const char* name;
    const char* ini;
    int command;
    void (*fill)(HWND);
    std::string (*record)(const CalWindowState*);  // nullptr: none
    const char* recordExpected;
    std::vector<Key> keys;
    const char* keysExpected;  // their values, each followed by a space
  };
  const Row kRows[] = {
      {"Shabbat times", "", kCommandShabbatTime,
       [](HWND d) {
         SetItemText(d, IDC_SHABBAT_CANDLE, "20");
         Click(d, IDC_SHABBAT_BY_DEGREES);
         SetItemText(d, IDC_SHABBAT_DEGREES, "7.5");
       },
       [](const CalWindowState* s) {
         ShabbatSettings stored{};
         ShabbatSettingsFromState(s, &stored);
         return std::to_string(stored.candleLightingMinutes) + " " + std::to_string(stored.havdalahByMinutes) +
                " " + std::to_string(stored.havdalahDegrees);
       },
       "20 0 7.500000",
       {{kShabbatSection, "CandleLighting", kSettingsFile},
        {kShabbatSection, "Havdalah", kSettingsFile},
        {kShabbatSection, "HavdalahMin", kSettingsFile},
        {kShabbatSection, "HavdalahDegrees", kSettingsFile}},
       "20 45 0 7.50 "},
      {"readings", "", kCommandReadings, [](HWND d) { Click(d, IDC_READINGS_ISRAEL); },
       [](const CalWindowState* s) { return std::to_string(s->diaspora); }, "0",
       {{"Parasha", "DiasporaFlag", kReadingSettingsFile}}, "0 "},
      {"date/time format", "[Settings]\r\nDateFormat=1\r\nTimeFormat=1\r\n", kCommandDateTimeFormat,
       [](HWND d) {
         EXPECT_TRUE(IsChecked(d, IDC_DATE_MONTH_FIRST) && IsChecked(d, IDC_TIME_12_HOUR));
         Click(d, IDC_DATE_DAY_FIRST);
         Click(d, IDC_TIME_24_HOUR);
       },
       nullptr, "", {{"Settings", "DateFormat", kSettingsFile}, {"Settings", "TimeFormat", kSettingsFile}},
       "0 0 "},
      {"zmanim", "[Zmanim]\r\nAlot Hashachar=AlotHashachar90\r\n", kCommandConfigureZmanim,
       [](HWND d) {
         EXPECT_EQ(ComboItem(d, IDC_ZMANIM_LIST0), 1);  // the stored method
         ChooseComboItem(d, IDC_ZMANIM_LIST0 + 8, 2);   // "6.5° below horizon"
         RunCommand(d, IDC_ZMANIM_CHAMETZ_BUTTON, {[](HWND c) {
           ChooseComboItem(c, IDC_ZMANIM_CHAMETZ_LIST, 1);  // "Magen Avraham"
           Click(c, IDOK);
         }});
       },
       nullptr, "",
       {{"Zmanim", "Alot Hashachar", kSettingsFile},
        {"Zmanim", "Tzait Hakochavim", kSettingsFile},
        {"ErevPesach", "Method", kSettingsFile}},
       "AlotHashachar90 Deg65 2 "},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    MessageCapture messages;
    dir.Write(kSettingsFile, row.ini);
    std::string record;
    RunProgram({[&](HWND main) {
      DialogRun run = RunCommand(main, row.command, {[&](HWND d) {
                                   row.fill(d);
                                   Click(d, IDOK);
                                 }});
      EXPECT_EQ(run.stepsRun, 1) << row.name;
      if (row.record) record = row.record(MainWindowState(main));
    }});
    std::string keys;
    for (const Key& key : row.keys) keys += IniText(key.section, key.key, key.file) + " ";
    EXPECT_EQ(keys, row.keysExpected) << row.name;
    EXPECT_EQ(record, row.recordExpected) << row.name;
    EXPECT_TRUE(messages.shown().empty()) << row.name;
  }
}

// A custom that cannot be written is reported, not taken for saved.
TEST(SettingsCommands, FailedReadingsWriteIsReported) {
  ScratchDir dir;
  MessageCapture messages;
  std::filesystem::create_directory(dir.path() / kReadingSettingsFile);  // not writable as a file
  RunProgram({[&](HWND main) {
    RunCommand(main, kCommandReadings, {[](HWND d) {
      Click(d, IDC_READINGS_ISRAEL);
      Click(d, IDOK);
    }});
  }});
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].text.find(kReadingSettingsFile), std::string::npos) << messages.shown()[0].text;
}

// Select Location through its command: Jerusalem modified is a user city
// that hides the built-in one until removed; a built-in city cannot be
// removed; a city added is chosen, in the window's record and settings,
// and in "Merovan Cities.bin" at once.
TEST(SettingsCommands, LocationStoresTheChoiceAndTheCities) {
  ScratchDir dir;
  MessageCapture messages;
  FreeUserCities(UserCities());
  dir.Write(kSettingsFile, "[Location]\r\nCityName=Jerusalem\r\n");
  std::vector<std::string> info;
  bool sameOrder = false;
  int jerusalems = 0;
  std::string record, file;
  RunProgram({[&](HWND main) {
    RunCommand(main, kCommandSelectLocation, {
        [&](HWND d) {
          // Positions mean the same names to the list box and to the
          // choices: a box sorting by itself would place names with
          // accents or hyphens elsewhere.
          LocationChoices choices;
          SelectLocationFill(UserCities(), "Jerusalem", &choices);
          sameOrder = ListTexts(d, IDC_LOC_LIST) == choices.names;
          info.push_back(ItemText(d, IDC_LOC_INFO));
          RunCommand(d, IDC_LOC_MODIFY, {[](HWND e) {
            SetItemText(e, IDC_LOCED_ELEVATION, "800");
            Click(e, IDOK);
          }});
          info.push_back(ItemText(d, IDC_LOC_INFO));
          for (const std::string& name : ListTexts(d, IDC_LOC_LIST)) jerusalems += name == "Jerusalem";
        },
        [&](HWND d) {
          Click(d, IDC_LOC_REMOVE);  // answered Yes
          info.push_back(ItemText(d, IDC_LOC_INFO));
          Click(d, IDC_LOC_REMOVE);  // a built-in city now
        },
        [&](HWND d) {
          RunCommand(d, IDC_LOC_ADD, {[](HWND e) {
            SetItemText(e, IDC_LOCED_NAME, "Testville");
            SetItemText(e, IDC_LOCED_LAT_DEGREES, "40");
            SetItemText(e, IDC_LOCED_LAT_MINUTES, "30");
            Click(e, IDC_LOCED_NORTH);
            SetItemText(e, IDC_LOCED_LON_DEGREES, "10");
            SetItemText(e, IDC_LOCED_LON_MINUTES, "5");
            Click(e, IDC_LOCED_WEST);
            SetItemText(e, IDC_LOCED_TIME_ZONE, "-5");
            SetItemText(e, IDC_LOCED_ELEVATION, "12");
            Click(e, IDOK);
          }});
          Click(d, IDOK);
        },
    });
    const CalWindowState* s = MainWindowState(main);
    record = std::string(s->cityName) + " " + std::to_string(s->locationKnown) + " " + std::to_string(s->latitude) +
             " " + std::to_string(s->longitude) + " " + std::to_string(s->timeZone) + " " + std::to_string(s->elevation);
    file = dir.Read("Merovan Cities.bin");
  }});
  FreeUserCities(UserCities());
  EXPECT_TRUE(sameOrder);
  const std::string jerusalem = "Jerusalem, 31,24N, 35,00E, GMT+2, Elevation: ";
  EXPECT_EQ(info, (std::vector<std::string>{jerusalem + "0 meters", jerusalem + "800 meters", jerusalem + "0 meters"}));
  EXPECT_EQ(jerusalems, 1);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Are you sure that you want to delete the city \"Jerusalem\"?",
                                                        "A built-in location cannot be removed"}));
  EXPECT_EQ(record, "Testville 1 4030 -1005 -5 12");
  EXPECT_EQ(IniText("Location", "CityName", kSettingsFile), "Testville");
  EXPECT_NE(file.find("Testville"), std::string::npos);
  EXPECT_EQ(file.find("Jerusalem"), std::string::npos);
}

// The anniversary records in the file, as "name d.m.yyyy type afterSunset".
std::vector<std::string> FileRecords(const ScratchDir& dir) {
  AnniversaryList list{};
  AnniversaryListLoad(&list, dir.File(kAnniversaryFileName).c_str());
  std::vector<std::string> records;
  for (const AnniversaryRecord& r : list.records)
    records.push_back(std::string(r.name) + " " + std::to_string(r.date.day) + "." + std::to_string(r.date.month) +
                      "." + std::to_string(r.date.year) + " " + static_cast<char>(r.type) + " " +
                      std::to_string(r.afterSunset));
  AnniversaryListFree(&list);
  return records;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(no clipboard)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const void* p = GlobalLock(data)) text = static_cast<const char*>(p);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Add (with a date picked on the Hebrew calendar), modify and remove go
// to "Merovan Anniversaries.bin" at once; the result list follows the
// entry and the years; Copy puts it on the clipboard, or says it could not.
TEST(SettingsCommands, AnniversariesRoundTripThroughTheFile) {
  ScratchDir dir;
  MessageCapture messages;
  std::vector<std::string> hebrewOpened, result, afterAdd, afterModify, afterNo, afterYes;
  std::string picked, clipboard;
  RunProgram({[&](HWND main) {
    RunCommand(main, kCommandAnniversaries, {
        [&](HWND d) {
          SetItemText(d, IDC_ANNI_FROM, "2007");
          SetItemText(d, IDC_ANNI_TO, "2008");
          RunCommand(d, IDC_ANNI_ADD, {[&](HWND e) {
            SetItemText(e, IDC_EDITANNI_NAME, "Dina");
            SetItemText(e, IDC_EDITANNI_DATE, "5.3.1990");
            RunCommand(e, IDC_EDITANNI_HEBREW, {[&](HWND h) {
              hebrewOpened = {ItemText(h, IDC_HDATE_YEAR), ListTexts(h, IDC_HDATE_MONTH, true)[ComboItem(h, IDC_HDATE_MONTH)],
                              std::to_string(ComboItem(h, IDC_HDATE_DAY) + 1)};
              ChooseComboItem(h, IDC_HDATE_DAY, 8);
              Click(h, IDOK);
            }});
            picked = ItemText(e, IDC_EDITANNI_DATE);
            Click(e, IDC_EDITANNI_BIRTHDAY);
            Click(e, IDOK);
          }});
          result = ListTexts(d, IDC_ANNI_RESULT);
          afterAdd = FileRecords(dir);
        },
        [&](HWND d) {
          Click(d, IDC_ANNI_COPY);
          clipboard = ClipboardText();
          HWND holder = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
          OpenClipboard(holder);  // the clipboard held by another window
          Click(d, IDC_ANNI_COPY);
          CloseClipboard();
          DestroyWindow(holder);
        },
        [&](HWND d) {
          RunCommand(d, IDC_ANNI_MODIFY, {[](HWND e) {
            SetItemText(e, IDC_EDITANNI_NAME, "Dina Levi");
            Click(e, IDC_EDITANNI_AFTER_SUNSET);
            Click(e, IDOK);
          }});
          afterModify = FileRecords(dir);
          messages.Answer(0);  // No
          Click(d, IDC_ANNI_REMOVE);
          afterNo = FileRecords(dir);
          Click(d, IDC_ANNI_REMOVE);  // Yes
          afterYes = FileRecords(dir);
          Click(d, IDCANCEL);
        },
    });
  }});
  // 5 March 1990 is 8 Adar 5750 (Purim, 14 Adar, fell on 11 March), so the
  // 9th is 6 March. Purim fell on 4 March 2007 and, in the leap year 5768,
  // on 14 Adar II = 21 March 2008.
  EXPECT_EQ(hebrewOpened, (std::vector<std::string>{"5750", "Adar", "8"}));
  EXPECT_EQ(picked, "6.3.1990");
  const std::vector<std::string> dates = {"27.2.2007 (9 Adar 5767)", "16.3.2008 (9 Adar II 5768)"};
  EXPECT_EQ(result, dates);
  EXPECT_EQ(afterAdd, (std::vector<std::string>{"Dina 6.3.1990 B 0"}));
  EXPECT_EQ(clipboard, dates[0] + "\r\n" + dates[1] + "\r\n");
  EXPECT_EQ(afterModify, (std::vector<std::string>{"Dina Levi 6.3.1990 B 1"}));
  EXPECT_EQ(afterNo, afterModify);
  EXPECT_TRUE(afterYes.empty());
  const std::string remove = "Are you really sure that you want to delete the entry \"Dina Levi\"?";
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Data was copied into the clipboard",
                                                        "The data could not be copied into the clipboard", remove,
                                                        remove}));
}

}  // namespace
