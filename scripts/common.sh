# Shared settings of the build and test scripts; sourced, not run.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build"
JOBS=$(nproc 2>/dev/null || echo 2)
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
XVFB_PID=""

# configure NAME [cmake options...]: configures build/NAME with Ninja.
configure() {
    name=$1
    shift
    cmake -S "$ROOT" -B "$BUILD/$name" -G Ninja -DKELVANDOR_WERROR=ON "$@" >/dev/null
}

# build NAME [targets...]
build() {
    name=$1
    shift
    if [ $# -gt 0 ]; then
        cmake --build "$BUILD/$name" --parallel "$JOBS" --target "$@"
    else
        cmake --build "$BUILD/$name" --parallel "$JOBS"
    fi
}

# Starts a virtual X display of its own (Xvfb) and points DISPLAY at it.
start_display() {
    number=90
    while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    tries=0
    while [ ! -e "/tmp/.X11-unix/X$number" ] && [ $tries -lt 100 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
}

# start_wine PREFIX: runs Wine in a prefix of its own under build/, made once
# and kept, with Mono and Gecko left out, every program inside one virtual
# desktop (drawn with frames, and no waiting on a window manager), and the
# server kept alive between programs.
start_wine() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        "$WINE64" wineboot --init >/dev/null 2>&1 || true
        "$WINESERVER" -w
        # The fonts that Wine brings (Marlett draws the caption buttons).
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
        # The desktop that reg started knew no virtual desktop yet: a session
        # with it would show notification icons in a window of their own,
        # which then stands in the Z order above every program's window.
        "$WINESERVER" -k >/dev/null 2>&1 || true
        "$WINESERVER" -w
    fi
    "$WINESERVER" -p >/dev/null 2>&1 || true
    # Start the prefix's services and its desktop now, with no terminal or
    # pipe of ours: a test runner would otherwise wait for them to close it.
    "$WINE64" cmd /c ver </dev/null >/dev/null 2>&1 || true
    if [ -n "${DISPLAY:-}" ]; then
        "$WINE64" explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
        sleep 1
    fi
}

stop_wine() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
