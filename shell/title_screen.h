// The main window's title screen: a blue gradient of 256 horizontal bands
// with the title and the copyright line centred on it. The arithmetic only;
// the window paints with it.
#pragma once

inline constexpr int kTitleBandCount = 256;

struct TitleBand {
  int top;     // first pixel row
  int height;  // rows; the whole part of height/256, or one more
  int blue;    // 255 for the top band down to 0 for the last; red and green 0
};

// Splits a client area `clientHeight` pixels high (>= 0) into the 256
// bands, top to bottom. Each band is S = clientHeight / 256 rows high, plus
// one row whenever the running sum of the fraction F (single precision,
// increased by F before each band) reaches 1. F is a multiple of 1/256, so
// the sum is exact and the last band ends at the bottom edge.
void TitleBandLayout(int clientHeight, TitleBand bands[kTitleBandCount]);

// The character height of a 16-point font at `pixelsPerInch`:
// -(16 * pixelsPerInch / 72) rounded to the nearest whole number (negative:
// a character height, not a cell height).
int TitleFontHeight(int pixelsPerInch);

// Where the two lines go: each centred horizontally (x = W/2 - width/2,
// integer halves); the block of both lines centred vertically, line 2
// directly below line 1.
struct TitleTextPlacement {
  int x1, y1;
  int x2, y2;
};
void TitleTextLayout(int clientWidth, int clientHeight, int width1, int height1, int width2,
                     int height2, TitleTextPlacement* out);
