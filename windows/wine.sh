#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the project's own Wine prefix (build/wine
# unless WINEPREFIX says otherwise, made on first use); the program's output and exit status
# are its own. CTest runs the Windows tests through it, the end-to-end harness bounce.exe.
# Usage: windows/wine.sh PROGRAM.exe [ARGUMENT...]
set -euo pipefail
WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build/wine}
export WINEPREFIX WINEDEBUG=-all
# No Mono or Gecko: nothing here needs .NET or a browser engine, and their installers ask.
export WINEDLLOVERRIDES=mscoree,mshtml=

if [ ! -f "$WINEPREFIX/.ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.ready" ]; then
        wineboot --init >/dev/null 2>&1
        # Wine hands Windows programs the Linux DISPLAY, which freeglut takes for the name of a
        # display device and fails to open. On Windows it is normally unset; here it names
        # Windows' own screen device, DISPLAY. Wine itself still reads the Linux one.
        wine reg add 'HKCU\Environment' /v DISPLAY /d DISPLAY /f >/dev/null 2>&1
        wineserver --wait
        touch "$WINEPREFIX/.ready"
    fi
    exec 9>&-
fi
exec wine "$@"
