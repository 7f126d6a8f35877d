// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/notes_advice.h"

#include <algorithm>

namespace almanac {
namespace {

template <class... Names>
constexpr PlantList radice(Names... names) {
  return PlantList(PlantPart::Radice, names...);
}
template <class... Names>
constexpr PlantList foglia(Names... names) {
  return PlantList(PlantPart::Foglia, names...);
}
template <class... Names>
constexpr PlantList fiore(Names... names) {
  return PlantList(PlantPart::Fiore, names...);
}
template <class... Names>
constexpr PlantList frutto(Names... names) {
  return PlantList(PlantPart::Frutto, names...);
}

constexpr NotesSection Orto = NotesSection::OrtoEFrutteto;
constexpr NotesSection Giardino = NotesSection::GiardinoETerrazzo;
using enum MoonHalf;
using enum Job;
using enum AdviceZone;

// One row a job of a sentence, in the notes' order. A sentence that limits one
// job to a zone and not another gives a row for each; one that gives the same
// job to two zones on different terms ("al Centro-Sud, e sotto tunnel al Nord")
// gives a row for each zone. A sentence that names more than six plants for a
// job gives a row for each of its clauses. Advice against a job ("rimandare
// invece peschi e albicocchi", "le rose, al Nord, si potano più avanti") gives
// no row.
// clang-format off
constexpr NotesAdvice AdviceTable[] = {
    {1, Orto, Waxing, Seminare, Everywhere, frutto("pomodori", "peperoni", "melanzane")},
    {1, Orto, Waxing, Seminare, CentroSud, foglia("lattughe da taglio", "rucola", "spinaci")},
    {1, Orto, Waxing, Seminare, MildZones, frutto("fave", "piselli nani")},
    {1, Orto, Waxing, Trapiantare, Everywhere, foglia("insalate invernali")},
    {1, Orto, Waxing, Raccogliere, Everywhere, frutto("arance", "mandarini", "limoni")},
    {1, Orto, Waning, Potare, Everywhere, frutto("meli", "peri")},
    {1, Orto, Waning, Vangare, Everywhere},
    {1, Orto, Waning, Piantare, CentroSud, radice("spicchi d'aglio", "bulbi di scalogno")},
    {1, Orto, Waning, Raccogliere, Everywhere, foglia("cavoli", "porri", "finocchi", "radicchi")},
    {1, Orto, Waning, TagliareLaLegna, Everywhere},
    {1, Orto, Waning, TravasareIlVino, Everywhere},
    {1, Giardino, Waxing, Seminare, Everywhere, fiore("begonie", "petunie", "lobelie", "gerani da seme")},
    {1, Giardino, Waxing, Concimare, Everywhere, fiore("ciclamini", "azalee", "orchidee")},
    {1, Giardino, Waxing, Annaffiare, Everywhere, foglia("sempreverdi")},
    {1, Giardino, Waning, Piantare, Everywhere, fiore("rose") + foglia("alberi", "arbusti da siepe")},
    {1, Giardino, Waning, Proteggere, Everywhere, frutto("limoni") + fiore("oleandri", "buganvillee")},

    {2, Orto, Waxing, Seminare, Everywhere, frutto("pomodori", "peperoni", "melanzane") + foglia("sedano", "basilico")},
    {2, Orto, Waxing, Seminare, CentroSud, frutto("piselli", "fave") + foglia("lattughe", "bietole da costa", "spinaci")},
    {2, Orto, Waxing, Seminare, Nord, frutto("piselli", "fave") + foglia("lattughe", "bietole da costa", "spinaci")},
    {2, Orto, Waxing, Trapiantare, Everywhere, foglia("lattughe", "cavoli cappucci")},
    {2, Orto, Waxing, Innestare, Everywhere, frutto("meli", "peri", "susini", "ciliegi")},
    {2, Orto, Waxing, Concimare, Everywhere, frutto("alberi")},
    {2, Orto, Waning, Seminare, CentroSud, radice("carote", "ravanelli")},
    {2, Orto, Waning, Piantare, CentroSud, radice("patate precoci", "cipolline", "aglio")},
    {2, Orto, Waning, Vangare, Nord},
    {2, Orto, Waning, Potare, Everywhere, frutto("vite", "meli", "peri")},
    {2, Orto, Waning, Trattare, Everywhere},
    {2, Orto, Waning, TravasareIlVino, Everywhere},
    {2, Giardino, Waxing, Seminare, Everywhere, fiore("bocche di leone", "salvie", "verbene", "nemesie", "tageti")},
    {2, Giardino, Waxing, Seminare, Everywhere, foglia("basilico", "prezzemolo")},
    {2, Giardino, Waxing, Rinvasare, Everywhere, foglia("piante d'appartamento")},
    {2, Giardino, Waxing, Concimare, Everywhere, foglia("piante d'appartamento")},
    {2, Giardino, Waxing, Trapiantare, MildZones, fiore("viole del pensiero", "primule")},
    {2, Giardino, Waning, Potare, CentroSud, fiore("rose")},
    {2, Giardino, Waning, Potare, Nord, fiore("rose")},
    {2, Giardino, Waning, Potare, Everywhere, fiore("ibisco", "buddleja", "lagerstroemia")},
    {2, Giardino, Waning, Dividere, Everywhere, fiore("erbacee perenni")},
    {2, Giardino, Waning, Piantare, Everywhere, foglia("siepi")},

    {3, Orto, Waxing, Seminare, Everywhere, frutto("piselli") + foglia("lattughe", "bietole", "spinaci", "rucola", "prezzemolo")},
    {3, Orto, Waxing, Seminare, Everywhere, frutto("zucchine", "cetrioli", "meloni", "pomodori", "peperoni")},
    {3, Orto, Waxing, Trapiantare, Everywhere, foglia("lattughe", "cavoli cappucci") + fiore("cavolfiori estivi")},
    {3, Orto, Waxing, Trapiantare, Sud, frutto("piantine di pomodoro")},
    {3, Orto, Waxing, Innestare, Everywhere},
    {3, Orto, Waxing, Concimare, Everywhere, fiore("carciofi") + frutto("fragole")},
    {3, Orto, Waning, Seminare, Everywhere, radice("carote", "ravanelli", "barbabietole", "cipolle") + foglia("porri")},
    {3, Orto, Waning, Piantare, Everywhere, radice("patate", "aglio", "bulbilli di cipolla", "tuberi di topinambur")},
    {3, Orto, Waning, Potare, Everywhere, frutto("peschi", "albicocchi", "susini", "vite")},
    {3, Orto, Waning, Trattare, Everywhere, frutto("pesco")},
    {3, Orto, Waning, ImbottigliareIlVino, Everywhere},
    {3, Giardino, Waxing, Seminare, MildZones, fiore("fiordalisi", "nasturzi", "calendule", "cosmee")},
    {3, Giardino, Waxing, Trapiantare, Everywhere},
    {3, Giardino, Waxing, Seminare, Everywhere, foglia("prato")},
    {3, Giardino, Waxing, Concimare, Everywhere, fiore("rose") + foglia("arbusti") + frutto("agrumi")},
    {3, Giardino, Waxing, Rinvasare, Everywhere, frutto("limoni")},
    {3, Giardino, Waning, Piantare, Everywhere, fiore("gladioli", "dalie", "begonie tuberose", "canne indiche")},
    {3, Giardino, Waning, Potare, Nord, fiore("rose", "ortensie", "arbusti a fioritura estiva")},
    {3, Giardino, Waning, Dividere, Everywhere, fiore("perenni")},

    {4, Orto, Waxing, Seminare, Everywhere, frutto("fagioli", "fagiolini", "zucchine", "zucche", "cetrioli", "mais")},
    {4, Orto, Waxing, Seminare, CentroSud, frutto("meloni", "angurie")},
    {4, Orto, Waxing, Seminare, Everywhere, foglia("lattughe")},
    {4, Orto, Waxing, Trapiantare, Everywhere, frutto("pomodori", "peperoni", "melanzane")},
    {4, Orto, Waxing, Innestare, Everywhere, frutto("olivi", "castagni", "noci")},
    {4, Orto, Waxing, Raccogliere, Everywhere, foglia("asparagi") + fiore("carciofi") + frutto("fave", "piselli")},
    {4, Orto, Waxing, Concimare, Everywhere},
    {4, Orto, Waning, Seminare, Everywhere, radice("carote", "barbabietole", "ravanelli")},
    {4, Orto, Waning, Piantare, Nord, radice("patate")},
    {4, Orto, Waning, Trattare, Everywhere, frutto("meli", "peri")},
    {4, Giardino, Waxing, Seminare, Everywhere, fiore("zinnie", "cosmee", "girasoli", "tageti", "nasturzi", "ipomee")},
    {4, Giardino, Waxing, Trapiantare, Everywhere, fiore("gerani", "petunie", "surfinie", "begonie")},
    {4, Giardino, Waxing, Concimare, Everywhere, fiore("rose") + frutto("agrumi")},
    {4, Giardino, Waxing, MoltiplicarePerTalea, Everywhere, fiore("margherite", "crisantemi")},
    {4, Giardino, Waning, Potare, Everywhere, fiore("forsizia", "spirea", "ribes ornamentale", "cotogno giapponese")},
    {4, Giardino, Waning, Piantare, Everywhere, fiore("bulbi di gladiolo")},
    {4, Giardino, Waning, TosareIlPrato, Everywhere},

    {5, Orto, Waxing, Seminare, Everywhere, frutto("fagioli", "fagiolini", "zucchine", "cetrioli", "mais dolce") + foglia("basilico")},
    {5, Orto, Waxing, Seminare, Nord, frutto("meloni", "angurie")},
    {5, Orto, Waxing, Seminare, Everywhere, foglia("verza") + fiore("cavolfiore") + foglia("cavolo nero")},
    {5, Orto, Waxing, Trapiantare, Nord, frutto("pomodori", "peperoni", "melanzane")},
    {5, Orto, Waxing, Trapiantare, Everywhere, foglia("sedano")},
    {5, Orto, Waxing, Raccogliere, Everywhere, frutto("fragole", "ciliegie", "piselli", "fave")},
    {5, Orto, Waning, Seminare, Everywhere, radice("carote", "barbabietole", "ravanelli")},
    {5, Orto, Waning, Pacciamare, Everywhere},
    {5, Orto, Waning, Trattare, Everywhere, frutto("pomodori", "vite")},
    {5, Giardino, Waxing, Trapiantare, Everywhere, fiore("gerani", "surfinie", "begonie", "impatiens", "verbene")},
    {5, Giardino, Waxing, Seminare, Everywhere, fiore("zinnie", "girasoli", "cosmee", "nasturzi")},
    {5, Giardino, Waxing, Concimare, Everywhere, fiore("fioriture")},
    {5, Giardino, Waxing, Rinvasare, Everywhere, foglia("piante d'appartamento")},
    {5, Giardino, Waxing, MoltiplicarePerTalea, Everywhere, foglia("rosmarino", "salvia") + fiore("lavanda")},
    {5, Giardino, Waning, Potare, Everywhere, fiore("lillà", "deutzie", "weigele", "glicine")},
    {5, Giardino, Waning, TagliareIFioriAppassiti, Everywhere, fiore("rosai")},
    {5, Giardino, Waning, Piantare, Everywhere, fiore("dalie", "canne indiche")},
    {5, Giardino, Waning, TosareIlPrato, Everywhere},

    {6, Orto, Waxing, Seminare, Everywhere, frutto("fagiolini") + foglia("lattughe estive", "radicchi", "cicorie da taglio")},
    {6, Orto, Waxing, Seminare, Everywhere, foglia("cavoli verza") + fiore("cavolfiori", "broccoli") + foglia("cavolo nero", "finocchi")},
    {6, Orto, Waxing, Trapiantare, Everywhere, foglia("sedano") + frutto("zucchine tardive")},
    {6, Orto, Waxing, Raccogliere, Everywhere, frutto("zucchine", "fagiolini", "cetrioli", "ciliegie", "albicocche")},
    {6, Orto, Waxing, Innestare, Everywhere, frutto("pesco", "albicocco", "susino")},
    {6, Orto, Waning, Raccogliere, Everywhere, radice("aglio", "cipolle", "scalogni")},
    {6, Orto, Waning, Raccogliere, Everywhere, radice("patate precoci")},
    {6, Orto, Waning, Irrigare, Everywhere},
    {6, Orto, Waning, Pacciamare, Everywhere},
    {6, Giardino, Waxing, Seminare, Everywhere, fiore("viole del pensiero", "miosotis", "digitali", "campanule")},
    {6, Giardino, Waxing, Concimare, Everywhere, fiore("gerani", "surfinie")},
    {6, Giardino, Waxing, MoltiplicarePerTalea, Everywhere, fiore("ortensie")},
    {6, Giardino, Waxing, Trapiantare, Everywhere, fiore("perenni")},
    {6, Giardino, Waning, Potare, Everywhere, fiore("rose rampicanti")},
    {6, Giardino, Waning, TosareIlPrato, Everywhere},
    {6, Giardino, Waning, Annaffiare, Everywhere},

    {7, Orto, Waxing, Seminare, Everywhere, frutto("fagiolini") + foglia("lattughe", "indivie scarole e ricce", "radicchi", "bietole", "prezzemolo")},
    {7, Orto, Waxing, Trapiantare, Everywhere, foglia("verze") + fiore("cavolfiori", "broccoli") + foglia("cavolo nero", "finocchi", "sedano")},
    {7, Orto, Waxing, Raccogliere, Everywhere, frutto("pomodori", "melanzane", "peperoni", "zucchine")},
    {7, Orto, Waxing, Innestare, Everywhere, frutto("pesco", "albicocco", "susino", "ciliegio")},
    {7, Orto, Waning, Seminare, Everywhere, radice("carote", "ravanelli")},
    {7, Orto, Waning, Raccogliere, Everywhere, radice("patate di pieno campo", "aglio", "cipolle")},
    {7, Orto, Waning, Raccogliere, Everywhere, frutto("pomodori")},
    {7, Orto, Waning, Potare, Everywhere, frutto("peschi", "albicocchi")},
    {7, Orto, Waning, Irrigare, Everywhere},
    {7, Orto, Waning, Raccogliere, Everywhere, foglia("erbe aromatiche")},
    {7, Giardino, Waxing, MoltiplicarePerTalea, Everywhere, fiore("ortensie", "rose", "oleandri", "gelsomini")},
    {7, Giardino, Waxing, Concimare, Everywhere, fiore("fioriture")},
    {7, Giardino, Waxing, Trapiantare, Everywhere, fiore("biennali")},
    {7, Giardino, Waxing, Seminare, Everywhere, fiore("echinacee", "gaillardie")},
    {7, Giardino, Waning, Potare, Everywhere, fiore("glicine", "lavanda")},
    {7, Giardino, Waning, TagliareIFioriAppassiti, Everywhere, fiore("rose", "dalie", "gerani")},
    {7, Giardino, Waning, TosareIlPrato, Everywhere},
    {7, Giardino, Waning, Annaffiare, Everywhere},
    {7, Giardino, Waning, Proteggere, Everywhere},

    {8, Orto, Waxing, Seminare, Everywhere, foglia("lattughe", "indivie", "rucola", "cicorie", "bietole", "spinaci")},
    {8, Orto, Waxing, Trapiantare, Everywhere, foglia("cavoli", "finocchi", "sedano", "indivie", "radicchi")},
    {8, Orto, Waxing, Raccogliere, Everywhere, frutto("pomodori", "peperoni", "melanzane", "fichi", "pesche")},
    {8, Orto, Waxing, Innestare, Everywhere, frutto("agrumi")},
    {8, Orto, Waning, Seminare, Everywhere, radice("carote", "ravanelli", "rape")},
    {8, Orto, Waning, Raccogliere, Everywhere, radice("patate", "cipolle") + frutto("fagioli da sgranare", "pomodori da salsa")},
    {8, Orto, Waning, Potare, Everywhere, frutto("ciliegi", "albicocchi")},
    {8, Orto, Waning, Irrigare, Everywhere},
    {8, Giardino, Waxing, Seminare, Everywhere, fiore("biennali")},
    {8, Giardino, Waxing, Trapiantare, Everywhere, fiore("viole", "miosotis")},
    {8, Giardino, Waxing, MoltiplicarePerTalea, Everywhere, fiore("gerani", "rose", "oleandri", "ibisco")},
    {8, Giardino, Waxing, Concimare, Everywhere, fiore("fioriture")},
    {8, Giardino, Waning, Potare, Everywhere, foglia("siepi")},
    {8, Giardino, Waning, TagliareIFioriAppassiti, Everywhere},
    {8, Giardino, Waning, Piantare, Everywhere, fiore("colchici", "crochi autunnali", "sternbergie")},
    {8, Giardino, Waning, Annaffiare, Everywhere},

    {9, Orto, Waxing, Seminare, Everywhere, foglia("spinaci", "lattughe da svernare", "rucola", "valerianella", "cicorie")},
    {9, Orto, Waxing, Trapiantare, Everywhere, foglia("lattughe", "indivie", "finocchi", "cavoli")},
    {9, Orto, Waxing, Raccogliere, Everywhere, frutto("uva da tavola", "fichi", "pere", "mele estive")},
    {9, Orto, Waxing, Seminare, Everywhere, foglia("favino", "veccia")},
    {9, Orto, Waning, Seminare, Everywhere, radice("ravanelli", "rape")},
    {9, Orto, Waning, Raccogliere, Everywhere, frutto("zucche") + radice("patate") + frutto("fagioli secchi", "mele", "pere")},
    {9, Orto, Waning, Vendemmiare, Everywhere, frutto("uva")},
    {9, Orto, Waning, Potare, Everywhere, frutto("lamponi")},
    {9, Giardino, Waxing, Seminare, Everywhere, foglia("prato")},
    {9, Giardino, Waxing, Trapiantare, Everywhere, fiore("viole del pensiero", "miosotis")},
    {9, Giardino, Waxing, Seminare, Everywhere, fiore("papaveri", "fiordalisi", "speronelle")},
    {9, Giardino, Waxing, Concimare, Everywhere, foglia("prato")},
    {9, Giardino, Waxing, MoltiplicarePerTalea, Everywhere},
    {9, Giardino, Waning, Piantare, Everywhere, fiore("crochi", "narcisi", "giacinti", "muscari")},
    {9, Giardino, Waning, Dividere, Everywhere, fiore("iris", "emerocallidi")},

    {10, Orto, Waxing, Seminare, CentroSud, frutto("fave", "piselli")},
    {10, Orto, Waxing, Seminare, Everywhere, foglia("spinaci", "valerianella", "rucola", "lattughe da svernare")},
    {10, Orto, Waxing, Trapiantare, Everywhere, foglia("lattughe invernali", "cavoli", "cicorie")},
    {10, Orto, Waxing, Piantare, Everywhere, frutto("fragole")},
    {10, Orto, Waxing, Raccogliere, Everywhere, frutto("cachi", "melograni", "uva tardiva")},
    {10, Orto, Waning, Piantare, Everywhere, radice("aglio", "scalogno", "cipolle da svernare")},
    {10, Orto, Waning, Raccogliere, Everywhere, frutto("mele", "pere tardive", "castagne", "noci")},
    {10, Orto, Waning, SvinareIlVino, Everywhere},
    {10, Orto, Waning, Vangare, Everywhere},
    {10, Orto, Waning, Piantare, Everywhere, frutto("alberi da frutto")},
    {10, Giardino, Waxing, Seminare, Everywhere, fiore("fiordalisi", "papaveri", "nigelle")},
    {10, Giardino, Waxing, Trapiantare, Everywhere, fiore("viole del pensiero", "ciclamini", "eriche", "crisantemi")},
    {10, Giardino, Waxing, Concimare, Everywhere},
    {10, Giardino, Waning, Piantare, Everywhere, foglia("alberi", "arbusti", "siepi") + fiore("rose")},

    {11, Orto, Waxing, Seminare, CentroSud, frutto("fave", "piselli")},
    {11, Orto, Waxing, Seminare, Everywhere, foglia("lattughe", "spinaci")},
    {11, Orto, Waxing, Trapiantare, Everywhere, foglia("lattughe da svernare")},
    {11, Orto, Waxing, Raccogliere, Everywhere, foglia("cavoli") + fiore("broccoli") + foglia("cicorie", "finocchi", "radicchi")},
    {11, Orto, Waxing, Proteggere, Everywhere, foglia("insalate")},
    {11, Orto, Waning, Piantare, Everywhere, radice("aglio") + frutto("alberi da frutto")},
    {11, Orto, Waning, Raccogliere, Everywhere, frutto("olive", "cachi", "kiwi")},
    {11, Orto, Waning, Vangare, Everywhere},
    {11, Orto, Waning, TravasareIlVino, Everywhere},
    {11, Orto, Waning, TagliareLaLegna, Everywhere},
    {11, Giardino, Waxing, Trapiantare, Everywhere, fiore("viole", "primule", "ciclamini") + foglia("cavoli ornamentali")},
    {11, Giardino, Waxing, MoltiplicarePerTalea, Everywhere, fiore("rose", "ortensie", "forsizie")},
    {11, Giardino, Waxing, Seminare, MildZones, fiore("pisello odoroso")},
    {11, Giardino, Waning, Piantare, Everywhere, fiore("tulipani") + foglia("alberi", "arbusti") + fiore("rose")},
    {11, Giardino, Waning, Proteggere, Everywhere},
    {11, Giardino, Waning, Pacciamare, Everywhere, fiore("perenni")},

    {12, Orto, Waxing, Seminare, Everywhere, foglia("lattughe da taglio", "rucola", "spinaci")},
    {12, Orto, Waxing, Seminare, Sud, frutto("fave", "piselli")},
    {12, Orto, Waxing, Raccogliere, Everywhere, foglia("cavoli") + fiore("broccoli") + foglia("finocchi", "radicchi") + frutto("arance", "mandarini")},
    {12, Orto, Waning, TagliareLaLegna, Everywhere},
    {12, Orto, Waning, Piantare, MildZones, radice("aglio")},
    {12, Orto, Waning, Piantare, Everywhere, frutto("alberi da frutto")},
    {12, Orto, Waning, Potare, MildZones, frutto("meli", "peri")},
    {12, Orto, Waning, Vangare, Everywhere},
    {12, Orto, Waning, TravasareIlVino, Everywhere},
    {12, Orto, Waning, Raccogliere, Everywhere, foglia("porri") + radice("topinambur", "carote")},
    {12, Giardino, Waxing, Raccogliere, Everywhere, foglia("rami di agrifoglio", "pungitopo", "pino")},
    {12, Giardino, Waxing, Trapiantare, Everywhere, fiore("ellebori", "eriche", "viole invernali")},
    {12, Giardino, Waxing, Annaffiare, Everywhere},
    {12, Giardino, Waning, Piantare, Everywhere, foglia("alberi", "arbusti") + fiore("rose", "bulbi di amarillide")},
    {12, Giardino, Waning, Potare, Everywhere, fiore("glicine")},
    {12, Giardino, Waning, Proteggere, Everywhere},
};
// clang-format on

constexpr auto passageOrder(const NotesAdvice& row) {
  return std::array{row.month, static_cast<int>(row.section), static_cast<int>(row.moon)};
}

// Month by month, section by section, the waxing passage before the waning.
static_assert(std::is_sorted(std::begin(AdviceTable), std::end(AdviceTable),
                             [](const NotesAdvice& a, const NotesAdvice& b) {
                               return passageOrder(a) < passageOrder(b);
                             }));
static_assert(AdviceTable[0].month == 1 && std::end(AdviceTable)[-1].month == 12);

// Every month's kitchen garden has work under both moons.
static_assert([] {
  for (int month = 1; month <= 12; ++month)
    for (const MoonHalf moon : {Waxing, Waning})
      if (std::none_of(std::begin(AdviceTable), std::end(AdviceTable), [&](const NotesAdvice& row) {
            return row.month == month && row.section == Orto && row.moon == moon;
          }))
        return false;
  return true;
}());

// Nothing is listed twice: no plant twice for one job of a passage and zone, and
// no job without plants twice.
static_assert([] {
  const auto sameJob = [](const NotesAdvice& a, const NotesAdvice& b) {
    return passageOrder(a) == passageOrder(b) && a.job == b.job && a.zone == b.zone;
  };
  for (const NotesAdvice* a = std::begin(AdviceTable); a != std::end(AdviceTable); ++a) {
    for (std::size_t i = 0; i < a->plants.size(); ++i)
      for (std::size_t j = 0; j < i; ++j)
        if (a->plants[i].name == a->plants[j].name) return false;
    // The table is in the order of its passages: the rows of a's passage stand just before it.
    for (const NotesAdvice* b = a; b != std::begin(AdviceTable) && passageOrder(b[-1]) == passageOrder(*a);) {
      if (!sameJob(*a, *--b)) continue;
      if (a->plants.empty() || b->plants.empty()) return false;
      for (const Plant& plant : a->plants)
        if (std::find_if(b->plants.begin(), b->plants.end(), [&](const Plant& p) { return p.name == plant.name; }) !=
            b->plants.end())
          return false;
    }
  }
  return true;
}(), "a plant or a job listed twice");

// A plant keeps its part wherever a section names it.
static_assert([] {
  for (const NotesAdvice* a = std::begin(AdviceTable); a != std::end(AdviceTable); ++a)
    for (const NotesAdvice* b = std::begin(AdviceTable); b != a; ++b)
      if (a->section == b->section)
        for (const Plant& p : a->plants)
          for (const Plant& q : b->plants)
            if (p.name == q.name && p.part != q.part) return false;
  return true;
}(), "a plant grown for two parts in one section");

// The moon each job is given is the moon of its rows.
static_assert([] {
  for (const NotesJob& job : NotesJobs) {
    bool waxing = false, waning = false;
    for (const NotesAdvice& row : AdviceTable)
      if (row.job == job.job) (row.moon == Waxing ? waxing : waning) = true;
    const JobMoon moon = waxing && waning ? JobMoon::Both : waxing ? JobMoon::Waxing : JobMoon::Waning;
    if ((!waxing && !waning) || moon != job.moon) return false;
  }
  return true;
}(), "a job whose moon is not the moon of its rows, or a job no row asks for");

}  // namespace

std::span<const NotesAdvice> notesAdviceOf(int month) {
  const auto first = std::find_if(std::begin(AdviceTable), std::end(AdviceTable),
                                  [&](const NotesAdvice& row) { return row.month == month; });
  const auto last =
      std::find_if(first, std::end(AdviceTable), [&](const NotesAdvice& row) { return row.month != month; });
  return {first, last};
}

std::vector<NotesAdvice> adviceFor(int month, MoonHalf moon, std::optional<Zone> zone) {
  std::vector<NotesAdvice> rows;
  for (const NotesAdvice& row : notesAdviceOf(month))
    if (row.moon == moon && adviceHolds(row.zone, zone)) rows.push_back(row);
  return rows;
}

std::string_view plantPartName(PlantPart part) {
  switch (part) {
    case PlantPart::Radice: return "radice";
    case PlantPart::Foglia: return "foglia";
    case PlantPart::Fiore: return "fiore";
    case PlantPart::Frutto: return "frutto";
  }
  return {};
}

std::string_view sectionHeading(NotesSection section) {
  switch (section) {
    case NotesSection::OrtoEFrutteto: return "Orto e Frutteto";
    case NotesSection::GiardinoETerrazzo: return "Giardino e Terrazzo";
  }
  return {};
}

std::string_view adviceZoneWords(AdviceZone zone) {
  switch (zone) {
    case AdviceZone::Everywhere: return {};
    case AdviceZone::Nord: return "al Nord";
    case AdviceZone::CentroSud: return "al Centro-Sud";
    case AdviceZone::Sud: return "al Sud";
    case AdviceZone::MildZones: return "nelle zone miti";
  }
  return {};
}

}  // namespace almanac
