#!/usr/bin/env bash
# Builds everything and runs both test suites:
#   1. the native engine suite (GoogleTest under ctest) and the command-line tool checks;
#   2. the Windows suite: the mingw i686 build's tests under Wine (headless).
# Also builds the x86_64 Windows program and checks the product's PE headers.
# Exits non-zero when anything fails or when a test program did not run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$DORVANE_ROOT"

"$DORVANE_ROOT/scripts/install-deps.sh"
"$DORVANE_ROOT/scripts/mingw-deps.sh"

echo "== native build"
cmake -S . -B "$BUILD/native" -G Ninja -DDORVANE_BENCH=ON >/dev/null
cmake --build "$BUILD/native" -j "$JOBS"
echo "== native tests"
ctest --test-dir "$BUILD/native" --output-on-failure -j "$JOBS"

echo "== fuzz smoke run"
"$DORVANE_ROOT/scripts/fuzz.sh" --smoke

for arch in i686 x86_64; do
  echo "== mingw $arch build"
  cmake -S . -B "$BUILD/$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$DORVANE_ROOT/cmake/mingw-$arch.cmake" \
    >/dev/null
  cmake --build "$BUILD/$arch" -j "$JOBS"
done

echo "== product checks"
"$DORVANE_ROOT/scripts/check-pe.sh" "$BUILD/i686/win32/dorvane.exe" "$BUILD/x86_64/win32/dorvane.exe" \
  "$BUILD/i686/dist" "$BUILD/x86_64/dist"

echo "== Windows tests under Wine"
"$DORVANE_ROOT/scripts/wine-prefix.sh"
# The same tests are built for both architectures. The 64-bit build always
# runs; the 32-bit product build runs too wherever the kernel can execute
# 32-bit programs (some virtual machines cannot, and say so here).
ctest --test-dir "$BUILD/x86_64" --output-on-failure
if "$DORVANE_ROOT/scripts/can-run-win32.sh"; then
  ctest --test-dir "$BUILD/i686" --output-on-failure
else
  echo "NOTE: this kernel cannot execute 32-bit programs: the i686 tests were built but not run."
fi
wineserver -k 2>/dev/null || true
