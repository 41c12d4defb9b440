// The anniversary windows on screen: add, modify and remove round-trip
// through "Merovan Anniversaries.bin", the result list follows the name
// and the years, the clipboard gets the lines joined by CR LF, and the
// edit and Hebrew-date windows check their fields.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/callang.h"
#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/anniversary_dialog.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

// A record as "name d.m.yyyy type afterSunset".
std::string Describe(const AnniversaryRecord& r) {
  return std::string(r.name) + " " + std::to_string(r.date.day) + "." +
         std::to_string(r.date.month) + "." + std::to_string(r.date.year) + " " +
         static_cast<char>(r.type) + " " + std::to_string(r.afterSunset);
}

// The records of the file, described.
std::vector<std::string> FileRecords(const ScratchDir& dir) {
  AnniversaryList list{};
  AnniversaryListLoad(&list, dir.File(kAnniversaryFileName).c_str());
  std::vector<std::string> records;
  for (const AnniversaryRecord& r : list.records) records.push_back(Describe(r));
  AnniversaryListFree(&list);
  return records;
}

// The clipboard's text.
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

class AnniversaryDialogs : public testing::Test {
 protected:
  // The month names come from the definition text, as in the program.
  void SetUp() override {
    UseProgramResources();
    ASSERT_TRUE(CallangInitialize());
  }
  ScratchDir dir_;
  MessageCapture messages_;
};

TEST_F(AnniversaryDialogs, AddModifyRemoveRoundTripThroughTheFile) {
  std::vector<std::string> openedResult, addedNames, addedResult, editorOpened, modifiedNames;
  std::string clipboardText;
  std::vector<std::string> afterAdd, afterModify, afterNo, afterYes;
  RunDialog([] { AnniversariesDialog(nullptr); return 0; }, {
      [&](HWND d) {
        openedResult = ListTexts(d, IDC_ANNI_RESULT);
        SetItemText(d, IDC_ANNI_FROM, "2007");
        SetItemText(d, IDC_ANNI_TO, "2008");
        RunDialog([&] { Click(d, IDC_ANNI_ADD); return 0; }, {[&](HWND e) {
          SetItemText(e, IDC_EDITANNI_NAME, "Dina");
          SetItemText(e, IDC_EDITANNI_DATE, "5.3.1990");
          Click(e, IDC_EDITANNI_BIRTHDAY);
          Click(e, IDOK);
        }});
        addedNames = ListTexts(d, IDC_ANNI_NAMES);
        addedResult = ListTexts(d, IDC_ANNI_RESULT);
        afterAdd = FileRecords(dir_);
      },
      [&](HWND d) {
        Click(d, IDC_ANNI_COPY);
        clipboardText = ClipboardText();
      },
      [&](HWND d) {
        RunDialog([&] { Click(d, IDC_ANNI_MODIFY); return 0; }, {[&](HWND e) {
          editorOpened = {ItemText(e, IDC_EDITANNI_NAME), ItemText(e, IDC_EDITANNI_DATE),
                          IsChecked(e, IDC_EDITANNI_BIRTHDAY) ? "B" : "-"};
          SetItemText(e, IDC_EDITANNI_NAME, "Dina Levi");
          Click(e, IDC_EDITANNI_AFTER_SUNSET);
          Click(e, IDOK);
        }});
        modifiedNames = ListTexts(d, IDC_ANNI_NAMES);
        afterModify = FileRecords(dir_);
      },
      [&](HWND d) {
        messages_.Answer(0);  // No
        Click(d, IDC_ANNI_REMOVE);
        afterNo = FileRecords(dir_);
        Click(d, IDC_ANNI_REMOVE);  // Yes
        afterYes = FileRecords(dir_);
        Click(d, IDC_ANNI_MODIFY);  // nothing left to select
        Click(d, IDCANCEL);
      },
  });
  EXPECT_EQ(openedResult, (std::vector<std::string>{"A list entry must be selected"}));
  EXPECT_EQ(addedNames, (std::vector<std::string>{"Dina"}));
  // 5 March 1990 is 8 Adar 5750; 5768 is a leap year, so Adar II.
  const std::vector<std::string> dates = {"26.2.2007 (8 Adar 5767)", "15.3.2008 (8 Adar II 5768)"};
  EXPECT_EQ(addedResult, dates);
  EXPECT_EQ(afterAdd, (std::vector<std::string>{"Dina 5.3.1990 B 0"}));
  EXPECT_EQ(clipboardText, dates[0] + "\r\n" + dates[1] + "\r\n");
  EXPECT_EQ(editorOpened, (std::vector<std::string>{"Dina", "5.3.1990", "B"}));
  EXPECT_EQ(modifiedNames, (std::vector<std::string>{"Dina Levi"}));
  EXPECT_EQ(afterModify, (std::vector<std::string>{"Dina Levi 5.3.1990 B 1"}));
  EXPECT_EQ(afterNo, afterModify);
  EXPECT_TRUE(afterYes.empty());
  ASSERT_EQ(messages_.shown().size(), 4u);
  EXPECT_EQ(messages_.shown()[0].text, "Data was copied into the clipboard");
  EXPECT_EQ(messages_.shown()[0].title, "Information");
  EXPECT_EQ(messages_.shown()[1].text,
            "Are you really sure that you want to delete the entry \"Dina Levi\"?");
  EXPECT_EQ(messages_.shown()[1].icon, MessageIconQuestion);
  EXPECT_EQ(messages_.shown()[2].text, messages_.shown()[1].text);
  EXPECT_EQ(messages_.shown()[3].text, "A list entry has to be selected");
}

// A check of the edit window (tested natively) with its focus, and a date
// picked on the Hebrew calendar: 5 March 1990 is 8 Adar 5750 (a common
// year), the 9th is 6 March.
TEST_F(AnniversaryDialogs, EditChecksAndHebrewDate) {
  AnniversaryRecord record{};
  int focus = 0;
  std::vector<std::string> hebrewOpened;
  std::string picked;
  DialogRun run = RunDialog([&] { return EditAnniversaryDialog(nullptr, &record); }, {
      [&](HWND e) {
        SetItemText(e, IDC_EDITANNI_NAME, "Rafael");
        SetItemText(e, IDC_EDITANNI_DATE, "31.2.2000");
        Click(e, IDOK);
        focus = FocusId();
      },
      [&](HWND e) {
        SetItemText(e, IDC_EDITANNI_DATE, "5.3.1990");
        RunDialog([&] { Click(e, IDC_EDITANNI_HEBREW); return 0; }, {[&](HWND h) {
          std::vector<std::string> months = ListTexts(h, IDC_HDATE_MONTH, true);
          hebrewOpened = {ItemText(h, IDC_HDATE_YEAR),
                          months.size() == 12 ? months[ComboItem(h, IDC_HDATE_MONTH)] : "?",
                          std::to_string(ComboItem(h, IDC_HDATE_DAY) + 1)};
          ChooseComboItem(h, IDC_HDATE_DAY, 8);
          Click(h, IDOK);
        }});
        picked = ItemText(e, IDC_EDITANNI_DATE);
        Click(e, IDC_EDITANNI_YAHRZEIT);
        Click(e, IDOK);
      },
  });
  EXPECT_EQ(run.result, 1);
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].text, "Day is invalid");
  EXPECT_EQ(focus, IDC_EDITANNI_DATE);
  EXPECT_EQ(hebrewOpened, (std::vector<std::string>{"5750", "Adar", "8"}));
  EXPECT_EQ(picked, "6.3.1990");
  EXPECT_EQ(Describe(record), "Rafael 6.3.1990 Y 0");
}

}  // namespace
