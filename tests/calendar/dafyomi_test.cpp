// Daf Yomi: cycle starts and ends from the published cycle, page positions
// worked by hand from the tractate table, and every result code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/dafyomi.h"

namespace {

TEST(DafYomi, PagesAndResults) {
  constexpr struct {
    int day, month, year;
    int result;
    const char* text;  // nullptr: any
  } rows[] = {
      {10, 7, 1923, 0, "Cycle 1, Berachos 2"},    // the epoch
      {11, 9, 1923, 0, "Cycle 1, Shabbos 2"},     // position 63
      {1, 3, 2005, 0, "Cycle 11, Nidah 73"},      // the eve of cycle 12
      {2, 3, 2005, 0, "Cycle 12, Berachos 2"},
      {4, 11, 2023, 0, "Cycle 14, Bava Kana 2"},  // 1399 pages before Bava Kama
      {31, 12, 3000, 0, nullptr},
      {29, 2, 2007, 2, ""},
      {1, 1, 3001, 2, ""},
      {9, 7, 1923, 3, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.day) + "." + std::to_string(row.month) + "." +
                 std::to_string(row.year));
    DafYomiRequest request;
    std::memset(&request, '#', sizeof request);
    request.size = kDafYomiRequestSize;
    request.day = row.day;
    request.month = row.month;
    request.year = row.year;
    ASSERT_EQ(DafYomiCompute(&request), row.result);
    char text[256] = "stale";
    EXPECT_EQ(DafYomiText(row.day, row.month, row.year, text), row.result);
    EXPECT_STREQ(text, row.text ? row.text : request.longText);
    if (row.result != 0) {  // a failed request leaves the result fields as they were
      EXPECT_EQ(request.tractate[0], '#');
      continue;
    }
    EXPECT_EQ(std::string(request.tractate) + " " + std::to_string(request.page), request.shortText);
    EXPECT_EQ("Cycle " + std::to_string(request.cycle) + ", " + request.shortText, request.longText);
  }
  EXPECT_EQ(DafYomiCompute(nullptr), 1);
  DafYomiRequest old = {kDafYomiRequestSize - 1, 11, 9, 1923, 0, {}, 0, {}, {}};
  EXPECT_EQ(DafYomiCompute(&old), 1);  // the size is checked first
}

}  // namespace
