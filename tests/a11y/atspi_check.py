#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The running almanac as a screen reader finds it, through the real AT-SPI tree: the
roles, names and actions of its objects; then the next year, a day, the city chooser
and its OK, an entry added to the diary, the help, each pressed or written through
AT-SPI. Usage: atspi_check.py FOLDER (the almanac's data folder is FOLDER/data)"""
import os
import re
import sqlite3
import subprocess
import sys
import time

import pyatspi

PUSH, LABEL, LIST = pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LABEL, pyatspi.ROLE_LIST
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL", message)


def wait_for(predicate, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        try:
            if predicate():
                return True
        except Exception:
            pass
        time.sleep(0.1)
    return False


def children(node):
    try:
        return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]
    except Exception:  # gone while it was read
        return []


def walk(node):
    """The node and everything under it."""
    return [node] + [n for c in children(node) for n in walk(c)]


def named(nodes, role, name=None, start=""):
    """The nodes of that role, called `name` or, without one, whose name starts with `start`;
    a node gone meanwhile (a dialog just closed) is none of them."""
    def matches(n):
        try:
            return n.getRole() == role and (n.name == name if name is not None else (n.name or "").startswith(start))
        except Exception:
            return False
    return [n for n in nodes if matches(n)]


def actions_of(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def press(node):
    return "Press" in actions_of(node) and node.queryAction().doAction(actions_of(node).index("Press"))


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def title(nodes):
    """The month and year over the grid: "DICEMBRE 2026"."""
    return next((n.name for n in named(nodes, LABEL) if re.fullmatch(r"[A-Z]+ \d{1,4}", n.name or "")), None)


folder = sys.argv[1]
found = []
wait_for(lambda: found.extend(a for a in children(pyatspi.Registry.getDesktop(0)) if a.name == "ortalba") or found, 20)
if not found:
    print("FAIL the almanac is not in the accessibility tree")
    sys.exit(1)
application = found[0]
nodes = walk(application)

# Roles, names and actions.
months = [b.name for b in named(nodes, PUSH, start="Mostra ")]
check(len(months) == 12, f"a button a month, found {months}")
for name in ["Anno precedente", "Anno successivo", "Data odierna: torna a oggi", "Aiuto"] + months:
    button = named(nodes, PUSH, name)
    check(len(button) == 1, f"one button {name!r}, found {len(button)}")
    check(all("Press" in actions_of(b) and b.getState().contains(pyatspi.STATE_FOCUSABLE) for b in button),
          f"{name!r} can be pressed and takes the focus")
days = [b for b in named(nodes, PUSH) if re.match(r"\d{1,2} [a-z]+, [a-zì]+", b.name or "")]
check(len(days) >= 28, f"a button a day, found {len(days)}")
check(all("Press" in actions_of(d) for d in days), "every day can be pressed")
check(all(re.search(r", (crescente|calante), giorno di (radice|foglia|fiore|frutto)(, ore sfavorevoli)?$", d.name)
          for d in days), "every day says where the moon goes and the part of the plant it favours")
check(len(named(nodes, PUSH, start="Città del sole: ")) == 1, "the city is a button")
notes = [n for n in nodes if n.getRole() in (pyatspi.ROLE_DOCUMENT_FRAME, pyatspi.ROLE_DOCUMENT_TEXT)]
check(len(notes) == 1 and "Orto e Frutteto" in (text_of(notes[0]) or ""),
      f"the notes are one document whose text can be read, found {len(notes)}")
lists = named(nodes, LIST, "Elenco delle città")
items = [i for l in lists for i in children(l) if i.getRole() == pyatspi.ROLE_LIST_ITEM]
check(len(lists) == 1 and items and all(i.name for i in items), "the city list is a list of named cities")
for caption in ("Il Santo", "Il Sole a:", "Sorge:", "Tramonta:"):
    label = named(nodes, LABEL, caption)
    check(len(label) == 1 and text_of(label[0]) == caption, f"the panel's {caption!r} is text")
fillers = [n for n in nodes if n.getRole() == pyatspi.ROLE_FILLER and not n.name and
           n.getState().contains(pyatspi.STATE_SHOWING) and n.getState().contains(pyatspi.STATE_VISIBLE)]
check(not fillers, "no nameless fillers for the bars and pictures: " +
      ", ".join(f"{f.getRoleName()} in {f.parent.getRoleName()} {f.parent.name!r}" for f in fillers[:5]))

# The next year, through its action.
before = title(nodes)
check(before is not None, "the month's title is text")
if before:
    month, year = before.split()
    check(press(named(nodes, PUSH, "Anno successivo")[0]), "the next year's action runs")
    check(wait_for(lambda: title(walk(application)) == f"{month} {int(year) + 1}"),
          f"after the next year the title reads {month} {int(year) + 1}, not {title(walk(application))}")

# A day, through its action: the panel shows it.
tenth = named(walk(application), PUSH, start="10 ")
check(len(tenth) == 1 and press(tenth[0]) and wait_for(lambda: named(walk(application), LABEL, "10")),
      f"one button for the tenth, found {len(tenth)}, and pressed the panel shows it")
# The day's line: the sun and the moon of the tenth, and what to do, read as text.
line = named(walk(application), LABEL, start="Sole: ")
check(len(line) == 1 and "\nLuna: " in (text_of(line[0]) or "") and
      re.search(r"(crescente|calante|piena|nuova).*, (a|di)scendente\.", text_of(line[0]) or ""),
      f"the day's line is read, found {[l.name for l in line]}")

# The city chooser: the city in focus is the list's one selection; OK saves it.
city = named(walk(application), PUSH, start="Città del sole: ")
if city:
    press(city[0])
    selected = lambda: [i.name for l in named(walk(application), LIST, "Elenco delle città") for i in children(l)
                        if i.getState().contains(pyatspi.STATE_SELECTED)]
    check(wait_for(lambda: selected() == ["ROMA"]), f"the list's selection is ROMA alone: {selected()}")
    ok = named(walk(application), PUSH, "Conferma la città scelta")
    check(len(ok) == 1, "OK is a button")
    if ok:
        press(ok[0])
        path = os.path.join(folder, "luogo.txt")
        check(wait_for(lambda: open(path, "rb").read() == b"ROMA\r\n"), "OK through its action saves luogo.txt")

# A comune: the search box takes "bard" as a screen reader writes it, the list shows
# what it finds, a selection picks BARDONECCHIA (TO) and OK saves it.
city = named(walk(application), PUSH, start="Città del sole: ")
if city:
    press(city[0])
    entries = [n for n in walk(application) if n.getRole() in (pyatspi.ROLE_ENTRY, pyatspi.ROLE_TEXT)
               and n.name == "Cerca una città o un comune"]
    check(len(entries) == 1, f"the chooser's search box is one entry, found {len(entries)}")
    # The button's action runs after it answers: the chooser is open once its search box shows.
    check(entries and wait_for(lambda: entries[0].getState().contains(pyatspi.STATE_SHOWING)), "the chooser opens")
    if entries:
        check(entries[0].queryEditableText().setTextContents("bard"), "the search box takes text")
        def rows():
            # The list's rows are made anew by the search: read them afresh, not from the cache.
            lists = named(walk(application), LIST, "Elenco delle città")
            for l in lists:
                l.clearCache()
            return [i.name for l in lists for i in children(l)]
        check(wait_for(lambda: "BARDONECCHIA (TO)" in rows(), 10), f"the list shows the comuni found: {rows()[:5]}")
        lists = named(walk(application), LIST, "Elenco delle città")
        if lists and "BARDONECCHIA (TO)" in rows():
            # A list row's own action, as a screen reader offers it, selects the row.
            row = children(lists[0])[rows().index("BARDONECCHIA (TO)")]
            check("Toggle" in actions_of(row), f"a row can be selected: {actions_of(row)}")
            row.queryAction().doAction(actions_of(row).index("Toggle"))
            ok = named(walk(application), PUSH, "Conferma la città scelta")
            check(wait_for(lambda: named(walk(application), LABEL, "BARDONECCHIA (TO)")), "the selection picks the comune")
            if ok:
                press(ok[0])
                path = os.path.join(folder, "luogo.txt")
                check(wait_for(lambda: open(path, "rb").read() == b"BARDONECCHIA (TO)\r\n"),
                      "OK saves the comune in luogo.txt")
                check(wait_for(lambda: named(walk(application), PUSH, "Città del sole: BARDONECCHIA (TO). Cambia città")),
                      "the panel's city is the comune")
# The diary: Ctrl+D opens the selected day's; Aggiungi opens an entry's editor, whose
# fields are named; the plants written and Salva pressed, the entry is in the day's
# list, in the diary's file, and the day says it has entries.
subprocess.run(["xdotool", "search", "--name", "^Ortalba$", "windowfocus", "--sync", "key", "ctrl+d"],
               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
check(wait_for(lambda: named(walk(application), pyatspi.ROLE_DIALOG, "Diario dell'orto")), "Ctrl+D opens the diary")
add = named(walk(application), PUSH, "Aggiungi…")
check(len(add) == 1 and press(add[0]), "the diary's Aggiungi is a button that can be pressed")
fields = lambda: [n for n in walk(application) if n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)]
check(wait_for(lambda: any(n.name == "Piante" for n in fields())), "the new entry has a field named Piante")
for n in fields():
    if n.name == "Piante":
        n.queryEditableText().setTextContents("basilico genovese")
    elif n.name == "Nota":
        n.queryEditableText().setTextContents("scritto da un lettore di schermo")
save = named(walk(application), PUSH, "Salva")
check(len(save) == 1 and press(save[0]), "the entry's Salva is a button that can be pressed")
day_list = lambda: [i.name for l in named(walk(application), LIST, "Voci del giorno") for i in children(l)]
check(wait_for(lambda: any("basilico genovese" in (n or "") for n in day_list())),
      f"the entry is in the day's list: {day_list()}")
kept = lambda: sqlite3.connect(os.path.join(folder, "data", "ortalba", "diario.sqlite")).execute(
    "SELECT plants, note FROM entries").fetchall()
check(wait_for(lambda: kept() == [("basilico genovese", "scritto da un lettore di schermo")]), "and in the diary's file")
check(wait_for(lambda: named(walk(application), PUSH, start="10 ") and
               named(walk(application), PUSH, start="10 ")[0].name.endswith(", con voci nel diario")),
      "the day says it has entries in the diary")
close = [b for d in named(walk(application), pyatspi.ROLE_DIALOG, "Diario dell'orto")
         for b in named(walk(d), PUSH, "Chiudi")]
check(close and press(close[0]), "the diary closes with its Chiudi")

# The "?": pressed, it opens the help as a dialog, whose Close is Qt's own button
# and speaks Italian whatever the locale the almanac was started in.
aiuto = named(walk(application), PUSH, "Aiuto")
if aiuto:
    press(aiuto[0])
    check(wait_for(lambda: named(walk(application), pyatspi.ROLE_DIALOG, start="")), "the help opens as a dialog")
    check(wait_for(lambda: named(walk(application), PUSH, "Chiudi")), "the help's Close button reads Chiudi")

if failures:
    print(f"{len(failures)} problems")
    sys.exit(1)
print("the screen reader finds every control and can act on it")
