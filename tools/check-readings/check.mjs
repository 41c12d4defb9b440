// Development-time cross-check of resources/readings.def against the verse
// data of the npm package @hebcal/leyning, installed outside the tree.
// Compares each weekly portion's full range, the span each holiday
// reading's aliyot cover and each Haphtarah (Ashkenazi, and Sephardi where
// the entry gives one), and prints every mismatch. An entry whose line
// carries a trailing comment is a known, deliberate difference: it is
// listed as "noted" and does not count as a failure.
//
// Usage: node tools/check-readings/check.mjs [folder holding node_modules]
// (default $LEYNING_DIR, else /tmp/leyning-check). See README.md.

import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const defFile = path.join(here, '..', '..', 'resources', 'readings.def');
const moduleDir = process.argv[2] || process.env.LEYNING_DIR || '/tmp/leyning-check';
const requireThere = createRequire(path.join(path.resolve(moduleDir), 'package.json'));
let L;
try {
  L = await import(pathToFileURL(requireThere.resolve('@hebcal/leyning')).href);
} catch (e) {
  console.error(`@hebcal/leyning not found under ${moduleDir}: ${e.message}`);
  console.error(`install it: mkdir -p ${moduleDir} && cd ${moduleDir} && npm install @hebcal/leyning`);
  process.exit(2);
}
const { getLeyningForParsha, getLeyningForHolidayKey, NUM_VERSES } = L;

// ---- the table ------------------------------------------------------------

const entries = new Map();  // id -> {text, note}
for (const line of readFileSync(defFile, 'latin1').split(/\r?\n/)) {
  const m = line.match(/^STRING_ENTRY\((\d+), "((?:[^"\\]|\\.)*)"\)\s*(?:\/\/\s*(.*))?$/);
  if (m) entries.set(Number(m[1]), { text: m[2], note: m[3] || '' });
}

// Our book names where they differ from the package's.
const bookAlias = { Nahum: 'Nachum' };
const books = Object.keys(NUM_VERSES).sort((a, b) => b.length - a.length);
const bookPattern = ['Nahum', ...books].join('|');
const passageRe = new RegExp(`(${bookPattern}) (\\d+), (\\d+)(?:-(?:(\\d+), )?(\\d+|end))?`, 'g');

function lastVerse(book) {
  const v = NUM_VERSES[book];
  return [v.length - 1, v[v.length - 1]];
}

// Passages of one text part: [{book, b: [c, v], e: [c, v]}].
function parsePassages(text) {
  const out = [];
  for (const m of text.matchAll(passageRe)) {
    const book = bookAlias[m[1]] || m[1];
    const b = [Number(m[2]), Number(m[3])];
    let e = b;
    if (m[5] === 'end') e = lastVerse(book);
    else if (m[5] !== undefined) e = [m[4] !== undefined ? Number(m[4]) : b[0], Number(m[5])];
    out.push({ book, b, e });
  }
  return out;
}

// Splits "Morning: ...; Afternoon: ..." into its parts; a text without them
// is one part.
function parts(text) {
  const mi = text.indexOf('Morning: '), ai = text.indexOf('Afternoon: ');
  if (mi < 0 && ai < 0) return { all: text };
  return {
    morning: mi < 0 ? '' : text.slice(mi + 'Morning: '.length, ai < 0 ? undefined : ai),
    afternoon: ai < 0 ? '' : text.slice(ai + 'Afternoon: '.length),
  };
}

// A Haphtarah text: Ashkenazi and Sephardi (the part in parentheses, else
// the same).
function haphtarahParts(text) {
  const m = text.match(/^(.*) \((.*)\)$/);
  return m ? { ashkenazi: m[1], sephardi: m[2] } : { ashkenazi: text, sephardi: text };
}

// ---- verse arithmetic ------------------------------------------------------

function ordinal(book, [c, v]) {
  const counts = NUM_VERSES[book];
  let n = 0;
  for (let i = 1; i < c; i++) n += counts[i];
  return n + v;
}

function fromSource(a) {
  const split = (s) => s.split(':').map(Number);
  return { book: a.k, b: split(a.b), e: split(a.e) };
}

