#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of Ortalba into build-deb/ (run as root on Debian 12).
# Only what the package holds is built (the target ortalba_package: the program,
# its icons, manual page and changelog), incrementally, with Debian's own compiler
# flags. The build folder is build-deb, or the one named by ORTALBA_BUILD: CI gives
# it the test build's folder, so the tests then run on the very objects packaged
# and nothing is compiled twice.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${ORTALBA_BUILD:-build-deb}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# RelWithDebInfo is -O2 -g as Debian builds; cpack strips the program. Every option
# the package depends on is given here, so an earlier configuration of a shared
# folder cannot change the package. CMAKE_SKIP_INSTALL_ALL_DEPENDENCY keeps cpack
# from building the whole folder (tests included) before it installs.
cmake --preset package -B "$build" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc)" --target ortalba_package
mkdir -p build-deb
rm -f build-deb/ortalba_*.deb
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$PWD/build-deb" >/dev/null
ls build-deb/ortalba_*.deb
