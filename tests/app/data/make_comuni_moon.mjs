// SPDX-License-Identifier: GPL-3.0-or-later
// Moonrise and moonset at comuni far from their province's capital, from an
// independent precise ephemeris (the npm package astronomy-engine 2.1.19) at the
// coordinates of each comune's seat as app/comuni_table.cpp gives them; the test
// reads the table and needs neither node nor the network. Made with:
//   mkdir -p /tmp/ephem && cd /tmp/ephem && npm install astronomy-engine@2.1.19
//   NODE_PATH=/tmp/ephem/node_modules node tests/app/data/make_comuni_moon.mjs
// run from the top of the repository; it rewrites comuni_moon.csv beside it.
import { createRequire } from 'node:module';
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const require = createRequire(join(process.env.NODE_PATH || '/tmp/ephem/node_modules', 'x.js'));
const A = require('astronomy-engine');
const here = dirname(fileURLToPath(import.meta.url));
const J2000 = 2451545.0;
const day = (y, m, d) => Date.UTC(y, m - 1, d) / 86400000 + 2440587.5;  // 0 h UT

// Each comune with the capital of its province, as --city takes them.
const comuni = [
  ['Bardonecchia', 'TO', 'TORINO'], ['Vieste', 'FG', 'FOGGIA'], ['Bormio', 'SO', 'SONDRIO'],
  ['Lampedusa e Linosa', 'AG', 'AGRIGENTO'], ['Castro', 'LE', 'LECCE'], ['Sappada', 'UD', 'UDINE'],
];
const table = readFileSync(join(here, '../../../app/comuni_table.cpp'), 'utf8');
let out = '# Moonrise and moonset: comune, province, capital, year, month, day, rise, set (Julian Days of UT; - when none that civil day of UTC+1)\n';
out += '# Made by make_comuni_moon.mjs (astronomy-engine 2.1.19): upper limb, 34\' refraction, topocentric, sea level.\n';
for (const [name, province, capital] of comuni) {
  const row = table.match(new RegExp(`\\{"${name}", "${province}", \\w+, ([0-9.]+), ([0-9.]+)\\}`));
  const observer = new A.Observer(+row[1], +row[2], 0);
  for (const [y, m] of [[2026, 12], [2027, 6]]) {
    for (let d = 1; d <= 10; ++d) {
      const midnight = day(y, m, d) - 1 / 24;  // the civil day of UTC+1
      const start = A.MakeTime(midnight - J2000);
      const text = (t) => (t && t.ut + J2000 < midnight + 1 ? (t.ut + J2000).toFixed(6) : '-');
      const rise = A.SearchRiseSet(A.Body.Moon, observer, +1, start, 1);
      const set = A.SearchRiseSet(A.Body.Moon, observer, -1, start, 1);
      out += `${name},${province},${capital},${y},${m},${d},${text(rise)},${text(set)}\n`;
    }
  }
}
writeFileSync(join(here, 'comuni_moon.csv'), out);
