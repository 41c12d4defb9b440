// The Torah-reading schedule: dates and portions worked out by hand from
// the rules and checked against published calendars.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "calendar/caldate.h"
#include "readings/reading_texts.h"
#include "readings/readings.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kIsrael = 0, kDiaspora = 1;
constexpr int E = -1;  // no text expected
constexpr int kNisan = 1, kIyar = 2, kSivan = 3, kTammuz = 4, kAv = 5;
constexpr int kTishri = 7, kHeshvan = 8, kKislev = 9, kTevet = 10, kAdar = 12, kAdar2 = 13;

void UseCustom(const ScratchDir& dir, int diaspora) {
  dir.Write(kReadingSettingsFile, std::string("[Parasha]\r\nDiasporaFlag=") +
                                      (diaspora ? "1" : "0") + "\r\n");
}

std::string Text(int haphtarah, int key) {
  char out[kReadingTextSize] = "";
  if (key != E) (haphtarah ? HaphtarahText : ReadingText)(key, out, sizeof out);
  return out;
}

// A Shabbat fills three slots with readings, flags and haphtarot; any other
// day gives its readings with at most the first haphtarah and no flags.
TEST(TorahReadings, ReadingsFlagsAndHaphtarot) {
  struct Row {
    const char* id;
    int day, month, year, custom;
    int reading[3], flags[3], haphtarah[3];
  };
  constexpr Row kRows[] = {
      {"Behar-Behukkothai, Diaspora", 27, kIyar, 5778, kDiaspora, {31, 32, E}, {1, 2, 0}, {32, E, E}},
      // Chanukah haphtarah first, then the Rosh Hodesh verses (16 before 32).
      {"Chanukah VI on RH", 30, kKislev, 5782, kDiaspora, {9, 105, 60}, {1 | 64, 0, 16 | 32}, {154, 152, 153}},
      {"Chanukah VIII", 2, kTevet, 5770, kDiaspora, {9, 109, E}, {128, 0, 0}, {155, E, E}},
      {"Machar Chodesh", 29, kIyar, 5783, kDiaspora, {33, E, E}, {1 | 8, 0, 0}, {151, E, E}},
      {"Shekalim on RH", 1, kAdar, 5785, kDiaspora, {18, 61, 60}, {0, 2, 16}, {61, 152, E}},
      {"Kedoshim on RH, Israel", 1, kIyar, 5763, kIsrael, {29, 60, E}, {0, 4, 0}, {150, E, E}},
      {"Reeh on RH Elul", 30, kAv, 5775, kIsrael, {46, 60, E}, {1, 16 | 32, 0}, {46, 152, 153}},
      {"Reeh before RH Elul", 29, kAv, 5761, kIsrael, {46, E, E}, {1 | 32, 0, 0}, {46, 153, E}},
      {"Aharemoth alone", 26, kNisan, 5784, kDiaspora, {28, E, E}, {1 | 256, 0, 0}, {156, E, E}},
      {"Aharemoth-Kedoshim", 12, kIyar, 5785, kDiaspora, {28, 29, E}, {0, 512, 0}, {157, E, E}},
      {"Pinhas", 21, kTammuz, 5784, kDiaspora, {40, E, E}, {4096, 0, 0}, {161, E, E}},
      {"Matoth-Maseh, type 0", 28, kTammuz, 5777, kDiaspora, {41, 42, E}, {1, 8192 | 2, 0}, {42, 162, E}},
      {"Shuva", 3, kTishri, 5785, kDiaspora, {52, 66, E}, {0, 16384, 0}, {163, E, E}},
      {"Chanukah VI on RH, weekday", 1, kTevet, 5784, kDiaspora, {106, 111, E}, {0, 0, 0}, {E, E, E}},
      {"Pesach IV on a Sunday", 18, kNisan, 5783, kDiaspora, {116, E, E}, {0, 0, 0}, {116, E, E}},
      {"Simchat Torah", 23, kTishri, 5785, kDiaspora, {53, 54, 55}, {0, 0, 0}, {53, E, E}},
      {"no Simchat Torah on 23 Tishri in Israel", 23, kTishri, 5785, kIsrael, {E, E, E}, {0, 0, 0}, {E, E, E}},
      {"Shemini Atzeret, Israel", 22, kTishri, 5785, kIsrael, {85, 170, 171}, {0, 0, 0}, {172, E, E}},
      {"an ordinary day", 5, kHeshvan, 5784, kDiaspora, {E, E, E}, {0, 0, 0}, {E, E, E}},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.id);
    ScratchDir dir;
    UseCustom(dir, row.custom);
    const CalDate date = {row.day, row.month, row.year};
    ReadingsOfDay out;
    EXPECT_EQ(ReadingsForDate(row.day, row.month, row.year, &out, nullptr),
              AbsoluteFromHebrew(&date) % 7 == 6);
    for (int slot = 0; slot < 3; ++slot) {
      EXPECT_EQ(out.reading[slot], Text(0, row.reading[slot])) << "slot " << slot;
      EXPECT_EQ(out.flags[slot], row.flags[slot]) << "slot " << slot;
      EXPECT_EQ(out.haphtarah[slot], Text(1, row.haphtarah[slot])) << "slot " << slot;
    }
  }
}

