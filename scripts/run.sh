#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Ortalba and starts the almanac in the repository's folder
# (where the notes documents live and luogo.txt is kept).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target ortalba
exec ./build/app/platform/ortalba "$@"
