// Reading texts: keys to texts in both customs, bounded copies, and the
// weekly portions covering the Torah.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <string>
#include <tuple>
#include <utility>

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

TEST(ReadingTexts, KeysToTextsInEachCustomAndBoundedCopies) {
  // exportcalshab.ini, haphtarah (else reading), key, text.
  static constexpr char kIsrael[] = "[Parasha]\r\nDiasporaFlag=0\r\n";
  constexpr std::tuple<const char*, int, int, const char*> kRows[] = {
      // Pesah VIII on Shabbat: Israel has no such day ("(none)").
      {"", 0, 92, "Pesah VIII, Deuteronomy 14, 22-16, 17; Numbers 28, 19-25"},
      {kIsrael, 0, 92, ""},
      {"[Parasha]\r\nDiasporaFlag=2\r\n", 0, 92, "Pesah VIII, Deuteronomy 14, 22-16, 17; Numbers 28, 19-25"},
      // Shemini Atzeret's further readings exist in Israel only.
      {kIsrael, 0, 170, "Deuteronomy 33, 1-34, 12"},
      // Without an Israel variant Israel reads the Diaspora string; 172 has one.
      {kIsrael, 1, 0, "Isaiah 42, 5-43, 10 (Isaiah 42, 5-21)"},
      {kIsrael, 1, 172, "Joshua 1, 1-18 (Joshua 1, 1-9)"},
      // Keys outside each block.
      {kIsrael, 0, -1, ""},
      {kIsrael, 1, 768, ""},
  };
  for (const auto& [file, haphtarah, key, expected] : kRows) {
    ScratchDir dir;
    dir.Write(kReadingSettingsFile, file);
    EXPECT_EQ(Text(haphtarah, key), expected) << key << " " << file;
  }
  ScratchDir dir;  // the custom lives in exportcalshab.ini, not exportcal.ini
  dir.Write("exportcal.ini", kIsrael);
  EXPECT_EQ(ReadingsDiasporaFlag(), 1);
  // "(none)" in any case stands for no text; copies never pass their buffer.
  for (const auto& [text, none] : {std::pair{"(none)", 1}, {"(nOnE)", 1}, {"", 0}, {"(none) ", 0}, {"none", 0}})
    EXPECT_EQ(ReadingTextIsNone(text), none) << '"' << text << '"';
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
}

// The weekly portions 0-53 ("Name, Book c, v-[c, ]v"), read from the
// strings themselves, follow each other through the Torah without gap or
// overlap: each begins at the verse after the last one's end, at verse 1
// of the next chapter, or at 1, 1 of the next book after its last chapter
// (chapter counts of the Hebrew text); Simchat Torah's reading ends it.
TEST(ReadingTexts, WeeklyPortionsCoverTheTorahInOrder) {
  const std::pair<const char*, int> kBooks[] = {{"Genesis", 50}, {"Exodus", 40}, {"Leviticus", 27}, {"Numbers", 36}, {"Deuteronomy", 34}};
  const std::regex kPortion(R"(^(?:.+, )?(\w+) ([1-9]\d*), ([1-9]\d*)-(?:([1-9]\d*), )?([1-9]\d*|end)$)");
  int book = 0, last = 0;  // chapter * 1000 + verse
  for (int k = 0; k <= 53; ++k) {
    const std::string text = LoadText(kReadingBase + k);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, kPortion)) << text;
    const int first = std::stoi(m[2]) * 1000 + std::stoi(m[3]);
    if (m[1] != kBooks[book].first) {
      EXPECT_EQ(last / 1000, kBooks[book].second) << text;
      ASSERT_LT(++book, 5) << text;
      EXPECT_EQ(m[1], kBooks[book].first) << text;
      last = 0;
    }
    EXPECT_EQ(first, first % 1000 == 1 ? last / 1000 * 1000 + 1001 : last + 1) << text;
    last = m[5] == "end" ? kBooks[book].second * 1000 + 999 : (m[4].matched ? std::stoi(m[4]) : std::stoi(m[2])) * 1000 + std::stoi(m[5]);
    EXPECT_GT(last, first) << text;
  }
  EXPECT_EQ(book * 100000 + last, 4 * 100000 + 34999);
}

}  // namespace
