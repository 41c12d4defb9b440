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
# The dialog titled $1 after button $2 of it is pressed (a dialog it opens
# is $3), saved as $4; closed again.
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
handheld() {  # 1 or 0: the HPC variants of the dialogs
  printf '[HandheldPC]\r\nEmulate=%s\r\n' "$1" >"$prefix/drive_c/windows/exportcal.ini"
}
take_dialogs() {
  take_dialog 20 "Date/Time Format" datetime-format.png
  take_dialog 10 "About this program" about.png

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
  wine "$command_exe" close "Include Zmanim"
  sleep 0.5
  wine "$command_exe" close "Include Selected Items"
  sleep 0.5
  # A long export to a file, to see the progress window; then Cancel.
  wine "$command_exe" settext "Select Range" 101 1.1.1900
  wine "$command_exe" settext "Select Range" 102 31.12.2099
  wine "$command_exe" click "Select Range" 502
  sleep 0.3
  shoot "$range" export-range-ics.png
  wine "$command_exe" click "Select Range" 1
  save=$(wait_window "Save As")
  shoot "$save" export-save-as.png
  xdotool windowactivate --sync "$save" 2>/dev/null || true
  xdotool type --delay 20 'C:\tavlon-screenshot.ics'
  xdotool key Return
  wait_id=$(wait_window "Please wait...")
  shoot "$wait_id" export-progress.png
  wine "$command_exe" close "Please wait..."
  info=$(wait_window "Information")
  shoot "$info" export-cancelled.png
  wine "$command_exe" close "Information"
  sleep 0.5

  take_dialog 34 "Select Range" holiday-import.png
  take_dialog 33 "Import" anniversary-import.png

  # The handheld variants.
  handheld 1
  wine "$command_exe" 18
  range=$(wait_window "Select Range")
  shoot "$range" export-range-hpc.png
  take_nested "Select Range" 3 "Include Selected Items" export-more-hpc.png
  take_nested "Include Selected Items" 3 "Include Zmanim" export-zmanim-hpc.png
  wine "$command_exe" close "Include Zmanim"
  sleep 0.5
  wine "$command_exe" close "Include Selected Items"
  sleep 0.5
  wine "$command_exe" close "Select Range"
  sleep 0.5
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
