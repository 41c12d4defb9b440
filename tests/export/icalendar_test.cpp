// The iCalendar writer: escaping and folding by octets, the one pass from
// a code page to folded UTF-8 against the two steps it stands for, random
// UIDs, and UTF-8 from both code pages with Hebrew back in reading order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "export/icalendar.h"
#include "export/text_encoding.h"
#include "support/scratch_dir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

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
      {"escapes", "a,b;c\r\n", "SUMMARY:a\\,b\\;c\\n\r\n"},
      {"backslash doubled", "a\\b", "SUMMARY:a\\\\b\r\n"},
      {"67 characters fill the line", c67, "SUMMARY:" + c67 + "\r\n"},
      {"the 68th folds", c67 + "d", "SUMMARY:" + c67 + "\r\n d\r\n"},
      {"an escape pair is never split", c66 + ",", "SUMMARY:" + c66 + "\r\n \\,\r\n"},
      {"a UTF-8 sequence is never split", c66 + "\xD7\x90", "SUMMARY:" + c66 + "\r\n \xD7\x90\r\n"},
      {"a three-octet sequence at the edge", c65 + "\xE2\x82\xAC", "SUMMARY:" + c65 + "\r\n \xE2\x82\xAC\r\n"},
  };
  for (const auto& row : kRows) EXPECT_EQ(Property("SUMMARY:", row.text), row.expected) << row.id;
}

// Texts of bytes 1-255 from a fixed pseudo-random sequence: runs of every
// length, the escaped characters, line breaks, Latin and Hebrew letters,
// bytes no code page defines.
std::vector<std::string> Texts() {
  std::vector<std::string> texts = {"", std::string(160, 'b'), "a,b;c\\d\r\ne\nf\rg"};
  for (int c = 1; c < 256; ++c) texts[0] += (char)c;
  const std::string pieces[] = {"Zmanim:", "\r\n", ",", ";", "\\", " ", "12:34", "\xE0\xE1\xE2",
                                "\xE4 \xF9'", "\x80\x81\x9F", "\xA4\xFF", "Alot Hashachar: "};
  std::uint32_t state = 20070305;
  const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
  for (int t = 0; t < 300; ++t) {
    std::string text;
    for (int p = (int)(next() % 60); p > 0; --p)
      text += next() % 3 == 0 ? std::string(1, (char)(1 + next() % 255)) : pieces[next() % 12];
    texts.push_back(text);
  }
  return texts;
}

// Every line is at most 75 octets, and every continuation starts with one
// space and never inside a UTF-8 sequence; the writer's one pass gives the
// same lines as the two steps, over files of several of its blocks.
TEST(IcsWriter, FoldedUtf8OfEveryText) {
  ScratchDir dir;
  const std::vector<std::string> texts = Texts();
  for (CodePage page : {kCodePageLatin, kCodePageHebrew}) {
    std::vector<CalDate> dates;
    std::vector<std::string> captions, notes;
    std::vector<const char*> captionPointers, notePointers;
    std::string expected;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      dates.push_back({1 + (int)(i % 28), 1 + (int)(i % 12), 2007});
      captions.push_back(texts[(i * 7) % texts.size()].substr(0, 90));
      notes.push_back(texts[i] + texts[(i * 13) % texts.size()]);
      expected += Property("SUMMARY:", Utf8FromText(captions[i].c_str(), page));
      if (!notes[i].empty()) expected += Property("DESCRIPTION:", Utf8FromText(notes[i].c_str(), page));
      // Without the marks of user text, which is taken as UTF-8 already.
      std::string plain = notes[i];
      plain.erase(std::remove_if(plain.begin(), plain.end(), [](char c) { return c == kUserTextStart || c == kUserTextEnd; }),
                  plain.end());
      const std::vector<std::string> lines = Lines(Property("DESCRIPTION:", Utf8FromText(plain.c_str(), page)));
      for (std::size_t l = 0; l < lines.size(); ++l) {
        EXPECT_LE(lines[l].size(), 75u) << i;
        if (l > 0) {
          EXPECT_TRUE(lines[l][0] == ' ' && ((unsigned char)lines[l][1] & 0xC0) != 0x80) << i << lines[l];
        }
      }
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
    EXPECT_EQ(file.substr(file.size() - 15), "END:VCALENDAR\r\n");
  }
}

TEST(IcsWriter, RandomUidsDifferAndHaveTheirForm) {
  ScratchDir dir;
  std::vector<CalDate> dates(50, CalDate{1, 1, 2007});
  std::vector<const char*> texts(50, "x");
  const std::string path = dir.File("uids.ics");
  ASSERT_EQ(WriteIcsEntries(path.c_str(), dates.data(), texts.data(), texts.data(), 50, kCodePageLatin), 1);
  std::set<std::string> uids;
  for (const std::string& line : Lines(dir.Read("uids.ics"))) {
    if (line.rfind("UID:", 0) != 0) continue;
    uids.insert(line);
    EXPECT_EQ(line.size(), 4 + 8 + 1 + 9 + 1 + 36 + 15u) << line;  // date-time-GUID@tavlon.invalid
    EXPECT_EQ(line.find_first_not_of("0123456789", 4), 12u) << line;
  }
  EXPECT_EQ(uids.size(), 50u);
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
      // "Adar I" (alef dalet resch space alef geresh), visual: ' alef space resch dalet alef.
      {"geresh stays with its word", "15 '\xE0 \xF8\xE3\xE0 5768", kCodePageHebrew,
       "15 \xD7\x90\xD7\x93\xD7\xA8 \xD7\x90' 5768"},
      // Two names joined in visual order read first-to-second after the turn.
      {"joined names", "\xE1\xE2 _ \xE0", kCodePageHebrew, "\xD7\x90 _ \xD7\x92\xD7\x91"},
      {"Latin text in Hebrew mode is untouched", "Za'hor, 1 L'Omer", kCodePageHebrew, "Za'hor, 1 L'Omer"},
      {"sheqel sign", "\xA4", kCodePageHebrew, "\xE2\x82\xAA"},
  };
  for (const auto& row : kRows) EXPECT_EQ(Utf8FromText(row.text, row.page), row.utf8) << row.id;
}

}  // namespace
