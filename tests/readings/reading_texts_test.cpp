// Reading texts: keys to texts in both customs, the custom read from
// exportcalshab.ini, bounded copies, and the form of every text (verses of
// real books, the weekly portions covering the Torah).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "readings/reading_texts.h"
#include "resources/strings.h"
#include "support/scratch_dir.h"

namespace {

std::string Text(int haphtarah, int key) {
  char out[kReadingTextSize];
  const int n = haphtarah ? HaphtarahText(key, out, sizeof out) : ReadingText(key, out, sizeof out);
  EXPECT_EQ(n, static_cast<int>(std::strlen(out))) << "key " << key;
  return out;
}

TEST(ReadingTexts, KeysToTextsInEachCustom) {
  struct Row {
    const char* file;  // exportcalshab.ini
    int haphtarah, key;
    const char* expected;
  };
  static constexpr char kIsrael[] = "[Parasha]\r\nDiasporaFlag=0\r\n";
  constexpr Row kRows[] = {
      // Pesah VIII on Shabbat: Israel has no such day ("(none)").
      {"", 0, 92, "Pesah VIII, Deuteronomy 14, 22-16, 17; Numbers 28, 19-25"},
      {kIsrael, 0, 92, ""},
      {"[parasha]\r\ndiasporaflag=0\r\n", 0, 92, ""},
      {"[Parasha]\r\nDiasporaFlag=2\r\n", 0, 92, "Pesah VIII, Deuteronomy 14, 22-16, 17; Numbers 28, 19-25"},
      // Shemini Atzeret's further readings exist in Israel only.
      {"", 0, 170, ""},
      {kIsrael, 0, 170, "Deuteronomy 33, 1-34, 12"},
      // No Israel variant: both customs read the Diaspora string.
      {kIsrael, 1, 0, "Isaiah 42, 5-43, 10 (Isaiah 42, 5-21)"},
      {"", 1, 172, "I Kings 8, 54-66"},
      {kIsrael, 1, 172, "Joshua 1, 1-18 (Joshua 1, 1-9)"},
      // A key without a string, and keys outside each block.
      {"", 0, 114, ""},
      {kIsrael, 0, -1, ""},
      {"", 0, 256, ""},
      {kIsrael, 1, 768, ""},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    dir.Write(kReadingSettingsFile, row.file);
    EXPECT_EQ(Text(row.haphtarah, row.key), row.expected) << row.key << " " << row.file;
  }
  ScratchDir dir;  // the custom lives in exportcalshab.ini, not exportcal.ini
  dir.Write("exportcal.ini", kIsrael);
  EXPECT_EQ(ReadingsDiasporaFlag(), 1);
}

// "(none)" in any case stands for no text; copies never pass their buffer;
// another language is never in force and is reset to the built-in texts.
TEST(ReadingTexts, NoneCopiesAndLanguage) {
  for (const auto& [text, none] : {std::pair{"(none)", 1}, {"(nOnE)", 1}, {"", 0}, {"(none) ", 0}, {"none", 0}})
    EXPECT_EQ(ReadingTextIsNone(text), none) << '"' << text << '"';
  ScratchDir dir;
  char out[kReadingTextSize];
  EXPECT_EQ(LoadReadingString(1116, out, sizeof out), 0);  // "(none)"
  EXPECT_STREQ(out, "");
  const std::string full = LoadText(328);  // a fast day with two parts: a long text
  for (int size : {0, 1, 2, 20}) {
    std::string buffer(size + 8, '#');
    EXPECT_EQ(LoadReadingString(328, buffer.data(), size), std::max(size - 1, 0)) << size;
    const std::string written = size ? full.substr(0, size - 1) + '\0' : "";
    EXPECT_EQ(buffer, written + std::string(size + 8 - written.size(), '#')) << size;
  }
  dir.Write(kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=0\r\n[ParashSettings]\r\nLanguage=3\r\n");
  EXPECT_EQ(Text(0, 0), "Bereshith, Genesis 1, 1-6, 8");
  ASSERT_EQ(ResetReadingLanguage(), 1);
  const std::string ini = dir.Read(kReadingSettingsFile);
  EXPECT_NE(ini.find("Language=1"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("Language=3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("DiasporaFlag=0"), std::string::npos) << ini;
}

// ---- the form of every text ------------------------------------------------

// The five books and the prophets read as Haphtarot, with their chapter
// counts in the Hebrew text.
struct Book {
  const char* name;
  int chapters;
};
constexpr Book kBooks[] = {
    {"Genesis", 50}, {"Exodus", 40}, {"Leviticus", 27}, {"Numbers", 36}, {"Deuteronomy", 34},
    {"Joshua", 24}, {"Judges", 21}, {"I Samuel", 31}, {"II Samuel", 24}, {"I Kings", 22},
    {"II Kings", 25}, {"Isaiah", 66}, {"Jeremiah", 52}, {"Ezekiel", 48}, {"Hosea", 14},
    {"Joel", 4}, {"Amos", 9}, {"Obadiah", 1}, {"Jonah", 4}, {"Micah", 7}, {"Nahum", 3},
    {"Habakkuk", 3}, {"Zephaniah", 3}, {"Haggai", 2}, {"Zechariah", 14}, {"Malachi", 3},
};
constexpr int kBookCount = sizeof kBooks / sizeof kBooks[0];
constexpr int kTorahBooks = 5;

struct Passage {
  int book, first, last;  // chapter * 1000 + verse; verse 999 is the end of the book
};

// The passages of a verse list, none when it is not one: "Book c, v[-v |
// -c, v | -end]" ranges in order within the book, joined by "; ", with
// optional "Morning: " and "Afternoon: " parts; a reading may have a name
// before it, a haphtarah the Sephardi verses in parentheses after it.
std::vector<Passage> Passages(const std::string& text, bool haphtarah) {
  static const std::regex kPassage(
      R"(((?:II? )?[A-Z][a-z]+) ([1-9]\d*), ([1-9]\d*)(?:-(?:([1-9]\d*), )?([1-9]\d*|end))?)");
  const std::string body = R"(((Morning|Afternoon): )?P(; P)*(; Afternoon: P(; P)*)?)";
  std::vector<Passage> out;
  std::string skeleton;
  std::size_t at = 0;
  for (std::sregex_iterator m(text.begin(), text.end(), kPassage), end; m != end; ++m) {
    const std::smatch& g = *m;
    int b = 0;
    while (b < kBookCount && g[1] != kBooks[b].name) ++b;
    if (b == kBookCount) return {};
    const int chapter = std::stoi(g[2]);
    Passage p{b, chapter * 1000 + std::stoi(g[3]), chapter * 1000 + std::stoi(g[3])};
    if (g[5] == "end") p.last = kBooks[b].chapters * 1000 + 999;
    else if (g[5].matched) p.last = (g[4].matched ? std::stoi(g[4]) : chapter) * 1000 + std::stoi(g[5]);
    if ((g[5].matched && p.last <= p.first) || p.last / 1000 > kBooks[b].chapters) return {};
    out.push_back(p);
    skeleton += text.substr(at, g.position() - at) + "P";
    at = g.position() + g.length();
  }
  const std::regex form(haphtarah ? "^" + body + "( \\(" + body + "\\))?$" : "^([^;]*, )?" + body + "$");
  return std::regex_match(skeleton + text.substr(at), form) ? out : std::vector<Passage>{};
}

// The checker itself refuses what it must, so that the form tests can fail.
TEST(ReadingTexts, VerseListChecker) {
  for (const auto& [text, ok] : {std::pair{"II Kings 4, 1-37 (II Kings 4, 1-23)", 1},
                                 {"Morning: Exodus 32, 11-14; Exodus 34, 1-10; Afternoon: Exodus 32, 11-14", 1},
                                 {"Deuteronomy 33, 1-end", 1},
                                 {"Genesis 1, 1-6, 8;", 0},
                                 {"Genesis 51, 1-3", 0},
                                 {"Genesis 6, 9-5, 32", 0},
                                 {"Revelation 1, 1-3", 0},
                                 {"Isaiah 66, 1-24 (Isaiah 66, 1-10", 0}})
    EXPECT_EQ(Passages(text, true).size() > 0, ok) << text;
}

// Every text of every block: a haphtarah is a verse list, a reading one of
// the Torah after its name; a few readings are a name alone (no digit).
// The weekly portions 0-53 follow each other through the Torah without gap
// or overlap, Simchat Torah's reading ending it.
TEST(ReadingTexts, EveryTextIsAVerseListAndThePortionsCoverTheTorah) {
  int checked = 0;
  for (int base : {kReadingBase, kHaphtarahBase, kIsraelReadingBase, kIsraelHaphtarahBase}) {
    const bool haphtarah = base == kHaphtarahBase || base == kIsraelHaphtarahBase;
    for (int k = 0; k < kReadingKeyLimit; ++k) {
      const char* text = LoadText(base + k);
      EXPECT_LE(std::strlen(text), 255u) << base + k;
      if (text[0] == '\0' || ReadingTextIsNone(text)) continue;
      ++checked;
      if (!haphtarah && !std::strpbrk(text, "0123456789")) continue;  // a name alone
      const std::vector<Passage> passages = Passages(text, haphtarah);
      EXPECT_FALSE(passages.empty()) << base + k << ": " << text;
      for (const Passage& p : passages) EXPECT_TRUE(haphtarah || p.book < kTorahBooks) << base + k << ": " << text;
    }
  }
  EXPECT_GT(checked, 250);
  Passage previous{0, 0, 0};
  for (int k = 0; k <= 53; ++k) {
    const char* text = LoadText(kReadingBase + k);
    const std::vector<Passage> passages = Passages(text, false);
    ASSERT_EQ(passages.size(), 1u) << text;
    const Passage& p = passages[0];
    if (k == 0 || p.book != previous.book) {
      EXPECT_EQ(p.book, k == 0 ? 0 : previous.book + 1) << text;
      EXPECT_TRUE(k == 0 || previous.last / 1000 == kBooks[previous.book].chapters) << text;
      EXPECT_EQ(p.first, 1001) << text;
    } else {
      EXPECT_EQ(p.first, p.first % 1000 == 1 ? previous.last / 1000 * 1000 + 1001 : previous.last + 1) << text;
    }
    previous = p;
  }
  EXPECT_EQ(previous.last, kBooks[kTorahBooks - 1].chapters * 1000 + 999);
}

}  // namespace
