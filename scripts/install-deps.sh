#!/bin/sh
# Installs whatever the builds and tests need and is not there yet (Debian,
# as root). Quiet when everything is present.
set -e
packages="cmake make g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev \
g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth imagemagick \
python3 clang-format"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
if ! dpkg --print-foreign-architectures | grep -q i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends $missing
