// The event writer's one pass from a code page to folded UTF-8 against the
// two steps it stands for (Utf8FromText, then WriteIcsTextProperty), on
// texts of every byte, both code pages and lengths around the folds; and
// files of many events, written in blocks, complete and in order.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "export/icalendar.h"
#include "export/text_encoding.h"
#include "support/scratch_dir.h"

namespace {

// A fixed pseudo-random sequence, the same on every system.
struct Sequence {
  std::uint32_t state;
  std::uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
};

// Texts of bytes 1-255: plain runs of every length, the escaped characters,
// line breaks, Latin and Hebrew letters, bytes no code page defines.
std::vector<std::string> Texts() {
  std::vector<std::string> texts = {"", "x", std::string(74, 'a'), std::string(75, 'a'),
                                    std::string(160, 'b'), "a,b;c\\d\r\ne\nf\rg"};
  std::string every;
  for (int c = 1; c < 256; ++c) every += (char)c;
  texts.push_back(every);
  texts.push_back(std::string(every.rbegin(), every.rend()));
  const std::string pieces[] = {"Zmanim:", "\r\n", ",", ";", "\\", " ", "12:34", "\xE0\xE1\xE2",
                                "\xE4 \xF9'", "\x80\x81\x9F", "\xA4\xFF", "Alot Hashachar: "};
  Sequence random{20070305};
  for (int t = 0; t < 300; ++t) {
    std::string text;
    const int parts = (int)(random.Next() % 60);
    for (int p = 0; p < parts; ++p) {
      if (random.Next() % 3 == 0) text += (char)(1 + random.Next() % 255);
      else text += pieces[random.Next() % (sizeof pieces / sizeof pieces[0])];
    }
    texts.push_back(text);
  }
  return texts;
}

// The lines of one event's two text properties as the two steps write them.
std::string Expected(const std::string& caption, const std::string& notes, CodePage page) {
  std::string out;
  // The captions end in the label marker "#3"; any "#" before it is text.
  const std::string title = caption.substr(0, caption.size() - 2);
  WriteIcsTextProperty(&out, "SUMMARY:", Utf8FromText(title.c_str(), page));
  if (!notes.empty()) WriteIcsTextProperty(&out, "DESCRIPTION:", Utf8FromText(notes.c_str(), page));
  return out;
}

// From each event of the file the lines from SUMMARY to END:VEVENT.
std::vector<std::string> EventTexts(const std::string& file) {
  std::vector<std::string> events;
  for (std::size_t at = file.find("\r\nSUMMARY:"); at != std::string::npos;
       at = file.find("\r\nSUMMARY:", at + 1)) {
    const std::size_t end = file.find("\r\nEND:VEVENT\r\n", at);
    events.push_back(file.substr(at + 2, end - at));
  }
  return events;
}

TEST(IcsWriter, OnePassEqualsTheTwoSteps) {
  ScratchDir dir;
  const std::vector<std::string> texts = Texts();
  // More than enough events to fill several of the writer's blocks.
  for (CodePage page : {kCodePageLatin, kCodePageHebrew}) {
    std::vector<CalDate> dates;
    std::vector<std::string> captions, notes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      dates.push_back({1 + (int)(i % 28), 1 + (int)(i % 12), 2007});
      captions.push_back(texts[(i * 7) % texts.size()].substr(0, 90) + "#3");
      notes.push_back(texts[i] + texts[(i * 13) % texts.size()]);
    }
    std::vector<const char*> captionPointers, notePointers;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      captionPointers.push_back(captions[i].c_str());
      notePointers.push_back(notes[i].c_str());
    }
    const std::string path = dir.File("every.ics");
    ASSERT_EQ(WriteIcsEntries(path.c_str(), dates.data(), captionPointers.data(),
                              notePointers.data(), (int)texts.size(), page),
              1);
    const std::string file = dir.Read("every.ics");
    ASSERT_GT(file.size(), 128u * 1024) << "the file should span several blocks";
    const std::vector<std::string> events = EventTexts(file);
    ASSERT_EQ(events.size(), texts.size()) << "page " << page;
    for (std::size_t i = 0; i < events.size(); ++i)
      EXPECT_EQ(events[i], Expected(captions[i], notes[i], page))
          << "page " << page << ", text " << i;
    EXPECT_EQ(file.substr(file.size() - 15), "END:VCALENDAR\r\n");
  }
}

TEST(IcsWriter, AbortAfterManyBlocksKeepsThePreviousFile) {
  ScratchDir dir;
  dir.Write("keep.ics", "old");
  IcsWriter writer;
  const std::string path = dir.File("keep.ics");
  ASSERT_EQ(IcsBegin(&writer, path.c_str(), kCodePageLatin), 1);
  const std::string notes(2000, 'n');
  const CalDate date = {1, 1, 2007};
  for (int i = 0; i < 200; ++i) ASSERT_EQ(IcsWriteEvent(&writer, &date, "x", notes.c_str()), 1);
  IcsAbort(&writer);
  EXPECT_EQ(dir.Read("keep.ics"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
