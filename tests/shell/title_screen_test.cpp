// The title screen's gradient bands, font height and text placement.
#include "shell/title_screen.h"

#include <gtest/gtest.h>

namespace {

// Whatever the height, the bands follow each other without gap or overlap,
// cover the whole client area evenly (no two differ by more than a row),
// and fade from full blue to black.
TEST(TitleBands, CoverEveryHeightExactly) {
  for (int height = 0; height <= 4096; ++height) {
    TitleBand bands[kTitleBandCount];
    TitleBandLayout(height, bands);
    int top = 0;
    for (int i = 0; i < kTitleBandCount; ++i) {
      ASSERT_EQ(bands[i].top, top) << "height " << height << ", band " << i;
      ASSERT_EQ(bands[i].blue, 255 - i) << "band " << i;
      ASSERT_EQ(bands[i].height - height / kTitleBandCount, bands[i].height > height / kTitleBandCount)
          << "height " << height << ", band " << i;
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
