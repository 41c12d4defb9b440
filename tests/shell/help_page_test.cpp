// The help page's path in the temporary folder and the page it writes there.
#include "shell/help_page.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(HelpPagePath, OneBackslashBetweenFolderAndName) {
  constexpr struct {
    const char* folder;
    const char* path;
  } kRows[] = {
      {"C:\\Users\\Dana\\AppData\\Local\\Temp", "C:\\Users\\Dana\\AppData\\Local\\Temp\\Cal.htm"},
      {"C:\\Temp\\", "C:\\Temp\\Cal.htm"},  // no second backslash
      {"", "Cal.htm"},                      // no folder: the bare name
  };
  for (const auto& row : kRows) {
    char path[300];
    ASSERT_EQ(HelpPagePath(row.folder, path, sizeof path), 1) << row.folder;
    EXPECT_STREQ(path, row.path) << row.folder;
  }
}

TEST(HelpPagePath, RefusesWhatDoesNotFit) {
  const std::string folder(256, 'x');  // the longest folder taken
  // 256 + the backslash + "Cal.htm" + the NUL.
  char path[265];
  EXPECT_EQ(HelpPagePath(folder.c_str(), path, 265), 1);
  EXPECT_EQ(std::string(path), folder + "\\Cal.htm");
  EXPECT_EQ(HelpPagePath(folder.c_str(), path, 264), 0);
  EXPECT_STREQ(path, "");
}

// The page is written as it is carried: byte for byte the file in the tree.
TEST(HelpPageText, IsTheHelpFileByteForByte) {
  std::ifstream in(std::string(TAVLON_SOURCE_DIR) + "/resources/help.htm", std::ios::binary);
  ASSERT_TRUE(in) << "resources/help.htm not found";
  std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(std::string(HelpPageText(), HelpPageLength()), file);
}

}  // namespace
