#!/usr/bin/env bash
# Builds both builds and the release archive, and runs every test in one CTest run: the
# native unit tests (with AddressSanitizer and UndefinedBehaviorSanitizer), the Win32 layer
# under Wine, the end-to-end tests in which a driver process works the real .exe, and the
# archive's contents. A fresh Wine prefix and a virtual display are made once for the
# run. Ends with CTest's summary and fails on any failure. Arguments go to CTest:
# "scripts/test.sh -L wine" runs one tier.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
. "$root/scripts/wine-env.sh"

jobs=$(nproc)
cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DFONTTASKS_WARNINGS_AS_ERRORS=ON -DFONTTASKS_WINE_FILTER= >/dev/null
cmake --build "$build/win" -j"$jobs"
# The release archive, packed as scripts/package.sh packs it and unzipped as a user would:
# one test checks the archive, one starts the program from the unzipped folder.
archive=$("$root/scripts/package.sh")
release="$build/release"
rm -rf "$release" && mkdir -p "$release"
(cd "$release" && cmake -E tar xf "$archive")
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug \
    -DFONTTASKS_WARNINGS_AS_ERRORS=ON -DFONTTASKS_WINDOWS_BUILD="$build/win" \
    -DFONTTASKS_UNIT_FILTER= >/dev/null
cmake --build "$build/native" -j"$jobs"

export WINEPREFIX="$build/test-prefix"
rm -rf "$WINEPREFIX"
ensure_wine_prefix
XVFB_PID=
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
}
trap cleanup EXIT
start_virtual_display

shots="$build/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
export FONTTASKS_EXE FONTTASKS_SHOTS FONTTASKS_ARCHIVE FONTTASKS_RELEASE
FONTTASKS_EXE=$(windows_path "$build/win/fonttasks.exe")
FONTTASKS_SHOTS=$(windows_path "$shots")
FONTTASKS_ARCHIVE=$archive
FONTTASKS_RELEASE=$(windows_path "$release/$(basename "$archive" -win64.zip)")

status=0
# A unit or Wine test that fails once fails the run; an end-to-end test runs its program
# a second time first (tests/wine_tests.cmake), for real input lost on the busy display.
(cd "$build/native" && ctest --output-on-failure -j2 --timeout 600 "$@") || status=$?
# Screenshots the end-to-end tests saved, as PNG for viewing.
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" >/dev/null 2>&1 || true
done
exit "$status"
