// The definition language: error reports with their line and token, the
// lexer's limits, and Hebrew spelt from letter names.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "calendar/callang.h"
#include "platform/message.h"
#include "support/message_recorder.h"

namespace {

// The parser's report box, as "title|text".
std::string Report(int line, const std::string& token, const std::string& message) {
  return "Error|Line " + std::to_string(line) + ", current token " + token + ": " + message;
}

TEST(CallangParse, ErrorsAndLimits) {
  std::string key50(50, 'k'), s200(200, 's'), many;
  for (int i = 0; i < 200; ++i) many += "K: 'x'\r\n";
  const struct {
    std::string source;
    int count;  // records in the table afterwards
    std::vector<std::string> shown;
  } rows[] = {
      {"# c\r\n\r\nA: 'x'\r\nB 'y'\r\n", 1, {Report(4, "TOKEN_STRING (y)", "Colon expected")}},
      {"A: 'x'\nB: 'y'\r\n", 0, {Report(1, "TOKEN_ID (B)", "Newline or comma expected")}},
      {"A:\r\n", 0, {Report(2, "TOKEN_NEWLINE", "String expected")}},
      {"A: 'x'\r\nB: 'y', 3 Tishri\r\nC\r\n", 1, {Report(2, "TOKEN_COMMA", "No Hebrew holiday name")}},
      {key50 + ": 'x'\r\n", 0, {Report(1, "TOKEN_ID (" + key50 + ")", "Identifer is too long")}},
      {"A: '" + s200 + "'\r\n", 0,
       {"Error|String is too long", "String|" + s200, Report(1, "TOKEN_UNKNOWN", "String expected")}},
      {many + "L: 'y'\r\n", 200, {Report(201, "TOKEN_NEWLINE", "Data overflow")}},
      {"A: 'x' 'y', 2147483648 Tishri\r\n", 0, {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.source.substr(0, 40));
    auto table = std::make_unique<CallangTable>();
    MessageRecorder recorder;
    EXPECT_EQ(CallangParse(row.source.c_str(), table.get()), 0);
    EXPECT_EQ(table->count, row.count);
    std::vector<std::string> shown;
    for (const Shown& s : recorder.shown) shown.push_back(s.title + "|" + s.text);
    EXPECT_EQ(shown, row.shown);
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
