#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line against unlucky and hostile files: a full or closed output, pipes, devices,
# its own output under other names, no fonts; as root and, where permissions matter, as an
# ordinary user. Links, another user's file and a full disk are tried on the writer (tests/platform).
#   command_line_files.sh ORTALBA LSAN_SUPPRESSIONS
set -u
ortalba=$(readlink -f "$1")
suppressions=$(readlink -f "$2")
work=$(mktemp -d)
chmod 755 "$work"
passed=0
failed=0
trap 'rm -rf "$work"' EXIT

check() {  # NAME COMMAND...: the command must succeed
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}

# One line on stderr, and it is ours.
one_line() { [ "$(wc -l <"$1")" -eq 1 ] && head -c 9 "$1" | grep -qx 'ortalba: '; }
ended() {  # NAME RC EXPECTED: the exit code, and a failure said in one line or a success in none
  check "$1: exit $3" test "$2" -eq "$3"
  if [ "$3" -eq 0 ]; then check "$1: stderr empty" test ! -s err; else check "$1: one line on stderr" one_line err; fi
}

cd "$work" || exit 1
mkdir -p out
export -n XDG_RUNTIME_DIR  # as under cron or su: Qt must not complain on stderr

# A full device of our own where root may make one: should a write ever replace
# the device with a file, it is this one and not the system's /dev/full.
full=/dev/full
if [ "$(id -u)" -eq 0 ] && mknod -m 666 "$work/full" c 1 7 2>/dev/null; then full=$work/full; fi

# ---- every mode: to a full output, to a closed one, and to a file -------------
modes=("--month 2026-03 --city MILANO" "--month 2026-03 --city MILANO --json" "--ics 2026 --city MILANO"
       "--help" "--month 2026-03 --city MILANO --pdf /dev/stdout")
# shellcheck disable=SC2086  # the modes are split into their words
for mode in "${modes[@]}"; do
  "$ortalba" $mode >"$full" 2>err; ended "$mode to a full output" $? 1
  "$ortalba" $mode >&- 2>err; ended "$mode to a closed output" $? 1
  "$ortalba" $mode >out/stdout 2>err; ended "$mode to a file" $? 0
done
check "the page to /dev/stdout is a PDF" sh -c 'head -c 5 out/stdout | grep -q "%PDF-"'

# ---- devices and pipes given to --pdf are written in place --------------------
"$ortalba" --month 2026-03 --city MILANO --pdf "$full" 2>err; ended "a full device" $? 1
check "and why" grep -q 'il disco è pieno' err
check "the device is still a device" test -c "$full"

mkfifo pipe
timeout 20 cat pipe >out/from-pipe &
reader=$!
timeout 20 "$ortalba" --month 2026-03 --city MILANO --pdf pipe 2>err; ended "a pipe with a reader" $? 0
wait $reader
check "what came through the pipe is a PDF" grep -q '%PDF-' out/from-pipe

# ---- no font to draw with: said, and no page of empty boxes -----------------------
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >nofonts.conf
# shellcheck disable=SC2086
for mode in "--month 2026-03" "--year 2026"; do
  FONTCONFIG_FILE=$work/nofonts.conf "$ortalba" $mode --pdf out/nofonts.pdf 2>err; ended "$mode without fonts" $? 1
  check "$mode without fonts writes nothing" test ! -e out/nofonts.pdf
done

# ---- without --city, the city the window remembers, from any folder --------------
mkdir -p home/.config/ortalba elsewhere
printf 'MILANO\r\n' >home/.config/ortalba/luogo.txt
remembered() { (cd elsewhere && env -u XDG_CONFIG_HOME HOME="$work/home" "$ortalba" --month 2026-12 | head -1); }
check "the city the menu's window keeps in the configuration folder" test "$(remembered)" = "DICEMBRE 2026 - MILANO"
printf 'TORINO\r\n' >elsewhere/luogo.txt
check "before it, luogo.txt of the working folder" test "$(remembered)" = "DICEMBRE 2026 - TORINO"

# ---- the program's own output under another name is written where the shell put it
echo HEADER >out/app.log
"$ortalba" --month 2026-03 --city MILANO --pdf /dev/stdout >>out/app.log 2>err; rc=$?
check "--pdf /dev/stdout appends where the shell opened it so" sh -c "[ $rc -eq 0 ] && head -1 out/app.log | grep -qx HEADER && grep -q '%PDF-' out/app.log"
{ echo before; "$ortalba" --month 2026-03 --city MILANO --pdf /proc/self/fd/1; echo after; } >out/both 2>err
check "--pdf /proc/self/fd/1 keeps what came before and after" sh -c "head -1 out/both | grep -qx before && tail -1 out/both | grep -qx after"

# ---- a legal name too long for a temporary name beside it ---------------------------
long=$(printf 'p%.0s' $(seq 1 251)).pdf
echo old >"out/$long"
"$ortalba" --month 2026-03 --city MILANO --pdf "out/$long" 2>err; rc=$?
check "a name of 255 bytes is written over" sh -c "[ $rc -eq 0 ] && grep -q '%PDF-' 'out/$long'"
check "and nothing is left beside it" test -z "$(find out -name "*ortalba*")"

# ---- arguments: what the echo hides is tried on shown() (tests/platform) ----------
"$ortalba" --month 2026-03 --city $'\xc2\x85X\xe2\x80\xaeY\xc2\x9b[2J\x1b]0;' >/dev/null 2>err
ended "controls in a city name" $? 2

# ---- as an ordinary user -------------------------------------------------------
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
  mkdir -p user/bin user/home user/files
  cp "$ortalba" user/bin/
  cp "$suppressions" user/lsan.supp
  chmod -R a+rX user
  chown nobody:nogroup user/home user/files
  # root's files in the user's own folder: one only readable, one writable by all, a link to that one.
  echo TORINO >user/files/readable.txt && chmod 644 user/files/readable.txt
  echo TORINO >user/files/writable.txt && chmod 666 user/files/writable.txt
  ln -s writable.txt user/files/link-to-writable
  as_user() {
    (cd user/home && env HOME="$work/user/home" LSAN_OPTIONS="suppressions=$work/user/lsan.supp:print_suppressions=0" \
      setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$work/user/bin/$(basename "$ortalba")" \
      --month 2026-03 --city MILANO --pdf "$work/user/files/$1" 2>"$work/err")
  }
  for case in "readable.txt:permesso negato" "writable.txt:il file è di un altro utente" \
              "link-to-writable:il file è di un altro utente"; do
    name=${case%%:*}
    as_user "$name"; ended "as a user: --pdf over root's $name" $? 1
    check "as a user: why: ${case#*:}" grep -q "${case#*:}" err
    check "as a user: root's $name is untouched" sh -c "[ \"\$(cat user/files/$name)\" = TORINO ] && [ \"\$(stat -L -c %U user/files/$name)\" = root ]"
  done
  as_user mine.pdf; ended "as a user: a page of one's own" $? 0
  check "as a user: a page of one's own is theirs" test "$(stat -c %U user/files/mine.pdf)" = nobody
  check "as a user: nothing is left beside the files" test "$(find user/files -mindepth 1 | wc -l)" -eq 4
else
  echo "skipped: the ordinary user's part needs root, the user nobody and setpriv"
fi

check "the system's /dev/null is still a device" test -c /dev/null
check "the system's /dev/full is still a device" test -c /dev/full
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
