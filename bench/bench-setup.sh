# Sourced by the bench/run-*.sh scripts: a Wine prefix of the benchmarks' own (never the
# test prefix), the Debian fonts the benchmarks copy, and building one benchmark target.
#   . bench/bench-setup.sh [build-folder] [prefix-folder]
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/bench-win}
export WINEPREFIX=${2:-$root/build/bench-prefix}
. "$root/scripts/wine-env.sh"

sources=(/usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
for font in "${sources[@]}"; do
    [ -f "$font" ] || { echo "missing $font: install fonts-dejavu-core fonts-wqy-microhei" >&2; exit 1; }
done

# build_bench TARGET: builds the benchmark quietly, showing the log only when it fails.
build_bench() {
    local log="$build/$1-build.log"
    mkdir -p "$build"
    if ! { cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
           cmake --build "$build" --target "$1" -j2; } >"$log" 2>&1; then
        cat "$log" >&2
        exit 1
    fi
}

# copy_sources FOLDER: one copy of each source font in FOLDER (kept between runs).
copy_sources() {
    mkdir -p "$1"
    local font
    for font in "${sources[@]}"; do
        [ -f "$1/$(basename "$font")" ] || cp "$font" "$1/"
    done
}

describe_machine() {
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine --version)"
}
