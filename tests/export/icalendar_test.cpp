// The iCalendar writer's folding and UTF-8 from both code pages (the golden
// exports hold the escapes, Adar I's geresh and Latin text in Hebrew mode).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/icalendar.h"
#include "export/text_encoding.h"
#include "support/scratch_dir.h"

namespace {

std::string Property(const char* name, const std::string& utf8) {
  std::string out;
  WriteIcsTextProperty(&out, name, utf8);
  return out;
}

TEST(IcsTextProperty, EscapingAndFolding) {
  const std::string c65(65, 'c'), c66(66, 'c'), c67(67, 'c');
  const struct {
    const char* id;
    std::string text;
    std::string expected;
  } kRows[] = {
      {"empty text: the bare name", "", "SUMMARY:\r\n"},
      {"67 characters fill the line", c67, "SUMMARY:" + c67 + "\r\n"},
      {"the 68th folds", c67 + "d", "SUMMARY:" + c67 + "\r\n d\r\n"},
      {"an escape pair is never split", c66 + ",", "SUMMARY:" + c66 + "\r\n \\,\r\n"},
      {"a UTF-8 sequence is never split", c66 + "\xD7\x90", "SUMMARY:" + c66 + "\r\n \xD7\x90\r\n"},
      {"a three-octet sequence at the edge", c65 + "\xE2\x82\xAC", "SUMMARY:" + c65 + "\r\n \xE2\x82\xAC\r\n"},
  };
  for (const auto& row : kRows) EXPECT_EQ(Property("SUMMARY:", row.text), row.expected) << row.id;
}

// The writer's one pass equals Utf8FromText then WriteIcsTextProperty, on
// texts of every byte and length around the folds, over several blocks.
TEST(IcsWriter, OnePassEqualsTheTwoSteps) {
  ScratchDir dir;
  std::vector<std::string> texts(400);
  for (std::size_t n = 0; n < texts.size(); ++n)
    for (std::size_t k = 0; k < n % 97; ++k) texts[n] += (char)(1 + (n * 31 + k * 7) % 255);
  for (CodePage page : {kCodePageLatin, kCodePageHebrew}) {
    std::vector<CalDate> dates;
    std::vector<std::string> captions, notes;
    std::vector<const char*> captionPointers, notePointers;
    std::string expected;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      dates.push_back({1 + (int)(i % 28), 1 + (int)(i % 12), 2007});
      captions.push_back(texts[(i * 7) % texts.size()]);
      notes.push_back(texts[i] + texts[(i * 13) % texts.size()]);
      expected += Property("SUMMARY:", Utf8FromText(captions[i].c_str(), page));
      if (!notes[i].empty()) expected += Property("DESCRIPTION:", Utf8FromText(notes[i].c_str(), page));
      captions[i] += "#3";  // the label marker, not written
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
      captionPointers.push_back(captions[i].c_str());
      notePointers.push_back(notes[i].c_str());
    }
    const std::string path = dir.File("every.ics");
    ASSERT_EQ(WriteIcsEntries(path.c_str(), dates.data(), captionPointers.data(), notePointers.data(),
                              (int)texts.size(), page), 1);
    const std::string file = dir.Read("every.ics");
    ASSERT_GT(file.size(), 128u * 1024) << "the file should span several blocks";
    std::string written;  // from each event the lines from SUMMARY to END:VEVENT
    for (std::size_t at = file.find("\r\nSUMMARY:"); at != std::string::npos; at = file.find("\r\nSUMMARY:", at + 1))
      written += file.substr(at + 2, file.find("\r\nEND:VEVENT\r\n", at) - at);
    EXPECT_EQ(written, expected) << "page " << page;
    std::size_t start = 0;
    for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
      ASSERT_LE(end - start, 75u) << file.substr(start, end - start);
    EXPECT_EQ(start, file.size()) << "text after the last CR LF";
  }
}

TEST(TextEncoding, Utf8FromBothCodePages) {
  const struct {
    const char* id;
    const char* text;
    CodePage page;
    const char* utf8;
  } kRows[] = {
      {"Windows-1252 punctuation", "\x80 \x93q\x94 \x96", kCodePageLatin,
       "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\x93"},
      {"undefined byte", "\x81", kCodePageLatin, "\xEF\xBF\xBD"},
      // Two names joined in visual order read first-to-second after the turn.
      {"joined names", "\xE1\xE2 _ \xE0", kCodePageHebrew, "\xD7\x90 _ \xD7\x92\xD7\x91"},
      {"sheqel sign", "\xA4", kCodePageHebrew, "\xE2\x82\xAA"},
  };
  for (const auto& row : kRows) EXPECT_EQ(Utf8FromText(row.text, row.page), row.utf8) << row.id;
}

}  // namespace
