#!/bin/sh
# Fails when a C++ file of the project is not as clang-format writes it.
# scripts/check-format.sh [--fix]
cd "$(dirname "$0")/.."
files=$(find src tests tools bench fuzz -path tests/data -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sort)
if [ "${1:-}" = "--fix" ]; then
    clang-format -i $files
    exit 0
fi
clang-format --dry-run --Werror $files && echo "format check: $(echo "$files" | wc -l) files clean"
