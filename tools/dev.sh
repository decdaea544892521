#!/usr/bin/env bash
# Sets up, builds, runs and tests Quillboard on Debian 12.
#
#   tools/dev.sh run [args...]   build, then start Quillboard under Wine on $DISPLAY
#   tools/dev.sh test [ctest args...]
#                                build, then run every test under Wine on a private Xvfb
#   tools/dev.sh build           build only
#   tools/dev.sh bench [rounds]  build, then time Quillboard beside a bare dialog program
#                                (default 5 rounds); writes docs/benchmarks.md
#   tools/dev.sh native          the platform-free unit tests, natively under ASan/UBSan
#   tools/dev.sh fuzz [seconds]  builds the libFuzzer targets and runs each (default 60 s)
#   tools/dev.sh screenshots     starts the program under Xvfb and writes the pictures in docs/
#
# Environment: BUILD_DIR (default: build) holds everything generated, the
# Wine prefixes included. Examples for a quicker loop:
#   BUILD_DIR=build-me tools/dev.sh test -R Startup      (only tests matching a regex)
#   BUILD_DIR=build-me tools/dev.sh test -E e2e          (unit tests only)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac
WIN_BUILD="$BUILD_DIR/win"
NATIVE_BUILD="$BUILD_DIR/native"

PACKAGES=(cmake make g++ g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
          binutils-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth x11-apps imagemagick googletest xdotool ccache clang-format fonts-comic-neue)

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    local lzari_arg=() cache_arg=()
    # One compiler cache for every checkout: paths below the checkout are hashed relative to it.
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
        cache_arg=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    if [ -f "$ROOT/tools/CMakeLists.txt" ]; then
        log "native tools"
        cmake -S "$ROOT/tools" -B "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
        mkdir -p "$BUILD_DIR"
        cmake --build "$NATIVE_BUILD" -j2 >"$BUILD_DIR/native.log" 2>&1 || { cat "$BUILD_DIR/native.log" >&2; exit 1; }
        lzari_arg=(-DQB_LZARI_TOOL="$NATIVE_BUILD/lzari")
    fi
    log "Quillboard.exe and tests"
    cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${lzari_arg[@]}" "${cache_arg[@]}" >/dev/null
    if ! cmake --build "$WIN_BUILD" -j2 >"$BUILD_DIR/build.log" 2>&1; then
        grep -E -B2 -A8 'error|Error' "$BUILD_DIR/build.log" | head -120 >&2
        log "build failed: $BUILD_DIR/build.log"
        exit 1
    fi
    grep -E 'warning:' "$BUILD_DIR/build.log" >&2 || true
}

