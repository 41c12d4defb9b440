// The Torah-reading schedule: the readings, Haphtarot and Omer count of a
// Hebrew day. On Shabbat the weekly portion comes from the schedule of the
// year's type (one of 14) and the custom; special Shabbatot, Rosh Hodesh,
// Chanukah and the three weeks adjust it. On weekdays the holiday, fast-day,
// Chanukah and Rosh Hodesh readings are given. The texts come from
// reading_texts.h by reading key.
#pragma once
#include <cstdint>

#include "readings/reading_texts.h"

// A reading key that stands for no reading.
constexpr int kNoReadingKey = 1000;
// A year whose kind matches none of the 14 types.
constexpr int kNoYearType = 1000;
constexpr int kYearTypeCount = 14;

// Reading keys the schedule gives meaning to.
enum ReadingKey {
  kKeyVayakhel = 21,
  kKeyPekude = 22,
  kKeyMetsora = 27,
  kKeyAharemoth = 28,
  kKeyKedoshim = 29,
  kKeyPinhas = 40,
  kKeyMatoth = 41,
  kKeyMaseh = 42,
  kKeyNitsabim = 50,
  kKeyVayeleh = 51,
  kKeySimchatTorah = 53,  // Diaspora; 54 and 55 are its further readings
  kKeyRoshHodeshShabbat = 60,
  kKeyShabbatShuva = 66,
  kKeySheminiAtzeret = 85,
  kKeyHolHamoedSukkot = 84,  // on Shabbat; refined by the day to 77, 80, 82
  kKeyChanukahFirst = 100,   // Chanukah I; II-V follow, VI 105/106, VII 107/108, VIII 109
  kKeyRoshHodeshWeekday = 111,
  kKeySheminiAtzeretShabbat = 172,  // fills the three readings with 85, 170, 171
};

// Flags of a reading slot.
enum ReadingFlag : std::int32_t {
  kFlagLateInMonth = 1,           // day 23 or later of a month other than Elul
  kFlagOwnHaphtarah = 2,          // this slot's haphtarah is the haphtarah of the day
  kFlagRoshHodesh = 4,            // haphtarah 150
  kFlagMacharChodesh = 8,         // 151
  kFlagRoshHodeshVerses = 16,     // 152
  kFlagMacharChodeshVerses = 32,  // 153
  kFlagChanukahFirst = 64,        // 154
  kFlagChanukahSecond = 128,      // 155, also Vayakhel or Pekude read alone
  kFlagAharemoth = 256,           // 156
  kFlagKedoshim = 512,            // 157
  kFlagKedoshimType9 = 1024,      // 158
  kFlagPinhas = 2048,             // 159
  kFlagMatoth = 4096,             // 161
  kFlagMaseh = 8192,              // 162
  kFlagShabbatShuva = 16384,      // 163
};
// The flags that come from Rosh Hodesh: 4, 8, 16 and 32.
constexpr std::int32_t kRoshHodeshMask = 60;

// The readings of one day. Empty texts are "".
struct ReadingsOfDay {
  char reading[3][kReadingTextSize];
  std::int32_t flags[3];  // ReadingFlag bits of each reading slot
  char haphtarah[3][kReadingTextSize];
  char omer[kReadingTextSize];  // "%d L'Omer" during the Omer, else ""
};

// The schedule keys of a Shabbat: shabbat = 1 and the keys A, B, C after
// the day's adjustments (Hol Hamoed refined, Chanukah, Rosh Hodesh);
// all 0 on other days. An unused key is kNoReadingKey.
struct ReadingKeys {
  int shabbat;
  int a;
  int b;
  int c;
};

// The year type 0-13 of Hebrew year `year` from the weekday of 1 Tishri,
// the length of the year and the weekday of 15 Nisan; kNoYearType when no
// type matches (no year of the calendar does that).
int YearType(int year);

// Absolute day number of the first Saturday on or after 23 Tishri of
// `year`: entry 0 of the year's schedule.
int FirstShabbatAfterSimchatTorah(int year);

// Fills `out` with the readings of Hebrew day/month/year (months numbered
// 1 = Nisan ... 13 = Adar II; the date is not checked), in the custom of
// [Parasha] DiasporaFlag (ReadingsDiasporaFlag). `keys` may be nullptr. Returns 1 for a Shabbat
// whose schedule entry was found, else 0 (weekdays, and a Shabbat past the
// end of its schedule, which gets no readings).
int ReadingsForDate(int day, int month, int year, ReadingsOfDay* out, ReadingKeys* keys);
// The same for a caller that has the date's absolute day number.
int ReadingsForDateOfDay(int day, int month, int year, int absoluteDay, ReadingsOfDay* out,
                         ReadingKeys* keys);

// 1 on the days Yizkor is said: 10 and 22 Tishri, and 22 Nisan and 7 Sivan
// in the Diaspora or 21 Nisan and 6 Sivan in Israel ([Parasha] DiasporaFlag).
int IsYizkorDay(int day, int month);
