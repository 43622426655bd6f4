#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan) and runs each one.
#   scripts/fuzz.sh --smoke      a few seconds per target (part of the tests)
#   scripts/fuzz.sh TARGET [SECONDS]   a longer run of one target
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
if [ "${1:-}" = "--smoke" ]; then
  for t in $(ls "$BUILD/fuzz/fuzz" | grep '^fuzz_' | grep -v '\.'); do run "$t" 10; done
else
  run "$1" "${2:-60}"
fi
