# Sourced by the Wine scripts: one prefix inside the build tree, quiet and without prompts.
# Expects ADAGIO_BUILD (the Windows build tree) to be set, or uses build/win beside this script.
tools_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${ADAGIO_BUILD:=$(dirname "$tools_dir")/build/win}"
export WINEPREFIX="${WINEPREFIX:-$ADAGIO_BUILD/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export WINEARCH=win64

# Wine's own TrueType fonts draw the caption buttons; fontconfig does not list them itself.
mkdir -p "$ADAGIO_BUILD"
cat >"$ADAGIO_BUILD/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>/usr/share/wine/fonts</dir>
</fontconfig>
CONF
export FONTCONFIG_FILE="$ADAGIO_BUILD/fonts.conf"

# Makes the prefix once: no crash dialog, and one virtual desktop of a fixed size so
# window positions are exact and hiding a window costs no wait for a window manager.
wine_make_prefix() {
  [ -f "$WINEPREFIX/.adagio-ready" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
  # In Chinese and Japanese, Wine draws the dialogs in Droid Sans Fallback, which has no Latin
  # letters; linked to Tahoma, it gets them, as Windows links its fonts.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v 'Droid Sans Fallback' /t REG_MULTI_SZ /d 'tahoma.ttf,Tahoma' /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.adagio-ready"
}

# Starts Xvfb on a free display when asked to or when there is none; remembers its pid.
XVFB_PID=
wine_start_xvfb() {
  local force="${1:-}"
  if [ -n "${DISPLAY:-}" ] && [ -z "$force" ]; then return 0; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.05
  done
  echo "Xvfb did not start" >&2
  return 1
}

wine_stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
