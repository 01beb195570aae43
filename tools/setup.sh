#!/usr/bin/env bash
# Set-up shared by ./run, ./test and the tools (Debian/Ubuntu): installs what
# is missing, configures and builds.
#   tools/setup.sh [PACKAGE...]   install the build packages and PACKAGEs,
#                                 then build everything
# Sourced, it only defines the varnix_* functions: ./run builds just what it
# starts, and nothing at all when no source is newer than the programs.
#
# Qt: Qt 6 where the distribution has it, else Qt 5, built in build/. An
# existing build/ keeps the Qt it was configured with. VARNIX_QT=5 or 6
# insists on one and builds in build-qt5/ or build-qt6/ beside it.

varnix_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# VARNIX_SANITIZE=1: a Debug build with ASan and UBSan in build-asan/
# (build-qt5-asan/ with VARNIX_QT=5).
varnix_build_dir() {
    local suffix="${VARNIX_QT:+-qt$VARNIX_QT}"
    [ "${VARNIX_SANITIZE:-0}" = 0 ] || suffix="$suffix-asan"
    echo "$varnix_top/build$suffix"
}

varnix_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The Qt major version of an existing build folder, if it has one.
varnix_built_qt() {
    sed -n 's|^QT_DIR:PATH=.*/cmake/Qt\([56]\)$|\1|p' "$1/CMakeCache.txt" 2>/dev/null
}

varnix_qt_major() {
    if [ -n "${VARNIX_QT:-}" ]; then
        echo "$VARNIX_QT"
        return
    fi
    local built
    built="$(varnix_built_qt "$(varnix_build_dir)")"
    if [ -n "$built" ]; then
        echo "$built"
        return
    fi
    if dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q "install ok installed"; then
        echo 6
        return
    fi
    # A fresh system may not have read the package lists yet.
    compgen -G "/var/lib/apt/lists/*Packages" > /dev/null || varnix_sudo apt-get update -qq
    if apt-cache show qt6-serialport-dev > /dev/null 2>&1; then echo 6; else echo 5; fi
}

varnix_qt_packages() {
    case "$1" in
    6) echo qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n ;;
    5) echo qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n ;;
    *) echo "VARNIX_QT must be 5 or 6, not '$1'" >&2; return 1 ;;
    esac
}

# The fonts the program draws in (Liberation Sans, WenQuanYi Micro Hei) and
# DejaVu Sans, the widest one the texts are checked against. The package
# depends on the first two as well (CMakeLists.txt).
varnix_font_packages="fonts-dejavu-core fonts-liberation2 fonts-wqy-microhei"

# What the test suite needs beyond the build: an X server of its own and
# real X input, for the tests that click and type as a person does
# (tst_xinput; without them it skips), and pdftotext for the text of the
# setup sheet's PDF (tst_sheet).
# shellcheck disable=SC2034
varnix_test_packages="xvfb xdotool poppler-utils"

# Installs the build tools, the chosen Qt, the fonts and the packages given.
varnix_install() {
    local major qt
    major="$(varnix_qt_major)"
    qt="$(varnix_qt_packages "$major")" || return 1
    # shellcheck disable=SC2206
    local packages=(build-essential cmake ninja-build ccache $qt $varnix_font_packages "$@")
    local missing=()
    local status
    status="$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)"
    for p in "${packages[@]}"; do
        grep -q "^$p install ok installed$" <<< "$status" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        varnix_sudo apt-get update -qq
        varnix_sudo env DEBIAN_FRONTEND=noninteractive \
            apt-get -o DPkg::Lock::Timeout=120 install -y -qq "${missing[@]}"
    fi
}

# True when a program named is missing or a source file is newer than one.
varnix_stale() {
    local dir program
    dir="$(varnix_build_dir)"
    for program in "$@"; do
        [ -x "$dir/$program" ] || return 0
        [ -z "$(find "$varnix_top" \( -path "$varnix_top/build*" -o -path "$varnix_top/.git" \) -prune -o \
                     -type f -newer "$dir/$program" -print -quit)" ] || return 0
    done
    return 1
}

# ccache, when installed, keeps the objects for the next build folder, the
# other Qt's and other checkouts (paths under the checkout are taken relative
# to it). The precompiled headers need the two sloppinesses. VARNIX_CCACHE=0
# builds without it.
varnix_ccache() {
    if [ "${VARNIX_CCACHE:-1}" = 0 ] || ! command -v ccache > /dev/null; then
        export CCACHE_DISABLE=1
        return 1
    fi
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$varnix_top}"
    export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
}

# Configures the build folder when it is new, then builds the targets named
# (everything when none is).
varnix_build() {
    local dir
    dir="$(varnix_build_dir)"
    local options=(-DCMAKE_BUILD_TYPE=Release)
    [ "${VARNIX_SANITIZE:-0}" = 0 ] || options=(-DCMAKE_BUILD_TYPE=Debug -DVARNIX_SANITIZE=ON)
    [ -z "${VARNIX_QT:-}" ] || options+=("-DVARNIX_QT=$VARNIX_QT")
    ! varnix_ccache || options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Ninja keeps both cores busy across targets; make builds them in turn.
    ! command -v ninja > /dev/null || options+=(-GNinja)
    if [ ! -f "$dir/Makefile" ] && [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$varnix_top" -B "$dir" "${options[@]}"
    fi
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)" "${targets[@]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    varnix_install "$@"
    varnix_build
fi
