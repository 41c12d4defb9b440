// The help page's path in the temporary folder and the document itself.
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
      {"C:\\", "C:\\Cal.htm"},
      {"", "Cal.htm"},                      // no folder: the bare name
      {"D:/tmp/", "D:/tmp/\\Cal.htm"},      // only a backslash counts as the end
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

std::string Page() { return std::string(HelpPageText(), HelpPageLength()); }

// The page is written as it is carried: byte for byte the file in the tree.
TEST(HelpPageText, IsTheHelpFileByteForByte) {
  std::ifstream in(std::string(TAVLON_SOURCE_DIR) + "/resources/help.htm", std::ios::binary);
  ASSERT_TRUE(in) << "resources/help.htm not found";
  std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(Page(), file);
}

TEST(HelpPageText, SevenBitTextWithCrLfLineEnds) {
  const std::string page = Page();
  ASSERT_FALSE(page.empty());
  for (std::size_t i = 0; i < page.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(page[i]);
    ASSERT_TRUE(c > 0 && c < 0x80) << "byte " << i;
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << "lone LF at " << i;
    }
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < page.size() && page[i + 1] == '\n') << "lone CR at " << i;
    }
  }
  EXPECT_EQ(page.substr(page.size() - 2), "\r\n");
}

TEST(HelpPageText, TitleHeadingAndContents) {
  const std::string page = Page();
  EXPECT_NE(page.find("<title>Tavlon Help</title>"), std::string::npos);
  EXPECT_NE(page.find(">Help for Tavlon<"), std::string::npos);
  std::size_t contents = page.find("Table Of Contents");
  ASSERT_NE(contents, std::string::npos);
  // Two bulleted lists between the contents heading and the first rule.
  std::size_t rule = page.find("<hr>", contents);
  ASSERT_NE(rule, std::string::npos);
  std::string toc = page.substr(contents, rule - contents);
  int lists = 0;
  for (std::size_t at = toc.find("<ul>"); at != std::string::npos; at = toc.find("<ul>", at + 1))
    ++lists;
  EXPECT_EQ(lists, 2);
}

// Each section: its link in the contents, then a rule, then its anchor and
// heading, in the order of the contents.
TEST(HelpPageText, FourAnchoredSectionsAfterRules) {
  constexpr struct {
    const char* anchor;
    const char* link;     // the contents' label
    const char* heading;  // start of the section's heading
  } kSections[] = {
      {"import", "1. Import into Outlook or save as an ICS file",
       "1. Import into Outlook or save as an ICS file"},
      {"anni", "2. Anniversaries, Birthdays and Yahrzeit",
       "2. Anniversaries, Birthdays and Yahrzeit"},
      {"chametz", "3. Chametz Times on Erev Pesach", "3. Chametz Times on Erev Pesach"},
      {"birthdays",
       "4. Import Anniversaries, Birthdays or Yahrzeit as separate entries into Outlook or "
       "into the ICS file",
       "4. Import Anniversaries, Birthdays or Yahrzeit as separate all-day entries"},
  };
  const std::string page = Page();
  std::size_t previous = 0;
  for (const auto& section : kSections) {
    std::string link = std::string("<a href=\"#") + section.anchor + "\">" + section.link + "</a>";
    EXPECT_NE(page.find(link), std::string::npos) << section.anchor;
    std::string target = std::string("<a name=\"") + section.anchor + "\">" + section.heading;
    std::size_t at = page.find(target);
    ASSERT_NE(at, std::string::npos) << section.anchor;
    EXPECT_GT(at, previous) << section.anchor << " out of order";
    std::size_t rule = page.rfind("<hr>", at);
    ASSERT_NE(rule, std::string::npos) << section.anchor;
    EXPECT_GT(rule, previous) << "no rule before " << section.anchor;
    previous = at;
  }
}

// The caption formats with their defaults and codes, the names set in bold,
// the Magen Avraham offset.
TEST(HelpPageText, SectionsCarryWhatTheyMustExplain) {
  const std::string page = Page();
  for (const char* text : {"%J - %G", "%H - %J", "<code>%G</code>", "<code>%J</code>",
                           "<code>%H</code>", "<b>More...</b>", "<b>After Sunset</b>",
                           "<b>Vilna Gaon</b>", "<b>Magen Avraham</b>", "72 minutes"})
    EXPECT_NE(page.find(text), std::string::npos) << text;
}

}  // namespace
