// The Callang lexer and recursive-descent parser, the process-wide
// definition table, and the Hebrew letter table.
#include "calendar/callang.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/message.h"
#include "resources/strings.h"

// The embedded definition text, NUL-terminated (resources/holidays.cal).
extern const char kCallangText[];

namespace {

constexpr int kStringLimit = 200;      // a string this long is refused
constexpr int kIdentifierLimit = 100;  // an identifier this long is refused
constexpr int kKeyLimit = 50;          // keys are shorter than this
constexpr int kValueSize = 256;        // size of the name fields

struct Keyword {
  const char* name;
  int token;
  int value;
};

// Searched in this order, without regard to case. Months 12 and 13 have no
// keyword: Adar dates say which Adar they mean through the two Purim months.
constexpr Keyword kKeywords[] = {
    {"Nissan", TOKEN_JEWMONTH, 1},
    {"Iyar", TOKEN_JEWMONTH, 2},
    {"Sivan", TOKEN_JEWMONTH, 3},
    {"Tammuz", TOKEN_JEWMONTH, 4},
    {"Av", TOKEN_JEWMONTH, 5},
    {"Elul", TOKEN_JEWMONTH, 6},
    {"Tishri", TOKEN_JEWMONTH, 7},
    {"Heshvan", TOKEN_JEWMONTH, 8},
    {"Kislev", TOKEN_JEWMONTH, 9},
    {"Tevet", TOKEN_JEWMONTH, 10},
    {"Shevat", TOKEN_JEWMONTH, 11},
    {"AdarPurim", TOKEN_JEWMONTH, kCallangAdarPurim},
    {"AdarPurimKatan", TOKEN_JEWMONTH, kCallangAdarPurimKatan},
    {"FastDay", TOKEN_SPECIAL, kCallangFastDay},
    {"ShabbatHaggadol", TOKEN_SPECIAL, kCallangShabbatHaggadol},
    {"TaanitEsther", TOKEN_SPECIAL, kCallangTaanitEsther},
    {"YomHashoah", TOKEN_SPECIAL, kCallangYomHashoah},
    {"YomHazikaron", TOKEN_SPECIAL, kCallangYomHazikaron},
    {"YomHaatzmaut", TOKEN_SPECIAL, kCallangYomHaatzmaut},
    {"CANDLES", TOKEN_DAYCOLOR, 1},
    {"TILDE", TOKEN_DAYCOLOR, 2},
    {"MAGENDAVID", TOKEN_DAYCOLOR, 3},
    {"POUND", TOKEN_DAYCOLOR, 4},
    {"SQUARE", TOKEN_DAYCOLOR, 5},
};

struct Letter {
  const char* name;
  unsigned char code;  // Windows-1255
};

// Final forms go by their "end" names; bet/vet and pey/fey spell one
// letter each way, as the word is spoken.
constexpr Letter kLetters[] = {
    {"alef", 0xE0},    {"bet", 0xE1},      {"vet", 0xE1},    {"gimmel", 0xE2},
    {"dalet", 0xE3},   {"hey", 0xE4},      {"vav", 0xE5},    {"sayin", 0xE6},
    {"chet", 0xE7},    {"tet", 0xE8},      {"yod", 0xE9},    {"chaf", 0xEB},
    {"endchaf", 0xEA}, {"lamed", 0xEC},    {"mem", 0xEE},    {"endmem", 0xED},
    {"nun", 0xF0},     {"endnun", 0xEF},   {"samech", 0xF1}, {"ayin", 0xF2},
    {"fey", 0xF4},     {"pey", 0xF4},      {"endfey", 0xF3}, {"tzade", 0xF6},
    {"endtzade", 0xF5}, {"kof", 0xF7},     {"resch", 0xF8},  {"schin", 0xF9},
    {"taw", 0xFA},     {"jey", 0x27},      {"space", 0x20},  {"slash", 0x2F},
};
static_assert(sizeof kLetters / sizeof kLetters[0] == 32);

// The lexer: the text, the read position, one pushed-back character, the
// line number and the current token with its text or value.
struct Lexer {
  const char* text;
  std::size_t position;
  int pushedBack;              // 0: none
  int line;                    // 1-based; changes only in NextToken
  int token;
  char buffer[kStringLimit + 1];  // last string or identifier
  std::int32_t value;          // last number or keyword value
};

struct Parser {
  Lexer lexer;
  CallangTable* table;
};

CallangTable gTable;
int gGeneration = 1;  // of gTable

// The record a key of CallangLookupName found in the table of generation
// `generation`, by where the caller keeps the key: a lookup that passes
// the same address holding the same text takes the same record.
struct RememberedName {
  int generation;    // 0: an empty slot
  const char* address;
  char key[50];      // longer keys are not remembered
  int index;         // -1: no record has the key
};
constexpr int kRememberedNames = 32;
RememberedName gNames[kRememberedNames];

int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

// 1 if the first `length` bytes of `a` equal the NUL-terminated `b`,
// without regard to ASCII case.
int EqualNoCase(const char* a, std::size_t length, const char* b) {
  for (std::size_t i = 0; i < length; ++i)
    if (b[i] == '\0' || LowerAscii((unsigned char)a[i]) != LowerAscii((unsigned char)b[i]))
      return 0;
  return b[length] == '\0';
}

int IsDigit(int c) { return c >= '0' && c <= '9'; }
int IsIdentifierStart(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
int IsIdentifierChar(int c) { return IsIdentifierStart(c) || IsDigit(c); }

// The next byte (0-255); at the NUL it yields 0 without advancing, so the
// end of the text repeats.
int ReadChar(Lexer* lx) {
  if (lx->pushedBack != 0) {
    int c = lx->pushedBack;
    lx->pushedBack = 0;
    return c;
  }
  int c = (unsigned char)lx->text[lx->position];
  if (c != 0) ++lx->position;
  return c;
}

void UnreadChar(Lexer* lx, int c) { lx->pushedBack = c; }

void ShowLexerError(int textId) {
  ShowMessage(LoadText(textId), LoadText(kTextCallangErrorCaption), MessageIconError);
}

// A string closed by `quote`. Refused when it reaches the end of the text
// or 200 characters without its closing character.
int ReadString(Lexer* lx, int quote) {
  int length = 0;
  for (;;) {
    int c = ReadChar(lx);
    if (c == 0) {
      lx->buffer[length] = '\0';
      return TOKEN_UNKNOWN;
    }
    if (c == quote) break;
    lx->buffer[length++] = (char)c;
    if (length == kStringLimit) {
      lx->buffer[length] = '\0';
      ShowLexerError(kTextStringTooLong);
      ShowMessage(lx->buffer, LoadText(kTextStringCaption), MessageIconInformation);
      return TOKEN_UNKNOWN;
    }
  }
  lx->buffer[length] = '\0';
  return quote == '%' ? TOKEN_SHORTNAME : TOKEN_STRING;
}

// An unsigned decimal number. All its digits are consumed; one beyond the
// range of int32 is no number at all rather than a wrapped value.
int ReadNumber(Lexer* lx, int c) {
  std::int64_t value = 0;  // stays <= 2^31 * 10 + 9
  int tooLarge = 0;
  for (; IsDigit(c); c = ReadChar(lx)) {
    if (tooLarge) continue;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) tooLarge = 1;
  }
  UnreadChar(lx, c);
  if (tooLarge) return TOKEN_UNKNOWN;
  lx->value = (std::int32_t)value;
  return TOKEN_NUM;
}

// An identifier or keyword; 100 characters are too many.
int ReadIdentifier(Lexer* lx, int c) {
  int length = 0;
  for (; IsIdentifierChar(c); c = ReadChar(lx)) {
    lx->buffer[length++] = (char)c;
    if (length == kIdentifierLimit) {
      lx->buffer[length] = '\0';
      ShowLexerError(kTextIdentifierTooLong);
      return TOKEN_UNKNOWN;
    }
  }
  UnreadChar(lx, c);
  lx->buffer[length] = '\0';
  for (const Keyword& keyword : kKeywords) {
    if (EqualNoCase(lx->buffer, (std::size_t)length, keyword.name)) {
      lx->value = keyword.value;
      return keyword.token;
    }
  }
  return TOKEN_ID;
}

int ScanToken(Lexer* lx) {
  int c;
  for (;;) {
    c = ReadChar(lx);
    if (c == ' ' || c == '\t' || c == '\n') continue;  // LF alone ends no line
    if (c != '#') break;
    // A comment leaves its line end in the text, so the line still ends.
    do c = ReadChar(lx);
    while (c != '\r' && c != '\n' && c != 0);
    UnreadChar(lx, c);
  }
  switch (c) {
    case 0: return TOKEN_EOF;
    case '\r': ++lx->line; return TOKEN_NEWLINE;  // the one place lines count
    case '+': return TOKEN_ADDOP;
    case ',': return TOKEN_COMMA;
    case ':': return TOKEN_COLON;
    case '"': case '\'': case '%': return ReadString(lx, c);
  }
  if (IsDigit(c)) return ReadNumber(lx, c);
  if (IsIdentifierStart(c)) return ReadIdentifier(lx, c);
  return TOKEN_UNKNOWN;
}

void NextToken(Parser* p) { p->lexer.token = ScanToken(&p->lexer); }

void DescribeToken(const Lexer* lx, char* out, std::size_t size) {
  switch (lx->token) {
    case TOKEN_UNKNOWN: std::snprintf(out, size, "TOKEN_UNKNOWN"); break;
    case TOKEN_EOF: std::snprintf(out, size, "TOKEN_EOF"); break;
    case TOKEN_NEWLINE: std::snprintf(out, size, "TOKEN_NEWLINE"); break;
    case TOKEN_COLON: std::snprintf(out, size, "TOKEN_COLON"); break;
    case TOKEN_COMMA: std::snprintf(out, size, "TOKEN_COMMA"); break;
    case TOKEN_ADDOP: std::snprintf(out, size, "TOKEN_ADDOP"); break;
    case TOKEN_STRING: std::snprintf(out, size, "TOKEN_STRING (%s)", lx->buffer); break;
    case TOKEN_ID: std::snprintf(out, size, "TOKEN_ID (%s)", lx->buffer); break;
    case TOKEN_NUM: std::snprintf(out, size, "TOKEN_NUM (%d)", (int)lx->value); break;
    case TOKEN_JEWMONTH: std::snprintf(out, size, "TOKEN_JEWMONTH (%d)", (int)lx->value); break;
    case TOKEN_SPECIAL: std::snprintf(out, size, "TOKEN_SPECIAL (%d)", (int)lx->value); break;
    case TOKEN_DAYCOLOR: std::snprintf(out, size, "TOKEN_DAYCOLOR (%d)", (int)lx->value); break;
    default: std::snprintf(out, size, "Token %d", lx->token); break;  // the short name too
  }
}

// Shows the parse error with the line and the current token; returns 0 so
// that callers can pass it up.
int ReportError(Parser* p, const char* message) {
  char token[kStringLimit + 32];
  char text[sizeof token + 128];
  DescribeToken(&p->lexer, token, sizeof token);
  std::snprintf(text, sizeof text, LoadText(kTextCallangReport), p->lexer.line, token, message);
  ShowMessage(text, LoadText(kTextCallangErrorCaption), MessageIconError);
  return 0;
}

int Report(Parser* p, int textId) { return ReportError(p, LoadText(textId)); }

int Expect(Parser* p, int token, int textId) {
  return p->lexer.token == token ? 1 : Report(p, textId);
}

// Copies the current string into a name field.
int StoreValue(Parser* p, char* field) {
  std::size_t length = std::strlen(p->lexer.buffer);
  if (length >= kValueSize) return Report(p, kTextValueTooLong);
  std::memcpy(field, p->lexer.buffer, length + 1);
  return 1;
}

// key: an identifier shorter than 50 characters.
int ParseKey(Parser* p, CallangEntry* entry) {
  if (!Expect(p, TOKEN_ID, kTextIdentifierExpected)) return 0;
  std::size_t length = std::strlen(p->lexer.buffer);
  if (length >= kKeyLimit) return Report(p, kTextIdentifierTooLong);
  std::memcpy(entry->key, p->lexer.buffer, length + 1);
  return 1;
}

// special: "," method NEWLINE, the comma being current.
int ParseSpecial(Parser* p, CallangEntry* entry) {
  NextToken(p);
  if (!Expect(p, TOKEN_SPECIAL, kTextSpecialExpected)) return 0;
  entry->special = p->lexer.value;
  NextToken(p);
  return Expect(p, TOKEN_NEWLINE, kTextNewlineExpected);
}

// date clause: "," day month ["+" offset] (NEWLINE | special), the comma
// being current. Only a holiday with a Hebrew name may have a date.
int ParseDateClause(Parser* p, CallangEntry* entry) {
  if (entry->hebrewName[0] == '\0') return ReportError(p, "No Hebrew holiday name");
  NextToken(p);
  if (!Expect(p, TOKEN_NUM, kTextNumberExpected)) return 0;
  entry->day = p->lexer.value;
  NextToken(p);
  if (!Expect(p, TOKEN_JEWMONTH, kTextMonthExpected)) return 0;
  entry->month = p->lexer.value;
  NextToken(p);
  if (p->lexer.token == TOKEN_ADDOP) {
    NextToken(p);
    if (!Expect(p, TOKEN_NUM, kTextNumberExpected)) return 0;
    entry->offset = p->lexer.value;
    NextToken(p);
  }
  if (p->lexer.token == TOKEN_NEWLINE) return 1;
  if (p->lexer.token == TOKEN_COMMA) return ParseSpecial(p, entry);
  return Report(p, kTextNewlineOrCommaExpected);
}

// Takes the record into the table. The last slot is never handed out as
// a definition: filling it is the overflow.
int StoreEntry(Parser* p) {
  int index = p->table->count++;
  if (index == kCallangCapacity - 1) return Report(p, kTextDataOverflow);
  return 1;
}

// definition: key ":" english [hebrew] [%short%] [SYMBOL] (NEWLINE | date),
// the key being current. Ends with the line break current.
int ParseDefinition(Parser* p) {
  CallangEntry* entry = &p->table->entries[p->table->count];
  *entry = CallangEntry{};
  if (!ParseKey(p, entry)) return 0;
  NextToken(p);
  if (!Expect(p, TOKEN_COLON, kTextColonExpected)) return 0;
  NextToken(p);
  if (!Expect(p, TOKEN_STRING, kTextStringExpected)) return 0;
  if (!StoreValue(p, entry->englishName)) return 0;
  NextToken(p);
  if (p->lexer.token == TOKEN_STRING) {
    if (!StoreValue(p, entry->hebrewName)) return 0;
    NextToken(p);
  }
  if (p->lexer.token == TOKEN_SHORTNAME) {
    if (!StoreValue(p, entry->shortName)) return 0;
    NextToken(p);
  }
  if (p->lexer.token == TOKEN_DAYCOLOR) {
    entry->symbol = p->lexer.value;
    NextToken(p);
  }
  if (p->lexer.token == TOKEN_COMMA) {
    if (!ParseDateClause(p, entry)) return 0;
  } else if (p->lexer.token != TOKEN_NEWLINE) {
    return Report(p, kTextNewlineOrCommaExpected);
  }
  return StoreEntry(p);
}

// text: { NEWLINE } { definition { NEWLINE } } EOF
int ParseText(Parser* p) {
  for (;;) {
    do NextToken(p);
    while (p->lexer.token == TOKEN_NEWLINE);
    if (p->lexer.token == TOKEN_EOF) return 1;
    if (!ParseDefinition(p)) return 0;
  }
}

}  // namespace

