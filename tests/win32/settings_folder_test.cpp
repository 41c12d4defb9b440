// The settings folder on Windows: the older settings copied in once, and a
// folder that cannot be written reported once.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/folders.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

class SettingsFolderCopy : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"new", "virtual", "windows"})
      std::filesystem::create_directory(dir_.path() / sub);
  }
  // Copies into "new" from "virtual", then "windows".
  int Copy() {
    std::string folder = dir_.File("new");
    std::string older[2] = {dir_.File("virtual"), dir_.File("windows")};
    const char* paths[2] = {older[0].c_str(), older[1].c_str()};
    return CopyOlderSettings(folder.c_str(), paths, 2);
  }
  ScratchDir dir_;
};

// Each file from the first older folder that has it; the older files stay.
TEST_F(SettingsFolderCopy, FirstStartCopiesEachFileFromTheFirstOlderFolder) {
  dir_.Write("virtual/exportcal.ini", "[Location]\r\nCityName=Haifa\r\n");
  dir_.Write("windows/exportcal.ini", "[Location]\r\nCityName=Paris\r\n");
  dir_.Write("windows/daylight.ini", "[Daylight]\r\nStartMonth=3\r\n");
  EXPECT_EQ(Copy(), 2);
  EXPECT_EQ(dir_.Read("new/exportcal.ini"), "[Location]\r\nCityName=Haifa\r\n");
  EXPECT_EQ(dir_.Read("new/daylight.ini"), "[Daylight]\r\nStartMonth=3\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File("new/exportcalshab.ini")));
  EXPECT_EQ(dir_.Read("virtual/exportcal.ini"), "[Location]\r\nCityName=Haifa\r\n");
  EXPECT_EQ(dir_.Read("windows/exportcal.ini"), "[Location]\r\nCityName=Paris\r\n");
  EXPECT_EQ(dir_.Read("windows/daylight.ini"), "[Daylight]\r\nStartMonth=3\r\n");
}

// A folder that has any settings file of its own is never filled again.
TEST_F(SettingsFolderCopy, FolderWithSettingsOfItsOwnIsLeftAlone) {
  dir_.Write("new/exportcalshab.ini", "[Parasha]\r\nIsrael=1\r\n");
  dir_.Write("windows/exportcal.ini", "[Location]\r\nCityName=Paris\r\n");
  EXPECT_EQ(Copy(), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("new/exportcal.ini")));
  EXPECT_EQ(dir_.Read("new/exportcalshab.ini"), "[Parasha]\r\nIsrael=1\r\n");
}

// The program writes settings as its window opens and as it ends: a folder
// that takes neither write is shown once, naming the folder.
TEST(SettingsFolderWrite, UnwritableFolderIsReportedOnce) {
  ScratchDir dir;
  const std::string folder = dir.File("missing") + "\\deeper";
  SetSettingsFolderOverride(folder.c_str());
  MessageCapture messages;
  ProgramRun run = RunProgram({[](HWND) {}});
  EXPECT_EQ(run.stepsRun, 1);
  EXPECT_EQ(IniWriteString("Flags", "LeftToRight", "1", "exportcal.ini"), 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].text.find(folder), std::string::npos) << messages.shown()[0].text;
  EXPECT_EQ(messages.shown()[0].title, "Error");
  EXPECT_EQ(messages.shown()[0].icon, MessageIconError);
}

}  // namespace
