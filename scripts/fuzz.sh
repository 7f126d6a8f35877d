#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time from the
# seed corpus kept in fuzz/corpus (new inputs go to a scratch folder, not the repository).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
bash scripts/deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORTALBA_FUZZ=ON \
  -DORTALBA_GUI=OFF -DORTALBA_TESTS=OFF -DORTALBA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target rtf_fuzz city_file_fuzz arguments_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$PWD
status=0
for target in rtf city_file arguments; do
  mkdir -p "$work/$target"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="$root/fuzz/$target.dict")
  echo "== fuzzing $target for ${seconds}s"
  rc=0
  (cd "$work" && "$root/build-fuzz/fuzz/${target}_fuzz" "${dict[@]}" -max_total_time="$seconds" -max_len=65536 \
      -print_final_stats=1 "$work/$target" "$root/fuzz/corpus/$target") >"$work/$target.log" 2>&1 || rc=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/$target.log" || true
  if [ "$rc" -ne 0 ]; then
    echo "fuzzing $target found a problem:"
    grep -E -A30 '==[0-9]+==ERROR|deadly signal' "$work/$target.log" | head -60
    status=1
  fi
done
exit $status
