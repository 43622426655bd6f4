#!/usr/bin/env bash
# Cross-builds the third-party libraries the Windows program links statically,
# from Debian's source packages, into a cache outside the work tree:
#   $DORVANE_MINGW_DEPS/<arch>/{include,lib}   for arch i686 and x86_64
# The toolchain files put that folder on CMAKE_FIND_ROOT_PATH, so
# find_package(PNG), find_package(JPEG) and find_package(GIF) find the static
# libraries there. zlib comes ready-made from libz-mingw-w64-dev
# (/usr/<triplet>/lib/libz.a) and libpng is built against it. The libraries:
#   libpng 1.6        PNG images written and PNG pictures read
#   libjpeg-turbo     JPEG pictures (its libjpeg API; no SIMD, so no nasm)
#   giflib 5          GIF pictures (upstream has a plain Makefile that also
#                     makes tools and documentation: the library's C files
#                     are compiled here directly)
#
# A stamp per architecture, library and version makes a second run instant;
# a library is rebuilt alone when its version changes.
# Usage: scripts/mingw-deps.sh [i686|x86_64 ...]   (default: both)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
mkdir -p "$DORVANE_MINGW_DEPS"

# The versions of the main archive: the security suite's source versions are
# not downloadable, so the sources are pinned to bookworm main.
LIBPNG_VERSION=${LIBPNG_VERSION:-1.6.39-2+deb12u5}
LIBJPEG_VERSION=${LIBJPEG_VERSION:-1:2.1.5-2}
GIFLIB_VERSION=${GIFLIB_VERSION:-5.2.1-2.5+deb12u1}
archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)
for arch in "${archs[@]}"; do
  case "$arch" in i686|x86_64) ;; *) echo "mingw-deps: unknown architecture $arch" >&2; exit 2 ;; esac
done

# A stamp names library and version; an epoch's colon is left out of it.
stamp_of() { # arch library version
  echo "$DORVANE_MINGW_DEPS/$1/.stamp-$2-${3#*:}"
}
missing() { # library version: the architectures still to build
  local arch out=()
  for arch in "${archs[@]}"; do [ -f "$(stamp_of "$arch" "$1" "$2")" ] || out+=("$arch"); done
  echo "${out[@]:-}"
}

src_root="$DORVANE_CACHE/src"
mkdir -p "$src_root"

# Unpacks Debian source package $1 at version $2 into $3, downloaded once.
# apt needs a deb-src entry for bookworm main; it goes into a sources file of
# its own so the system's list is left as it is.
fetch_source() { # package version dir
  local package=$1 version=$2 dir=$3 marker="$3/.unpacked-${2#*:}"
  [ -f "$marker" ] && return 0
  if ! apt-cache showsrc "$package" 2>/dev/null | grep -q '^Package:'; then
    local srclist=/etc/apt/sources.list.d/dorvane-src.sources
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
  local download="$src_root/download-$package"
  rm -rf "$dir" "$download"
  mkdir -p "$download"
  (cd "$download" && apt-get source -qq --download-only "$package=$version")
  dpkg-source --no-check -x "$(ls "$download"/"$package"_*.dsc)" "$dir" >/dev/null
  rm -rf "$download"
  touch "$marker"
}

# A CMake toolchain of the build's own: the project's toolchain files look in
# the cache this script is filling.
write_toolchain() { # arch file
  local triplet=$1-w64-mingw32
  cat >"$2" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $1)
set(CMAKE_C_COMPILER $triplet-gcc-posix)
set(CMAKE_RC_COMPILER $triplet-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triplet)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
EOF
}

