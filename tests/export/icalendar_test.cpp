// The iCalendar writer: the layout of a file, escaping and folding by
// octets, the label marker, UTF-8 from both code pages with Hebrew back in
// reading order.
#include <gtest/gtest.h>

#include <regex>
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

// The file with the two values that change on every run masked.
std::string Masked(const std::string& text) {
  std::string out = std::regex_replace(text, std::regex("DTSTAMP:\\d{8}T\\d{6}Z"), "DTSTAMP:*");
  return std::regex_replace(
      out, std::regex("UID:\\d{8}-\\d{9}-[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}@tavlon\\.invalid"),
      "UID:*");
}

std::string Property(const char* name, const std::string& utf8) {
  std::string out;
  WriteIcsTextProperty(&out, name, utf8);
  return out;
}

struct TextRow {
  const char* id;
  std::string text;
  std::string expected;
};

TEST(IcsTextProperty, EscapingAndFolding) {
  const std::string c67(67, 'c');
  const TextRow rows[] = {
      {"empty text: the bare name", "", "SUMMARY:\r\n"},
      {"escapes", "a,b;c\r\n", "SUMMARY:a\\,b\\;c\\n\r\n"},
      {"backslash doubled", "a\\b", "SUMMARY:a\\\\b\r\n"},
      {"67 characters fill the line", c67, "SUMMARY:" + c67 + "\r\n"},
      {"68th character folds", c67 + "d", "SUMMARY:" + c67 + "\r\n d\r\n"},
      {"an escape pair is never split", std::string(66, 'c') + ",", "SUMMARY:" + std::string(66, 'c') + "\r\n \\,\r\n"},
      {"a UTF-8 sequence is never split", std::string(66, 'c') + "\xD7\x90", "SUMMARY:" + std::string(66, 'c') + "\r\n \xD7\x90\r\n"},
      {"a three-octet sequence at the edge", std::string(65, 'c') + "\xE2\x82\xAC", "SUMMARY:" + std::string(65, 'c') + "\r\n \xE2\x82\xAC\r\n"},
  };
  for (const TextRow& row : rows) EXPECT_EQ(Property("SUMMARY:", row.text), row.expected) << row.id;
}

// Whatever the text, every line is at most 75 octets, every continuation
// starts with one space, and unfolding gives back the escaped text.
TEST(IcsTextProperty, FoldingProperties) {
  std::string text;
  for (int i = 0; i < 600; ++i) {
    const char* pieces[] = {"a", ",", ";", "\\", "\r\n", "\xD7\x90", "\xE2\x82\xAA", " "};
    text += pieces[(i * 7 + i / 3) % 8];
  }
  const std::string folded = Property("DESCRIPTION:", text);
  std::string unfolded;
  bool first = true;
  for (const std::string& line : Lines(folded)) {
    ASSERT_LE(line.size(), 75u);
    if (!first) {
      ASSERT_EQ(line[0], ' ');
      unfolded += line.substr(1);
    } else {
      unfolded += line;
    }
    first = false;
    // no line ends inside a UTF-8 sequence or after a lone escape backslash
    ASSERT_FALSE((unsigned char)line.back() >= 0xC0);
  }
  std::string expected = "DESCRIPTION:";
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') expected += "\\n";
    else if (c == ',' || c == ';' || c == '\\') expected += std::string("\\") + c;
    else expected += c;
  }
  EXPECT_EQ(unfolded, expected);
}

TEST(IcsFile, LayoutOfAFile) {
  ScratchDir dir;
  const CalDate dates[] = {{31, 12, 2006}, {29, 2, 2008}, {1, 1, 2007}};
  const char* captions[] = {"11 Tevet 5767 - 31 December 2006", "Purim#3", ""};
  const char* notes[] = {"a,b;c\r\n", "", "x"};
  const std::string path = dir.File("out.ics");
  ASSERT_EQ(WriteIcsEntries(path.c_str(), dates, captions, notes, 3, kCodePageLatin), 1);
  const std::string expected =
      "BEGIN:VCALENDAR\r\n"
      "PRODID:-//Brannock//Tavlon//EN\r\n"
      "VERSION:2.0\r\n"
      "METHOD:PUBLISH\r\n"
      "BEGIN:VEVENT\r\n"
      "DTSTART;VALUE=DATE:20061231\r\n"
      "DTEND;VALUE=DATE:20070101\r\n"
      "DTSTAMP:*\r\n"
      "UID:*\r\n"
      "SUMMARY:11 Tevet 5767 - 31 December 2006\r\n"
      "DESCRIPTION:a\\,b\\;c\\n\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\n"
      "DTSTART;VALUE=DATE:20080229\r\n"
      "DTEND;VALUE=DATE:20080301\r\n"
      "DTSTAMP:*\r\n"
      "UID:*\r\n"
      "SUMMARY:Purim\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\n"
      "DTSTART;VALUE=DATE:20070101\r\n"
      "DTEND;VALUE=DATE:20070102\r\n"
      "DTSTAMP:*\r\n"
      "UID:*\r\n"
      "SUMMARY:\r\n"
      "DESCRIPTION:x\r\n"
      "END:VEVENT\r\n"
      "END:VCALENDAR\r\n";
  EXPECT_EQ(Masked(dir.Read("out.ics")), expected);
}

