// The About box's lines, from the texts the program loaded.
#include "shell/about.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines come from the table handed in (the program passes the texts it
// loaded at start-up), cut to the line size.
TEST(AboutLines, TakesTheTextsItIsGiven) {
  static const std::string kLong(400, 'c');
  auto text = [](int id) -> const char* {
    switch (id) {
      case 2: return "T";
      case 33: return "V%d-%d";
      case 32: return kLong.c_str();
    }
    return "x";
  };
  char lines[kAboutLineCount][kAboutLineSize];
  AboutLines(text, lines);
  EXPECT_STREQ(lines[0], "T");
  EXPECT_STREQ(lines[1], "V1-2g");
  EXPECT_EQ(std::string(lines[2]), std::string(kAboutLineSize - 1, 'c'));
}

}  // namespace