// Union of the passages in order of first appearance: overlapping or
// adjacent passages of one book merge into one span.
function spans(passages) {
  const out = [];
  for (const p of passages) {
    const lo = ordinal(p.book, p.b), hi = ordinal(p.book, p.e);
    const s = out.find((q) => q.book === p.book && lo <= q.hi + 1 && hi + 1 >= q.lo);
    if (s) {
      if (lo < s.lo) { s.lo = lo; s.b = p.b; }
      if (hi > s.hi) { s.hi = hi; s.e = p.e; }
    } else {
      out.push({ book: p.book, lo, hi, b: p.b, e: p.e });
    }
  }
  return out;
}

const show = (list) => list.map((s) => `${s.book} ${s.b.join(':')}-${s.e.join(':')}`).join('; ') || '(nothing)';
const same = (x, y) => show(x) === show(y);

// ---- the package's data ----------------------------------------------------

function aliyot(leyning, pick) {
  const out = [];
  for (const [name, a] of Object.entries(leyning.fullkriyah || {})) {
    if (!pick || pick.includes(name)) out.push(fromSource(a));
  }
  return out;
}

function holiday(key, { day, il = false, pick } = {}) {
  const l = getLeyningForHolidayKey(key, day, il);
  if (!l) throw new Error(`no holiday reading "${key}"`);
  return aliyot(l, pick);
}

function haftarah(leyning, sephardi) {
  const h = sephardi && leyning.seph ? leyning.seph : leyning.haft;
  return (Array.isArray(h) ? h : h ? [h] : []).map(fromSource);
}

const parshaNames = [
  'Bereshit', 'Noach', 'Lech-Lecha', 'Vayera', 'Chayei Sara', 'Toldot', 'Vayetzei',
  'Vayishlach', 'Vayeshev', 'Miketz', 'Vayigash', 'Vayechi', 'Shemot', 'Vaera', 'Bo',
  'Beshalach', 'Yitro', 'Mishpatim', 'Terumah', 'Tetzaveh', 'Ki Tisa', 'Vayakhel',
  'Pekudei', 'Vayikra', 'Tzav', 'Shmini', 'Tazria', 'Metzora', 'Achrei Mot', 'Kedoshim',
  'Emor', 'Behar', 'Bechukotai', 'Bamidbar', 'Nasso', "Beha'alotcha", "Sh'lach", 'Korach',
  'Chukat', 'Balak', 'Pinchas', 'Matot', 'Masei', 'Devarim', 'Vaetchanan', 'Eikev',
  "Re'eh", 'Shoftim', 'Ki Teitzei', 'Ki Tavo', 'Nitzavim', 'Vayeilech', "Ha'azinu",
];

const fastMorning = () => holiday('Fast Day (Morning)');
const fastAfternoon = () => holiday('Fast Day (Afternoon)');
const shabbatCholHamoed = (key, day, il) => holiday(key, { day, il, pick: ['1', '2', '3', '4', '5', '6', '7', 'M'] });

