#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the summers of ora legale in Italy before the European rules took over
# (1916-1980), as the rows of app/italian_clock.cpp: the first and the last day on
# which Italian clocks read UTC+2 at noon. Made from the time zone database of the
# system (Europe/Rome, public domain); run by hand:
#   python3 scripts/make_ora_legale.py
import datetime
import zoneinfo

rome = zoneinfo.ZoneInfo("Europe/Rome")
noon = lambda d: datetime.datetime(d.year, d.month, d.day, 12, tzinfo=datetime.timezone.utc)
legal = lambda d: noon(d).astimezone(rome).utcoffset() == datetime.timedelta(hours=2)

day, last, start = datetime.date(1900, 1, 1), datetime.date(1980, 12, 31), None
while day <= last:
    if legal(day) and start is None:
        start = day
    if not legal(day) and start is not None:
        end = day - datetime.timedelta(days=1)
        print(f"    {{{{{start.day}, {start.month}, {start.year}}}, {{{end.day}, {end.month}, {end.year}}}}},")
        start = None
    day += datetime.timedelta(days=1)
