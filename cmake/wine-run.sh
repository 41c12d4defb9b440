#!/bin/sh
# Runs a Windows program under Wine in one of the build's own prefixes.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is created on first use, with the Mono and Gecko installers
# disabled; a lock keeps parallel tests from creating it twice.
# Wine links a prefix's Documents, Desktop and the like into $HOME, so each
# prefix gets a home of its own beside it (PREFIX.home, with a real
# Documents folder): nothing the program writes leaves the build folder.
set -e
prefix=$1
shift
case "$prefix" in /*) ;; *) prefix="$PWD/$prefix" ;; esac  # Wine needs it absolute
home="$prefix.home"
mkdir -p "$home/Documents" "$home/.config"
export HOME="$home"
export XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_CACHE_HOME="$home/.cache"
unset XDG_DOCUMENTS_DIR XDG_DESKTOP_DIR
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko downloads; no menu entries or file associations written
# to the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
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
# A prefix made before it had a home of its own links to the real one:
# point those links into the prefix's home.
for link in "$prefix"/drive_c/users/*/*; do
    [ -L "$link" ] || continue
    case "$(readlink "$link")" in
        "$home"*) ;;
        *) if [ "$(basename "$link")" = Documents ]; then
               ln -sfn "$home/Documents" "$link"
           else
               ln -sfn "$home" "$link"
           fi ;;
    esac
done
exec wine "$@"
