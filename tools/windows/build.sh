#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows into build-win/:
# varnix-config.exe, varnix-param.exe and the test programs, against the Qt
# for Windows that qt.sh keeps in its cache (built first when missing).
#   tools/windows/build.sh            configure when new, then build
#   tools/windows/build.sh package    also make the installer and the zip
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/env.sh"
varnix_win_install

qt="$("$here/qt.sh" | tail -n 1)"
dir="$varnix_top/build-win"
if [ ! -f "$dir/build.ninja" ] || ! grep -q "^CMAKE_TOOLCHAIN_FILE:.*=$qt/" "$dir/CMakeCache.txt"; then
    rm -rf "$dir"
    cmake -S "$varnix_top" -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DVARNIX_QT=6 -DVARNIX_BUILD_TESTS=ON
fi
cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"

if [ "${1:-}" = "package" ]; then
    (cd "$dir" && cpack -G NSIS && cpack -G ZIP)
    ls -l "$dir"/varnix-config-*-win64.*
fi