wine_env() {
    # No menu builder: shortcuts the program writes must not turn into launchers on the Linux desktop.
    export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# A prefix of our own: no stalls on hide, no crash dialog, no links into the
# home folder, Wine's own fonts. Needs DISPLAY set (see platform notes).
prepare_prefix() {
    [ -f "$WINEPREFIX/.quillboard-ready-2" ] && return 0
    log "preparing Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    local d
    for d in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$d" ]; then rm -f "$d"; mkdir -p "$d"; fi
    done
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # A "Comic ..." family, so that the main window's font choice can be tested.
    cp /usr/share/fonts/opentype/comic-neue/*.otf /usr/share/fonts/truetype/comic-neue/*.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.quillboard-ready-2"
}

XVFB_PID=""
cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || { log "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
    rm -f "$fdfile"
}

# Every C++ file as clang-format would write it; the list of offenders fails the run.
check_format() {
    local files bad
    files=$(cd "$ROOT" && { git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build'; })
    bad=$(cd "$ROOT" && for f in $files; do clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"; done)
    if [ -n "$bad" ]; then
        log "not clang-formatted (run clang-format -i on them):"
        printf '   %s\n' $bad >&2
        exit 1
    fi
}

cmd_test() {
    ensure_packages
    check_format
    build
    trap cleanup EXIT
    start_xvfb
    wine_env "$BUILD_DIR/wineprefix"
    prepare_prefix
    wineserver -p
    # A long-lived Wine process spares every test the start-up of Wine's helpers.
    if [ -f "$WIN_BUILD/qb_keepalive.exe" ]; then
        wine "$WIN_BUILD/qb_keepalive.exe" >/dev/null 2>&1 &
        # Wine's desktop process keeps the output handles of the process that started it, for as
        # long as it runs: let that be one writing nowhere, not the first test (or the test
        # discovery), whose output ctest would then wait for until its time-out.
        wine "$WIN_BUILD/qb_keepalive.exe" --once >/dev/null 2>&1 || true
    fi
    log "tests on $DISPLAY"
    cd "$WIN_BUILD"
    # One test at a time: GUI tests share the one desktop, its foreground and its menus.
    ctest --output-on-failure "$@"
}

cmd_run() {
    ensure_packages
    build
    if [ -z "${DISPLAY:-}" ]; then
        log "No display: Quillboard is a Windows GUI program and needs an X display."
        log "Run this from a desktop session, or with a virtual one: xvfb-run -a tools/dev.sh run"
        exit 1
    fi
    wine_env "$BUILD_DIR/wineprefix-run"
    prepare_prefix
    exec wine "$WIN_BUILD/Quillboard.exe" "$@"
}

FUZZ_PACKAGES=(clang libclang-rt-14-dev cmake make googletest)

ensure_fuzz_packages() {
    local saved=("${PACKAGES[@]}")
    PACKAGES=("${FUZZ_PACKAGES[@]}")
    ensure_packages
    PACKAGES=("${saved[@]}")
}

cmd_native() {
    ensure_fuzz_packages
    local dir="$BUILD_DIR/native-tests"
    log "platform-free unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    CXX=clang++ cmake -S "$ROOT/tools" -B "$dir" -DQB_NATIVE_TESTS=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$dir" --target native_test -j2 >"$BUILD_DIR/native-tests.log" 2>&1 ||
        { tail -40 "$BUILD_DIR/native-tests.log" >&2; exit 1; }
    "$dir/native_test"
}

# Each target runs on its own seed corpus (tests/fuzz/corpus/<target>, read only) and a
# working corpus under the build folder; a finding is kept in fuzz/findings and fails the run.
cmd_fuzz() {
    local seconds=${1:-60}
    ensure_fuzz_packages
    local dir="$BUILD_DIR/fuzz"
    log "fuzz targets"
    CXX=clang++ cmake -S "$ROOT/tools" -B "$dir" -DQB_FUZZ=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j2 >"$BUILD_DIR/fuzz-build.log" 2>&1 || { tail -40 "$BUILD_DIR/fuzz-build.log" >&2; exit 1; }
    local target failed=0
    for target in lzari_fuzz lang_table_fuzz command_line_fuzz profile_int_fuzz note_line_fuzz shadow_image_fuzz \
                  ini_rewrite_fuzz; do
        local work="$dir/work/$target" seeds="$ROOT/tests/fuzz/corpus/$target"
        mkdir -p "$work" "$seeds" "$dir/findings"
        log "$target for $seconds s"
        # One process (the machine is shared); a crashing input lands in findings/.
        if ! (cd "$dir/findings" && nice "$dir/$target" -max_total_time="$seconds" -max_len=65536 \
                  -rss_limit_mb=2048 -print_final_stats=1 "$work" "$seeds" >"$work.log" 2>&1); then
            failed=1
            log "$target found a fault: $work.log"
        fi
        grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$work.log" | sed "s/^/$target /" >&2 || true
    done
    return $failed
}

# Pictures for the README, taken from the real program on a private Xvfb.
cmd_screenshots() {
    ensure_packages
    build
    trap cleanup EXIT
    start_xvfb
    wine_env "$BUILD_DIR/wineprefix-shots"
    prepare_prefix
    wineserver -p
    mkdir -p "$ROOT/docs"
    log "screenshots on $DISPLAY"
    rm -f "$ROOT"/docs/*.bmp
    (cd "$WIN_BUILD" && wine "$WIN_BUILD/qb_screenshots.exe" "$(winpath_of "$ROOT/docs")")
    local bmp
    for bmp in "$ROOT"/docs/*.bmp; do
        [ -f "$bmp" ] || continue
        convert "$bmp" -strip "${bmp%.bmp}.png" && rm -f "$bmp"
        log "wrote ${bmp%.bmp}.png"
    done
}

# A benchmark, never a test: the real program beside a floor program on a private display,
# alternating for the given number of rounds; the medians go to docs/benchmarks.md.
cmd_bench() {
    local rounds=${1:-5}
    ensure_packages
    build
    trap cleanup EXIT
    start_xvfb
    wine_env "$BUILD_DIR/wineprefix-bench"
    # A desktop session has an X resource database; a bare Xvfb has none, and Xlib then looks for
    # ~/.Xdefaults and ~/.Xdefaults-<host> again on every lookup (about 2 000 failed opens per note
    # window). An empty database of our own stands in for the desktop's.
    export XENVIRONMENT="$BUILD_DIR/bench.Xresources"
    : >"$XENVIRONMENT"
    prepare_prefix
    wineserver -p
    local machine wine_version load
    machine="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores"
    wine_version=$(wine --version)
    load=$(cut -d' ' -f1-3 /proc/loadavg)
    mkdir -p "$ROOT/docs"
    log "benchmark on $DISPLAY, $rounds rounds"
    wine "$WIN_BUILD/qb_bench.exe" "$(winpath_of "$WIN_BUILD/Quillboard.exe")" "$(winpath_of "$WIN_BUILD/qb_floor.exe")" \
        "$rounds" "$(winpath_of "$ROOT/docs/benchmarks.md")" "$machine" "$wine_version" "$load"
}

# Z: and the path with backslashes; winepath would start a wineserver of its own.
winpath_of() { printf 'Z:%s' "${1//\//\\}"; }

case "${1:-}" in
    run) shift; cmd_run "$@" ;;
    test) shift; cmd_test "$@" ;;
    bench) shift; cmd_bench "$@" ;;
    build) ensure_packages; build ;;
    native) shift; cmd_native "$@" ;;
    fuzz) shift; cmd_fuzz "$@" ;;
    screenshots) shift; cmd_screenshots "$@" ;;
    *) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
