// SPDX-License-Identifier: GPL-3.0-or-later
// Reference tables for the moon's tests, made once from an independent precise
// ephemeris (the npm package astronomy-engine 2.1.19) with the almanac's own
// definitions; the tests read the tables and need neither node nor the network.
//
// Made with:
//   mkdir -p /tmp/ephem && cd /tmp/ephem && npm install astronomy-engine@2.1.19
//   NODE_PATH=/tmp/ephem/node_modules node tests/astro/data/make_reference.mjs
// run from the top of the repository; it rewrites the .csv files beside it.
import { createRequire } from 'node:module';
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const require = createRequire(join(process.env.NODE_PATH || '/tmp/ephem/node_modules', 'x.js'));
const A = require('astronomy-engine');
const here = dirname(fileURLToPath(import.meta.url));
const J2000 = 2451545.0;
const jdOf = (time) => time.ut + J2000;
const timeOf = (jd) => A.MakeTime(jd - J2000);
const day = (y, m, d) => Date.UTC(y, m - 1, d) / 86400000 + 2440587.5;  // proleptic Gregorian, 0 h UT
const from = day(1900, 1, 1), to = day(2101, 1, 1);
const header = (what) => `# ${what}\n# Made by make_reference.mjs (astronomy-engine 2.1.19); times are Julian Days of UT.\n`;

// ---- Phases: apparent geocentric elongation, both bodies on the true ecliptic of
// date, the Sun with aberration; 0, 90, 180, 270 degrees.
function elongation(t) {
  const moon = A.Ecliptic(A.GeoMoon(t)).elon;
  const sun = A.Ecliptic(A.GeoVector(A.Body.Sun, t, true)).elon;
  return ((moon - sun) % 360 + 360) % 360;
}
let phases = header('Principal phases 1900-2100: kind (0 new, 1 first quarter, 2 full, 3 last quarter), instant');
for (let q = A.SearchMoonQuarter(timeOf(from - 3)); jdOf(q.time) < to + 3; q = A.NextMoonQuarter(q)) {
  const target = 90 * q.quarter;
  const offset = (t) => ((elongation(t) - target + 540) % 360) - 180;
  const t = A.Search(offset, q.time.AddDays(-0.1), q.time.AddDays(0.1), { dt_tolerance_seconds: 0.01 });
  const jd = jdOf(t);
  if (jd >= from && jd < to) phases += `${q.quarter},${jd.toFixed(6)}\n`;
}
writeFileSync(join(here, 'moon_phases_1900_2100.csv'), phases);

// ---- Places: the almanac's city table, and a few places further north.
const table = readFileSync(join(here, '../../../app/city_table.cpp'), 'utf8');
const places = [...table.matchAll(/\{"([^"]+)", "(\d{12})"\}/g)].map(([, name, code]) => ({
  name, lon: +code.slice(0, 2) + code.slice(2, 4) / 60, lat: +code.slice(4, 6) + code.slice(6, 8) / 60,
}));
if (places.length !== 108) throw new Error(`expected 108 places, found ${places.length}`);
places.push({ name: 'OSLO', lon: 10.75, lat: 59.91 }, { name: 'HELSINKI', lon: 24.94, lat: 60.17 },
            { name: 'OULU', lon: 25.47, lat: 65.01 });
