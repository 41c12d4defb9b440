// The title screen's gradient bands, font height and text placement.
#include "shell/title_screen.h"

#include <gtest/gtest.h>

namespace {

// Worked by hand: S = H / 256 rows per band; F = (H mod 256) / 256 is added
// to the running sum before each band, and a band whose addition brings the
// sum to 1 gets one row more.
struct BandRow {
  int height;
  int whole;       // S
  int extraBands;  // bands of S + 1 rows: H mod 256 of them
  int firstExtra;  // index of the first of them, -1 = none
};

constexpr BandRow kBandRows[] = {
    {256, 1, 0, -1},   // one row each
    {300, 1, 44, 5},   // F = 11/64: the 6th addition gives 66/64
    {100, 0, 100, 2},  // F = 25/64: the 3rd addition gives 75/64
    {257, 1, 1, 255},  // F = 1/256: only the 256th addition reaches 1
    {767, 2, 255, 1},  // F = 255/256: the 1st addition stays below 1
    {512, 2, 0, -1},
    {0, 0, 0, -1},
};

TEST(TitleBands, RowsWorkedByHand) {
  for (const BandRow& row : kBandRows) {
    TitleBand bands[kTitleBandCount];
    TitleBandLayout(row.height, bands);
    int extra = 0, first = -1;
    for (int i = 0; i < kTitleBandCount; ++i) {
      ASSERT_TRUE(bands[i].height == row.whole || bands[i].height == row.whole + 1)
          << "height " << row.height << ", band " << i << " is " << bands[i].height;
      if (bands[i].height == row.whole + 1) {
        ++extra;
        if (first < 0) first = i;
      }
    }
    EXPECT_EQ(extra, row.extraBands) << "height " << row.height;
    EXPECT_EQ(first, row.firstExtra) << "height " << row.height;
    const TitleBand& last = bands[kTitleBandCount - 1];
    EXPECT_EQ(last.top + last.height, row.height) << "height " << row.height;
  }
}

// Whatever the height, the bands follow each other without gap or overlap,
// cover the whole client area, and fade from full blue to black.
TEST(TitleBands, CoverEveryHeightExactly) {
  for (int height = 0; height <= 4096; ++height) {
    TitleBand bands[kTitleBandCount];
    TitleBandLayout(height, bands);
    int top = 0;
    for (int i = 0; i < kTitleBandCount; ++i) {
      ASSERT_EQ(bands[i].top, top) << "height " << height << ", band " << i;
      ASSERT_EQ(bands[i].blue, 255 - i) << "band " << i;
      top += bands[i].height;
    }
    ASSERT_EQ(top, height);
  }
}

// 16 points at p pixels per inch: 16 * p / 72 pixels, rounded.
TEST(TitleFont, HeightIsSixteenPointsRounded) {
  constexpr struct {
    int pixelsPerInch;
    int height;
  } kRows[] = {
      {72, -16},   // exact
      {96, -21},   // 21.33
      {120, -27},  // 26.67: rounded up, not cut
      {144, -32},  // exact
      {192, -43},  // 42.67
      {100, -22},  // 22.22
  };
  for (const auto& row : kRows)
    EXPECT_EQ(TitleFontHeight(row.pixelsPerInch), row.height) << row.pixelsPerInch << " ppi";
}

TEST(TitleText, LinesCentredAsABlock) {
  TitleTextPlacement at;
  // Block height 55: line 1 starts 27 rows above the middle.
  TitleTextLayout(1000, 700, 100, 30, 301, 25, &at);
  EXPECT_EQ(at.x1, 450);
  EXPECT_EQ(at.y1, 323);
  EXPECT_EQ(at.x2, 350);  // 500 - 150: each half is cut on its own
  EXPECT_EQ(at.y2, 353);  // directly below line 1
  // Odd width of an odd line: 50 - 25, where (100 - 51) / 2 would give 24.
  TitleTextLayout(100, 100, 51, 10, 51, 10, &at);
  EXPECT_EQ(at.x1, 25);
}

}  // namespace
