#!/usr/bin/env bash
# The installer round trip under Wine, in a prefix of its own: a silent install; the files,
# the icon, the uninstall entry and the Start-menu shortcut; the program started the way the
# shortcut starts it shows a quote and saves its settings; the authors' tools run; a silent
# uninstall keeps the user's own module and index.txt, and one with /PURGE removes them too.
# The setup and the uninstaller close an Adagiomill running from their folder first, and
# change nothing when it will not close; a copy from another folder runs on, and its Help
# button opens the page beside it, or asks the help engine for a help file there, or says it
# failed. The setup speaks German to a German Windows. The zip holds the same files. With
# SIGN_CA (a certificate), the uninstaller must carry a signature from it.
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
packed=(Adagiomill.exe Adagiomill.html "${modules[@]}" README.txt LICENSE.txt "${tools[@]}")
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
win_help_link="$win_programs\\Adagiomill Help.lnk"
win_startup_link="$win_startup\\Adagiomill.lnk"
dir="$(winepath -u "$win_dir" 2>/dev/null)"
menu_link="$(winepath -u "$win_menu_link" 2>/dev/null)"
help_link="$(winepath -u "$win_help_link" 2>/dev/null)"
startup_link="$(winepath -u "$win_startup_link" 2>/dev/null)"
if [[ "$dir" != /* ]] || [[ "$menu_link" != /* ]] || [[ "$startup_link" != /* ]]; then
  echo "roundtrip: winepath did not map the folders" >&2
  exit 1
fi

clean_up() {
  rm -rf "$dir" "${other_parent:-}"
  wine reg delete 'HKLM\Software\Classes\.html' /f </dev/null >/dev/null 2>&1
  wine reg delete 'HKLM\Software\Classes\AdagiomillTest.Page' /f </dev/null >/dev/null 2>&1
  rm -f "$menu_link" "$help_link" "$startup_link"
  wine reg delete "$key" /f </dev/null >/dev/null 2>&1
}
trap clean_up EXIT
clean_up

# Control ids of ui/resource.h.
quote_field=1026
options_button=1002
interval_field=1005
help_button=57666
box_text=65535
# The timer off, so that only a close ends it; each start moves on to the next quote.
settings() { printf 'miscellaneous.adg\n%s\n10\n2\n0\n0' "$1"; }
# As Explorer starts it: in its folder (the program there, or the one named); once its quote
# window shows.
start_program() {
  (cd "$1" && exec wine "${2:-Adagiomill.exe}" </dev/null >/dev/null 2>&1) &
  running=$!
  win "$probe" rect "$quote_field" >/dev/null
}
# A Wine process is the Unix process that started it; once ended, it waits to be reaped.
gone() { local state; state="$(ps -o stat= -p "$1")"; [ -z "$state" ] || [[ "$state" == Z* ]]; }
# Within ten seconds.
eventually() { local i; for i in $(seq 50); do "$@" && return 0; sleep 0.2; done; false; }
ends() { eventually gone "$1"; }
files() { (cd "$dir" && find . -type f -exec md5sum {} + | sort); }
install() { wine "$setup" /S </dev/null >/dev/null 2>&1; }
uninstall() { wine "$probe" run "$win_dir\\uninstall.exe" /S "$@" </dev/null >/dev/null 2>&1; }

echo "== Installer round trip =="
check "silent install" install
for f in "${shipped[@]}"; do check "$f installed" test -f "$dir/$f"; done
check "the program installed is the one packed" cmp -s "$dir/Adagiomill.exe" "$stage/Adagiomill.exe"
for m in Adagiomill.html "${modules[@]}" "${tools[@]}"; do check "$m installed is the one packed" cmp -s "$dir/$m" "$stage/$m"; done
check "the help page holds its pictures and fetches nothing" \
  eval '[ "$(grep -c "src=\"data:image/png;base64," "$dir/Adagiomill.html")" -eq 2 ] && ! grep -Eq "(src|href)=\"https?:" "$dir/Adagiomill.html"'
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

link="$(win "$probe" link "$win_menu_link")"
check "Start-menu shortcut target" test "$(probe_field target "$link")" = "$win_exe"
check "Start-menu shortcut working directory" test "$(probe_field workdir "$link")" = "$win_dir"
# The icon location is the one UTF-16 string of the shortcut that names the program itself
# (each is stored after its length, which may read as a character).
check "Start-menu shortcut icon" eval 'strings -el "$menu_link" | grep -qF "$win_exe"'
check "Start-menu help shortcut target" \
  test "$(win "$probe" link "$win_help_link" | head -1)" = "target=$win_dir\\Adagiomill.html"
# The first run shows the module's first quote.
start_program "$(winepath -u "$(probe_field workdir "$link")")" "$(probe_field target "$link")"
window="$(win "$probe" texts "$quote_field")"
check "caption \"$(head -1 <<<"$window")\"" test "$(head -1 <<<"$window")" = "$caption"
check "a quote is shown" grep -qx "William Shakespeare" <<<"$window"
check "the program ends on Close" eval 'win "$probe" post "$quote_field" 2 && ends "$running"'
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

echo "== A running Adagiomill =="

mine=$'Mine\r\n1\r\n%\r\nMy own quote.\r\nMe\r\n'
printf '%s' "$mine" >"$dir/mine.adg"
settings 0 >"$dir/index.txt"
# Another program than the one packed, so that its replacement shows.
printf x >>"$dir/Adagiomill.exe"
start_program "$dir"
check "Wine, as Windows, refuses to replace a running program" \
  eval '! wine cmd /c copy /y "$(winepath -w "$stage/Adagiomill.exe")" "$win_exe" </dev/null >/dev/null 2>&1'
check "silent install over the running program" install
check "the running program was closed" gone "$running"
check "index.txt is what its close wrote" file_is "$dir/index.txt" "$(settings 1)"
check "the user's module is untouched" file_is "$dir/mine.adg" "$mine"
check "the new program is in place" cmp -s "$dir/Adagiomill.exe" "$stage/Adagiomill.exe"

# In a folder that the ANSI code page cannot name, so that only a wide path finds the page.
other_parent="$(mktemp -d)"
other="$other_parent/Дм"
mkdir "$other"
cp "$stage/Adagiomill.exe" "$stage/Adagiomill.html" "$stage/miscellaneous.adg" "$other/"
settings 0 >"$other/index.txt"
# Wine's classes are the machine's. Pages open here with reg.exe, which records what it got.
wine reg add 'HKLM\Software\Classes\.html' /ve /d AdagiomillTest.Page /f </dev/null >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\AdagiomillTest.Page\shell\open\command' /ve /f \
  /d 'reg add HKCU\Software\AdagiomillTest /v Opened /d "%1" /f' </dev/null >/dev/null 2>&1
# As a .reg file in UTF-16, which keeps any character, its backslashes doubled.
opened() {
  wine reg export 'HKCU\Software\AdagiomillTest' "Z:${other_parent//\//\\}\\opened.reg" /y \
    </dev/null >/dev/null 2>&1 &&
    iconv -f UTF-16LE -t UTF-8 "$other_parent/opened.reg" | tr -d '\r' | grep -qxF "\"Opened\"=\"$1\""
}
reg_page="Z:${other//\//\\\\}\\\\Adagiomill.html"
start_program "$other"
win "$probe" post "$quote_field" "$options_button"
win "$probe" rect "$interval_field" >/dev/null
win "$probe" post "$interval_field" "$help_button"
check "Help opens the page beside the program" eventually opened "$reg_page"
rm "$other/Adagiomill.html"
win "$probe" post "$interval_field" "$help_button"
check "without a page or a help file, Help says it failed" \
  eval 'win "$probe" texts "$box_text" | grep -qx "Failed to launch help."'
check "and the options dialog stays" \
  eval 'win "$probe" post "$box_text" 1 && win "$probe" rect "$interval_field" >/dev/null'
win "$probe" post "$interval_field" 2
check "silent install beside a copy from another folder" install
check "the copy from another folder runs on" eval '! gone "$running"'
check "and ends on its Close" eval 'win "$probe" post "$quote_field" 2 && ends "$running"'
check "saving its settings in its folder" file_is "$other/index.txt" "$(settings 1)"

# A program that has stopped answering does not close.
start_program "$dir"
kill -STOP "$running"
before="$(files)"
wine "$setup" /S </dev/null >/dev/null 2>&1
status=$?
check "a silent setup that cannot close it fails (exit code $status)" test "$status" -ne 0
check "and changes nothing" test "$(files)" = "$before"
# Run in place, the uninstaller waits for its end and returns its exit code.
wine "$dir/uninstall.exe" /S "_?=$win_dir" </dev/null >/dev/null 2>&1
status=$?
check "a silent uninstall that cannot close it fails (exit code $status)" test "$status" -ne 0
check "and changes nothing" test "$(files)" = "$before"
kill -CONT "$running"
check "once it answers again, it takes the close it was sent" ends "$running"

settings 0 >"$dir/index.txt"
start_program "$dir"
win "$probe" post "$quote_field" "$options_button"
win "$probe" rect "$interval_field" >/dev/null
# Wine passes the help engine an ANSI name, so this one lies in a folder the code page can name.
mv "$dir/Adagiomill.html" "$dir/page.away"
: >"$dir/Adagiomill.HLP"
win "$probe" post "$interval_field" "$help_button"
# Wine's help engine says it cannot read the file, and ends on OK.
check "with a help file and no page, Help asks the help engine for it" \
  eval 'win "$probe" texts "$box_text" | grep -qF "$win_dir\\Adagiomill.HLP"'
win "$probe" post "$box_text" 1
rm "$dir/Adagiomill.HLP"
mv "$dir/page.away" "$dir/Adagiomill.html"
cp "$menu_link" "$startup_link"
check "silent uninstall with the options dialog open" uninstall
check "the running program was closed" gone "$running"
for f in "${shipped[@]}"; do check "$f removed" test ! -e "$dir/$f"; done
check "Start-menu shortcut removed" test ! -e "$menu_link"
check "Start-menu help shortcut removed" test ! -e "$help_link"
check "Startup shortcut removed" test ! -e "$startup_link"
check "tools folder removed" test ! -e "$dir/tools"
check "uninstall entry removed" eval '! has_key'
check "the user's module kept" file_is "$dir/mine.adg" "$mine"
check "index.txt kept as its close wrote it" file_is "$dir/index.txt" "$(settings 1)"

check "install over the kept files" install
check "index.txt kept through the install" file_is "$dir/index.txt" "$(settings 1)"
# Interactive, it waits on its first page.
(exec env LC_ALL=de_DE.UTF-8 wine "$setup" </dev/null >/dev/null 2>&1) &
page="$(win "$probe" texts 1)"
check "the setup speaks German to a German Windows" \
  eval 'grep -q "keine Administratorrechte" <<<"$page" && grep -qx "&Weiter >" <<<"$page"'
kill $!
check "silent uninstall with /PURGE" uninstall /PURGE
check "program folder removed" test ! -e "$dir"
check "uninstall entry removed" eval '! has_key'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