// Readings of keys 53-120 and the Israel variants: id -> parts -> passages.
const readingSources = {
  309: () => ({ all: holiday('Simchat Torah', { pick: ['1', '2', '3', '4', '5', '6'] }) }),
  310: () => ({ all: holiday('Simchat Torah', { pick: ['7'] }) }),
  311: () => ({ all: holiday('Simchat Torah', { pick: ['M'] }) }),
  316: () => ({ all: holiday('Shabbat Rosh Chodesh', { pick: ['M'] }) }),
  317: () => ({ all: holiday('Shabbat Shekalim', { pick: ['M'] }) }),
  318: () => ({ all: holiday('Shabbat Zachor', { pick: ['M'] }) }),
  319: () => ({ all: holiday('Shabbat Parah', { pick: ['M'] }) }),
  320: () => ({ all: holiday('Shabbat HaChodesh', { pick: ['M'] }) }),
  326: () => ({ all: holiday('Rosh Hashana I') }),
  327: () => ({ all: holiday('Rosh Hashana II') }),
  328: () => ({ morning: fastMorning(), afternoon: fastAfternoon() }),
  329: () => ({ morning: holiday('Yom Kippur'), afternoon: holiday('Yom Kippur (Mincha, Traditional)') }),
  330: () => ({ all: holiday('Sukkot I') }),
  331: () => ({ all: holiday('Sukkot II') }),
  332: () => ({ all: holiday('Sukkot Chol ha-Moed Day 1', { day: 1 }) }),
  333: () => ({ all: shabbatCholHamoed('Sukkot Shabbat Chol ha-Moed', 1) }),
  334: () => ({ all: holiday('Sukkot Chol ha-Moed Day 2', { day: 2 }) }),
  335: () => ({ all: holiday('Sukkot Chol ha-Moed Day 3', { day: 3 }) }),
  336: () => ({ all: shabbatCholHamoed('Sukkot Shabbat Chol ha-Moed', 3) }),
  337: () => ({ all: holiday('Sukkot Chol ha-Moed Day 4', { day: 4 }) }),
  338: () => ({ all: shabbatCholHamoed('Sukkot Shabbat Chol ha-Moed', 4) }),
  339: () => ({ all: holiday('Sukkot Final Day (Hoshana Raba)') }),
  340: () => ({ all: holiday('Sukkot Shabbat Chol ha-Moed', { day: 1, pick: ['1', '2', '3', '4', '5', '6', '7'] }) }),
  341: () => ({ all: holiday('Shmini Atzeret') }),
  342: () => ({ morning: fastMorning(), afternoon: fastAfternoon() }),
  343: () => ({ all: holiday('Purim') }),
  344: () => ({ morning: fastMorning(), afternoon: fastAfternoon() }),
  345: () => ({ all: holiday('Pesach I') }),
  346: () => ({ all: holiday('Pesach Shabbat Chol ha-Moed') }),
  347: () => ({ all: holiday('Pesach VII') }),
  348: () => ({ all: holiday('Pesach VIII (on Shabbat)') }),
  349: () => ({ all: holiday('Pesach VIII') }),
  350: () => ({ all: holiday('Shavuot I') }),
  351: () => ({ all: holiday('Shavuot II') }),
  352: () => ({ all: holiday('Shavuot II (on Shabbat)') }),
  353: () => ({ all: holiday("Yom HaAtzma'ut") }),
  354: () => ({ morning: fastMorning(), afternoon: fastAfternoon() }),
  355: () => ({ morning: holiday("Tish'a B'Av"), afternoon: holiday("Tish'a B'Av (Mincha)") }),
  356: () => ({ all: holiday('Chanukah Day 1') }),
  357: () => ({ all: holiday('Chanukah Day 2') }),
  358: () => ({ all: holiday('Chanukah Day 3') }),
  359: () => ({ all: holiday('Chanukah Day 4') }),
  360: () => ({ all: holiday('Chanukah Day 5') }),
  // Key 105 is read only on Shabbat: the sixth day on a weekday is always
  // Rosh Hodesh (key 106).
  361: () => ({ all: holiday('Shabbat Rosh Chodesh Chanukah', { pick: ['M'] }) }),
  362: () => ({ all: holiday('Chanukah Day 6') }),
  363: () => ({ all: holiday('Chanukah Day 7') }),
  364: () => ({ all: holiday('Chanukah Day 7 (on Rosh Chodesh)') }),
  365: () => ({ all: holiday('Chanukah Day 8') }),
  366: () => ({ all: holiday('Chanukah Day 8 (on Shabbat)', { pick: ['M'] }) }),
  367: () => ({ all: holiday('Rosh Chodesh') }),
  368: () => ({ all: holiday('Pesach II') }),
  369: () => ({ all: holiday('Pesach Chol ha-Moed Day 1') }),
  371: () => ({ all: holiday('Pesach Chol ha-Moed Day 2') }),
  372: () => ({ all: holiday('Pesach Chol ha-Moed Day 2 on Sunday') }),
  374: () => ({ all: holiday('Pesach Chol ha-Moed Day 3') }),
  375: () => ({ all: holiday('Pesach Chol ha-Moed Day 3 on Monday') }),
  376: () => ({ all: holiday('Pesach Chol ha-Moed Day 4') }),
  // Israel.
  1098: () => ({ all: holiday('Sukkot I', { il: true }) }),
  1099: () => ({ all: holiday('Sukkot Chol ha-Moed Day 1', { day: 1, il: true }) }),
  1100: () => ({ all: holiday('Sukkot Chol ha-Moed Day 2', { day: 2, il: true }) }),
  1101: () => ({ all: shabbatCholHamoed('Sukkot Shabbat Chol ha-Moed', 2, true) }),
  1102: () => ({ all: holiday('Sukkot Chol ha-Moed Day 3', { day: 3, il: true }) }),
  1103: () => ({ all: holiday('Sukkot Chol ha-Moed Day 4', { day: 4, il: true }) }),
  1104: () => ({ all: shabbatCholHamoed('Sukkot Shabbat Chol ha-Moed', 4, true) }),
  1105: () => ({ all: holiday('Sukkot Chol ha-Moed Day 5', { day: 5, il: true }) }),
  1106: () => ({ all: shabbatCholHamoed('Sukkot Shabbat Chol ha-Moed', 5, true) }),
  1107: () => ({ all: holiday('Sukkot Final Day (Hoshana Raba)', { il: true }) }),
  1108: () => ({ all: holiday('Sukkot Shabbat Chol ha-Moed', { day: 1, il: true, pick: ['1', '2', '3', '4', '5', '6', '7'] }) }),
  1113: () => ({ all: holiday('Pesach I', { il: true }) }),
  1114: () => ({ all: holiday('Pesach Shabbat Chol ha-Moed', { il: true }) }),
  1115: () => ({ all: holiday('Pesach VII', { il: true }) }),
  1118: () => ({ all: holiday('Shavuot', { il: true }) }),
  1136: () => ({ all: holiday("Pesach II (CH''M)", { il: true }) }),
  1137: () => ({ all: holiday("Pesach III (CH''M)", { il: true }) }),
  1139: () => ({ all: holiday("Pesach IV (CH''M)", { il: true }) }),
  1140: () => ({ all: holiday('Pesach Chol ha-Moed Day 2 on Sunday', { il: true }) }),
  1142: () => ({ all: holiday("Pesach V (CH''M)", { il: true }) }),
  1143: () => ({ all: holiday('Pesach Chol ha-Moed Day 3 on Monday', { il: true }) }),
  1144: () => ({ all: holiday("Pesach VI (CH''M)", { il: true }) }),
  1194: () => ({ all: holiday('Simchat Torah', { il: true, pick: ['1', '2', '3', '4', '5', '6'] }) }),
  1195: () => ({ all: holiday('Simchat Torah', { il: true, pick: ['7', 'M'] }) }),
};

