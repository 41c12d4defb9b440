// The zmanim table, the definition-language evaluator, and the zman,
// chametz and sha'a zmanit lines of a day record.
#include "placetime/zmanim.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "calendar/caldate.h"
#include "calendar/names.h"
#include "placetime/suntimes.h"
#include "platform/ini.h"

namespace {

// ---- The table -------------------------------------------------------------

constexpr ZmanMethod kAlotHashachar[] = {
    {"AlotHashachar72", "72 min before sunrise", "sunrise - 72"},
    {"AlotHashachar90", "90 min before sunrise", "sunrise - 90"},
    {"AlotHashachar16", "16.1\xB0 below horizon", "sunrise - degrees_below_horizon(16.1)"},
};
constexpr ZmanMethod kEarliestTallit[] = {
    {"EarliestTallit11", "11\xB0 below horizon", "sunrise - degrees_below_horizon(11)"},
    {"EarliestTallit10", "10.2\xB0 below horizon", "sunrise - degrees_below_horizon(10.2)"},
};
// GR"O: the day from sunrise to sunset. M"A: the day from dawn to nightfall,
// approximated by fixed minutes added to the GR"O time.
constexpr ZmanMethod kKriatShema[] = {
    {"KriatShemaGRO", "GR\"O", "sunrise + proportional_hour(3)"},
    {"KriatShemaMA", "M\"A", "sunrise + proportional_hour(3) - 36"},
};
constexpr ZmanMethod kTefila[] = {
    {"TefilaGRO", "GR\"O", "sunrise + proportional_hour(4)"},
    {"TefilaMA", "M\"A", "sunrise + proportional_hour(4) - 24"},
};
// Midday is the same by both reckonings.
constexpr ZmanMethod kChatzot[] = {
    {"ChatzotGRO", "GR\"O", "sunrise + proportional_hour(6)"},
    {"ChatzotMA", "M\"A", "sunrise + proportional_hour(6)"},
};
constexpr ZmanMethod kMinchaGedola[] = {
    {"MinchaGedolaGRO", "GR\"O", "sunrise + proportional_hour(6.5)"},
    {"MinchaGedolaMA", "M\"A", "sunrise + proportional_hour(6.5) + 6"},
};
constexpr ZmanMethod kMinchaKtana[] = {
    {"MinchaKtanaGRO", "GR\"O", "sunrise + proportional_hour(9.5)"},
    {"MinchaKtanaMA", "M\"A", "sunrise + proportional_hour(9.5) + 42"},
};
constexpr ZmanMethod kPlagHamincha[] = {
    {"PlagHaMinchaGRO", "GR\"O", "sunrise + proportional_hour(10.75)"},
    {"PlagHaMinchaMA", "M\"A", "sunrise + proportional_hour(10.75) + 57"},
};
constexpr ZmanMethod kTzaitHakochavim[] = {
    {"Sunset72", "72 min after sunset", "sunset + 72"},
    {"Deg595", "5.95\xB0 below horizon", "sunset + degrees_below_horizon(5.95)"},
    {"Deg65", "6.5\xB0 below horizon", "sunset + degrees_below_horizon(6.5)"},
    {"Deg70", "7.0\xB0 below horizon", "sunset + degrees_below_horizon(7.0)"},
    {"Deg708", "7.08\xB0 below horizon", "sunset + degrees_below_horizon(7.08)"},
    {"Deg75", "7.5\xB0 below horizon", "sunset + degrees_below_horizon(7.5)"},
    {"Deg85", "8.5\xB0 below horizon", "sunset + degrees_below_horizon(8.5)"},
    {"Deg875", "8.75\xB0 below horizon", "sunset + degrees_below_horizon(8.75)"},
    {"Deg100", "10.0\xB0 below horizon", "sunset + degrees_below_horizon(10.0)"},
};

template <int N>
constexpr ZmanEntry Choice(const char* name, const ZmanMethod (&methods)[N]) {
  static_assert(N <= kZmanMaxMethods);
  return {name, kZmanChoice, nullptr, methods, N};
}
constexpr ZmanEntry Fixed(const char* name, const char* definition) {
  return {name, kZmanFixed, definition, nullptr, 0};
}

// Position is the zman's index and the order of the lines.
constexpr ZmanEntry kZmanim[kZmanCount] = {
    Choice("Alot Hashachar", kAlotHashachar),
    Choice("Earliest Tallit", kEarliestTallit),
    Fixed("Hanetz Hachama", "sunrise"),
    Choice("Kriat Shema", kKriatShema),
    Choice("Tefila", kTefila),
    Choice("Chatzot", kChatzot),
    Choice("Mincha Gedola", kMinchaGedola),
    Choice("Mincha K'tana", kMinchaKtana),
    Choice("Plag Hamincha", kPlagHamincha),
    Fixed("Shkiat Hachama", "sunset"),
    Choice("Tzait Hakochavim", kTzaitHakochavim),
};

constexpr char kSection[] = "Zmanim";
constexpr char kNoTime[] = "--:--";
constexpr int kMinutesPerDay = 24 * 60;

int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

int EqualNoCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b)
    if (LowerAscii((unsigned char)*a) != LowerAscii((unsigned char)*b)) return 0;
  return *a == *b;
}

