#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the almanac under a real X server with a session bus and the AT-SPI
# registry, and lets the checker walk and drive its accessibility tree.
set -u
ortalba=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$here/../../Doc" "$folder/"
cat > "$folder/session.sh" <<SESSION
cd "$folder"
LANG=en_US.UTF-8 LC_ALL= QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$folder/data" "$ortalba" 2>"$folder/stderr.txt" &
pid=\$!
/usr/bin/python3 "$here/atspi_check.py" "$folder"
rc=\$?
kill \$pid 2>/dev/null
wait \$pid 2>/dev/null
exit \$rc
SESSION
dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" bash "$folder/session.sh" 2> >(grep -v -e 'fd limit' -e 'Activating service' -e 'Successfully activated' -e 'SpiRegistry' >&2)
