#!/bin/sh
# The installer in use, on a virtual display (xvfb-run) in a fresh Wine
# prefix of its own: a silent install, the installed program started from
# where the installer put it and ended through its Exit command, a silent
# uninstall, and a check of what is left: nothing of the program, and the
# user's settings and data files untouched.
# Usage: test-installer.sh SETUP.EXE WINDOW_COMMAND.EXE
set -eu
setup=$1
command_exe=$2
top=$(cd "$(dirname "$0")/.." && pwd)
prefix="$(dirname "$setup")/wineprefix-installer"
runner="$top/cmake/wine-run.sh"
wine() { "$runner" "$prefix" "$@"; }

fail() {
  echo "installer test: FAILED: $*" >&2
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  exit 1
}
check_file() { [ -f "$1" ] || fail "missing $1"; }
check_gone() { [ ! -e "$1" ] || fail "left behind: $1"; }

[ -f "$setup" ] || fail "no $setup (make installer)"
[ -f "$command_exe" ] || fail "no $command_exe (make windows)"
WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
rm -rf "$prefix" "$prefix.home"
# No window manager on the virtual display: unmanaged windows, as in the
# Win32 tests.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

user=$(ls "$prefix/drive_c/users" | grep -v '^Public$' | head -n 1)
profile="$prefix/drive_c/users/$user"
installed="$profile/AppData/Local/Programs/Tavlon"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavlon.lnk"
settings="$profile/AppData/Roaming/Tavlon"
documents="$prefix.home/Documents"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlon'

echo "installer test: install"
wine "$setup" /S || fail "the installer ended with $?"
WINEPREFIX="$prefix" wineserver -w
check_file "$installed/Tavlon.exe"
check_file "$installed/Uninstall.exe"
check_file "$shortcut"
wine reg query "$key" /v UninstallString 2>/dev/null | grep -q 'Uninstall.exe' ||
  fail "no UninstallString under $key"
wine reg query "$key" /v DisplayName 2>/dev/null | grep -q 'Tavlon' || fail "no DisplayName"

echo "installer test: start the installed program, then Exit"
wine 'C:\users\'"$user"'\AppData\Local\Programs\Tavlon\Tavlon.exe' >/dev/null 2>&1 &
program=$!
ended=""
for _ in $(seq 1 150); do
  if wine "$command_exe" 7 >/dev/null 2>&1; then ended=1; break; fi  # 7: Exit
  sleep 0.2
done
[ -n "$ended" ] || fail "the installed program showed no main window"
wait "$program" || fail "the installed program ended with $?"
WINEPREFIX="$prefix" wineserver -w
# Its settings went to %APPDATA%\Tavlon, its data to the documents folder.
check_file "$settings/exportcal.ini"
check_file "$documents/Merovan Cities.bin"
settings_before=$(cat "$settings/exportcal.ini")
cities_before=$(od -An -tx1 "$documents/Merovan Cities.bin")

echo "installer test: uninstall"
wine 'C:\users\'"$user"'\AppData\Local\Programs\Tavlon\Uninstall.exe' /S ||
  fail "the uninstaller ended with $?"
WINEPREFIX="$prefix" wineserver -w  # the uninstaller works from a copy of itself
check_gone "$installed"
check_gone "$shortcut"
if wine reg query "$key" >/dev/null 2>&1; then fail "$key is still there"; fi
[ "$(cat "$settings/exportcal.ini")" = "$settings_before" ] || fail "the settings were changed"
[ "$(od -An -tx1 "$documents/Merovan Cities.bin")" = "$cities_before" ] ||
  fail "the cities file was changed"

WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
echo "installer test: passed"
