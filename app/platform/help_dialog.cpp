// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/help_dialog.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/month_sheet.h"
#include "app/platform/arguments.h"
#include "app/platform/pictures.h"
#include "app/platform/qt_colours.h"
#include "app/platform/window_keys.h"

namespace ortalba {

namespace {

// The almanac's conventions, one sentence each.
constexpr const char16_t* Conventions[] = {
    u"I giorni delle fasi lunari sono giorni di Greenwich (tempo universale), come l'almanacco li ha sempre datati.",
    u"L'alba e il tramonto sono in ora solare (UTC+1) tutto l'anno; in estate, passando sugli orari, la finestra "
    u"mostra anche l'ora legale degli orologi.",
    u"Il sorgere e il tramontare della Luna sono del bordo superiore del disco sull'orizzonte del mare, in ora "
    u"solare; ascendente o discendente dice se la Luna, a mezzogiorno, sale o scende nel cielo da un giorno "
    u"all'altro, che non è la stessa cosa di crescente o calante.",
    u"L'ora di ogni fase è l'ora italiana (con l'ora legale quando vale); la riga della fase resta nel giorno di "
    u"Greenwich, e quando in Italia è già il giorno dopo l'almanacco lo dice.",
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

  body += QStringLiteral("<h4>Convenzioni</h4><ul>");
  for (const char16_t* sentence : Conventions) body += QStringLiteral("<li>%1</li>").arg(html(sentence));
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
