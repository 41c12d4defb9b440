// Our own INI writer keeps every line it does not change byte for byte (the
// system API rewrites the whole file, so these cases are ours alone), and
// the reader stays in bounds on any text.
#include <string>

#include <gtest/gtest.h>

#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/posix/ini_file.h"
#include "platform_scratch.h"

namespace {

using namespace platform_test;

struct RewriteRow {
  const char* id;
  const char* before;  // nullptr: no file
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

const RewriteRow kRewriteRows[] = {
    {"new file", nullptr, "Sec", "Key", "v", "[Sec]\r\nKey=v\r\n"},
    {"value only replaced",
     "; settings\r\n[A]\r\n  Key = old  \r\nnext=1\r\n",
     "a", "key", "new",
     "; settings\r\n[A]\r\n  Key = new\r\nnext=1\r\n"},
    {"only the first duplicate rewritten",
     "[A]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\n",
     "A", "k", "9",
     "[A]\r\nk=9\r\nk=2\r\n[A]\r\nk=3\r\n"},
    {"new key after the last filled line",
     "[A]\r\nx=1\r\n; about B\r\n\r\n\r\n[B]\r\nx=2\r\n",
     "A", "k", "v",
     "[A]\r\nx=1\r\n; about B\r\nk=v\r\n\r\n\r\n[B]\r\nx=2\r\n"},
    {"new key in the first of duplicate sections",
     "[A]\r\nx=1\r\n[A]\r\ny=2\r\n",
     "A", "k", "v",
     "[A]\r\nx=1\r\nk=v\r\n[A]\r\ny=2\r\n"},
    {"LF file gets LF lines",
     "[A]\nx=1\n",
     "B", "k", "v",
     "[A]\nx=1\n[B]\nk=v\n"},
    {"first line decides the line end",
     "[A]\r\nx=1\n",
     "B", "k", "v",
     "[A]\r\nx=1\n[B]\r\nk=v\r\n"},
    {"byte order mark kept",
     "\xEF\xBB\xBF[A]\nx=1\n",
     "A", "x", "2",
     "\xEF\xBB\xBF[A]\nx=2\n"},
    {"odd lines and binary bytes kept",
     "garbage \x01\x7f\xff\r\n[A\r\n[A]\r\n=x\r\n",
     "A", "k", "v",
     "garbage \x01\x7f\xff\r\n[A\r\n[A]\r\n=x\r\nk=v\r\n"},
    {"removal takes the whole line",
     "[A]\r\n  k = 1\r\nj=2",
     "A", "k", nullptr,
     "[A]\r\nj=2"},
    {"line breaks in the value cut",
     "[A]\r\nk=1\r\nj=2\r\n",
     "A", "k", "a\r\n[B]\r\nj=3",
     "[A]\r\nk=a\r\nj=2\r\n"},
};

TEST(IniFileText, WriteKeepsOtherBytes) {
  for (const RewriteRow& row : kRewriteRows) {
    std::string result = "untouched";
    std::size_t length = row.before ? std::string(row.before).size() : 0;
    EXPECT_EQ(IniTextWriteString(row.before, length, row.section, row.key, row.value, &result), 1)
        << row.id;
    EXPECT_EQ(result, row.after) << row.id;
  }
}

TEST(IniFileText, WriteRefusesEmptyNames) {
  struct Row {
    const char* id;
    const char* section;
    const char* key;
  };
  constexpr Row kRows[] = {{"empty key", "A", ""},
                           {"blank section", "  ", "k"},
                           {"null section", nullptr, "k"}};
  for (const Row& row : kRows) {
    std::string result = "untouched";
    EXPECT_EQ(IniTextWriteString("[A]\r\n", 5, row.section, row.key, "v", &result), 0) << row.id;
    EXPECT_EQ(result, "untouched") << row.id;
  }
}

// Removing a key from a missing file does not create it.
TEST(IniFileText, RemovalCreatesNoFile) {
  TempDir dir;
  std::string path = dir.File("none.ini");
  EXPECT_EQ(IniFileWriteString(path.c_str(), "A", "k", nullptr), 1);
  EXPECT_EQ(ReadText(path), "<missing>");
}

// Reading stops at the given length: text beyond it does not exist.
TEST(IniFileText, ReadStaysInsideLength) {
  const char text[] = "[A]\r\nk=value-beyond";
  char out[32];
  // Cut inside the value, then just before the key.
  EXPECT_EQ(IniTextReadString(text, 10, "A", "k", "d", out, sizeof out), 3);
  EXPECT_STREQ(out, "val");
  EXPECT_EQ(IniTextReadString(text, 5, "A", "k", "d", out, sizeof out), 1);
  EXPECT_STREQ(out, "d");
  // A quote that opens at the end of the length has no partner.
  EXPECT_EQ(IniTextReadString("[A]\nk=\"ab\"", 9, "A", "k", "d", out, sizeof out), 3);
  EXPECT_STREQ(out, "\"ab");
}

// A NUL inside a value ends it; the quote test sees only what comes before.
TEST(IniFileText, NulEndsTheValue) {
  const char text[] = "[A]\nk=\"ab\0c\"\n";
  char out[32];
  EXPECT_EQ(IniTextReadString(text, sizeof text - 1, "A", "k", "d", out, sizeof out), 3);
  EXPECT_STREQ(out, "\"ab");
}

// A file beyond the size limit is read in part and never rewritten.
TEST(IniFileText, HugeFileIsNotRewritten) {
  TempDir dir;
  std::string path = dir.File("huge.ini");
  std::string text = "[A]\r\nk=1\r\n";
  text.append(kIniMaxFileSize, ';');
  ASSERT_EQ(WriteText(path, text), 1);
  char out[8];
  EXPECT_EQ(IniFileReadString(path.c_str(), "A", "k", "d", out, sizeof out), 1);
  EXPECT_STREQ(out, "1");
  EXPECT_EQ(IniFileWriteString(path.c_str(), "A", "k", "2"), 0);
  EXPECT_EQ(ReadText(path).size(), text.size());
}

// A path that names a folder is neither read nor replaced.
TEST(IniFileText, FolderIsNotAFile) {
  TempDir dir;
  char out[8];
  EXPECT_EQ(IniFileReadString(dir.Dir().c_str(), "A", "k", "d", out, sizeof out), 1);
  EXPECT_STREQ(out, "d");
  EXPECT_EQ(IniFileWriteString(dir.Dir().c_str(), "A", "k", "v"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path));
}

// The settings calls find a bare name in the settings folder.
TEST(IniSettingsFolder, BareNameLivesInSettingsFolder) {
  TempDir dir;
  SetSettingsFolderOverride(dir.Dir().c_str());
  EXPECT_EQ(IniWriteString("OutlookExport", "Label", "3", "tavlon-test.ini"), 1);
  EXPECT_EQ(IniReadInt("OutlookExport", "Label", 0, "tavlon-test.ini"), 3);
  char out[8];
  EXPECT_EQ(IniReadString("outlookexport", "label", "", out, sizeof out, "tavlon-test.ini"), 1);
  SetSettingsFolderOverride(nullptr);
  // Whatever wrote it, our reader finds it at the full path.
  std::string path = dir.File("tavlon-test.ini");
  EXPECT_EQ(IniFileReadInt(path.c_str(), "OutlookExport", "Label", 0), 3);
  EXPECT_STREQ(out, "3");
}

#ifndef _WIN32
// The first write makes the settings folder, however deep.
TEST(IniSettingsFolder, WriteCreatesTheFolder) {
  TempDir dir;
  std::string folder = dir.File("a/b/tavlon");
  SetSettingsFolderOverride(folder.c_str());
  EXPECT_EQ(IniReadInt("A", "k", 7, "exportcal.ini"), 7);
  EXPECT_EQ(IniWriteString("A", "k", "8", "exportcal.ini"), 1);
  SetSettingsFolderOverride(nullptr);
  EXPECT_EQ(ReadText(folder + "/exportcal.ini"), "[A]\r\nk=8\r\n");
}
#endif

}  // namespace
