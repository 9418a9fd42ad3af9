#!/usr/bin/env bash
# Builds the Release .exe and packs the archive a Windows user downloads,
# build/package/fonttasks-<version>-win64.zip, with CPack's ZIP generator (the contents
# are set in cmake/packaging.cmake). Progress goes to stderr; the archive's path is printed
# last, on stdout, so other scripts can take it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
exec 3>&1 1>&2

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build/win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/win" -j"$(nproc)" --target fonttasks

rm -rf "$build/package"
# CPack reads the guide's Chinese file name through the locale: in the C locale it cannot
# at all, and in a UTF-8 locale the name is stored as UTF-8 with the zip flag that says so,
# which is what Windows needs to extract it under its Chinese name.
(cd "$build/win" && LC_ALL=C.UTF-8 cpack -G ZIP -B "$build/package")
archives=("$build/package"/*.zip)
echo "${archives[0]}" >&3
