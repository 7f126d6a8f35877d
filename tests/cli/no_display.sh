#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window without a graphical session: one Italian line, exit code 1, no Qt
# text and no abort (the printer needs none: MonthPdf); --version answers.
set -u
ortalba=$1
expected="ortalba: la finestra dell'almanacco ha bisogno di una sessione grafica; senza, ortalba --month AAAA-MM stampa il mese"
status=0
check() {  # what, command...
  local what=$1; shift
  local err rc
  err=$("$@" 2>&1 >/dev/null); rc=$?
  if [ "$rc" -ne 1 ] || [ "$err" != "$expected" ]; then
    echo "FAIL $what: exit $rc, stderr: $err"; status=1
  fi
}
check "no DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$ortalba"
check "a DISPLAY with no server" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:9753 "$ortalba"
check "from the menu, no DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$ortalba" --cartella-utente
version=$("$ortalba" --version)
[[ "$version" =~ ^ortalba\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "FAIL --version: $version"; status=1; }
[ "$status" -eq 0 ] && echo "the window without a display says so in one line"
exit $status
