#!/usr/bin/env bash
# Cross-builds the third-party libraries the Windows program links statically,
# from Debian's source packages, into a cache outside the work tree:
#   $DORVANE_MINGW_DEPS/<arch>/{include,lib}   for arch i686 and x86_64
# The toolchain files put that folder on CMAKE_FIND_ROOT_PATH, so
# find_package(PNG) finds the static libpng there. zlib comes ready-made from
# libz-mingw-w64-dev (/usr/<triplet>/lib/libz.a) and libpng is built against it.
#
# A stamp per architecture and library version makes a second run instant.
# Usage: scripts/mingw-deps.sh [i686|x86_64 ...]   (default: both)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
mkdir -p "$DORVANE_MINGW_DEPS"

# The version of the main archive: the security suite's source versions are
# not downloadable, so the source is pinned to bookworm main.
LIBPNG_VERSION=${LIBPNG_VERSION:-1.6.39-2+deb12u5}
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)

stamp_of() { echo "$DORVANE_MINGW_DEPS/$1/.stamp-libpng-$LIBPNG_VERSION"; }

todo=()
for arch in "${archs[@]}"; do
  case "$arch" in i686|x86_64) ;; *) echo "mingw-deps: unknown architecture $arch" >&2; exit 2 ;; esac
  [ -f "$(stamp_of "$arch")" ] || todo+=("$arch")
done
if [ ${#todo[@]} -eq 0 ]; then
  echo "mingw-deps: up to date in $DORVANE_MINGW_DEPS"
  exit 0
fi

src_root="$DORVANE_CACHE/src"
mkdir -p "$src_root"
upstream=${LIBPNG_VERSION%-*}          # 1.6.39
srcdir="$src_root/libpng1.6-$upstream"

# Source package, downloaded once. apt needs a deb-src entry for bookworm
# main; it goes into a sources file of its own so the system's list is left
# as it is.
if [ ! -f "$srcdir/.unpacked-$LIBPNG_VERSION" ]; then
  if ! apt-cache showsrc libpng1.6 2>/dev/null | grep -q '^Package:'; then
    srclist=/etc/apt/sources.list.d/dorvane-src.sources
    echo "mingw-deps: adding $srclist"
    cat >"$srclist" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt-get update -qq
  fi
  rm -rf "$srcdir" "$src_root/download"
  mkdir -p "$src_root/download"
  (cd "$src_root/download" && apt-get source -qq --download-only "libpng1.6=$LIBPNG_VERSION")
  dsc=$(ls "$src_root"/download/libpng1.6_*.dsc)
  dpkg-source --no-check -x "$dsc" "$srcdir" >/dev/null
  touch "$srcdir/.unpacked-$LIBPNG_VERSION"
fi

for arch in "${todo[@]}"; do
  triplet=$arch-w64-mingw32
  prefix="$DORVANE_MINGW_DEPS/$arch"
  build="$DORVANE_CACHE/build-libpng-$arch"
  start=$(date +%s)
  rm -rf "$build"
  mkdir -p "$build"
  # A toolchain of its own: the project's toolchain files look in the cache
  # this script is filling.
  cat >"$build/toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $arch)
set(CMAKE_C_COMPILER $triplet-gcc-posix)
set(CMAKE_RC_COMPILER $triplet-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triplet)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
EOF
  cmake -S "$srcdir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$build/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="/usr/$triplet/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="/usr/$triplet/include" >"$build/configure.log"
  cmake --build "$build" -j "${JOBS:-2}" >"$build/build.log"
  cmake --install "$build" >"$build/install.log"
  # Only the static library may be found: no import library, no DLL.
  rm -f "$prefix"/lib/*.dll.a "$prefix"/bin/*.dll
  rm -f "$prefix"/.stamp-libpng-*
  touch "$(stamp_of "$arch")"
  echo "mingw-deps: libpng $LIBPNG_VERSION for $arch in $prefix ($(( $(date +%s) - start )) s)"
done