const H = (key, opts = {}) => () => {
  const l = getLeyningForHolidayKey(key, opts.day, opts.il || false);
  if (!l) throw new Error(`no holiday reading "${key}"`);
  return l;
};
const P = (name) => () => getLeyningForParsha(name);
const afternoonOnly = () => ({ afternoon: H('Fast Day (Afternoon)')() });

// Haphtarot: id -> the package's record (haft, seph), or parts of one.
const haphtarahSources = {
  565: H('Simchat Torah'),
  573: H('Shabbat Shekalim'), 574: H('Shabbat Zachor'), 575: H('Shabbat Parah'),
  576: H('Shabbat HaChodesh'), 577: H('Shabbat HaGadol'), 578: H('Shabbat Shuva'),
  582: H('Rosh Hashana I'), 583: H('Rosh Hashana II'), 584: afternoonOnly,
  585: () => ({ morning: H('Yom Kippur')(), afternoon: H('Yom Kippur (Mincha, Traditional)')() }),
  586: H('Sukkot I'), 587: H('Sukkot II'),
  589: H('Sukkot Shabbat Chol ha-Moed', { day: 1 }), 592: H('Sukkot Shabbat Chol ha-Moed', { day: 3 }),
  594: H('Sukkot Shabbat Chol ha-Moed', { day: 4 }),
  598: afternoonOnly, 600: afternoonOnly,
  601: H('Pesach I'), 602: H('Pesach Shabbat Chol ha-Moed'), 603: H('Pesach VII'),
  604: H('Pesach VIII (on Shabbat)'), 605: H('Pesach VIII'), 606: H('Shavuot I'),
  607: H('Shavuot II'), 608: H('Shavuot II (on Shabbat)'), 609: H("Yom HaAtzma'ut"),
  610: afternoonOnly,
  611: () => ({ morning: H("Tish'a B'Av")(), afternoon: H("Tish'a B'Av (Mincha)")() }),
  612: H('Chanukah Day 1 (on Shabbat)'), 613: H('Chanukah Day 2 (on Shabbat)'),
  614: H('Chanukah Day 3 (on Shabbat)'), 615: H('Chanukah Day 4 (on Shabbat)'),
  616: H('Chanukah Day 5 (on Shabbat)'), 617: H('Shabbat Rosh Chodesh Chanukah'),
  618: H('Shabbat Rosh Chodesh Chanukah'), 619: H('Chanukah Day 7 (on Shabbat)'),
  620: H('Chanukah Day 7 (on Shabbat)'), 622: H('Chanukah Day 8 (on Shabbat)'),
  624: H('Pesach II'),
  662: H('Shabbat Rosh Chodesh'), 663: H('Shabbat Machar Chodesh'),
  // The two verses the Sephardi text of Masei on Rosh Hodesh adds.
  664: () => {
    const seph = H('Masei on Shabbat Rosh Chodesh')().seph.filter((a) => a.k === 'Isaiah');
    return { haft: seph, seph };
  },
  666: H('Chanukah Day 1 (on Shabbat)'), 667: H('Chanukah Day 8 (on Shabbat)'),
  668: P('Achrei Mot'), 669: H('Kedoshim following Special Shabbat'), 670: P('Kedoshim'),
  671: P('Pinchas'), 673: H('Pinchas occurring after 17 Tammuz'), 674: P('Masei'),
  675: H('Shabbat Shuva'), 684: H('Shmini Atzeret'),
  2122: H('Sukkot I', { il: true }), 2125: H('Sukkot Shabbat Chol ha-Moed', { day: 2, il: true }),
  2128: H('Sukkot Shabbat Chol ha-Moed', { day: 4, il: true }),
  2130: H('Sukkot Shabbat Chol ha-Moed', { day: 5, il: true }),
  2137: H('Pesach I', { il: true }), 2138: H('Pesach Shabbat Chol ha-Moed', { il: true }),
  2139: H('Pesach VII', { il: true }), 2220: H('Simchat Torah', { il: true }),
};
for (let k = 0; k <= 52; k++) haphtarahSources[512 + k] = P(parshaNames[k]);

