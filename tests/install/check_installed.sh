#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and starts the installed program from an
# unrelated folder: it must find the notes installed beside it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
run=$(mktemp -d)
trap 'rm -rf "$prefix" "$run"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/ortalba"
test -f "$prefix/share/applications/it.ortalba.Ortalba.desktop"
test -f "$prefix/share/metainfo/it.ortalba.Ortalba.metainfo.xml"
test -f "$prefix/share/icons/hicolor/scalable/apps/it.ortalba.Ortalba.svg"
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/it.ortalba.Ortalba.png"
  grep -q "PNG image data, $size x $size" <(file "$png") || { echo "no $size x $size icon"; exit 1; }
done
grep -q '^\.SH OPZIONI' <(zcat "$prefix/share/man/man1/ortalba.1.gz")
test -f "$prefix/share/doc/ortalba/LICENSE"
diff -r "$(dirname "$0")/../../Doc" "$prefix/share/ortalba/Doc"
cd "$run"
env -u DISPLAY "$prefix/bin/ortalba" --month 2026-08 --city MILANO --pdf agosto.pdf
grep -q "Giardino e Terrazzo" <(pdftotext agosto.pdf -)
test ! -e luogo.txt
echo "installed almanac finds its notes from $run"
