// The whole program driven as a user would: by keyboard through its menus
// and dialogs, in the program's own message loop, on a scratch settings and
// documents folder; then the files it wrote are read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "resources/export_ids.h"
#include "resources/settings_ids.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

// A menu item by keyboard: Alt and the popup's letter, Down to the item
// (Down skips separators), Enter.
Step ChooseByKeyboard(int popupLetter, int itemIndex) {
  return [popupLetter, itemIndex](HWND main) {
    if (GetForegroundWindow() != main) SetForegroundWindow(main);
    SetFocus(main);
    TypeChord(VK_MENU, popupLetter);
    for (int i = 0; i < itemIndex; ++i) TypeKeys({VK_DOWN});
    TypeKeys({VK_RETURN});
  };
}

// Runs `act` on the dialog titled `title` once it is open and has the
// keyboard (a dialog a closed one left in the background is brought to
// the front).
Step OnDialog(const char* title, std::function<void(HWND)> act) {
  return [title, act](HWND) {
    HWND dialog = FindDialog(title);
    if (dialog && GetForegroundWindow() != dialog) SetForegroundWindow(dialog);
    if (!dialog || GetForegroundWindow() != dialog) return RetryStep();
    act(dialog);
  };
}

// Waits until no dialog titled `title` is open.
Step UntilClosed(const char* title) {
  return [title](HWND) {
    if (FindWindowA("#32770", title)) RetryStep();
  };
}

// Waits for the program to end by itself.
Step UntilProgramEnds() {
  return [](HWND main) {
    if (IsWindow(main)) RetryStep();
  };
}

// Presses Tab in the dialog titled `title` until one of `ids` has the focus.
Step TabTo(const char* title, std::vector<int> ids) {
  return [title, ids](HWND) {
    HWND dialog = FindDialog(title);
    if (!dialog) return RetryStep();
    int focus = GetDlgCtrlID(GetFocus());
    if (std::find(ids.begin(), ids.end(), focus) != ids.end()) return;
    TypeKeys({VK_TAB});
    RetryStep();
  };
}

// The text of the focused edit field replaced by typing.
void TypeOver(const std::string& text) {
  TypeKeys({VK_HOME});
  TypeChord(VK_SHIFT, VK_END);
  TypeText(text);
}

// The system's Save As dialog: the file name typed, Enter.
Step SaveAs(std::string path) {
  return OnDialog("Save As", [path](HWND) {
    TypeOver(path);
    TypeKeys({VK_RETURN});
  });
}

// Waits until `count` messages have been shown (an export reports its end).
Step UntilShown(const MessageCapture& messages, size_t count) {
  return [&messages, count](HWND) {
    if (messages.shown().size() < count) RetryStep();
  };
}

// The iCalendar text with its folded lines joined again.
std::string Unfolded(std::string text) {
  for (size_t at; (at = text.find("\r\n ")) != std::string::npos;) text.erase(at, 3);
  return text;
}