// Appends `text` to the NUL-terminated text in out[0..outSize-1], cut to
// fit; the result stays terminated.
void Append(char* out, int outSize, const char* text) {
  if (out == nullptr || outSize <= 0) return;
  std::size_t length = 0;
  while (length < (std::size_t)outSize - 1 && out[length] != '\0') ++length;
  std::size_t room = (std::size_t)outSize - 1 - length;
  std::size_t n = std::strlen(text);
  if (n > room) n = room;
  std::memcpy(out + length, text, n);
  out[length + n] = '\0';
}

void CopyText(char* dest, int destSize, const char* text) {
  if (dest == nullptr || destSize <= 0) return;
  dest[0] = '\0';
  Append(dest, destSize, text);
}

// Appending to the text in out[0..outSize-1] as Append does, with its
// length kept instead of counted before each piece.
struct Lines {
  char* out;
  std::size_t size;    // >= 1
  std::size_t length;  // of the text, <= size - 1

  // Continues the text already in `out` (out != nullptr, outSize > 0).
  Lines(char* text, int outSize) : out(text), size((std::size_t)outSize), length(0) {
    while (length < size - 1 && out[length] != '\0') ++length;
  }
  void Add(const char* text, std::size_t n) {
    const std::size_t room = size - 1 - length;
    if (n > room) n = room;
    std::memcpy(out + length, text, n);
    length += n;
    out[length] = '\0';
  }
  void Add(const char* text) { Add(text, std::strlen(text)); }
};

// ---- The definition language ----------------------------------------------

void IgnoreDiagnostic(const char*, void*) {}

ZmanimDiagnosticHook gHook = &IgnoreDiagnostic;
void* gHookContext = nullptr;

enum ZmanToken {
  kTokenEnd,
  kTokenOpen,        // (
  kTokenClose,       // )
  kTokenPlus,
  kTokenMinus,
  kTokenIdentifier,  // letters, then letters and "_"
  kTokenInteger,     // digits, within 32 bits
  kTokenDecimal,     // digits "." digits, the last digits optional
  kTokenError,       // any other character, or an integer beyond 32 bits
};

// The lexer: the definition text, the read position, one pushed-back
// character, the current token and what the last number or identifier was.
struct ZmanLexer {
  const char* text;
  std::size_t position;
  int pushedBack;                         // 0: none
  int token;
  std::int32_t integer;                   // last number token
  double decimal;                         // last number token, as a double
  char identifier[kZmanDefinitionSize];   // last identifier, cut to fit
  std::size_t identifierLength;           // its full length
};

// The next byte (1-255), or 0 at the end of the text, where the position
// stays: the end repeats and nothing past it is read.
int ReadChar(ZmanLexer* lx) {
  if (lx->pushedBack != 0) {
    int c = lx->pushedBack;
    lx->pushedBack = 0;
    return c;
  }
  int c = (unsigned char)lx->text[lx->position];
  if (c != 0) ++lx->position;
  return c;
}

void UnreadChar(ZmanLexer* lx, int c) { lx->pushedBack = c; }

int IsDigit(int c) { return c >= '0' && c <= '9'; }
int IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Exact powers of ten: every one up to 1e22 is a double without rounding.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;

