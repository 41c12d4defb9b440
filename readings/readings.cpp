// The Torah-reading schedule of a day: year types, the Shabbat schedule and
// its adjustments, the weekday readings and the Omer count.
#include "readings/readings.h"

#include <cstring>

#include "calendar/caldate.h"
#include "calendar/holidays.h"
#include "readings/reading_schedules.h"
#include "readings/reading_texts.h"
#include "resources/strings.h"

namespace {

constexpr int kSaturday = 6;
constexpr int kNisan = 1;
constexpr int kSivan = 3;
constexpr int kElul = 6;
constexpr int kTishri = 7;
constexpr int kKislev = 9;
constexpr int kOmerDays = 49;

// A year type: the weekday of 1 Tishri, the days of the year and the
// weekday of 15 Nisan (0 = Sunday).
struct YearKind {
  int tishriWeekday;
  int length;
  int nisanWeekday;
};

constexpr YearKind kYearKinds[kYearTypeCount] = {
    {1, 353, 2}, {6, 353, 0}, {2, 354, 4}, {4, 354, 6}, {1, 355, 4}, {4, 355, 0}, {6, 355, 2},
    {1, 383, 4}, {4, 383, 0}, {6, 383, 2}, {2, 384, 6}, {1, 385, 6}, {4, 385, 2}, {6, 385, 4},
};

// The Rosh Hodesh code of a portion read on the Shabbat of Rosh Hodesh or
// the Shabbat before it; it decides which Rosh Hodesh haphtarah is read.
struct PortionCode {
  int key;
  int code;
};

constexpr PortionCode kRoshHodeshCodes[] = {
    {1, 1},  {13, 1}, {29, 1},                    //
    {0, 2},  {5, 2},  {25, 2}, {28, 2}, {33, 2},  //
    {23, 3}, {42, 3},                             //
    {21, 4},                                      //
    {18, 5},                                      //
    {37, 6}, {38, 6},                             //
    {9, 7},  {22, 7}, {46, 7},                    //
    {26, 8},                                      //
    {17, 9},                                      //
};

// The haphtarah flags in the order their haphtarot are placed, each with
// the key of its haphtarah.
struct FlagHaphtarah {
  std::int32_t flag;
  int key;
};

constexpr FlagHaphtarah kFlagOrder[] = {
    {kFlagMaseh, 162},          {kFlagMatoth, 161},
    {kFlagPinhas, 159},         {kFlagKedoshim, 157},
    {kFlagKedoshimType9, 158},  {kFlagAharemoth, 156},
    {kFlagChanukahSecond, 155}, {kFlagChanukahFirst, 154},
    {kFlagRoshHodeshVerses, 152}, {kFlagMacharChodeshVerses, 153},
    {kFlagRoshHodesh, 150},     {kFlagMacharChodesh, 151},
    {kFlagShabbatShuva, 163},
};

// A second or third key whose own haphtarah is the haphtarah of the day:
// the second half of a combined portion, or a special Shabbat.
constexpr int kOwnHaphtarahKeys[] = {39, 32, 61, 62, 63, 64, 65};

// Weekday readings: a reading key and the number of the holiday
// (HolidayDateByIndex) on whose date it is read.
struct WeekdayReading {
  int key;
  int holiday;
};

constexpr WeekdayReading kWeekdayReadings[] = {
    {70, 0},   {71, 42},  {72, 31},  {73, 1},   {74, 2},   {75, 3},   {76, 4},   {78, 5},
    {79, 6},   {81, 7},   {83, 8},   {172, 9},  {53, 10},  {86, 29},  {87, 28},  {88, 32},
    {97, 37},  {94, 26},  {95, 39},  {98, 33},  {99, 30},  {100, 18}, {101, 19}, {102, 20},
    {103, 21}, {104, 22}, {105, 23}, {107, 24}, {109, 25}, {89, 11},  {112, 12}, {113, 13},
    {114, 14}, {117, 15}, {120, 16}, {91, 17},  {93, 40},
};

// 0 = Sunday ... 6 = Saturday, also for days before the common era.
int Weekday(int absolute) {
  const int w = absolute % 7;  // -6..6
  return w < 0 ? w + 7 : w;
}

int AbsoluteOf(int day, int month, int year) {
  const CalDate date = {day, month, year};
  return AbsoluteFromHebrew(&date);
}

int SaturdayOnOrAfter(int absolute) { return absolute + (kSaturday - Weekday(absolute)); }

void SetReading(ReadingsOfDay* out, int slot, int key) {
  out->reading[slot][0] = '\0';
  if (key != kNoReadingKey) ReadingText(key, out->reading[slot], kReadingTextSize);
}

void SetHaphtarah(ReadingsOfDay* out, int slot, int key) {
  out->haphtarah[slot][0] = '\0';
  if (key != kNoReadingKey) HaphtarahText(key, out->haphtarah[slot], kReadingTextSize);
}

// The slot a text goes to when the first empty one is wanted: 0 if empty,
// else 2 if 1 is taken, else 1.
int FirstFree(const char (*texts)[kReadingTextSize]) {
  if (texts[0][0] == '\0') return 0;
  return texts[1][0] != '\0' ? 2 : 1;
}

// The Omer text: the format's "%d" replaced by the count (the format is
// filled by hand, so no text of the table is ever a printf format).
void FormatOmer(int count, char* out) {
  const char* format = LoadText(kReadingTextOmer);
  char number[12];
  int digits = 0;
  do {
    number[digits++] = (char)('0' + count % 10);
    count /= 10;
  } while (count > 0);
  int n = 0;
  int substituted = 0;
  for (const char* p = format; *p != '\0' && n < kReadingTextSize - 1; ++p) {
    if (!substituted && p[0] == '%' && p[1] == 'd') {
      while (digits > 0 && n < kReadingTextSize - 1) out[n++] = number[--digits];
      substituted = 1;
      ++p;
      continue;
    }
    out[n++] = *p;
  }
  out[n] = '\0';
}

int RoshHodeshCode(int key) {
  for (const PortionCode& row : kRoshHodeshCodes)
    if (row.key == key) return row.code;
  return 0;
}

// The Rosh Hodesh flags a portion's code gives on `day` (1, 29 or 30).
std::int32_t RoshHodeshFlags(int code, int day, int leap) {
  std::int32_t flags = 0;
  if (day == 1 || day == 30) {  // Rosh Hodesh itself
    if (code == 1 || code == 6) flags |= kFlagRoshHodesh;
    if (code == 3 || code == 7) flags |= kFlagRoshHodeshVerses;
    if (code == 5 || code == 9) flags |= leap ? kFlagRoshHodesh : kFlagRoshHodeshVerses;
    if (code == 8) flags |= leap ? kFlagRoshHodeshVerses : kFlagRoshHodesh;
  }
  if (day == 29 || day == 30) {  // the day before Rosh Hodesh
    if (code == 2 || (code == 1 && day == 29)) flags |= kFlagMacharChodesh;
    if (code == 4 || code == 6 || code == 7) flags |= kFlagMacharChodeshVerses;
    if (code == 8) flags |= leap ? kFlagMacharChodeshVerses : kFlagMacharChodesh;
    if (code == 9) flags |= leap ? kFlagMacharChodesh : kFlagMacharChodeshVerses;
  }
  return flags;
}

int IsOwnHaphtarahKey(int key) {
  for (int k : kOwnHaphtarahKeys)
    if (k == key) return 1;
  return 0;
}

// The Rosh Hodesh flags of the day, in whichever slot they sit (the last
// one read: on Rosh Hodesh itself that is the Rosh Hodesh reading's).
std::int32_t RoshHodeshFlagsOfDay(const ReadingsOfDay* out) {
  return (out->flags[0] | out->flags[1] | out->flags[2]) & kRoshHodeshMask;
}

// Flag 2 for the second or third key (`key`, in slot `slot`): the slot's
// own haphtarah is the haphtarah of the day. After Nitsabim (A = 50) the
// flag goes to slot 0, whose haphtarah is then read. Metsora's gives way
// to a Rosh Hodesh haphtarah.
void MarkOwnHaphtarah(ReadingsOfDay* out, int a, int key, int slot) {
  const int target = a == kKeyNitsabim ? 0 : slot;
  if (IsOwnHaphtarahKey(key) || (key == kKeyMetsora && RoshHodeshFlagsOfDay(out) == 0) ||
      (key == kKeyVayeleh && a == kKeyNitsabim))
    out->flags[target] |= kFlagOwnHaphtarah;
}

// Maseh's haphtarah, which in a year of type 0 is also its own.
void MarkMaseh(ReadingsOfDay* out, int slot, int type) {
  out->flags[slot] |= kFlagMaseh;
  if (type == 0) out->flags[slot] |= kFlagOwnHaphtarah;
}

// Places one haphtarah of the day: the first one empties the three slots.
void PlaceHaphtarah(ReadingsOfDay* out, int key, int* placed) {
  if (!*placed) {
    for (char* text : out->haphtarah) text[0] = '\0';
    *placed = 1;
  }
  SetHaphtarah(out, FirstFree(out->haphtarah), key);
}

void WeekdayReadings(const CalDate* date, int absolute, int inChanukah, int diaspora,
                     ReadingsOfDay* out) {
  const int roshHodesh = IsRoshHodesh(date);
  const std::uint64_t holidays = HolidayIndicesOnDate(date, absolute);
  for (const WeekdayReading& row : kWeekdayReadings) {
    if (!(holidays >> row.holiday & 1)) continue;
    int key = row.key;
    if (key == kKeySimchatTorah && !diaspora) continue;  // Israel reads it on 22 Tishri
    if (roshHodesh && key == 105) key = 106;
    if (roshHodesh && key == 107) key = 108;
    if (key == 114) key = Weekday(absolute) == 0 ? 116 : 115;
    if (key == 117) key = Weekday(absolute) == 1 ? 119 : 118;
    SetReading(out, 0, key);
    if (inChanukah)
      out->haphtarah[0][0] = '\0';
    else
      SetHaphtarah(out, 0, key);
    if (key == kKeySimchatTorah) {
      SetReading(out, 1, 54);
      SetReading(out, 2, 55);
    }
    if (key == kKeySheminiAtzeretShabbat) {
      SetReading(out, 0, kKeySheminiAtzeret);
      SetReading(out, 1, 170);
      SetReading(out, 2, 171);
    }
  }
  if (roshHodesh) SetReading(out, out->reading[0][0] == '\0' ? 0 : 1, kKeyRoshHodeshWeekday);
}

}  // namespace

