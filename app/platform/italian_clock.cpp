// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/italian_clock.h"

#include <QDateTime>
#include <QTimeZone>

namespace ortalba {

bool onOraLegale(const calendar::Date& date) {
  static const QTimeZone rome(QByteArrayLiteral("Europe/Rome"));
  if (!rome.isValid()) return false;
  const QDate day(date.year, date.month, date.day);
  if (!day.isValid()) return false;
  // Before the time zone's first rule Italy kept its mean solar time, which is neither.
  return rome.offsetFromUtc(QDateTime(day, QTime(12, 0), QTimeZone::utc())) == 2 * 3600;
}

}  // namespace ortalba
