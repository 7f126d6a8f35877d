#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for a fixed time from the
# seed corpus kept in fuzz/corpus (new inputs go to a scratch folder, not the repository).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
bash scripts/deps.sh
cmake --preset fuzz >/dev/null
# Each target with its seed corpus and dictionary; the layout one also with a time
# limit per input, as a document that makes the layout slow is a fault there.
targets=("rtf rtf" "city_file city_file" "arguments arguments")
available=$(cmake --build build-fuzz --target help)
if grep -q notes_layout_fuzz <<<"$available"; then
  targets+=("notes_layout rtf -timeout=2")
fi
names=()
for t in "${targets[@]}"; do read -r name _ <<<"$t"; names+=("${name}_fuzz"); done
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$PWD
status=0
# What the system libraries keep for the life of the process (fonts) is no leak of ours.
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
for t in "${targets[@]}"; do
  read -r target corpus options <<<"$t"
  mkdir -p "$work/$target"
  dict=()
  [ -f "fuzz/$corpus.dict" ] && dict=(-dict="$root/fuzz/$corpus.dict")
  echo "== fuzzing $target for ${seconds}s"
  rc=0
  # shellcheck disable=SC2086
  (cd "$work" && "$root/build-fuzz/fuzz/${target}_fuzz" "${dict[@]}" $options -max_total_time="$seconds" -max_len=65536 \
      -print_final_stats=1 "$work/$target" "$root/fuzz/corpus/$corpus") >"$work/$target.log" 2>&1 || rc=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/$target.log" || true
  if [ "$rc" -ne 0 ]; then
    echo "fuzzing $target found a problem:"
    grep -E -A30 '==[0-9]+==ERROR|deadly signal|ALARM: working on the last Unit' "$work/$target.log" | head -60
    status=1
  fi
done
exit $status
