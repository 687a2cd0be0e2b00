#!/usr/bin/env bash
# The installer round trip under Wine, in a prefix of its own: a silent install; the files,
# the icon, the uninstall entry and the Start-menu shortcut; the program started the way the
# shortcut starts it shows a quote and saves its settings; the authors' tools run; a silent
# uninstall keeps the user's own module and index.txt, and one with /PURGE removes them too.
# The zip holds the same files. With SIGN_CA (a certificate), the uninstaller must carry a
# signature from it.
# Runs inside tools/with-wine.sh.
# Usage: roundtrip.sh <setup.exe> <adagio-probe.exe> <stage dir> <zip>
set -uo pipefail
setup="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
probe="$2"
stage="$3"
zip="$4"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Adagiomill'
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
caption='Adagiomill v1.2.0 -- Miscellaneous'
saved=$'miscellaneous.adg\n0\n10\n2\n1\n0'
modules=(miscellaneous.adg proverbs.adg)
tools=(tools/adgcheck.exe tools/fortune2adg.exe)
packed=(Adagiomill.exe "${modules[@]}" README.txt LICENSE.txt "${tools[@]}")
shipped=("${packed[@]}" uninstall.exe)

passed=0
failed=0
check() {
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}

# Wine's own programs answer with CR LF.
win() { wine "$@" </dev/null 2>/dev/null | tr -d '\r'; }
reg_value() { win reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
has_key() { wine reg query "$key" </dev/null >/dev/null 2>&1; }
probe_field() { sed -n "s/^$1=//p" <<<"$2"; }
# The icon images a program carries, each as one line of data, in an order of their own.
icon_images() {
  x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null |
    awk '/RT_ICON \*\//{on = 1; s = ""; next} on && /^END/{print s; on = 0} on{s = s $0}' | sort
}
# Byte for byte: the program writes no line end after the last line.
file_is() { [ "$(cat "$1" 2>/dev/null && printf x)" = "${2}x" ]; }

# The first Wine program of a run starts Wine's services, which would hold any pipe open.
wine cmd /c exit 0 </dev/null >/dev/null 2>&1

# Read from the registry as the installer's own shell calls do; every path must be absolute.
folder() { reg_value "$shell_folders" "$1"; }
win_local="$(folder 'Local AppData')"
win_programs="$(folder Programs)"
win_startup="$(folder StartUp)"
for p in "$win_local" "$win_programs" "$win_startup"; do
  if [[ "$p" != [A-Za-z]:\\* ]]; then
    echo "roundtrip: Wine did not tell its folders (got '$win_local', '$win_programs', '$win_startup')" >&2
    exit 1
  fi
done
win_dir="$win_local\\Programs\\Adagiomill"
win_exe="$win_dir\\Adagiomill.exe"
win_menu_link="$win_programs\\Adagiomill.lnk"
win_startup_link="$win_startup\\Adagiomill.lnk"
dir="$(winepath -u "$win_dir" 2>/dev/null)"
menu_link="$(winepath -u "$win_menu_link" 2>/dev/null)"
startup_link="$(winepath -u "$win_startup_link" 2>/dev/null)"
if [[ "$dir" != /* ]] || [[ "$menu_link" != /* ]] || [[ "$startup_link" != /* ]]; then
  echo "roundtrip: winepath did not map the folders" >&2
  exit 1
fi

clean_up() {
  rm -rf "$dir"
  rm -f "$menu_link" "$startup_link"
  wine reg delete "$key" /f </dev/null >/dev/null 2>&1
}
trap clean_up EXIT
clean_up

install() { wine "$setup" /S </dev/null >/dev/null 2>&1; }
uninstall() { wine "$probe" run "$win_dir\\uninstall.exe" /S "$@" </dev/null >/dev/null 2>&1; }

echo "== Installer round trip =="
check "silent install" install
for f in "${shipped[@]}"; do check "$f installed" test -f "$dir/$f"; done
check "the program installed is the one packed" cmp -s "$dir/Adagiomill.exe" "$stage/Adagiomill.exe"
for m in "${modules[@]}" "${tools[@]}"; do check "$m installed is the one packed" cmp -s "$dir/$m" "$stage/$m"; done
# Signed with the test's certificate, the uninstaller the setup writes carries its signature.
if [ -n "${SIGN_CA:-}" ]; then
  check "uninstall.exe signed" eval 'osslsigncode verify -CAfile "$SIGN_CA" -in "$dir/uninstall.exe" 2>&1 |
    grep -q "Signature verification: ok"'
fi
check "the zip holds the files packed" test "$(unzip -Z1 "$zip" | sort)" = "$(printf '%s\n' "${packed[@]}" | sort)"
resources="$(x86_64-w64-mingw32-windres -i "$stage/Adagiomill.exe" -O rc 2>/dev/null)"
check "version resource" grep -q '"ProductVersion", "1.2.0"' <<<"$resources"
check "manifest asks for common controls 6" grep -q 'Common-Controls.*version=""6.0.0.0' <<<"$resources"
images="$(icon_images "$stage/Adagiomill.exe")"
check "the program's icon in 8 sizes" test "$(wc -l <<<"$images")" -eq 8
check "the setup's icon is the program's" test "$(icon_images "$setup")" = "$images"

check "uninstall entry" has_key
expect_value() { [ "$(reg_value "$key" "$1")" = "$2" ] || { echo "  $1: $(reg_value "$key" "$1")"; false; }; }
check "DisplayName" expect_value DisplayName "Adagiomill"
check "DisplayVersion" expect_value DisplayVersion "1.2.0"
check "Publisher" expect_value Publisher "The Adagiomill authors"
check "UninstallString" expect_value UninstallString "\"$win_dir\\uninstall.exe\""
check "QuietUninstallString" expect_value QuietUninstallString "\"$win_dir\\uninstall.exe\" /S"
check "InstallLocation" expect_value InstallLocation "$win_dir"
check "DisplayIcon" expect_value DisplayIcon "$win_exe,0"
check "NoModify" expect_value NoModify 0x1
check "NoRepair" expect_value NoRepair 0x1
size_kb=$(($(reg_value "$key" EstimatedSize)))
check "EstimatedSize in KB ($size_kb)" test "$size_kb" -gt 100 -a "$size_kb" -lt 10000

# Started as Explorer starts the shortcut: its target in its working directory.
run="$(win "$probe" launch "$win_menu_link")"
launched=$?
check "Start-menu shortcut target" test "$(probe_field target "$run")" = "$win_exe"
check "Start-menu shortcut working directory" test "$(probe_field workdir "$run")" = "$win_dir"
# The icon location is the one UTF-16 string of the shortcut that names the program itself
# (each is stored after its length, which may read as a character).
check "Start-menu shortcut icon" eval 'strings -el "$menu_link" | grep -qF "$win_exe"'
check "the program shows its window and ends on Close" test "$launched" -eq 0
check "caption \"$(probe_field caption "$run")\"" test "$(probe_field caption "$run")" = "$caption"
quote="$(probe_field quote "$run")"
check "a quote is shown" test -n "$quote" -a "${quote#Invalid}" = "$quote"
check "index.txt saved in the program folder" file_is "$dir/index.txt" "$saved"

# A cookie without attribution, converted and checked by the installed tools.
work="$(mktemp -d)"
printf 'A cookie.\n%%\n' >"$work/cookies"
win_work="$(winepath -w "$work")"
wine "$dir/tools/fortune2adg.exe" "$win_work\\cookies" </dev/null >"$work/cookies.adg" 2>/dev/null
check "fortune2adg.exe converts" cmp -s "$work/cookies.adg" <(printf 'Cookies\r\n1\r\n%%\r\nA cookie.\r\n%%\r\n')
checked="$(win "$dir/tools/adgcheck.exe" "$win_work\\cookies.adg" "$win_dir\\miscellaneous.adg")"
check "adgcheck.exe passes both modules" test $? -eq 0 -a "$(grep -c ' 0 errors, 0 warnings$' <<<"$checked")" -eq 2
rm -rf "$work"

mine=$'Mine\r\n1\r\n%\r\nMy own quote.\r\nMe\r\n'
printf '%s' "$mine" >"$dir/mine.adg"
cp "$menu_link" "$startup_link"
check "silent uninstall" uninstall
for f in "${shipped[@]}"; do check "$f removed" test ! -e "$dir/$f"; done
check "Start-menu shortcut removed" test ! -e "$menu_link"
check "Startup shortcut removed" test ! -e "$startup_link"
check "tools folder removed" test ! -e "$dir/tools"
check "uninstall entry removed" eval '! has_key'
check "the user's module kept" file_is "$dir/mine.adg" "$mine"
check "index.txt kept" file_is "$dir/index.txt" "$saved"

check "install over the kept files" install
check "index.txt kept through the install" file_is "$dir/index.txt" "$saved"
check "silent uninstall with /PURGE" uninstall /PURGE
check "program folder removed" test ! -e "$dir"
check "uninstall entry removed" eval '! has_key'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
