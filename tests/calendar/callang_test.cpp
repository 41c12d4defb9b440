// The definition language: the embedded text against the holiday table of
// the rules, every error report with its line and token, the lexer's
// limits, name lookup, and spelling Hebrew from letter names.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
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
      {"comments and blank lines only", "# one\r\n\r\n   # two\r\n\t\r\n", 1, 0, {}},
      {"comment without line end", "# last", 1, 0, {}},
      {"CR LF", "A: 'x'\r\nB: 'y'\r\n", 1, 2, {}},
      {"lone CR", "A: 'x'\rB: 'y'\r", 1, 2, {}},
      {"comment after a definition", "A: 'x' # note\r\nB: 'y'\r\n", 1, 2, {}},
      {"LF alone ends no line", "A: 'x'\nB: 'y'\r\n", 0, 0,
       {Report(1, "TOKEN_ID (B)", "Newline or comma expected")}},
      {"line counted after blank and comment lines", "# c\r\n\r\nA: 'x'\r\nB 'y'\r\n", 0, 1,
       {Report(4, "TOKEN_STRING (y)", "Colon expected")}},
      {"lone CR counts lines", "A: 'x'\rB 'y'\r", 0, 1,
       {Report(2, "TOKEN_STRING (y)", "Colon expected")}},
      {"error at a line end names the next line", "A:\r\n", 0, 0,
       {Report(2, "TOKEN_NEWLINE", "String expected")}},
      {"comment leaves its line end", "A # c\r\nB: 'y'\r\n", 0, 0,
       {Report(2, "TOKEN_NEWLINE", "Colon expected")}},
      {"missing final line break", "A: 'x'", 0, 0,
       {Report(1, "TOKEN_EOF", "Newline or comma expected")}},
      {"missing final line break after a date", "A: 'x' 'alef', 3 Tishri", 0, 0,
       {Report(1, "TOKEN_EOF", "Newline or comma expected")}},
  };
  for (const ParseCase& row : rows) ExpectParse(row);
}

