// Daf Yomi: cycle starts and ends from the published cycle, page positions
// worked by hand from the tractate table, and every result code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/dafyomi.h"

namespace {

struct DafDay {
  const char* id;
  int day, month, year;
  int result;
  const char* text;  // "" unless the result is 0
};

constexpr DafDay kDafDays[] = {
    {"epoch", 10, 7, 1923, 0, "Cycle 1, Berachos 2"},
    {"position 63", 11, 9, 1923, 0, "Cycle 1, Shabbos 2"},
    // Published cycle starts; the day before each is the last page.
    {"position 2710 of cycle 11", 1, 3, 2005, 0, "Cycle 11, Nidah 73"},
    {"cycle 12 begins (2711 x 11 days on)", 2, 3, 2005, 0, "Cycle 12, Berachos 2"},
    // 1399 pages precede Bava Kama (the first 20 tractates).
    {"cycle 14, Bava Kama begins", 4, 11, 2023, 0, "Cycle 14, Bava Kana 2"},
    // Date checks.
    {"29 February of a common year", 29, 2, 2007, 2, ""},
    {"29 February of a leap year", 29, 2, 2008, 0, nullptr},
    {"year 3001", 1, 1, 3001, 2, ""},
    {"last accepted day", 31, 12, 3000, 0, nullptr},
};

TEST(DafYomi, TextOfDays) {
  for (const DafDay& row : kDafDays) {
    char text[256];
    std::strcpy(text, "stale");
    EXPECT_EQ(DafYomiText(row.day, row.month, row.year, text), row.result) << row.id;
    if (row.text != nullptr) {
      EXPECT_STREQ(text, row.text) << row.id;
    }
    if (row.result != 0) {
      EXPECT_STREQ(text, "") << row.id;
    }
  }
}

TEST(DafYomi, RequestFields) {
  DafYomiRequest request;
  std::memset(&request, 0, sizeof request);
  request.size = kDafYomiRequestSize;
  request.day = 11;
  request.month = 9;
  request.year = 1923;
  ASSERT_EQ(DafYomiCompute(&request), 0);
  EXPECT_EQ(request.cycle, 1);
  EXPECT_STREQ(request.tractate, "Shabbos");
  EXPECT_EQ(request.page, 2);
  EXPECT_STREQ(request.shortText, "Shabbos 2");
  EXPECT_STREQ(request.longText, "Cycle 1, Shabbos 2");
}

TEST(DafYomi, BadRequests) {
  EXPECT_EQ(DafYomiCompute(nullptr), 1);
  const struct {
    const char* id;
    std::uint32_t size;
    int day, month, year;
    int result;
  } rows[] = {
      {"the size is checked before the date", 799, 29, 2, 2007, 1},
      {"bad date", 800, 29, 2, 2007, 2},
      {"before the epoch", 800, 9, 7, 1923, 3},
  };
  for (const auto& row : rows) {
    DafYomiRequest request;
    std::memset(&request, '#', sizeof request);
    request.size = row.size;
    request.day = row.day;
    request.month = row.month;
    request.year = row.year;
    EXPECT_EQ(DafYomiCompute(&request), row.result) << row.id;
    // A failed request leaves the result fields as they were.
    EXPECT_EQ(request.tractate[0], '#') << row.id;
    EXPECT_EQ(request.longText[0], '#') << row.id;
  }
}

}  // namespace
