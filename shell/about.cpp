// The About box's lines.
#include "shell/about.h"

#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "shell/menu_bar.h"

namespace {

void CopyLine(const char* from, char* line) {
  std::snprintf(line, kAboutLineSize, "%s", from);
}

}  // namespace

void AboutLines(const char* (*text)(int id), char lines[kAboutLineCount][kAboutLineSize]) {
  CopyLine(text(kTextTitleLine), lines[0]);
  // The format is a string-table text; only its two numbers are ours.
  int n = std::snprintf(lines[1], kAboutLineSize, text(kTextVersionFormat), TAVLON_VERSION_MAJOR,
                        TAVLON_VERSION_MINOR);
  if (n >= 0 && n < kAboutLineSize - 1) {
    lines[1][n] = TAVLON_VERSION_LETTER;
    lines[1][n + 1] = '\0';
  }
  CopyLine(text(kTextCopyright), lines[2]);
  CopyLine(text(kTextEmail), lines[3]);
  CopyLine(text(kTextHomepageLabel), lines[4]);
  CopyLine(text(kTextHomepage), lines[5]);
  lines[6][0] = '\0';
}
