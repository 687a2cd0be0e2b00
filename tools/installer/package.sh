#!/usr/bin/env bash
# Lays out the release files and packs them twice: a zip to unpack anywhere and a
# per-user setup program.
# Usage: package.sh <Adagiomill.exe> <stage dir> <dist dir> <tool.exe>...
set -euo pipefail
installer_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$installer_dir/../.." && pwd)"
exe="$1"
stage="$(mkdir -p "$2" && cd "$2" && pwd)"
dist="$(mkdir -p "$3" && cd "$3" && pwd)"
shift 3

version="$(sed -n 's/^#define ADAGIO_VERSION_TEXT "\(.*\)"$/\1/p' "$repo/data/Version.h")"
[ -n "$version" ] || { echo "package.sh: no version in data/Version.h" >&2; exit 1; }

# Text files for Notepad: CR LF line ends. The modules already have them.
to_crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1"; }

rm -rf "$stage"
mkdir -p "$stage"
# Symbols only make the download bigger.
x86_64-w64-mingw32-strip -o "$stage/Adagiomill.exe" "$exe"
# The module authors' tools, apart from what a user double-clicks.
mkdir -p "$stage/tools"
tools=()
for tool in "$@"; do
  x86_64-w64-mingw32-strip -o "$stage/tools/$(basename "$tool")" "$tool"
  tools+=("tools/$(basename "$tool")")
done
cp "$repo/modules/miscellaneous.adg" "$repo/modules/proverbs.adg" "$stage/"
sed "s/@VERSION@/$version/g" "$installer_dir/README.txt" | to_crlf /dev/stdin >"$stage/README.txt"
to_crlf "$repo/LICENSE" >"$stage/LICENSE.txt"
"$repo/tools/make-help.sh" "$stage/Adagiomill.html"

zip_file="$dist/Adagiomill-$version-win64.zip"
rm -f "$zip_file"
(cd "$stage" && zip -q -X "$zip_file" Adagiomill.exe Adagiomill.html miscellaneous.adg proverbs.adg \
    README.txt LICENSE.txt "${tools[@]}")

makensis -V2 -WX -NOCD "-DVERSION=$version" "-DSTAGE=$stage" "-DICON=$repo/ui/res/Adagiomill.ico" \
    "-DOUTFILE=$dist/Adagiomill-$version-setup.exe" "$installer_dir/Adagiomill.nsi"

echo "Packed: $zip_file"
echo "Packed: $dist/Adagiomill-$version-setup.exe"
