// The anniversary dialogs' decisions (their wiring is tested under Wine):
// the result list and its messages, the edit checks in their order with
// the focused control, and the Hebrew-date dialog's lists, clamping and
// checks. Dates are hand-worked (Purim 14 Adar: 4 Mar 2007, 21 Mar 2008 as
// 14 Adar II, 10 Mar 2009).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_forms.h"
#include "calendar/anniversary_make.h"
#include "calendar/callang.h"
#include "platform/clock.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

constexpr char kMonthFirst[] = "[Settings]\r\nDateFormat=1\r\n";

class AnniversaryForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(CallangInitialize(), 0); }
  ScratchDir dir_;
  const std::string path_ = dir_.File(kAnniversaryFileName);
};

TEST_F(AnniversaryForms, ResultLinesAndMessages) {
  AnniversaryList list{};
  for (const AnniversaryRecord& r : {Make("Miriam", {5, 3, 1990}, 0, 'B'),  // 8 Adar 5750
                                     Make("Aaron", {5, 3, 1990}, 1, 'Y'),   // 9 Adar 5750
                                     Make("Odd", {5, 3, 1990}, 0, 'Z')})
    AnniversaryListPut(&list, &r);
  ASSERT_EQ(AnniversaryListSave(&list, path_.c_str()), 1);
  const struct {
    const char* from;
    const char* to;
    int selected;
    std::vector<std::string> lines;  // one line alone: a message
  } rows[] = {
      {"2008", "2007", 1, {"26.2.2007 (8 Adar 5767)", "15.3.2008 (8 Adar II 5768)"}},
      // The Gregorian day of the Hebrew date, not the evening before.
      {"2007", "2008", 2, {"27.2.2007 (9 Adar 5767)", "15.2.2008 (9 Adar I 5768)"}},
      {"1583", "1583", 4, {"Anniversary was not found"}},  // the years passed
      {"20x7", "2008", 1, {"Year in \"from\" is invalid"}},
      {"1582", "2008", 1, {"Year in \"from\" must be in range 1583-3000"}},
      {"2007", "3001", 1, {"Year in \"to\" must be in range 1583-3000"}},
      {"2007", "2008", 3, {"Invalid anniversary type"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.from) + "-" + row.to);
    std::vector<std::string> lines = {"stale"};
    EXPECT_EQ(AnniversaryResultLines(row.from, row.to, row.selected, path_.c_str(), &lines),
              row.lines.size() > 1 ? 1 : 0);
    EXPECT_EQ(lines, row.lines);
  }
  char small[20];
  std::memset(small, 'x', sizeof small);
  AnniversaryRemoveQuestion("Miriam", small, 10);
  EXPECT_EQ(std::string(small, 11), std::string("Are you r\0x", 11));
}

TEST_F(AnniversaryForms, EditChecksInOrder) {
  constexpr struct {
    const char* ini;
    const char* name;
    const char* date;
    int type;
    const char* result;  // the message, or the date accepted
    int control;
  } rows[] = {
      {"", "", "5.3.1990", 'B', "Name must not be blank", kAnniControlName},
      {"", "Miriam", "", 'B', "Date must not be blank", kAnniControlDate},
      {"", "Miriam", "5.3.1990x", 'B', "Date is invalid", kAnniControlDate},
      {"", "Miriam", "5.3.1582", 'B', "Year is invalid", kAnniControlDate},
      {"", "Miriam", "5.13.3001", 'B', "Year is invalid", kAnniControlDate},
      {"", "Miriam", "5.13.1990", 'B', "Month is invalid", kAnniControlDate},
      {"", "Miriam", "29.2.1990", 'B', "Day is invalid", kAnniControlDate},
      {"", "Miriam", "5.3.1990", 0, "A radio button has to be selected", kAnniControlTypeAnniversary},
      {"", "Miriam", " 29.2.2008 ", 'Y', "29.2.2008", kAnniControlNone},
      {"", "Miriam", "31.12.3000", 'Y', "31.12.3000", kAnniControlNone},
      {kMonthFirst, "Miriam", "3/5/1990", 'Y', "5.3.1990", kAnniControlNone},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.date);
    dir_.Write(kSettingsFile, row.ini);
    EditAnniversaryFields f{};
    std::strcpy(f.name, row.name);
    std::strcpy(f.date, row.date);
    f.afterSunset = 1;
    f.type = row.type;
    AnniversaryRecord record = Make("untouched", {1, 1, 2000}, 0, 'A');
    record.id = 42;
    AnniversaryFieldError error{};
    const int ok = EditAnniversaryValidate(&f, &record, &error);
    ASSERT_EQ(ok, row.control == kAnniControlNone ? 1 : 0);
    EXPECT_EQ(ok ? DateText(record.date) : std::string(error.message), row.result);
    EXPECT_EQ(record.id, 42);
    if (!ok) {
      EXPECT_EQ(error.control, row.control);
      EXPECT_STREQ(record.name, "untouched");
      continue;
    }
    EXPECT_EQ(record.name + std::to_string(record.afterSunset) + char(record.type), "Miriam1Y");
  }
}

TEST_F(AnniversaryForms, EnterHebrewDateTakesTheFieldOrToday) {
  const ClockTime fixed = {2008, 3, 15, 12, 0, 0, 0};
  SetClockOverride(&fixed, 0);
  CalDate d{};
  AnniversaryFieldError error{};
  EXPECT_EQ(EnterHebrewDatePrepare("  ", &d, &error), 1);
  SetClockOverride(nullptr, 0);
  EXPECT_EQ(DateText(d), "15.3.2008");
  EXPECT_EQ(EnterHebrewDatePrepare("soon", &d, &error), 0);
  EXPECT_STREQ(error.message, "Date is invalid");
  EXPECT_EQ(error.control, kAnniControlDate);
}

