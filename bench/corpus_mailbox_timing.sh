#!/bin/sh
# Times vellumo-translate in whole-message mode on mailboxes of the real
# corpus messages (bench/make_corpus_mailbox.py) against copy_baseline
# copying the same file, in the same run: the median of several runs by
# wall-clock time and by CPU time (user + system; steadier on a shared
# machine), each as a ratio to the copy.
#   corpus   every corpus message, repeated to about MEGABYTES
#   small    2,000 corpus messages of at most 16 KB
# Usage: bench/corpus_mailbox_timing.sh [TOOL] [RUNS] [MEGABYTES]
#   TOOL defaults to build/release/bin/vellumo-translate (release preset),
#   RUNS to 7, MEGABYTES to 200. KEEP=FOLDER keeps the outputs there (to
#   compare two builds byte for byte). The mailboxes live in a temporary
#   folder and are removed.
set -e
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/bin/vellumo-translate}")
baseline=$(realpath build/release/bin/copy_baseline)
runs=${2:-7}
megabytes=${3:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_corpus_mailbox.py "$work/corpus.mbx" "$megabytes" | sed 's/^/corpus: /'
python3 bench/make_corpus_mailbox.py "$work/small.mbx" --small 2000 | sed 's/^/small:  /'

# Runs the command RUNS times, the output removed before each; prints the
# median wall and CPU nanoseconds (CPU from the child's resource usage, in
# microseconds: the small mailbox takes a few tens of milliseconds).
measure() {
    python3 - "$runs" "$work/out" "$@" <<'EOF_PY'
import os, subprocess, sys, time
runs, out, command = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
walls, cpus = [], []
for _ in range(runs):
    if os.path.exists(out):
        os.remove(out)
    start = time.perf_counter_ns()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    walls.append(time.perf_counter_ns() - start)
    cpus.append(int((usage.ru_utime + usage.ru_stime) * 1e9))
    if status != 0:
        sys.exit('%s: exit status %d' % (command[0], status))
print(sorted(walls)[runs // 2], sorted(cpus)[runs // 2])
EOF_PY
}

for name in corpus small; do
    box="$work/$name.mbx"
    size=$(stat -c %s "$box")
    cat "$box" > /dev/null
    copy=$(measure "$baseline" "$box" "$work/out")
    convert=$(measure "$tool" --quiet "$box" "$work/out")
    [ -n "$KEEP" ] && cp "$work/out" "$KEEP/$name.out.mbx"
    echo "$copy $convert" | awk -v n="$name" -v s="$size" '{
        printf "%-7s %6.1f MB  copy wall %7.1f ms cpu %7.1f ms  |  convert wall %7.1f ms (%.2fx)  cpu %7.1f ms (%.2fx)\n",
            n, s / 1e6, $1 / 1e6, $2 / 1e6, $3 / 1e6, $3 / $1, $4 / 1e6, ($2 > 0 ? $4 / $2 : 0) }'
done
