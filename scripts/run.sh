#!/usr/bin/env bash
# Builds the program and starts it under Wine, in a Wine prefix inside the project
# (.wineprefix) and with the project folder as its working folder, where a Backup
# folder is made ready. Without a display it runs in a virtual one and saves a
# screenshot of the screen for you to look at.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
. "$root/scripts/wine-env.sh"

cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" -j"$(nproc)" --target fonttasks

export WINEPREFIX="$root/.wineprefix"
ensure_wine_prefix
mkdir -p "$root/Backup"
cd "$root"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$build/win/fonttasks.exe"
fi

XVFB_PID=
start_virtual_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill "$XVFB_PID" >/dev/null 2>&1 || true' EXIT
wine "$build/win/fonttasks.exe" &
program=$!
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -qi 'fonttasks' && break
    sleep 0.2
done
sleep 1
mkdir -p "$build/screenshots"
shot="$build/screenshots/run.png"
import -window root "$shot"
echo "No display was set, so the program runs on the virtual display $DISPLAY."
echo "Screenshot of the screen: $shot"
if [ -t 0 ]; then
    echo "Press Ctrl+C to end the program."
    wait "$program"
fi
