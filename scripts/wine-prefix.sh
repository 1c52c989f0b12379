#!/bin/sh
# Creates a fresh, throw-away Wine prefix for one test run.
set -e
prefix=${1:?usage: wine-prefix.sh PREFIX}
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
wine=$(command -v wine || command -v wine-stable || echo /usr/lib/wine/wine)
wineserver=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)
# A server still running for the old prefix (it lingers a few seconds after
# the last program) would serve the new one from deleted files.
WINEPREFIX=$prefix timeout 30 "$wineserver" -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
WINEPREFIX=$prefix WINEDEBUG=-all timeout 240 "$wine" wineboot -i >/dev/null 2>&1 || true
WINEPREFIX=$prefix timeout 60 "$wineserver" -w 2>/dev/null || true
test -f "$prefix/system.reg"
echo "wine prefix ready: $prefix"
