// The anniversary dialogs' decisions: the result list with its messages,
// the edit checks in their order with the focused control, the date
// sample, and the Hebrew-date dialog's lists, clamping and checks. Dates
// are hand-worked (Purim 14 Adar: 4 Mar 2007, 21 Mar 2008 as 14 Adar II,
// 10 Mar 2009, 28 Feb 2010; 25 Mar 2005 and 14 Mar 2006).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_make.h"
#include "calendar/anniversary_forms.h"
#include "calendar/callang.h"
#include "settings/settings.h"
#include "platform/clock.h"
#include "support/scratch_dir.h"

namespace {

constexpr char kDateFormat0[] = "[Settings]\r\nDateFormat=0\r\n";
constexpr char kDateFormat1[] = "[Settings]\r\nDateFormat=1\r\n";
constexpr char kDateFormat2[] = "[Settings]\r\nDateFormat=2\r\n";
constexpr char kHebrewOn[] = "[Flags]\r\nHebrewFlag=1\r\n";

// A scratch folder with the settings `ini` and an anniversary file of
// `records` (ids 1, 2, 3 ... in this order).
struct Folder {
  Folder(const char* ini, const std::vector<AnniversaryRecord>& records) {
    EXPECT_NE(CallangInitialize(), 0);
    if (ini) dir.Write(kSettingsFile, ini);
    path = dir.File(kAnniversaryFileName);
    AnniversaryList list{};
    for (const AnniversaryRecord& r : records) AnniversaryListPut(&list, &r);
    EXPECT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  }
  ScratchDir dir;
  std::string path;
};

// ---- The result list -----------------------------------------------------

TEST(AnniversaryResultList, LinesAndMessages) {
  struct ResultRow {
    const char* id;
    const char* ini;
    const char* from;
    const char* to;
    int selected, ok;
    std::vector<std::string> lines;
  };
  const std::vector<AnniversaryRecord> records = {
      Make("Miriam", {5, 3, 1990}, 0, 'B'),  // 8 Adar 5750
      Make("Aaron", {5, 3, 1990}, 1, 'Y'),   // 9 Adar 5750
      Make("Noa", {5, 3, 2007}, 0, 'B'),     // 15 Adar 5767
      Make("Odd", {5, 3, 1990}, 0, 'Z'),
  };
  const std::vector<ResultRow> rows = {
      {"the example of the rules, from after to", kDateFormat0, "2008", "2007", 1, 1,
       {"26.2.2007 (8 Adar 5767)", "15.3.2008 (8 Adar II 5768)"}},
      // The list shows the Gregorian day of the Hebrew date, not the
      // evening before (the rules themselves: anniversary_test.cpp).
      {"after sunset", kDateFormat0, "2007", "2008", 2, 1,
       {"27.2.2007 (9 Adar 5767)", "15.2.2008 (9 Adar I 5768)"}},
      // Years that pass their checks reach the lookup of the entry.
      {"1583 is accepted", nullptr, "1583", "1583", 5, 0, {"Anniversary was not found"}},
      {"from not a number", nullptr, "20x7", "2008", 1, 0, {"Year in \"from\" is invalid"}},
      {"from 1582", nullptr, "1582", "2008", 1, 0,
       {"Year in \"from\" must be in range 1583-3000"}},
      {"to 3001", nullptr, "2007", "3001", 1, 0, {"Year in \"to\" must be in range 1583-3000"}},
      {"no selection", nullptr, "2007", "2008", kAnniversaryNoSelection, 0,
       {"A list entry must be selected"}},
      {"no such entry", nullptr, "2007", "2008", 5, 0, {"Anniversary was not found"}},
      {"another type", nullptr, "2007", "2008", 4, 0, {"Invalid anniversary type"}},
  };
  for (const ResultRow& row : rows) {
    SCOPED_TRACE(row.id);
    Folder setup(row.ini, records);
    std::vector<std::string> lines = {"stale"};
    EXPECT_EQ(AnniversaryResultLines(row.from, row.to, row.selected, setup.path.c_str(), &lines),
              row.ok);
    EXPECT_EQ(lines, row.lines);
  }
}

TEST(AnniversaryResultList, ClipboardTextAndDefaultYears) {
  EXPECT_EQ(AnniversaryResultText({"26.2.2007 (8 Adar 5767)", "15.3.2008 (8 Adar II 5768)"}),
            "26.2.2007 (8 Adar 5767)\r\n15.3.2008 (8 Adar II 5768)\r\n");
  const ClockTime fixed = {2024, 12, 31, 23, 59, 0, 0};
  SetClockOverride(&fixed, 0);
  int from = 0;
  int to = 0;
  AnniversaryDefaultYears(&from, &to);
  SetClockOverride(nullptr, 0);
  EXPECT_EQ(from, 2024);
  EXPECT_EQ(to, 2029);
}

TEST(AnniversaryResultList, StoreAndDeleteEntries) {
  Folder setup(nullptr, {Make("Miriam", {5, 3, 1990}, 0, 'B')});
  const char* path = setup.path.c_str();
  AnniversaryRecord added = Make("Aaron", {6, 3, 1990}, 1, 'Y');
  EXPECT_EQ(AnniversaryStoreEntry(path, &added), 2);
  AnniversaryRecord changed = Make("Miriam Levy", {5, 3, 1990}, 0, 'B');
  changed.id = 1;
  EXPECT_EQ(AnniversaryStoreEntry(path, &changed), 1);

  EXPECT_EQ(AnniversaryDeleteEntry(path, 3), 0);
  EXPECT_EQ(AnniversaryDeleteEntry(path, 1), 1);
  AnniversaryList list{};
  AnniversaryListLoad(&list, path);
  ASSERT_EQ(list.records.size(), 1u);
  EXPECT_STREQ(list.records[0].name, "Aaron");
  EXPECT_EQ(list.records[0].id, 1);  // numbered afresh at each load
  AnniversaryListFree(&list);
}

TEST(AnniversaryResultList, RemoveQuestion) {
  char small[20];
  std::memset(small, 'x', sizeof small);
  AnniversaryRemoveQuestion("Miriam", small, 10);
  EXPECT_STREQ(small, "Are you r");
  EXPECT_EQ(small[10], 'x');
}

// ---- "Edit Anniversary" --------------------------------------------------

EditAnniversaryFields Valid() {
  EditAnniversaryFields f{};
  std::strcpy(f.name, "Miriam");
  std::strcpy(f.date, "5.3.1990");
  f.afterSunset = 0;
  f.type = 'B';
  return f;
}

struct EditRow {
  const char* id;
  const char* name;  // nullptr: the valid one
  const char* date;
  int type;          // -1: the valid one
  const char* message;
  int control;
};

TEST(EditAnniversary, ChecksInOrder) {
  constexpr EditRow rows[] = {
      {"empty name", "", nullptr, -1, "Name must not be blank", kAnniControlName},
      {"empty date", nullptr, "", -1, "Date must not be blank", kAnniControlDate},
      {"letters after", nullptr, "5.3.1990x", -1, "Date is invalid", kAnniControlDate},
      {"year 1582", nullptr, "5.3.1582", -1, "Year is invalid", kAnniControlDate},
      {"year before month", nullptr, "5.13.3001", -1, "Year is invalid", kAnniControlDate},
      {"month 13", nullptr, "5.13.1990", -1, "Month is invalid", kAnniControlDate},
      {"29 February of a common year", nullptr, "29.2.1990", -1, "Day is invalid",
       kAnniControlDate},
      {"no type", nullptr, nullptr, 0, "A radio button has to be selected",
       kAnniControlTypeAnniversary},
  };
  Folder setup(kDateFormat0, {});
  for (const EditRow& row : rows) {
    SCOPED_TRACE(row.id);
    EditAnniversaryFields f = Valid();
    if (row.name) std::strcpy(f.name, row.name);
    if (row.date) std::strcpy(f.date, row.date);
    if (row.type >= 0) f.type = row.type;
    AnniversaryRecord record = Make("untouched", {1, 1, 2000}, 1, 'A');
    AnniversaryFieldError error{};
    EXPECT_EQ(EditAnniversaryValidate(&f, &record, &error), 0);
    EXPECT_STREQ(error.message, row.message);
    EXPECT_EQ(error.control, row.control);
    EXPECT_STREQ(record.name, "untouched");
  }
}

TEST(EditAnniversary, AcceptedFieldsGoIntoTheRecord) {
  struct Row {
    const char* ini;
    const char* date;
    const char* expected;
  };
  constexpr Row rows[] = {
      {kDateFormat0, " 29.2.2008 ", "29.2.2008"},
      {kDateFormat0, "31.12.3000", "31.12.3000"},
      {kDateFormat1, "3/5/1990", "5.3.1990"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.date);
    Folder setup(row.ini, {});
    EditAnniversaryFields f = Valid();
    std::strcpy(f.date, row.date);
    f.afterSunset = 1;
    f.type = 'Y';
    AnniversaryRecord record{};
    record.id = 42;
    AnniversaryFieldError error{};
    ASSERT_EQ(EditAnniversaryValidate(&f, &record, &error), 1);
    EXPECT_EQ(record.id, 42);
    EXPECT_STREQ(record.name, "Miriam");
    EXPECT_EQ(DateText(record.date), row.expected);
    EXPECT_EQ(record.afterSunset, 1);
    EXPECT_EQ(record.type, 'Y');
  }
}

TEST(EditAnniversary, FillAndSample) {
  Folder setup(kDateFormat1, {});
  EditAnniversaryFields f{};
  const AnniversaryRecord empty{};
  EditAnniversaryFill(&empty, &f);
  EXPECT_STREQ(f.date, "");
  EXPECT_EQ(f.type, 0);
  const AnniversaryRecord r = Make("Miriam", {5, 3, 1990}, 1, 'B');
  EditAnniversaryFill(&r, &f);
  EXPECT_STREQ(f.name, "Miriam");
  EXPECT_STREQ(f.date, "3/5/1990");
  EXPECT_EQ(f.afterSunset, 1);
  EXPECT_EQ(f.type, 'B');

  struct Row {
    const char* ini;
    const char* sample;
  };
  constexpr Row rows[] = {{kDateFormat0, "17.6.1981"}, {kDateFormat1, "6/17/1981"}, {kDateFormat2, ""}};
  for (const Row& row : rows) {
    Folder each(row.ini, {});
    char sample[256] = "stale";
    AnniversaryDateSample(sample);
    EXPECT_STREQ(sample, row.sample) << row.ini;
  }
}

TEST(EditAnniversary, EnterHebrewDateTakesTheFieldOrToday) {
  Folder setup(kDateFormat0, {});
  const ClockTime fixed = {2008, 3, 15, 12, 0, 0, 0};
  SetClockOverride(&fixed, 0);
  CalDate d{};
  AnniversaryFieldError error{};
  EXPECT_EQ(EnterHebrewDatePrepare("  ", &d, &error), 1);
  EXPECT_EQ(DateText(d), "15.3.2008");
  SetClockOverride(nullptr, 0);
  EXPECT_EQ(EnterHebrewDatePrepare("soon", &d, &error), 0);
  EXPECT_STREQ(error.message, "Date is invalid");
  EXPECT_EQ(error.control, kAnniControlDate);
}

// ---- "Edit Date" ---------------------------------------------------------

// The month list from Nisan, as its count, second and last names.
std::string MonthList(const HebrewDateForm& form) {
  return std::to_string(form.monthCount) + " " + form.monthNames[1] + ".." +
         form.monthNames[form.monthCount - 1];
}
const std::string kCommonMonths = "12 Iyar..Adar";
const std::string kLeapMonths = "13 Iyar..Adar II";

struct FormState {
  int year, month, day, dayCount;
};

void ExpectForm(const HebrewDateForm& form, FormState want) {
  EXPECT_EQ(form.year, want.year);
  EXPECT_EQ(form.month, want.month);
  EXPECT_EQ(form.day, want.day);
  EXPECT_EQ(form.dayCount, want.dayCount);
}

TEST(EditHebrewDate, OpeningListsForCommonAndLeapYears) {
  struct Row {
    const char* id;
    CalDate gregorian;
    int afterSunset;
    FormState state;
    const std::string* months;
  };
  const Row rows[] = {
      {"15 Adar 5767 (common)", {5, 3, 2007}, 0, {5767, 12, 15, 29}, &kCommonMonths},
      {"8 Adar II 5768 (leap)", {15, 3, 2008}, 0, {5768, 13, 8, 29}, &kLeapMonths},
  };
  Folder setup(nullptr, {});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    HebrewDateForm form{};
    HebrewDateFormOpen(&form, &row.gregorian, row.afterSunset);
    ExpectForm(form, row.state);
    EXPECT_EQ(MonthList(form), *row.months);
  }
}

