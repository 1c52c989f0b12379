#!/bin/sh
# Peak resident memory of vellumo-translate converting one message whole,
# against the message's size, for the shapes that used to cost most: a
# plain text message (CR LF and LF line ends) and an attachment inside 64
# levels of multipart/related, at 1, 4 and 16 MB (bench/make_walk_messages.py).
# The ratio counts the process's start-up too ("empty run").
# Usage: bench/walk_memory.sh [TOOL] [MEGABYTES...]
#   TOOL defaults to build/release/bin/vellumo-translate (release preset).
set -e
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/bin/vellumo-translate}")
[ $# -gt 0 ] && shift
sizes=${*:-1 4 16}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_walk_messages.py "$work" $sizes
/usr/bin/time -f "%M" -o "$work/time" "$tool" --version >/dev/null
echo "empty run: peak $(awk '{printf "%.1f", $1 * 1024 / 1e6}' "$work/time") MB"
for megabytes in $sizes; do
    for shape in plain$megabytes-crlf plain$megabytes-lf related$megabytes; do
        rm -f "$work/out.eml"
        /usr/bin/time -f "%e %M" -o "$work/time" "$tool" --quiet "$work/$shape.eml" "$work/out.eml"
        awk -v what="$shape" -v s="$(stat -c %s "$work/$shape.eml")" '{
            printf "%-16s %6.1f MB  %6.2f s  peak %7.1f MB  %5.2fx the message\n",
                what, s / 1e6, $1, $2 * 1024 / 1e6, $2 * 1024 / s }' "$work/time"
    done
done
