// The export runs: an export stopped part way leaves any earlier file as it
// was, and only the caption's final label marker is left out of the title.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "calendar/callang.h"
#include "export/export_run.h"
#include "export/icalendar.h"
#include "support/scratch_dir.h"

namespace {

TEST(ExportRun, StoppedExportKeepsThePreviousFile) {
  ASSERT_NE(CallangInitialize(), 0);
  ScratchDir dir;
  const std::string path = dir.File("keep.ics");
  // Cancelled from the progress callback after ten days.
  dir.Write("keep.ics", "previous");
  ExportSettings settings;
  ReadExportSettings(&settings);
  CalWindowState state{};
  const CalDate first = {1, 1, 2008}, last = {31, 1, 2008};
  auto stopAtTen = [](void*, int done, int, const CalDate*) { return done < 10 ? 1 : 0; };
  EXPECT_EQ(RunExportToIcs(AbsoluteFromGregorian(&first), AbsoluteFromGregorian(&last), &state, &settings,
                           path.c_str(), stopAtTen, nullptr),
            kExportCancelled);
  EXPECT_EQ(dir.Read("keep.ics"), "previous");
  // Given up by the writer after many blocks had gone to disk.
  IcsWriter writer;
  ASSERT_EQ(IcsBegin(&writer, path.c_str(), kCodePageLatin), 1);
  const std::string notes(2000, 'n');
  for (int i = 0; i < 200; ++i) ASSERT_EQ(IcsWriteEvent(&writer, &first, "x", notes.c_str()), 1);
  IcsAbort(&writer);
  EXPECT_EQ(dir.Read("keep.ics"), "previous");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no scratch file left
}

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

}  // namespace
