#!/usr/bin/env bash
# The program's main job on the shipped sample: builds the command-line tool
# and the Windows program, loads sample/sample.ged, draws the Birth Brief of
# its base individual @I1@ into build/sample/birthbrief.png (with a text dump
# beside it), a Selective Tree into build/sample/selective.png, a Tree of
# all of @I1@'s relatives into build/sample/fulltree.png (and as a BoxChart
# into fullbox.png), writes @I1@'s ancestors report to
# build/sample/ancestors.rtf, and starts dorvane.exe on the sample under Wine
# when a display is available.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$DORVANE_ROOT"
"$DORVANE_ROOT/scripts/install-deps.sh"
"$DORVANE_ROOT/scripts/mingw-deps.sh"
cmake -S . -B "$BUILD/native" -G Ninja >/dev/null
cmake --build "$BUILD/native" -j "$JOBS" --target dorvane-cli >/dev/null
sample="$DORVANE_ROOT/sample/sample.ged"
out="$BUILD/sample"
mkdir -p "$out"
if "$BUILD/native/cli/dorvane-cli" load "$sample"; then :; fi

# The Birth Brief of the sample's base individual, Isla Bronwen Carrick (@I1@),
# eight generations, as a PNG image and as a cell-by-cell text dump.
"$BUILD/native/cli/dorvane-cli" birthbrief "$sample" --base @I1@ --generations 8 \
  --png "$out/birthbrief.png" --dump "$out/birthbrief.txt"
echo "Birth Brief of @I1@: $out/birthbrief.png (image), $out/birthbrief.txt (cell dump)"

# A Selective Tree: the lines of descent from four of @I1@'s
# great-great-grandparents (Ahnentafel 16, 20, 26, 30) down to @I1@.
"$BUILD/native/cli/dorvane-cli" selective "$sample" --base @I1@ --select 16,20,26,30 \
  --png "$out/selective.png" --dump "$out/selective.txt"
echo "Selective Tree of @I1@: $out/selective.png (image), $out/selective.txt (cell dump)"

# The ancestors report of the same individual, as Rich Text with numbers,
# notes and generation subheadings.
"$BUILD/native/cli/dorvane-cli" report "$sample" --kind ancestors --base @I1@ --rtf \
  --out "$out/ancestors.rtf" --number --notes --subheadings --heading "Ancestors of Isla Bronwen Carrick"
echo "Ancestors report of @I1@: $out/ancestors.rtf"

# A full chart as a Tree: all relatives of @I1@ on its pages, with its
# title, as a PNG image; its printed pages as a text dump.
"$BUILD/native/cli/dorvane-cli" fullchart "$sample" --base @I1@ --people relatives \
  --title --png "$out/fulltree.png" --summary
"$BUILD/native/cli/dorvane-cli" fullchart "$sample" --base @I1@ --people relatives \
  --page-numbers bottom --dump "$out/fulltree.txt" --families "$out/fulltree.tsv"
echo "Full chart (Tree) of @I1@: $out/fulltree.png (image), $out/fulltree.txt (pages), $out/fulltree.tsv (families)"

# The same relatives as a BoxChart with coloured boxes.
"$BUILD/native/cli/dorvane-cli" fullchart "$sample" --base @I1@ --style box --colour-boxes \
  --no-page-breaks --png "$out/fullbox.png"
echo "Full chart (BoxChart) of @I1@: $out/fullbox.png (image)"

# The Selective Tree again, from the sample's own chart file (written by
# `dorvane-cli extract` from sample.ged).
"$BUILD/native/cli/dorvane-cli" stree "$DORVANE_ROOT/sample/sample.dvb" \
  --png "$out/selective-from-file.png"
echo "Selective Tree from sample/sample.dvb: $out/selective-from-file.png (image)"

arch=x86_64
"$DORVANE_ROOT/scripts/can-run-win32.sh" && arch=i686
cmake -S . -B "$BUILD/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$DORVANE_ROOT/cmake/mingw-$arch.cmake" >/dev/null
cmake --build "$BUILD/$arch" -j "$JOBS" --target dorvane >/dev/null
exe="$BUILD/$arch/win32/dorvane.exe"
if [ -n "${DISPLAY:-}" ]; then
  echo "Starting $exe on the sample under Wine (display $DISPLAY)"
  WINEPREFIX="$DORVANE_CACHE/wineprefix-gui" "$WINE" "$exe" "$(WINEPREFIX="$DORVANE_CACHE/wineprefix-gui" "$WINE" winepath -w "$sample" 2>/dev/null || echo "$sample")"
else
  echo "No display: built $exe; to see it, run under X:"
  echo "  xvfb-run -a $0    (or set DISPLAY and run this script again)"
fi
