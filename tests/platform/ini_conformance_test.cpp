// One table of INI cases, run against every implementation we have: our own
// reader and writer, the settings calls of this build and, on Windows, the
// system's private-profile API, which is the reference for ours.
#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ini.h"
#include "platform/posix/ini_file.h"
#include "platform/folders.h"
#include "platform_scratch.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace platform_test;

struct IniImplementation {
  const char* name;
  int (*readString)(const char* path, const char* section, const char* key, const char* def,
                    char* out, int outSize);
  int (*readInt)(const char* path, const char* section, const char* key, int def);
  int (*writeString)(const char* path, const char* section, const char* key, const char* value);
  bool systemApi;  // the system's own private-profile functions
};

// The settings calls of ini.h, with a full path (used as it is).
int SettingsReadString(const char* path, const char* section, const char* key, const char* def,
                       char* out, int outSize) {
  return IniReadString(section, key, def, out, outSize, path);
}
int SettingsReadInt(const char* path, const char* section, const char* key, int def) {
  return IniReadInt(section, key, def, path);
}
int SettingsWriteString(const char* path, const char* section, const char* key, const char* value) {
  return IniWriteString(section, key, value, path);
}

#ifdef _WIN32
int ApiReadString(const char* path, const char* section, const char* key, const char* def,
                  char* out, int outSize) {
  return static_cast<int>(
      GetPrivateProfileStringA(section, key, def, out, static_cast<DWORD>(outSize), path));
}
int ApiReadInt(const char* path, const char* section, const char* key, int def) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, def, path));
}
int ApiWriteString(const char* path, const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, path) ? 1 : 0;
}
#endif

void PrintTo(const IniImplementation& impl, std::ostream* os) { *os << impl.name; }

constexpr IniImplementation kImplementations[] = {
    {"Ours", IniFileReadString, IniFileReadInt, IniFileWriteString, false},
#ifdef _WIN32
    {"Settings", SettingsReadString, SettingsReadInt, SettingsWriteString, true},
    {"WindowsApi", ApiReadString, ApiReadInt, ApiWriteString, true},
#else
    {"Settings", SettingsReadString, SettingsReadInt, SettingsWriteString, false},
#endif
};

constexpr const char* kNoFile = nullptr;

struct ReadRow {
  const char* id;
  const char* text;  // the file, or kNoFile
  const char* section;
  const char* key;
  const char* def;
  int outSize;
  const char* expected;
  // Where the system API (as Wine has it) differs from ours: its result.
  const char* systemExpected = nullptr;
};