int YearType(int year) {
  const int tishri = AbsoluteOf(1, kTishri, year);
  const int length = AbsoluteOf(1, kTishri, year + 1) - tishri;
  const int nisan = Weekday(AbsoluteOf(15, kNisan, year));
  for (int type = 0; type < kYearTypeCount; ++type) {
    const YearKind& kind = kYearKinds[type];
    if (kind.tishriWeekday == Weekday(tishri) && kind.length == length &&
        kind.nisanWeekday == nisan)
      return type;
  }
  return kNoYearType;
}

int FirstShabbatAfterSimchatTorah(int year) {
  return SaturdayOnOrAfter(AbsoluteOf(23, kTishri, year));
}

int ReadingsForDate(int day, int month, int year, ReadingsOfDay* out, ReadingKeys* keys) {
  const CalDate date = {day, month, year};
  return ReadingsForDateOfDay(day, month, year, AbsoluteFromHebrew(&date), out, keys);
}

int ReadingsForDateOfDay(int day, int month, int year, int absoluteDay, ReadingsOfDay* out,
                         ReadingKeys* keys) {
  std::memset(out, 0, sizeof *out);
  if (keys) *keys = {0, 0, 0, 0};
  const CalDate date = {day, month, year};
  const int d = absoluteDay;

  // Days 1-29 of months 1-12 exist in every year, so such a date names its
  // real month and the Omer and Chanukah need not be looked for outside
  // their months; any other date is looked at the long way.
  const int plainDate = day >= 1 && day <= 29 && month >= 1 && month <= 12;
  if (!plainDate || (month >= kNisan && month <= kSivan)) {
    const int omerStart = AbsoluteOf(16, kNisan, year);
    if (d >= omerStart && d - omerStart < kOmerDays) FormatOmer(d - omerStart + 1, out->omer);
  }

  const int diaspora = ReadingsDiasporaFlag();
  const int saturday = Weekday(d) == kSaturday;
  // Chanukah runs from 25 Kislev into Tevet; a Shabbat also needs its
  // Shabbatot.
  const int needChanukah = !plainDate || saturday || month == kKislev || month == kKislev + 1;
  const int chanukah = needChanukah ? AbsoluteOf(25, kKislev, year) : 0;  // K
  const int inChanukah = needChanukah && d >= chanukah && d <= chanukah + 7;

  if (!saturday) {
    WeekdayReadings(&date, d, inChanukah, diaspora, out);
    return 0;
  }
  const int chanukahShabbat1 = SaturdayOnOrAfter(chanukah);
  const int chanukahShabbat2 = chanukahShabbat1 + 7;
  const int chanukahEnd = chanukah + 7;

  // The cycle runs from Bereshith to the Shabbat before the next Bereshith,
  // so the Shabbatot of Tishri up to Simchat Torah end the previous year's.
  const int cycleYear = d < FirstShabbatAfterSimchatTorah(year) ? year - 1 : year;
  const int type = YearType(cycleYear);
  if (type == kNoYearType) return 0;
  const ReadingSchedule* schedule = ScheduleOfYearType(type, diaspora);
  const int bereshith = FirstShabbatAfterSimchatTorah(cycleYear);
  if (!schedule || d < bereshith) return 0;  // only an odd date comes here
  const int week = (d - bereshith) / 7;
  if (week >= schedule->listed) return 0;
  const ScheduleEntry& entry = schedule->entry[week];
  int matothPartner = kNoReadingKey;  // 42 when Matoth and Maseh are read together
  for (int i = 0; i < schedule->listed; ++i)
    if (schedule->entry[i].a == kKeyMatoth) matothPartner = schedule->entry[i].b;
  int a = entry.a;
  int b = entry.b;
  int c = entry.c;

  // The main reading; Hol Hamoed Sukkot has a reading for each day.
  if (a == kKeyHolHamoedSukkot) {
    if (day == 17) a = 77;
    if (day == 19) a = 80;
    if (day == 20) a = 82;
  }
  SetReading(out, 0, a);
  SetHaphtarah(out, 0, a);
  if (a == kKeySheminiAtzeretShabbat) {
    SetReading(out, 0, kKeySheminiAtzeret);
    SetReading(out, 1, 170);
    SetReading(out, 2, 171);
  }

  // Chanukah's reading of the day takes the second place.
  if (inChanukah) {
    const int offset = d - chanukah;  // 0-7
    b = offset <= 5 ? kKeyChanukahFirst + offset : offset == 6 ? 107 : 109;
  }
  const int secondChanukahShabbat = d == chanukahShabbat2 && chanukahShabbat2 <= chanukahEnd;
  if (b != kNoReadingKey) {
    SetReading(out, 1, b);
    if (!secondChanukahShabbat) SetHaphtarah(out, 1, b);
  }

  // Rosh Hodesh takes the first free key.
  if (IsRoshHodesh(&date)) {
    if (a == kNoReadingKey) {
      a = kKeyRoshHodeshShabbat;
      SetReading(out, 0, a);
      SetHaphtarah(out, 0, a);
    } else if (b == kNoReadingKey) {
      b = kKeyRoshHodeshShabbat;
      SetReading(out, 1, b);
      SetHaphtarah(out, 1, b);
    } else {
      c = kKeyRoshHodeshShabbat;
    }
  }
  if (c != kNoReadingKey) {
    SetReading(out, 2, c);
    SetHaphtarah(out, 2, c);
  }

  // Only recorded: the Shabbat late in a month (Vayakhel-Pekude: on its
  // second half).
  if (day >= 23 && month != kElul)
    out->flags[a == kKeyVayakhel && b == kKeyPekude ? 1 : 0] |= kFlagLateInMonth;

  // Rosh Hodesh, or the day before it: the portions decide the haphtarah.
  if (day == 1 || day == 29 || day == 30) {
    const int leap = HebrewLeapYear(year);
    std::int32_t flags = RoshHodeshFlags(RoshHodeshCode(a), day, leap);
    if (b != kNoReadingKey) flags |= RoshHodeshFlags(RoshHodeshCode(b), day, leap);
    out->flags[out->reading[2][0] ? 2 : out->reading[1][0] ? 1 : 0] |= flags;
  }

  MarkOwnHaphtarah(out, a, b, 1);
  MarkOwnHaphtarah(out, a, c, 2);

  if (d == chanukahShabbat1) out->flags[0] |= kFlagChanukahFirst;
  if (secondChanukahShabbat) out->flags[0] |= kFlagChanukahSecond;
  if ((a == kKeyVayakhel || a == kKeyPekude) && b == kNoReadingKey)
    out->flags[0] |= kFlagChanukahSecond;  // the same haphtarah, read alone

  // Their haphtarot give way to a Rosh Hodesh one, wherever its flags sit.
  const int roshHodeshHaphtarah = RoshHodeshFlagsOfDay(out) != 0;
  if (a == kKeyAharemoth && b == kNoReadingKey && !roshHodeshHaphtarah) out->flags[0] |= kFlagAharemoth;
  if (a == kKeyAharemoth && b == kKeyKedoshim && !roshHodeshHaphtarah) out->flags[1] |= kFlagKedoshim;
  if (a == kKeyKedoshim && !roshHodeshHaphtarah) out->flags[0] |= kFlagKedoshim;
  if (type == 9 && a == kKeyKedoshim && (out->flags[0] & kFlagKedoshim))
    out->flags[0] = (out->flags[0] & ~kFlagKedoshim) | kFlagKedoshimType9;

  // The three weeks: the haphtarot of rebuke go by the portions read.
  if (matothPartner == kKeyMaseh) {
    if (a == kKeyPinhas) out->flags[0] |= kFlagMatoth;
    if (a == kKeyMaseh) MarkMaseh(out, 0, type);
  } else {
    if (a == kKeyMatoth) out->flags[0] |= kFlagMatoth;
    if (a == kKeyPinhas) out->flags[0] |= kFlagPinhas;
    if (a == kKeyMaseh) MarkMaseh(out, 0, type);
  }
  if (b == kKeyMaseh) MarkMaseh(out, 1, type);
  if (c == kKeyMaseh) MarkMaseh(out, 2, type);

  // Shabbat Shuva: the first Saturday after 1 Tishri.
  if (d == SaturdayOnOrAfter(AbsoluteOf(1, kTishri, year) + 1)) {
    const int slot = FirstFree(out->reading);
    SetReading(out, slot, kKeyShabbatShuva);
    out->flags[slot] |= kFlagShabbatShuva;
  }

  // The haphtarah of the day: the slots marked with their own haphtarah,
  // then the flags in their order; the first one placed replaces the
  // haphtarot of the readings.
  int placed = 0;
  const int slotKeys[3] = {a, b, c};
  for (int slot = 0; slot < 3; ++slot)
    if (out->flags[slot] & kFlagOwnHaphtarah) PlaceHaphtarah(out, slotKeys[slot], &placed);
  const std::int32_t flags = out->flags[0] | out->flags[1] | out->flags[2];
  constexpr std::int32_t kVerses = kFlagRoshHodeshVerses | kFlagMacharChodeshVerses;
  std::int32_t haphtarahFlags = 0;
  for (const FlagHaphtarah& row : kFlagOrder) haphtarahFlags |= row.flag;
  // First and last verses are added to a haphtarah, never read alone:
  // with no other, the portion's own goes first.
  if (!placed && (flags & kVerses) && !(flags & haphtarahFlags & ~kVerses)) PlaceHaphtarah(out, a, &placed);
  for (const FlagHaphtarah& row : kFlagOrder)
    if (flags & row.flag) PlaceHaphtarah(out, row.key, &placed);

  if (keys) *keys = {1, a, b, c};
  return 1;
}

int IsYizkorDay(int day, int month) {
  if (month == kTishri) return day == 10 || day == 22;
  const int diaspora = ReadingsDiasporaFlag();
  if (month == kNisan) return day == (diaspora ? 22 : 21);
  if (month == kSivan) return day == (diaspora ? 7 : 6);
  return 0;
}
