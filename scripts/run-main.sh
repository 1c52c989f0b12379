#!/bin/sh
# Installs what is missing, builds vellumo.dll and runs the main job: the test
# host loads the real DLL under Wine, shows what the mail client sees, and
# offers and translates every sample message in samples/ with saving on.
# Results land in out/.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh win32
export WINEPREFIX="$PWD/build/main-wineprefix" WINEDEBUG=-all
[ -f "$WINEPREFIX/system.reg" ] || scripts/wine-prefix.sh "$WINEPREFIX" >/dev/null
wine=$(command -v wine || command -v wine-stable || echo /usr/lib/wine/wine)
host="build/win32/bin/emshost.exe"
win() { echo "Z:$(echo "$1" | tr / '\\')"; }

rm -rf out && mkdir -p out/Plugins
config="$PWD/out/Plugins"
printf '[Options]\r\nSaveHTMLMessages=1\r\n' > "$config/vellumo.ini"

echo "== What the mail client sees at plug-in start"
timeout 60 "$wine" "$host" --config-dir "$(win "$config")" | grep -v '^can\.'
for message in samples/*.eml; do
    name=$(basename "$message" .eml)
    echo
    echo "== $message"
    answers=$(timeout 60 "$wine" "$host" --config-dir "$(win "$config")" can "$message" \
        | tr -d '\r' | grep '^can\.')
    echo "$answers"
    for id in 1 2 3 4; do
        echo "$answers" | grep -qx "can.$id: 10" || continue
        output="out/$name.t$id.out"
        echo "-- translator $id -> $output"
        timeout 60 "$wine" "$host" --config-dir "$(win "$config")" translate --translator "$id" \
            "$message" "$output" | tr -d '\r' | grep '^translate\.'
        if [ -s "$output" ]; then
            sed -n '1,40p' "$output"
        fi
    done
done
echo
echo "== Archive files in out/HTML Messages/"
ls -la "out/HTML Messages/" 2>/dev/null || echo "(none)"
