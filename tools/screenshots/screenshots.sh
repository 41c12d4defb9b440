#!/bin/sh
# Pictures of Tavlon for review: starts Tavlon.exe under Wine on a virtual
# display with a window manager and saves PNGs of the main window and of
# each dialog, and a rendering of the help page, into
# build/windows/screenshots/. Run it from the top of the tree after
# `make windows` (or through `make screenshots`).
#
# Needs: xvfb, openbox, imagemagick (import), xdotool, x11-utils, chromium
# (the help page), fonts-liberation (a face for "Times New Roman").
#
# Later dialogs join the list in take_dialogs below: a command number and
# the dialog's title.
set -eu

top=$(cd "$(dirname "$0")/../.." && pwd)
build="$top/build/windows"
out="$build/screenshots"
exe="$build/shell/Tavlon.exe"
command_exe="$build/tests/win32/tavlon_window_command.exe"
prefix="$build/wineprefix-screenshots"
runner="$top/cmake/wine-run.sh"

missing=""
for tool in Xvfb openbox import xdotool xwininfo chromium; do
  command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "screenshots: missing:$missing" >&2
  echo "  apt-get install xvfb openbox imagemagick xdotool x11-utils chromium fonts-liberation" >&2
  exit 1
fi
for file in "$exe" "$command_exe"; do
  [ -f "$file" ] || { echo "screenshots: $file not built (make windows)" >&2; exit 1; }
done
mkdir -p "$out"
# Nothing of this run goes to the user's home: the window manager's and
# Chromium's files go to one in the build folder (the Wine prefix has its
# own, see cmake/wine-run.sh).
export HOME="$build/screenshots.home"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME
mkdir -p "$HOME"

# A display of our own: the first free number from 90.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
export DISPLAY=":$display"
pids=""
cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT INT TERM

Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids="$!"
for _ in 1 2 3 4 5 6 7 8 9 10; do
  xwininfo -root >/dev/null 2>&1 && break
  sleep 0.5
done
openbox >/dev/null 2>&1 &
pids="$pids $!"

export WINEPREFIX="$prefix"
wine() { "$runner" "$prefix" "$@"; }
# The prefix's first start creates it. "Times New Roman" is not in a
# fresh prefix: show it as the metric twin that fonts-liberation brings.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Times New Roman" \
  /d "Liberation Serif" /f >/dev/null 2>&1

# Waits for a top-level window whose title is exactly $1; prints its id.
wait_window() {
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  echo "screenshots: no window \"$1\"" >&2
  return 1
}

# The window with its frame, as the window manager draws it.
shoot() {
  sleep 1  # let it paint
  import -silent -frame -window "$1" "$out/$2"
  echo "  $out/$2"
}

wine "$exe" >/dev/null 2>&1 &
pids="$pids $!"
echo "screenshots:"
main=$(wait_window "Tavlon")
shoot "$main" main-window.png

take_dialog() {  # command number, dialog title, file name
  wine "$command_exe" "$1"
  id=$(wait_window "$2")
  shoot "$id" "$3"
  wine "$command_exe" close "$2"
  sleep 0.5
}
# Keys typed into the dialog titled $1, as the keyboard gives them (the
# window is activated first); the dialogs' mnemonics open the windows that
# only a button reaches.
press() {
  title=$1
  shift
  id=$(wait_window "$title")
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
  xdotool key --delay 150 "$@"
}
type_text() {  # dialog title, text for the focused field
  id=$(wait_window "$1")
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
  xdotool type --delay 60 "$2"
}
shoot_title() {  # dialog title, file name
  id=$(wait_window "$1")
  shoot "$id" "$2"
}
close_dialog() {
  wine "$command_exe" close "$1"
  sleep 0.5
}

# The dialog titled $1 after button $2 of it is pressed (a dialog it opens
# is $3), saved as $4.
take_nested() {
  wine "$command_exe" click "$1" "$2"
  id=$(wait_window "$3")
  shoot "$id" "$4"
}
# The whole screen, for windows that float apart from their dialog (an open
# drop-down list).
shoot_screen() {
  sleep 1
  import -silent -window root "$out/$1"
  echo "  $out/$1"
}

