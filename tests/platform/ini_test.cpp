// Each conformance table runs against our reader and writer, the settings
// calls and, on Windows, the system's private-profile API, the reference.
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/posix/ini_file.h"
#include "support/scratch_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct IniImplementation {
  const char* name;
  int (*readString)(const char* path, const char* section, const char* key, const char* def,
                    char* out, int outSize);
  int (*readInt)(const char* path, const char* section, const char* key, int def);
  int (*writeString)(const char* path, const char* section, const char* key, const char* value);
  bool systemApi;  // the system's own private-profile functions answer
};

constexpr IniImplementation kImplementations[] = {
    {"Ours", IniFileReadString, IniFileReadInt, IniFileWriteString, false},
    {"Settings",
     [](const char* p, const char* s, const char* k, const char* d, char* out, int size) {
       return IniReadString(s, k, d, out, size, p);
     },
     [](const char* p, const char* s, const char* k, int d) { return IniReadInt(s, k, d, p); },
     [](const char* p, const char* s, const char* k, const char* v) { return IniWriteString(s, k, v, p); },
#ifdef _WIN32
     true},
    {"WindowsApi",
     [](const char* p, const char* s, const char* k, const char* d, char* out, int size) {
       return static_cast<int>(GetPrivateProfileStringA(s, k, d, out, static_cast<DWORD>(size), p));
     },
     [](const char* p, const char* s, const char* k, int d) { return static_cast<int>(GetPrivateProfileIntA(s, k, d, p)); },
     [](const char* p, const char* s, const char* k, const char* v) { return WritePrivateProfileStringA(s, k, v, p) ? 1 : 0; },
     true},
#else
     false},
#endif
};

constexpr int kSameNumber = INT_MIN;

// What [A] k reads as text with the default "dflt" and as a number with the
// default 42 (where the system API differs: its results).
struct ReadRow {
  const char* id;
  const char* text;
  const char* expected;
  int number;
  int outSize = 64;
  const char* systemExpected = nullptr;
  int systemNumber = kSameNumber;
};

constexpr ReadRow kReadRows[] = {
    {"missing file", nullptr, "dflt", 42},
    {"empty value", "[A]\r\nk=\r\n", "", 42},
    {"key line without =", "[A]\r\nk\r\n", "dflt", 42},
    {"value holding =", "[A]\r\nk=a=b\r\n", "a=b", 0},
    {"double quotes removed", "[A]\r\nk=\"1 b\"\r\n", "1 b", 1},
    {"single quotes removed", "[A]\r\nk=''\r\n", "", 42},
    {"mismatched quotes kept", "[A]\r\nk=\"abc'\r\n", "\"abc'", 0},
    {"blanks kept inside quotes", "[A]\r\nk= \" x \" \r\n", " x ", 0},
    {"blanks around; a number stops at the first other character", "[A]\r\n  k  =  -2.9 w  \r\n", "-2.9 w", -2},
    {"not a number", "[A]\r\nk=--5\r\n", "--5", 0},
    {"largest number", "[A]\r\nk=2147483647\r\n", "2147483647", INT_MAX},
    {"hex prefix", "[A]\r\nk=0x10\r\n", "0x10", 0, 64, nullptr, 16},
    {"header without ]", "[A\r\nk=v\r\n", "dflt", 42},
    {"names ignore case", "[a]\r\nK=5\r\n", "5", 5},
    {"first of duplicate keys", "[A]\r\nk=1\r\nk=2\r\n", "1", 1},
    {"key only in later duplicate section", "[A]\r\nj=1\r\n[a]\r\nk=2\r\n", "dflt", 42},
    {"key before any header unseen", "k=1\r\n[A]\r\nj=2\r\n", "dflt", 42},
    {"comment lines", "; k=1\r\n[A]\r\n;k=2\r\nk=3\r\n", "3", 3},
    {"LF line ends, no final one", "[A]\nj=1\nk=7", "7", 7},
    {"UTF-8 byte order mark", "\xEF\xBB\xBF[A]\r\nk=8\r\n", "8", 8},
    {"value cut to fit", "[A]\r\nk=123456\r\n", "123", 123456, 4},
    {"quoted value just fits", "[A]\r\nk=\"abcdef\"\r\n", "abcdef", 0, 7, "abcde"},
    {"default cut to fit", "[A]\r\n", "df", 42, 3},
};

