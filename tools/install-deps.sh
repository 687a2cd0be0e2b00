#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quiet when all are present.
set -euo pipefail

packages=(
  cmake make g++ git
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format clang-tidy cppcheck
  wine wine64 xvfb x11-utils fonts-wine fonts-droid-fallback imagemagick
  nsis zip fortunes-min locales python3 pandoc
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
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes the Windows locale from LC_ALL and names files through its character set.
for l in de_DE fr_FR es_ES it_IT pt_BR ru_RU ja_JP zh_CN sv_SE el_GR; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" || $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
