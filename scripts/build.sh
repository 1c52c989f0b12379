#!/bin/sh
# Configures and builds one preset: scripts/build.sh PRESET [TARGET...]
set -e
cd "$(dirname "$0")/.."
preset=${1:?usage: build.sh PRESET [TARGET...]}
shift
cmake --preset "$preset" >/dev/null
if [ $# -gt 0 ]; then
    for target in "$@"; do
        cmake --build --preset "$preset" --target "$target" -j"$(nproc)"
    done
else
    cmake --build --preset "$preset" -j"$(nproc)"
fi
