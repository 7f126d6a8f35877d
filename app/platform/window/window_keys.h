// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's keys, written once: `ortalba --help` says them in a sentence, the
// window's help lists them.
namespace ortalba {

struct WindowKey {
  const char16_t* keys;
  const char16_t* does;
};

inline constexpr WindowKey WindowKeys[] = {
    {u"Pagina su/giù", u"mese"},
    {u"Ctrl+Pagina su/giù", u"anno"},
    {u"frecce", u"giorno"},
    {u"Inizio", u"oggi"},
    {u"F4 o Ctrl+L", u"città, comune o coordinate"},
    {u"Ctrl+E", u"festa patronale di un comune o di un campo"},
    {u"Ctrl+P", u"stampa"},
    {u"Ctrl+Maiusc+P", u"stampa il libretto dell'anno mostrato"},
    {u"Ctrl++ Ctrl+- Ctrl+0", u"ingrandisce, rimpicciolisce, riporta la finestra alla misura iniziale"},
    {u"Ctrl+K", u"tratteggia la Luna crescente e calante per chi non distingue i colori"},
    {u"Ctrl+G", u"mette le fasi nel giorno degli orologi italiani, o di nuovo in quello di Greenwich"},
    {u"Ctrl+T", u"tiene la finestra sopra le altre, o la lascia andare sotto"},
    {u"Ctrl+Z", u"segue la Luna nei segni di 30° dei lunari invece che nelle costellazioni, o di nuovo nelle costellazioni"},
    {u"Ctrl+J", u"segna i giorni buoni per un lavoro scelto da un elenco"},
    {u"Ctrl+D", u"apre il diario dell'orto del giorno scelto: voci, promemoria e ricerca"},
    {u"F1", u"apre l'aiuto"},
    {u"tasto destro o tasto menu", u"il menu con tutti i comandi"},
};

// How the keyboard reaches the window's controls.
inline constexpr char16_t ControlKeys[] =
    u"Tab e Maiusc+Tab passano da un comando all'altro; Spazio o Invio lo premono.";

}  // namespace ortalba
