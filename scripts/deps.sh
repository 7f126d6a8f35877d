#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and testing Ortalba needs on Debian 12 (run as root).
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libqt6sql6-sqlite sqlite3
          libgl-dev fonts-dejavu-core
          libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
          xvfb xauth xdotool python3 python3-icalendar poppler-utils
          qt6-translations-l10n appstream desktop-file-utils dpkg-dev file
          dbus at-spi2-core python3-pyatspi lintian locales)
missing=()
for p in "${packages[@]}"; do
  grep -q "install ok installed" <(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The notes are read the same under any locale; the tests try a Turkish one, whose
# capital I does not lower to i.
if ! grep -qix 'tr_TR.utf8' <(locale -a 2>/dev/null); then
  localedef -i tr_TR -f UTF-8 tr_TR.UTF-8
fi
