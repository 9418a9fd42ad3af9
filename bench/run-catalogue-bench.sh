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

log="$build/catalogue-bench-build.log"
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
       cmake --build "$build" --target catalogue_bench -j2; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi

ensure_wine_prefix
bench_root="$WINEPREFIX/drive_c/bench"
mkdir -p "$bench_root/sources"
for font in "${sources[@]}"; do
    name=$(basename "$font")
    [ -f "$bench_root/sources/$name" ] || cp "$font" "$bench_root/sources/$name"
done
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

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $("$wine" --version)"
for count in 1000 5000; do
    fill_folder "$count"
    echo
    "$wine" "$build/bench/catalogue_bench.exe" "C:\\bench\\fonts-$count" | iconv -f GBK -t UTF-8
done
wineserver -w
