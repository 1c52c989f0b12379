#!/bin/sh
# Peak memory of translator 2's HTML rendering on the two 5 MB text/html
# messages of make_big_messages.py (html5: dense tags; news5: the corpus
# newsletters one after another):
#   - the built-in renderer with its input (html_memory: every allocation
#     counted, the input given back as the renderer stops reading it) as a
#     ratio to the HTML size, next to copying the HTML once in the same run;
#   - the whole translation (translate_file --translator 2), peak resident
#     memory as a ratio to the message size, next to copy_baseline reading
#     and writing the message once; "empty" is the start-up of a process.
# Release preset:
#   scripts/build.sh release html_memory translate_file copy_baseline
# Usage: bench/html_memory.sh
set -e
cd "$(dirname "$0")/.."
bin=build/release/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_big_messages.py "$work"
"$bin/html_memory" "$work/html5.eml" "$work/news5.eml"
/usr/bin/time -f "%M" -o "$work/time" "$bin/translate_file" >/dev/null 2>&1 || true
echo "empty run: peak $(tail -1 "$work/time" | awk '{printf "%.1f", $1 * 1024 / 1e6}') MB"
for message in html5.eml news5.eml; do
    size=$(stat -c %s "$work/$message")
    /usr/bin/time -f "%M" -o "$work/copy" "$bin/copy_baseline" "$work/$message" "$work/out"
    /usr/bin/time -f "%M" -o "$work/time" "$bin/translate_file" --translator 2 \
        "$work/$message" "$work/out" || true
    echo "$(tail -1 "$work/copy") $(tail -1 "$work/time")" | awk -v f="$message" -v s="$size" '{
        printf "translator 2  %-10s %5.2f MB  copy peak %6.1f MB (%.2fx)  translation peak %6.1f MB (%.2fx size)\n",
            f, s / 1e6, $1 * 1024 / 1e6, $1 * 1024 / s, $2 * 1024 / 1e6, $2 * 1024 / s }'
done
