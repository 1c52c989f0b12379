#!/bin/sh
# Times the translation driver on large generated messages against a baseline that
# reads and writes the same file once (copy_baseline, the translators' own
# file layer), in the same run: the median of several runs by wall-clock time
# and by CPU time (user + system; steadier on a shared machine), each as a
# ratio to the baseline, and the peak resident memory against the message
# size.
# Usage: bench/translate_timing.sh [TOOL] [RUNS]
#   TOOL (called as TOOL --translator N INPUT OUTPUT) defaults to
#   build/release/bin/translate_file, the driver as the plug-in runs it
#   (release preset); vellumo-translate adds its own acceptance check, which
#   reads the input once more. The baseline is copy_baseline.
# The messages are generated in a temporary folder and removed afterwards:
#   a 50 MB multipart/related with base64 images    (translator 4)
#   a 20 MB multipart/alternative, quoted-printable  (translator 1, and as
#     multipart/related with the same parts, translator 4)
#   a 5 MB text/html message, dense in tags           (translator 2)
#   a 5 MB text/html message of corpus newsletters    (translator 2)
#   8 MB of one million header lines, as text/html   (translator 2) and as
#     multipart/alternative                          (translator 1)
#   a 50 MB multipart/alternative of 5 million parts  (translator 1)
# Peak memory includes the process's own start-up (about 3 MB); "empty"
# gives it, so that a ratio can be read with and without it.
set -e
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/bin/translate_file}")
baseline=$(realpath build/release/bin/copy_baseline)
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_big_messages.py "$work"
/usr/bin/time -f "%M" -o "$work/time" "$tool" --help >/dev/null 2>&1 || true
# The last line: a tool that exits with a usage error gets a line before it.
echo "empty run: peak $(tail -1 "$work/time" | awk '{printf "%.1f", $1 * 1024 / 1e6}') MB"

median() {
    echo "$@" | tr ' ' '\n' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

# Runs the command RUNS times; prints the median wall and CPU nanoseconds and
# the highest peak resident size in kB.
measure() {
    walls=""
    cpus=""
    peak=0
    i=0
    while [ $i -lt "$runs" ]; do
        rm -f "$work/out"
        start=$(date +%s%N)
        /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null || true
        end=$(date +%s%N)
        walls="$walls $((end - start))"
        cpus="$cpus $(tail -1 "$work/time" | awk '{printf "%d", ($1 + $2) * 1e9}')"
        kb=$(tail -1 "$work/time" | cut -d' ' -f3)
        [ "$kb" -gt "$peak" ] && peak=$kb
        i=$((i + 1))
    done
    echo "$(median $walls) $(median $cpus) $peak"
}

for job in "4 related50.eml" "4 related-qp20.eml" "1 alternative20.eml" "2 html5.eml" \
    "2 news5.eml" "2 headers8-html.eml" "1 headers8-alt.eml" "1 parts50.eml"; do
    set -- $job
    size=$(stat -c %s "$work/$2")
    copy=$(measure "$baseline" "$work/$2" "$work/out")
    result=$(measure "$tool" --translator "$1" "$work/$2" "$work/out")
    echo "$copy $result" | awk -v t="$1" -v f="$2" -v s="$size" '{
        printf "translator %s  %-18s %5.1f MB  copy wall %6.1f ms cpu %6.1f ms  |  wall %6.1f ms (%.2fx)  cpu %6.1f ms (%.2fx)  peak %6.1f MB (%.2fx size, copy %.2fx)\n",
            t, f, s / 1e6, $1 / 1e6, $2 / 1e6, $4 / 1e6, $4 / $1, $5 / 1e6,
            ($2 > 0 ? $5 / $2 : 0), $6 * 1024 / 1e6, $6 * 1024 / s, $3 * 1024 / s }'
done
