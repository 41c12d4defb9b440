// The weekly portions of every Shabbat of Hebrew years 5660-5860, in both
// customs, against an independent implementation of the reading calendar
// (sedra_fixture.inc, made by tools/make-sedra-fixture).
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "readings/reading_texts.h"
#include "readings/readings.h"
#include "support/scratch_dir.h"

namespace {

struct SedraYear {
  int year;
  const char* diaspora;
  const char* israel;  // "" when the same as the Diaspora's
};

constexpr SedraYear kSedraYears[] = {
#include "sedra_fixture.inc"
};

constexpr int kTishri = 7;

// One Shabbat of the fixture: "k", "a+b" or "Hk", then "[s]" on a special
// Shabbat.
struct Expected {
  int holiday;  // 1 for "Hk"
  int a;
  int b;        // kNoReadingKey unless two portions are read together
  int special;  // 61-66, or kNoReadingKey
};

Expected ParseToken(const std::string& token) {
  Expected e = {0, 0, kNoReadingKey, kNoReadingKey};
  const std::size_t bracket = token.find('[');
  if (bracket != std::string::npos) e.special = std::atoi(token.c_str() + bracket + 1);
  if (token[0] == 'H') {
    e.holiday = 1;
    e.a = std::atoi(token.c_str() + 1);
    return e;
  }
  const std::size_t plus = token.find('+');
  e.a = std::atoi(token.c_str());
  if (plus != std::string::npos && plus < bracket) e.b = std::atoi(token.c_str() + plus + 1);
  return e;
}

constexpr int kShekalim = 61;
constexpr int kHaGadol = 65;
constexpr int kShuva = 66;

int IsPortion(int key) { return key >= 0 && key <= 52; }

// 1 when the schedule's keys read what the fixture names. A portion read
// alone may come with a special Shabbat, Chanukah or Rosh Hodesh as B;
// Hol Hamoed Sukkot is read by the day of the month (77, 80, 82).
int PortionsAgree(const Expected& e, const ReadingKeys& keys) {
  if (e.holiday) {
    if (e.a == kKeyHolHamoedSukkot) return keys.a == 77 || keys.a == 80 || keys.a == 82;
    return keys.a == e.a;
  }
  if (e.b != kNoReadingKey) return keys.a == e.a && keys.b == e.b;
  return keys.a == e.a && !IsPortion(keys.b);
}

// The special Shabbat of the schedule: key 61-65 as B or C, or Shabbat
// Shuva's reading (flag 16384) in any slot.
int SpecialOf(const ReadingKeys& keys, const ReadingsOfDay& out) {
  for (int key : {keys.b, keys.c})
    if (key >= kShekalim && key <= kHaGadol) return key;
  for (std::int32_t flags : out.flags)
    if (flags & kFlagShabbatShuva) return kShuva;
  return kNoReadingKey;
}

std::string Describe(const ReadingKeys& keys) {
  std::ostringstream s;
  s << keys.a;
  if (keys.b != kNoReadingKey) s << "," << keys.b;
  if (keys.c != kNoReadingKey) s << "," << keys.c;
  return s.str();
}

TEST(TorahCrossCheck, FixtureCoversTheYears) {
  ASSERT_EQ(sizeof kSedraYears / sizeof kSedraYears[0], 201u);
  for (int i = 0; i < 201; ++i) EXPECT_EQ(kSedraYears[i].year, 5660 + i);
}

TEST(TorahCrossCheck, EveryShabbatOfBothCustoms) {
  for (const int diaspora : {1, 0}) {
    SCOPED_TRACE(diaspora ? "Diaspora" : "Israel");
    ScratchDir dir;
    dir.Write(kReadingSettingsFile,
              diaspora ? "[Parasha]\r\nDiasporaFlag=1\r\n" : "[Parasha]\r\nDiasporaFlag=0\r\n");
    int shabbatot = 0;
    for (const SedraYear& row : kSedraYears) {
      const char* text = diaspora || row.israel[0] == '\0' ? row.diaspora : row.israel;
      std::istringstream tokens(text);
      const CalDate first = {1, kTishri, row.year};
      const CalDate next = {1, kTishri, row.year + 1};
      const int end = AbsoluteFromHebrew(&next);
      int d = AbsoluteFromHebrew(&first);
      d += 6 - d % 7;
      for (; d < end; d += 7, ++shabbatot) {
        std::string token;
        ASSERT_TRUE(tokens >> token) << row.year << ": the fixture has fewer Shabbatot";
        CalDate date;
        HebrewFromAbsolute(d, &date);
        ReadingsOfDay out;
        ReadingKeys keys;
        ASSERT_EQ(ReadingsForDate(date.day, date.month, date.year, &out, &keys), 1);
        const Expected expected = ParseToken(token);
        EXPECT_TRUE(PortionsAgree(expected, keys))
            << date.day << "/" << date.month << "/" << date.year << ": expected " << token
            << ", read " << Describe(keys);
        EXPECT_EQ(SpecialOf(keys, out), expected.special)
            << date.day << "/" << date.month << "/" << date.year << ": expected " << token
            << ", read " << Describe(keys);
      }
      std::string extra;
      EXPECT_FALSE(tokens >> extra) << row.year << ": the fixture has more Shabbatot";
    }
    EXPECT_GT(shabbatot, 201 * 50);
  }
}

}  // namespace
