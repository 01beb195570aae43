#!/usr/bin/env bash
# Captures the six pages of the running program under Xvfb into
# docs/screenshots/page0.png .. page5.png. The live page is taken connected to
# the transmitter simulator, so its bars show real movement.
#   tools/screenshots.sh [--lang en] [--status | --editing | --screen WxH | --scope | --library] [OUTDIR]
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
# --setups takes the template dialog with the delta chosen
# (template-dialog.png), the comparison of the transmitter with the pages
# after the template (compare.png) and the first page of that delta's sheet
# with its name and notes (sheet.png); -en with --lang en.
# --library takes the window with the setups library shown (F6) after a Read
# of a transmitter that holds one of its four setups (library.png).
# --connection takes the live page before connecting (connection-empty.png),
# then opened on a simulator that sends nothing (connection-nodata.png), and
# the port list with typical adapters (connection-ports.png, varnix-portshot).
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
setups=""
if [ "${1:-}" = "--setups" ]; then
    setups=1
    shift
fi
library=""
if [ "${1:-}" = "--library" ]; then
    library=1
    shift
fi
connection=""
if [ "${1:-}" = "--connection" ]; then
    connection=1
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

# The library panel stands beside the whole form.
size="${screen:-1280x800}"
[ -z "$library" ] || size=1600x800
if [ -z "${SCREENSHOT_INNER:-}" ]; then
    PAGES="$pages" SCREENSHOT_INNER=1 VARNIX_BUILD="$bin" exec xvfb-run -a -s "-screen 0 ${size}x24" \
        "$0" --lang "$lang" ${status:+--status} ${setups:+--setups} ${editing:+--editing} ${screen:+--screen "$screen"} ${scope:+--scope} ${library:+--library} ${connection:+--connection} ${airframe:+--airframe} "$out"
fi

log="$(mktemp)"
# The language choice goes to a settings folder of its own, not the user's.
config="$(mktemp -d)"
sim_args=()
[ -z "$status" ] || sim_args=(--leave-out 7,8)
if [ -n "$library" ]; then
    # Four setups, with sidecars; the transmitter holds the first.
    shelf="$config/setups"
    mkdir -p "$shelf"
    printf '[library]\nfolder=%s\n' "$shelf" > "$config/varnix-config.conf"
    setup() { # file, sub-trim CH1, name, type, notes, days since written
        printf '{"format":"varnix-parameter-file","version":1,"reverse":[0,0,1,0,0,0,0,0],"subTrim":[%s,4,-6,0,0,0,0,0],"epaLeft":[96,96,96,96,96,96,96,96],"epaRight":[96,96,96,96,96,96,96,96],"failSafe":[50,50,0,50,50,50,50,50],"servoDelay":[100,100,100,100,100,100,100,100],"auxSource":[null,null,null,null,1,3,0,2],"attitudeChannel":4,"attitude":[14,29,44,56,69,88],"elevonMix":0,"elevon":[100,100,100,-100,100,100],"vtailMix":0,"vtail":[34,-66,50,34],"drMix":1,"drChannel":0,"drRateUp":[100,90,100,100],"drRateDown":[70,65,70,70],"drUp":100,"drDown":70,"drSwitch":0,"drPosition":0,"drExpoUp":[30,25,20,0],"drExpoDown":[15,10,10,0],"thrCurveMix":1,"thrCurveExtra":0,"thrCurve":[0,22,40,55,70,86,100],"prmMix":[0,0,0,0],"prmMaster":[0,1,0,0],"prmSlave":[3,5,0,0],"prmOffset":[-16,-16,0,0],"prmUpRate":[-16,0,0,0],"prmDownRate":[-16,0,0,0],"txAlarmVoltX10":110,"rxAlarmVoltX10":42,"extAlarmVoltX10":105,"rssiAlarm":-90,"stickMode":2,"stickTrim":[120,120,120,120]}' "$2" > "$config/setup.json"
        "$bin/varnix-param" import "$config/setup.json" "$shelf/$1.txt"
        local written=""
        [ -z "$6" ] || written="$(printf ',"lastWritten":"%s"' "$(date -u -d "$6 days ago" +%FT%TZ)")"
        printf '{"name":"%s","type":"%s","notes":"%s"%s,"format":1}\n' "$3" "$4" "$5" "$written" \
            > "$shelf/$1.txt.setup.json"
    }
    setup bixler 0 "Bixler 2" plane "CG 65 mm behind the leading edge\\n3S 2200 mAh" 3
    setup zagi 10 "Zagi" delta "Elevons: stick right, right elevon up" 12
    setup radian 20 "Radian" glider "Flaps on CH6" 40
    setup cub 30 "Cub" plane "" ""
    sim_args=(--settings "$shelf/bixler.txt")
fi
[ -z "$connection" ] || sim_args=(--rate 0)
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

if [ -n "$connection" ]; then
    xdotool mousemove 1050 650
    sleep 0.5
    shot "connection-empty$suffix"
    xdotool mousemove 680 50 click 1  # openButton: the simulator stays silent
    xdotool mousemove 1050 650
    sleep 3
    shot "connection-nodata$suffix"
    kill $app 2>/dev/null || true
    app=""
    sleep 0.5
    XDG_CONFIG_HOME="$config" "$bin/varnix-portshot" --lang "$lang" "$out/connection-ports$suffix.png"
    echo "screenshots in $out"
    exit 0
fi

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

if [ -n "$setups" ]; then
    # Ctrl+T, the delta (second in the list), its table in view.
    xdotool key ctrl+t
    dialog="$(window '新机型模板|Template for a new aircraft' 'template dialog')"
    xdotool windowmove "$dialog" 0 0 windowsize "$dialog" 1060 560
    xdotool key Down
    sleep 0.8
    import -window "$dialog" "$out/template-dialog$suffix.png"
    # Apply (Return), then Ctrl+D: the transmitter as read against the pages.
    xdotool key Return
    sleep 0.5
    # No window manager gives the focus back to the main window.
    xdotool windowfocus "$win"
    sleep 0.3
    xdotool key ctrl+d
    compare="$(window '^比较$|^Compare$' comparison)"
    xdotool windowmove "$compare" 0 0 windowsize "$compare" 900 560
    sleep 0.8
    import -window "$compare" "$out/compare$suffix.png"
    # The sheet of the same delta, as the library would print it.
    cat > "$config/delta.txt" <<'FRAMES'
S0010000078787878787878787474707070707070747470707070707042421042424242421302352Y
G41E2D3C4855681AADCAADCAA460A642A6A6674747474747474741074567474747474740135006D2Z
H7474747456567474003747474015747474001020314253647407474747474747474110140380000X
I8888888800000000000000000000000000000000000000000000000000000000000000000000000V
FRAMES
    "$bin/varnix-param" sheet "$config/delta.txt" -o "$config/delta.pdf" --lang "$lang" --aircraft "Zagi 5C" \
        --type delta --written 2026-12-06T18:20 \
        --notes "CG 245 mm from the nose\\n3S 1300 mAh, elevon throws 12 mm up and down" 2>/dev/null
    pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$config/delta.pdf" "$out/sheet$suffix"
    echo "screenshots in $out"
    exit 0
fi

if [ -n "$library" ]; then
    xdotool key F6
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # The notes of the setup the transmitter holds, in the panel.
    shot "library$suffix"
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