# Marks library $2 built for $1: only the static library may be found (no
# import library, no DLL), and the stamps of its older versions go.
finish() { # arch library version start
  local prefix="$DORVANE_MINGW_DEPS/$1"
  rm -f "$prefix"/lib/*.dll.a "$prefix"/bin/*.dll
  rm -f "$prefix"/.stamp-"$2"-*
  touch "$(stamp_of "$1" "$2" "$3")"
  echo "mingw-deps: $2 $3 for $1 in $prefix ($(( $(date +%s) - $4 )) s)"
}

built=0

# libpng over the static zlib.
read -ra todo <<<"$(missing libpng "$LIBPNG_VERSION")"
if [ ${#todo[@]} -gt 0 ]; then
  srcdir="$src_root/libpng1.6-${LIBPNG_VERSION%-*}"
  fetch_source libpng1.6 "$LIBPNG_VERSION" "$srcdir"
  for arch in "${todo[@]}"; do
    triplet=$arch-w64-mingw32
    prefix="$DORVANE_MINGW_DEPS/$arch"
    build="$DORVANE_CACHE/build-libpng-$arch"
    start=$(date +%s)
    rm -rf "$build" && mkdir -p "$build"
    write_toolchain "$arch" "$build/toolchain.cmake"
    cmake -S "$srcdir" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$build/toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DZLIB_LIBRARY="/usr/$triplet/lib/libz.a" \
      -DZLIB_INCLUDE_DIR="/usr/$triplet/include" >"$build/configure.log"
    cmake --build "$build" -j "${JOBS:-2}" >"$build/build.log"
    cmake --install "$build" >"$build/install.log"
    finish "$arch" libpng "$LIBPNG_VERSION" "$start"
    built=1
  done
fi

# libjpeg-turbo: the libjpeg library alone (no TurboJPEG API, no tools).
read -ra todo <<<"$(missing libjpeg-turbo "$LIBJPEG_VERSION")"
if [ ${#todo[@]} -gt 0 ]; then
  v=${LIBJPEG_VERSION#*:}
  srcdir="$src_root/libjpeg-turbo-${v%-*}"
  fetch_source libjpeg-turbo "$LIBJPEG_VERSION" "$srcdir"
  for arch in "${todo[@]}"; do
    prefix="$DORVANE_MINGW_DEPS/$arch"
    build="$DORVANE_CACHE/build-libjpeg-turbo-$arch"
    start=$(date +%s)
    rm -rf "$build" && mkdir -p "$build"
    write_toolchain "$arch" "$build/toolchain.cmake"
    cmake -S "$srcdir" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$build/toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
      -DREQUIRE_SIMD=OFF >"$build/configure.log"
    cmake --build "$build" -j "${JOBS:-2}" --target jpeg-static >"$build/build.log"
    # The library and its headers only: the tools are not wanted.
    mkdir -p "$prefix/lib" "$prefix/include"
    cp "$build/libjpeg.a" "$prefix/lib/libjpeg.a"
    cp "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" "$srcdir/jerror.h" "$build/jconfig.h" \
      "$prefix/include/"
    finish "$arch" libjpeg-turbo "$LIBJPEG_VERSION" "$start"
    built=1
  done
fi

# giflib 5: upstream builds with a plain Makefile that also makes the
# utilities and the documentation; the library is these C files.
read -ra todo <<<"$(missing giflib "$GIFLIB_VERSION")"
if [ ${#todo[@]} -gt 0 ]; then
  srcdir="$src_root/giflib-${GIFLIB_VERSION%%-*}"
  fetch_source giflib "$GIFLIB_VERSION" "$srcdir"
  for arch in "${todo[@]}"; do
    triplet=$arch-w64-mingw32
    prefix="$DORVANE_MINGW_DEPS/$arch"
    build="$DORVANE_CACHE/build-giflib-$arch"
    start=$(date +%s)
    rm -rf "$build" && mkdir -p "$build"
    objs=()
    for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
      "$triplet-gcc-posix" -O2 -std=gnu99 -c "$srcdir/$c.c" -I"$srcdir" -o "$build/$c.o"
      objs+=("$build/$c.o")
    done
    "$triplet-ar" rcs "$build/libgif.a" "${objs[@]}"
    mkdir -p "$prefix/lib" "$prefix/include"
    cp "$build/libgif.a" "$prefix/lib/libgif.a"
    cp "$srcdir/gif_lib.h" "$prefix/include/"
    finish "$arch" giflib "$GIFLIB_VERSION" "$start"
    built=1
  done
fi

[ "$built" = 1 ] || echo "mingw-deps: up to date in $DORVANE_MINGW_DEPS"
