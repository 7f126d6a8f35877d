// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/paper/year_booklet.h"
#include "app/platform/qt/qt_text.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/city_table.h"
#include "app/italian_words.h"
#include "app/platform/paper/month_page.h"
#include "longest_texts.h"

namespace {
using namespace ortalba;

QString pageText(const QString& pdf, int page) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                        QString::number(page), QStringLiteral("-raw"), pdf, QStringLiteral("-")});
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The year's booklet as a reader of the PDF finds it: the year's page, then each
// month on its own page with its title and its feasts.
TEST(YearBooklet, ThirteenPagesEachMonthWithItsTitleAndFeasts) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "no pdftotext";
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("anno.pdf"));
  const auto months = monthsOfYear(2027, app::findPlace("MILANO").value());
  const auto notesOf = [](int month) {
    return std::string(ORTALBA_SOURCE_DIR "/Doc/") + app::NotesDocuments[static_cast<std::size_t>(month - 1)];
  };
  ASSERT_TRUE(writeYearPdf(pdf, months, notesOf));
  EXPECT_TRUE(pageText(pdf, 14).trimmed().isEmpty()) << "no fourteenth page";

  const QString cover = pageText(pdf, 1).simplified();
  for (const char* part : {"2027", "MILANO", "25 Natale", "28 Pasqua"})  // the feasts of the year by month
    EXPECT_TRUE(cover.contains(QString::fromUtf8(part))) << part << " in " << cover.toStdString();
  for (const auto& month : months) {
    SCOPED_TRACE(month.title);
    const QString text = pageText(pdf, month.month + 1).simplified();
    EXPECT_TRUE(text.contains(toQString(month.title)));
    EXPECT_TRUE(text.contains(QStringLiteral("Orto e Frutteto"))) << "the month's notes";
    for (const auto& day : month.days)
      EXPECT_TRUE(!day.feast || text.contains(toQString(day.saintOrFeast).simplified())) << day.saintOrFeast;
  }
}

// The page never cuts a day's text: the longest saints, feasts and patron holidays
// fit their cell, wrapped, in letters that can still be read.
TEST(MonthPage, HoldsTheLongestTexts) {
  QBuffer buffer;
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  QPdfWriter writer(&buffer);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(300);
  QPainter painter(&writer);
  for (const std::string& text : longestDayTexts(12)) EXPECT_GE(saintPoints(painter, toQString(text)), 5.0) << text;
  EXPECT_EQ(saintPoints(painter, QStringLiteral("S.Nicola")), 7.5) << "a short text keeps the page's letters";
}

}  // namespace
