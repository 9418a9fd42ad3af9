#!/usr/bin/env bash
# Builds the task run benchmark for Windows and runs it under Wine, in a prefix of its own:
# a run of 400 delete and replace rows and of 100 add rows, and a restore of 500 backups,
# against the same copies and deletions done directly.
#
# The font files are the DejaVu and WenQuanYi Micro Hei fonts (Debian packages
# fonts-dejavu-core and fonts-wqy-microhei) under distinct "tb-*.ttf" names: copies where
# anything may write them, hard links where the benchmark only reads them. They are made
# here, in the prefix's fonts folder and the benchmark's own folders, and removed again
# when it ends. Nothing of this is kept in the repository.
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
remove_files() {
    rm -rf "$bench_root/adds" "$bench_root/new" "$bench_root/originals" "$bench_root/work"
    rm -f "$fonts"/tb-*.ttf
}
clean_up() {
    remove_files
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap clean_up EXIT

# The files under the names task_run_bench.cpp gives them, the sources taken in turn:
# originals\tb-row-N.ttf (N < 400) is what the fonts folder holds before each measurement,
# and for an odd N new\tb-new-N.ttf replaces it, another font; adds\tb-add-N.ttf (N < 100)
# are added; tb-keep-N.ttf have an identical backup in work\Backup\, so that the restore
# finds 500 backups; the benchmark holds tb-held-N.ttf (N < 4) in the fonts folder. The
# benchmark copies the rows' fonts into the fonts folder itself; what it only reads is hard
# linked to the sources.
prepare_files() {
    local copies=("$bench_root"/sources/*) i
    local n=${#copies[@]}
    mkdir -p "$bench_root"/{adds,new,originals,work/Backup}
    for ((i = 0; i < 400; i++)); do
        ln "${copies[i % n]}" "$bench_root/originals/tb-row-$i.ttf"
        if ((i % 2)); then ln "${copies[(i + 11) % n]}" "$bench_root/new/tb-new-$i.ttf"; fi
    done
    for ((i = 0; i < 100; i++)); do
        ln "${copies[i % n]}" "$bench_root/adds/tb-add-$i.ttf"
        ln "${copies[i % n]}" "$bench_root/originals/tb-keep-$i.ttf"
        cp "${copies[i % n]}" "$bench_root/work/Backup/tb-keep-$i.ttf"
    done
    for ((i = 0; i < 4; i++)); do cp "${copies[i % n]}" "$fonts/tb-held-$i.ttf"; done
}

ensure_wine_prefix
remove_files  # what an interrupted run may have left
copy_sources "$bench_root/sources"
prepare_files

describe_machine
wine "$build/bench/task_run_bench.exe" 'C:\bench\task' | iconv -f GBK -t UTF-8
wineserver -w
