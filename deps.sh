#!/usr/bin/env bash
# Installs the Debian packages the player needs to build, run and test, when any is missing.
set -euo pipefail

PACKAGES=(g++ cmake make pkg-config python3 libsdl2-dev libsdl2-image-dev libpng-dev libgl-dev libgtest-dev
  libgl1-mesa-dri libegl1 libegl-mesa0 libgl1 libglx-mesa0
  xvfb xauth x11-utils x11-apps xdotool imagemagick openbox)
if [ "${1:-}" = "--test" ]; then
  PACKAGES+=(clang libclang-rt-14-dev strace)
  # The Windows player, cross-built and tested under Wine (tools/build-windows).
  PACKAGES+=(g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev dpkg-dev googletest wine wine64)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
