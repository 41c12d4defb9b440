// Reading texts: keys to texts in both customs, the "(none)" rule, the
// custom read from exportcalshab.ini, the completeness and the form of the
// whole table, and bounded copies.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <utility>
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

std::string Reading(int key) {
  char out[kReadingTextSize];
  const int n = ReadingText(key, out, sizeof out);
  EXPECT_EQ(n, static_cast<int>(std::strlen(out))) << "key " << key;
  return out;
}

std::string Haphtarah(int key) {
  char out[kReadingTextSize];
  const int n = HaphtarahText(key, out, sizeof out);
  EXPECT_EQ(n, static_cast<int>(std::strlen(out))) << "key " << key;
  return out;
}

// ---- keys to texts ---------------------------------------------------------

struct KeyRow {
  const char* id;
  int custom;
  int haphtarah;  // 0 = reading, 1 = Haphtarah
  int key;
  const char* expected;
};

constexpr KeyRow kKeyRows[] = {
    // Pesah VIII on Shabbat: Israel has no such day.
    {"92 Diaspora", kDiaspora, 0, 92, "Pesah VIII, Deuteronomy 14, 22-16, 17; Numbers 28, 19-25"},
    {"92 Israel is (none)", kIsrael, 0, 92, ""},
    // Shemini Atzeret's further readings exist in Israel only.
    {"170 Diaspora has no string", kDiaspora, 0, 170, ""},
    {"170 Israel", kIsrael, 0, 170, "Deuteronomy 33, 1-34, 12"},
    {"171 Israel", kIsrael, 0, 171, "Genesis 1, 1-2, 3; Numbers 29, 35-30, 1"},
    {"85 Diaspora", kDiaspora, 0, 85, "Shemini Azereth, Deuteronomy 14, 22-16, 17; Numbers 29, 35-30, 1"},
    {"85 Israel", kIsrael, 0, 85, "Shemini Azereth/Simchat Torah"},
    // No Israel variant: both customs read the Diaspora string.
    {"0 Diaspora", kDiaspora, 0, 0, "Bereshith, Genesis 1, 1-6, 8"},
    {"0 Israel", kIsrael, 0, 0, "Bereshith, Genesis 1, 1-6, 8"},
    {"haphtarah 0 Diaspora", kDiaspora, 1, 0, "Isaiah 42, 5-43, 10 (Isaiah 42, 5-21)"},
    {"haphtarah 0 Israel", kIsrael, 1, 0, "Isaiah 42, 5-43, 10 (Isaiah 42, 5-21)"},
    {"52 Haazinu", kDiaspora, 0, 52, "Haazinu, Deuteronomy 32, 1-52"},
    // Simchat Torah of the Diaspora: (none) in Israel.
    {"53 Diaspora", kDiaspora, 0, 53, "Simchat Torah, Deuteronomy 33, 1-end"},
    {"54 Diaspora", kDiaspora, 0, 54, "Genesis 1, 1-2, 3"},
    {"55 Diaspora", kDiaspora, 0, 55, "Numbers 29, 35-30, 1"},
    {"53 Israel", kIsrael, 0, 53, ""},
    {"54 Israel", kIsrael, 0, 54, ""},
    {"55 Israel", kIsrael, 0, 55, ""},
    {"60 Rosh Hodesh on Shabbat", kDiaspora, 0, 60, "Rosh Hodesh, Numbers 28, 9-15"},
    {"61 Shekalim", kDiaspora, 0, 61, "Shekalim, Exodus 30, 11-16"},
    {"62 Zachor", kDiaspora, 0, 62, "Za'hor, Deuteronomy 25, 17-19"},
    {"63 Parah", kDiaspora, 0, 63, "Parah, Numbers 19, 1-22"},
    {"64 Hahodesh", kDiaspora, 0, 64, "Hahodesh, Exodus 12, 1-20"},
    {"65 Shabbat Haggadol", kDiaspora, 0, 65, "Shabbat Haggadol"},
    {"66 Shabbat Shuva", kIsrael, 0, 66, "Shabbat Shuva"},
    {"70 Rosh HaShanah I", kIsrael, 0, 70, "Rosh HaShanah I, Genesis 21, 1-34; Numbers 29, 1-6"},
    {"72 Fast of Gedaliah", kDiaspora, 0, 72,
     "Fast of Gedaliah, Morning: Exodus 32, 11-14; Exodus 34, 1-10; "
     "Afternoon: Exodus 32, 11-14; Exodus 34, 1-10"},
    {"111 Rosh Hodesh", kDiaspora, 0, 111, "Rosh Hodesh, Numbers 28, 1-15"},
    // Hol Hamoed in Israel reads the day's offering only.
    {"76 Diaspora", kDiaspora, 0, 76, "Succoth III, Numbers 29, 17-25"},
    {"76 Israel", kIsrael, 0, 76, "Succoth III, Numbers 29, 20-22"},
    {"112 Israel", kIsrael, 0, 112, "Pesah II, Leviticus 22, 26-23, 44; Numbers 28, 19-25"},
    {"112 Diaspora", kDiaspora, 0, 112, "Pesah II, Leviticus 22, 26-23, 44; Numbers 28, 16-25"},
    // Keys without a string.
    {"114 Diaspora", kDiaspora, 0, 114, ""},
    {"117 Israel", kIsrael, 0, 117, ""},
    {"56 unused", kDiaspora, 0, 56, ""},
    {"1000 is no key", kDiaspora, 0, 1000, ""},
    {"1000 is no key, Israel", kIsrael, 1, 1000, ""},
    {"negative key", kIsrael, 0, -1, ""},
    {"256 does not reach the Haphtarot", kDiaspora, 0, 256, ""},
    {"768 does not reach the Israel readings", kIsrael, 1, 768, ""},
    // Haphtarot.
    {"haphtarah 65", kDiaspora, 1, 65, "Malachi 3, 4-24"},
    {"haphtarah 150", kIsrael, 1, 150, "Isaiah 66, 1-24"},
    {"haphtarah 172 Diaspora", kDiaspora, 1, 172, "I Kings 8, 54-66"},
    {"haphtarah 172 Israel", kIsrael, 1, 172, "Joshua 1, 1-18 (Joshua 1, 1-9)"},
    {"haphtarah 75 Diaspora", kDiaspora, 1, 75, "I Kings 8, 2-21"},
    {"haphtarah 75 Israel is (none)", kIsrael, 1, 75, ""},
    {"haphtarah 76 has no string", kDiaspora, 1, 76, ""},
    {"haphtarah 111 has no string", kIsrael, 1, 111, ""},
    {"haphtarah 40 Pinhas", kDiaspora, 1, 40, "I Kings 18, 46-19, 21"},
};

