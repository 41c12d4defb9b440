// Every Shabbat of 5660-5860, both customs, against an independent
// implementation of the reading calendar (sedra_fixture.inc, made by
// tools/make-sedra-fixture); each has its haphtarah.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

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

// The keys as the fixture writes them: "k" a portion alone (a special
// Shabbat, Chanukah or Rosh Hodesh may come as B), "a+b" two portions, "Hk"
// a holiday (Hol Hamoed Sukkot, 84, is read by the day: 77, 80 or 82);
// "[s]" a special Shabbat, 61 Shekalim ... 65 HaGadol as B or C, 66 Shuva
// by its flag.
std::string Describe(const ReadingKeys& keys, const ReadingsOfDay& out, const std::string& token) {
  const int a = keys.a == 77 || keys.a == 80 || keys.a == 82 ? 84 : keys.a == 84 ? -1 : keys.a;
  std::ostringstream s;
  s << (token[0] == 'H' ? "H" : "") << a;
  if (keys.b >= 0 && keys.b <= 52) s << "+" << keys.b;
  for (int key : {keys.b, keys.c})
    if (key >= 61 && key <= 65) s << "[" << key << "]";
  for (std::int32_t flags : out.flags)
    if (flags & kFlagShabbatShuva) s << "[66]";
  return s.str();
}

TEST(TorahCrossCheck, EveryShabbatOfBothCustoms) {
  for (const int diaspora : {1, 0}) {
    SCOPED_TRACE(diaspora ? "Diaspora" : "Israel");
    ScratchDir dir;
    dir.Write(kReadingSettingsFile, std::string("[Parasha]\r\nDiasporaFlag=") +
                                        (diaspora ? "1" : "0") + "\r\n");
    int year = 5660;
    for (const SedraYear& row : kSedraYears) {
      ASSERT_EQ(row.year, year++);
      std::istringstream tokens(diaspora || row.israel[0] == '\0' ? row.diaspora : row.israel);
      const CalDate first = {1, 7, row.year}, next = {1, 7, row.year + 1};
      const int end = AbsoluteFromHebrew(&next);
      for (int d = AbsoluteFromHebrew(&first) / 7 * 7 + 6; d < end; d += 7) {
        std::string token;
        ASSERT_TRUE(tokens >> token) << row.year << ": the fixture has fewer Shabbatot";
        CalDate date;
        HebrewFromAbsolute(d, &date);
        ReadingsOfDay out;
        ReadingKeys keys;
        ASSERT_EQ(ReadingsForDate(date.day, date.month, date.year, &out, &keys), 1);
        EXPECT_EQ(Describe(keys, out, token), token) << date.day << "/" << date.month << "/" << date.year;
        EXPECT_STRNE(out.haphtarah[0], "") << date.day << "/" << date.month << "/" << date.year;
      }
      std::string extra;
      EXPECT_FALSE(tokens >> extra) << row.year << ": the fixture has more Shabbatot";
    }
    EXPECT_EQ(year, 5861);
  }
}

}  // namespace
