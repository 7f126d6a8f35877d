#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The diary on the command line, with real files and real processes: 10,000 entries
# imported and exported back to the same bytes; imports killed at random moments;
# damaged diaries set aside; a read-only data folder (as an ordinary user); two
# imports at once; the reminders in the phone calendar; the entries on the page.
#   diary_files.sh ORTALBA SOURCE_DIR
set -u
ortalba=$(readlink -f "$1")
source_dir=$(readlink -f "$2")
make_csv="/usr/bin/python3 $source_dir/tests/diary/make_diary_csv.py"
work=$(mktemp -d)
chmod 755 "$work"
passed=0
failed=0
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export -n XDG_RUNTIME_DIR

check() {  # NAME COMMAND...: the command must succeed
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
count() { sqlite3 "$1" 'SELECT count(*) FROM entries'; }
whole() { [ "$(sqlite3 "$1" 'PRAGMA integrity_check')" = ok ]; }

export XDG_DATA_HOME=$work/data
diary=$work/data/ortalba/diario.sqlite

# ---- 10,000 entries with accents, quotes, semicolons and line breaks, and back --------
$make_csv big.csv 10000 1
"$ortalba" --diario-importa big.csv >out 2>err; rc=$?
check "10,000 entries imported" sh -c "[ $rc -eq 0 ] && grep -qx 'Aggiunte 10000 voci al diario.' out && [ ! -s err ]"
check "the diary is whole" whole "$diary"
check "and holds them all" test "$(count "$diary")" -eq 10000
"$ortalba" --diario-esporta back.csv 2>err
check "exported back to the very same bytes" cmp big.csv back.csv
"$ortalba" --diario-importa big.csv >out 2>err
check "imported again, nothing is added twice" grep -qx "Nessuna voce aggiunta al diario; 10000 c.erano già." out
check "and the diary holds them once" test "$(count "$diary")" -eq 10000

# ---- the entries as JSON, between two days; the reminders in the calendar ------------
"$ortalba" --diario --json --da 2021-03-01 --a 2021-03-31 >march.json
check "--diario --json --da --a lists the entries of those days" /usr/bin/python3 -c "
import csv, json, sys
rows = [r for r in csv.DictReader(open('big.csv', encoding='utf-8', newline=''), delimiter=';') if '2021-03-01' <= r['data'] <= '2021-03-31']
got = json.load(open('march.json', encoding='utf-8'))
sys.exit(not (rows and [(r['data'], r['piante'], r['nota']) for r in rows] == [(e['data'], e['piante'], e['nota']) for e in got]
              and all(e['luna'].startswith(('Luna ', 'Primo', 'Ultimo')) for e in got)))"
"$ortalba" --ics 2027 --city MILANO --diario >year.ics
check "a VALARM for each reminder of the year" /usr/bin/python3 -c "
import csv, sys
due = sum(1 for r in csv.DictReader(open('big.csv', encoding='utf-8', newline=''), delimiter=';') if r['promemoria'].startswith('2027-'))
text = open('year.ics', encoding='utf-8').read()
sys.exit(not (due > 0 and text.count('BEGIN:VALARM') == due))"
check "the calendar with the diary reads as iCalendar" /usr/bin/python3 "$source_dir/tests/ics/validate_ics.py" year.ics

# ---- the month's entries under its table -----------------------------------------------
if command -v pdftotext >/dev/null; then
  (cd "$source_dir" && "$ortalba" --month 2021-03 --city MILANO --pdf "$work/march.pdf" --diario)
  page=$(pdftotext march.pdf -)
  check "the page has the diary's entries" grep -q "Dal diario dell'orto" <<<"$page"
  # Eight entries fit once the rows shrink for them: their letters stay those of one entry.
  for n in 1 8; do
    { echo 'data;lavoro;piante;dove;quantità;nota;promemoria'
      for i in $(seq 1 $n); do printf '2027-03-%02d;seminare;fagioli Quarantino %d;aiuola %d;;nota breve %d;\n' $i $i $i $i; done
    } >page$n.csv
    XDG_DATA_HOME=$work/page$n "$ortalba" --diario-importa page$n.csv >/dev/null
    (cd "$source_dir" && XDG_DATA_HOME=$work/page$n "$ortalba" --month 2027-03 --city MILANO --pdf "$work/page$n.pdf" --diario)
    pdftotext -bbox page$n.pdf page$n.html
  done
  check "eight entries keep the letters of one" /usr/bin/python3 -c "
import re
def height(name):
    word = re.search(r'yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">Quarantino<', open(name).read())
    return float(word[2]) - float(word[1])
exit(abs(height('page1.html') - height('page8.html')) > 0.01)"
fi

# ---- a faulty file changes nothing, and says its line ----------------------------------
{ head -5 big.csv; printf '2026-02-30;Semina;fave;;;;\r\n'; } >faulty.csv
before=$(sha256sum "$diary")
"$ortalba" --diario-importa faulty.csv 2>err
check "a faulty file: exit 1" test $? -eq 1
check "says its line" grep -q 'faulty.csv, riga [0-9]*: data non valida «2026-02-30»' err
check "and the diary is as it was" test "$(sha256sum "$diary")" = "$before"

# ---- imports killed at random moments: the diary has all of one or none of it -----------
export XDG_DATA_HOME=$work/killed
killed=$work/killed/ortalba/diario.sqlite
$make_csv small.csv 3 2
"$ortalba" --diario-importa small.csv >/dev/null
midway=0
for round in $(seq 1 12); do
  "$ortalba" --diario-importa big.csv >/dev/null 2>&1 &
  pid=$!
  # Half the rounds at any moment, half once the change has begun (its journal is there).
  if [ $((round % 2)) -eq 0 ]; then
    for _ in $(seq 1 20000); do [ -e "$killed-journal" ] && break; done
  fi
  sleep "0.0$((RANDOM % 10))"
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  [ -e "$killed-journal" ] && midway=$((midway + 1))
  check "killed in round $round: the diary is whole" whole "$killed"
  n=$(count "$killed")
  check "killed in round $round: the import is all in or all out ($n)" sh -c "[ $n -eq 3 ] || [ $n -eq 10003 ]"
  [ "$n" -eq 10003 ] && sqlite3 "$killed" 'DELETE FROM entries WHERE id > 3'
done
echo "imports killed in the middle of their change: $midway of 12"
check "the almanac reads the diary after the kills" sh -c "'$ortalba' --diario | head -1 | grep -qx 'Diario dell.orto: 3 voci'"

# ---- two imports at once: both are kept --------------------------------------------------
export XDG_DATA_HOME=$work/both
$make_csv one.csv 3000 3 2030-01-01
$make_csv two.csv 3000 4 2040-01-01
"$ortalba" --diario-importa one.csv >/dev/null 2>err1 &
first=$!
"$ortalba" --diario-importa two.csv >/dev/null 2>err2 &
second=$!
wait $first; rc1=$?
wait $second; rc2=$?
check "two imports at once both end well" sh -c "[ $rc1 -eq 0 ] && [ $rc2 -eq 0 ]"
check "and both are kept" test "$(count "$work/both/ortalba/diario.sqlite")" -eq 6000

# ---- a file that is not a whole diary is set aside, and a new diary begins ---------------
export XDG_DATA_HOME=$work/damaged
mkdir -p damaged/ortalba
today=$(date +%F)
cp "$diary" whole.sqlite
for kind in text noise cut; do
  case $kind in
    text) printf 'data;lavoro\n2026-03-12;Semina\n' >damaged/ortalba/diario.sqlite ;;
    noise) head -c 65536 /dev/urandom >damaged/ortalba/diario.sqlite ;;
    cut) head -c $(($(stat -c %s whole.sqlite) / 2)) whole.sqlite >damaged/ortalba/diario.sqlite ;;
  esac
  cp damaged/ortalba/diario.sqlite "was-$kind"
  "$ortalba" --diario >out 2>err; rc=$?
  check "$kind: the diary is read all the same" test $rc -eq 0
  aside=$(ls damaged/ortalba | grep "^diario-danneggiato-$today" | sort -V | tail -1)
  check "$kind: said, in Italian, with where it went" grep -q "messo da parte così com'era, come $aside" err
  check "$kind: set aside as it was" cmp "was-$kind" "damaged/ortalba/$aside"
  "$ortalba" --diario-importa small.csv >/dev/null 2>&1
  check "$kind: a new diary works" sh -c "[ \"\$(sqlite3 damaged/ortalba/diario.sqlite 'PRAGMA integrity_check; SELECT count(*) FROM entries' | tr '\n' ' ')\" = 'ok 3 ' ]"
