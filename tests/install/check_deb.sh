#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a gardener gets it: installed with apt-get, started from
# its desktop launcher in an empty home folder on a real X server, a city chosen
# with the keyboard; then removed again.
set -euo pipefail
deb=$(readlink -f "$1")
export DEBIAN_FRONTEND=noninteractive

echo "== the package"
dpkg-deb -f "$deb" Package Version Depends
grep -q 'libqt6widgets6' <(dpkg-deb -f "$deb" Depends) || { echo "no library dependencies found"; exit 1; }
# Without a font the printed page has empty boxes for letters.
grep -q 'fonts-' <(dpkg-deb -f "$deb" Depends) || { echo "no font among the dependencies"; exit 1; }
# Without Qt's SQLite plugin there is no diary; dpkg-shlibdeps cannot see a plugin.
grep -q 'libqt6sql6-sqlite' <(dpkg-deb -f "$deb" Depends) || { echo "no SQLite driver among the dependencies"; exit 1; }

echo "== lintian: any error or warning fails"
# Not with --show-overrides: lintian 2.116 then fails on the overridden warnings too.
lintian --fail-on error,warning --display-info "$deb" || { echo "lintian finds faults"; exit 1; }
apt-get install -y -qq "$deb" >/dev/null
trap 'apt-get remove -y -qq ortalba >/dev/null 2>&1 || true' EXIT

test -x /usr/bin/ortalba
ortalba --version
desktop=/usr/share/applications/it.ortalba.Ortalba.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net /usr/share/metainfo/it.ortalba.Ortalba.metainfo.xml >/dev/null
test -f /usr/share/icons/hicolor/48x48/apps/it.ortalba.Ortalba.png
man -w ortalba >/dev/null
test -f /usr/share/doc/ortalba/copyright
grep -qF "($(dpkg-deb -f "$deb" Version))" <(zcat /usr/share/doc/ortalba/changelog.Debian.gz | head -1)

echo "== started from the menu in an empty home folder"
home=$(mktemp -d)
trap 'rm -rf "$home"; apt-get remove -y -qq ortalba >/dev/null 2>&1 || true' EXIT
launcher=$(sed -n 's/^Exec=//p' "$desktop")
cat > "$home/session.sh" <<SESSION
cd "$home"
$launcher 2>"$home/stderr.txt" &
pid=\$!
for i in \$(seq 50); do xdotool search --name '^Ortalba\$' >/dev/null 2>&1 && break; sleep 0.2; done
sleep 1
xdotool mousemove 200 200
xdotool key F4; sleep 0.5
xdotool key Down; sleep 0.3   # the city after ROMA in the list
xdotool key Return; sleep 0.8
kill \$pid
SESSION
env -i PATH="$PATH" HOME="$home" LANG=it_IT.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" bash "$home/session.sh"
test -f "$home/.config/ortalba/luogo.txt" || { echo "luogo.txt is not in the configuration folder"; ls -la "$home" "$home/.config" || true; exit 1; }
[ "$(cat "$home/.config/ortalba/luogo.txt")" = $'VITERBO\r' ] || { echo "luogo.txt holds: $(od -c "$home/.config/ortalba/luogo.txt")"; exit 1; }
test ! -e "$home/luogo.txt"
if [ -s "$home/stderr.txt" ]; then echo "the window said:"; cat "$home/stderr.txt"; fi

echo "== its notes, from the installed data folder"
(cd "$home/.config/ortalba" && env -i PATH="$PATH" HOME="$home" ortalba --month 2026-08 --pdf agosto.pdf)
# Read whole first: grep -q leaves at the first match, and under pipefail the
# writer's SIGPIPE would fail a page that is right.
page=$(pdftotext "$home/.config/ortalba/agosto.pdf" -)
grep -q "Giardino e Terrazzo" <<<"$page"
grep -q "Sole e Luna a VITERBO" <<<"$page"

echo "== the diary, in the gardener's data folder"
printf 'data;lavoro;piante;dove;quantità;nota;promemoria\r\n2027-03-12;Semina;pomodoro;aiuola 2;;"prima; seconda";2027-04-28\r\n' >"$home/orto.csv"
(cd "$home" && env -i PATH="$PATH" HOME="$home" ortalba --diario-importa orto.csv)
test "$(sqlite3 "$home/.local/share/ortalba/diario.sqlite" 'PRAGMA integrity_check')" = ok
listed=$(cd "$home" && env -i PATH="$PATH" HOME="$home" ortalba --diario)
grep -q "2027-03-12  Luna" <<<"$listed"
calendar=$(cd "$home" && env -i PATH="$PATH" HOME="$home" ortalba --ics 2027 --diario)
grep -q "BEGIN:VALARM" <<<"$calendar"

echo "== removed"
apt-get remove -y -qq ortalba >/dev/null
test ! -e /usr/bin/ortalba
trap 'rm -rf "$home"' EXIT
echo "the package installs, runs from the menu, keeps luogo.txt in ~/.config/ortalba and goes away"
