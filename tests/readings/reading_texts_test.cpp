// Reading texts: keys to texts in both customs, the "(none)" rule, the
// custom read from exportcalshab.ini, bounded copies, and the form of every
// text (verses of real books, the weekly portions covering the Torah).
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "readings/reading_texts.h"
#include "resources/strings.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kIsrael = 0;
constexpr int kDiaspora = 1;

void UseCustom(const ScratchDir& dir, int diaspora) {
  dir.Write(kReadingSettingsFile,
            diaspora ? "[Parasha]\r\nDiasporaFlag=1\r\n" : "[Parasha]\r\nDiasporaFlag=0\r\n");
}

std::string Text(int haphtarah, int key) {
  char out[kReadingTextSize];
  const int n = haphtarah ? HaphtarahText(key, out, sizeof out) : ReadingText(key, out, sizeof out);
  EXPECT_EQ(n, static_cast<int>(std::strlen(out))) << "key " << key;
  return out;
}

TEST(ReadingTexts, KeysToTexts) {
  struct Row {
    int custom, haphtarah, key;
    const char* expected;
  };
  constexpr Row rows[] = {
      // Pesah VIII on Shabbat: Israel has no such day ("(none)").
      {kDiaspora, 0, 92, "Pesah VIII, Deuteronomy 14, 22-16, 17; Numbers 28, 19-25"},
      {kIsrael, 0, 92, ""},
      // Shemini Atzeret's further readings exist in Israel only.
      {kDiaspora, 0, 170, ""},
      {kIsrael, 0, 170, "Deuteronomy 33, 1-34, 12"},
      {kDiaspora, 0, 85, "Shemini Azereth, Deuteronomy 14, 22-16, 17; Numbers 29, 35-30, 1"},
      {kIsrael, 0, 85, "Shemini Azereth/Simchat Torah"},
      // No Israel variant: both customs read the Diaspora string.
      {kIsrael, 0, 0, "Bereshith, Genesis 1, 1-6, 8"},
      {kIsrael, 1, 0, "Isaiah 42, 5-43, 10 (Isaiah 42, 5-21)"},
      // Hol Hamoed in Israel reads the day's offering only.
      {kDiaspora, 0, 76, "Succoth III, Numbers 29, 17-25"},
      {kIsrael, 0, 76, "Succoth III, Numbers 29, 20-22"},
      {kDiaspora, 1, 172, "I Kings 8, 54-66"},
      {kIsrael, 1, 172, "Joshua 1, 1-18 (Joshua 1, 1-9)"},
      // Keys without a string, and keys outside each block.
      {kDiaspora, 0, 114, ""},
      {kIsrael, 0, -1, ""},
      {kDiaspora, 0, 256, ""},
      {kIsrael, 1, 768, ""},
  };
  ScratchDir dir;
  for (const Row& row : rows) {
    UseCustom(dir, row.custom);
    EXPECT_EQ(Text(row.haphtarah, row.key), row.expected) << row.key << " custom " << row.custom;
  }
}

