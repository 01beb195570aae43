#!/usr/bin/env bash
# Captures the six pages of the running program under Xvfb into
# docs/screenshots/page0.png .. page5.png. The live page is taken connected to
# the transmitter simulator, so its bars show real movement.
#   tools/screenshots.sh [--lang en] [--status | --editing | --screen WxH | --scope] [OUTDIR]
# --lang en takes the English window, as page0-en.png .. page5-en.png.
# PAGES="0 3" takes those pages instead. --status takes the status bar
# instead: after a Read that misses two sections (status-read.png), during a
# Write (status-writing.png) and after it, with its read-back
# (status-written.png). --screen
# 1024x600 takes the whole screen of that size with the window on it after a
# Read, scrolled to the end (screen-1024x600.png). --editing takes page 1 with
# four edits marked (editing-marks.png) and the review that a Write then brings
# (editing-review.png), -en with --lang en.
# --airframe takes page 3 with the live markers on its curves
# (live-curves.png) and the airframe check (F7) of a V-tail streaming
# (airframe-check.png), -en with --lang en.
# --scope takes the channel scope streaming (scope.png), the log viewer on
# what it recorded meanwhile (viewer.png) and the first page of a setup
# sheet (sheet.png, through pdftoppm).
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
scope=""
if [ "${1:-}" = "--scope" ]; then
    scope=1
    shift
fi
airframe=""
if [ "${1:-}" = "--airframe" ]; then
    airframe=1
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
    "$here/tools/setup.sh" xvfb xauth imagemagick xdotool poppler-utils
fi
mkdir -p "$out"

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    PAGES="$pages" SCREENSHOT_INNER=1 VARNIX_BUILD="$bin" exec xvfb-run -a -s "-screen 0 ${screen:-1280x800}x24" \
        "$0" --lang "$lang" ${status:+--status} ${editing:+--editing} ${screen:+--screen "$screen"} ${scope:+--scope} ${airframe:+--airframe} "$out"
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

# The first window whose title matches $1, waited for up to 5 s; $2 names it
# in the error.
window() {
    local id=""
    for _ in $(seq 50); do
        id="$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)"
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "the $2 did not appear" >&2; exit 1; }
    echo "$id"
}

record=()
[ -z "$scope" ] || record=(--record "$config/flight.csv")
XDG_CONFIG_HOME="$config" "$bin/varnix-config" --lang "$lang" "${record[@]}" "$port" 2>/dev/null &
app=$!
win="$(window 'Varnix&Tolbane-V' window)"
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

if [ -n "$scope" ]; then
    xdotool key F5
    scope_win="$(window '通道示波器|Channel scope' scope)"
    xdotool windowmove "$scope_win" 0 0 windowsize "$scope_win" 1100 620
    # Ten seconds of stream fill the view; the cursor stands at two thirds.
    sleep 12
    xdotool mousemove 560 300
    sleep 0.5
    import -window root -crop 1100x620+0+0 +repage "$out/scope.png"
    # The recording so far, in the viewer (Ctrl+O, the path, Return).
    xdotool key ctrl+o
    sleep 1
    xdotool type --delay 20 "$config/flight.csv"
    xdotool key Return
    viewer="$(window 'flight.csv' viewer)"
    xdotool windowmove "$viewer" 0 0 windowsize "$viewer" 1100 620
    sleep 0.5
    xdotool mousemove 420 300
    sleep 0.5
    import -window root -crop 1100x620+0+0 +repage "$out/viewer.png"
    # The sheet of example settings, first page.
    cat > "$config/glider.json" <<'JSON'
{"format":"varnix-parameter-file","version":1,"reverse":[0,0,1,0,0,0,0,0],"subTrim":[0,4,-6,0,0,0,0,0],"epaLeft":[96,96,96,96,96,96,96,96],"epaRight":[96,96,96,96,96,96,96,96],"failSafe":[50,50,0,50,50,50,50,50],"servoDelay":[100,100,100,100,100,100,100,100],"auxSource":[null,null,null,null,1,3,0,2],"attitudeChannel":4,"attitude":[14,29,44,56,69,88],"elevonMix":0,"elevon":[100,100,100,-100,100,100],"vtailMix":0,"vtail":[34,-66,50,34],"drMix":1,"drChannel":0,"drRateUp":[100,90,100,100],"drRateDown":[70,65,70,70],"drUp":100,"drDown":100,"drSwitch":0,"drPosition":0,"drExpoUp":[30,25,20,0],"drExpoDown":[15,10,10,0],"thrCurveMix":1,"thrCurveExtra":0,"thrCurve":[0,22,40,55,70,86,100],"prmMix":[0,0,0,0],"prmMaster":[0,1,0,0],"prmSlave":[3,5,0,0],"prmOffset":[-16,-16,0,0],"prmUpRate":[-16,0,0,0],"prmDownRate":[-16,0,0,0],"txAlarmVoltX10":110,"rxAlarmVoltX10":42,"extAlarmVoltX10":105,"rssiAlarm":-90,"stickMode":2,"stickTrim":[120,120,120,120]}
JSON
    "$bin/varnix-param" import "$config/glider.json" "$config/glider.txt"
    "$bin/varnix-param" sheet "$config/glider.txt" -o "$config/glider.pdf" --lang "$lang" 2>/dev/null
    pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$config/glider.pdf" "$out/sheet"
    echo "screenshots in $out"
    exit 0
fi

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

if [ -n "$airframe" ]; then
    xdotool mousemove 500 135 click 1
    xdotool mousemove 1050 650
    sleep 1
    shot "live-curves$suffix"
    xdotool key F7
    check="$(window 'Airframe check|机型检查' 'airframe check')"
    xdotool windowmove "$check" 0 0 windowsize "$check" 860 540
    sleep 1.5
    import -window root -crop 860x540+0+0 +repage "$out/airframe-check$suffix.png"
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
