#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from the distribution's own Qt
# sources, once, into a cache outside the tree:
#   ~/.cache/varnix-config/qt-<version>-mingw64-<checksum of this script>
# A cache that is there is reused. Prints the cache's path on its last line.
#
#   tools/windows/qt.sh                 build the cache unless it is there
#   tools/windows/qt.sh --prefix        only print where the cache is (or would be)
#
# Qt SerialPort comes from the archive where it serves it, else from a tarball
# of Qt's own tag: VARNIX_QT_SERIALPORT_TARBALL, or the one in ../shared/windows.
# Needs the packages tools/windows/env.sh installs; about 45 minutes on two cores.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/env.sh"

prefix="$(varnix_win_qt_prefix)"
if [ "${1:-}" = "--prefix" ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/.complete" ]; then
    echo "Qt for Windows is cached in $prefix"
    echo "$prefix"
    exit 0
fi
varnix_win_install

start=$(date +%s)
# The build folder (about 1.1 GB) is kept until the cache is complete, so
# that a build cut short goes on where it stopped.
work="$varnix_win_cache/qt-$varnix_win_qt_version-build"
mkdir -p "$work"
cd "$work"

# The source packages: qtbase from the archive, its source line added for the
# running release when it is missing.
if [ ! -d "src-base" ]; then
    varnix_win_deb_src
    rm -rf src-base.new && mkdir src-base.new
    (cd src-base.new && apt-get source --download-only -qq "qt6-base=$(varnix_win_qt_deb_version)" > /dev/null \
        && tar -xf qt6-base_*.orig.tar.xz --strip-components=1 && rm -f qt6-base_*)
    mv src-base.new src-base
fi
if [ ! -d "src-serial" ]; then
    rm -rf src-serial.new && mkdir src-serial.new
    if (cd src-serial.new && apt-get source --download-only -qq "qt6-serialport" > /dev/null 2>&1); then
        tar -xf src-serial.new/qt6-serialport_${varnix_win_qt_version}*.orig.tar.xz -C src-serial.new --strip-components=1
    else
        tarball="${VARNIX_QT_SERIALPORT_TARBALL:-$varnix_top/../shared/windows/qtserialport-$varnix_win_qt_version.tar.xz}"
        [ -f "$tarball" ] || { echo "qt.sh: the archive has no qt6-serialport source and $tarball is missing" >&2; exit 1; }
        echo "qt6-serialport from $tarball"
        tar -xf "$tarball" -C src-serial.new --strip-components=1
    fi
    mv src-serial.new src-serial
fi
base=src-base
serial=src-serial

# Mend: Debian drops the pen-tablet headers the qwindows plugin includes.
# Wine's LGPL ones declare the same API, with two names of Wine's own that
# the Wintab SDK's headers do not use: DECL_WINELIB_TYPE_AW (the A/W type
# pairs) and API (the SDK's calling convention).
mkdir -p "$base/src/3rdparty/wintab"
cp /usr/include/wine/wine/windows/wintab.h "$base/src/3rdparty/wintab/wine-wintab.h"
cp /usr/include/wine/wine/windows/pktdef.h "$base/src/3rdparty/wintab/pktdef.h"
cat > "$base/src/3rdparty/wintab/wintab.h" <<'EOF_H'
#pragma once
#include <windows.h>
#ifndef DECL_WINELIB_TYPE_AW
#  ifdef UNICODE
#    define WINELIB_NAME_AW(name) name##W
#  else
#    define WINELIB_NAME_AW(name) name##A
#  endif
#  define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
#  define API WINAPI
#endif
#include "wine-wintab.h"
EOF_H

# Mend: the qwindows plugin asks for dynamic OpenGL where OpenGL itself is
# left out; without OpenGL there is no software OpenGL either.
sed -i '/^static inline bool isSoftwareGl()/,/^}/s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$base/src/plugins/platforms/windows/qwindowswindow.cpp"

# The toolchain is copied into the cache: Qt's own toolchain file refers to it,
# and it has to outlive any checkout.
mkdir -p "$prefix"
cp "$varnix_top/cmake/mingw-w64.cmake" "$prefix/mingw-w64.cmake"

common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF)
# What the program, its tools and tests do not use is left out. DirectWrite
# (direct2d) stays: the qwindows plugin and PrintSupport use its font classes.
cmake -S "$base" -B build-base "${common[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF \
    -DFEATURE_glib=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    > configure-base.log
cmake --build build-base --parallel "$(nproc)"
cmake --install build-base > /dev/null

cmake -S "$serial" -B build-serial "${common[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" > configure-serial.log
cmake --build build-serial --parallel "$(nproc)"
cmake --install build-serial > /dev/null

{
    echo "built $(date -u +%Y-%m-%dT%H:%MZ) in $(( $(date +%s) - start )) s"
    echo "qt6-base $(varnix_win_qt_deb_version), qtserialport $varnix_win_qt_version"
    echo "size $(du -sh "$prefix" | cut -f1)"
} > "$prefix/.complete"
cd / && rm -rf "$work"
cat "$prefix/.complete"
echo "$prefix"