// mantissa * 10^exponent; exact when both parts are (as "10.75" is, as
// 1075 / 100), so the result does not depend on the C runtime or locale.
double ScaleByPowerOfTen(double mantissa, int exponent) {  // exponent -400..400
  while (exponent > kLargestExactPower) {
    mantissa *= kPowersOfTen[kLargestExactPower];
    exponent -= kLargestExactPower;
  }
  while (exponent < -kLargestExactPower) {
    mantissa /= kPowersOfTen[kLargestExactPower];
    exponent += kLargestExactPower;
  }
  return exponent >= 0 ? mantissa * kPowersOfTen[exponent] : mantissa / kPowersOfTen[-exponent];
}

// The digits of a number, the first already read as `c`. Up to 18
// significant digits are kept (more cannot change a double's meaning for
// this language); all are consumed.
int ScanNumber(ZmanLexer* lx, int c) {
  constexpr std::uint64_t kMantissaLimit = 100000000000000000ULL;  // 10^17
  constexpr int kExponentLimit = 400;  // beyond, a double is 0 or infinite
  std::uint64_t mantissa = 0;          // < 10^18
  int exponent = 0;                    // -400..400
  std::int64_t integer = 0;            // <= (2^31 - 1) * 10 + 9, then frozen
  for (; IsDigit(c); c = ReadChar(lx)) {
    if (integer <= INT32_MAX) integer = integer * 10 + (c - '0');
    if (mantissa < kMantissaLimit) mantissa = mantissa * 10 + (unsigned)(c - '0');
    else if (exponent < kExponentLimit) ++exponent;
  }
  if (c != '.') {
    UnreadChar(lx, c);
    if (integer > INT32_MAX) return kTokenError;
    lx->integer = (std::int32_t)integer;
    lx->decimal = (double)integer;
    return kTokenInteger;
  }
  for (c = ReadChar(lx); IsDigit(c); c = ReadChar(lx)) {
    if (mantissa < kMantissaLimit && exponent > -kExponentLimit) {
      mantissa = mantissa * 10 + (unsigned)(c - '0');
      --exponent;
    }
  }
  UnreadChar(lx, c);
  lx->decimal = ScaleByPowerOfTen((double)mantissa, exponent);
  return kTokenDecimal;
}

int ScanIdentifier(ZmanLexer* lx, int c) {
  std::size_t length = 0;
  for (; IsLetter(c) || c == '_'; c = ReadChar(lx)) {
    if (length < sizeof lx->identifier - 1) lx->identifier[length] = (char)c;
    ++length;
  }
  UnreadChar(lx, c);
  lx->identifierLength = length;
  lx->identifier[length < sizeof lx->identifier ? length : sizeof lx->identifier - 1] = '\0';
  return kTokenIdentifier;
}

int NextToken(ZmanLexer* lx) {
  int c;
  do c = ReadChar(lx);
  while (c == ' ' || c == '\t');
  switch (c) {
    case 0: lx->token = kTokenEnd; break;
    case '(': lx->token = kTokenOpen; break;
    case ')': lx->token = kTokenClose; break;
    case '+': lx->token = kTokenPlus; break;
    case '-': lx->token = kTokenMinus; break;
    default:
      lx->token = IsDigit(c) ? ScanNumber(lx, c) : IsLetter(c) ? ScanIdentifier(lx, c)
                                                               : kTokenError;
      break;
  }
  return lx->token;
}

// The evaluator: the lexer and the day it evaluates for.
struct ZmanParser {
  ZmanLexer lexer;
  const ZmanDay* day;
};

int Report(const char* text) {
  gHook(text, gHookContext);
  return 0;
}

enum Keyword { kSunrise, kSunset, kDegreesBelowHorizon, kProportionalHour, kNoKeyword };

int KeywordOf(const ZmanLexer* lx) {
  constexpr const char* kKeywords[] = {"SUNRISE", "SUNSET", "DEGREES_BELOW_HORIZON",
                                       "PROPORTIONAL_HOUR"};
  if (lx->identifierLength >= sizeof lx->identifier) return kNoKeyword;  // cut: too long
  for (int k = 0; k < kNoKeyword; ++k)
    if (EqualNoCase(lx->identifier, kKeywords[k])) return k;
  return kNoKeyword;
}

std::int64_t ClockMinutes(int hour, int minute) { return (std::int64_t)hour * 60 + minute; }

