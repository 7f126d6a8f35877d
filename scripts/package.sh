#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of Ortalba into build-deb/ (run as root on Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DORTALBA_TESTS=OFF -DORTALBA_BENCH=OFF >/dev/null
cmake --build build-deb -j"$(nproc)"
rm -f build-deb/ortalba_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/ortalba_*.deb
