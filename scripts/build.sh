#!/bin/sh
# Configures and builds one preset: scripts/build.sh PRESET [TARGET...]
set -e
cd "$(dirname "$0")/.."
preset=${1:?usage: build.sh PRESET [TARGET...]}
shift
# A compiler cache, when there is one, makes rebuilds after a checkout cheap.
if command -v ccache >/dev/null 2>&1; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake --preset "$preset" >/dev/null
if [ $# -gt 0 ]; then
    for target in "$@"; do
        cmake --build --preset "$preset" --target "$target" -j"$(nproc)"
    done
else
    cmake --build --preset "$preset" -j"$(nproc)"
fi
