# Shared by the Windows scripts (sourced): where things are, what to install.

varnix_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$varnix_top/tools/setup.sh"

# Qt for Windows is the distribution's Qt version, so that its host tools
# (moc, rcc, uic from qt6-base-dev-tools) fit.
varnix_win_qt_version=6.4.2
varnix_win_cache="${XDG_CACHE_HOME:-$HOME/.cache}/varnix-config"
varnix_win_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
                     wine wine64 nsis xvfb xdotool unzip ninja-build dpkg-dev libwine-dev
                     qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
                     qt6-l10n-tools qt6-translations-l10n)

# The cache is named by the Qt version and by this folder's Qt recipe, so a
# changed recipe builds a new cache beside the old one.
varnix_win_qt_prefix() {
    local sum
    sum="$(cat "$varnix_top/tools/windows/qt.sh" "$varnix_top/cmake/mingw-w64.cmake" | sha256sum | cut -c1-12)"
    echo "$varnix_win_cache/qt-$varnix_win_qt_version-mingw64-$sum"
}

varnix_win_install() {
    varnix_install "${varnix_win_packages[@]}"
}

# The Debian version of the Qt the host tools come from.
varnix_win_qt_deb_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

# apt-get source needs a deb-src line; the running release's is added once.
varnix_win_deb_src() {
    if ! grep -rqs '^\(deb-src\|Types:.*deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        local codename
        codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
        varnix_sudo tee /etc/apt/sources.list.d/varnix-deb-src.sources > /dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
        varnix_sudo apt-get update -qq
    fi
}
