#!/usr/bin/env bash
# Runs a command with the Wine environment ready: an X display (our own Xvfb unless
# ADAGIO_USE_DISPLAY is set), the prefix made, and a persistent wineserver for fast starts.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
# The suites expect English, whatever the developer's locale; a scenario in another language
# sets its own LC_ALL.
export LC_ALL=C.UTF-8

if [ -n "${ADAGIO_USE_DISPLAY:-}" ]; then wine_start_xvfb; else wine_start_xvfb force; fi || exit 1
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wine_stop_xvfb
}
trap cleanup EXIT INT TERM

wine_make_prefix
wineserver -p
# Wine's own background processes live as long as the server and keep every descriptor they
# inherit; started here with no output, they cannot hold a test runner's pipes open.
wine cmd /c exit >/dev/null 2>&1
wine explorer.exe /desktop=Default,1024x768 >/dev/null 2>&1 &
sleep 1
"$@"
