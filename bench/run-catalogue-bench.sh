#!/usr/bin/env bash
# Builds the catalogue benchmark for Windows, fills two folders of 1,000 and 5,000 "*.ttf"
# files in a Wine prefix of its own, and runs the benchmark on each under Wine.
#
# The files are copies of the DejaVu and WenQuanYi Micro Hei fonts (Debian packages
# fonts-dejavu-core and fonts-wqy-microhei) under distinct names; the collection is
# named .ttf too, as a user might name it. Each source is copied once into the prefix and
# the numbered files are hard links to those copies, so 5,000 files cost no more disk
# than 23. Nothing of this is kept in the repository.
#
#   bench/run-catalogue-bench.sh [build-folder] [prefix-folder]
set -euo pipefail
. "$(dirname "$0")/bench-setup.sh" "$@"
build_bench catalogue_bench

ensure_wine_prefix
bench_root="$WINEPREFIX/drive_c/bench"
copy_sources "$bench_root/sources"
copies=("$bench_root"/sources/*)

# fill_folder N: C:\bench\fonts-N with N numbered files, taking the sources in turn.
fill_folder() {
    local count=$1 folder="$bench_root/fonts-$1"
    if [ "$(find "$folder" -name '*.ttf' 2>/dev/null | wc -l)" -eq "$count" ]; then return; fi
    rm -rf "$folder"
    mkdir -p "$folder"
    local i source base
    for ((i = 0; i < count; i++)); do
        source=${copies[i % ${#copies[@]}]}
        base=$(basename "$source")
        ln "$source" "$(printf '%s/f%05d-%s.ttf' "$folder" "$i" "${base%.*}")"
    done
}

describe_machine
for count in 1000 5000; do
    fill_folder "$count"
    echo
    wine "$build/bench/catalogue_bench.exe" "C:\\bench\\fonts-$count" | iconv -f GBK -t UTF-8
done
wineserver -w
