// SPDX-License-Identifier: GPL-3.0-or-later
// The sowing calendar's sky, made once from an independent precise ephemeris
// (the npm package astronomy-engine 2.1.19): the zodiacal constellations along
// the ecliptic of J2000 by the IAU boundaries (its Constellation(), after Roman
// 1987), and the Moon's entries into them and into the signs, and its nodes,
// through 1950, 2000, 2027 and 2099. The tests read the table and need neither
// node nor the network; the boundaries it prints are astro/constellations.h's.
//
// Made with:
//   mkdir -p /tmp/ephem && cd /tmp/ephem && npm install astronomy-engine@2.1.19
//   NODE_PATH=/tmp/ephem/node_modules node tests/astro/data/make_tradition.mjs
// run from the top of the repository; it rewrites moon_zodiac_nodes.csv beside it
// and prints the boundaries as the C++ table.
import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const require = createRequire(join(process.env.NODE_PATH || '/tmp/ephem/node_modules', 'x.js'));
const A = require('astronomy-engine');
const here = dirname(fileURLToPath(import.meta.url));
const J2000 = 2451545.0;
const jdOf = (time) => time.ut + J2000;
const timeOf = (jd) => A.MakeTime(jd - J2000);
const day = (y, m, d) => Date.UTC(y, m - 1, d) / 86400000 + 2440587.5;  // proleptic Gregorian, 0 h UT
const wrapped = (angle) => ((angle % 360) + 540) % 360 - 180;

// ---- Where the ecliptic of J2000 passes from one constellation into the next:
// a scan every 0.001 degree, then bisection of each change to 1e-6 degree.
const eclipticToEquator = A.Rotation_ECL_EQJ();
const epoch = A.MakeTime(0);
function constellationAt(longitude) {
  const v = A.RotateVector(eclipticToEquator, A.VectorFromSphere(new A.Spherical(0, longitude, 1), epoch));
  const e = A.EquatorFromVector(v);
  return A.Constellation(e.ra, e.dec).symbol;
}
const zodiac = ['Ari', 'Tau', 'Gem', 'Cnc', 'Leo', 'Vir', 'Lib', 'Sco', 'Sgr', 'Cap', 'Aqr', 'Psc'];
const starts = new Map();  // constellation -> longitude where the ecliptic enters it
for (let i = 0, before = constellationAt(0); i < 360000; ++i) {
  const a = i / 1000, b = (i + 1) / 1000, after = constellationAt(b % 360);
  if (after === before) continue;
  let lo = a, hi = b;
  while (hi - lo > 1e-7) {
    const mid = (lo + hi) / 2;
    if (constellationAt(mid) === before) lo = mid; else hi = mid;
  }
  starts.set(after, ((lo + hi) / 2) % 360);
  before = after;
}
// Ophiuchus's span is counted with Scorpius: Scorpius runs on to Sagittarius.
const crossed = [...starts.keys()].filter((c) => !zodiac.includes(c));
if (crossed.join() !== 'Oph') throw new Error(`unexpected constellations on the ecliptic: ${crossed}`);
const boundaries = zodiac.map((c) => starts.get(c));
for (let i = 1; i < 12; ++i) if (!(boundaries[i] > boundaries[i - 1])) throw new Error('boundaries out of order');
const spanOf = (longitude, begins) => {
  let span = 11;  // before Aries's start the ecliptic is still in Pisces
  begins.forEach((b, i) => { if (longitude >= b) span = i; });
  return span;
};
console.log(boundaries.map((b, i) => `    ${b.toFixed(6)},  // ${zodiac[i]}`).join('\n'));

// ---- The Moon. Constellations: its geocentric longitude on the mean ecliptic
// and equinox of J2000 (GeoMoon, then EQJ -> ECL). Signs and nodes: its
// longitude and latitude on the true ecliptic and equinox of date (EclipticGeoMoon:
// the series' ecliptic of date, nutation added, turned by the true obliquity).
const equatorToEcliptic = A.Rotation_EQJ_ECL();
const longitudeJ2000 = (jd) => A.SphereFromVector(A.RotateVector(equatorToEcliptic, A.GeoMoon(timeOf(jd)))).lon;
const ofDate = (jd) => A.EclipticGeoMoon(timeOf(jd));
const signStarts = zodiac.map((_, i) => 30 * i);

// Every change of f's value between steps of 0.05 day (the Moon moves under a
// degree), bisected to a hundredth of a second; `side` tells on which side of the
// change an instant lies.
function changes(from, to, f, side) {
  const found = [];
  for (let a = from, fa = f(a); a < to; ) {
    const b = a + 0.05, fb = f(b);
    if (fb !== fa) {
      let lo = a, hi = b;
      while (hi - lo > 0.01 / 86400) {
        const mid = (lo + hi) / 2;
        if (side(mid, fa, fb) === fa) lo = mid; else hi = mid;
      }
      const jd = (lo + hi) / 2;
      if (jd >= from && jd < to) found.push([fb, jd]);
    }
    a = b; fa = fb;
  }
  return found;
}
// Which span the longitude has reached; near a boundary, by the side of the boundary
// between the two spans (the longitude itself wraps at 360).
const entered = (longitude, begins) => (jd, before, after) =>
  wrapped(longitude(jd) - begins[after]) >= 0 ? after : before;

let table = '# The Moon through 1950, 2000, 2027 and 2099: kind, which, instant (Julian Day of UT)\n' +
  '# C: enters a constellation, 0 Aries .. 11 Pisces, Ophiuchus counted with Scorpius; they begin on the\n' +
  `#    ecliptic of J2000 at ${boundaries.map((b) => b.toFixed(6)).join(' ')} degrees\n` +
  '# S: enters a sign of 30 degrees from the true equinox of date, 0 Aries .. 11 Pisces\n' +
  '# N: crosses the ecliptic of date, 1 ascending (south to north), 0 descending\n' +
  '# Made by make_tradition.mjs (astronomy-engine 2.1.19).\n';
for (const year of [1950, 2000, 2027, 2099]) {
  const from = day(year, 1, 1), to = day(year + 1, 1, 1);
  const constellation = (jd) => spanOf(longitudeJ2000(jd), boundaries);
  const sign = (jd) => Math.floor(ofDate(jd).lon / 30) % 12;
  const north = (jd) => (ofDate(jd).lat > 0 ? 1 : 0);
  for (const [which, jd] of changes(from, to, constellation, entered(longitudeJ2000, boundaries)))
    table += `C,${which},${jd.toFixed(6)}\n`;
  for (const [which, jd] of changes(from, to, sign, entered((t) => ofDate(t).lon, signStarts)))
    table += `S,${which},${jd.toFixed(6)}\n`;
  for (const [which, jd] of changes(from, to, north, north)) table += `N,${which},${jd.toFixed(6)}\n`;
}
writeFileSync(join(here, 'moon_zodiac_nodes.csv'), table);
