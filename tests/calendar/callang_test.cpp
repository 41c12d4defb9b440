// The definition language: error reports with their line and token, the
// lexer's limits, names looked up through reused key buffers, and spelling
// Hebrew from letter names.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "calendar/callang.h"
#include "platform/message.h"
#include "support/message_recorder.h"

namespace {

// The parser's report box.
Shown Report(int line, const std::string& token, const std::string& message) {
  return {"Line " + std::to_string(line) + ", current token " + token + ": " + message, "Error",
          MessageIconError};
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(CallangParse, ErrorsAndLimits) {
  const std::string key50 = Repeat("k", 50), s200 = Repeat("s", 200);
  const struct {
    std::string source;
    int count;  // records in the table afterwards
    std::vector<Shown> shown;
  } rows[] = {
      {"# c\r\n\r\nA: 'x'\r\nB 'y'\r\n", 1, {Report(4, "TOKEN_STRING (y)", "Colon expected")}},
      {"A: 'x'\nB: 'y'\r\n", 0, {Report(1, "TOKEN_ID (B)", "Newline or comma expected")}},
      {"A:\r\n", 0, {Report(2, "TOKEN_NEWLINE", "String expected")}},
      {"'x'\r\n", 0, {Report(1, "TOKEN_STRING (x)", "Identifer expected")}},
      {"A: 'x' 'y', 17 Tamuz\r\n", 0, {Report(1, "TOKEN_ID (Tamuz)", "Jewish month name expected")}},
      {"A: 'x'\r\nB: 'y', 3 Tishri\r\nC\r\n", 1, {Report(2, "TOKEN_COMMA", "No Hebrew holiday name")}},
      {key50 + ": 'x'\r\n", 0, {Report(1, "TOKEN_ID (" + key50 + ")", "Identifer is too long")}},
      {"A: '" + s200 + "'\r\n", 0,
       {{"String is too long", "Error", MessageIconError},
        {s200, "String", -1},
        Report(1, "TOKEN_UNKNOWN", "String expected")}},
      {Repeat("K: 'x'\r\n", 200) + "L: 'y'\r\n", 200, {Report(201, "TOKEN_NEWLINE", "Data overflow")}},
      {"A: 'x' 'y', 2147483648 Tishri\r\n", 0, {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.source.substr(0, 40));
    auto table = std::make_unique<CallangTable>();
    MessageRecorder recorder;
    EXPECT_EQ(CallangParse(row.source.c_str(), table.get()), 0);
    EXPECT_EQ(table->count, row.count);
    ASSERT_EQ(recorder.shown.size(), row.shown.size());
    for (std::size_t i = 0; i < row.shown.size(); ++i) {
      EXPECT_EQ(recorder.shown[i].text, row.shown[i].text);
      EXPECT_EQ(recorder.shown[i].title, row.shown[i].title);
      const int icon = row.shown[i].icon >= 0 ? row.shown[i].icon : recorder.shown[i].icon;
      EXPECT_EQ(recorder.shown[i].icon, icon);  // -1: any
    }
  }
}

// A lookup remembers the record by the address of the key: a buffer
// reused for another key, or a table filled again, finds the right one.
TEST(CallangNames, ReusedKeyBuffersFindTheirOwnRecords) {
  const struct {
    const char* key;
    const char* name;  // nullptr: no record
  } rows[] = {{"MonthFullMarch", "March"}, {"MONTHFULLMARCH", "March"}, {"MonthShortMarch", "Mar"},
              {"MonthAdarI", "Adar I"},    {"MonthAdar", "Adar"},       {"MonthFull", nullptr}};
  char key[64];
  for (int round = 0; round < 3; ++round) {
    if (round != 1) ASSERT_NE(CallangInitialize(), 0);
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(row.key) + ", round " + std::to_string(round));
      std::strcpy(key, row.key);
      char name[256] = "untouched";
      EXPECT_EQ(CallangLookupName(key, name), row.name ? 1 : 0);
      EXPECT_STREQ(name, row.name ? row.name : "untouched");
    }
  }
}

TEST(CallangHebrew, FromLetterNames) {
  const struct {
    const char* names;
    int destSize;
    const char* expected;  // visual order
  } rows[] = {
      {"alef bet vet gimmel dalet hey vav sayin chet tet yod chaf endchaf lamed mem endmem nun "
       "endnun samech ayin fey pey endfey tzade endtzade kof resch schin taw jey space slash",
       256,
       "/ '\xFA\xF9\xF8\xF7\xF5\xF6\xF3\xF4\xF4\xF2\xF1\xEF\xF0\xED\xEE\xEC\xEA\xEB\xE9\xE8\xE7"
       "\xE6\xE5\xE4\xE3\xE2\xE1\xE1\xE0"},
      {"resch xyz alef kaf", 256, "\xE0\xF8"},  // unknown words dropped
      {"alef bet", 1, ""},                      // room for the NUL only
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.names);
    char dest[300];
    std::memset(dest, 0x55, sizeof dest);
    EXPECT_EQ(HebrewFromLetterNames(row.names, dest, row.destSize), (int)std::strlen(row.expected));
    EXPECT_STREQ(dest, row.expected);
    for (std::size_t i = row.destSize; i < sizeof dest; ++i)
      ASSERT_EQ(dest[i], 0x55) << "byte " << i << " written past the destination";
  }
}

}  // namespace