// ---- Moonrise and moonset: upper limb, 34' refraction, topocentric, sea level,
// the civil day of UTC+1 (23:00 UT of the day before to 23:00 UT of the day).
let seed = 20260301;
const random = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
let riseSet = header('Moonrise and moonset: place, year, month, day, rise, set (- when none that civil day of UTC+1)');
places.forEach((p, i) => {
  const observer = new A.Observer(p.lat, p.lon, 0);
  for (let run = 0; run < 12; ++run) {
    const first = Math.floor(from + random() * (to - from - 3)) + 0.5;  // 0 h UT
    for (let d = first; d < first + 3; ++d) {
      const start = timeOf(d - 1 / 24);
      const rise = A.SearchRiseSet(A.Body.Moon, observer, +1, start, 1);
      const set = A.SearchRiseSet(A.Body.Moon, observer, -1, start, 1);
      const date = new Date((d - 2440587.5) * 86400000);
      const text = (t) => (t && jdOf(t) < d - 1 / 24 + 1 ? jdOf(t).toFixed(6) : '-');
      riseSet += `${i},${date.getUTCFullYear()},${date.getUTCMonth() + 1},${date.getUTCDate()},${text(rise)},${text(set)}\n`;
    }
  }
});
// Within the Arctic circle a civil day may hold two rises or two sets, or none of
// either for days on end: the days of two years near the greatest swing of the
// Moon's declination that hold two of a kind, and the day after each.
const north = places.length;
places.push({ name: 'TROMSO', lon: 18.96, lat: 69.65 });
const observer = new A.Observer(69.65, 18.96, 0);
for (let d = day(2005, 1, 1); d < day(2007, 1, 1); ++d) {
  const start = timeOf(d - 1 / 24), end = d - 1 / 24 + 1;
  const twice = (direction) => {
    const first = A.SearchRiseSet(A.Body.Moon, observer, direction, start, 1);
    if (!first || jdOf(first) >= end) return false;
    const second = A.SearchRiseSet(A.Body.Moon, observer, direction, first.AddDays(1 / 1440), end - jdOf(first) - 1 / 1440);
    return second !== null && jdOf(second) < end;
  };
  if (!twice(+1) && !twice(-1)) continue;
  for (const e of [d, d + 1]) {
    const s = timeOf(e - 1 / 24);
    const rise = A.SearchRiseSet(A.Body.Moon, observer, +1, s, 1);
    const set = A.SearchRiseSet(A.Body.Moon, observer, -1, s, 1);
    const date = new Date((e - 2440587.5) * 86400000);
    const text = (t) => (t && jdOf(t) < e - 1 / 24 + 1 ? jdOf(t).toFixed(6) : '-');
    riseSet += `${north},${date.getUTCFullYear()},${date.getUTCMonth() + 1},${date.getUTCDate()},${text(rise)},${text(set)}\n`;
  }
}
writeFileSync(join(here, 'moon_rise_set.csv'), riseSet);
writeFileSync(join(here, 'moon_places.csv'), header('Places: index, longitude east, latitude north (degrees); 0-107 are the city table in its order') +
  places.map((p, i) => `${i},${p.lon.toFixed(6)},${p.lat.toFixed(6)}`).join('\n') + '\n');

// ---- Extremes of the apparent geocentric declination (true equator of date).
function declination(jd) {
  const t = timeOf(jd);
  return A.EquatorFromVector(A.RotateVector(A.Rotation_EQJ_EQD(t), A.GeoMoon(t))).dec;
}
const slope = (jd) => declination(jd + 0.005) - declination(jd - 0.005);
let extremes = header('Extremes of the declination 1900-2100: N (northern) or S (southern), instant');
for (let a = from, ga = slope(a); a < to; ) {
  const b = a + 0.5, gb = slope(b);
  if ((ga > 0) !== (gb > 0)) {
    let lo = a, hi = b;  // bisection to a second
    while (hi - lo > 1 / 86400) {
      const mid = (lo + hi) / 2;
      if ((slope(mid) > 0) === (ga > 0)) lo = mid; else hi = mid;
    }
    const jd = (lo + hi) / 2;
    if (jd >= from && jd < to) extremes += `${ga > 0 ? 'N' : 'S'},${jd.toFixed(4)}\n`;
  }
  a = b; ga = gb;
}
writeFileSync(join(here, 'moon_lunistices_1900_2100.csv'), extremes);

// ---- Perigee and apogee: the extremes of the geocentric distance.
let apsides = header('Perigee (P) and apogee (A) 1900-2100: kind, instant');
for (let a = A.SearchLunarApsis(timeOf(from - 20)); jdOf(a.time) < to; a = A.NextLunarApsis(a)) {
  if (jdOf(a.time) >= from) apsides += `${a.kind === A.ApsisKind.Pericenter ? 'P' : 'A'},${jdOf(a.time).toFixed(4)}\n`;
}
writeFileSync(join(here, 'moon_apsides_1900_2100.csv'), apsides);
