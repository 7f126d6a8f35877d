#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Check a calendar of the year written by `ortalba --ics YEAR`.

Usage: validate_ics.py FILE.ics

The file is read by the `icalendar` package (Debian: python3-icalendar), and the
octets themselves are checked for what a lenient parser lets through: CRLF line
ends, physical lines of at most 75 octets, folds that keep UTF-8 whole. Every
event must have UID, DTSTAMP, DTSTART and SUMMARY, and the UIDs must differ; a
moon phase is a moment in UTC with no end, every other event whole days. Exits 0 when the file is good, 1 with one message per problem
otherwise, 2 on bad usage.
"""

import datetime
import re
import sys

try:
    import icalendar
except ImportError:  # pragma: no cover - depends on the machine
    print("validate_ics: the Python package 'icalendar' is missing "
          "(apt-get install python3-icalendar)", file=sys.stderr)
    sys.exit(2)

MAX_OCTETS = 75
PHASES = {"Luna nuova", "Primo quarto", "Luna piena", "Ultimo quarto"}
STAMP = re.compile(r"^DTSTAMP:\d{8}T\d{6}Z$")


def short(text, limit=60):
    text = str(text)
    return text if len(text) <= limit else text[:limit] + "..."


def is_plain_date(value):
    return isinstance(value, datetime.date) and not isinstance(value, datetime.datetime)


def check_octets(data, problems):
    """Line ends, line length and folding, on the raw bytes."""
    if not data.endswith(b"\r\n"):
        problems.append("the file does not end with CRLF")
    lines = data.split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    unfolded = []
    for number, line in enumerate(lines, start=1):
        if b"\n" in line or b"\r" in line:
            problems.append(f"line {number}: a bare CR or LF")
        if len(line) > MAX_OCTETS:
            problems.append(f"line {number}: {len(line)} octets, more than {MAX_OCTETS}")
        if line.startswith((b" ", b"\t")):
            if not unfolded:
                problems.append(f"line {number}: a continuation line opens the file")
                continue
            if line[1:2] and (line[1] & 0xC0) == 0x80:
                problems.append(f"line {number}: a fold splits a UTF-8 sequence")
            unfolded[-1] += line[1:]
        else:
            unfolded.append(line)
    for number, line in enumerate(lines, start=1):
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            problems.append(f"line {number}: not whole UTF-8 (a fold cut a character?)")
    return [line.decode("utf-8", errors="replace") for line in unfolded]


def check_content_lines(lines, problems):
    """BEGIN/END nesting and the DTSTAMP form, on the unfolded lines."""
    open_blocks = []
    for line in lines:
        if line.startswith("BEGIN:"):
            open_blocks.append(line[6:])
        elif line.startswith("END:"):
            if not open_blocks or open_blocks[-1] != line[4:]:
                problems.append(f"'{short(line)}' does not close the open block {short(open_blocks[-1:])}")
            else:
                open_blocks.pop()
        elif line.startswith("DTSTAMP") and not STAMP.match(line):
            problems.append(f"'{short(line)}' is not a UTC date-time yyyymmddThhmmssZ")
    if open_blocks:
        problems.append(f"blocks left open at the end: {short(open_blocks)}")


def check_calendar(data, problems):
    try:
        calendar = icalendar.Calendar.from_ical(data)
    except Exception as error:  # the parser raises ValueError and friends
        problems.append(f"icalendar cannot parse the file: {short(error)}")
        return 0
    if calendar.name != "VCALENDAR":
        problems.append(f"the file holds a {calendar.name}, not a VCALENDAR")
    if str(calendar.get("VERSION", "")) != "2.0":
        problems.append("VERSION is not 2.0")
    if not calendar.get("PRODID"):
        problems.append("PRODID is missing")
    for component in calendar.walk():
        for prop, error in getattr(component, "errors", []):
            problems.append(f"{component.name} {prop}: {error}")

    uids = set()
    events = calendar.walk("VEVENT")
    for index, event in enumerate(events, start=1):
        where = f"event {index} ({event.get('UID', 'no UID')})"
        for prop in ("UID", "DTSTAMP", "DTSTART", "SUMMARY"):
            if prop not in event:
                problems.append(f"{where}: {prop} is missing")
        uid = str(event.get("UID", ""))
        if uid in uids:
            problems.append(f"{where}: the UID is used twice")
        uids.add(uid)
        if "DTSTART" not in event:
            continue
        try:
            start = event.decoded("DTSTART")
        except Exception as error:
            problems.append(f"{where}: DTSTART cannot be read: {error}")
            continue
        if isinstance(start, datetime.datetime):
            phase = str(event.get("SUMMARY", "")) in PHASES
            if not phase or start.utcoffset() != datetime.timedelta(0) or "DTEND" in event or "DURATION" in event:
                problems.append(f"{where}: {start!r} is not a phase at a moment in UTC")
            continue
        if not is_plain_date(start):
            problems.append(f"{where}: DTSTART is {start!r}, not a date")
            continue
        if "DTEND" in event:
            end = event.decoded("DTEND")
            if not is_plain_date(end) or end <= start:
                problems.append(f"{where}: DTEND {end!r} is not a day after DTSTART {start}")
        elif "DURATION" in event:
            length = event.decoded("DURATION")
            if length < datetime.timedelta(days=1) or length % datetime.timedelta(days=1):
                problems.append(f"{where}: DURATION {length} is not a number of whole days")
        if "DTSTAMP" in event:
            stamp = event.decoded("DTSTAMP")
            if not isinstance(stamp, datetime.datetime) or stamp.utcoffset() != datetime.timedelta(0):
                problems.append(f"{where}: DTSTAMP {stamp!r} is not a UTC date-time")
    return len(events)


def validate(data):
    problems = []
    lines = check_octets(data, problems)
    check_content_lines(lines, problems)
    count = check_calendar(data, problems)
    return problems, count


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        with open(argv[1], "rb") as file:
            data = file.read()
    except OSError as error:
        print(f"validate_ics: {error}", file=sys.stderr)
        return 1
    problems, count = validate(data)
    if problems:
        for problem in problems:
            print(f"validate_ics: {argv[1]}: {problem}", file=sys.stderr)
        return 1
    if count == 0:
        print(f"validate_ics: {argv[1]}: no events", file=sys.stderr)
        return 1
    print(f"{argv[1]}: {count} events, valid")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