// After the write: what [A] x, [A] k, [A] y, [B] k and [B] x read ("-":
// missing), and the bytes our writer leaves, which keep every line it does
// not change (the system API rewrites the whole file).
constexpr const char* kProbes[][2] = {{"A", "x"}, {"A", "k"}, {"A", "y"}, {"B", "k"}, {"B", "x"}};

struct WriteRow {
  const char* id;
  const char* before;
  const char* section;
  const char* key;
  const char* value;  // nullptr: remove the key
  const char* probes;
  const char* bytes;
};

constexpr WriteRow kWriteRows[] = {
    {"new file", nullptr, "A", "k", "v", "- v - - -", "[A]\r\nk=v\r\n"},
    {"new section", "[A]\r\nx=1\r\n", "B", "k", "v", "1 - - v -", "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
    {"only the value replaced", ";\r\n[A]\r\nx=1\r\n K = o \r\ny=3\r\n[B]\r\nk=4", "a", "k", "n", "1 n 3 4 -", ";\r\n[A]\r\nx=1\r\n K = n\r\ny=3\r\n[B]\r\nk=4"},
    {"new key joins the section of other case", "[A]\r\nx=1\r\n", "a", "k", "2", "1 2 - - -", "[A]\r\nx=1\r\nk=2\r\n"},
    {"new key after the last filled line", "[A]\r\nx=1\r\n;\r\n\r\n[B]\r\nx=2", "A", "k", "v", "1 v - - 2", "[A]\r\nx=1\r\n;\r\nk=v\r\n\r\n[B]\r\nx=2"},
    {"new key after a last line without end", "[A]\r\nx=1", "A", "k", "v", "1 v - - -", "[A]\r\nx=1\r\nk=v\r\n"},
    {"first line decides the line end", "[A]\nx=1\r\n[B]\ny=2\n", "A", "k", "v", "1 v - - -", "[A]\nx=1\r\nk=v\n[B]\ny=2\n"},
    {"only the first duplicate rewritten", "[A]\nk=1\nk=2\n[A]\nk=3\n", "A", "k", "9", "- 9 - - -", "[A]\nk=9\nk=2\n[A]\nk=3\n"},
    {"byte order mark kept", "\xEF\xBB\xBF[A]\nx=1\n", "A", "x", "2", "2 - - - -", "\xEF\xBB\xBF[A]\nx=2\n"},
    {"odd lines and binary bytes kept", "\x01\xff\n[A\n[A]\n=x\n", "A", "k", "v", "- v - - -", "\x01\xff\n[A\n[A]\n=x\nk=v\n"},
    // The system API writes the line break as it is, and with it a section.
    {"line breaks in the value cut", "[A]\r\nk=1\r\n", "A", "k", "a\r\n[B]\r\nj=3", "- a - - -", "[A]\r\nk=a\r\n"},
    {"removal takes the whole line", "[A]\r\nx=1\r\n  k = 2\r\ny=3", "A", "k", nullptr, "1 - 3 - -", "[A]\r\nx=1\r\ny=3"},
    {"removal of the first duplicate", "[A]\r\nk=1\r\nk=2\r\n", "a", "K", nullptr, "- 2 - - -", "[A]\r\nk=2\r\n"},
};

class IniConformance : public ::testing::TestWithParam<IniImplementation> {
 protected:
  ScratchDir dir_;
  int serial_ = 0;

  // A file of its own for every row, holding `text` (no file for null).
  std::string RowFile(const char* text) {
    name_ = "row" + std::to_string(++serial_) + ".ini";
    if (text) dir_.Write(name_, text);
    return dir_.File(name_);
  }
  std::string name_;
};

TEST_P(IniConformance, Read) {
  const IniImplementation& impl = GetParam();
  for (const ReadRow& row : kReadRows) {
    const std::string path = RowFile(row.text);
    char out[64] = "untouched";
    const int n = impl.readString(path.c_str(), "A", "k", "dflt", out, row.outSize);
    const char* expected = impl.systemApi && row.systemExpected ? row.systemExpected : row.expected;
    EXPECT_STREQ(out, expected) << row.id;
    EXPECT_EQ(n, static_cast<int>(std::strlen(expected))) << row.id;
    const bool systemNumber = impl.systemApi && row.systemNumber != kSameNumber;
    EXPECT_EQ(impl.readInt(path.c_str(), "A", "k", 42), systemNumber ? row.systemNumber : row.number) << row.id;
  }
}

TEST_P(IniConformance, WriteThenRead) {
  const IniImplementation& impl = GetParam();
  for (const WriteRow& row : kWriteRows) {
    const std::string path = RowFile(row.before);
    EXPECT_EQ(impl.writeString(path.c_str(), row.section, row.key, row.value), 1) << row.id;
    std::string after;
    for (const auto& probe : kProbes) {
      char out[64];
      impl.readString(path.c_str(), probe[0], probe[1], "-", out, sizeof out);
      after.append(after.empty() ? "" : " ").append(out);
    }
    EXPECT_EQ(after, row.probes) << row.id;
    if (!impl.systemApi) {
      EXPECT_EQ(dir_.Read(name_), row.bytes) << row.id;
    }
  }
  const std::string inMissingFolder = dir_.File("no-such-folder") + "/x.ini";
  EXPECT_EQ(impl.writeString(inMissingFolder.c_str(), "A", "k", "v"), 0);
}

INSTANTIATE_TEST_SUITE_P(All, IniConformance, ::testing::ValuesIn(kImplementations),
                         [](const auto& info) { return std::string(info.param.name); });

// Text beyond the given length, or after a NUL, does not exist: a quote
// there has no partner.
TEST(IniFileText, ReadStaysInsideTheText) {
  constexpr std::pair<std::string_view, const char*> kRows[] = {
      {{"[A]\r\nk=value", 10}, "val"}, {{"[A]\r\nk=value", 5}, "d"}, {{"[A]\nk=\"ab\"", 9}, "\"ab"},
      {{"[A]\nk=\"ab\0c\"\n", 13}, "\"ab"}};
  for (const auto& [text, expected] : kRows) {
    char out[32];
    EXPECT_EQ(IniTextReadString(text.data(), text.size(), "A", "k", "d", out, sizeof out),
              static_cast<int>(std::strlen(expected)));
    EXPECT_STREQ(out, expected) << text.size();
  }
}

// A file beyond the size limit is read in part and never rewritten (it
// would be cut); removing a key makes no file.
TEST(IniFileText, HugeOrMissingFilesAreNotWritten) {
  ScratchDir dir;
  const std::string text = "[A]\r\nk=1\r\n" + std::string(kIniMaxFileSize, ';');
  dir.Write("huge.ini", text);
  char out[8];
  EXPECT_EQ(IniFileReadString(dir.File("huge.ini").c_str(), "A", "k", "d", out, sizeof out), 1);
  EXPECT_STREQ(out, "1");
  EXPECT_EQ(IniFileWriteString(dir.File("huge.ini").c_str(), "A", "k", "2"), 0);
  EXPECT_EQ(dir.Read("huge.ini"), text);
  EXPECT_EQ(IniFileWriteString(dir.File("none.ini").c_str(), "A", "k", nullptr), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.ini")));
}

// A bare name lives in the settings folder, which the first write makes,
// however deep (on Windows the folder call makes it).
TEST(IniSettings, BareNameLivesInTheSettingsFolder) {
  ScratchDir dir;
  const std::string folder = dir.File("a/b/tavlon");
  SetSettingsFolderOverride(folder.c_str());
#ifdef _WIN32
  std::filesystem::create_directories(folder);
#endif
  EXPECT_EQ(IniWriteString("Export", "Label", "3", "test.ini"), 1);
  EXPECT_EQ(IniFileReadInt((folder + "/test.ini").c_str(), "export", "label", 0), 3);
}

// A missing name is refused and the file kept whole (the system API
// would remove the whole section for a missing key).
TEST(IniSettings, MissingNamesAreRefused) {
  ScratchDir dir;
  dir.Write("names.ini", "[A]\r\nk=1\r\n");
  EXPECT_EQ(IniWriteString(nullptr, "k", "v", "names.ini"), 0);
  EXPECT_EQ(IniWriteString("A", nullptr, "v", "names.ini"), 0);
  EXPECT_EQ(dir.Read("names.ini"), "[A]\r\nk=1\r\n");
}

// A change to the file, however it is made, is seen by the next read, also
// when the reader keeps the text of an unchanged file: a file rewritten in
// place with the same size keeps its time stamp where the clock is coarse,
// so one changed just before it was read is read again.
TEST(IniSettings, ChangesAreSeenByTheNextRead) {
  ScratchDir dir;
  const std::filesystem::path path = dir.path() / "reread.ini";
  dir.Write("reread.ini", "[S]\r\nk=1\r\n");
  const auto stamp = std::filesystem::last_write_time(path) + std::chrono::seconds(1);
  std::filesystem::last_write_time(path, stamp);  // changed "just now", whatever the load
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 1);
  dir.Write("reread.ini", "[S]\r\nk=2\r\n");
  std::filesystem::last_write_time(path, stamp);
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 2);
  dir.Write("reread.ini", "[S]\r\nk=3\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 3);
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 3);  // unchanged: kept
  dir.Write("reread.ini", "[S]\r\nk=5\r\n");
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), 5);
  std::filesystem::remove(path);
  EXPECT_EQ(IniReadInt("S", "k", -1, "reread.ini"), -1);
}

