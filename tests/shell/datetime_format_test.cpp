// The Date/Time Format dialog's decisions: the radio buttons it opens with
// and what OK writes.
#include "shell/datetime_format.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

// Any value but 0 or 1 leaves its group without a choice.
TEST(DateTimeFormatOpen, ButtonsOfTheSettings) {
  constexpr struct {
    const char* ini;
    DateTimeFormatFields fields;  // dayFirst, monthFirst, hour12, hour24
  } kRows[] = {
      {"", {1, 0, 0, 1}},  // defaults: day first, 24-hour
      {"[Settings]\r\nDateFormat=1\r\nTimeFormat=1\r\n", {0, 1, 1, 0}},
      {"[Settings]\r\nDateFormat=-1\r\nTimeFormat=2\r\n", {0, 0, 0, 0}},
      {"[Settings]\r\nDateFormat=1\r\nTimeFormat=12\r\n", {0, 1, 0, 0}},
  };
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, row.ini);
    DateTimeFormatFields fields{9, 9, 9, 9};
    DateTimeFormatOpen(&fields);
    EXPECT_EQ(fields.dayFirst, row.fields.dayFirst) << row.ini;
    EXPECT_EQ(fields.monthFirst, row.fields.monthFirst) << row.ini;
    EXPECT_EQ(fields.hour12, row.fields.hour12) << row.ini;
    EXPECT_EQ(fields.hour24, row.fields.hour24) << row.ini;
  }
}

// OK with a group left empty keeps the dialog open and the file as it was;
// otherwise both keys are written.
TEST(DateTimeFormatOk, WritesBothKeysOrNothing) {
  constexpr char kStart[] = "[Settings]\r\nDateFormat=5\r\nTimeFormat=7\r\n";
  constexpr struct {
    const char* name;
    DateTimeFormatFields fields;
    int result;
    int dateFormat;  // read back; 5 and 7 = unchanged
    int timeFormat;
  } kRows[] = {
      {"no date choice", {0, 0, 1, 0}, 0, 5, 7},
      {"no time choice", {0, 1, 0, 0}, 0, 5, 7},
      {"month first, 12-hour", {0, 1, 1, 0}, 1, 1, 1},
      {"day first, 24-hour", {1, 0, 0, 1}, 1, 0, 0},
  };
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, kStart);
    EXPECT_EQ(DateTimeFormatOk(&row.fields), row.result) << row.name;
    EXPECT_EQ(GetDateFormat(), row.dateFormat) << row.name;
    EXPECT_EQ(GetTimeFormat(), row.timeFormat) << row.name;
    if (row.result == 0) {
      EXPECT_EQ(dir.Read(kSettingsFile), kStart) << row.name;
    }
  }
}

}  // namespace
