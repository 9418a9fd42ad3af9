#!/usr/bin/env bash
# Runs one Windows-side test program under Wine, in the prefix and display that
# scripts/test.sh prepared (WINEPREFIX, DISPLAY). Used by CTest.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "WINEPREFIX and DISPLAY must be set; run the tests through scripts/test.sh" >&2
    exit 2
fi
exec wine "$@"
