// Export runs and their events: stopped runs, titles, UIDs, time zones.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "calendar/callang.h"
#include "export/export_run.h"
#include "export/ical_events.h"
#include "export/icalendar.h"
#include "placetime/timezone.h"
#include "support/scratch_dir.h"

namespace {

TEST(CaptionTitle, OnlyTheFinalMarkerGoes) {
  const struct {
    const char* caption;
    const char* title;
  } kRows[] = {
      {"Purim#3", "Purim"}, {"Purim#12", "Purim"}, {"Room #4 party#2", "Room #4 party"}, {"C# and F#", "C# and F#"},
      {"Price #", "Price #"}, {"#7", ""}, {"No marker", "No marker"}, {"", ""},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(std::string(row.caption, CaptionTitleLength(row.caption)), row.title) << row.caption;
}

// Fifty days written within a second: every UID differs. A run cancelled
// after ten days leaves the file as it was; so does a writer given up after
// many blocks had gone to disk.
TEST(ExportRun, UidsAndStoppedRuns) {
  ASSERT_NE(CallangInitialize(), 0);
  const struct {
    const char* ini;  // exportcal.ini
    bool stable;
  } kRows[] = {{"", false}, {"[OutlookExport]\r\nStableUids=1\r\n", true}};
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write("exportcal.ini", row.ini);
    ExportSettings settings;
    ReadExportSettings(&settings);
    CalWindowState state{};
    const CalDate day = {3, 3, 2026};
    const int first = AbsoluteFromGregorian(&day);
    const std::string path = dir.File("days.ics");
    ASSERT_EQ(RunExportToIcs(first, first + 49, &state, &settings, path.c_str(), nullptr, nullptr), kExportWritten);
    const std::string text = dir.Read("days.ics");
    std::set<std::string> uids;
    for (std::size_t at = text.find("\r\nUID:"); at != std::string::npos; at = text.find("\r\nUID:", at + 1)) {
      const std::string uid = text.substr(at + 6, text.find("\r\n", at + 6) - at - 6);
      uids.insert(uid);
      // A random UID is the time it was made and a GUID; a stable one says what the entry is.
      EXPECT_EQ(uid.size() == 8 + 1 + 9 + 1 + 36 + 15 && uid.find_first_not_of("0123456789") == 8, !row.stable) << uid;
    }
    EXPECT_EQ(uids.size(), 50u) << row.ini;
    EXPECT_EQ(uids.count("day-20260303@tavlon.invalid"), row.stable ? 1u : 0u) << row.ini;
    EXPECT_EQ(text.find("X-WR-CALNAME"), std::string::npos) << row.ini;  // no calendar-app option creeps in

    auto stopAtTen = [](void*, int done, int, const CalDate*) { return done < 10 ? 1 : 0; };
    EXPECT_EQ(RunExportToIcs(first, first + 49, &state, &settings, path.c_str(), stopAtTen, nullptr), kExportCancelled);
    IcsWriter writer;
    ASSERT_EQ(IcsBegin(&writer, path.c_str(), kCodePageLatin), 1);
    const std::string notes(2000, 'n');
    for (int i = 0; i < 200; ++i) ASSERT_EQ(IcsWriteEvent(&writer, &day, "x", notes.c_str()), 1);
    IcsAbort(&writer);
    EXPECT_EQ(dir.Read("days.ics"), text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // no scratch file left
  }
}

TEST(IcsEvents, StableUidsOfDifferentEntriesDiffer) {
  IcsEventOptions options;
  const CalDate day = {5, 3, 2026};
  const struct {
    const char* prefix;
    const char* kind;
    const char* uid;
  } kRows[] = {
      {"", "day", "day-20260305@tavlon.invalid"},
      {"israel", "day", "israel-day-20260305@tavlon.invalid"},
      {"cal.", "day", "cal.day-20260305@tavlon.invalid"},
      // A space and a dot are written differently, a byte above 0x7F as hex.
      {"", "Birthday-Ann Levy", "Birthday-Ann.20Levy-20260305@tavlon.invalid"},
      {"", "Birthday-Ann.Levy", "Birthday-Ann.2ELevy-20260305@tavlon.invalid"},
      {"", "Birthday-M\xFCller", "Birthday-M.FCller-20260305@tavlon.invalid"},
      {"", "Yahrzeit-a;b,c\\d", "Yahrzeit-a.3Bb.2Cc.5Cd-20260305@tavlon.invalid"},
  };
  for (const auto& row : kRows) {
    options.uidPrefix = row.prefix;
    EXPECT_EQ(IcsStableUid(&options, row.kind, &day), row.uid) << row.kind;
  }
  for (const char* bad : {"a b", "x@y", "semi;colon", "\xC3\xA9"}) EXPECT_EQ(IcsUidPrefixValid(bad), 0) << bad;
  EXPECT_EQ(IcsUidPrefixValid(std::string(64, 'a').c_str()), 1);
  EXPECT_EQ(IcsUidPrefixValid(std::string(65, 'a').c_str()), 0);
}

TEST(IcsEvents, SouthernZone) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  // Sydney 2026: summer time ends 5 April at 3:00 (back to 2:00 AEST) and
  // begins 4 October at 2:00 (on to 3:00 AEDT).
  std::string out;
  ASSERT_EQ(IcsVTimezone("Australia/Sydney", 2026, 2026, &out), 1);
  EXPECT_EQ(out,
            "BEGIN:VTIMEZONE\r\nTZID:Australia/Sydney\r\n"
            "BEGIN:DAYLIGHT\r\nDTSTART:20260101T000000\r\nTZOFFSETFROM:+1100\r\nTZOFFSETTO:+1100\r\nTZNAME:AEDT\r\n"
            "END:DAYLIGHT\r\nBEGIN:STANDARD\r\nDTSTART:20260405T030000\r\nTZOFFSETFROM:+1100\r\n"
            "TZOFFSETTO:+1000\r\nTZNAME:AEST\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:20261004T020000\r\n"
            "TZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\nTZNAME:AEDT\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n");
  out.clear();
  EXPECT_EQ(IcsVTimezone("Nowhere/Town", 2026, 2026, &out), 0);
  EXPECT_EQ(out, "");
}

}  // namespace