# The handheld layouts: [HandheldPC] Emulate in the settings file, which
# the program reads each time a dialog opens.
settings_files="$prefix/drive_c/windows/exportcal.ini"
for roaming in "$prefix"/drive_c/users/*/AppData/Roaming; do
  [ -d "$roaming" ] && settings_files="$settings_files $roaming/Tavlon/exportcal.ini"
done
handheld() {  # 1 or 0
  for file in $settings_files; do
    mkdir -p "$(dirname "$file")"
    printf '[HandheldPC]\r\nEmulate=%s\r\n' "$1" > "$file"
  done
}

take_dialogs() {
  handheld 0
  take_dialog 20 "Date/Time Format" datetime-format.png
  take_dialog 10 "About this program" about.png

  wine "$command_exe" 13
  shoot_title "Select Location" select-location.png
  press "Select Location" alt+m
  shoot_title "Modify existing location" edit-location.png
  close_dialog "Modify existing location"
  close_dialog "Select Location"

  take_dialog 14 "Daylight Savings Time" daylight-saving.png
  take_dialog 12 "Shabbat Time Preferences" shabbat-times.png

  wine "$command_exe" 15
  shoot_title "Configure Zmanim" configure-zmanim.png
  press "Configure Zmanim" alt+c
  shoot_title "Chametz Times" chametz-times.png
  close_dialog "Chametz Times"
  close_dialog "Configure Zmanim"

  take_dialog 11 "Readings and Holidays" readings.png

  # An entry typed in, so that the list shows its dates (the prefix's
  # documents folder is in its own home, see cmake/wine-run.sh).
  rm -f "$prefix.home/Documents/Merovan Anniversaries.bin"
  wine "$command_exe" 16
  press "Anniversaries" alt+a
  type_text "Edit Anniversary" "Sarah Cohen"
  press "Edit Anniversary" Tab
  type_text "Edit Anniversary" "5.3.1990"
  press "Edit Anniversary" alt+b
  shoot_title "Edit Anniversary" edit-anniversary.png
  press "Edit Anniversary" alt+h
  shoot_title "Edit Date" edit-date.png
  close_dialog "Edit Date"
  press "Edit Anniversary" Return
  sleep 0.5
  shoot_title "Anniversaries" anniversaries.png
  close_dialog "Anniversaries"

  # The export: range, its label list opened, More... and Zmanim...
  wine "$command_exe" 18
  range=$(wait_window "Select Range")
  wine "$command_exe" click "Select Range" 501  # Outlook: every option enabled
  shoot "$range" export-range.png
  wine "$command_exe" drop "Select Range" 401
  shoot_screen export-range-labels.png
  wine "$command_exe" drop "Select Range" 401
  take_nested "Select Range" 3 "Include Selected Items" export-more.png
  take_nested "Include Selected Items" 3 "Include Zmanim" export-zmanim.png
  close_dialog "Include Zmanim"
  close_dialog "Include Selected Items"
  # The longest export there is, to see the progress window; then Cancel.
  rm -f "$prefix/drive_c/tavlon-screenshot.ics"  # no overwrite question
  wine "$command_exe" settext "Select Range" 101 1.1.1583
  wine "$command_exe" settext "Select Range" 102 31.12.3000
  wine "$command_exe" click "Select Range" 502
  sleep 0.3
  shoot "$range" export-range-ics.png
  wine "$command_exe" click "Select Range" 1
  shoot_title "Save As" export-save-as.png
  type_text "Save As" 'C:\tavlon-screenshot.ics'
  press "Save As" Return
  shoot_title "Please wait..." export-progress.png
  close_dialog "Please wait..."
  shoot_title "Information" export-cancelled.png
  close_dialog "Information"

  take_dialog 34 "Select Range" holiday-import.png
  take_dialog 33 "Import" anniversary-import.png

  handheld 1
  take_dialog 13 "Select Location" hpc-select-location.png
  take_dialog 12 "Shabbat Time Preferences" hpc-shabbat-times.png
  take_dialog 15 "Configure Zmanim" hpc-configure-zmanim.png
  wine "$command_exe" 16
  shoot_title "Anniversaries" hpc-anniversaries.png
  press "Anniversaries" alt+a
  shoot_title "Edit Anniversary" hpc-edit-anniversary.png
  close_dialog "Edit Anniversary"
  close_dialog "Anniversaries"
  wine "$command_exe" 18
  range=$(wait_window "Select Range")
  shoot "$range" hpc-export-range.png
  take_nested "Select Range" 3 "Include Selected Items" hpc-export-more.png
  take_nested "Include Selected Items" 3 "Include Zmanim" hpc-export-zmanim.png
  close_dialog "Include Zmanim"
  close_dialog "Include Selected Items"
  close_dialog "Select Range"
  handheld 0
}
take_dialogs

wine "$command_exe" 7  # Exit
sleep 1

# The help page as a browser shows it: the document the program writes to
# Cal.htm, byte for byte.
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
  --window-size=1024,768 --screenshot="$out/help-page.png" \
  "file://$top/resources/help.htm" >/dev/null 2>&1
echo "  $out/help-page.png"
