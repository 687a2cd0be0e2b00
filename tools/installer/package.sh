#!/usr/bin/env bash
# Lays out the release files and packs them twice: a zip to unpack anywhere and a
# per-user setup program; then their checksums and the package managers' manifests.
# Two runs on one commit give the same bytes: every time stamp is SOURCE_DATE_EPOCH (the
# last commit's unless set), and the order of the files is fixed.
# Signs every executable when SIGN_KEY and SIGN_CERT are set (see sign.sh).
# Usage: package.sh <Adagiomill.exe> <tool.exe> <tool.exe> <stage dir> <dist dir>
set -euo pipefail
installer_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$installer_dir/../.." && pwd)"
exe="$1"
stage="$(mkdir -p "$4" && cd "$4" && pwd)"
dist="$(mkdir -p "$5" && cd "$5" && pwd)"
set -- "$2" "$3"

version="$(sed -n 's/^#define ADAGIO_VERSION_TEXT "\(.*\)"$/\1/p' "$repo/data/Version.h")"
[ -n "$version" ] || { echo "package.sh: no version in data/Version.h" >&2; exit 1; }

export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct 2>/dev/null)}"
[ -n "$SOURCE_DATE_EPOCH" ] || { echo "package.sh: outside a git clone, set SOURCE_DATE_EPOCH" >&2; exit 1; }
signing=
if [ -n "${SIGN_KEY:-}${SIGN_CERT:-}" ]; then signing=1; fi

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

if [ -n "$signing" ]; then
  for file in Adagiomill.exe "${tools[@]}"; do "$installer_dir/sign.sh" "$stage/$file"; done
fi
# The zip and the setup keep each file's time: the commit's, for files made just now.
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

zip_name="Adagiomill-$version-win64.zip"
setup_name="Adagiomill-$version-setup.exe"
rm -f "$dist/$zip_name" "$dist/$setup_name" "$dist/SHA256SUMS"
# Zip stores local time.
(cd "$stage" && TZ=UTC zip -q -X "$dist/$zip_name" Adagiomill.exe Adagiomill.html miscellaneous.adg \
    proverbs.adg README.txt LICENSE.txt "${tools[@]}")

nsis_sign=()
if [ -n "$signing" ]; then nsis_sign=("-DSIGN=$installer_dir/sign.sh"); fi
makensis -V2 -WX -NOCD "-DVERSION=$version" "-DSTAGE=$stage" "-DICON=$repo/ui/res/Adagiomill.ico" \
    "-DOUTFILE=$dist/$setup_name" "${nsis_sign[@]}" "$installer_dir/Adagiomill.nsi"

(cd "$dist" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)
"$installer_dir/manifests.sh" "$dist" "$version" "$dist/$zip_name" "$dist/$setup_name"

echo "Packed: $dist/$zip_name"
echo "Packed: $dist/$setup_name"