// "(" number ")" after a function keyword: the number, an integer or a
// decimal.
int ParseArgument(ZmanParser* p, double* value) {
  if (NextToken(&p->lexer) != kTokenOpen) return Report("ZmanimParseIt: ( expected");
  int token = NextToken(&p->lexer);
  if (token != kTokenInteger && token != kTokenDecimal)
    return Report("ZmanimParseIt: Number expected");
  *value = p->lexer.decimal;
  if (NextToken(&p->lexer) != kTokenClose) return Report("ZmanimParseIt: ) expected");
  return 1;
}

// The minutes from sunset until the sun is `angle` degrees down. The sun
// is never more than 90 degrees below the horizon, so a larger angle
// fails like any depression it does not reach.
int DepressionMinutes(const ZmanDay* d, double angle, std::int64_t* minutes) {
  if (!(angle <= 90.0)) return 0;
  int hours = 0, mins = 0;
  if (!GetDepressionInterval(d->day, d->month, d->year, angle, d->latitude, d->longitude,
                             d->timeZone, d->elevation, &hours, &mins))
    return 0;
  *minutes = ClockMinutes(hours, mins);
  return 1;
}

// The day length times a twelfth times `count`, truncated toward zero;
// 0 when the product has no 32-bit value.
int ProportionalMinutes(const ZmanDay* d, double count, std::int64_t* minutes) {
  const std::int64_t length = ClockMinutes(d->sunsetHour, d->sunsetMinute) -
                              ClockMinutes(d->sunriseHour, d->sunriseMinute);
  const double value = (double)length * 0.08333333333333333 * count;
  if (!(std::fabs(value) < 2147483648.0)) return 0;  // also refuses NaN
  *minutes = (std::int64_t)value;
  return 1;
}

// term = integer | SUNRISE | SUNSET | DEGREES_BELOW_HORIZON "(" number ")"
//      | PROPORTIONAL_HOUR "(" number ")". The current token starts it.
int ParseTerm(ZmanParser* p, std::int64_t* value) {
  ZmanLexer* lx = &p->lexer;
  const ZmanDay* d = p->day;
  if (lx->token == kTokenInteger) {
    *value = lx->integer;
  } else if (lx->token == kTokenIdentifier) {
    double argument = 0.0;
    switch (KeywordOf(lx)) {
      case kSunrise: *value = ClockMinutes(d->sunriseHour, d->sunriseMinute); break;
      case kSunset: *value = ClockMinutes(d->sunsetHour, d->sunsetMinute); break;
      case kDegreesBelowHorizon:
        if (!ParseArgument(p, &argument)) return 0;
        if (!DepressionMinutes(d, argument, value)) return 0;
        break;
      case kProportionalHour:
        if (!ParseArgument(p, &argument)) return 0;
        if (!ProportionalMinutes(d, argument, value)) return 0;
        break;
      default: return Report("ZmanimParseIt: Unknown identifer");
    }
  } else {
    return Report("ZmanimParseIt: Identifer or number expected");
  }
  return *value != -1;  // -1 is how a failed time has always come back
}