TEST(ReadingTexts, KeysToTexts) {
  ScratchDir dir;
  for (const KeyRow& row : kKeyRows) {
    UseCustom(dir, row.custom);
    EXPECT_EQ(row.haphtarah ? Haphtarah(row.key) : Reading(row.key), row.expected) << row.id;
  }
}

// ---- the custom ------------------------------------------------------------

struct CustomRow {
  const char* id;
  const char* file;
  const char* content;  // nullptr: no file at all
  int diaspora;
};

constexpr CustomRow kCustomRows[] = {
    {"no file: Diaspora", kReadingSettingsFile, nullptr, 1},
    {"Israel", kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=0\r\n", 0},
    {"Diaspora", kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=1\r\n", 1},
    {"any non-zero value", kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=2\r\n", 1},
    {"key missing", kReadingSettingsFile, "[Parasha]\r\nOther=0\r\n", 1},
    {"other section", kReadingSettingsFile, "[ParashSettings]\r\nDiasporaFlag=0\r\n", 1},
    {"case of section and key", kReadingSettingsFile, "[parasha]\r\ndiasporaflag=0\r\n", 0},
    {"not read from exportcal.ini", "exportcal.ini", "[Parasha]\r\nDiasporaFlag=0\r\n", 1},
};

TEST(ReadingTexts, CustomFromShabbatSettingsFile) {
  for (const CustomRow& row : kCustomRows) {
    ScratchDir dir;
    if (row.content) dir.Write(row.file, row.content);
    EXPECT_EQ(ReadingsDiasporaFlag(), row.diaspora) << row.id;
    EXPECT_EQ(Reading(92).empty(), !row.diaspora) << row.id;
    EXPECT_EQ(Reading(170).empty(), row.diaspora != 0) << row.id;
  }
}

TEST(ReadingTexts, CustomReadAfreshOnEveryCall) {
  ScratchDir dir;
  dir.Write(kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=0\r\n");
  EXPECT_EQ(Haphtarah(92), "");
  dir.Write(kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=1\r\n");
  EXPECT_EQ(Haphtarah(92), "Isaiah 10, 32-12, 6");
}

// ---- "(none)" and bounded copies -------------------------------------------

struct NoneRow {
  const char* text;
  int none;
};

constexpr NoneRow kNoneRows[] = {
    {"(none)", 1}, {"(NONE)", 1}, {"(None)", 1}, {"(nOnE)", 1},
    {"", 0}, {"none", 0}, {"(none", 0}, {"(none) ", 0}, {" (none)", 0},
    {"(none)x", 0}, {"(non)", 0}, {"[none]", 0}, {"(n0ne)", 0},
};

TEST(ReadingTexts, NoneInAnyCase) {
  for (const NoneRow& row : kNoneRows) EXPECT_EQ(ReadingTextIsNone(row.text), row.none) << '"' << row.text << '"';
}

TEST(ReadingTexts, LoadReadingStringAppliesNone) {
  char out[kReadingTextSize];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(LoadReadingString(1116, out, sizeof out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(LoadReadingString(426, out, sizeof out), 0);  // missing string
  EXPECT_STREQ(out, "");
  EXPECT_EQ(LoadReadingString(240, out, sizeof out), 9);
  EXPECT_STREQ(out, "%d L'Omer");
}

TEST(ReadingTexts, CopiesStayInsideTheBuffer) {
  ScratchDir dir;
  // 328 is the longest kind of text: a fast day with two parts.
  const std::string full = LoadText(328);
  ASSERT_GT(full.size(), 20u);
  for (int size : {1, 2, 7, 20}) {
    std::vector<char> buffer(size + 8, '#');
    EXPECT_EQ(LoadReadingString(328, buffer.data(), size), size - 1) << size;
    EXPECT_EQ(std::string(buffer.data()), full.substr(0, size - 1)) << size;
    for (int i = size; i < size + 8; ++i) EXPECT_EQ(buffer[i], '#') << "size " << size << " byte " << i;
  }
  std::vector<char> buffer(8, '#');
  EXPECT_EQ(ReadingText(72, buffer.data(), 5), 4);
  EXPECT_STREQ(buffer.data(), "Fast");
  EXPECT_EQ(HaphtarahText(0, buffer.data(), 1), 0);
  EXPECT_STREQ(buffer.data(), "");
  EXPECT_EQ(buffer[1], 'a');  // left of "Fast", untouched beyond the buffer
  buffer[0] = 'Z';
  EXPECT_EQ(ReadingText(0, buffer.data(), 0), 0);
  EXPECT_EQ(buffer[0], 'Z');  // nothing written for a zero-size buffer
  EXPECT_EQ(ReadingText(0, nullptr, 10), 0);
}

TEST(ReadingTexts, LanguageResetToTheBuiltInTexts) {
  ScratchDir dir;
  dir.Write(kReadingSettingsFile, "[Parasha]\r\nDiasporaFlag=0\r\n[ParashSettings]\r\nLanguage=3\r\n");
  // Another language is never in force: the texts stay English.
  EXPECT_EQ(Reading(0), "Bereshith, Genesis 1, 1-6, 8");
  ASSERT_EQ(ResetReadingLanguage(), 1);
  const std::string ini = dir.Read(kReadingSettingsFile);
  EXPECT_NE(ini.find("Language=1"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("Language=3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("DiasporaFlag=0"), std::string::npos) << ini;
}

// ---- completeness ----------------------------------------------------------

std::set<int> Keys(std::initializer_list<std::pair<int, int>> ranges) {
  std::set<int> keys;
  for (auto [first, last] : ranges)
    for (int k = first; k <= last; ++k) keys.insert(k);
  return keys;
}

// The keys that have a string in each block, as the table is laid out.
const std::set<int> kReadingKeys = [] {
  std::set<int> keys = Keys({{0, 55}, {60, 66}, {70, 120}});
  keys.erase(114);
  keys.erase(117);
  return keys;
}();
const std::set<int> kHaphtarahKeys =
    Keys({{0, 53}, {61, 66}, {70, 75}, {77, 77}, {80, 80}, {82, 82}, {86, 86}, {88, 108},
          {110, 110}, {112, 112}, {150, 159}, {161, 163}, {172, 172}});
const std::set<int> kIsraelReadingKeys =
    Keys({{53, 55}, {74, 85}, {89, 96}, {112, 113}, {115, 116}, {118, 120}, {170, 171}});
const std::set<int> kIsraelHaphtarahKeys =
    Keys({{74, 83}, {89, 93}, {95, 96}, {112, 113}, {115, 116}, {118, 120}, {172, 172}});

struct Block {
  const char* name;
  int base;
  const std::set<int>* keys;
};

const Block kBlocks[] = {
    {"readings", kReadingBase, &kReadingKeys},
    {"Haphtarot", kHaphtarahBase, &kHaphtarahKeys},
    {"Israel readings", kIsraelReadingBase, &kIsraelReadingKeys},
    {"Israel Haphtarot", kIsraelHaphtarahBase, &kIsraelHaphtarahKeys},
};

// Exactly the listed keys have a string: a missing one loses a text, an
// extra Israel one would hide the Diaspora text.
TEST(ReadingTexts, EachBlockHoldsExactlyItsKeys) {
  for (const Block& block : kBlocks) {
    for (int k = 0; k < kReadingKeyLimit; ++k) {
      const bool listed = block.keys->count(k) != 0;
      EXPECT_EQ(LoadText(block.base + k)[0] != '\0', listed) << block.name << " key " << k;
    }
  }
}

TEST(ReadingTexts, EveryListedKeyHasADiasporaText) {
  ScratchDir dir;
  UseCustom(dir, kDiaspora);
  for (int k : kReadingKeys) EXPECT_FALSE(Reading(k).empty()) << "reading " << k;
  for (int k : kHaphtarahKeys) EXPECT_FALSE(Haphtarah(k).empty()) << "Haphtarah " << k;
  EXPECT_EQ(Reading(114), "");
  EXPECT_EQ(Reading(117), "");
}

TEST(ReadingTexts, NoTextLongerThan255) {
  for (int id = kReadingTextOmer; id < kIsraelHaphtarahBase + kReadingKeyLimit; ++id)
    EXPECT_LE(std::strlen(LoadText(id)), 255u) << "string " << id;
  EXPECT_STREQ(LoadText(kReadingTextOmer), "%d L'Omer");
  EXPECT_STREQ(LoadText(kReadingTextLanguageUnusable),
               "The current language for torah and haphtaroth readings cannot be used");
  EXPECT_STREQ(LoadText(kReadingTextLanguageOverwrite),
               "Do you really want to overwrite the torah and haphtaroth readings with the current language?");
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

struct Verse {
  int chapter, verse;  // verse 999: the end of the book
};

struct Passage {
  int book;  // index into kBooks
  Verse first, last;
};

// A cursor over one text; every Parse function returns 1 or 0.
struct Cursor {
  const char* p;
};

int Literal(Cursor* c, const char* s) {
  const size_t n = std::strlen(s);
  if (std::strncmp(c->p, s, n) != 0) return 0;
  c->p += n;
  return 1;
}

int Number(Cursor* c, int* value) {
  if (*c->p < '1' || *c->p > '9') return 0;  // no leading zero, no sign
  *value = 0;
  while (*c->p >= '0' && *c->p <= '9' && *value < 1000) *value = *value * 10 + (*c->p++ - '0');
  return *value < 1000;
}

// Book chapter, verse[-[chapter, ]verse|-end]; a range ends after it
// begins, within the book.
int ParsePassage(Cursor* c, Passage* out) {
  // The longest matching name, so that "II Kings" is not read as "I Kings".
  int b = -1;
  for (int i = 0; i < static_cast<int>(std::size(kBooks)); ++i) {
    const size_t n = std::strlen(kBooks[i].name);
    if (std::strncmp(c->p, kBooks[i].name, n) == 0 && c->p[n] == ' ' &&
        (b < 0 || n > std::strlen(kBooks[b].name)))
      b = i;
  }
  if (b < 0) return 0;
  c->p += std::strlen(kBooks[b].name) + 1;
  Passage p{b, {0, 0}, {0, 0}};
  if (!Number(c, &p.first.chapter) || !Literal(c, ", ") || !Number(c, &p.first.verse)) return 0;
  p.last = p.first;
  if (Literal(c, "-")) {
    int n = 0;
    if (Literal(c, "end")) {
      p.last = {kBooks[b].chapters, 999};
    } else if (!Number(c, &n)) {
      return 0;
    } else if (Literal(c, ", ")) {  // across chapters
      p.last.chapter = n;
      if (!Number(c, &p.last.verse)) return 0;
    } else {
      p.last.verse = n;
    }
    const bool ascending = p.last.chapter > p.first.chapter ||
                           (p.last.chapter == p.first.chapter && p.last.verse > p.first.verse);
    if (!ascending) return 0;
  }
  if (p.last.chapter > kBooks[b].chapters) return 0;
  *out = p;
  return 1;
}

// passage ("; " passage)*, with optional "Morning: " and "Afternoon: "
// parts, the afternoon after the morning.
int ParseBody(Cursor* c, std::vector<Passage>* out) {
  const bool morning = Literal(c, "Morning: ");
  bool afternoon = !morning && Literal(c, "Afternoon: ");
  for (;;) {
    Passage p;
    if (!ParsePassage(c, &p)) return 0;
    out->push_back(p);
    if (!Literal(c, "; ")) return 1;
    if (morning && !afternoon && Literal(c, "Afternoon: ")) afternoon = true;
  }
}

// A whole Haphtarah or verse list: body, and for a Haphtarah optionally
// " (" body ")" with the Sephardi custom.
int ParseVerses(const char* text, bool haphtarah, std::vector<Passage>* out) {
  Cursor c{text};
  if (!ParseBody(&c, out)) return 0;
  if (haphtarah && Literal(&c, " (")) {
    std::vector<Passage> sephardi;
    if (!ParseBody(&c, &sephardi) || !Literal(&c, ")")) return 0;
  }
  return *c.p == '\0';
}

// The names of the readings by key; "" for the keys whose text is verses
// only. The names end before the ", " of the verses.
struct NameRow {
  int key;
  const char* name;
  int nameOnly;  // the text is the name alone
};

constexpr NameRow kNames[] = {
    {0, "Bereshith", 0}, {1, "Noah", 0}, {2, "Le'h Leha", 0}, {3, "Vayera", 0},
    {4, "Haye Sarah", 0}, {5, "Toledoth", 0}, {6, "Vayetse", 0}, {7, "Vayishlah", 0},
    {8, "Vayesheb", 0}, {9, "Mikkets", 0}, {10, "Vayiggash", 0}, {11, "Vayhee", 0},
    {12, "Shemoth", 0}, {13, "Vaera", 0}, {14, "Bo", 0}, {15, "Beshallah, Shabbat Shirah", 0},
    {16, "Yithro", 0}, {17, "Mishpatim", 0}, {18, "Terumah", 0}, {19, "Tetsavveh", 0},
    {20, "Ki Tissa", 0}, {21, "Vayakhel", 0}, {22, "Pekude", 0}, {23, "Vayikra", 0},
    {24, "Tsav", 0}, {25, "Shemini", 0}, {26, "Tazria", 0}, {27, "Metsora", 0},
    {28, "Aharemoth", 0}, {29, "Kedoshim", 0}, {30, "Emor", 0}, {31, "Behar", 0},
    {32, "Behukkothai", 0}, {33, "Bemidbar", 0}, {34, "Naso", 0}, {35, "Behaaloteha", 0},
    {36, "Shelah Leha", 0}, {37, "Korah", 0}, {38, "Hukath", 0}, {39, "Balak", 0},
    {40, "Pinhas", 0}, {41, "Matoth", 0}, {42, "Maseh", 0}, {43, "Debarim, Shabbat Hazon", 0},
    {44, "Vaethanan, Shabbat Nahamu", 0}, {45, "Ekeb", 0}, {46, "Reeh", 0}, {47, "Shofetim", 0},
    {48, "Ki Tetse", 0}, {49, "Ki Tabo", 0}, {50, "Nitsabim", 0}, {51, "Vayeleh", 0},
    {52, "Haazinu", 0}, {53, "Simchat Torah", 0}, {54, "", 0}, {55, "", 0},
    {60, "Rosh Hodesh", 0}, {61, "Shekalim", 0}, {62, "Za'hor", 0}, {63, "Parah", 0},
    {64, "Hahodesh", 0}, {65, "Shabbat Haggadol", 1}, {66, "Shabbat Shuva", 1},
    {70, "Rosh HaShanah I", 0}, {71, "Rosh HaShanah II", 0}, {72, "Fast of Gedaliah", 0},
    {73, "Yom Kippur", 0}, {74, "Succoth I", 0}, {75, "Succoth II", 0}, {76, "Succoth III", 0},
    {77, "Succoth III", 0}, {78, "Succoth IV", 0}, {79, "Succoth V", 0}, {80, "Succoth V", 0},
    {81, "Succoth VI", 0}, {82, "Succoth VI", 0}, {83, "Hoshanah Rabbah", 0},
    {84, "Hol Hamoed Succoth", 0}, {85, "Shemini Azereth", 0}, {86, "Fast of Esther", 0},
    {87, "Purim", 0}, {88, "Fast of Teveth 10", 0}, {89, "Pesah I", 0},
    {90, "Hol Hamoed Pesah", 0}, {91, "Pesah VII", 0}, {92, "Pesah VIII", 0},
    {93, "Pesah VIII", 0}, {94, "Shavuoth I", 0}, {95, "Shavuoth II", 0}, {96, "Shavuoth II", 0},
    {97, "Yom Ha'atzmaut", 0}, {98, "Fast of Tammuz 17", 0}, {99, "Fast of Tisha B'Av", 0},
    {100, "Chanukkah I", 0}, {101, "Chanukkah II", 0}, {102, "Chanukkah III", 0},
    {103, "Chanukkah IV", 0}, {104, "Chanukkah V", 0}, {105, "Chanukkah VI", 0},
    {106, "Chanukkah VI", 0}, {107, "Chanukkah VII", 0}, {108, "Chanukkah VII", 0},
    {109, "Chanukkah VIII", 0}, {110, "", 0}, {111, "Rosh Hodesh", 0}, {112, "Pesah II", 0},
    {113, "Pesah III", 0}, {115, "Pesah IV", 0}, {116, "Pesah IV", 0}, {118, "Pesah V", 0},
    {119, "Pesah V", 0}, {120, "Pesah VI", 0},
    // Israel only: verses without a name.
    {170, "", 0}, {171, "", 0},
};

const NameRow* NameOf(int key) {
  for (const NameRow& row : kNames)
    if (row.key == key) return &row;
  return nullptr;
}

// Checks one reading text against its key's name and the verse grammar.
void ExpectWellFormedReading(int id, int key, const char* text, const NameRow& row) {
  SCOPED_TRACE("string " + std::to_string(id) + ": \"" + text + "\"");
  std::vector<Passage> passages;
  if (row.nameOnly) {
    EXPECT_STREQ(text, row.name);
    return;
  }
  const std::string name = row.name;
  const char* verses = text;
  if (!name.empty()) {
    ASSERT_EQ(std::string(text).substr(0, name.size() + 2), name + ", ");
    verses = text + name.size() + 2;
  }
  ASSERT_TRUE(ParseVerses(verses, false, &passages));
  // A reading is read from the five books of the Torah only.
  for (const Passage& p : passages) EXPECT_LT(p.book, kTorahBooks) << "key " << key;
}

TEST(ReadingTexts, EveryReadingIsWellFormed) {
  for (const Block& block : {kBlocks[0], kBlocks[2]}) {
    for (int k : *block.keys) {
      const int id = block.base + k;
      const char* text = LoadText(id);
      if (ReadingTextIsNone(text)) continue;
      const NameRow* row = NameOf(k);
      ASSERT_NE(row, nullptr) << "no name for key " << k;
      if (id == 1024 + 85) {  // Israel: Shemini Atzeret and Simchat Torah in one day
        EXPECT_STREQ(text, "Shemini Azereth/Simchat Torah");
        continue;
      }
      ExpectWellFormedReading(id, k, text, *row);
    }
  }
}

TEST(ReadingTexts, EveryHaphtarahIsWellFormed) {
  for (const Block& block : {kBlocks[1], kBlocks[3]}) {
    for (int k : *block.keys) {
      const int id = block.base + k;
      const char* text = LoadText(id);
      if (ReadingTextIsNone(text)) continue;
      std::vector<Passage> passages;
      EXPECT_TRUE(ParseVerses(text, true, &passages)) << "string " << id << ": \"" << text << "\"";
    }
  }
}

// The grammar of the check itself: each row either parses or not.
struct GrammarRow {
  const char* text;
  int ok;
};

constexpr GrammarRow kGrammarRows[] = {
    {"Genesis 1, 1-6, 8", 1},
    {"Deuteronomy 33, 1-end", 1},
    {"Ezekiel 1, 1-28; Ezekiel 3, 12", 1},
    {"II Kings 4, 1-37 (II Kings 4, 1-23)", 1},
    {"Morning: Exodus 32, 11-14; Exodus 34, 1-10; Afternoon: Exodus 32, 11-14", 1},
    {"Afternoon: Isaiah 55, 6-56, 8", 1},
    {"Genesis 1, 1-6, 8;", 0},            // dangling separator
    {"Genesis 1,1-6, 8", 0},              // missing space
    {"Genesis 51, 1-3", 0},               // past the last chapter
    {"Genesis 6, 9-5, 32", 0},            // backwards
    {"Genesis 6, 9-3", 0},                // backwards in one chapter
    {"Genesis 6, 9-9", 0},                // a range of one verse
    {"Ezekiel 3, 12", 1},                 // a single verse
    {"Genesis 1, 01-3", 0},               // leading zero
    {"Revelation 1, 1-3", 0},             // not a book of the list
    {"Isaiah 66, 1-24 (Isaiah 66, 1-10", 0},  // unclosed parenthesis
    {"Isaiah 66, 1-24 Isaiah 66, 1", 0},  // missing separator
    {"Exodus 12, 1-20; ", 0},
};

TEST(ReadingTexts, VerseGrammarOfTheFormCheck) {
  for (const GrammarRow& row : kGrammarRows) {
    std::vector<Passage> passages;
    EXPECT_EQ(ParseVerses(row.text, true, &passages), row.ok) << row.text;
  }
}

// The weekly portions follow each other through the Torah without gap or
// overlap: each begins at the verse after the last one's end, at verse 1
// of the next chapter, or at 1, 1 of the next book after the last chapter.
TEST(ReadingTexts, WeeklyPortionsCoverTheTorahInOrder) {
  Passage previous{0, {0, 0}, {0, 0}};
  for (int k = 0; k <= 53; ++k) {
    const char* text = LoadText(kReadingBase + k);
    const NameRow* row = NameOf(k);
    ASSERT_NE(row, nullptr);
    const size_t skip = std::strlen(row->name) + 2;
    ASSERT_GT(std::strlen(text), skip) << text;
    std::vector<Passage> passages;
    ASSERT_TRUE(ParseVerses(text + skip, false, &passages)) << text;
    ASSERT_EQ(passages.size(), 1u) << text;
    const Passage& p = passages[0];
    if (k == 0) {
      EXPECT_EQ(p.book, 0);
      EXPECT_EQ(p.first.chapter * 1000 + p.first.verse, 1001) << text;
    } else if (p.book != previous.book) {
      EXPECT_EQ(p.book, previous.book + 1) << text;
      EXPECT_EQ(previous.last.chapter, kBooks[previous.book].chapters) << text;
      EXPECT_EQ(p.first.chapter * 1000 + p.first.verse, 1001) << text;
    } else if (p.first.verse == 1) {
      EXPECT_EQ(p.first.chapter, previous.last.chapter + 1) << text;
    } else {
      EXPECT_EQ(p.first.chapter, previous.last.chapter) << text;
      EXPECT_EQ(p.first.verse, previous.last.verse + 1) << text;
    }
    previous = p;
  }
  // Simchat Torah reads to the end of the Torah.
  EXPECT_EQ(previous.book, kTorahBooks - 1);
  EXPECT_EQ(previous.last.verse, 999);
}

}  // namespace