TEST(TorahReadings, OmerAndYizkor) {
  ScratchDir dir;
  for (const auto& [day, month, omer] : {std::tuple{15, kNisan, ""}, {16, kNisan, "1 L'Omer"}, {5, kSivan, "49 L'Omer"}, {6, kSivan, ""}}) {
    ReadingsOfDay out;
    ReadingsForDate(day, month, 5784, &out, nullptr);
    EXPECT_STREQ(out.omer, omer) << day << "/" << month;
  }
  // Day, month, custom, Yizkor.
  constexpr int kYizkor[][4] = {
      {10, kTishri, kIsrael, 1}, {22, kTishri, kIsrael, 1}, {22, kNisan, kDiaspora, 1},
      {22, kNisan, kIsrael, 0},  {21, kNisan, kIsrael, 1},  {7, kSivan, kDiaspora, 1},
      {6, kSivan, kDiaspora, 0}, {6, kSivan, kIsrael, 1},   {23, kTishri, kDiaspora, 0},
  };
  for (const auto& [day, month, custom, yizkor] : kYizkor) {
    UseCustom(dir, custom);
    EXPECT_EQ(IsYizkorDay(day, month), yizkor) << day << "/" << month << " custom " << custom;
  }
}

// A date past its month's end counts on: 27 Tishri 5777 (type 0, 50
// Shabbatot) plus 49 weeks is the cycle's last Shabbat; one week more is
// past its end, where the padding entry must not be read as Bereshith.
// No date, however odd, writes outside the record.
TEST(TorahReadings, PastTheScheduleAndOddDates) {
  ScratchDir dir;
  ReadingsOfDay out;
  ReadingKeys keys;
  ASSERT_EQ(ReadingsForDate(27 + 7 * 49, kTishri, 5777, &out, &keys), 1);
  EXPECT_EQ(keys.a, kKeyHolHamoedSukkot);
  for (int weeks : {50, 400}) {
    EXPECT_EQ(ReadingsForDate(27 + 7 * weeks, kTishri, 5777, &out, &keys), 0) << weeks;
    EXPECT_EQ(keys.shabbat + keys.a + keys.b + keys.c, 0) << weeks;
    EXPECT_EQ(std::string(out.reading[0]) + out.haphtarah[0], "") << weeks;
  }
  for (int year : {5344, 5785, 5860}) {
    for (int month = -1; month <= 15; ++month) {
      for (int day = -2; day <= 40; ++day) {
        std::memset(&out, 'x', sizeof out);
        ReadingsForDate(day, month, year, &out, nullptr);
        for (const char* text : {out.reading[0], out.reading[1], out.reading[2], out.haphtarah[0],
                                 out.haphtarah[1], out.haphtarah[2], out.omer})
          ASSERT_LT(strnlen(text, kReadingTextSize), (size_t)kReadingTextSize);
      }
    }
  }
}

}  // namespace