// The Hebrew-date dialog opened on a date, then a month chosen or a year
// typed: the lists follow the year and the day is reduced to the month's
// last. The state: year, month, day, days in the month, months in the year.
TEST_F(AnniversaryForms, EditDateListsFollowTheYear) {
  const struct {
    CalDate open;    // {0, 0, 0}: go on from the row before
    int month;       // chosen (0: none)
    const char* year;  // typed (nullptr: none)
    int accepted;
    const char* state;
  } rows[] = {
      {{5, 3, 2007}, 0, nullptr, 1, "5767 12 15 29 12"},  // 15 Adar 5767
      {{9, 11, 1999}, 0, nullptr, 1, "5760 8 30 30 13"},  // 30 Heshvan 5760
      {{0, 0, 0}, 10, nullptr, 1, "5760 10 29 29 13"},    // Tevet: 29 days
      {{0, 0, 0}, 11, nullptr, 1, "5760 11 29 30 13"},    // the day stays 29
      {{0, 0, 0}, 14, nullptr, 1, "5760 11 29 30 13"},    // no such entry
      {{9, 11, 1999}, 0, "5761", 1, "5761 8 29 29 12"},
      {{15, 3, 2008}, 0, nullptr, 1, "5768 13 8 29 13"},  // 8 Adar II 5768
      {{0, 0, 0}, 0, "5769", 1, "5769 12 8 29 12"},       // Adar II becomes Adar
      {{0, 0, 0}, 0, "5771", 1, "5771 12 8 30 13"},       // and stays Adar (I)
      {{7, 3, 2008}, 0, "5769", 1, "5769 12 29 29 12"},   // 30 Adar I
      {{7, 3, 2008}, 0, "5359", 0, "5768 12 30 30 13"},
      {{7, 3, 2008}, 0, "5861", 0, "5768 12 30 30 13"},
      {{7, 3, 2008}, 0, "5769x", 0, "5768 12 30 30 13"},
      {{7, 3, 2008}, 0, "5360", 1, "5360 12 29 29 12"},
      {{7, 3, 2008}, 0, "5860", 1, "5860 12 30 30 13"},
  };
  HebrewDateForm form{};
  for (const auto& row : rows) {
    SCOPED_TRACE(DateText(row.open) + " " + std::to_string(row.month) + " " + (row.year ? row.year : ""));
    if (row.open.year) HebrewDateFormOpen(&form, &row.open, 0);
    if (row.month) HebrewDateFormSelectMonth(&form, row.month);
    if (row.year) EXPECT_EQ(HebrewDateFormYearTyped(&form, row.year), row.accepted);
    const std::string state = std::to_string(form.year) + " " + std::to_string(form.month) + " " +
                              std::to_string(form.day) + " " + std::to_string(form.dayCount) + " " +
                              std::to_string(form.monthCount);
    EXPECT_EQ(state, row.state);
    EXPECT_STREQ(form.monthNames[form.monthCount - 1], form.monthCount == 13 ? "Adar II" : "Adar");
  }
}

TEST_F(AnniversaryForms, EditDateChecksAndConversion) {
  constexpr struct {
    int day, month;
    const char* year;
    int afterSunset;
    const char* result;  // the message, or the Gregorian date accepted
    int control;
  } rows[] = {
      {0, 12, "5750", 0, "A day must be selected", kAnniControlHebrewDay},
      {8, 0, "5750", 0, "A month must be selected", kAnniControlHebrewMonth},
      {8, 12, "", 0, "A valid year number must be entered", kAnniControlHebrewYear},
      {8, 12, "5359", 0, "Year must be in range 5360-5860", kAnniControlHebrewYear},
      {8, 12, "5750", 0, "5.3.1990", kAnniControlNone},
      {8, 12, "5750", 1, "4.3.1990", kAnniControlNone},  // after sunset: the evening before
      {8, 13, "5768", 0, "15.3.2008", kAnniControlNone},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.result);
    HebrewDateFields f{row.day, row.month, {}};
    std::strcpy(f.year, row.year);
    CalDate g = {-1, -1, -1};
    AnniversaryFieldError error{};
    const int ok = HebrewDateValidate(&f, row.afterSunset, &g, &error);
    EXPECT_EQ(ok ? DateText(g) : error.message, row.result);
    EXPECT_EQ(ok ? kAnniControlNone : error.control, row.control);
    EXPECT_TRUE(ok || g.day == -1);  // a failure leaves the date alone
  }
}

TEST(AnniversaryFieldNumber, Parse) {
  constexpr struct {
    const char* text;
    int ok;
    int value;
  } rows[] = {
      {" 2007 ", 1, 2007}, {"-5", 1, -5}, {"+12", 1, 12}, {"", 0, 0},
      {"-", 0, 0},         {"20 07", 0, 0}, {"2007.", 0, 0},
  };
  for (const auto& row : rows) {
    int value = -77;
    const int ok = ParseFieldNumber(row.text, &value);
    EXPECT_EQ(ok, row.ok) << row.text;
    EXPECT_EQ(ok ? value : 0, row.value) << row.text;
  }
}

}  // namespace
