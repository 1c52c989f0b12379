#!/bin/sh
# Times vellumo-translate converting a generated mailbox of mixed,
# corpus-like mail (bench/make_mailbox.py), against copying the same file
# through a process (cat) in the same run: MB/s by wall-clock and CPU time
# (user + system; steadier on a shared machine), and peak resident memory
# against the largest message.
# Usage: bench/mailbox_timing.sh [TOOL] [MEGABYTES]
#   TOOL defaults to build/release/bin/vellumo-translate (release preset),
#   MEGABYTES to 1000. The mailbox lives in a temporary folder and is removed.
set -e
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/bin/vellumo-translate}")
megabytes=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_mailbox.py "$work/mail.mbx" "$megabytes" > "$work/made"
cat "$work/made"
largest=$(sed -n 's/.*largest \([0-9.]*\) MB/\1/p' "$work/made")
size=$(stat -c %s "$work/mail.mbx")
cat "$work/mail.mbx" > /dev/null
/usr/bin/time -f "%e %U %S %M" -o "$work/copy" sh -c 'cat "$1" > "$2"' sh "$work/mail.mbx" "$work/copy.mbx"
rm -f "$work/copy.mbx"
/usr/bin/time -f "%e %U %S %M" -o "$work/convert" "$tool" --quiet "$work/mail.mbx" "$work/out.mbx"
"$tool" "$work/out.mbx" "$work/again.mbx" | sed 's/^/second pass over the output: /'
report() {
    awk -v what="$1" -v s="$size" -v largest="$largest" '{
        wall = $1; cpu = $2 + $3; kb = $4
        printf "%-8s %7.1f MB  wall %6.2f s %7.1f MB/s  cpu %6.2f s %7.1f MB/s  peak %6.1f MB (largest message %.2f MB)\n",
            what, s / 1e6, wall, (wall > 0 ? s / 1e6 / wall : 0), cpu,
            (cpu > 0 ? s / 1e6 / cpu : 0), kb * 1024 / 1e6, largest }' "$2"
}
report copy "$work/copy"
report convert "$work/convert"