int CallangParse(const char* text, CallangTable* table) {
  Parser parser{};
  parser.lexer.text = text;
  parser.lexer.line = 1;
  parser.table = table;
  table->count = 0;
  return ParseText(&parser);
}

int CallangInitialize() {
  const int ok = CallangParse(kCallangText, &gTable);
  ++gGeneration;
  return ok;
}

const CallangTable* CallangGlobalTable() { return &gTable; }

int CallangGlobalGeneration() { return gGeneration; }

namespace {

// The index of the first record of `table` whose key equals `key` without
// regard to case, or -1.
int FindName(const CallangTable* table, const char* key) {
  std::size_t length = std::strlen(key);
  if (length >= sizeof table->entries[0].key) return -1;  // longer than any key
  const int first = LowerAscii((unsigned char)key[0]);
  const int last = length > 0 ? LowerAscii((unsigned char)key[length - 1]) : 0;
  for (int i = 0; i < table->count; ++i) {
    const CallangEntry& entry = table->entries[i];
    // Only a key that ends where `key` ends, with the same first and last
    // letters, is compared in full.
    if (length > 0 && (entry.key[length] != '\0' ||
                       LowerAscii((unsigned char)entry.key[length - 1]) != last ||
                       LowerAscii((unsigned char)entry.key[0]) != first))
      continue;
    if (EqualNoCase(key, length, entry.key)) return i;
  }
  return -1;
}

int CopyName(const CallangTable* table, int index, char* dest) {
  if (index < 0) return 0;
  const char* name = table->entries[index].englishName;
  std::memcpy(dest, name, std::strlen(name) + 1);
  return 1;
}

}  // namespace

