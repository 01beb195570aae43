# Sourced by the Windows scripts: a Wine prefix of the project's own and the
# way Windows programs of build-win/ run in it.

# The MinGW runtime DLLs' folders, as Wine paths.
varnix_wine_path() {
    local qt="$1" dirs=() dll
    dirs+=("$qt/bin")
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        dirs+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")
    done
    local out="" d
    for d in "${dirs[@]}"; do out+="$(winepath -w "$d" 2>/dev/null);"; done
    echo "$out"
}

# Qt's SerialPort as the Wine harness gives it to the programs, in folder $2
# (first in WINEPATH): a copy of Qt's ($1) whose KERNEL32 imports name
# winecomm.dll instead, and winecomm.dll (winecomm.c), which answers the
# comm waits that Wine 8.0 never reports to a completion port and forwards
# every other call to KERNEL32. Only for the harness: Windows itself needs
# none of it.
varnix_wine_serial() {
    local dll="$1/bin/Qt6SerialPort.dll" out="$2" def offsets
    mkdir -p "$out"
    def="$out/winecomm.def"
    {
        echo "LIBRARY winecomm.dll"
        echo "EXPORTS"
        x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/DLL Name: KERNEL32.dll/,/^$/p' \
            | awk 'NR > 2 && NF >= 3 { print $3 }' | while read -r f; do
            case "$f" in
                CreateIoCompletionPort|WaitCommEvent|CancelIo|CloseHandle) echo "    $f = hook_$f" ;;
                *) echo "    $f = KERNEL32.$f" ;;
            esac
        done
    } > "$def"
    if ! grep -q '^    WaitCommEvent = hook_' "$def"; then
        echo "wine.sh: $dll takes no WaitCommEvent from KERNEL32.dll" >&2
        return 1
    fi
    x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -shared -o "$out/winecomm.dll" \
        "$varnix_top/tools/windows/winecomm.c" "$def"
    # Both names are twelve bytes long: the copy differs in that name alone.
    mapfile -t offsets < <(grep -boa 'KERNEL32\.dll' "$dll" | cut -d: -f1)
    if [ "${#offsets[@]}" -ne 1 ]; then
        echo "wine.sh: $dll names KERNEL32.dll ${#offsets[@]} times, not once" >&2
        return 1
    fi
    cp "$dll" "$out/Qt6SerialPort.dll"
    printf 'winecomm.dll' | dd of="$out/Qt6SerialPort.dll" bs=1 seek="${offsets[0]}" conv=notrunc status=none
    # (Not grep -q on the pipe: objdump would die of SIGPIPE under pipefail.)
    if ! x86_64-w64-mingw32-objdump -p "$out/Qt6SerialPort.dll" | grep -c 'DLL Name: winecomm.dll' > /dev/null; then
        echo "wine.sh: the copy of $dll does not import winecomm.dll" >&2
        return 1
    fi
}

# Makes (once) and selects the prefix at $1, with:
#  - QT_QPA_PLATFORM and QT_QPA_FONTDIR in the user's environment (Wine does
#    not pass variables named QT_* from Linux), the offscreen platform
#    drawing with the fonts the Linux build uses;
#  - Wine's font substitutes: the fonts the program asks for on Windows
#    drawn by those same fonts, so texts take the room they take on Linux;
#  - COM5 mapped to $2 (a link the caller points at a pseudo-terminal).
varnix_wine_prefix() {
    local prefix="$1" com5="$2"
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    if [ ! -f "$prefix/.varnix" ]; then
        rm -rf "$prefix"
        mkdir -p "$prefix"
        wineboot -i > /dev/null 2>&1
        wineserver -w
        local fonts="$prefix/fonts"
        mkdir -p "$fonts"
        local f
        for f in /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf \
                 /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf \
                 /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
            [ -f "$f" ] && ln -sf "$f" "$fonts/"
        done
        local env='HKCU\Environment' subs='HKCU\Software\Wine\Fonts\Replacements'
        wine reg add "$env" /v QT_QPA_PLATFORM /d offscreen /f > /dev/null
        wine reg add "$env" /v QT_QPA_FONTDIR /d "$(winepath -w "$fonts")" /f > /dev/null
        wine reg add "$subs" /v "Arial" /d "Liberation Sans" /f > /dev/null
        wine reg add "$subs" /v "Segoe UI" /d "Liberation Sans" /f > /dev/null
        wine reg add "$subs" /v "Microsoft YaHei" /d "WenQuanYi Micro Hei" /f > /dev/null
        wine reg add "$subs" /v "SimSun" /d "WenQuanYi Micro Hei" /f > /dev/null
        wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$com5" /f > /dev/null
        wineserver -k || true
        wineserver -w
        touch "$prefix/.varnix"
    fi
}

# Serves SimulatedPort's requests in folder $1 (tests/support/simport.*):
# "start" holds txsim's arguments, a line each: txsim ($2) runs in that
# folder on a new pty, which the COM5 link ($3) is pointed at, and "port"
# says COM5; "hangup" ends it. Runs until the folder goes.
varnix_sim_bridge() {
    local folder="$1" txsim="$2" link="$3" pid="" pty args
    while [ -d "$folder" ]; do
        if [ -f "$folder/start" ]; then
            [ -z "$pid" ] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
            mapfile -t args < "$folder/start"
            : > "$folder/txsim.out"
            (cd "$folder" && exec "$txsim" "${args[@]}" > "$folder/txsim.out" 2>> "$folder/txsim.err") &
            pid=$!
            pty=""
            for _ in $(seq 100); do
                pty="$(head -n 1 "$folder/txsim.out" 2>/dev/null || true)"
                [ -n "$pty" ] && break
                sleep 0.05
            done
            ln -sfn "$pty" "$link"
            echo COM5 > "$folder/port.new"
            mv "$folder/port.new" "$folder/port"
            rm -f "$folder/start"
        fi
        if [ -f "$folder/hangup" ]; then
            [ -z "$pid" ] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; }
            pid=""
            rm -f "$folder/hangup"
        fi
        sleep 0.05
    done
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
}
