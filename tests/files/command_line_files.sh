#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line against unlucky and hostile files: a full or closed output,
# pipes, devices, links, another user's files; as root and, where permissions
# matter, as an ordinary user.
#   command_line_files.sh ORTALBA PLATFORM_TESTS LSAN_SUPPRESSIONS
set -u
ortalba=$(readlink -f "$1")
platform_tests=$(readlink -f "$2")
suppressions=$(readlink -f "$3")
work=$(mktemp -d)
chmod 755 "$work"
passed=0
failed=0
cleanup() {
  rm -rf "$work"
}
trap cleanup EXIT

check() {  # NAME COMMAND...: the command must succeed
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
  fi
}

# One line on stderr, and it is ours.
one_line() { [ "$(wc -l <"$1")" -eq 1 ] && head -c 9 "$1" | grep -qx 'ortalba: '; }
rc_is() { [ "$1" -eq "$2" ]; }

cd "$work" || exit 1
mkdir -p Doc out
export -n XDG_RUNTIME_DIR  # as under cron or su: Qt must not complain on stderr

# A full device of our own where root may make one: should a write ever replace
# the device with a file, it is this one and not the system's /dev/full.
full=/dev/full
if [ "$(id -u)" -eq 0 ] && mknod -m 666 "$work/full" c 1 7 2>/dev/null; then full=$work/full; fi

# ---- every mode: to a full output, to a closed one, and to a file -------------
modes=("--month 2026-03 --city MILANO" "--month 2026-03 --city MILANO --json" "--ics 2026 --city MILANO"
       "--help" "--month 2026-03 --city MILANO --pdf /dev/stdout")
for mode in "${modes[@]}"; do
  # shellcheck disable=SC2086
  "$ortalba" $mode >"$full" 2>err; rc=$?
  check "$mode to a full output exits 1" rc_is $rc 1
  check "$mode to a full output says so in one line" one_line err
  # shellcheck disable=SC2086
  "$ortalba" $mode >&- 2>err; rc=$?
  check "$mode to a closed output exits 1" rc_is $rc 1
  check "$mode to a closed output says so in one line" one_line err
  # shellcheck disable=SC2086
  "$ortalba" $mode >out/stdout 2>err; rc=$?
  check "$mode to a file succeeds" rc_is $rc 0
  check "$mode to a file leaves stderr empty" test ! -s err
done
check "the page to /dev/stdout is a PDF" sh -c 'head -c 5 out/stdout | grep -q "%PDF-"'
"$ortalba" --month 2026-03 --city MILANO --pdf /dev/stdout 2>err | head -c 5 >out/piped
check "the page through a pipe is a PDF" grep -q '%PDF-' out/piped

# ---- devices and pipes given to --pdf are written in place --------------------
"$ortalba" --month 2026-03 --city MILANO --pdf "$full" 2>err; rc=$?
check "a full device exits 1" rc_is $rc 1
check "a full device says so in one line" one_line err
check "and why" grep -q 'il disco è pieno' err
check "the device is still a device" test -c "$full"
check "/dev/full is still a device" test -c /dev/full

mkfifo pipe
timeout 20 "$ortalba" --month 2026-03 --city MILANO --pdf pipe 2>err; rc=$?
check "a pipe nobody reads fails at once (exit 1, not a hang)" rc_is $rc 1
check "a pipe nobody reads says so in one line" one_line err
check "the pipe is still a pipe" test -p pipe
timeout 20 cat pipe >out/from-pipe &
reader=$!
timeout 20 "$ortalba" --month 2026-03 --city MILANO --pdf pipe 2>err; rc=$?
wait $reader
check "a pipe with a reader gets the page" rc_is $rc 0
check "what came through the pipe is a PDF" grep -q '%PDF-' out/from-pipe

# ---- reading never waits: luogo.txt or a notes document as a pipe --------------
mkfifo luogo.txt Doc/Dic.rtf
timeout 20 "$ortalba" --month 2026-03 >out/table 2>err; rc=$?
check "luogo.txt as a pipe: the month prints at once" rc_is $rc 0
check "luogo.txt as a pipe: read as no city, so ROMA" grep -q '^MARZO 2026 - ROMA$' out/table
timeout 20 "$ortalba" --month 2026-12 --city MILANO --pdf out/dicembre.pdf 2>err; rc=$?
check "the notes as a pipe: the page is drawn at once" rc_is $rc 0
check "the notes as a pipe: a PDF all the same" grep -q '%PDF-' out/dicembre.pdf
rm -f luogo.txt Doc/Dic.rtf

# ---- no font to draw with: said, and no page of empty boxes -----------------------
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >nofonts.conf
for mode in "--month 2026-03" "--year 2026"; do
  # shellcheck disable=SC2086
  FONTCONFIG_FILE=$work/nofonts.conf "$ortalba" $mode --pdf out/nofonts.pdf 2>err; rc=$?
  check "$mode without fonts exits 1" rc_is $rc 1
  check "$mode without fonts says so in one line" one_line err
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
check "and nothing is left beside it" test "$(ls -A out | grep -c ortalba)" -eq 0

