// The day record composer: captions and their label marker, the order and
// headings of the notes' sections, the Omer and Rosh Hodesh lines, the
// anniversaries of a day, and the bound on a day's notes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/callang.h"
#include "export/composer.h"
#include "support/scratch_dir.h"

namespace {

class Composer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(CallangInitialize(), 0);
    ReadExportSettings(&settings);  // defaults: no file in the scratch folder
    for (int& flag : settings.includeFlags.flag) flag = 0;
    state = CalWindowState{};
    state.diaspora = 1;
    std::strcpy(state.cityName, "Jerusalem");
    state.locationKnown = 1;
    state.latitude = 3124;
    state.longitude = 3500;
    state.timeZone = 2;
    state.candleLightingMinutes = 18;
    state.havdalahMinutes = 45;
    state.havdalahByMinutes = 1;
    state.havdalahDegrees = 8.0;
  }

  std::string Caption(int d, int m, int y) {
    char caption[kDayTextSize];
    char notes[kDayTextSize];
    ComposeDayRecord(d, m, y, &state, &settings, &anniversaries, caption, notes);
    return caption;
  }
  std::string Notes(int d, int m, int y) {
    char caption[kDayTextSize];
    char notes[kDayTextSize];
    ComposeDayRecord(d, m, y, &state, &settings, &anniversaries, caption, notes);
    return notes;
  }

  ScratchDir dir;
  ExportSettings settings;
  CalWindowState state;
  AnniversaryDays anniversaries;
};

struct CaptionRow {
  const char* id;
  CalDate date;
  const char* withoutHoliday;
  const char* withHoliday;
  int label;
  const char* expected;
};

TEST_F(Composer, Captions) {
  const CaptionRow rows[] = {
      {"default format, no holiday", {1, 1, 2007}, "%J - %G", "%H - %J", 0, "11 Tevet 5767 - 1 January 2007"},
      {"lower-case letters", {1, 1, 2007}, "%j / %g", "%H", 0, "11 Tevet 5767 / 1 January 2007"},
      {"holiday with label 1", {4, 3, 2007}, "%G", "%H", 1, "Purim#1"},
      {"holiday, default format", {4, 3, 2007}, "%J - %G", "%H - %J", 2, "Purim - 14 Adar 5767#2"},
      {"eve: no holiday, no marker", {2, 4, 2007}, "%G", "%H!", 5, "2 April 2007"},
      {"Isru Chag: no holiday", {11, 4, 2007}, "%G", "%H!", 5, "11 April 2007"},
      {"22 Nisan is a holiday in the Diaspora", {10, 4, 2007}, "%G", "%H", 0, "Pesach VIII (Diaspora)"},
      {"percent sign and unknown pair", {1, 1, 2007}, "100%% %x%G", "%H", 0, "100% 1 January 2007"},
      {"equal formats mark every day", {1, 1, 2007}, "%G", "%G", 4, "1 January 2007#4"},
      {"Adar II in a leap year", {21, 3, 2008}, "%J", "%H %J", 0, "Purim 14 Adar II 5768"},
  };
  for (const CaptionRow& row : rows) {
    std::strcpy(settings.captionWithoutHoliday, row.withoutHoliday);
    std::strcpy(settings.captionWithHoliday, row.withHoliday);
    settings.label = row.label;
    EXPECT_EQ(Caption(row.date.day, row.date.month, row.date.year), row.expected) << row.id;
  }
}

TEST_F(Composer, CaptionMarkerAndLineEnd) {
  char out[kDayTextSize];
  std::strcpy(settings.captionWithHoliday, "%H");
  ComposeCaption(&state, 4, 3, 2007, out, 1, &settings);
  EXPECT_STREQ(out, "Purim#\r\n");
}

TEST(ComposerCaption, CountParameters) {
  const struct {
    const char* format;
    int count;
  } rows[] = {{"%H - %J - %G", 3}, {"%h%g", 2}, {"%%G", 0}, {"%x%J", 1}, {"abc%J%", 1}};
  for (const auto& row : rows) EXPECT_EQ(CountCaptionParameters(row.format), row.count) << row.format;
}

struct NotesRow {
  const char* id;
  CalDate date;
  int flag;
  int diaspora;
  const char* expected;
};

TEST_F(Composer, HolidaySectionLines) {
  const NotesRow rows[] = {
      {"Erev Pesach in the notes", {2, 4, 2007}, kIncludeHoliday, 1, "Erev Pesach\r\n\r\n"},
      {"16 Nisan: holiday then the first Omer day", {4, 4, 2007}, kIncludeHoliday, 1,
       "Pesach II\r\n1 L'Omer\r\n\r\n"},
      {"5 Sivan: the 49th day", {22, 5, 2007}, kIncludeHoliday, 1, "Erev Shavuot\r\n49 L'Omer\r\n\r\n"},
      {"6 Sivan: no Omer line", {23, 5, 2007}, kIncludeHoliday, 1, "Shavuot I\r\n\r\n"},
      {"Hanukkah on Rosh Hodesh", {22, 12, 2006}, kIncludeHoliday, 1, "Hanukkah VII\r\nRosh Hodesh\r\n\r\n"},
      {"Yizkor on Yom Kippur", {22, 9, 2007}, kIncludeHoliday, 1, "Yom Kippur (Yizkor)\r\n\r\n"},
      {"Hebrew date section", {1, 1, 2007}, kIncludeHebrewDate, 1,
       "Hebrew Date:\r\n1 January 2007 - 11 Tevet 5767\r\n\r\n"},
  };
  for (const NotesRow& row : rows) {
    for (int& flag : settings.includeFlags.flag) flag = 0;
    settings.includeFlags.flag[row.flag] = 1;
    state.diaspora = row.diaspora;
    EXPECT_EQ(Notes(row.date.day, row.date.month, row.date.year), row.expected) << row.id;
  }
}

