#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A diary file as a spreadsheet writes it, for the tests and the benchmarks: ENTRIES
entries from FIRST_DAY on, a few a day, with accents, quotes, semicolons and line
breaks in the notes and a reminder on one in three. Written by Python's own csv
module, so the almanac's reader is tried on another writer's file.
Usage: make_diary_csv.py FILE ENTRIES [SEED] [FIRST_DAY]"""
import csv
import datetime
import random
import sys

path, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
day = datetime.date.fromisoformat(sys.argv[4]) if len(sys.argv) > 4 else datetime.date(2020, 1, 1)
jobs = ["Semina", "Trapianto", "Raccolta", "Potatura", "Innesto", "Concimazione", "Irrigazione", "Acquisto semi"]
plants = ["pomodoro San Marzano", "pomodori ciliegini", "basilico", "zucchine", "fave", "cipolle di Tropea",
          "lattuga", "cetrioli", "peperoncino", "aglio", "carciofi", "fragole", "perché no: rucola"]
places = ["aiuola 1", "aiuola 2", "vaso sul balcone", "campo grande", "serra", "orto di città"]
notes = ["", "comprati al mercato; bustina \"Arcoiris\"", "seminati in alveolo\nda trapiantare", "caffè, però\r\npoco",
         "«varietà antica» di Mariù", "sotto la luna giusta", "tre righe\nuna\ndue", "\"tra virgolette\"; e punto e virgola",
         "l’orto è pieno di lumache…", "€ 2,50 al mercato"]
with open(path, "w", newline="", encoding="utf-8") as out:
    writer = csv.writer(out, delimiter=";", lineterminator="\r\n")
    writer.writerow(["data", "lavoro", "piante", "dove", "quantità", "nota", "promemoria"])
    for i in range(count):
        if rng.random() < 0.4:
            day += datetime.timedelta(days=1)
        reminder = (day + datetime.timedelta(days=rng.randint(7, 90))).isoformat() if i % 3 == 0 else ""
        writer.writerow([day.isoformat(), rng.choice(jobs), rng.choice(plants), rng.choice(places),
                         f"{rng.randint(1, 60)} semi" if rng.random() < 0.7 else "", rng.choice(notes), reminder])
