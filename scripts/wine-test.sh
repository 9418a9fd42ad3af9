#!/usr/bin/env bash
# Runs one Windows-side test program under Wine, in the prefix and display that
# scripts/test.sh prepared (WINEPREFIX, DISPLAY). Used by CTest.
#   wine-test.sh [--tries N] [--locale NAME CODEPAGE] program [arguments]
# With --tries N a failed run is repeated, up to N runs in all, and the log says so.
# With --locale the program runs in that locale (LANG and LC_ALL, such as en_US.UTF-8)
# instead of zh_CN.UTF-8, and fails unless Wine's ANSI code page then is CODEPAGE.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "WINEPREFIX and DISPLAY must be set; run the tests through scripts/test.sh" >&2
    exit 2
fi
tries=1
if [ "${1:-}" = "--tries" ]; then
    tries=$2
    shift 2
fi
if [ "${1:-}" = "--locale" ]; then
    export LANG=$2 LC_ALL=$2 FONTTASKS_ANSI_CODE_PAGE=$3
    shift 3
fi
for ((run = 1; ; run++)); do
    wine "$@" && exit 0
    status=$?
    [ "$run" -ge "$tries" ] && exit "$status"
    echo "=== run $run of $tries failed (exit code $status); running the program once more ==="
done