TEST(IcsFile, NoEntriesGivesHeaderAndEnd) {
  ScratchDir dir;
  const std::string path = dir.File("empty.ics");
  ASSERT_EQ(WriteIcsEntries(path.c_str(), nullptr, nullptr, nullptr, 0, kCodePageLatin), 1);
  EXPECT_EQ(dir.Read("empty.ics"),
            "BEGIN:VCALENDAR\r\nPRODID:-//Brannock//Tavlon//EN\r\nVERSION:2.0\r\n"
            "METHOD:PUBLISH\r\nEND:VCALENDAR\r\n");
}

TEST(IcsFile, UidsDifferAndHaveTheirForm) {
  ScratchDir dir;
  std::vector<CalDate> dates(50, CalDate{1, 1, 2007});
  std::vector<const char*> texts(50, "x");
  const std::string path = dir.File("uids.ics");
  ASSERT_EQ(WriteIcsEntries(path.c_str(), dates.data(), texts.data(), texts.data(), 50, kCodePageLatin), 1);
  std::vector<std::string> uids;
  for (const std::string& line : Lines(dir.Read("uids.ics")))
    if (line.rfind("UID:", 0) == 0) uids.push_back(line);
  ASSERT_EQ(uids.size(), 50u);
  for (std::size_t i = 0; i < uids.size(); ++i) {
    EXPECT_EQ(Masked(uids[i]), "UID:*") << uids[i];
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(uids[i], uids[j]);
  }
}

struct EncodingRow {
  const char* id;
  const char* text;
  CodePage page;
  const char* utf8;
};

TEST(TextEncoding, Utf8FromBothCodePages) {
  const EncodingRow rows[] = {
      {"ASCII unchanged", "Rosh Hodesh, 1 L'Omer", kCodePageLatin, "Rosh Hodesh, 1 L'Omer"},
      {"Latin-1 letters", "M\xE4rz J\xFCli", kCodePageLatin, "M\xC3\xA4rz J\xC3\xBCli"},
      {"Windows-1252 punctuation", "\x80 \x93q\x94 \x96", kCodePageLatin, "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\x93"},
      {"undefined byte", "\x81", kCodePageLatin, "\xEF\xBF\xBD"},
      // "Adar" in visual order (resch dalet alef) becomes alef dalet resch.
      {"one Hebrew word", "\xF8\xE3\xE0", kCodePageHebrew, "\xD7\x90\xD7\x93\xD7\xA8"},
      // "Adar I" (alef dalet resch space alef geresh), visual: ' alef space resch dalet alef.
      {"geresh stays with its word", "15 '\xE0 \xF8\xE3\xE0 5768", kCodePageHebrew,
       "15 \xD7\x90\xD7\x93\xD7\xA8 \xD7\x90' 5768"},
      // Two names joined in visual order read first-to-second after the turn.
      {"joined names", "\xE1\xE2 _ \xE0", kCodePageHebrew, "\xD7\x90 _ \xD7\x92\xD7\x91"},
      {"Latin text in Hebrew mode is untouched", "Za'hor, 1 L'Omer", kCodePageHebrew, "Za'hor, 1 L'Omer"},
      {"sheqel sign", "\xA4", kCodePageHebrew, "\xE2\x82\xAA"},
  };
  for (const EncodingRow& row : rows) EXPECT_EQ(Utf8FromText(row.text, row.page), row.utf8) << row.id;
}

TEST(IcsFile, HebrewSummaryInReadingOrder) {
  ScratchDir dir;
  const CalDate date = {24, 3, 2008};
  // Purim (pey vav resch yod endmem) in visual order, with a label marker.
  const char* caption = "\xED\xE9\xF8\xE5\xF4#2";
  const char* notes = "";
  const std::string path = dir.File("he.ics");
  ASSERT_EQ(WriteIcsEntries(path.c_str(), &date, &caption, &notes, 1, kCodePageHebrew), 1);
  EXPECT_NE(dir.Read("he.ics").find("SUMMARY:\xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D\r\n"), std::string::npos);
}

}  // namespace
