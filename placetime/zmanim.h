// Zmanim: the table of the eleven halachic times of a day with their
// methods, the small definition language each method is written in, the
// zman lines of a day record, the chametz limits of Erev Pesach and the
// whole zmanim block of the export. Methods are read from exportcal.ini
// ([Zmanim] <zman name>, [ErevPesach] Method) afresh on each call.
// Times are minutes after midnight of local clock time; sunrise and sunset
// come from the caller (GetSunriseSunset, daylight saving applied).
#pragma once
#include "calendar/caldate.h"
#include "settings/settings.h"
#include "placetime/window_state.h"

inline constexpr int kZmanCount = 11;        // entries of the table, index 0-10
inline constexpr int kZmanMaxMethods = 9;    // "Tzait Hakochavim" has the most
inline constexpr int kZmanDefinitionSize = 80;  // keys and definitions < 80 chars
inline constexpr int kZmanTimeSize = 64;     // a clock text or a chametz result

// One alternative definition of a zman.
struct ZmanMethod {
  const char* key;          // the value stored under [Zmanim] <name>
  const char* displayText;  // Windows-1252; the dialog's list item
  const char* definition;   // in the definition language
};

inline constexpr int kZmanFixed = 1;   // one definition
inline constexpr int kZmanChoice = 2;  // the user picks one of the methods

struct ZmanEntry {
  const char* name;        // shown in the lines; the key in [Zmanim]
  int kind;                // kZmanFixed or kZmanChoice
  const char* definition;  // kZmanFixed only, else nullptr
  const ZmanMethod* methods;  // kZmanChoice only, else nullptr
  int methodCount;         // 0 for kZmanFixed
};

// Entry `index` (0-10) of the table, nullptr outside it. The index is the
// zman's selection flag (IncludeFlags kFirstZmanFlag + index).
const ZmanEntry* ZmanimEntry(int index);

// The configured method of choice zman `index`, as a position in its
// methods: the first (0) when [Zmanim] <name> is empty or missing, else
// the method whose key equals the value without regard to case; -1 when
// no key matches, and for a fixed zman or an index outside the table.
int ZmanConfiguredMethod(int index);

// The definition of entry `index` by the configured method: the fixed one
// or the chosen method's; nullptr when no method key matches (the zman is
// then left out).
const char* ZmanConfiguredDefinition(int index);

// ---- The definition language ------------------------------------------

// Receives each error text of the definition language ("ZmanimParseIt: (
// expected"); it reports and does nothing else. The default ignores it.
using ZmanimDiagnosticHook = void (*)(const char* text, void* context);
// nullptr restores the default.
void SetZmanimDiagnosticHook(ZmanimDiagnosticHook hook, void* context);

// Sunrise and sunset of one day at one place, as the caller has them:
// the Gregorian date, the location in packed degrees-minutes (negative for
// South and West), the whole-hour zone east of GMT, the elevation in meters,
// and the two times as local clock time.
struct ZmanDay {
  int day, month, year;
  int latitude, longitude, timeZone, elevation;
  int sunriseHour, sunriseMinute;
  int sunsetHour, sunsetMinute;
};

// Evaluates `definition` for `day`. Returns 1 with *hour = total minutes /
// 60 and *minute = total minutes % 60 (both truncating, so a total before
// midnight gives negative values), or 0 on a syntax error (its text goes
// to the hook), a term that comes out as exactly -1, a depression the sun
// does not reach, or a total beyond 32 bits.
int EvaluateZmanDefinition(const ZmanDay* day, const char* definition, int* hour, int* minute);

// ---- Lines ---------------------------------------------------------------

// Writes into out[0..outSize-1] (cleared first, cut to fit, always
// terminated) one line "Name: time" CR LF per zman in table order, or
// "Name: --:--" when its definition fails. The time is FormatTime's clock
// text (am/pm on) of the total taken into the day (-42 minutes is 23:18). A zman without a configured
// definition is left out, and so is one whose flag is 0 when `flags` (11
// flags, table order) is given. Returns the number of lines.
int ZmanimLines(const ZmanDay* day, char* out, int outSize, const int* flags);

// The zman called `name` (compared without regard to case) by its
// configured method. Returns 1 with its hour and minute as
// EvaluateZmanDefinition gives them, or 0 with -1 and -1.
int ZmanByName(const ZmanDay* day, const char* name, int* hour, int* minute);

inline constexpr int kChametzEating = 1;
inline constexpr int kChametzBurning = 2;
inline constexpr int kChametzVilnaGaon = 1;
inline constexpr int kChametzMagenAvraham = 2;

// The latest time for eating (type 1) or burning (type 2) chametz by
// `method` (1 Vilna Gaon, 2 Magen Avraham, 100 and 101 their mixtures) as
// clock text into dest[0..destSize-1]; "Invalid iType: %d" or "Invalid
// iMethod: %d" for other values, "--:--" when a time it needs fails.
void ChametzTime(const ZmanDay* day, int type, int method, char* dest, int destSize);

// 1 when the Gregorian date is 14 Nisan.
int IsErevPesach(int day, int month, int year);

// On 14 Nisan appends to the text in out[0..outSize-1] a line break and
// the two chametz lines by [ErevPesach] Method (default 1), and copies the
// two times into `eating` and `burning` (each kZmanTimeSize bytes, either
// may be nullptr). On other days writes nothing. Returns 1 on 14 Nisan.
int ErevPesachLines(const ZmanDay* day, char* out, int outSize, char* eating, char* burning);

// The zmanim block of a day record into out[0..outSize-1]: nothing while
// the location is unknown; else the zmanim whose include flags (8-18) are
// set, the "Sha'a Zmanit: " line (flag 19) and the chametz lines (flag 20).
// When the sun neither rises nor sets that day every chosen time reads
// "--:--". Returns the length written.
int ZmanimDayText(int day, int month, int year, char* out, int outSize,
                  const CalWindowState* state, const IncludeFlags* flags);
// The same for a caller that has the day's Hebrew date already (`hebrew`,
// of the Gregorian date day/month/year).
int ZmanimDayTextOfDate(int day, int month, int year, const CalDate* hebrew, char* out,
                        int outSize, const CalWindowState* state, const IncludeFlags* flags);
