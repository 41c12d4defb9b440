#!/bin/sh
# Runs a Windows test executable under Wine in the build's own prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is created on first use, with the Mono and Gecko installers
# disabled; a lock keeps parallel tests from creating it twice.
set -e
prefix=$1
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            wineboot -i >/dev/null 2>&1 || true
            wineserver -w
        fi
    ) 9>"$prefix.lock"
fi
exec wine "$@"
