// Development-time cross-check of the Haphtarah of every day that has one
// (every Shabbat and every holiday with a reading) against the reading
// calendar of the npm package @hebcal/leyning, installed outside the tree.
// It reads iCalendar files that tavlon-export wrote with only the readings
// in the notes, one per custom, and compares the Ashkenazi and the Sephardi
// Haphtarah of each day (the morning and the afternoon ones apart).
//
// Usage: node tools/check-readings/check-dates.mjs DIASPORA.ics ISRAEL.ics
//        [folder holding node_modules] (default $LEYNING_DIR, else
//        /tmp/leyning-check). See README.md for making the two files.

import { readFileSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [diasporaFile, israelFile, dirArg] = process.argv.slice(2);
if (!diasporaFile || !israelFile) {
  console.error('usage: check-dates.mjs DIASPORA.ics ISRAEL.ics [module folder]');
  process.exit(2);
}
const moduleDir = dirArg || process.env.LEYNING_DIR || '/tmp/leyning-check';
// An ES module package: the "import" entry of its exports, else its main.
async function load(name) {
  const dir = path.join(path.resolve(moduleDir), 'node_modules', name);
  const pkg = JSON.parse(readFileSync(path.join(dir, 'package.json'), 'utf8'));
  const entry = pkg.exports?.['.']?.import || pkg.module || pkg.main || 'index.js';
  return import(pathToFileURL(path.join(dir, typeof entry === 'string' ? entry : entry.default)).href);
}
let L, C;
try {
  L = await load('@hebcal/leyning');
  C = await load('@hebcal/core');
} catch (e) {
  console.error(`@hebcal/leyning or @hebcal/core not found under ${moduleDir}: ${e.message}`);
  process.exit(2);
}
const { getLeyningOnDate, NUM_VERSES } = L;
const { HDate } = C;

// ---- our side: the Haphtarah lines of each day -----------------------------

const bookAlias = { Nahum: 'Nachum' };
const books = Object.keys(NUM_VERSES).sort((a, b) => b.length - a.length);
const bookPattern = ['Nahum', ...books].join('|');
const passageRe = new RegExp(`(${bookPattern}) (\\d+), (\\d+)(?:-(?:(\\d+), )?(\\d+))?`, 'g');
const startsWithBook = new RegExp(`^(?:Morning: |Afternoon: )?(?:${bookPattern}) \\d`);

// The events of a file: date "YYYY-MM-DD" -> the notes' lines.
function events(file) {
  const text = readFileSync(file, 'utf8').replace(/\r\n[ \t]/g, '');
  const out = new Map();
  for (const block of text.split('BEGIN:VEVENT').slice(1)) {
    const date = block.match(/DTSTART;VALUE=DATE:(\d{4})(\d\d)(\d\d)/);
    const notes = block.match(/\r\nDESCRIPTION:(.*)\r\n/);
    if (!date || !notes) continue;
    const lines = notes[1].replace(/\\n/g, '\n').replace(/\\([,;\\])/g, '$1').split('\n');
    out.set(`${date[1]}-${date[2]}-${date[3]}`, lines);
  }
  return out;
}

// The Haphtarah lines after "Parashiot:": those that begin with a book of
// the Prophets (a reading line begins with its name, or, as the further
// readings of Simchat Torah, with a book of the Torah).
const torah = /^(?:Morning: |Afternoon: )?(?:Genesis|Exodus|Leviticus|Numbers|Deuteronomy) /;
function haphtarahLines(lines) {
  const at = lines.indexOf('Parashiot:');
  if (at < 0) return [];
  const out = [];
  for (let i = at + 1; i < lines.length && lines[i] !== ''; i++)
    if (startsWithBook.test(lines[i]) && !torah.test(lines[i])) out.push(lines[i]);
  return out;
}

function parsePassages(text) {
  const out = [];
  for (const m of text.matchAll(passageRe)) {
    const book = bookAlias[m[1]] || m[1];
    const b = [Number(m[2]), Number(m[3])];
    const e = m[5] === undefined ? b : [m[4] !== undefined ? Number(m[4]) : b[0], Number(m[5])];
    out.push({ book, b, e });
  }
  return out;
}

// One line: Ashkenazi and Sephardi (in parentheses, else the same), each
// split into its morning and afternoon parts.
function lineParts(line) {
  const m = line.match(/^(.*?) \((.*)\)$/);
  const split = (t) => {
    const ai = t.indexOf('Afternoon: ');
    const morning = t.startsWith('Morning: ') ? t.slice(9, ai < 0 ? undefined : ai) : ai === 0 ? '' : t;
    return { morning, afternoon: ai < 0 ? '' : t.slice(ai + 11) };
  };
  return { ashkenazi: split(m ? m[1] : line), sephardi: split(m ? m[2] : line) };
}

// ---- verse arithmetic -------------------------------------------------------

function ordinal(book, [c, v]) {
  const counts = NUM_VERSES[book];
  let n = 0;
  for (let i = 1; i < c; i++) n += counts[i];
  return n + v;
}

// Passages as sorted, merged spans, shown as text for comparison.
function show(passages) {
  const spans = passages
    .map((p) => ({ book: p.book, lo: ordinal(p.book, p.b), hi: ordinal(p.book, p.e), b: p.b, e: p.e }))
    .sort((x, y) => (x.book < y.book ? -1 : x.book > y.book ? 1 : x.lo - y.lo));
  const out = [];
  for (const s of spans) {
    const last = out[out.length - 1];
    if (last && last.book === s.book && s.lo <= last.hi + 1) {
      if (s.hi > last.hi) { last.hi = s.hi; last.e = s.e; }
    } else out.push({ ...s });
  }
  return out.map((s) => `${s.book} ${s.b.join(':')}-${s.e.join(':')}`).join('; ') || '(none)';
}

// ---- the package's side ------------------------------------------------------

function theirs(date, il) {
  const [y, m, d] = date.split('-').map(Number);
  const jsDate = new Date(y, m - 1, d);
  let list = [];
  try {
    list = getLeyningOnDate(new HDate(jsDate), il, true) || [];
  } catch (e) {
    return null;
  }
  if (!Array.isArray(list)) list = [list];
  const out = { ashkenazi: { morning: [], afternoon: [] }, sephardi: { morning: [], afternoon: [] } };
  const from = (h) => (Array.isArray(h) ? h : h ? [h] : []).map((a) => ({
    book: a.k, b: a.b.split(':').map(Number), e: a.e.split(':').map(Number) }));
  for (const l of list) {
    const part = /\(Mincha\)/.test(l.name?.en || '') ? 'afternoon' : 'morning';
    out.ashkenazi[part].push(...from(l.haft));
    out.sephardi[part].push(...from(l.seph || l.haft));
  }
  return out;
}

// ---- the comparison ------------------------------------------------------------

let compared = 0, differ = 0;
for (const [file, il] of [[diasporaFile, false], [israelFile, true]]) {
  const custom = il ? 'Israel' : 'Diaspora';
  for (const [date, lines] of events(file)) {
    const ours = { ashkenazi: { morning: [], afternoon: [] }, sephardi: { morning: [], afternoon: [] } };
    for (const line of haphtarahLines(lines)) {
      const p = lineParts(line);
      for (const rite of ['ashkenazi', 'sephardi'])
        for (const part of ['morning', 'afternoon']) ours[rite][part].push(...parsePassages(p[rite][part]));
    }
    const them = theirs(date, il);
    if (!them) continue;
    const weekday = new Date(date + 'T12:00:00Z').getUTCDay();
    const anything = ['ashkenazi', 'sephardi'].some((r) => ours[r].morning.length || ours[r].afternoon.length ||
      them[r].morning.length || them[r].afternoon.length);
    if (!anything) continue;
    // A weekday where the package gives only an afternoon Haphtarah and
    // we give none at all is compared too; a Shabbat always is.
    ++compared;
    for (const rite of ['ashkenazi', 'sephardi']) {
      for (const part of ['morning', 'afternoon']) {
        const a = show(ours[rite][part]), b = show(them[rite][part]);
        if (a !== b) {
          ++differ;
          console.log(`DIFF ${date} ${weekday === 6 ? 'Shabbat' : 'weekday'} ${custom} ${rite} ${part}: ours ${a} | package ${b}`);
        }
      }
    }
  }
}
console.log(`${compared} days compared, ${differ} differences`);
process.exit(differ ? 1 : 0);
