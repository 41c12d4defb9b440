#!/bin/sh
# Runs the Win32 tests: RUNNER (cmake/wine-run.sh) PREFIX PROGRAM [ARGS...],
# on the virtual display xvfb-run gave this script. The display has no
# window manager, so the prefix's windows are made unmanaged first: Wine
# would otherwise wait two seconds for a manager at every window it hides.
set -e
runner=$1
prefix=$2
shift 2
"$runner" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
exec "$runner" "$prefix" "$@"
