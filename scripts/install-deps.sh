#!/usr/bin/env bash
# Installs every Debian package the build and both test suites need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

pkgs=(
  build-essential cmake ninja-build pkg-config git clang
  googletest libgtest-dev libbenchmark-dev
  libpng-dev zlib1g-dev libjpeg-dev libgif-dev libnetpbm-dev
  libcairo2-dev libfreetype-dev fonts-liberation
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 wine32:i386 fonts-wine
  libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386
  libxcomposite1:i386 libxinerama1:i386 libxxf86vm1:i386 libxfixes3:i386
  libcups2:i386
  xvfb xauth xdotool imagemagick file dpkg-dev
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ "${need_update:-0}" = 1 ] || [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v lock)" ] || true; then
  apt-get update -qq
fi
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
