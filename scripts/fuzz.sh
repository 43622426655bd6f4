#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan) and runs each one.
#   scripts/fuzz.sh --smoke                 a few seconds per target (part of the tests)
#   scripts/fuzz.sh TARGET [SECONDS]        a longer run of one target
#   scripts/fuzz.sh --runs N TARGET [SECONDS]
#                                           N executions of one target (the long run:
#                                           10,000,000 each for the reader, loader and
#                                           settings targets); the grown corpus is kept
#                                           in build/fuzz-corpus/TARGET, then minimised
#                                           (-set_cover_merge=1) into fuzz/corpus/TARGET; SECONDS,
#                                           when given, ends the run earlier
# The long runs are meant for a shared machine: run them one at a time under
# `nice -n 19`, e.g. `nice -n 19 scripts/fuzz.sh --runs 10000000 fuzz_gedcom_loader`.
# To end one early, send the fuzzer SIGINT: the run is counted and merged as
# if it had finished. Do not pause one (SIGSTOP) for longer than a few
# seconds: libFuzzer times an input by the clock, and on SIGCONT reports the
# input it was running as a timeout (a false finding that ends the run).
# FUZZ_MAX_LEN (default 65536) caps a long run's input size: the loader
# and reader targets run about five times the executions a second with
# inputs of at most 4,096 bytes (corpus inputs are cut to it), at the cost
# of the features only longer inputs reach (several chunks, long lines);
# the corpus is still minimised over whole inputs.
# They schedule inputs without libFuzzer's entropic weighting, which with
# the loader's tens of thousands of features took a third of the time
# (-entropic=0: about 1.5 times the executions per second).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$DORVANE_ROOT"
CC=clang CXX=clang++ cmake -S . -B "$BUILD/fuzz" -G Ninja -DDORVANE_FUZZ=ON -DDORVANE_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD/fuzz" -j "$JOBS" >/dev/null
run() { # target seconds
  local corpus="$DORVANE_ROOT/fuzz/corpus/$1"
  local work; work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/"
  "$BUILD/fuzz/fuzz/$1" -max_total_time="$2" -max_len=65536 -timeout=10 -artifact_prefix="$work/" "$work" >"$work.log" 2>&1 \
    || { tail -50 "$work.log"; echo "fuzz: $1 failed"; return 1; }
  echo "fuzz: $1: $(grep -o 'Done [0-9]* runs' "$work.log" || true)"
  rm -rf "$work" "$work.log"
}
long_run() { # runs target [seconds]
  local corpus="$DORVANE_ROOT/fuzz/corpus/$2"
  local grown="$BUILD/fuzz-corpus/$2"
  local log="$BUILD/fuzz-corpus/$2.log"
  mkdir -p "$grown" "$corpus"
  cp -r "$corpus/." "$grown/"
  # Findings (crash-*, leak-*, timeout-*) are written beside the log.
  # AddressSanitizer keeps a few hundred bytes for every thread ever made,
  # and most loads make one or two: over millions of inputs the resident
  # set grows past libFuzzer's default 2 GB limit (about 6 million loader
  # inputs), which would end the run as out of memory. The whole run may
  # use 8 GB; one input still may not allocate more than 2 GB.
  "$BUILD/fuzz/fuzz/$2" -runs="$1" -max_total_time="${3:-0}" -max_len="${FUZZ_MAX_LEN:-65536}" -timeout=10 -entropic=0 -print_final_stats=1 \
    -rss_limit_mb=8192 -malloc_limit_mb=2048 \
    -artifact_prefix="$BUILD/fuzz-corpus/$2-" "$grown" >"$log" 2>&1 \
    || grep -q 'libFuzzer: run interrupted' "$log" \
    || { tail -50 "$log"; echo "fuzz: $2 failed (log: $log)"; return 1; }
  # An interrupted run (SIGINT) ends like a finished one: counted and merged.
  echo "fuzz: $2: $(grep -o 'number_of_executed_units: [0-9]*' "$log" | tail -1) executions"
  # Minimised: a small set of inputs that keeps every feature the grown corpus reached.
  local merged; merged=$(mktemp -d)
  "$BUILD/fuzz/fuzz/$2" -set_cover_merge=1 -max_len=65536 "$merged" "$grown" >>"$log" 2>&1
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp "$merged"/* "$corpus/" 2>/dev/null || true
  rm -rf "$merged"
  echo "fuzz: $2: corpus minimised to $(ls "$corpus" | wc -l) files, $(du -sk "$corpus" | cut -f1) KB"
}
if [ "${1:-}" = "--smoke" ]; then
  for t in $(ls "$BUILD/fuzz/fuzz" | grep '^fuzz_' | grep -v '\.'); do run "$t" 10; done
elif [ "${1:-}" = "--runs" ]; then
  long_run "$2" "$3" "${4:-0}"
else
  run "$1" "${2:-60}"
fi
