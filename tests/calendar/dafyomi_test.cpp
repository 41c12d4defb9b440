// Daf Yomi: cycle starts and ends from the published cycle, page positions
// worked by hand from the tractate table, and every result code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/dafyomi.h"

namespace {

TEST(DafYomi, TextOfDays) {
  constexpr struct {
    int day, month, year;
    int result;
    const char* text;  // nullptr: not checked
  } rows[] = {
      {10, 7, 1923, 0, "Cycle 1, Berachos 2"},  // the epoch
      {11, 9, 1923, 0, "Cycle 1, Shabbos 2"},   // position 63
      // The published start of cycle 12, and the last page of cycle 11.
      {1, 3, 2005, 0, "Cycle 11, Nidah 73"},
      {2, 3, 2005, 0, "Cycle 12, Berachos 2"},
      // 1399 pages precede Bava Kama (the first 20 tractates).
      {4, 11, 2023, 0, "Cycle 14, Bava Kana 2"},
      {29, 2, 2008, 0, nullptr},
      {31, 12, 3000, 0, nullptr},
      {29, 2, 2007, 2, ""},
      {1, 1, 3001, 2, ""},
      {9, 7, 1923, 3, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.day) + "." + std::to_string(row.month) + "." +
                 std::to_string(row.year));
    char text[256] = "stale";
    EXPECT_EQ(DafYomiText(row.day, row.month, row.year, text), row.result);
    if (!row.text) continue;
    EXPECT_STREQ(text, row.text);
  }
}

TEST(DafYomi, Requests) {
  EXPECT_EQ(DafYomiCompute(nullptr), 1);
  constexpr struct {
    std::uint32_t size;
    int day, month, year;
    int result;
  } rows[] = {
      {799, 11, 9, 1923, 1},  // the size is checked before the date
      {800, 29, 2, 2007, 2},
      {800, 11, 9, 1923, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.result);
    DafYomiRequest request;
    std::memset(&request, '#', sizeof request);
    request.size = row.size;
    request.day = row.day;
    request.month = row.month;
    request.year = row.year;
    ASSERT_EQ(DafYomiCompute(&request), row.result);
    if (row.result != 0) {  // a failed request leaves the result fields as they were
      EXPECT_EQ(request.tractate[0], '#');
      EXPECT_EQ(request.longText[0], '#');
      continue;
    }
    EXPECT_EQ(request.cycle, 1);
    EXPECT_STREQ(request.tractate, "Shabbos");
    EXPECT_EQ(request.page, 2);
    EXPECT_STREQ(request.shortText, "Shabbos 2");
    EXPECT_STREQ(request.longText, "Cycle 1, Shabbos 2");
  }
}

}  // namespace
