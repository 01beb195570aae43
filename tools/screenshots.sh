#!/usr/bin/env bash
# Captures the six pages of the running program under Xvfb into
# docs/screenshots/page0.png .. page5.png. The live page is taken connected to
# the transmitter simulator, so its bars show real movement.
#   tools/screenshots.sh [--lang en] [--status | --screen WxH] [OUTDIR]
# --lang en takes the English window, as page0-en.png .. page5-en.png.
# PAGES="0 3" takes those pages instead. --status takes the status bar
# instead: after a Read that misses two sections (status-read.png), during a
# Write (status-writing.png) and after it, with its read-back
# (status-written.png). --screen
# 1024x600 takes the whole screen of that size with the window on it after a
# Read, scrolled to the end (screen-1024x600.png). --editing takes page 1 with
# four edits marked (editing-marks.png) and the review that a Write then brings
# (editing-review.png), -en with --lang en.
# VARNIX_BUILD=DIR takes the programs from DIR instead of building build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
lang=zh
if [ "${1:-}" = "--lang" ]; then
    lang="$2"
    shift 2
fi
status=""
if [ "${1:-}" = "--status" ]; then
    status=1
    shift
fi
editing=""
if [ "${1:-}" = "--editing" ]; then
    editing=1
    shift
fi
# The screen is larger than the window, which then has its whole size.
screen=""
if [ "${1:-}" = "--screen" ]; then
    screen="$2"
    shift 2
fi
suffix=""
pages="${PAGES:-0 1 2 3 4 5}"
[ "$lang" = zh ] || suffix="-$lang"
out="${1:-$here/docs/screenshots}"
bin="${VARNIX_BUILD:-$here/build}"
if [ -z "${SCREENSHOT_INNER:-}" ] && [ -z "${VARNIX_BUILD:-}" ]; then
    "$here/tools/setup.sh" xvfb xauth imagemagick xdotool
fi
mkdir -p "$out"

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    PAGES="$pages" SCREENSHOT_INNER=1 VARNIX_BUILD="$bin" exec xvfb-run -a -s "-screen 0 ${screen:-1280x800}x24" \
        "$0" --lang "$lang" ${status:+--status} ${editing:+--editing} ${screen:+--screen "$screen"} "$out"
fi

log="$(mktemp)"
# The language choice goes to a settings folder of its own, not the user's.
config="$(mktemp -d)"
sim_args=()
[ -z "$status" ] || sim_args=(--leave-out 7,8)
"$bin/txsim" "${sim_args[@]}" > "$log" 2>/dev/null &
sim=$!
app=""
trap 'kill $sim $app 2>/dev/null || true; rm -rf "$log" "$config"' EXIT
port=""
for _ in $(seq 50); do
    port="$(head -n 1 "$log" 2>/dev/null || true)"
    [ -n "$port" ] && break
    sleep 0.1
done

XDG_CONFIG_HOME="$config" "$bin/varnix-config" --lang "$lang" "$port" 2>/dev/null &
app=$!
win=""
for _ in $(seq 50); do
    win="$(xdotool search --name 'Varnix&Tolbane-V5.0' 2>/dev/null | head -n 1 || true)"
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "the window did not appear" >&2; exit 1; }
xdotool windowmove "$win" 0 0
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")"
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+0+0" +repage "$out/$1.png"; }

# Connect (openButton), read the settings (toolButton_Read), let the bars move.
xdotool mousemove 680 50 click 1
sleep 0.5
xdotool mousemove 75 50 click 1
sleep 2
xdotool mousemove 1050 650
sleep 0.5

if [ -n "$screen" ]; then
    # No window manager: the window has no frame, and its scroll bars lie
    # along its right and bottom edges, above the status bar. A click in a
    # bar's trough near its end pages towards that end.
    eval "$(xdotool getwindowgeometry --shell "$win")"
    for _ in 1 2 3; do
        xdotool mousemove $((WIDTH - 6)) $((HEIGHT - 70)) click 1
        # Narrower than the form (1100 px): a horizontal bar too.
        [ "$WIDTH" -ge 1100 ] || xdotool mousemove $((WIDTH - 40)) $((HEIGHT - 34)) click 1
    done
    xdotool mousemove 5 5
    sleep 0.8
    import -window root "$out/screen-$screen.png"
    echo "screenshot in $out/screen-$screen.png"
    exit 0
fi

if [ -n "$status" ]; then
    # The Read's report comes 2 s after the request when sections are missing.
    sleep 1
    shot status-read
    xdotool mousemove 315 50 click 1  # toolButton_Send
    sleep 0.3
    xdotool key Return                # the review: "仍然写入", sections are missing
    sleep 1
    shot status-writing
    # Four frames, then the read-back: missing sections are waited for 3 s.
    sleep 6
    shot status-written
    echo "screenshots in $out"
    exit 0
fi

if [ -n "$editing" ]; then
    # Page 1; sub-trim CH1 and CH4, end point R CH8 and fail-safe CH2 typed in.
    xdotool mousemove 220 135 click 1
    sleep 0.8
    type_at() {
        xdotool mousemove "$1" "$2" click --repeat 2 1
        sleep 0.2
        xdotool key ctrl+a
        xdotool type -- "$3"
        xdotool key Tab
        sleep 0.3
    }
    type_at 330 235 25
    type_at 330 399 -8
    type_at 575 616 110
    type_at 700 290 70
    xdotool mousemove 335 240  # the tool tip of sub-trim CH1
    sleep 2
    shot "editing-marks$suffix"
    xdotool mousemove 315 50 click 1  # toolButton_Send
    sleep 1.5
    shot "editing-review$suffix"
    echo "screenshots in $out"
    exit 0
fi

# The tabs are 140 pixels wide from x = 10, 50 high from y = 110.
for page in $pages; do
    xdotool mousemove $((80 + 140 * page)) 135 click 1
    xdotool mousemove 1050 650
    sleep 0.8
    shot "page$page$suffix"
done
echo "screenshots in $out"
