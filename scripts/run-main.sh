#!/bin/sh
# Installs what is missing, builds vellumo.dll and runs the main job: the test
# host loads the real DLL under Wine, shows what the mail client sees, and
# offers and translates every sample message in samples/ with saving on.
# Results land in out/. Exits non-zero when a translator that accepted a
# sample does not convert it.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh win32
export WINEPREFIX="$PWD/build/main-wineprefix" WINEDEBUG=-all
[ -f "$WINEPREFIX/system.reg" ] || scripts/wine-prefix.sh "$WINEPREFIX" >/dev/null
wine=$(command -v wine || command -v wine-stable || echo /usr/lib/wine/wine)
host="build/win32/bin/emshost.exe"
# The Windows spelling of a path (drive Z: is the root). printf, not echo:
# echo would read the backslashes of the result as escapes (\t, \n, \b...).
win() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

rm -rf out && mkdir -p out/Plugins
config="$PWD/out/Plugins"
printf '[Options]\r\nSaveHTMLMessages=1\r\n' > "$config/vellumo.ini"

cat <<'EOF'
Status codes below are the plug-in's answers to the mail client:
  can.N: 10   translator N accepts the message     can.N: 2   it does not apply
  translate.status: 0    converted; the output replaces the message
  translate.status: 12   declined; the mail client keeps the message as it was
EOF
echo
echo "== What the mail client sees at plug-in start"
timeout 60 "$wine" "$host" --config-dir "$(win "$config")" | tr -d '\r' | grep -v '^can\.'
# Samples that show a decline on purpose: the text/plain of this alternative
# sits inside a nested multipart/mixed, so translator 1 keeps the message.
expected_declines=" t1-nested-plain.t1 "
failures=0
for message in samples/*.eml; do
    name=$(basename "$message" .eml)
    echo
    echo "== $message"
    answers=$(timeout 60 "$wine" "$host" --config-dir "$(win "$config")" can "$message" \
        | tr -d '\r' | grep '^can\.' || true)
    printf '%s\n' "$answers"
    for id in 1 2 3 4; do
        printf '%s\n' "$answers" | grep -qx "can.$id: 10" || continue
        output="out/$name.t$id.out"
        echo "-- translator $id -> $output"
        result=$(timeout 60 "$wine" "$host" --config-dir "$(win "$config")" translate \
            --translator "$id" "$message" "$output" | tr -d '\r' | grep '^translate\.' || true)
        printf '%s\n' "$result"
        expected=0
        case "$expected_declines" in *" $name.t$id "*) expected=12 ;; esac
        if [ "$expected" -eq 12 ]; then
            echo "(this sample is declined on purpose: its text/plain is not a direct alternative)"
        fi
        if ! printf '%s\n' "$result" | grep -qx "translate.status: $expected"; then
            echo "!! translator $id on $message: expected status $expected"
            failures=$((failures + 1))
        fi
        if [ -s "$output" ]; then
            sed -n '1,40p' "$output"
        fi
    done
done
echo
echo "== Archive files in out/HTML Messages/ (the HTML that saving keeps)"
ls -la "out/HTML Messages/" 2>/dev/null || echo "(none)"
echo
if [ "$failures" -ne 0 ]; then
    echo "main job: $failures translations did not give the expected status"
    exit 1
fi
echo "main job: every sample gave the expected status"