// Held files answer from memory, yet always for the names and the default
// asked (a caller may reuse one buffer for other names); every write is
// seen at once, other programs' changes once the hold ends.
TEST(IniSettings, HeldFiles) {
  ScratchDir dir;
  dir.Write("held.ini", "[One]\r\na=1\r\nb=22\r\n[Two]\r\na=3\r\nempty=\r\n");
  dir.Write("other.ini", "[One]\r\na=9\r\n");
  // File, section, key, default, value; as a number, read with the default
  // -1, the value's digits or -1 when missing or empty.
  constexpr const char* kRows[][5] = {
      {"held.ini", "One", "a", "-", "1"},   {"held.ini", "One", "b", "-", "22"},     {"held.ini", "Two", "a", "-", "3"},
      {"held.ini", "one", "A", "-", "1"},   {"held.ini", "Two", "b", "", ""},        {"held.ini", "Two", "b", "dflt", "dflt"},
      {"held.ini", "Two", "empty", "d", ""}, {"other.ini", "One", "a", "-", "9"}};
  IniHoldFiles(1);
  char file[16], section[16], key[16], value[16];
  for (int round = 0; round < 2; ++round) {  // the second round is answered from memory
    for (const auto& [rowFile, rowSection, rowKey, def, expected] : kRows) {
      std::strcpy(file, rowFile);
      std::strcpy(section, rowSection);
      std::strcpy(key, rowKey);
      IniReadString(section, key, def, value, sizeof value, file);
      EXPECT_STREQ(value, expected) << rowFile << " " << rowSection << "/" << rowKey << "/" << def;
      const int number = !expected[0] || !std::strcmp(expected, def) ? -1 : std::atoi(expected);
      EXPECT_EQ(IniReadInt(section, key, -1, file), number) << rowSection << "/" << rowKey;
    }
  }
  EXPECT_EQ(IniWriteString("One", "a", "2", "held.ini"), 1);
  EXPECT_EQ(IniReadInt("One", "a", -1, "held.ini"), 2);
  dir.Write("held.ini", "[One]\r\na=345\r\n");
#ifndef _WIN32  // the Windows profile functions keep their own cache
  EXPECT_EQ(IniReadInt("One", "a", -1, "held.ini"), 2);
#endif
  IniHoldFiles(0);
  EXPECT_EQ(IniReadInt("One", "a", -1, "held.ini"), 345);
}

}  // namespace