TEST(CallangParse, EveryErrorMessage) {
  const std::vector<ParseCase> rows = {
      {"no identifier", "'x'\r\n", 0, 0, {Report(1, "TOKEN_STRING (x)", "Identifer expected")}},
      {"colon first", ": 'x'\r\n", 0, 0, {Report(1, "TOKEN_COLON", "Identifer expected")}},
      {"keyword as key", "Tishri: 'x'\r\n", 0, 0,
       {Report(1, "TOKEN_JEWMONTH (7)", "Identifer expected")}},
      {"number as key", "12: 'x'\r\n", 0, 0, {Report(1, "TOKEN_NUM (12)", "Identifer expected")}},
      {"no colon", "A 'x'\r\n", 0, 0, {Report(1, "TOKEN_STRING (x)", "Colon expected")}},
      {"no string", "A: B\r\n", 0, 0, {Report(1, "TOKEN_ID (B)", "String expected")}},
      {"short name is no string", "A: %s%\r\n", 0, 0, {Report(1, "Token 303", "String expected")}},
      {"unterminated string", "A: 'abc", 0, 0, {Report(1, "TOKEN_UNKNOWN", "String expected")}},
      {"third string", "A: 'x' 'y' 'z'\r\n", 0, 0,
       {Report(1, "TOKEN_STRING (z)", "Newline or comma expected")}},
      {"symbol before short name", "A: 'x' 'y' SQUARE %s%\r\n", 0, 0,
       {Report(1, "Token 303", "Newline or comma expected")}},
      {"character that begins no token", "A: 'x' ;\r\n", 0, 0,
       {Report(1, "TOKEN_UNKNOWN", "Newline or comma expected")}},
      {"extra after the date", "A: 'x' 'y', 3 Tishri 4\r\n", 0, 0,
       {Report(1, "TOKEN_NUM (4)", "Newline or comma expected")}},
      {"date without Hebrew name", "A: 'x', 3 Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_COMMA", "No Hebrew holiday name")}},
      {"date after short name, no Hebrew name", "A: 'x' %s%, 3 Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_COMMA", "No Hebrew holiday name")}},
      {"no day", "A: 'x' 'y', Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_JEWMONTH (7)", "Number expected")}},
      {"no offset", "A: 'x' 'y', 25 Kislev +\r\n", 0, 0,
       {Report(2, "TOKEN_NEWLINE", "Number expected")}},
      {"misspelt month", "A: 'x' 'y', 17 Tamuz\r\n", 0, 0,
       {Report(1, "TOKEN_ID (Tamuz)", "Jewish month name expected")}},
      {"special in place of a month", "A: 'x' 'y', 3 FastDay\r\n", 0, 0,
       {Report(1, "TOKEN_SPECIAL (1)", "Jewish month name expected")}},
      {"symbol in place of a special", "A: 'x' 'y', 3 Tishri, SQUARE\r\n", 0, 0,
       {Report(1, "TOKEN_DAYCOLOR (5)", "Special name expected")}},
      {"comma after the special", "A: 'x' 'y', 3 Tishri, FastDay,\r\n", 0, 0,
       {Report(1, "TOKEN_COMMA", "Newline expected")}},
      {"special at the end of the text", "A: 'x' 'y', 3 Tishri, FastDay", 0, 0,
       {Report(1, "TOKEN_EOF", "Newline expected")}},
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
      {"key of 49", key49 + ": 'x'\r\n", 1, 1, {}},
      {"key of 50", key50 + ": 'x'\r\n", 0, 0,
       {Report(1, "TOKEN_ID (" + key50 + ")", "Identifer is too long")}},
      {"identifier of 99", id99 + ": 'x'\r\n", 0, 0,
       {Report(1, "TOKEN_ID (" + id99 + ")", "Identifer is too long")}},
      {"identifier of 100", id100 + ": 'x'\r\n", 0, 0,
       {{"Identifer is too long", "Error", MessageIconError},
        Report(1, "TOKEN_UNKNOWN", "Identifer expected")}},
      {"string of 199", "A: '" + s199 + "'\r\n", 1, 1, {}},
      {"string of 200", "A: '" + s200 + "'\r\n", 0, 0,
       {{"String is too long", "Error", MessageIconError},
        {s200, "String", -1},
        Report(1, "TOKEN_UNKNOWN", "String expected")}},
      {"199 definitions", Repeat("K: 'x'\r\n", 199), 1, 199, {}},
      {"200 definitions", Repeat("K: 'x'\r\n", 200) + "L: 'y'\r\n", 0, 200,
       {Report(201, "TOKEN_NEWLINE", "Data overflow")}},
      {"largest day", "A: 'x' 'y', 2147483647 Tishri\r\n", 1, 1, {}},
      {"day one past int32", "A: 'x' 'y', 2147483648 Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
      {"day that wraps to 1 in 32 bits", "A: 'x' 'y', 4294967297 Tishri\r\n", 0, 0,
       {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
      {"offset far past int32", "A: 'x' 'y', 25 Kislev + 99999999999999999999999\r\n", 0, 0,
       {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
  };
  for (const ParseCase& row : rows) ExpectParse(row);
}

// Every field of one line, including keywords in lower case.
TEST(CallangParse, FieldsOfADefinition) {
  struct Row {
    const char* id;
    const char* source;
    CallangEntry expected;
  };
  const Row rows[] = {
      {"all parts", "HolidayTzomGedaliah: 'Tzom Gedaliah' 'tzade vav endmem' %TGed% SQUARE, 3 Tishri, FastDay # 3 Tishri\r\n",
       {"HolidayTzomGedaliah", "Tzom Gedaliah", "tzade vav endmem", "TGed", 3, 7, 0, 1, 5}},
      {"lower-case keywords", "h: 'x' 'alef' %S% square, 3 tishri + 2, fastday\r\n",
       {"h", "x", "alef", "S", 3, 7, 2, 1, 5}},
      {"offset", "HolidayHanukkahII: 'Hanukkah II' 'bet' POUND, 25 Kislev + 1\r\n",
       {"HolidayHanukkahII", "Hanukkah II", "bet", "", 25, 9, 1, 0, 4}},
      {"short name, no symbol", "S: 'Shabbat Hagadol' 'schin' %Shab. Hag.%, 15 Nissan, ShabbatHaggadol\r\n",
       {"S", "Shabbat Hagadol", "schin", "Shab. Hag.", 15, 1, 0, 2, 0}},
      {"name only with a symbol", "A: 'x' TILDE\r\n", {"A", "x", "", "", 0, 0, 0, 0, 2}},
      {"both Adar months", "P: 'p' 'pey', 14 AdarPurimKatan\r\n", {"P", "p", "pey", "", 14, 21, 0, 0, 0}},
      {"quotes of the other kind inside", "A: \"it's\" 'a\"b'\r\n", {"A", "it's", "a\"b", "", 0, 0, 0, 0, 0}},
      {"largest number", "A: 'x' 'y', 2147483647 Av + 007\r\n", {"A", "x", "y", "", 2147483647, 5, 7, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    auto table = std::make_unique<CallangTable>();
    MessageRecorder recorder;
    ASSERT_EQ(CallangParse(row.source, table.get()), 1);
    ASSERT_EQ(table->count, 1);
    const CallangEntry& got = table->entries[0];
    EXPECT_STREQ(got.key, row.expected.key);
    EXPECT_STREQ(got.englishName, row.expected.englishName);
    EXPECT_STREQ(got.hebrewName, row.expected.hebrewName);
    EXPECT_STREQ(got.shortName, row.expected.shortName);
    EXPECT_EQ(got.day, row.expected.day);
    EXPECT_EQ(got.month, row.expected.month);
    EXPECT_EQ(got.offset, row.expected.offset);
    EXPECT_EQ(got.special, row.expected.special);
    EXPECT_EQ(got.symbol, row.expected.symbol);
  }
}

// A table parsed anew for each test leaves nothing behind from the last.
TEST(CallangParse, ClearsTheTable) {
  auto table = std::make_unique<CallangTable>();
  MessageRecorder recorder;
  ASSERT_EQ(CallangParse("A: 'x'\r\nB: 'y'\r\n", table.get()), 1);
  ASSERT_EQ(CallangParse("C: 'z'\r\n", table.get()), 1);
  EXPECT_EQ(table->count, 1);
  EXPECT_STREQ(table->entries[0].key, "C");
}

// Windows-1255 bytes of Hebrew written in UTF-8: the letters U+05D0-U+05EA
// are 0xE0-0xFA in the same order; ASCII stays.
std::string Windows1255(std::u8string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned c = text[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const unsigned codePoint = ((c & 0x1F) << 6) | (text[i + 1] & 0x3F);
    out += static_cast<char>(0xE0 + codePoint - 0x5D0);
    i += 2;
  }
  return out;
}

std::string Visual(const std::string& logical) { return {logical.rbegin(), logical.rend()}; }

struct Holiday {
  const char* key;
  const char* englishName;
  const char* shortName;
  int symbol, day, month, offset, special;
  const char8_t* hebrew;  // reading order
};

// The holiday table of the rules, in order.
const Holiday kHolidays[] = {
    {"HolidayErevRoshHaShanah", "Erev Rosh HaShanah", "", 0, 29, 6, 0, 0, u8"ערב ראש השנה"},
    {"HolidayRoshHashanahI", "Rosh Hashanah I", "RHa", 1, 1, 7, 0, 0, u8"ראש השנה"},
    {"HolidayRoshHashanahII", "Rosh Hashanah II", "RHa", 1, 2, 7, 0, 0, u8"ראש השנה"},
    {"HolidayTzomGedaliah", "Tzom Gedaliah", "TGed", 5, 3, 7, 0, 1, u8"צום גדליה"},
    {"HolidayErevYomKippur", "Erev Yom Kippur", "", 0, 9, 7, 0, 0, u8"ערב יום הכיפורים"},
    {"HolidayYomKippur", "Yom Kippur", "YKip", 1, 10, 7, 0, 0, u8"יום הכיפורים"},
    {"HolidayErevSukkot", "Erev Sukkot", "", 0, 14, 7, 0, 0, u8"ערב סוכות"},
    {"HolidaySukkotI", "Sukkot I", "Suk", 1, 15, 7, 0, 0, u8"א' דסוכות"},
    {"HolidaySukkotIIDiaspora", "Sukkot II", "Suk", 1, 16, 7, 0, 0, u8"ב' דסוכות"},
    {"HolidaySukkotIIHolHamoedIsrael", "Hol Hamoed", "HH", 2, 16, 7, 0, 0, u8"חול המועד"},
    {"HolidaySukkotIIIHolHamoed", "Hol Hamoed", "HH", 2, 17, 7, 0, 0, u8"חול המועד"},
    {"HolidaySukkotIVHolHamoed", "Hol Hamoed", "HH", 2, 18, 7, 0, 0, u8"חול המועד"},
    {"HolidaySukkotVHolHamoed", "Hol Hamoed", "HH", 2, 19, 7, 0, 0, u8"חול המועד"},
    {"HolidaySukkotVIHolHamoed", "Hol Hamoed", "HH", 2, 20, 7, 0, 0, u8"חול המועד"},
    {"HolidaySukkotVII", "Hoshanah Rabbah", "HRab", 1, 21, 7, 0, 0, u8"הושענא  רבא"},
    {"HolidaySheminiAtzeretDiaspora", "Shemini Atzeret", "ShAt", 1, 22, 7, 0, 0, u8"שמיני עצרת"},
    {"HolidaySimchatToraDiaspora", "Simchat Torah (Diaspora)", "STor", 1, 23, 7, 0, 0, u8"שמחת תורה גלות"},
    {"HolidaySheminiAtzeretSimchatToraIsrael", "Shemini Atzeret/Simchat Torah", "ShAt/STor", 1, 22, 7, 0, 0, u8"שמיני עצרת/שמחת תורה"},
    {"HolidaySukkotIsruChagDiaspora", "Isru Chag", "", 0, 24, 7, 0, 0, u8"אסרו חג"},
    {"HolidaySukkotIsruChagIsrael", "Isru Chag", "", 0, 23, 7, 0, 0, u8"אסרו חג"},
    {"HolidayHanukkahI", "Hanukkah I", "", 4, 25, 9, 0, 0, u8"א' חנוכה"},
    {"HolidayHanukkahII", "Hanukkah II", "", 4, 25, 9, 1, 0, u8"ב' חנוכה"},
    {"HolidayHanukkahIII", "Hanukkah III", "", 4, 25, 9, 2, 0, u8"ג' חנוכה"},
    {"HolidayHanukkahIV", "Hanukkah IV", "", 4, 25, 9, 3, 0, u8"ד' חנוכה"},
    {"HolidayHanukkahV", "Hanukkah V", "", 4, 25, 9, 4, 0, u8"ה' חנוכה"},
    {"HolidayHanukkahVI", "Hanukkah VI", "", 4, 25, 9, 5, 0, u8"ו' חנוכה"},
    {"HolidayHanukkahVII", "Hanukkah VII", "", 4, 25, 9, 6, 0, u8"ז' חנוכה"},
    {"HolidayHanukkahVIII", "Hanukkah VIII", "", 4, 25, 9, 7, 0, u8"ח' חנוכה"},
    {"HolidayTzomTevet", "Tzom Tevet", "", 5, 10, 10, 0, 1, u8"צום עשרה בטבת"},
    {"HolidayTuBShevat", "Tu Bi-Shevat", "", 4, 15, 11, 0, 0, u8"ראש השנה לאילנות"},
    {"HolidayTaanithEsther", "Ta-anith Esther", "Ta. Esther", 5, 13, 20, 0, 6, u8"תענות אסתר"},
    {"HolidayPurim", "Purim", "", 4, 14, 20, 0, 0, u8"פורים"},
    {"HolidayShushanPurim", "Shushan Purim", "", 4, 15, 20, 0, 1, u8"שושן פורים"},
    {"HolidayPurimKatan", "Purim Katan", "", 4, 14, 21, 0, 0, u8"פורים קטן"},
    {"HolidayShushanPurimKaran", "Shushan Purim Katan", "", 4, 15, 21, 0, 0, u8"שושן פורים קטן"},
    {"HolidayShabbatHagadol", "Shabbat Hagadol", "Shab. Hag.", 0, 15, 1, 0, 2, u8"שבת הגדול"},
    {"HolidayErevPesach", "Erev Pesach", "", 0, 14, 1, 0, 0, u8"ערב פסח"},
    {"HolidayPesachI", "Pesach I", "", 1, 15, 1, 0, 0, u8"א' דפסח"},
    {"HolidayPesachIIIsraelHolHamoed", "Hol Hamoed", "Hol H.", 2, 16, 1, 0, 0, u8"חול המועד"},
    {"HolidayPesachIIDiaspora", "Pesach II", "", 1, 16, 1, 0, 0, u8"ב' דפסח"},
    {"HolidayPesachIIIHolHamoed", "Hol Hamoed", "Hol H.", 2, 17, 1, 0, 0, u8"חול המועד"},
    {"HolidayPesachIVHolHamoed", "Hol Hamoed", "Hol H.", 2, 18, 1, 0, 0, u8"חול המועד"},
    {"HolidayPesachVHolHamoed", "Hol Hamoed", "Hol H.", 2, 19, 1, 0, 0, u8"חול המועד"},
    {"HolidayPesachVIHolHamoed", "Hol Hamoed", "Hol H.", 2, 20, 1, 0, 0, u8"חול המועד"},
    {"HolidayPesachVII", "Pesach VII", "", 1, 21, 1, 0, 0, u8"ז' דפסח"},
    {"HolidayPesachVIIIDiaspora", "Pesach VIII (Diaspora)", "Pesach VIII", 1, 22, 1, 0, 0, u8"ח' דפסח גלות"},
    {"HolidayPesachIsruChagDiaspora", "Isru Chag", "", 0, 23, 1, 0, 0, u8"אסרו חג"},
    {"HolidayPesachIsruChagIsrael", "Isru Chag", "", 0, 22, 1, 0, 0, u8"אסרו חג"},
    {"HolidayYomHashoah", "Yom Hashoah", "Y. Hash.", 3, 27, 1, 0, 3, u8"יום השואה"},
    {"HolidayYomHazikaron", "Yom Hazikaron", "Y. Hazik.", 3, 4, 2, 0, 4, u8"יום הזכרון לחללי צה''ל"},
    {"HolidayYomHaAtzmaut", "Yom Ha-Atzmaut", "Y. Haatz.", 3, 5, 2, 0, 5, u8"יום העצמאות"},
    {"HolidayLagBOmer", "Lag B-Omer", "L. B-Om.", 3, 18, 2, 0, 0, u8"ל''ג בעומר"},
    {"HolidayYomYerushalayim", "Yom Yerushalayim", "Y. Yerush.", 3, 28, 2, 0, 0, u8"יום ירושלים"},
    {"HolidayErevShavuot", "Erev Shavuot", "", 0, 5, 3, 0, 0, u8"ערב שבועות"},
    {"HolidayShavuotIsrael", "Shavuot", "", 1, 6, 3, 0, 0, u8"שבועות"},
    {"HolidayShavuotDiasporaI", "Shavuot I", "", 1, 6, 3, 0, 0, u8"א' דשבועות"},
    {"HolidayShavuotDiasporaII", "Shavuot II (Diaspora)", "Shavuot II", 1, 7, 3, 0, 0, u8"ב' דשבועות גלות"},
    {"HolidayShavuotIsruChagDiaspora", "Isru Chag", "", 0, 8, 3, 0, 0, u8"אסרו חג"},
    {"HolidayShavuotIsruChagIsrael", "Isru Chag", "", 0, 7, 3, 0, 0, u8"אסרו חג"},
    {"HolidayTzomTammuz", "Tzom Tammuz", "Tzom Tammuz", 5, 17, 4, 0, 1, u8"תענית יז' בתמוז"},
    {"HolidayTishaBAv", "Tisha BeAv", "", 5, 9, 5, 0, 1, u8"תענית תשעה באב"},
};

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

TEST_F(CallangEmbedded, CountsAndFirstLine) {
  EXPECT_EQ(table->count, 114);
  int holidays = 0;
  for (int i = 0; i < table->count; ++i)
    holidays += std::strncmp(table->entries[i].key, "Holiday", 7) == 0;
  EXPECT_EQ(holidays, 61);
  EXPECT_STREQ(table->entries[0].key, "Language");
  EXPECT_STREQ(table->entries[0].englishName, "English");
}

TEST_F(CallangEmbedded, HolidaysInOrderWithTheirFields) {
  std::vector<const CallangEntry*> holidays;
  for (int i = 0; i < table->count; ++i)
    if (std::strncmp(table->entries[i].key, "Holiday", 7) == 0) holidays.push_back(&table->entries[i]);
  ASSERT_EQ(holidays.size(), std::size(kHolidays));
  for (std::size_t i = 0; i < holidays.size(); ++i) {
    const Holiday& want = kHolidays[i];
    const CallangEntry& got = *holidays[i];
    SCOPED_TRACE(want.key);
    EXPECT_STREQ(got.key, want.key);
    EXPECT_STREQ(got.englishName, want.englishName);
    EXPECT_STREQ(got.shortName, want.shortName);
    EXPECT_EQ(got.symbol, want.symbol);
    EXPECT_EQ(got.day, want.day);
    EXPECT_EQ(got.month, want.month);
    EXPECT_EQ(got.offset, want.offset);
    EXPECT_EQ(got.special, want.special);
    char hebrew[256];
    HebrewFromLetterNames(got.hebrewName, hebrew, sizeof hebrew);
    EXPECT_EQ(std::string(hebrew), Visual(Windows1255(want.hebrew))) << got.hebrewName;
  }
}

TEST_F(CallangEmbedded, NameGroups) {
  struct Row {
    const char* key;
    const char* name;
    int position;  // index in the table
  };
  // Language, 7 + 7 weekdays, 12 + 12 months, then the Jewish months.
  const Row rows[] = {
      {"WeekdayFullSunday", "Sunday", 1},        {"WeekdayFullSaturday", "Saturday", 7},
      {"WeekdayShortSunday", "Sun", 8},          {"WeekdayShortThursday", "Thu", 12},
      {"MonthFullJanuary", "January", 15},       {"MonthFullDecember", "December", 26},
      {"MonthShortJanuary", "Jan", 27},          {"MonthShortMay", "May", 31},
      {"MonthShortSeptember", "Sep", 35},        {"MonthShortDecember", "Dec", 38},
      {"MonthTishri", "Tishri", 39},             {"MonthHeshvan", "Heshvan", 40},
      {"MonthKislev", "Kislev", 41},             {"MonthTevet", "Tevet", 42},
      {"MonthShevat", "Shevat", 43},             {"MonthAdarI", "Adar I", 44},
      {"MonthAdarII", "Adar II", 45},            {"MonthAdar", "Adar", 46},
      {"MonthNisan", "Nisan", 47},               {"MonthIyar", "Iyar", 48},
      {"MonthSivan", "Sivan", 49},               {"MonthTamuz", "Tammuz", 50},
      {"MonthAv", "Av", 51},                     {"MonthElul", "Elul", 52},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    const CallangEntry& got = table->entries[row.position];
    EXPECT_STREQ(got.key, row.key);
    EXPECT_STREQ(got.englishName, row.name);
    EXPECT_EQ(got.day, 0);
    EXPECT_EQ(got.month, 0);
  }
  EXPECT_EQ(std::strncmp(table->entries[53].key, "Holiday", 7), 0);
}

// Hebrew names spelled out by hand from the letters, in visual order.
TEST_F(CallangEmbedded, HebrewBytes) {
  struct Row {
    const char* key;
    const char* bytes;
  };
  const Row rows[] = {
      // resch alef schin, hey schin nun hey
      {"HolidayRoshHashanahI", "\xE4\xF0\xF9\xE4\x20\xF9\xE0\xF8"},
      // alef geresh, chet nun vav chaf hey
      {"HolidayHanukkahI", "\xE4\xEB\xE5\xF0\xE7\x20\x27\xE0"},
      // hey vav schin ayin nun alef, two spaces, resch bet alef
      {"HolidaySukkotVII", "\xE0\xE1\xF8\x20\x20\xE0\xF0\xF2\xF9\xE5\xE4"},
      // ... lamed chet lamed lamed yod, tzade hey geresh geresh lamed
      {"HolidayYomHazikaron",
       "\xEC\x27\x27\xE4\xF6\x20\xE9\xEC\xEC\xE7\xEC\x20\xEF\xE5\xF8\xEB\xE6\xE4\x20\xED\xE5\xE9"},
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

TEST_F(CallangEmbedded, LookupName) {
  struct Row {
    const char* key;
    int found;
    const char* name;
  };
  const Row rows[] = {
      {"MonthFullJanuary", 1, "January"},
      {"monthfulljanuary", 1, "January"},
      {"HOLIDAYPURIM", 1, "Purim"},
      {"MonthTamuz", 1, "Tammuz"},
      {"MonthTammuz", 0, "untouched"},
      {"HolidayPuri", 0, "untouched"},    // a prefix is no match
      {"HolidayPurimK", 0, "untouched"},
      {"", 0, "untouched"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    char dest[256] = "untouched";
    EXPECT_EQ(CallangLookupName(row.key, dest), row.found);
    EXPECT_STREQ(dest, row.name);
  }
}

TEST(CallangLookup, FirstMatchAndEmptyTable) {
  auto table = std::make_unique<CallangTable>();
  MessageRecorder recorder;
  ASSERT_EQ(CallangParse("Twice: 'first'\r\ntwice: 'second'\r\n", table.get()), 1);
  char dest[256] = "untouched";
  EXPECT_EQ(CallangLookupNameIn(table.get(), "TWICE", dest), 1);
  EXPECT_STREQ(dest, "first");

  ASSERT_EQ(CallangParse("", table.get()), 1);
  std::strcpy(dest, "untouched");
  EXPECT_EQ(CallangLookupNameIn(table.get(), "Twice", dest), 0);
  EXPECT_STREQ(dest, "untouched");
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
      {"case ignored", "RESCH Alef sChIn", 256, "\xF9\xE0\xF8"},
      {"runs of spaces", "  resch   alef  schin  ", 256, "\xF9\xE0\xF8"},
      {"unknown words dropped", "resch xyz alef kaf", 256, "\xE0\xF8"},
      {"no prefix matches", "ale alefbet", 256, ""},
      {"empty", "", 256, ""},
      {"spaces only", "   ", 256, ""},
      {"same letter twice", "bet vet fey pey", 256, "\xF4\xF4\xE1\xE1"},
      {"finals", "endchaf endmem endnun endfey endtzade", 256, "\xF5\xF3\xEF\xED\xEA"},
      {"signs", "alef jey space slash", 256, "/ '\xE0"},
      {"every row",
       "alef bet vet gimmel dalet hey vav sayin chet tet yod chaf endchaf lamed mem endmem nun "
       "endnun samech ayin fey pey endfey tzade endtzade kof resch schin taw jey space slash",
       256,
       "/ '\xFA\xF9\xF8\xF7\xF5\xF6\xF3\xF4\xF4\xF2\xF1\xEF\xF0\xED\xEE\xEC\xEA\xEB\xE9\xE8\xE7"
       "\xE6\xE5\xE4\xE3\xE2\xE1\xE1\xE0"},
      {"cut to the destination", "alef bet gimmel dalet", 3, "\xE1\xE0"},
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
