// The About box's seven lines.
#pragma once

inline constexpr int kAboutLineCount = 7;
inline constexpr int kAboutLineSize = 256;

// Fills the lines from the string-table texts that `text` returns by
// number: the title (text 2); "Version %d.%d" with 1 and 2 and the letter
// g appended; the copyright line; the e-mail line; "Homepage:"; the home
// page; an empty line.
void AboutLines(const char* (*text)(int id), char lines[kAboutLineCount][kAboutLineSize]);
