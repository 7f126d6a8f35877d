#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The running almanac as a screen reader finds it, through the real AT-SPI tree.

Walks the application's accessible objects, checks their roles, names and actions,
then acts as a screen reader user would: the next year, a day, the city chooser and
its OK, the help, each through an AT-SPI action, checking that the window changed.
Usage: atspi_check.py WORKING_FOLDER"""
import os
import re
import sys
import time

import pyatspi

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


def find_application(name):
    found = []

    def look():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            child = desktop.getChildAtIndex(i)
            if child is not None and child.name == name:
                found.append(child)
                return True
        return False

    wait_for(look, 20)
    return found[0] if found else None


def walk(node, out):
    out.append(node)
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, out)
    return out


def everything(application):
    return walk(application, [])


def named(nodes, role, name):
    return [n for n in nodes if n.getRole() == role and n.name == name]


def actions_of(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            return action.doAction(i)
    return False


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, -1)


def title(nodes):
    """The month and year over the grid: "DICEMBRE 2026"."""
    for n in nodes:
        if n.getRole() == pyatspi.ROLE_LABEL and re.fullmatch(r"[A-Z]+ \d{1,4}", n.name or ""):
            return n.name
    return None


folder = sys.argv[1]
application = find_application("ortalba")
if application is None:
    print("FAIL the almanac is not in the accessibility tree")
    sys.exit(1)
nodes = everything(application)

# Roles, names and actions.
buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
for name in ["Anno precedente", "Anno successivo", "Data odierna: torna a oggi", "Aiuto"] + [
        "Mostra " + m for m in ("gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio",
                                "agosto", "settembre", "ottobre", "novembre", "dicembre")]:
    found = named(nodes, pyatspi.ROLE_PUSH_BUTTON, name)
    check(len(found) == 1, f"one button {name!r}, found {len(found)}")
    if found:
        check("Press" in actions_of(found[0]), f"{name!r} can be pressed")
        check(found[0].getState().contains(pyatspi.STATE_FOCUSABLE), f"{name!r} takes the focus")
days = [b for b in buttons if re.match(r"\d{1,2} [a-z]+, [a-zì]+", b.name or "")]
check(len(days) >= 28, f"a button a day, found {len(days)}")
check(all("Press" in actions_of(d) for d in days), "every day can be pressed")
check(all(re.search(r", (crescente|calante)$", d.name) for d in days), "every day says where the moon goes")
city = [b for b in buttons if (b.name or "").startswith("Città del sole: ")]
check(len(city) == 1, "the city is a button")
notes = [n for n in nodes if n.getRole() == pyatspi.ROLE_DOCUMENT_FRAME or n.getRole() == pyatspi.ROLE_DOCUMENT_TEXT]
check(len(notes) == 1, f"the notes are one document, found {len(notes)}")
if notes:
    check("Orto e Frutteto" in (text_of(notes[0]) or ""), "the notes' text can be read")
lists = named(nodes, pyatspi.ROLE_LIST, "Elenco delle città")
check(len(lists) == 1, "the city list is a list")
if lists:
    items = [lists[0].getChildAtIndex(i) for i in range(lists[0].childCount)]
    items = [i for i in items if i is not None and i.getRole() == pyatspi.ROLE_LIST_ITEM]
    check(len(items) == 108, f"108 cities, found {len(items)}")
labels = [n for n in nodes if n.getRole() == pyatspi.ROLE_LABEL]
for caption in ("Il Santo", "Il Sole a:", "Sorge:", "Tramonta:"):
    found = [l for l in labels if l.name == caption]
    check(len(found) == 1 and text_of(found[0]) == caption, f"the panel's {caption!r} is text")
sunrise = [l for l in labels if re.fullmatch(r"\d\d:\d\d|--:--", l.name or "")]
check(len(sunrise) == 2, "sunrise and sunset are text")
check(any("ora solare" in (l.description or "") for l in sunrise), "the sun times say they are ora solare")
fillers = [n for n in nodes if n.getRole() == pyatspi.ROLE_FILLER and not n.name and
           n.getState().contains(pyatspi.STATE_SHOWING) and n.getState().contains(pyatspi.STATE_VISIBLE)]
check(not fillers, "no nameless fillers for the bars and pictures: " +
      ", ".join(f"{f.getRoleName()} in {f.parent.getRoleName()} {f.parent.name!r}" for f in fillers[:5]))

# The next year, through its action.
before = title(nodes)
check(before is not None, "the month's title is text")
nxt = named(nodes, pyatspi.ROLE_PUSH_BUTTON, "Anno successivo")
if before and nxt:
    month, year = before.split()
    check(press(nxt[0]), "the next year's action runs")
    check(wait_for(lambda: title(everything(application)) == f"{month} {int(year) + 1}"),
          f"after the next year the title reads {month} {int(year) + 1}, not {title(everything(application))}")

# A day, through its action: the panel shows it.
nodes = everything(application)
tenth = [b for b in nodes if b.getRole() == pyatspi.ROLE_PUSH_BUTTON and (b.name or "").startswith("10 ")]
check(len(tenth) == 1, "one button for the tenth")
if tenth:
    press(tenth[0])
    check(wait_for(lambda: any(l.getRole() == pyatspi.ROLE_LABEL and l.name == "10"
                               for l in everything(application))), "the panel shows the tenth")

# The city chooser: the city in focus is the list's one selection; OK saves it.
city = [b for b in everything(application) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON and
        (b.name or "").startswith("Città del sole: ")]
if city:
    press(city[0])

    def selected_cities():
        found = named(everything(application), pyatspi.ROLE_LIST, "Elenco delle città")
        if not found:
            return []
        chosen = []
        for i in range(found[0].childCount):
            item = found[0].getChildAtIndex(i)
            if item is not None and item.getState().contains(pyatspi.STATE_SELECTED):
                chosen.append(item.name)
        return chosen

    check(wait_for(lambda: selected_cities() == ["ROMA"]), f"the list's selection is ROMA alone: {selected_cities()}")
    ok = named(everything(application), pyatspi.ROLE_PUSH_BUTTON, "Conferma la città scelta")
    check(len(ok) == 1, "OK is a button")
    if ok:
        press(ok[0])
        path = os.path.join(folder, "luogo.txt")
        check(wait_for(lambda: open(path, "rb").read() == b"ROMA\r\n"), "OK through its action saves luogo.txt")

# The "?": pressed, it opens the help as a dialog.
aiuto = named(everything(application), pyatspi.ROLE_PUSH_BUTTON, "Aiuto")
if aiuto:
    press(aiuto[0])
    check(wait_for(lambda: any(n.getRole() == pyatspi.ROLE_DIALOG for n in everything(application))),
          "the help opens as a dialog")

if failures:
    print(f"{len(failures)} problems")
    sys.exit(1)
print("the screen reader finds every control and can act on it")
