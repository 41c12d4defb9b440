#!/bin/sh
# Installs the Debian packages the builds and tests need, when any is
# missing: the host compiler and CMake, GoogleTest and Google Benchmark,
# MinGW-w64 (posix threads) for the Windows build, Wine and Xvfb to run it,
# NSIS for the installer, and Python's iCalendar parser, which reads the
# exporter's files in a test.
set -e
native="g++ make cmake googletest libgtest-dev libgmock-dev libbenchmark-dev
  libhowardhinnant-date-dev tzdata"
packages="$native
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine wine64 xvfb xauth nsis python3 python3-icalendar khal"
# `install-deps.sh native` installs only what the native build needs.
[ "${1:-}" = "native" ] && packages="$native"
# `install-deps.sh screenshots` adds what the screenshots tool needs: a
# window manager, ImageMagick's import, xdotool, xwininfo, Chromium for the
# help page and a metric-compatible "Times New Roman".
if [ "${1:-}" = "screenshots" ]; then
  packages="$packages openbox imagemagick xdotool x11-utils chromium fonts-liberation"
fi
missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
