#!/bin/sh
# Renders the button, lamp and program icons (Windows .ico, Linux menu
# icons) from their SVG sources in resources/images/src. The rendered files
# are committed, so building the program never needs this; run it after
# editing an SVG.
#
# Needs rsvg-convert (Debian/Ubuntu: apt-get install librsvg2-bin) and python3.
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
src="$top/resources/images/src"
out="$top/resources/images"

command -v rsvg-convert >/dev/null 2>&1 || {
    echo "render-icons: rsvg-convert not found (package librsvg2-bin)" >&2
    exit 1
}

# Tool bar buttons: 256 x 256, white on transparent.
for name in Receive open Send save Reset; do
    rsvg-convert --width 256 --height 256 --format png -o "$out/$name.png" "$src/$name.svg"
done

# Connection lamps: 200 x 200.
for name in red green; do
    rsvg-convert --width 200 --height 200 --format png -o "$out/$name.png" "$src/$name.svg"
done

# Windows executable icon: one 256 x 256, 32 bpp image, stored as PNG inside
# the .ico (the form Windows uses for 256-pixel icons).
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
rsvg-convert --width 256 --height 256 --format png -o "$tmp" "$src/varnix.svg"
python3 - "$tmp" "$top/resources/varnix.ico" <<'PY'
import struct, sys
png = open(sys.argv[1], "rb").read()
# colour type 6 is RGBA, bit depth 8: 32 bits per pixel
assert png[:8] == b"\x89PNG\r\n\x1a\n" and png[24] == 8 and png[25] == 6, "expected 8-bit RGBA PNG"
header = struct.pack("<HHH", 0, 1, 1)
# width and height 0 mean 256; no palette; 1 plane; 32 bpp
entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(png), 6 + 16)
open(sys.argv[2], "wb").write(header + entry + png)
PY

# Linux menu icons, installed into the hicolor theme.
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$top/resources/icons/${size}x${size}/apps"
    rsvg-convert --width $size --height $size --format png \
        -o "$top/resources/icons/${size}x${size}/apps/varnix-config.png" "$src/varnix.svg"
done

echo "render-icons: wrote $(ls "$out"/*.png | wc -l) images and varnix.ico"