TEST_F(Composer, FridayWithHebrewDateAndShabbatTimes) {
  settings.includeFlags.flag[kIncludeHebrewDate] = 1;
  settings.includeFlags.flag[kIncludeShabbatTimes] = 1;
  const std::string notes = Notes(5, 1, 2007);
  const std::string head = "Hebrew Date:\r\n5 January 2007 - 15 Tevet 5767\r\n\r\nCandle Lighting: ";
  ASSERT_EQ(notes.compare(0, head.size(), head), 0) << notes;
  EXPECT_NE(notes.find("\r\nEnd of shabbat: ", head.size()), std::string::npos) << notes;
  EXPECT_EQ(notes.substr(notes.size() - 4), "\r\n\r\n") << notes;
}

TEST_F(Composer, DafYomiLineComesLastWithoutEmptyLine) {
  settings.includeDafYomi = 1;
  settings.includeFlags.flag[kIncludeHoliday] = 1;
  // Cycle 12 began 2 March 2005; 4 March 2007 is 732 days on. Berachos to
  // Ta'anis hold 709 pages, so page 732 is Megilah 2 + 23.
  EXPECT_EQ(Notes(4, 3, 2007), "Purim\r\n\r\nDaf Yomi: Cycle 12, Megilah 25\r\n");
}

TEST_F(Composer, AnniversariesOfTheDay) {
  AnniversaryList list;
  AnniversaryRecord birthday{};
  std::strcpy(birthday.name, "Dan");
  birthday.date = {5, 3, 1990};  // 8 Adar 5750
  birthday.type = 'B';
  AnniversaryListPut(&list, &birthday);
  AnniversaryRecord evening = birthday;
  evening.id = 0;
  std::strcpy(evening.name, "Eve");
  evening.afterSunset = 1;  // 9 Adar 5750
  AnniversaryListPut(&list, &evening);
  AnniversaryRecord wedding = birthday;
  wedding.id = 0;
  std::strcpy(wedding.name, "Wedding");
  wedding.type = 'A';
  AnniversaryListPut(&list, &wedding);
  AnniversaryDaysFromList(&anniversaries, &list, 2007, 2007);

  settings.includeFlags.flag[kIncludeAnniversaries] = 1;
  settings.includeFlags.flag[kIncludeBirthdays] = 1;
  settings.includeFlags.flag[kIncludeYahrzeit] = 1;
  // 8 Adar 5767 is 26 February 2007; 9 Adar the next day.
  EXPECT_EQ(Notes(26, 2, 2007), "Anniversaries:\r\nWedding\r\n\r\nBirthdays:\r\nDan\r\n\r\n");
  EXPECT_EQ(Notes(27, 2, 2007), "Birthdays:\r\nEve\r\n\r\n");
  EXPECT_EQ(Notes(28, 2, 2007), "");

  // Read from the file when no occurrences were prepared: the same names.
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  ASSERT_TRUE(AnniversaryListSave(&list, path));
  char caption[kDayTextSize];
  char notes[kDayTextSize];
  ComposeDayRecord(26, 2, 2007, &state, &settings, nullptr, caption, notes);
  EXPECT_STREQ(notes, "Anniversaries:\r\nWedding\r\n\r\nBirthdays:\r\nDan\r\n\r\n");
}

TEST_F(Composer, NotesEndAtTheLastSectionThatFits) {
  AnniversaryList list;
  AnniversaryRecord record{};
  record.date = {5, 3, 1990};
  record.type = 'B';
  for (int i = 0; i < 12; ++i) {  // 12 names of 200 characters: 2424 in all
    record.id = 0;
    std::memset(record.name, 'a' + i, 200);
    record.name[200] = '\0';
    AnniversaryListPut(&list, &record);
  }
  AnniversaryDaysFromList(&anniversaries, &list, 2007, 2007);
  settings.includeFlags.flag[kIncludeHebrewDate] = 1;
  settings.includeFlags.flag[kIncludeBirthdays] = 1;
  settings.includeDafYomi = 1;
  const std::string notes = Notes(26, 2, 2007);
  EXPECT_EQ(notes, "Hebrew Date:\r\n26 February 2007 - 8 Adar 5767\r\n\r\n");
  EXPECT_LT(notes.size(), (std::size_t)kDayTextSize);
}

}  // namespace