// The event of the day `date` (YYYYMMDD), or "".
std::string EventOf(const std::string& ics, const std::string& date) {
  size_t at = ics.find("DTSTART;VALUE=DATE:" + date);
  if (at == std::string::npos) return "";
  return ics.substr(at, ics.find("END:VEVENT", at) - at);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Settings menu: 0 Select Location, 1 Daylight Savings Time, 2 Shabbat
// Time, 3 Configure Zmanim, 4 Date/Time Format, 5 Readings/Holidays,
// 6 Anniversaries. Calendar menu: 0 export, 1 anniversary export, 2
// holiday export, 3 Exit.
TEST(EndToEnd, KeyboardRunThroughTheMenus) {
  ScratchDir dir;
  MessageCapture messages;
  const std::string month = dir.File("march.ics");
  const std::string birthdays = dir.File("birthdays.ics");
  ProgramRun run = RunProgram({
      // Jerusalem, found by typing its initial until the list shows it.
      ChooseByKeyboard('S', 0),
      OnDialog("Select Location",
               [](HWND d) {
                 if (SelectedText(d, IDC_LOC_LIST) == "Jerusalem") return TypeKeys({VK_RETURN});
                 TypeText("J");
                 RetryStep();
               }),
      UntilClosed("Select Location"),
      // Daylight saving on, with its default rule (last Sunday of March
      // to last Sunday of October).
      ChooseByKeyboard('S', 1),
      OnDialog("Daylight Savings Time", [](HWND) { TypeChord(VK_MENU, 'E'); }),
      OnDialog("Daylight Savings Time", [](HWND) { TypeKeys({VK_RETURN}); }),
      UntilClosed("Daylight Savings Time"),
      // March 2026 into an iCalendar file.
      ChooseByKeyboard('C', 0),
      OnDialog("Select Range",
               [](HWND) {
                 TypeOver("1.3.2026");
                 TypeKeys({VK_TAB});
                 TypeOver("31.3.2026");
               }),
      TabTo("Select Range", {IDC_RANGE_OUTLOOK, IDC_RANGE_ICS}),
      OnDialog("Select Range",
               [](HWND d) {
                 if (!IsChecked(d, IDC_RANGE_ICS)) TypeKeys({VK_DOWN});
               }),
      OnDialog("Select Range",
               [](HWND d) {
                 EXPECT_TRUE(IsChecked(d, IDC_RANGE_ICS));
                 TypeKeys({VK_RETURN});
               }),
      SaveAs(month),
      UntilShown(messages, 1),
      // A birthday added in the anniversary list.
      ChooseByKeyboard('S', 6),
      OnDialog("Anniversaries", [](HWND) { TypeChord(VK_MENU, 'A'); }),
      OnDialog("Edit Anniversary",
               [](HWND) {
                 TypeText("Dina");
                 TypeKeys({VK_TAB});
                 TypeOver("5.3.1990");
                 TypeChord(VK_MENU, 'B');
                 TypeKeys({VK_RETURN});
               }),
      UntilClosed("Edit Anniversary"),
      OnDialog("Anniversaries", [](HWND) { TypeKeys({VK_ESCAPE}); }),
      UntilClosed("Anniversaries"),
      // Its dates of 2026 into another iCalendar file.
      ChooseByKeyboard('C', 1),
      TabTo("Import", {IDC_BIRTH_LIST}),
      OnDialog("Import", [](HWND) { TypeKeys({VK_SPACE}); }),  // the first entry
      OnDialog("Import",
               [](HWND d) {
                 EXPECT_EQ(SendDlgItemMessageA(d, IDC_BIRTH_LIST, LB_GETSELCOUNT, 0, 0), 1);
                 TypeKeys({VK_TAB});
                 TypeOver("2026");
                 TypeKeys({VK_TAB});
                 TypeOver("2026");
               }),
      TabTo("Import", {IDC_BIRTH_OUTLOOK, IDC_BIRTH_TEXT, IDC_BIRTH_ICS}),
      OnDialog("Import",
               [](HWND d) {
                 if (!IsChecked(d, IDC_BIRTH_ICS)) {
                   TypeKeys({VK_DOWN});
                   RetryStep();
                 }
               }),
      OnDialog("Import", [](HWND) { TypeKeys({VK_RETURN}); }),
      SaveAs(birthdays),
      UntilShown(messages, 2),
      ChooseByKeyboard('C', 3),  // Exit
      UntilProgramEnds(),
  });
  EXPECT_FALSE(run.closedByHarness) << "stopped after step " << run.stepsRun;
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(messages.shown()[0].text, "Creation of ICS file was successful");
  EXPECT_EQ(messages.shown()[1].text, "Creation of ICS file was successful");

  EXPECT_EQ(IniText("Location", "CityName", "exportcal.ini"), "Jerusalem");
  EXPECT_EQ(IniText("DaylightSaving", "IsAvail", "daylight.ini"), "1");
  EXPECT_NE(dir.Read("Merovan Anniversaries.bin").find("Dina"), std::string::npos);

  // One entry for each day of March. Purim (14 Adar 5786) fell on Tuesday
  // 3 March 2026. Jerusalem's sunset at the end of March is just before
  // 18:00 standard time, so an hour later once the clocks have gone
  // forward on Sunday 29 March.
  const std::string ics = Unfolded(dir.Read("march.ics"));
  EXPECT_EQ(Count(ics, "BEGIN:VEVENT"), 31u);
  EXPECT_NE(EventOf(ics, "20260301"), "");
  EXPECT_NE(EventOf(ics, "20260331"), "");
  EXPECT_NE(EventOf(ics, "20260303").find("Purim"), std::string::npos);
  EXPECT_NE(EventOf(ics, "20260328").find("Shkiat Hachama: 17:"), std::string::npos);
  EXPECT_NE(EventOf(ics, "20260329").find("Shkiat Hachama: 18:"), std::string::npos);

  // Dina, born on 5 March 1990 (8 Adar 5750, six days before that year's
  // Purim on 11 March), has her 2026 birthday on 8 Adar 5786: six days
  // before Purim, 25 February 2026.
  const std::string born = Unfolded(dir.Read("birthdays.ics"));
  EXPECT_EQ(Count(born, "BEGIN:VEVENT"), 1u);
  EXPECT_NE(EventOf(born, "20260225").find("Dina"), std::string::npos) << born;
}

}  // namespace
