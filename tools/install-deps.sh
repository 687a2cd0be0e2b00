#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quiet when all are present.
set -euo pipefail

packages=(
  cmake make g++ git
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format clang-tidy cppcheck
  wine wine64 xvfb x11-utils fonts-wine fonts-droid-fallback imagemagick
  nsis zip fortunes-min
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 osslsigncode openssl python3-yaml zopfli
)
# npm fetches the workflow validator; a Node.js from elsewhere brings its own.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
