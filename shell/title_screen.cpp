// The title screen's band and text arithmetic.
#include "shell/title_screen.h"

void TitleBandLayout(int clientHeight, TitleBand bands[kTitleBandCount]) {
  double step = clientHeight / static_cast<double>(kTitleBandCount);
  int whole = static_cast<int>(step);                   // S, rows of every band
  float fraction = static_cast<float>(step - whole);    // F, 0 <= F < 1
  float sum = 0.0f;                                     // running sum, < 2
  int top = 0;
  for (int i = 0; i < kTitleBandCount; ++i) {
    sum += fraction;
    int height = whole;
    if (sum >= 1.0f) {
      ++height;
      while (sum >= 1.0f) sum -= 1.0f;
    }
    bands[i] = TitleBand{top, height, 255 - i};
    top += height;
  }
}

int TitleFontHeight(int pixelsPerInch) {
  // 16 * ppi / 72 = 2 * ppi / 9: never exactly half-way, so rounding up
  // from the remainder is rounding to the nearest.
  long long product = 16LL * pixelsPerInch;
  long long quotient = product / 72;
  long long remainder = product % 72;
  if (remainder < 0) remainder = -remainder;
  if (remainder * 2 >= 72) quotient += product < 0 ? -1 : 1;
  return -static_cast<int>(quotient);
}

void TitleTextLayout(int clientWidth, int clientHeight, int width1, int height1, int width2,
                     int height2, TitleTextPlacement* out) {
  int block = height1 + height2;
  out->x1 = clientWidth / 2 - width1 / 2;
  out->y1 = clientHeight / 2 - block / 2;
  out->x2 = clientWidth / 2 - width2 / 2;
  out->y2 = out->y1 + height1;
}