int InInt32(std::int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// expression = term { ("+" | "-") term } end, evaluated left to right as
// it is read: the first failure ends it.
int ZmanimParseIt(ZmanParser* p, std::int64_t* total) {
  NextToken(&p->lexer);
  if (!ParseTerm(p, total) || !InInt32(*total)) return 0;
  for (;;) {
    int op = NextToken(&p->lexer);
    if (op == kTokenEnd) return 1;
    if (op != kTokenPlus && op != kTokenMinus) return Report("ZmanimParseIt: + or - expected");
    NextToken(&p->lexer);
    std::int64_t term = 0;
    if (!ParseTerm(p, &term)) return 0;
    *total = op == kTokenPlus ? *total + term : *total - term;  // far within 64 bits
    if (!InInt32(*total)) return 0;
  }
}

// ---- Definitions read once ------------------------------------------------

// A definition of the table as the evaluator walks it: its terms in order,
// each added or subtracted. The table's texts never change, so each is
// read once, when first used, and then only its terms are evaluated for
// each day, with the same results and the same failures as
// EvaluateZmanDefinition.
enum TermKind { kTermInteger, kTermSunrise, kTermSunset, kTermDepression, kTermProportional };

struct ZmanTerm {
  int subtract;     // 0 for the first term and after "+", 1 after "-"
  int kind;         // TermKind
  std::int32_t integer;  // kTermInteger
  double argument;  // degrees or hours of the two functions
};

constexpr int kMaxTerms = 8;

struct ZmanProgram {
  int state;  // 0: not read yet; 1: the terms; -1: evaluate the text itself
  int count;
  ZmanTerm terms[kMaxTerms];
};

// Reads one term; the current token starts it. Returns 0 for anything the
// evaluator would report.
int CompileTerm(ZmanLexer* lx, ZmanTerm* term) {
  if (lx->token == kTokenInteger) {
    term->kind = kTermInteger;
    term->integer = lx->integer;
    return 1;
  }
  if (lx->token != kTokenIdentifier) return 0;
  switch (KeywordOf(lx)) {
    case kSunrise: term->kind = kTermSunrise; return 1;
    case kSunset: term->kind = kTermSunset; return 1;
    case kDegreesBelowHorizon: term->kind = kTermDepression; break;
    case kProportionalHour: term->kind = kTermProportional; break;
    default: return 0;
  }
  if (NextToken(lx) != kTokenOpen) return 0;
  const int token = NextToken(lx);
  if (token != kTokenInteger && token != kTokenDecimal) return 0;
  term->argument = lx->decimal;
  return NextToken(lx) == kTokenClose;
}

// The terms of `definition`; state -1 when the text is not a whole
// expression of at most kMaxTerms terms (the text is then evaluated as it
// is, and reports its own error).
void CompileDefinition(const char* definition, ZmanProgram* program) {
  ZmanLexer lx{};
  lx.text = definition;
  program->state = -1;
  program->count = 0;
  NextToken(&lx);
  for (;;) {
    if (program->count == kMaxTerms) return;
    ZmanTerm& term = program->terms[program->count];
    term = ZmanTerm{};
    if (program->count > 0) {
      const int op = lx.token;
      if (op != kTokenPlus && op != kTokenMinus) return;
      term.subtract = op == kTokenMinus;
      NextToken(&lx);
    }
    if (!CompileTerm(&lx, &term)) return;
    ++program->count;
    if (NextToken(&lx) == kTokenEnd) break;
  }
  program->state = 1;
}

// The term's minutes, as ParseTerm finds them; `sun` (may be nullptr)
// holds the day's sun for the depression.
int TermValue(const ZmanDay* d, const SunDay* sun, const ZmanTerm& term, std::int64_t* value) {
  switch (term.kind) {
    case kTermInteger: *value = term.integer; break;
    case kTermSunrise: *value = ClockMinutes(d->sunriseHour, d->sunriseMinute); break;
    case kTermSunset: *value = ClockMinutes(d->sunsetHour, d->sunsetMinute); break;
    case kTermDepression: {
      if (sun == nullptr) {
        if (!DepressionMinutes(d, term.argument, value)) return 0;
        break;
      }
      int hours = 0, mins = 0;
      if (!(term.argument <= 90.0) ||
          !SunDayDepressionInterval(sun, term.argument, &hours, &mins))
        return 0;
      *value = ClockMinutes(hours, mins);
      break;
    }
    default:
      if (!ProportionalMinutes(d, term.argument, value)) return 0;
      break;
  }
  return *value != -1;  // -1 is how a failed time has always come back
}

// EvaluateZmanDefinition of the program's text.
int EvaluateProgram(const ZmanProgram& program, const ZmanDay* d, const SunDay* sun, int* hour,
                    int* minute) {
  std::int64_t total = 0;
  for (int i = 0; i < program.count; ++i) {
    const ZmanTerm& term = program.terms[i];
    std::int64_t value = 0;
    if (!TermValue(d, sun, term, &value)) return 0;
    total = i == 0 ? value : term.subtract ? total - value : total + value;  // far within 64 bits
    if (!InInt32(total)) return 0;
  }
  *hour = (int)(total / 60);
  *minute = (int)(total % 60);
  return 1;
}

// The read definitions of the table: [zman][method], a fixed zman's at
// method 0.
ZmanProgram gPrograms[kZmanCount][kZmanMaxMethods];

// The definition of entry `index` by the configured method, as
// ZmanConfiguredDefinition gives it, with its program; nullptr when the
// zman has no configured definition.
const char* ConfiguredProgram(int index, const ZmanProgram** program);

// Evaluates a definition of the table, through its program when it has
// one.
int EvaluateConfigured(const char* definition, const ZmanProgram* program, const ZmanDay* d,
                       const SunDay* sun, int* hour, int* minute) {
  if (program->state == 1) return EvaluateProgram(*program, d, sun, hour, minute);
  return EvaluateZmanDefinition(d, definition, hour, minute);
}

// ---- Lines ---------------------------------------------------------------

// FormatTime's clock text (am/pm on) of a total of minutes taken into the
// day, in time format `format`; "" for a format FormatTime does not know.
// Returns its length.
int ClockTextAs(std::int64_t minutes, int format, char* dest /* 256 bytes */) {
  std::int64_t m = minutes % kMinutesPerDay;
  if (m < 0) m += kMinutesPerDay;
  dest[0] = '\0';
  return FormatTimeWithFormat((int)(m / 60), (int)(m % 60), dest, 1, format);
}

// The lengths of the zmanim's names.
constexpr struct NameLengths {
  std::size_t of[kZmanCount];
  constexpr NameLengths() : of() {
    for (int i = 0; i < kZmanCount; ++i) of[i] = std::char_traits<char>::length(kZmanim[i].name);
  }
} kNameLengths;

// The same in the configured time format.
void ClockText(std::int64_t minutes, char* dest /* 256 bytes */) {
  ClockTextAs(minutes, GetTimeFormat(), dest);
}

// Appends the line of zman `index`: its time, or "--:--" when the sun
// times are not known or the definition fails. Returns 0 when the zman has
// no configured definition and so no line.
int AppendZmanLine(const ZmanDay* day, const SunDay* sun, int sunKnown, int index, int format,
                   Lines* out) {
  const ZmanProgram* program = nullptr;
  const char* definition = ConfiguredProgram(index, &program);
  if (definition == nullptr) return 0;
  // "Name: time" CR LF.
  char line[256];
  const std::size_t nameLength = kNameLengths.of[index];
  std::memcpy(line, kZmanim[index].name, nameLength);
  char* at = line + nameLength;
  *at++ = ':';
  *at++ = ' ';
  int hour = 0, minute = 0;
  if (sunKnown && EvaluateConfigured(definition, program, day, sun, &hour, &minute)) {
    at += ClockTextAs(ClockMinutes(hour, minute), format, at);
  } else {
    std::memcpy(at, kNoTime, sizeof kNoTime - 1);
    at += sizeof kNoTime - 1;
  }
  *at++ = '\r';
  *at++ = '\n';
  out->Add(line, (std::size_t)(at - line));
  return 1;
}

int AppendZmanimLines(const ZmanDay* day, const SunDay* sun, int sunKnown, Lines* out,
                      const int* flags) {
  const int format = GetTimeFormat();
  int lines = 0;
  for (int i = 0; i < kZmanCount; ++i) {
    if (flags != nullptr && !flags[i]) continue;
    lines += AppendZmanLine(day, sun, sunKnown, i, format, out);
  }
  return lines;
}

int ZmanMinutes(const ZmanDay* day, const char* name, std::int64_t* minutes) {
  int hour = 0, minute = 0;
  if (!ZmanByName(day, name, &hour, &minute)) return 0;
  *minutes = ClockMinutes(hour, minute);
  return 1;
}

// ChametzTime with `sunKnown` 0 for a day without sunrise or sunset.
void ChametzText(const ZmanDay* day, int sunKnown, int type, int method, char* dest,
                 int destSize) {
  char text[256];
  const int factor = type == kChametzEating ? 4 : type == kChametzBurning ? 5 : 0;
  if (factor == 0) {
    std::snprintf(text, sizeof text, "Invalid iType: %d", type);
    CopyText(dest, destSize, text);
    return;
  }
  const int byDawn = method == kChametzMagenAvraham || method == 101;  // start at A, else R
  const int byNight = method == kChametzMagenAvraham || method == 100;  // length Z-A, else S-R
  if (method != kChametzVilnaGaon && !byDawn && !byNight) {
    std::snprintf(text, sizeof text, "Invalid iMethod: %d", method);
    CopyText(dest, destSize, text);
    return;
  }
  std::int64_t r = 0, s = 0, a = 0, z = 0;
  int ok = sunKnown;
  if (ok) {
    r = ClockMinutes(day->sunriseHour, day->sunriseMinute);
    s = ClockMinutes(day->sunsetHour, day->sunsetMinute);
  }
  // Only the times the method uses: 101 measures from dawn but needs no
  // nightfall.
  if (ok && (byDawn || byNight)) ok = ZmanMinutes(day, "Alot Hashachar", &a);
  if (ok && byNight) ok = ZmanMinutes(day, "Tzait Hakochavim", &z);
  if (!ok) {
    CopyText(dest, destSize, kNoTime);
    return;
  }
  const std::int64_t start = byDawn ? a : r;
  const std::int64_t length = byNight ? z - a : s - r;  // far within 64 bits
  ClockText(start + length * factor / 12, text);
  CopyText(dest, destSize, text);
}

// `hebrew` (may be nullptr) is the Hebrew date of the day.
int AppendErevPesach(const ZmanDay* day, const CalDate* hebrew, int sunKnown, Lines* out,
                     char* eating, char* burning) {
  const int erevPesach = hebrew != nullptr ? hebrew->day == 14 && hebrew->month == 1
                                           : IsErevPesach(day->day, day->month, day->year);
  if (!erevPesach) return 0;
  const int method = IniReadInt("ErevPesach", "Method", kChametzVilnaGaon, kSettingsFile);
  char eatingText[kZmanTimeSize];
  char burningText[kZmanTimeSize];
  ChametzText(day, sunKnown, kChametzEating, method, eatingText, sizeof eatingText);
  ChametzText(day, sunKnown, kChametzBurning, method, burningText, sizeof burningText);
  out->Add("\r\n");
  out->Add("sof zman achilat chametz: ");
  out->Add(eatingText);
  out->Add("\r\n");
  out->Add("sof zman sreifat chametz: ");
  out->Add(burningText);
  out->Add("\r\n");
  CopyText(eating, kZmanTimeSize, eatingText);
  CopyText(burning, kZmanTimeSize, burningText);
  return 1;
}

// Writes the decimal digits of value >= 0 at `at`; returns the end.
char* PutDecimal(char* at, int value) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = (char)('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (n > 0) *at++ = digits[--n];
  return at;
}

// "Sha'a Zmanit: 1 hour, 15 minutes": the proportional hour of the day.
void AppendShaaZmanit(const ZmanDay* day, int sunKnown, Lines* out) {
  out->Add("Sha'a Zmanit: ");
  if (!sunKnown) {
    out->Add(kNoTime);
    out->Add("\r\n", 2);
    return;
  }
  const std::int64_t m = ((std::int64_t)day->sunsetHour - day->sunriseHour) * 60 -
                         day->sunriseMinute + day->sunsetMinute;
  const int minutes = (int)(m / 12);  // a twelfth of a day's minutes fits
  const int h = minutes / 60;
  const int mm = minutes % 60;
  char hours[32] = "";
  char mins[32] = "";
  if (h == 1) std::strcpy(hours, "1 hour");
  else if (h > 1) std::strcpy(PutDecimal(hours, h), " hours");
  else if (h != 0) std::snprintf(hours, sizeof hours, "%d hours", h);  // before sunrise
  if (mm == 1) std::strcpy(mins, "1 minute");
  else if (mm > 1) std::strcpy(PutDecimal(mins, mm), " minutes");
  else if (mm != 0) std::snprintf(mins, sizeof mins, "%d minutes", mm);
  out->Add(hours);
  if (hours[0] != '\0' && mins[0] != '\0') out->Add(", ", 2);
  out->Add(mins);
  out->Add("\r\n", 2);
}

const char* ConfiguredProgram(int index, const ZmanProgram** program) {
  const ZmanEntry* entry = ZmanimEntry(index);
  if (entry == nullptr) return nullptr;
  int m = 0;
  const char* definition = entry->definition;
  if (entry->kind != kZmanFixed) {
    m = ZmanConfiguredMethod(index);
    if (m < 0) return nullptr;
    definition = entry->methods[m].definition;
  }
  ZmanProgram* read = &gPrograms[index][m];
  if (read->state == 0) CompileDefinition(definition, read);
  *program = read;
  return definition;
}

}  // namespace

