// The main window's record: the selected day, the custom (Israel or
// Diaspora), the current city and its location, and the Shabbat settings.
// The window owns it; the export, the composer, the zmanim and the Shabbat
// times read it, the commands change it.
#pragma once
#include "calendar/caldate.h"

struct CalWindowState {
  int leftToRight;          // [Flags] LeftToRight at creation, default 1
  CalDate selectedDay;      // Gregorian; today at creation
  int diaspora;             // [Parasha] DiasporaFlag of exportcalshab.ini, default 1
  char cityName[256];       // [Location] CityName, default "New York, NY"
  int locationKnown;        // LookupCity found the city; else no sun-based times
  int latitude;             // packed degrees-minutes, negative = South
  int longitude;            // packed degrees-minutes, negative = West
  int timeZone;             // whole hours east of GMT
  int elevation;            // meters; 0 = not known
  int candleLightingMinutes;  // [ShabbatTimes] CandleLighting, default 18
  int havdalahMinutes;        // [ShabbatTimes] Havdalah, default 45
  int havdalahByMinutes;      // [ShabbatTimes] HavdalahMin, default 1 (0 = by degrees)
  double havdalahDegrees;     // [ShabbatTimes] HavdalahDegrees, default 8.0
};
