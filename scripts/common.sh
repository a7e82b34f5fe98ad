# Shared settings of the build and test scripts; sourced, not run.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build"
JOBS=$(nproc 2>/dev/null || echo 2)
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

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

# Runs Wine in a prefix of its own under build/, made once and kept, with
# Mono and Gecko left out and the server kept alive between programs.
start_wine() {
    export WINEPREFIX="$BUILD/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        "$WINE64" wineboot --init >/dev/null 2>&1 || true
    fi
    "$WINESERVER" -p >/dev/null 2>&1 || true
}

stop_wine() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
}