const ZmanEntry* ZmanimEntry(int index) {
  return index >= 0 && index < kZmanCount ? &kZmanim[index] : nullptr;
}

int ZmanConfiguredMethod(int index) {
  const ZmanEntry* entry = ZmanimEntry(index);
  if (entry == nullptr || entry->kind != kZmanChoice) return -1;
  char key[256];
  IniReadString(kSection, entry->name, "", key, sizeof key, kSettingsFile);
  if (key[0] == '\0') return 0;
  for (int m = 0; m < entry->methodCount; ++m)
    if (EqualNoCase(key, entry->methods[m].key)) return m;
  return -1;
}

const char* ZmanConfiguredDefinition(int index) {
  const ZmanEntry* entry = ZmanimEntry(index);
  if (entry == nullptr) return nullptr;
  if (entry->kind == kZmanFixed) return entry->definition;
  const int m = ZmanConfiguredMethod(index);
  return m >= 0 ? entry->methods[m].definition : nullptr;
}

void SetZmanimDiagnosticHook(ZmanimDiagnosticHook hook, void* context) {
  gHook = hook != nullptr ? hook : &IgnoreDiagnostic;
  gHookContext = hook != nullptr ? context : nullptr;
}

int EvaluateZmanDefinition(const ZmanDay* day, const char* definition, int* hour, int* minute) {
  ZmanParser p{};
  p.lexer.text = definition != nullptr ? definition : "";
  p.day = day;
  std::int64_t total = 0;
  if (!ZmanimParseIt(&p, &total)) return 0;
  *hour = (int)(total / 60);
  *minute = (int)(total % 60);
  return 1;
}

