#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Check a calendar of the year written by `ortalba --ics YEAR`.

Usage: validate_ics.py FILE.ics

An iCalendar parser that owes nothing to ours, the `icalendar` package (Debian:
python3-icalendar), must read a VCALENDAR 2.0 with a PRODID and events with UID,
DTSTAMP in UTC, DTSTART and SUMMARY: a moon phase a moment in UTC with no end,
every other event whole days. (The octets are year_calendar_test.cpp's to check.)
Exits 0 when the file is good, 1 with one message per problem otherwise, 2 on bad usage.
"""

import datetime
import sys

try:
    import icalendar
except ImportError:  # pragma: no cover - depends on the machine
    print("validate_ics: the Python package 'icalendar' is missing "
          "(apt-get install python3-icalendar)", file=sys.stderr)
    sys.exit(2)

PHASES = {"Luna nuova", "Primo quarto", "Luna piena", "Ultimo quarto"}
DAY = datetime.timedelta(days=1)


def is_utc(value):
    return isinstance(value, datetime.datetime) and value.utcoffset() == datetime.timedelta(0)


# The tradition's moments (--organi): a change of the plant part, perigee, apogee, a node.
TIMED_TRADITION = ("Giorno di ", "Perigeo", "Apogeo", "Nodo ")


def is_date(value):
    return isinstance(value, datetime.date) and not isinstance(value, datetime.datetime)


def problems_of_event(event):
    missing = [prop for prop in ("UID", "DTSTAMP", "DTSTART", "SUMMARY") if prop not in event]
    if missing:
        return [f"{', '.join(missing)} missing"]
    start, problems = event.decoded("DTSTART"), []
    if not is_utc(event.decoded("DTSTAMP")):
        problems.append("DTSTAMP is not a UTC date-time")
    if isinstance(start, datetime.datetime):
        summary = str(event["SUMMARY"])
        timed = summary in PHASES or summary.startswith(TIMED_TRADITION)
        if not timed or not is_utc(start) or "DTEND" in event or "DURATION" in event:
            problems.append(f"{start!r} is not a phase or an event of the tradition at a moment in UTC")
    elif not is_date(start):
        problems.append(f"DTSTART {start!r} is not a date")
    elif "DTEND" in event:
        end = event.decoded("DTEND")
        if not is_date(end) or end <= start:
            problems.append(f"DTEND {end!r} is not a day after DTSTART {start}")
    elif "DURATION" not in event or event.decoded("DURATION") < DAY or event.decoded("DURATION") % DAY:
        problems.append("neither a DTEND nor a DURATION of whole days")
    return problems


def validate(data):
    try:
        calendar = icalendar.Calendar.from_ical(data)
    except Exception as error:  # the parser raises ValueError and friends
        return [f"icalendar cannot parse the file: {str(error)[:80]}"], 0
    problems = []
    if calendar.name != "VCALENDAR" or str(calendar.get("VERSION", "")) != "2.0" or not calendar.get("PRODID"):
        problems.append("not a VCALENDAR of VERSION 2.0 with a PRODID")
    for component in calendar.walk():
        problems += [f"{component.name} {prop}: {error}" for prop, error in component.errors]
    events = calendar.walk("VEVENT")
    for index, event in enumerate(events, start=1):
        try:
            found = problems_of_event(event)
        except Exception as error:  # a value the parser cannot decode
            found = [f"cannot be read: {str(error)[:80]}"]
        problems += [f"event {index} ({event.get('UID', 'no UID')}): {p}" for p in found]
    return problems, len(events)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        with open(argv[1], "rb") as file:
            problems, count = validate(file.read())
    except OSError as error:
        problems, count = [str(error)], 1
    for problem in problems + ([] if count else ["no events"]):
        print(f"validate_ics: {argv[1]}: {problem}", file=sys.stderr)
    if problems or not count:
        return 1
    print(f"{argv[1]}: {count} events, valid")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