TEST(EditHebrewDate, MonthAndYearChangesClampTheDay) {
  Folder setup(nullptr, {});
  HebrewDateForm form{};
  const CalDate heshvan30 = {9, 11, 1999};  // 30 Heshvan 5760
  HebrewDateFormOpen(&form, &heshvan30, 0);
  HebrewDateFormSelectMonth(&form, 10);  // Tevet 5760: 29 days
  ExpectForm(form, {5760, 10, 29, 29});
  HebrewDateFormSelectMonth(&form, 11);  // Shevat: 30 days, the day stays 29
  ExpectForm(form, {5760, 11, 29, 30});
  HebrewDateFormSelectMonth(&form, 14);  // no such entry: nothing changes
  ExpectForm(form, {5760, 11, 29, 30});

  HebrewDateFormOpen(&form, &heshvan30, 0);
  EXPECT_EQ(HebrewDateFormYearTyped(&form, "5761"), 1);  // Heshvan 5761: 29 days
  ExpectForm(form, {5761, 8, 29, 29});
  EXPECT_EQ(MonthList(form), kCommonMonths);

  const CalDate adar2 = {15, 3, 2008};  // 8 Adar II 5768
  HebrewDateFormOpen(&form, &adar2, 0);
  EXPECT_EQ(HebrewDateFormYearTyped(&form, "5769"), 1);  // Adar II becomes Adar
  ExpectForm(form, {5769, 12, 8, 29});
  EXPECT_EQ(MonthList(form), kCommonMonths);
  EXPECT_EQ(HebrewDateFormYearTyped(&form, "5771"), 1);  // and stays Adar (I) after
  ExpectForm(form, {5771, 12, 8, 30});
  EXPECT_EQ(MonthList(form), kLeapMonths);

  const CalDate adar1 = {7, 3, 2008};  // 30 Adar I 5768
  HebrewDateFormOpen(&form, &adar1, 0);
  EXPECT_EQ(HebrewDateFormYearTyped(&form, "5769"), 1);
  ExpectForm(form, {5769, 12, 29, 29});

  for (const char* ignored : {"5359", "5861", "5769x"}) {
    SCOPED_TRACE(ignored);
    HebrewDateFormOpen(&form, &adar1, 0);
    EXPECT_EQ(HebrewDateFormYearTyped(&form, ignored), 0);
    ExpectForm(form, {5768, 12, 30, 30});
    EXPECT_EQ(MonthList(form), kLeapMonths);
  }
  HebrewDateFormOpen(&form, &adar1, 0);
  EXPECT_EQ(HebrewDateFormYearTyped(&form, "5360"), 1);
  EXPECT_EQ(HebrewDateFormYearTyped(&form, "5860"), 1);
}

