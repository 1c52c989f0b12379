#!/bin/sh
# Takes the dialog screenshots in docs/ from a win32 build under Wine and Xvfb:
#   tools/rigs/uidriver/take_screenshots.sh [WIN32_BIN_FOLDER]
# Needs wine, Xvfb and ImageMagick. Uses a throw-away Wine prefix.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(cd "${1:-$root/build/win32/bin}" && pwd)
work=$(mktemp -d /tmp/vellumo-shots-XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
display=:$((90 + $$ % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display
timeout 240 wine wineboot -i >/dev/null 2>&1 || true
plugins="$WINEPREFIX/drive_c/Mail/Plugins"
mkdir -p "$plugins"
cp "$bin/vellumo.dll" "$bin/emshost.exe" "$bin/uidriver.exe" "$plugins/"
cat > "$work/script.txt" <<'SCRIPT'
wait settings
sleep 3000
click 1005
sleep 3000
press 1010
wait info
sleep 3000
click 1004
wait settings
click 1008
exit
SCRIPT
out="$work/out.txt"
(cd "$plugins" && timeout 120 wine uidriver.exe drive --script "Z:$(printf '%s' "$work" | tr / '\\')\\script.txt" \
    -- emshost.exe --config-dir 'C:\Mail\Plugins' special-hook >"$out" 2>&1) &
driver=$!
# Each picture is taken a while after the step that shows it has been reported.
shoot() {
    until grep -aq "$1" "$out" 2>/dev/null; do sleep 0.2; done
    sleep 1.5
    import -window root "$work/$2.png"
    geometry=$(convert "$work/$2.png" -format "%@" info:)
    convert "$work/$2.png" -crop "$geometry" +repage -bordercolor "#3a6ea5" -border 10 -strip \
        "$root/docs/$2.png"
}
shoot "wait settings: ok" settings-dialog
shoot "click 1005: done" settings-dialog-sleep
shoot "wait info: ok" program-info-dialog
wait $driver
echo "screenshots written to $root/docs"