int ZmanimLines(const ZmanDay* day, char* out, int outSize, const int* flags) {
  CopyText(out, outSize, "");
  char none[1] = "";  // without a buffer the lines are only counted
  const int usable = out != nullptr && outSize > 0;
  Lines lines(usable ? out : none, usable ? outSize : 1);
  return AppendZmanimLines(day, nullptr, 1, &lines, flags);
}

int ZmanByName(const ZmanDay* day, const char* name, int* hour, int* minute) {
  *hour = -1;
  *minute = -1;
  for (int i = 0; i < kZmanCount; ++i) {
    if (!EqualNoCase(name, kZmanim[i].name)) continue;
    const char* definition = ZmanConfiguredDefinition(i);
    int h = 0, m = 0;
    if (definition == nullptr || !EvaluateZmanDefinition(day, definition, &h, &m)) return 0;
    *hour = h;
    *minute = m;
    return 1;
  }
  return 0;
}

void ChametzTime(const ZmanDay* day, int type, int method, char* dest, int destSize) {
  ChametzText(day, 1, type, method, dest, destSize);
}

int IsErevPesach(int day, int month, int year) {
  const CalDate gregorian = {day, month, year};
  CalDate hebrew;
  HebrewFromAbsolute(AbsoluteFromGregorian(&gregorian), &hebrew);
  return hebrew.day == 14 && hebrew.month == 1;
}

