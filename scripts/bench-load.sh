#!/usr/bin/env bash
# Whole-process load time against a bare line count, each in a fresh
# process: `dorvane-cli load` and `wc -l` of the same generated file, run
# alternately RUNS times; prints both medians, their ratio and the load's
# peak memory.
#   scripts/bench-load.sh [RUNS [INDIVIDUALS]]      defaults: 10 runs, 29,998 individuals
# Builds dorvane-cli and gen_gedcom (Release, with the benchmarks) into
# build/bench unless DORVANE_CLI and DORVANE_GEN name programs to use.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$DORVANE_ROOT"
RUNS=${1:-10}
PEOPLE=${2:-29998}
CLI=${DORVANE_CLI:-}
GEN=${DORVANE_GEN:-}
if [ -z "$CLI" ] || [ -z "$GEN" ]; then
  cmake -S . -B "$BUILD/bench" -G Ninja -DDORVANE_BENCH=ON -DDORVANE_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD/bench" -j "$JOBS" --target dorvane-cli gen_gedcom >/dev/null
  CLI=${CLI:-$BUILD/bench/cli/dorvane-cli}
  GEN=${GEN:-$BUILD/bench/bench/gen_gedcom}
fi
FILE=$(mktemp --suffix=.ged)
trap 'rm -f "$FILE"' EXIT
"$GEN" "$PEOPLE" 1 "$FILE" >/dev/null 2>&1
"$CLI" load "$FILE" >/dev/null  # also warms the page cache

# Microseconds of one run of a command (output discarded).
elapsed_us() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) ))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

load_times=() count_times=()
for ((i = 0; i < RUNS; i++)); do
  count_times+=("$(elapsed_us wc -l "$FILE")")
  load_times+=("$(elapsed_us "$CLI" load "$FILE")")
done
load=$(printf '%s\n' "${load_times[@]}" | median)
count=$(printf '%s\n' "${count_times[@]}" | median)
# Peak memory: the median of five runs' maximum resident set (it varies by
# a few hundred KB with where the threads' allocations land).
peak=-
if [ -x /usr/bin/time ]; then
  peak=$(for ((i = 0; i < 5; i++)); do
    { /usr/bin/time -f '%M' "$CLI" load "$FILE" >/dev/null; } 2>&1 | tail -1
  done | median)
fi
bytes=$(stat -c %s "$FILE")
awk -v l="$load" -v c="$count" -v p="$peak" -v b="$bytes" -v n="$PEOPLE" -v r="$RUNS" 'BEGIN {
  printf "file: %d individuals, %.1f MB; median of %d fresh processes each\n", n, b / 1e6, r
  printf "dorvane-cli load  %8.1f ms\n", l / 1000
  printf "wc -l             %8.1f ms\n", c / 1000
  printf "ratio             %8.1fx\n", l / c
  if (p != "-") printf "peak memory       %8.1f MiB (%.2fx the file)\n", p / 1024, p * 1024 / b
}'
