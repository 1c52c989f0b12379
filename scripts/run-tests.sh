#!/bin/sh
# Installs what is missing, builds every preset and runs every test: unit
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, the Wine tests
# of the real DLL (dialogs under Xvfb), and a short run of each fuzz target.
# Ends with the line "N passed, N failed".
set -u
cd "$(dirname "$0")/.."
started=$(date +%s)
scripts/install-deps.sh || exit 1
scripts/build.sh win32 || exit 1
scripts/build.sh native-asan || exit 1
scripts/build.sh fuzz || exit 1
echo "build done after $(( $(date +%s) - started )) s"

logs=build/test-logs
mkdir -p "$logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# One virtual screen for every Wine run, so dialogs open in real windows.
xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir build/native-asan --output-on-failure -j2 --timeout 600 \
    2>&1 | tee "$logs/native.log"
ctest --test-dir build/fuzz --output-on-failure -j2 2>&1 | tee "$logs/fuzz.log"

passed=0
failed=0
for log in "$logs/native.log" "$logs/fuzz.log"; do
    summary=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -1)
    if [ -z "$summary" ]; then
        echo "no test summary in $log"
        failed=$((failed + 1))
        continue
    fi
    total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
    bad=$(echo "$summary" | sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done
echo "test run took $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
