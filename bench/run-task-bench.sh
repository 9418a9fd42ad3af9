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
. "$(dirname "$0")/bench-setup.sh" "$@"
build_bench task_run_bench

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
copy_sources "$bench_root/sources"

describe_machine
wine "$build/bench/task_run_bench.exe" 'C:\bench\task' | iconv -f GBK -t UTF-8
wineserver -w