TEST(ReadingTexts, CustomFromShabbatSettingsFile) {
  struct Row {
    const char* file;
    const char* content;  // nullptr: no file at all
    int diaspora;
  };
  constexpr Row rows[] = {
      {kReadingSettingsFile, nullptr, 1},
      {kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=0\r\n", 0},
      {kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=2\r\n", 1},
      {kReadingSettingsFile, "[parasha]\r\ndiasporaflag=0\r\n", 0},
      {"exportcal.ini", "[Parasha]\r\nDiasporaFlag=0\r\n", 1},
  };
  for (const Row& row : rows) {
    ScratchDir dir;
    if (row.content) dir.Write(row.file, row.content);
    EXPECT_EQ(ReadingsDiasporaFlag(), row.diaspora) << row.content;
    EXPECT_EQ(Text(0, 92).empty(), !row.diaspora) << row.content;
  }
}

TEST(ReadingTexts, NoneInAnyCase) {
  for (const char* none : {"(none)", "(NONE)", "(nOnE)"}) EXPECT_EQ(ReadingTextIsNone(none), 1) << none;
  for (const char* text : {"", "none", "(none) ", " (none)", "(non)"})
    EXPECT_EQ(ReadingTextIsNone(text), 0) << '"' << text << '"';
}

TEST(ReadingTexts, CopiesStayInsideTheBuffer) {
  ScratchDir dir;
  EXPECT_EQ(LoadReadingString(240, nullptr, 0), 0);
  char out[kReadingTextSize];
  EXPECT_EQ(LoadReadingString(1116, out, sizeof out), 0);  // "(none)"
  EXPECT_STREQ(out, "");
  // 328 is the longest kind of text: a fast day with two parts.
  const std::string full = LoadText(328);
  ASSERT_GT(full.size(), 20u);
  for (int size : {1, 2, 20}) {
    std::vector<char> buffer(size + 8, '#');
    EXPECT_EQ(LoadReadingString(328, buffer.data(), size), size - 1) << size;
    EXPECT_EQ(std::string(buffer.data()), full.substr(0, size - 1)) << size;
    for (int i = size; i < size + 8; ++i) EXPECT_EQ(buffer[i], '#') << "size " << size << " byte " << i;
  }
  char z = 'Z';
  EXPECT_EQ(ReadingText(0, &z, 0), 0);
  EXPECT_EQ(z, 'Z');  // nothing written for a zero-size buffer
}

TEST(ReadingTexts, LanguageResetToTheBuiltInTexts) {
  ScratchDir dir;
  dir.Write(kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=0\r\n[ParashSettings]\r\nLanguage=3\r\n");
  // Another language is never in force: the texts stay English.
  EXPECT_EQ(Text(0, 0), "Bereshith, Genesis 1, 1-6, 8");
  ASSERT_EQ(ResetReadingLanguage(), 1);
  const std::string ini = dir.Read(kReadingSettingsFile);
  EXPECT_NE(ini.find("Language=1"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("Language=3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("DiasporaFlag=0"), std::string::npos) << ini;
}

// ---- the form of every text ------------------------------------------------

struct Book {
  const char* name;
  int chapters;
};

// The five books and the prophets read as Haphtarot, with their chapter
// counts in the Hebrew text.
constexpr Book kBooks[] = {
    {"Genesis", 50}, {"Exodus", 40}, {"Leviticus", 27}, {"Numbers", 36}, {"Deuteronomy", 34},
    {"Joshua", 24}, {"Judges", 21}, {"I Samuel", 31}, {"II Samuel", 24}, {"I Kings", 22},
    {"II Kings", 25}, {"Isaiah", 66}, {"Jeremiah", 52}, {"Ezekiel", 48}, {"Hosea", 14},
    {"Joel", 4}, {"Amos", 9}, {"Obadiah", 1}, {"Jonah", 4}, {"Micah", 7}, {"Nahum", 3},
    {"Habakkuk", 3}, {"Zephaniah", 3}, {"Haggai", 2}, {"Zechariah", 14}, {"Malachi", 3},
};
constexpr int kTorahBooks = 5;

struct Passage {
  int book;  // index into kBooks
  int firstChapter, firstVerse, lastChapter, lastVerse;  // verse 999: the end of the book
};

int Literal(const char** p, const char* s) {
  const size_t n = std::strlen(s);
  if (std::strncmp(*p, s, n) != 0) return 0;
  *p += n;
  return 1;
}

int Number(const char** p, int* value) {
  if (**p < '1' || **p > '9') return 0;  // no leading zero, no sign
  *value = 0;
  while (**p >= '0' && **p <= '9' && *value < 1000) *value = *value * 10 + (*(*p)++ - '0');
  return *value < 1000;
}

// Book chapter, verse[-[chapter, ]verse|-end]; a range ends after it
// begins, within the book.
int ParsePassage(const char** p, Passage* out) {
  int b = -1;  // the longest matching name: "II Kings" is no "I Kings"
  for (int i = 0; i < static_cast<int>(std::size(kBooks)); ++i) {
    const size_t n = std::strlen(kBooks[i].name);
    if (std::strncmp(*p, kBooks[i].name, n) == 0 && (*p)[n] == ' ' &&
        (b < 0 || n > std::strlen(kBooks[b].name)))
      b = i;
  }
  if (b < 0) return 0;
  *p += std::strlen(kBooks[b].name) + 1;
  Passage r{b, 0, 0, 0, 0};
  if (!Number(p, &r.firstChapter) || !Literal(p, ", ") || !Number(p, &r.firstVerse)) return 0;
  r.lastChapter = r.firstChapter;
  r.lastVerse = r.firstVerse;
  if (Literal(p, "-")) {
    int n = 0;
    if (Literal(p, "end")) {
      r.lastChapter = kBooks[b].chapters;
      r.lastVerse = 999;
    } else if (!Number(p, &n)) {
      return 0;
    } else if (Literal(p, ", ")) {  // across chapters
      r.lastChapter = n;
      if (!Number(p, &r.lastVerse)) return 0;
    } else {
      r.lastVerse = n;
    }
    if (r.lastChapter * 1000 + r.lastVerse <= r.firstChapter * 1000 + r.firstVerse) return 0;
  }
  if (r.lastChapter > kBooks[b].chapters) return 0;
  *out = r;
  return 1;
}

// passage ("; " passage)*, with optional "Morning: " and "Afternoon: "
// parts, the afternoon after the morning.
int ParseBody(const char** p, std::vector<Passage>* out) {
  const bool morning = Literal(p, "Morning: ");
  bool afternoon = !morning && Literal(p, "Afternoon: ");
  for (;;) {
    Passage passage;
    if (!ParsePassage(p, &passage)) return 0;
    out->push_back(passage);
    if (!Literal(p, "; ")) return 1;
    if (morning && !afternoon && Literal(p, "Afternoon: ")) afternoon = true;
  }
}

// A whole verse list, for a Haphtarah optionally followed by " (" the
// Sephardi custom's verses ")".
int ParseVerses(const char* text, bool haphtarah, std::vector<Passage>* out) {
  const char* p = text;
  if (!ParseBody(&p, out)) return 0;
  if (haphtarah && Literal(&p, " (")) {
    std::vector<Passage> sephardi;
    if (!ParseBody(&p, &sephardi) || !Literal(&p, ")")) return 0;
  }
  return *p == '\0';
}

// A reading: its verses, possibly after a name ("Noah, Genesis 6, 9-11, 32";
// names may hold ", " themselves).
int ParseReading(const char* text, std::vector<Passage>* out) {
  for (const char* p = text; p; p = std::strstr(p, ", ")) {
    if (p != text) p += 2;
    out->clear();
    if (ParseVerses(p, false, out)) return 1;
  }
  return 0;
}

// The checker itself rejects what it must, so that the form tests can fail.
TEST(ReadingTexts, VerseGrammarOfTheFormCheck) {
  struct Row {
    const char* text;
    int ok;
  };
  constexpr Row rows[] = {
      {"Deuteronomy 33, 1-end", 1},
      {"II Kings 4, 1-37 (II Kings 4, 1-23)", 1},
      {"Morning: Exodus 32, 11-14; Exodus 34, 1-10; Afternoon: Exodus 32, 11-14", 1},
      {"Genesis 1, 1-6, 8;", 0},
      {"Genesis 51, 1-3", 0},
      {"Genesis 6, 9-5, 32", 0},
      {"Revelation 1, 1-3", 0},
      {"Isaiah 66, 1-24 (Isaiah 66, 1-10", 0},
  };
  for (const Row& row : rows) {
    std::vector<Passage> passages;
    EXPECT_EQ(ParseVerses(row.text, true, &passages), row.ok) << row.text;
  }
}

// Every text of every block: a Haphtarah is verses of the prophets, a
// reading verses of the Torah after its name; a few readings are a name
// alone (no digit).
TEST(ReadingTexts, EveryTextIsWellFormed) {
  const int bases[] = {kReadingBase, kHaphtarahBase, kIsraelReadingBase, kIsraelHaphtarahBase};
  int checked = 0;
  for (int base : bases) {
    const bool haphtarah = base == kHaphtarahBase || base == kIsraelHaphtarahBase;
    for (int k = 0; k < kReadingKeyLimit; ++k) {
      const char* text = LoadText(base + k);
      EXPECT_LE(std::strlen(text), 255u) << base + k;
      if (text[0] == '\0' || ReadingTextIsNone(text)) continue;
      ++checked;
      std::vector<Passage> passages;
      if (haphtarah) {
        EXPECT_TRUE(ParseVerses(text, true, &passages)) << base + k << ": " << text;
      } else if (std::strpbrk(text, "0123456789") != nullptr) {
        EXPECT_TRUE(ParseReading(text, &passages)) << base + k << ": " << text;
        for (const Passage& p : passages) EXPECT_LT(p.book, kTorahBooks) << base + k << ": " << text;
      }
    }
  }
  EXPECT_GT(checked, 250);
}

// The weekly portions follow each other through the Torah without gap or
// overlap: each begins at the verse after the last one's end, at verse 1
// of the next chapter, or at 1, 1 of the next book after the last chapter.
TEST(ReadingTexts, WeeklyPortionsCoverTheTorahInOrder) {
  Passage previous{0, 0, 0, 0, 0};
  for (int k = 0; k <= 53; ++k) {
    const char* text = LoadText(kReadingBase + k);
    std::vector<Passage> passages;
    ASSERT_TRUE(ParseReading(text, &passages)) << text;
    ASSERT_EQ(passages.size(), 1u) << text;
    const Passage& p = passages[0];
    const int first = p.firstChapter * 1000 + p.firstVerse;
    if (k == 0 || p.book != previous.book) {
      EXPECT_EQ(p.book, k == 0 ? 0 : previous.book + 1) << text;
      EXPECT_TRUE(k == 0 || previous.lastChapter == kBooks[previous.book].chapters) << text;
      EXPECT_EQ(first, 1001) << text;
    } else if (p.firstVerse == 1) {
      EXPECT_EQ(p.firstChapter, previous.lastChapter + 1) << text;
    } else {
      EXPECT_EQ(first, previous.lastChapter * 1000 + previous.lastVerse + 1) << text;
    }
    previous = p;
  }
  // Simchat Torah reads to the end of the Torah.
  EXPECT_EQ(previous.book, kTorahBooks - 1);
  EXPECT_EQ(previous.lastVerse, 999);
}

}  // namespace
