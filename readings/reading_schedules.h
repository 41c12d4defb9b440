// The Shabbat schedules of the weekly readings: one list per year type and
// custom, one entry per Shabbat from the first Shabbat on or after 23 Tishri.
// Internal to the reading schedule (readings.cpp and its tests).
#pragma once

// One Shabbat: A the main reading, B a second one (the other half of a
// combined portion, or a special Shabbat), C a third (a special Shabbat).
// A field that is not used holds kNoReadingKey (1000).
struct ScheduleEntry {
  short a;
  short b;
  short c;
};

// The longest list has 55 Shabbatot, and some lists store one more entry.
constexpr int kScheduleCapacity = 56;

// A list as stored: `stored` entries, of which the first `listed` are the
// Shabbatot of the cycle; the rest is padding that no Shabbat reaches.
struct ReadingSchedule {
  ScheduleEntry entry[kScheduleCapacity];
  int listed;
  int stored;
};

// The list of year type 0-13 for the custom (`diaspora` nonzero = Diaspora;
// types with one list serve both). nullptr for any other type.
const ReadingSchedule* ScheduleOfYearType(int type, int diaspora);