done
check "three set aside, none written over" test "$(ls damaged/ortalba | grep -c danneggiato)" -eq 3

# ---- a read-only data folder, as an ordinary user: nothing changes, and it is said --------
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
  mkdir -p user/bin user/data/ortalba user/empty/ortalba
  cp "$ortalba" user/bin/
  $make_csv user/other.csv 3 5 2031-01-01
  XDG_DATA_HOME=$work/user/data "$ortalba" --diario-importa small.csv >/dev/null
  chown -R nobody:nogroup user/data user/empty
  chmod 555 user/data/ortalba user/empty/ortalba
  chmod -R a+rX user
  as_user() {
    env XDG_DATA_HOME="$work/user/$1" HOME="$work/user" setpriv --reuid=nobody --regid=nogroup --clear-groups -- \
      "$work/user/bin/$(basename "$ortalba")" --diario-importa "$work/user/other.csv" >/dev/null 2>err
  }
  before=$(sha256sum user/data/ortalba/diario.sqlite)
  as_user data; rc=$?
  check "read-only folder: the import fails, exit 1" test $rc -eq 1
  check "read-only folder: and says why" grep -q "non si può scrivere (permesso negato)" err
  check "read-only folder: the diary is as it was" test "$(sha256sum user/data/ortalba/diario.sqlite)" = "$before"
  check "read-only folder: nothing new beside it" test "$(ls -A user/data/ortalba)" = diario.sqlite
  as_user empty; rc=$?
  check "read-only folder without a diary: exit 1" test $rc -eq 1
  check "read-only folder without a diary: and says why" grep -q "non si può usare" err
  check "read-only folder without a diary: nothing is made" test -z "$(ls -A user/empty/ortalba)"
else
  echo "skipped: the ordinary user's part needs root, the user nobody and setpriv"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