TEST(EditHebrewDate, HebrewMonthNamesFollowTheSetting) {
  Folder setup(kHebrewOn, {});
  HebrewDateForm form{};
  const CalDate adar2 = {15, 3, 2008};
  HebrewDateFormOpen(&form, &adar2, 0);
  ASSERT_EQ(form.monthCount, 13);
  EXPECT_STREQ(form.monthNames[0], "\xEF\xF1\xE9\xF0");  // Nisan, visual order
}

TEST(EditHebrewDate, ChecksAndConversion) {
  struct Row {
    const char* id;
    int day, month;
    const char* year;
    int afterSunset;
    const char* result;  // the message, or the Gregorian date accepted
    int control;
  };
  constexpr Row rows[] = {
      {"no day", 0, 12, "5750", 0, "A day must be selected", kAnniControlHebrewDay},
      {"no month", 8, 0, "5750", 0, "A month must be selected", kAnniControlHebrewMonth},
      {"empty year", 8, 12, "", 0, "A valid year number must be entered", kAnniControlHebrewYear},
      {"year 5359", 8, 12, "5359", 0, "Year must be in range 5360-5860", kAnniControlHebrewYear},
      {"8 Adar 5750", 8, 12, "5750", 0, "5.3.1990", -1},
      {"after sunset: the evening before", 8, 12, "5750", 1, "4.3.1990", -1},
      {"8 Adar II 5768", 8, 13, "5768", 0, "15.3.2008", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    HebrewDateFields f{};
    f.day = row.day;
    f.month = row.month;
    std::strcpy(f.year, row.year);
    CalDate g = {-1, -1, -1};
    AnniversaryFieldError error{};
    const int ok = HebrewDateValidate(&f, row.afterSunset, &g, &error);
    EXPECT_EQ(ok, row.control < 0 ? 1 : 0);
    EXPECT_EQ(ok ? DateText(g) : std::string(error.message), row.result);
    if (!ok) {
      EXPECT_EQ(error.control, row.control);
      EXPECT_EQ(g.day, -1);
    }
  }
}

TEST(AnniversaryFieldNumber, Parse) {
  struct Row {
    const char* text;
    int ok;
    int value;
  };
  constexpr Row rows[] = {
      {" 2007 ", 1, 2007}, {"-5", 1, -5}, {"+12", 1, 12}, {"", 0, 0},
      {"-", 0, 0},         {"20 07", 0, 0}, {"2007.", 0, 0},
  };
  for (const Row& row : rows) {
    int value = -77;
    EXPECT_EQ(ParseFieldNumber(row.text, &value), row.ok) << row.text;
    if (row.ok) {
      EXPECT_EQ(value, row.value) << row.text;
    }
  }
}

}  // namespace
