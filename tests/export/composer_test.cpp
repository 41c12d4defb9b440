// Day captions with their label markers and the bound on notes (the golden
// exports hold the sections, holidays, lower-case pairs and leap years).
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
    state.diaspora = 1;
  }
  std::string Compose(const CalDate& date, std::string* notes = nullptr) {
    char caption[kDayTextSize], text[kDayTextSize];
    ComposeDayRecord(date.day, date.month, date.year, &state, &settings, &anniversaries, caption, text);
    if (notes) *notes = text;
    return caption;
  }

  ScratchDir dir;
  ExportSettings settings;
  CalWindowState state{};
  AnniversaryDays anniversaries;
};

TEST_F(Composer, Captions) {
  const struct {
    const char* id;
    CalDate date;
    const char* withoutHoliday;
    const char* withHoliday;
    int label;
    const char* expected;
  } kRows[] = {
      {"no holiday", {1, 1, 2007}, "%J - %G", "%H - %J", 0, "11 Tevet 5767 - 1 January 2007"},
      {"holiday with label 1", {4, 3, 2007}, "%G", "%H", 1, "Purim#1"},
      {"holiday, label 2", {4, 3, 2007}, "%J - %G", "%H - %J", 2, "Purim - 14 Adar 5767#2"},
      {"eve: no holiday, no marker", {2, 4, 2007}, "%G", "%H!", 5, "2 April 2007"},
      {"percent sign and unknown pair", {1, 1, 2007}, "100%% %x%G", "%H", 0, "100% 1 January 2007"},
      {"equal formats mark every day", {1, 1, 2007}, "%G", "%G", 4, "1 January 2007#4"},
  };
  for (const auto& row : kRows) {
    std::strcpy(settings.captionWithoutHoliday, row.withoutHoliday);
    std::strcpy(settings.captionWithHoliday, row.withHoliday);
    settings.label = row.label;
    EXPECT_EQ(Compose(row.date), row.expected) << row.id;
  }
}

// A section that does not fit goes whole, and with it every later one.
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
  std::string notes;
  Compose({26, 2, 2007}, &notes);
  EXPECT_EQ(notes, "Hebrew Date:\r\n26 February 2007 - 8 Adar 5767\r\n\r\n");
}

}  // namespace