# ---- a link to another user's page (a full disk and the other kinds of file are
# tried on the writer itself, in the platform tests) ------------------------------
mkdir other
echo old >other/target.pdf
chmod 600 other/target.pdf
ln -s ../other/target.pdf out/link.pdf
if [ "$(id -u)" -eq 0 ]; then chown nobody:nogroup other/target.pdf; fi
"$ortalba" --month 2026-03 --city MILANO --pdf out/link.pdf 2>err; rc=$?
check "a link's target is replaced" sh -c "[ $rc -eq 0 ] && grep -q '%PDF-' other/target.pdf"
check "the link stays a link" test -L out/link.pdf
check "the target keeps its permissions" test "$(stat -c %a other/target.pdf)" = 600
if [ "$(id -u)" -eq 0 ]; then
  check "the target keeps its owner" test "$(stat -c %U other/target.pdf)" = nobody
fi
check "nothing is left aside" test "$(ls -A other out | grep -c '\.tmp$')" -eq 0

# ---- arguments -----------------------------------------------------------------
bad_arguments() {
  "$ortalba" "$@" >/dev/null 2>err; rc=$?
  check "a value with a line end or a blank after it is refused: $*" rc_is $rc 2
  check "and said in one line: $*" one_line err
}
bad_arguments --month $'2026-03\n'
bad_arguments --ics $'2026\n'
bad_arguments --month '2026-03 '
bad_arguments --month 2026-03 --city $'MILANO\n'
bad_arguments --month 2026-03 --pdf $'x.pdf\n'
"$ortalba" --month 2026-03 --city $'\xc2\x85X\xe2\x80\xaeY\xc2\x9b[2J\x1b]0;' >/dev/null 2>err; rc=$?
check "controls in a city name are refused" rc_is $rc 2
check "the echoed name is one line" one_line err
for raw in $'\xc2\x85' $'\xe2\x80\xae' $'\xc2\x9b' $'\x1b'; do
  check "no C1 control, direction override or escape reaches the terminal" sh -c "! LC_ALL=C grep -qF '$raw' err"
done

# ---- as an ordinary user -------------------------------------------------------
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
  mkdir -p user/bin user/home user/files
  cp "$ortalba" "$platform_tests" user/bin/
  cp "$suppressions" user/lsan.supp
  chmod -R a+rX user
  chown nobody:nogroup user/home user/files
  # root's files in the user's own folder: one only readable, one writable by all, a link to that one.
  echo TORINO >user/files/readable.txt && chmod 644 user/files/readable.txt
  echo TORINO >user/files/writable.txt && chmod 666 user/files/writable.txt
  ln -s writable.txt user/files/link-to-writable
  as_user() {
    env HOME="$work/user/home" LSAN_OPTIONS="suppressions=$work/user/lsan.supp:print_suppressions=0" \
      ORTALBA_FOREIGN_FILES="$work/user/files" \
      setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
  }
  (cd user/home && as_user "$work/user/bin/$(basename "$platform_tests")" --gtest_filter='SafeFileAsUser.*' \
    >"$work/user-gtest.log" 2>&1); rc=$?
  check "as a user: luogo.txt of another user is left alone" \
    sh -c "[ $rc -eq 0 ] && grep -q '\[  PASSED  \] 1 test' '$work/user-gtest.log' && ! grep -q SKIPPED '$work/user-gtest.log'"
  [ $rc -eq 0 ] || cat "$work/user-gtest.log"
  user_ortalba="$work/user/bin/$(basename "$ortalba")"
  for name in readable.txt writable.txt link-to-writable; do
    (cd user/home && as_user "$user_ortalba" --month 2026-03 --city MILANO --pdf "$work/user/files/$name" 2>"$work/err"); rc=$?
    check "as a user: --pdf over root's $name exits 1" rc_is $rc 1
    check "as a user: and says so in one line" one_line err
    check "as a user: root's $name is untouched" sh -c "[ \"\$(cat user/files/$name)\" = TORINO ] && [ \"\$(stat -L -c %U user/files/$name)\" = root ]"
  done
  (cd user/home && as_user "$user_ortalba" --month 2026-03 --city MILANO --pdf "$work/user/files/mine.pdf" 2>"$work/err"); rc=$?
  check "as a user: a page of one's own is written" sh -c "[ $rc -eq 0 ] && [ \"\$(stat -c %U user/files/mine.pdf)\" = nobody ]"
  check "as a user: with nothing on stderr" test ! -s err
  (cd user/home && as_user "$user_ortalba" --month 2026-03 --city MILANO --pdf "$full" 2>"$work/err"); rc=$?
  check "as a user: a full device exits 1" rc_is $rc 1
  check "as a user: the device is still a device" test -c "$full"
else
  echo "skipped: the ordinary user's part needs root, the user nobody and setpriv"
fi

check "the system's /dev/null is still a device" test -c /dev/null
check "the system's /dev/full is still a device" test -c /dev/full
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
