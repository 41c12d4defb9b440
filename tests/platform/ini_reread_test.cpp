// Settings are read afresh: a change to the file, however it is made, is
// seen by the next read, even when the reader keeps the text of an
// unchanged file.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

TEST(IniReread, ChangesAreSeenByTheNextRead) {
  ScratchDir dir;
  char text[64];
  for (int round = 0; round < 20; ++round) {
    // Rewritten in place with a value of the same length: same file, same
    // size, and often the same time stamp.
    dir.Write("reread.ini", "[S]\r\nk=" + std::to_string(round % 10) + "\r\n");
    ASSERT_EQ(IniReadInt("S", "k", -1, "reread.ini"), round % 10) << round;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  ASSERT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 9);
  ASSERT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 9);  // an unchanged file
  ASSERT_EQ(IniWriteString("S", "k", "7", "reread.ini"), 1);
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 7);
  dir.Write("reread.ini", "[S]\r\nk=3\r\n");
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 3);
  std::filesystem::remove(dir.path() / "reread.ini");
  EXPECT_EQ(IniReadString("S", "k", "gone", text, sizeof text, "reread.ini"), 4);
  EXPECT_STREQ(text, "gone");
}

}  // namespace
