// Settings read while the files are held: answered from memory, yet always
// for the name asked (a caller may reuse one buffer for other names), with
// every write seen at once and other changes once the hold ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

// Holds the files for the life of the object.
struct Hold {
  Hold() { IniHoldFiles(1); }
  ~Hold() { IniHoldFiles(0); }
};

TEST(IniHold, ReusedNameBuffersReadTheirOwnKeys) {
  ScratchDir dir;
  dir.Write("held.ini", "[One]\r\na=1\r\nb=22\r\n[Two]\r\na=3\r\n");
  Hold hold;
  char section[16], key[16], file[16], value[16];
  std::strcpy(file, "held.ini");
  const struct {
    const char* section;
    const char* key;
    const char* value;  // "-" for the default
  } rows[] = {{"One", "a", "1"}, {"One", "b", "22"}, {"Two", "a", "3"}, {"Two", "b", "-"},
              {"one", "A", "1"}, {"One", "a", "1"},  {"Two", "a", "3"}};
  for (int round = 0; round < 2; ++round) {  // the second round is answered from memory
    for (const auto& row : rows) {
      std::strcpy(section, row.section);
      std::strcpy(key, row.key);
      IniReadString(section, key, "-", value, sizeof value, file);
      EXPECT_STREQ(value, row.value) << row.section << "/" << row.key << ", round " << round;
      const int expected = row.value[0] == '-' ? -1 : std::atoi(row.value);
      EXPECT_EQ(IniReadInt(section, key, -1, file), expected) << row.section << "/" << row.key;
    }
  }
  // The same buffer naming another file.
  dir.Write("other.ini", "[One]\r\na=9\r\n");
  std::strcpy(file, "other.ini");
  std::strcpy(section, "One");
  std::strcpy(key, "a");
  EXPECT_EQ(IniReadInt(section, key, -1, file), 9);
}

TEST(IniHold, WritesAreSeenAndOtherChangesAfterTheHold) {
  ScratchDir dir;
  dir.Write("held.ini", "[S]\r\nk=1\r\n");
  {
    Hold hold;
    EXPECT_EQ(IniReadInt("S", "k", -1, "held.ini"), 1);
    ASSERT_EQ(IniWriteString("S", "k", "2", "held.ini"), 1);
    EXPECT_EQ(IniReadInt("S", "k", -1, "held.ini"), 2);
    ASSERT_EQ(IniWriteString("S", "new", "x", "held.ini"), 1);
    char value[8];
    IniReadString("S", "new", "", value, sizeof value, "held.ini");
    EXPECT_STREQ(value, "x");
    // Changed by another program: our held file is not looked at again
    // (the Windows profile functions keep their own cache instead).
    dir.Write("held.ini", "[S]\r\nk=345\r\n");
#ifndef _WIN32
    EXPECT_EQ(IniReadInt("S", "k", -1, "held.ini"), 2);
#endif
  }
  EXPECT_EQ(IniReadInt("S", "k", -1, "held.ini"), 345);
}

TEST(IniHold, EmptyDefaultAndDefaultsOfMissingKeys) {
  ScratchDir dir;
  dir.Write("held.ini", "[S]\r\nempty=\r\n");
  Hold hold;
  char value[8] = "junk";
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(IniReadString("S", "missing", "", value, sizeof value, "held.ini"), 0);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(IniReadString("S", "missing", "dflt", value, sizeof value, "held.ini"), 4);
    EXPECT_STREQ(value, "dflt");
    EXPECT_EQ(IniReadString("S", "empty", "d", value, sizeof value, "held.ini"), 0);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(IniReadInt("S", "empty", 7, "held.ini"), 7);
  }
}

}  // namespace
