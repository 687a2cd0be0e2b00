#!/usr/bin/env bash
# Lays out a program folder in the build tree and runs Adagiomill there under Wine.
# Without an X display it starts Xvfb, saves a screenshot and lets the close timer end the run.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
repo="$(dirname "$tools_dir")"

program="$ADAGIO_BUILD/program"
mkdir -p "$program"
cp "$ADAGIO_BUILD/app/Adagiomill.exe" "$program/"
cp "$repo/modules/miscellaneous.adg" "$program/"
"$repo/tools/make-help.sh" "$program/Adagiomill.html"

headless=
if [ -z "${DISPLAY:-}" ]; then headless=1; fi
wine_start_xvfb || exit 1
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wine_stop_xvfb
}
trap cleanup EXIT INT TERM
wine_make_prefix

cd "$program"
wine Adagiomill.exe &
app=$!
if [ -n "$headless" ]; then
  sleep 4
  import -display "$DISPLAY" -window root -crop 1024x768+0+0 "$ADAGIO_BUILD/screenshot.png" 2>/dev/null &&
    echo "Screenshot: $ADAGIO_BUILD/screenshot.png"
  # The close timer ends the program; a disabled timer must not keep a headless run forever.
  for _ in $(seq 1 120); do kill -0 "$app" 2>/dev/null || break; sleep 0.5; done
  kill "$app" 2>/dev/null || true
fi
wait "$app" 2>/dev/null
echo "Settings left in $program/index.txt"