int ErevPesachLines(const ZmanDay* day, char* out, int outSize, char* eating, char* burning) {
  char none[1] = "";  // without a buffer only the two times are given
  const int usable = out != nullptr && outSize > 0;
  Lines lines(usable ? out : none, usable ? outSize : 1);
  return AppendErevPesach(day, nullptr, 1, &lines, eating, burning);
}

int ZmanimDayText(int day, int month, int year, char* out, int outSize,
                  const CalWindowState* state, const IncludeFlags* flags) {
  return ZmanimDayTextOfDate(day, month, year, nullptr, out, outSize, state, flags);
}

int ZmanimDayTextOfDate(int day, int month, int year, const CalDate* hebrew, char* out,
                        int outSize, const CalWindowState* state, const IncludeFlags* flags) {
  CopyText(out, outSize, "");
  if (out == nullptr || outSize <= 0 || !state->locationKnown) return 0;
  ZmanDay d = {day, month, year, state->latitude, state->longitude, state->timeZone,
               state->elevation, 0, 0, 0, 0};
  // One computation of the day's sun serves sunrise, sunset and every
  // depression.
  SunDay sun;
  SunDayCompute(&sun, day, month, year, d.latitude, d.longitude, d.timeZone, d.elevation);
  const int sunKnown = SunDaySunriseAndSunset(&sun, &d.sunriseHour, &d.sunriseMinute,
                                              &d.sunsetHour, &d.sunsetMinute);
  Lines lines(out, outSize);
  AppendZmanimLines(&d, &sun, sunKnown, &lines, &flags->flag[kFirstZmanFlag]);
  if (flags->flag[kIncludeShaaZmanit]) AppendShaaZmanit(&d, sunKnown, &lines);
  if (flags->flag[kIncludeErevPesach])
    AppendErevPesach(&d, hebrew, sunKnown, &lines, nullptr, nullptr);
  return (int)lines.length;
}
