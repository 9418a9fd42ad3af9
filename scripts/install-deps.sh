#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, skipping what is
# already there: the native and MinGW-w64 compilers, Wine, a virtual display, the
# zh_CN.UTF-8 locale (so Wine's ANSI code page is 936), the en_US.UTF-8 and zh_TW.UTF-8
# locales (code pages 1252 and 950, for the tests on other Windows) and fonts with CJK
# glyphs.
set -euo pipefail

packages=(cmake make g++ mingw-w64 wine wine64 fonts-wine xvfb x11-utils imagemagick locales
          fonts-dejavu-core fonts-wqy-microhei googletest libgtest-dev)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Each is added to the locale archive alone (locale-gen would rebuild the whole archive,
# and a test run that starts meanwhile would miss its locale), and enabled in
# /etc/locale.gen as well, so that a later locale-gen keeps it.
for name in zh_CN en_US zh_TW; do
    if grep -q "^# *$name\.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
        as_root sed -i "s/^# *\($name\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    fi
    if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then
        echo "Generating the $name.UTF-8 locale"
        as_root localedef -i "$name" -c -f UTF-8 "$name.UTF-8"
    fi
done