// ---- comparing -------------------------------------------------------------

let passed = 0, failed = 0, noted = 0;
const report = [];

function compare(id, what, ours, theirs) {
  const entry = entries.get(id);
  const ok = same(spans(ours), spans(theirs));
  if (ok) { passed++; return; }
  const line = `${id} ${what}: ours ${show(spans(ours))} | package ${show(spans(theirs))}`;
  if (entry.note) { noted++; report.push(`noted    ${line}\n         (${entry.note})`); }
  else { failed++; report.push(`MISMATCH ${line}`); }
}

function checkReading(id, sourceParts) {
  const entry = entries.get(id);
  if (!entry) { failed++; report.push(`MISSING  ${id}`); return; }
  const ourParts = parts(entry.text);
  for (const [name, theirs] of Object.entries(sourceParts)) {
    compare(id, `reading${name === 'all' ? '' : ' ' + name}`, parsePassages(ourParts[name] || ''), theirs);
  }
}

for (let k = 0; k <= 52; k++) {
  const l = getLeyningForParsha(parshaNames[k]);
  checkReading(256 + k, { all: aliyot(l, ['1', '2', '3', '4', '5', '6', '7']) });
}
for (const [id, source] of Object.entries(readingSources)) checkReading(Number(id), source());

for (const [idText, source] of Object.entries(haphtarahSources)) {
  const id = Number(idText);
  const entry = entries.get(id);
  if (!entry) { failed++; report.push(`MISSING  ${id}`); continue; }
  const customs = haphtarahParts(entry.text);
  const record = source();
  for (const [custom, sephardi] of [['ashkenazi', false], ['sephardi', true]]) {
    const ours = parts(customs[custom]);
    if (record.morning || record.afternoon) {
      for (const part of ['morning', 'afternoon']) {
        if (record[part]) compare(id, `haphtarah ${custom} ${part}`, parsePassages(ours[part] || ''), haftarah(record[part], sephardi));
      }
    } else {
      compare(id, `haphtarah ${custom}`, parsePassages(ours.all || ''), haftarah(record, sephardi));
    }
  }
}

// Entries the package has no data for are listed, so that none is missed
// silently.
const checked = new Set([
  ...Array.from({ length: 53 }, (_, k) => 256 + k),
  ...Object.keys(readingSources).map(Number),
  ...Object.keys(haphtarahSources).map(Number),
]);
const unchecked = [...entries.keys()].filter(
  (id) => id >= 256 && !checked.has(id) && entries.get(id).text.toLowerCase() !== '(none)' &&
    parsePassages(entries.get(id).text).length > 0);

for (const line of report) console.log(line);
if (unchecked.length) console.log(`not in the package's data: ${unchecked.join(' ')}`);
console.log(`${noted} noted`);
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
