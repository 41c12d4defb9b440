// Control ids of the settings windows (location, daylight saving, Shabbat
// times, zmanim, readings, anniversaries). Plain #defines: the resource
// compiler reads this file too.
#pragma once
