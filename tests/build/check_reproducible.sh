#!/usr/bin/env bash
# Two builds of one commit ship the same bytes. Each Windows half of the build
# folder is configured and built again in a fresh folder, with the sources seen
# through another path, and its SetupD.exe and payload are compared.
# Usage: check_reproducible.sh SOURCE BUILD
set -euo pipefail
src=$1 build=$2
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
ln -s "$src" "$tmp/source"
checked=0
for half in "$build/target" "$build/target64"; do
    [[ -f $half/CMakeCache.txt ]] || continue
    setting() { sed -n "s/^$1:[A-Z]*=//p" "$half/CMakeCache.txt"; }
    again=$tmp/$(basename "$half")
    { cmake -S "$tmp/source" -B "$again" -DCMAKE_TOOLCHAIN_FILE="$(setting CMAKE_TOOLCHAIN_FILE)" \
        -DCMAKE_BUILD_TYPE="$(setting CMAKE_BUILD_TYPE)" -DHOST_TOOLS_DIR="$(setting HOST_TOOLS_DIR)" \
        -DDUNVO_PAYLOAD_DIR="$(setting DUNVO_PAYLOAD_DIR)" && cmake --build "$again" -j2 --target SetupD; } \
        >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
    for file in SetupD.exe payload/filesdata.gz; do
        sha256sum "$half/$file" "$again/$file"
        [[ $(sha256sum <"$half/$file") == "$(sha256sum <"$again/$file")" ]] ||
            { echo "FAIL: $file differs between the two builds"; exit 1; }
        checked=$((checked + 1))
    done
done
[[ $checked -gt 0 ]] || { echo "FAIL: no Windows half in $build"; exit 1; }
