#!/bin/sh
# Builds the release package build/win32/vellumo-VERSION-win32.zip: vellumo.dll,
# vellumo-translate.exe, vellumo-html2text.exe, README.txt, LICENSE and
# SHA256SUMS. VERSION is the one in the version resource (src/ui/version.rc).
# Needs the MinGW-w64 cross compiler (scripts/install-deps.sh installs it).
set -e
cd "$(dirname "$0")/.."
scripts/build.sh win32 release_package
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
echo "build/win32/vellumo-$version-win32.zip"
