#!/usr/bin/env bash
# Builds the task run benchmark for Windows and runs it under Wine, in a prefix of its
# own: a run of 500 queued rows (add, delete and replace mixed) and a restore of 500
# backups, against the same copies and deletions done directly.
#
# The font files are copies of the DejaVu and WenQuanYi Micro Hei fonts (Debian packages
# fonts-dejavu-core and fonts-wqy-microhei); the program copies them under distinct
# "tb-*.ttf" names into the prefix's fonts folder and its own folders, and removes them
# again before it exits. Nothing of this is kept in the repository.
#
#   bench/run-task-bench.sh [build-folder] [prefix-folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench-win}
export WINEPREFIX=${2:-$root/build/bench-prefix}
. "$root/scripts/wine-env.sh"

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

sources=(/usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
for font in "${sources[@]}"; do
    [ -f "$font" ] || { echo "missing $font: install fonts-dejavu-core fonts-wqy-microhei" >&2; exit 1; }
done

log="$build/task-bench-build.log"
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
       cmake --build "$build" --target task_run_bench -j2; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi

# The main window needs a display; a virtual one is started when none is set.
XVFB_PID=
if [ -z "${DISPLAY:-}" ]; then start_virtual_display; fi
bench_root="$WINEPREFIX/drive_c/bench/task"
fonts="$WINEPREFIX/drive_c/windows/Fonts"
clean_up() {
    rm -rf "$bench_root/adds" "$bench_root/new" "$bench_root/work"
    rm -f "$fonts"/tb-*.ttf
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap clean_up EXIT

ensure_wine_prefix
# What an interrupted run may have left.
rm -rf "$bench_root/adds" "$bench_root/new" "$bench_root/work"
rm -f "$fonts"/tb-*.ttf
mkdir -p "$bench_root/sources"
for font in "${sources[@]}"; do
    name=$(basename "$font")
    [ -f "$bench_root/sources/$name" ] || cp "$font" "$bench_root/sources/$name"
done

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $("$wine" --version)"
"$wine" "$build/bench/task_run_bench.exe" 'C:\bench\task' | iconv -f GBK -t UTF-8
wineserver -w
