#!/usr/bin/env bash
# Pictures of the quote window and the options dialog for the documentation, at 100 % and at
# 150 % display scaling, and in German and Japanese: the program starts in a fresh folder with
# the default module, each window is cut out of the screen; then the quote window once more
# with a UTF-8 module in Latin, Greek and Chinese.
# Runs inside tools/with-wine.sh.  Usage: screenshots.sh <Adagiomill.exe> <adagio-probe.exe> <out dir>
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
exe="$1"
probe="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
out="$(mkdir -p "$3" && cd "$3" && pwd)"

# Each window is found by a control of its own: the quote text, the seconds field.
idc_quote_text=1026
idc_interval=1005
idc_options=1002
idcancel=2

folder="$ADAGIO_BUILD/program"
rm -rf "$folder"
mkdir -p "$folder"
cp "$exe" "$folder/Adagiomill.exe"
cp "$repo/modules/miscellaneous.adg" "$folder/"

# The first Wine program of a run starts Wine's services, which would hold any pipe open.
wine cmd /c exit 0 </dev/null >/dev/null 2>&1

# Wine's virtual desktop is drawn at the top left of the X screen, so screen coordinates
# inside Wine are X coordinates too.
capture() {
  local geometry
  geometry="$(wine "$probe" rect "$1" </dev/null 2>/dev/null | tr -d '\r')"
  [ -n "$geometry" ] || { echo "screenshots: no window holding control $1" >&2; return 1; }
  # Let the edit controls and buttons finish painting after the window itself.
  sleep 1
  import -display "$DISPLAY" -window root -crop "$geometry" +repage \
    -define png:exclude-chunks=date,time "$out/$2"
  echo "Screenshot: $out/$2 ($geometry)"
}

# Wine reads the display scale, LogPixels, when a program starts; it is put back at the end.
desktop='HKCU\Control Panel\Desktop'
set_dpi() { wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1; }
app=
trap 'kill "$app" 2>/dev/null || true; set_dpi 96' EXIT

# One first run of the program: both windows, saved with the suffix given, in the locale given
# (Wine takes the Windows language from LC_ALL).
shoot() {
  rm -f "$folder/index.txt"
  # The first process in a new code page rewrites Wine's font substitutes, too late for itself.
  [ -z "${2:-}" ] || LC_ALL="$2" wine cmd /c exit 0 </dev/null >/dev/null 2>&1
  (cd "$folder" && LC_ALL="${2:-$LC_ALL}" exec wine Adagiomill.exe </dev/null >/dev/null 2>&1) &
  app=$!
  capture "$idc_quote_text" "quote-window$1.png"
  wine "$probe" post "$idc_quote_text" "$idc_options" </dev/null >/dev/null 2>&1
  capture "$idc_interval" "options-dialog$1.png"
  wine "$probe" post "$idc_interval" "$idcancel" </dev/null >/dev/null 2>&1
  sleep 0.5
  wine "$probe" post "$idc_quote_text" "$idcancel" </dev/null >/dev/null 2>&1
  wait "$app" || true
}

# Wine draws a character its font lacks from a font linked to it, as Windows does; Droid Sans
# Fallback (fonts-droid-fallback) has the Chinese and Japanese for the fields' Arial and the
# caption's Tahoma.
for face in Arial 'Tahoma Bold'; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$face" /t REG_MULTI_SZ /d DroidSansFallbackFull.ttf /f </dev/null >/dev/null 2>&1
done

set_dpi 96
shoot ""
set_dpi 144
shoot -150
set_dpi 96
shoot -de de_DE.UTF-8
shoot -ja ja_JP.UTF-8

# A UTF-8 module in three scripts; the saved index wraps to its first quote, the timer is off.
cp "$repo/tests/install/wisdom.adg" "$folder/"
printf 'wisdom.adg\n2\n10\n2\n0\n0' >"$folder/index.txt"
(cd "$folder" && exec wine Adagiomill.exe </dev/null >/dev/null 2>&1) &
app=$!
capture "$idc_quote_text" utf8-module.png
wine "$probe" post "$idc_quote_text" "$idcancel" </dev/null >/dev/null 2>&1
wait "$app" || true
