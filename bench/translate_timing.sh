#!/bin/sh
# Times vellumo-translate on large generated messages: the median of several
# runs in MB/s by wall-clock time and by CPU time (user + system; steadier on
# a shared machine), and the peak resident memory against the message size.
# Usage: bench/translate_timing.sh [TOOL] [RUNS]
#   TOOL defaults to build/release/bin/vellumo-translate (release preset).
# The messages are generated in a temporary folder and removed afterwards:
#   a 50 MB multipart/related with base64 images    (translator 4)
#   a 20 MB multipart/alternative, quoted-printable  (translator 1)
#   a 5 MB text/html message, dense in tags           (translator 2)
#   a 5 MB text/html message of corpus newsletters    (translator 2)
# Peak memory includes the process's own start-up (about 3 MB); "empty"
# gives it, so that a ratio can be read with and without it.
set -e
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/bin/vellumo-translate}")
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_big_messages.py "$work"
/usr/bin/time -f "%M" -o "$work/time" "$tool" --help >/dev/null
echo "empty run: peak $(awk '{printf "%.1f", $1 * 1024 / 1e6}' "$work/time") MB"
for job in "4 related50.eml" "1 alternative20.eml" "2 html5.eml" "2 news5.eml"; do
    set -- $job
    size=$(stat -c %s "$work/$2")
    walls=""
    cpus=""
    peak=0
    i=0
    while [ $i -lt "$runs" ]; do
        rm -f "$work/out"
        start=$(date +%s%N)
        /usr/bin/time -f "%U %S %M" -o "$work/time" "$tool" --translator "$1" "$work/$2" "$work/out" >/dev/null
        end=$(date +%s%N)
        walls="$walls $((end - start))"
        cpus="$cpus $(awk '{printf "%d", ($1 + $2) * 1e9}' "$work/time")"
        kb=$(cut -d' ' -f3 "$work/time")
        [ "$kb" -gt "$peak" ] && peak=$kb
        i=$((i + 1))
    done
    wall=$(echo $walls | tr ' ' '\n' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    cpu=$(echo $cpus | tr ' ' '\n' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    awk -v t="$1" -v f="$2" -v s="$size" -v ns="$wall" -v cpu="$cpu" -v kb="$peak" 'BEGIN {
        printf "translator %s  %-18s %5.1f MB  wall %6.1f ms %6.1f MB/s  cpu %6.1f ms %6.1f MB/s  peak %5.1f MB (%.2fx)\n",
            t, f, s / 1e6, ns / 1e6, (s / 1e6) / (ns / 1e9), cpu / 1e6,
            (cpu > 0 ? (s / 1e6) / (cpu / 1e9) : 0), kb * 1024 / 1e6, kb * 1024 / s }'
done
