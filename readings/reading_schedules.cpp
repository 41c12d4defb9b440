// The fourteen year types' Shabbat schedules, written in the short notation
// of the reading calendar and expanded at compile time into one entry per
// Shabbat.
#include "readings/reading_schedules.h"

#include <initializer_list>

#include "readings/readings.h"

namespace {

constexpr short N = kNoReadingKey;

// One item of the notation: the keys from..to each read alone on its own
// Shabbat, or, when b or c is given, the single entry (from, b, c).
struct Run {
  short from;
  short to;
  short b;
  short c;
};

// "a-b": one Shabbat per key.
constexpr Run R(int from, int to) { return {(short)from, (short)to, N, N}; }
// "a": a portion read alone.
constexpr Run P(int a) { return R(a, a); }
// "a+[s]": a portion with the special Shabbat s.
constexpr Run S(int a, int s) { return {(short)a, (short)a, (short)s, N}; }
// "a&b": two portions read together.
constexpr Run C(int a, int b) { return {(short)a, (short)a, (short)b, N}; }
// "a&b+[s]": two portions read together on the special Shabbat s.
constexpr Run CS(int a, int b, int s) { return {(short)a, (short)a, (short)b, (short)s}; }
// "Hk": the holiday reading k instead of a portion.
constexpr Run H(int k) { return P(k); }

enum Padding { kNoPadding, kZeroEntry };

// Expands the notation; kZeroEntry appends the all-zero entry that the
// lists of types 0, 2, 3, 4, 6 and 13 carry after their last Shabbat.
// Overrunning the capacity is a compile error, as the table is constexpr.
constexpr ReadingSchedule Expand(std::initializer_list<Run> runs, Padding padding) {
  ReadingSchedule s{};
  int n = 0;
  for (const Run& run : runs) {
    if (run.b != N || run.c != N) {
      s.entry[n++] = {run.from, run.b, run.c};
      continue;
    }
    for (int key = run.from; key <= run.to; ++key) s.entry[n++] = {(short)key, N, N};
  }
  s.listed = n;
  if (padding == kZeroEntry) s.entry[n++] = {0, 0, 0};
  s.stored = n;
  return s;
}

enum Custom { kBoth, kDiasporaOnly, kIsraelOnly };

struct ScheduleRow {
  int type;
  Custom custom;
  int entries;  // Shabbatot in the cycle of a year of this type
  ReadingSchedule schedule;
};

constexpr ScheduleRow kSchedules[] = {
    {0, kBoth, 50,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(90), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42), R(43, 49),
             C(50, 51), P(52), H(73), H(84)},
            kZeroEntry)},
    {1, kBoth, 50,
     Expand({R(0, 16), S(17, 61), S(18, 62), P(19), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(91), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42), R(43, 52),
             H(84)},
            kNoPadding)},
    {2, kDiasporaOnly, 51,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(90), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), P(33), H(96), R(34, 37),
             C(38, 39), P(40), C(41, 42), R(43, 49), C(50, 51), H(70), P(52), H(74), H(172)},
            kZeroEntry)},
    {2, kIsraelOnly, 51,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(90), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42), R(43, 49),
             C(50, 51), H(70), P(52), H(74), H(172)},
            kZeroEntry)},
    {3, kDiasporaOnly, 51,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), P(20), CS(21, 22, 63), S(23, 64), S(24, 65),
             H(89), H(92), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42),
             R(43, 52), H(84)},
            kZeroEntry)},
    {3, kIsraelOnly, 51,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), P(20), CS(21, 22, 63), S(23, 64), S(24, 65),
             H(89), P(25), C(26, 27), C(28, 29), R(30, 40), C(41, 42), R(43, 52), H(84)},
            kZeroEntry)},
    {4, kDiasporaOnly, 51,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(90), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), P(33), H(96), R(34, 37),
             C(38, 39), P(40), C(41, 42), R(43, 49), C(50, 51), H(70), P(52), H(74), H(172)},
            kZeroEntry)},
    {4, kIsraelOnly, 51,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(90), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42), R(43, 49),
             C(50, 51), H(70), P(52), H(74), H(172)},
            kZeroEntry)},
    {5, kBoth, 51,
     Expand({R(0, 17), S(18, 61), S(19, 62), P(20), S(21, 63), S(22, 64), P(23), S(24, 65), H(91),
             P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42), R(43, 52), H(84)},
            kNoPadding)},
    {6, kBoth, 50,
     Expand({R(0, 16), S(17, 61), P(18), S(19, 62), S(20, 63), CS(21, 22, 64), P(23), S(24, 65),
             H(90), P(25), C(26, 27), C(28, 29), P(30), C(31, 32), R(33, 40), C(41, 42), R(43, 49),
             C(50, 51), P(52), H(73), H(84)},
            kZeroEntry)},
    {7, kDiasporaOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), S(24, 63), S(25, 64), P(26), S(27, 65), H(90),
             R(28, 33), H(96), R(34, 37), C(38, 39), P(40), C(41, 42), R(43, 49), C(50, 51), H(70),
             P(52), H(74), H(172)},
            kNoPadding)},
    {7, kIsraelOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), S(24, 63), S(25, 64), P(26), S(27, 65), H(90),
             R(28, 40), C(41, 42), R(43, 49), C(50, 51), H(70), P(52), H(74), H(172)},
            kNoPadding)},
    {8, kBoth, 55,
     Expand({R(0, 21), S(22, 61), S(23, 62), P(24), S(25, 63), S(26, 64), P(27), S(28, 65), H(91),
             R(29, 52), H(84)},
            kNoPadding)},
    {9, kBoth, 54,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), S(24, 63), S(25, 64), P(26), S(27, 65), H(90),
             R(28, 40), C(41, 42), R(43, 49), C(50, 51), P(52), H(73), H(84)},
            kNoPadding)},
    {10, kDiasporaOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), P(24), S(25, 63), S(26, 64), S(27, 65), H(89),
             H(92), R(28, 40), C(41, 42), R(43, 52), H(84)},
            kNoPadding)},
    {10, kIsraelOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), P(24), S(25, 63), S(26, 64), S(27, 65), H(89),
             R(28, 52), H(84)},
            kNoPadding)},
    {11, kDiasporaOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), P(24), S(25, 63), S(26, 64), S(27, 65), H(89),
             H(92), R(28, 40), C(41, 42), R(43, 52), H(84)},
            kNoPadding)},
    {11, kIsraelOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), P(24), S(25, 63), S(26, 64), S(27, 65), H(89),
             R(28, 52), H(84)},
            kNoPadding)},
    {12, kBoth, 55,
     Expand({R(0, 21), S(22, 61), P(23), S(24, 62), S(25, 63), S(26, 64), P(27), S(28, 65), H(90),
             R(29, 49), C(50, 51), P(52), H(73), H(84)},
            kNoPadding)},
    {13, kDiasporaOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), S(24, 63), S(25, 64), P(26), S(27, 65), H(90),
             R(28, 33), H(96), R(34, 37), C(38, 39), P(40), C(41, 42), R(43, 49), C(50, 51), H(70),
             P(52), H(74), H(172)},
            kZeroEntry)},
    {13, kIsraelOnly, 55,
     Expand({R(0, 20), S(21, 61), P(22), S(23, 62), S(24, 63), S(25, 64), P(26), S(27, 65), H(90),
             R(28, 40), C(41, 42), R(43, 49), C(50, 51), H(70), P(52), H(74), H(172)},
            kZeroEntry)},
};

// Every list expands to the number of Shabbatot the table gives its type.
constexpr bool ListedCountsMatch() {
  for (const ScheduleRow& row : kSchedules)
    if (row.schedule.listed != row.entries) return false;
  return true;
}
static_assert(ListedCountsMatch(), "a schedule does not expand to its number of Shabbatot");

}  // namespace

const ReadingSchedule* ScheduleOfYearType(int type, int diaspora) {
  const Custom wanted = diaspora ? kDiasporaOnly : kIsraelOnly;
  for (const ScheduleRow& row : kSchedules)
    if (row.type == type && (row.custom == kBoth || row.custom == wanted)) return &row.schedule;
  return nullptr;
}
