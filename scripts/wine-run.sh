#!/usr/bin/env bash
# Runs a Windows program under the test Wine prefix (ctest's emulator).
# A 32-bit program needs Wine's 32-bit loader; where that loader is missing
# or the kernel cannot execute 32-bit programs, this fails loudly instead of
# letting the program "run" by doing nothing.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ ! -e "$WINEPREFIX/.dorvane-prefix-v1" ]; then
  "$DORVANE_ROOT/scripts/wine-prefix.sh" >&2 || exit 97
fi
case "$(file -b "$1" 2>/dev/null)" in
  *"Intel 80386"*)
    if ! "$DORVANE_ROOT/scripts/can-run-win32.sh"; then
      echo "wine-run: this machine cannot run 32-bit Windows programs; $1 did not run" >&2
      exit 98
    fi
    export WINELOADER=/usr/lib/wine/wine
    exec /usr/lib/wine/wine "$@" ;;
esac
exec "$WINE" "$@"