int CallangLookupNameIn(const CallangTable* table, const char* key, char* dest) {
  return CopyName(table, FindName(table, key), dest);
}

int CallangLookupName(const char* key, char* dest) {
  RememberedName& slot =
      gNames[((std::uintptr_t)key ^ ((std::uintptr_t)key >> 7)) % kRememberedNames];
  if (slot.generation == gGeneration && slot.address == key && std::strcmp(slot.key, key) == 0)
    return CopyName(&gTable, slot.index, dest);
  const int index = FindName(&gTable, key);
  if (std::strlen(key) < sizeof slot.key) {
    slot.generation = gGeneration;
    slot.address = key;
    std::strcpy(slot.key, key);
    slot.index = index;
  }
  return CopyName(&gTable, index, dest);
}

int HebrewFromLetterNames(const char* names, char* dest, int destSize) {
  if (destSize <= 0) return 0;
  int length = 0;
  const char* at = names;
  for (;;) {
    while (*at == ' ') ++at;
    if (*at == '\0') break;
    const char* word = at;
    while (*at != '\0' && *at != ' ') ++at;
    for (const Letter& letter : kLetters) {
      if (EqualNoCase(word, (std::size_t)(at - word), letter.name)) {
        if (length < destSize - 1) dest[length++] = (char)letter.code;
        break;
      }
    }
  }
  dest[length] = '\0';
  for (int i = 0, j = length - 1; i < j; ++i, --j) {  // into visual order
    char c = dest[i];
    dest[i] = dest[j];
    dest[j] = c;
  }
  return length;
}
