// The Select Location dialog and its editor on screen: a built-in city
// modified and removed again, a refused removal, and the location command
// storing a city added past the editor's checks.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "placetime/cities.h"
#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/location_dialog.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

int CountItems(HWND dialog, const char* name) {
  std::vector<std::string> texts = ListTexts(dialog, IDC_LOC_LIST);
  return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) {
    return lstrcmpiA(t.c_str(), name) == 0;
  }));
}

// Fills the editor with a new city, 40 deg 30 min N, 10 deg 5 min W.
void TypeTestville(HWND editor) {
  SetItemText(editor, IDC_LOCED_NAME, "Testville");
  SetItemText(editor, IDC_LOCED_LAT_DEGREES, "40");
  SetItemText(editor, IDC_LOCED_LAT_MINUTES, "30");
  Click(editor, IDC_LOCED_NORTH);
  SetItemText(editor, IDC_LOCED_LON_DEGREES, "10");
  SetItemText(editor, IDC_LOCED_LON_MINUTES, "5");
  Click(editor, IDC_LOCED_WEST);
  SetItemText(editor, IDC_LOCED_TIME_ZONE, "-5");
  SetItemText(editor, IDC_LOCED_ELEVATION, "12");
}

class LocationDialog : public testing::Test {
 protected:
  void SetUp() override {
    UseProgramResources();
    FreeUserCities(UserCities());
  }
  void TearDown() override { FreeUserCities(UserCities()); }
  ScratchDir dir_;
  MessageCapture messages_;
};

TEST_F(LocationDialog, ModifyingJerusalemOverridesItUntilRemoved) {
  char name[kCityNameSize] = "Jerusalem";
  std::string opened, modified, removed;
  int shownAfterModify = 0;
  std::vector<std::string> editor;
  bool sameOrder = false;
  DialogRun run = RunDialog([&] { return SelectLocationDialog(nullptr, name); }, {
      [&](HWND d) {
        // Positions mean the same names to the list box and to the choices:
        // the box shows them in their order (a box sorting by itself would
        // place names with accents or hyphens elsewhere).
        LocationChoices choices;
        SelectLocationFill(UserCities(), name, &choices);
        sameOrder = ListTexts(d, IDC_LOC_LIST) == choices.names;
        opened = SelectedText(d, IDC_LOC_LIST) + " | " + ItemText(d, IDC_LOC_INFO);
        RunDialog([&] { Click(d, IDC_LOC_MODIFY); return 0; }, {[&](HWND e) {
          editor = {WindowText(e), ItemText(e, IDC_LOCED_NAME),
                    ItemText(e, IDC_LOCED_LAT_DEGREES), ItemText(e, IDC_LOCED_LAT_MINUTES),
                    IsChecked(e, IDC_LOCED_NORTH) ? "N" : "-",
                    ItemText(e, IDC_LOCED_LON_DEGREES), ItemText(e, IDC_LOCED_LON_MINUTES),
                    IsChecked(e, IDC_LOCED_EAST) ? "E" : "-", ItemText(e, IDC_LOCED_TIME_ZONE),
                    ItemText(e, IDC_LOCED_ELEVATION)};
          SetItemText(e, IDC_LOCED_ELEVATION, "800");
          Click(e, IDOK);
        }});
        modified = SelectedText(d, IDC_LOC_LIST) + " | " + ItemText(d, IDC_LOC_INFO);
        shownAfterModify = CountItems(d, "Jerusalem");
        EXPECT_EQ(UserCityCount(UserCities()), 1);
      },
      [&](HWND d) {
        Click(d, IDC_LOC_REMOVE);  // answered Yes
        removed = SelectedText(d, IDC_LOC_LIST) + " | " + ItemText(d, IDC_LOC_INFO);
        EXPECT_EQ(UserCityCount(UserCities()), 0);
      },
      [&](HWND d) { Click(d, IDC_LOC_REMOVE); },  // a built-in city now
      [&](HWND d) { Click(d, IDOK); },
  });
  EXPECT_EQ(run.result, 1);
  EXPECT_TRUE(sameOrder);
  EXPECT_STREQ(name, "Jerusalem");
  EXPECT_EQ(opened, "Jerusalem | Jerusalem, 31,24N, 35,00E, GMT+2, Elevation: 0 meters");
  EXPECT_EQ(editor, (std::vector<std::string>{"Modify existing location", "Jerusalem", "31", "24",
                                              "N", "35", "0", "E", "2", "0"}));
  EXPECT_EQ(modified, "Jerusalem | Jerusalem, 31,24N, 35,00E, GMT+2, Elevation: 800 meters");
  EXPECT_EQ(shownAfterModify, 1);
  EXPECT_EQ(removed, opened);
  ASSERT_EQ(messages_.shown().size(), 2u);
  EXPECT_EQ(messages_.shown()[0].text, "Are you sure that you want to delete the city \"Jerusalem\"?");
  EXPECT_EQ(messages_.shown()[0].icon, MessageIconQuestion);
  EXPECT_EQ(messages_.shown()[1].text, "A built-in location cannot be removed");
  EXPECT_EQ(messages_.shown()[1].title, "Error");
}

// The command, through the editor's checks (tested natively: here the
// focus they leave): the choice goes to the window's record and
// [Location] CityName, and a city added is in "Merovan Cities.bin" at once.
TEST_F(LocationDialog, CommandStoresTheChoice) {
  std::vector<int> focus;
  std::string title, record, iniName, file;
  RunProgram({[&](HWND main) {
    RunDialog([&] { Choose(main, kCommandSelectLocation); return 0; }, {
        [&](HWND d) {
          RunDialog([&] { Click(d, IDC_LOC_ADD); return 0; }, {
              [&](HWND e) {
                title = WindowText(e);
                Click(e, IDOK);
                focus.push_back(FocusId());
              },
              [&](HWND e) {
                SetItemText(e, IDC_LOCED_NAME, "Testville");
                SetItemText(e, IDC_LOCED_LAT_DEGREES, "40");
                SetItemText(e, IDC_LOCED_LAT_MINUTES, "30");
                Click(e, IDOK);
                focus.push_back(FocusId());
              },
              [&](HWND e) {
                TypeTestville(e);
                Click(e, IDOK);
              },
          });
          Click(d, IDOK);
        },
    });
    const CalWindowState* s = MainWindowState(main);
    record = std::string(s->cityName) + " " + std::to_string(s->locationKnown) + " " +
             std::to_string(s->latitude) + " " + std::to_string(s->longitude) + " " +
             std::to_string(s->timeZone) + " " + std::to_string(s->elevation);
    iniName = IniText("Location", "CityName", kSettingsFile);
    file = dir_.Read("Merovan Cities.bin");
  }});
  EXPECT_EQ(title, "Add new location");
  std::vector<std::string> texts;
  for (const ShownMessage& m : messages_.shown()) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"City Name must not be blank",
                                             "North or South must be selected"}));
  // The click put the focus on Save; the North/South check leaves it there.
  EXPECT_EQ(focus, (std::vector<int>{IDC_LOCED_NAME, IDOK}));
  EXPECT_EQ(record, "Testville 1 4030 -1005 -5 12");
  EXPECT_EQ(iniName, "Testville");
  EXPECT_NE(file.find("Testville"), std::string::npos);
}

}  // namespace
