#!/usr/bin/env bash
# Cross-builds the third-party libraries the Windows program links statically,
# from Debian's source packages, into a cache outside the work tree.
# zlib comes ready-made from libz-mingw-w64-dev.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
mkdir -p "$DORVANE_MINGW_DEPS"
