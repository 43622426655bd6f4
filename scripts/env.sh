# Common locations for the build scripts; sourced, not run.
DORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DORVANE_CACHE=${DORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/dorvane}
export DORVANE_MINGW_DEPS=${DORVANE_MINGW_DEPS:-$DORVANE_CACHE/mingw-deps}
export WINEPREFIX=${DORVANE_WINEPREFIX:-$DORVANE_CACHE/wineprefix-win64}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder stays off: shortcuts and file types the installer makes in
# the prefix must not turn into menu entries on the machine running the tests.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
BUILD=${DORVANE_BUILD:-$DORVANE_ROOT/build}
JOBS=${JOBS:-$(nproc)}
# The 64-bit Wine loader, called directly: the `wine` wrapper prefers the
# 32-bit loader, which cannot start on a kernel without 32-bit support.
export WINELOADER=/usr/lib/wine/wine64
WINE=$WINELOADER