constexpr ReadRow kReadRows[] = {
    {"missing file", kNoFile, "A", "k", "dflt", 64, "dflt"},
    {"missing key", "[A]\r\nk=1\r\n", "A", "j", "d", 64, "d"},
    {"empty value", "[A]\r\nk=\r\n", "A", "k", "d", 64, ""},
    {"key line without =", "[A]\r\nk\r\n", "A", "k", "d", 64, "d"},
    {"plain value", "[A]\r\nk=value\r\n", "A", "k", "d", 64, "value"},
    {"value holding =", "[A]\r\nk=a=b\r\n", "A", "k", "d", 64, "a=b"},
    {"double quotes removed", "[A]\r\nk=\"a b\"\r\n", "A", "k", "d", 64, "a b"},
    {"quotes inside kept", "[A]\r\nk=a \"b\" c\r\n", "A", "k", "d", 64, "a \"b\" c"},
    {"mismatched quotes kept", "[A]\r\nk=\"abc'\r\n", "A", "k", "d", 64, "\"abc'"},
    {"empty quotes", "[A]\r\nk=''\r\n", "A", "k", "d", 64, ""},
    {"blanks kept inside quotes", "[A]\r\nk= \" x \" \r\n", "A", "k", "d", 64, " x "},
    {"blanks around key and value", "[A]\r\n  k  =  v w  \r\n", "A", "k", "d", 64, "v w"},
    {"text after header", "[A] ; note\r\nk=v\r\n", "A", "k", "d", 64, "v"},
    {"header without ]", "[A\r\nk=v\r\n", "A", "k", "d", 64, "d"},
    {"section case", "[SeCtIoN]\r\nk=v\r\n", "sEcTiOn", "k", "d", 64, "v"},
    {"key case", "[A]\r\nKeY=v\r\n", "A", "kEy", "d", 64, "v"},
    {"inner blanks must match", "[Zmanim]\r\nAlot  Hashachar=72\r\n", "Zmanim", "Alot Hashachar", "d", 64, "d"},
    {"query names trimmed", "[A]\r\nk=v\r\n", " A ", " k ", "d", 64, "v"},
    {"first of duplicate keys", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "d", 64, "1"},
    {"first of duplicate sections", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n", "A", "k", "d", 64, "1"},
    {"key only in later duplicate", "[A]\r\nj=1\r\n[A]\r\nk=2\r\n", "A", "k", "d", 64, "d"},
    {"key before any header unseen", "k=1\r\n[A]\r\nj=2\r\n", "A", "k", "d", 64, "d"},
    {"comment lines", "; k=1\r\n[A]\r\n;k=2\r\nk=3\r\n", "A", "k", "d", 64, "3"},
    {"LF line ends", "[A]\nj=1\nk=v\n", "A", "k", "d", 64, "v"},
    {"no final line end", "[A]\r\nk=v", "A", "k", "d", 64, "v"},
    {"UTF-8 byte order mark", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "d", 64, "v"},
    {"value cut to fit", "[A]\r\nk=abcdef\r\n", "A", "k", "d", 4, "abc"},
    {"quoted value cut", "[A]\r\nk=\"abcdef\"\r\n", "A", "k", "d", 4, "abc"},
    // The system API cuts one character too many when the unquoted value
    // just fits; ours keeps it.
    {"quoted value just fits", "[A]\r\nk=\"abcdef\"\r\n", "A", "k", "d", 7, "abcdef", "abcde"},
    {"default cut to fit", "[A]\r\n", "A", "k", "defaults", 4, "def"},
    {"default trailing blanks dropped", "[A]\r\n", "A", "k", "dd  ", 64, "dd"},
    {"default leading blanks kept", "[A]\r\n", "A", "k", "  dd", 64, "  dd"},
    {"quoted default, file", "[A]\r\n", "A", "k", "'q'", 64, "q"},
    {"all-blank default keeps one", "[A]\r\n", "A", "k", "   ", 64, " "},
    {"section name with ]", "[A]]\r\nk=v\r\n", "A]", "k", "d", 64, "v"},
    {"lines before any header", "k=v\r\n[A]\r\n", "", "k", "d", 64, "v"},
    {"^Z is a blank", "[A]\r\nk=v\x1a\r\n", "A", "k", "d", 64, "v"},
};

struct IntRow {
  const char* id;
  const char* text;
  const char* key;
  int def;
  int expected;
  bool systemDiffers = false;
  int systemExpected = 0;
};

constexpr IntRow kIntRows[] = {
    {"missing file", kNoFile, "k", 42, 42},
    {"empty value", "[A]\r\nk=\r\n", "k", 42, 42},
    {"key line without =", "[A]\r\nk\r\n", "k", 42, 42},
    {"positive", "[A]\r\nk=17\r\n", "k", 42, 17},
    {"negative", "[A]\r\nk=-5\r\n", "k", 42, -5},
    {"blank and trailing text", "[A]\r\nk= 12abc\r\n", "k", 42, 12},
    {"stops at point", "[A]\r\nk=1.9\r\n", "k", 42, 1},
    {"not a number", "[A]\r\nk=abc\r\n", "k", 42, 0},
    {"two signs", "[A]\r\nk=--5\r\n", "k", 42, 0},
    {"quoted", "[A]\r\nk=\"7\"\r\n", "k", 42, 7},
    {"largest", "[A]\r\nk=2147483647\r\n", "k", 42, INT_MAX},
    // Ours reads decimal digits only; the system API also takes the base
    // prefixes 0x, 0o and 0b.
    {"hex prefix", "[A]\r\nk=0x10\r\n", "k", 42, 0, true, 16},
};

struct Check {
  const char* section;
  const char* key;
  const char* expected;  // read with the default "<none>"
};

struct WriteRow {
  const char* id;
  const char* before;  // kNoFile: the write creates it
  const char* section;
  const char* key;
  const char* value;
  Check checks[4];
};

const WriteRow kWriteRows[] = {
    {"new file", kNoFile, "Sec", "Key", "v", {{"Sec", "Key", "v"}}},
    {"new section in a file",
     "[A]\r\nx=1\r\n",
     "B", "k", "v",
     {{"B", "k", "v"}, {"A", "x", "1"}, {"A", "k", "<none>"}}},
    {"rewrite keeps neighbours",
     "[A]\r\nx=1\r\nk=old\r\ny=3\r\n[B]\r\nk=4\r\n",
     "A", "k", "new",
     {{"A", "k", "new"}, {"A", "x", "1"}, {"A", "y", "3"}, {"B", "k", "4"}}},
    {"rewrite matches case",
     "[Sec]\r\nKey=1\r\n",
     "sEC", "KEY", "2",
     {{"Sec", "Key", "2"}}},
    {"new key in a section followed by another",
     "[A]\r\nx=1\r\n\r\n[B]\r\nx=2\r\n",
     "A", "k", "v",
     {{"A", "k", "v"}, {"B", "k", "<none>"}, {"A", "x", "1"}, {"B", "x", "2"}}},
    {"new key in the last section without line end",
     "[A]\r\nx=1",
     "A", "k", "v",
     {{"A", "k", "v"}, {"A", "x", "1"}}},
    {"new key in an LF file",
     "[A]\nx=1\n[B]\ny=2\n",
     "A", "k", "v",
     {{"A", "k", "v"}, {"A", "x", "1"}, {"B", "y", "2"}}},
    {"empty value", "[A]\r\nk=1\r\n", "A", "k", "", {{"A", "k", ""}}},
    {"quoted value reads unquoted", kNoFile, "A", "k", "\"q\"", {{"A", "k", "q"}}},
    {"remove a key",
     "[A]\r\nx=1\r\nk=2\r\ny=3\r\n",
     "A", "k", nullptr,
     {{"A", "k", "<none>"}, {"A", "x", "1"}, {"A", "y", "3"}}},
    {"remove the first of duplicate keys",
     "[A]\r\nk=1\r\nk=2\r\n",
     "a", "K", nullptr,
     {{"A", "k", "2"}}},
};

class IniConformance : public ::testing::TestWithParam<IniImplementation> {
 protected:
  TempDir dir_;
  int serial_ = 0;

  // A file of its own for every row, holding `text` (none for kNoFile).
  std::string RowFile(const char* text) {
    std::string path = dir_.File("row" + std::to_string(++serial_) + ".ini");
    if (text) {
      EXPECT_EQ(WriteText(path, text), 1);
    }
    return path;
  }
};

TEST_P(IniConformance, ReadString) {
  const IniImplementation& impl = GetParam();
  for (const ReadRow& row : kReadRows) {
    std::string path = RowFile(row.text);
    char out[64] = "untouched";
    int n = impl.readString(path.c_str(), row.section, row.key, row.def, out, row.outSize);
    const char* expected = impl.systemApi && row.systemExpected ? row.systemExpected : row.expected;
    EXPECT_STREQ(out, expected) << row.id;
    EXPECT_EQ(n, static_cast<int>(std::string(expected).size())) << row.id;
  }
}

TEST_P(IniConformance, ReadInt) {
  const IniImplementation& impl = GetParam();
  for (const IntRow& row : kIntRows) {
    std::string path = RowFile(row.text);
    int expected = impl.systemApi && row.systemDiffers ? row.systemExpected : row.expected;
    EXPECT_EQ(impl.readInt(path.c_str(), "A", row.key, row.def), expected) << row.id;
  }
}

TEST_P(IniConformance, WriteThenRead) {
  const IniImplementation& impl = GetParam();
  for (const WriteRow& row : kWriteRows) {
    std::string path = RowFile(row.before);
    EXPECT_EQ(impl.writeString(path.c_str(), row.section, row.key, row.value), 1) << row.id;
    for (const Check& check : row.checks) {
      if (!check.section) break;
      char out[64];
      impl.readString(path.c_str(), check.section, check.key, "<none>", out, sizeof out);
      EXPECT_STREQ(out, check.expected) << row.id << ": [" << check.section << "] " << check.key;
    }
  }
}

// Two writes to a new file: the second key joins the section the first made.
TEST_P(IniConformance, SecondKeyJoinsNewSection) {
  const IniImplementation& impl = GetParam();
  std::string path = RowFile(kNoFile);
  ASSERT_EQ(impl.writeString(path.c_str(), "A", "x", "1"), 1);
  ASSERT_EQ(impl.writeString(path.c_str(), "a", "y", "2"), 1);
  ASSERT_EQ(impl.writeString(path.c_str(), "A", "X", "3"), 1);
  std::string text = ReadText(path);
  EXPECT_EQ(text.find("[a]"), std::string::npos) << text;  // no second section
  char out[16];
  impl.readString(path.c_str(), "A", "x", "", out, sizeof out);
  EXPECT_STREQ(out, "3");
  impl.readString(path.c_str(), "A", "y", "", out, sizeof out);
  EXPECT_STREQ(out, "2");
}

// A file in a folder that does not exist cannot be written.
TEST_P(IniConformance, WriteIntoMissingFolderFails) {
  std::string path = dir_.File("no-such-folder") + std::string(1, kPathSeparator) + "x.ini";
  EXPECT_EQ(GetParam().writeString(path.c_str(), "A", "k", "v"), 0);
}

INSTANTIATE_TEST_SUITE_P(All, IniConformance, ::testing::ValuesIn(kImplementations),
                         [](const ::testing::TestParamInfo<IniImplementation>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
