#!/bin/sh
# Times vellumo-translate on large generated messages: the median of several
# runs in MB/s, and the peak resident memory against the message size.
# Usage: bench/translate_timing.sh [TOOL] [RUNS]
#   TOOL defaults to build/release/bin/vellumo-translate (release preset).
# The messages are generated in a temporary folder and removed afterwards:
#   a 50 MB multipart/related with base64 images    (translator 4)
#   a 20 MB multipart/alternative, quoted-printable  (translator 1)
#   a 5 MB text/html message                         (translator 2)
set -e
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/bin/vellumo-translate}")
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_big_messages.py "$work"
for job in "4 related50.eml" "1 alternative20.eml" "2 html5.eml"; do
    set -- $job
    size=$(stat -c %s "$work/$2")
    times=""
    peak=0
    i=0
    while [ $i -lt "$runs" ]; do
        rm -f "$work/out"
        /usr/bin/time -f "%e %M" -o "$work/time" "$tool" --translator "$1" "$work/$2" "$work/out" >/dev/null
        start=$(date +%s%N)
        "$tool" --translator "$1" "$work/$2" "$work/out" >/dev/null
        end=$(date +%s%N)
        times="$times $((end - start))"
        kb=$(cut -d' ' -f2 "$work/time")
        [ "$kb" -gt "$peak" ] && peak=$kb
        i=$((i + 1))
    done
    median=$(echo $times | tr ' ' '\n' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    awk -v t="$1" -v f="$2" -v s="$size" -v ns="$median" -v kb="$peak" 'BEGIN {
        printf "translator %s  %-18s %6.1f MB  median %7.1f ms  %7.1f MB/s  peak %6.1f MB (%.2fx)\n",
            t, f, s / 1e6, ns / 1e6, (s / 1e6) / (ns / 1e9), kb * 1024 / 1e6, kb * 1024 / s }'
done
