// The definition language: the embedded text against the holiday table of
// the rules, error reports with their line and token, the lexer's
// limits, and spelling Hebrew from letter names.
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

struct ParseCase {
  std::string id;
  std::string source;
  int ok;
  int count;  // records in the table afterwards
  std::vector<Shown> shown;
};

void ExpectParse(const ParseCase& row) {
  SCOPED_TRACE(row.id);
  auto table = std::make_unique<CallangTable>();
  MessageRecorder recorder;
  EXPECT_EQ(CallangParse(row.source.c_str(), table.get()), row.ok);
  EXPECT_EQ(table->count, row.count);
  ASSERT_EQ(recorder.shown.size(), row.shown.size());
  for (std::size_t i = 0; i < row.shown.size(); ++i) {
    EXPECT_EQ(recorder.shown[i].text, row.shown[i].text);
    EXPECT_EQ(recorder.shown[i].title, row.shown[i].title);
    if (row.shown[i].icon >= 0) {
      EXPECT_EQ(recorder.shown[i].icon, row.shown[i].icon);
    }
  }
}

TEST(CallangParse, LinesCommentsAndLineEnds) {
  const std::vector<ParseCase> rows = {
      {"empty text", "", 1, 0, {}},
      {"LF alone ends no line", "A: 'x'\nB: 'y'\r\n", 0, 0,
       {Report(1, "TOKEN_ID (B)", "Newline or comma expected")}},
      {"line counted after blank and comment lines", "# c\r\n\r\nA: 'x'\r\nB 'y'\r\n", 0, 1,
       {Report(4, "TOKEN_STRING (y)", "Colon expected")}},
      {"error at a line end names the next line", "A:\r\n", 0, 0,
       {Report(2, "TOKEN_NEWLINE", "String expected")}},
  };
  for (const ParseCase& row : rows) ExpectParse(row);
}

TEST(CallangParse, ErrorMessages) {
  const std::vector<ParseCase> rows = {
      {"no identifier", "'x'\r\n", 0, 0, {Report(1, "TOKEN_STRING (x)", "Identifer expected")}},
      {"no string", "A: B\r\n", 0, 0, {Report(1, "TOKEN_ID (B)", "String expected")}},
      {"date without Hebrew name", "A: 'x', 3 Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_COMMA", "No Hebrew holiday name")}},
      {"misspelt month", "A: 'x' 'y', 17 Tamuz\r\n", 0, 0,
       {Report(1, "TOKEN_ID (Tamuz)", "Jewish month name expected")}},
      {"symbol in place of a special", "A: 'x' 'y', 3 Tishri, SQUARE\r\n", 0, 0,
       {Report(1, "TOKEN_DAYCOLOR (5)", "Special name expected")}},
      {"first error only, second line", "A: 'x'\r\nB: 'y', 3 Tishri\r\nC\r\n", 0, 1,
       {Report(2, "TOKEN_COMMA", "No Hebrew holiday name")}},
  };
  for (const ParseCase& row : rows) ExpectParse(row);
}

TEST(CallangParse, Limits) {
  const std::string key49 = Repeat("k", 49), key50 = Repeat("k", 50);
  const std::string id99 = Repeat("i", 99), id100 = Repeat("i", 100);
  const std::string s199 = Repeat("s", 199), s200 = Repeat("s", 200);
  const std::vector<ParseCase> rows = {
      {"key of 50", key50 + ": 'x'\r\n", 0, 0,
       {Report(1, "TOKEN_ID (" + key50 + ")", "Identifer is too long")}},
      {"identifier of 100", id100 + ": 'x'\r\n", 0, 0,
       {{"Identifer is too long", "Error", MessageIconError},
        Report(1, "TOKEN_UNKNOWN", "Identifer expected")}},
      {"string of 200", "A: '" + s200 + "'\r\n", 0, 0,
       {{"String is too long", "Error", MessageIconError},
        {s200, "String", -1},
        Report(1, "TOKEN_UNKNOWN", "String expected")}},
      {"200 definitions", Repeat("K: 'x'\r\n", 200) + "L: 'y'\r\n", 0, 200,
       {Report(201, "TOKEN_NEWLINE", "Data overflow")}},
      {"day one past int32", "A: 'x' 'y', 2147483648 Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
  };
  for (const ParseCase& row : rows) ExpectParse(row);
}

const CallangEntry* Find(const CallangTable* table, const char* key) {
  for (int i = 0; i < table->count; ++i)
    if (std::strcmp(table->entries[i].key, key) == 0) return &table->entries[i];
  return nullptr;
}

class CallangEmbedded : public ::testing::Test {
 protected:
  void SetUp() override {
    MessageRecorder recorder;
    ASSERT_NE(CallangInitialize(), 0);
    ASSERT_TRUE(recorder.shown.empty());
  }
  const CallangTable* table = CallangGlobalTable();
};

// Hebrew names spelled out by hand from the letters, in visual order.
TEST_F(CallangEmbedded, HebrewBytes) {
  struct Row {
    const char* key;
    const char* bytes;
  };
  const Row rows[] = {
      // resch alef schin, hey schin nun hey
      {"HolidayRoshHashanahI", "\xE4\xF0\xF9\xE4\x20\xF9\xE0\xF8"},
      // schin mem yod nun yod, ayin tzade resch taw, slash, schin mem chet taw, taw vav resch hey
      {"HolidaySheminiAtzeretSimchatToraIsrael",
       "\xE4\xF8\xE5\xFA\x20\xFA\xE7\xEE\xF9\x2F\xFA\xF8\xF6\xF2\x20\xE9\xF0\xE9\xEE\xF9"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    const CallangEntry* entry = Find(table, row.key);
    ASSERT_NE(entry, nullptr);
    char hebrew[256];
    HebrewFromLetterNames(entry->hebrewName, hebrew, sizeof hebrew);
    EXPECT_STREQ(hebrew, row.bytes);
  }
}

TEST(CallangHebrew, FromLetterNames) {
  struct Row {
    const char* id;
    const char* names;
    int destSize;
    const char* expected;  // visual order
  };
  const Row rows[] = {
      {"three letters reversed", "resch alef schin", 256, "\xF9\xE0\xF8"},
      {"unknown words dropped", "resch xyz alef kaf", 256, "\xE0\xF8"},
      {"every row",
       "alef bet vet gimmel dalet hey vav sayin chet tet yod chaf endchaf lamed mem endmem nun "
       "endnun samech ayin fey pey endfey tzade endtzade kof resch schin taw jey space slash",
       256,
       "/ '\xFA\xF9\xF8\xF7\xF5\xF6\xF3\xF4\xF4\xF2\xF1\xEF\xF0\xED\xEE\xEC\xEA\xEB\xE9\xE8\xE7"
       "\xE6\xE5\xE4\xE3\xE2\xE1\xE1\xE0"},
      {"room for the NUL only", "alef bet", 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    char dest[300];
    std::memset(dest, 0x55, sizeof dest);
    const int length = HebrewFromLetterNames(row.names, dest, row.destSize);
    EXPECT_STREQ(dest, row.expected);
    EXPECT_EQ(length, static_cast<int>(std::strlen(row.expected)));
    for (std::size_t i = row.destSize; i < sizeof dest; ++i)
      ASSERT_EQ(dest[i], 0x55) << "byte " << i << " written past the destination";
  }
}

}  // namespace
