#!/bin/sh
# Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
# Runs a Windows test program under Wine for CTest, without a display:
#   wine-run.sh PREFIX ARCH PROGRAM [ARGUMENT...]   (ARCH: win32 or win64)
# The prefix is created on first use. Its server and system processes start here,
# apart from the program's output: started by the program, they would hold that output
# open, and CTest would wait for them (about 3 s) after every test.
set -e
export WINEPREFIX="$1" WINEARCH="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift 2
# The same headless Wine from a desktop session as on CI (no Mono or Gecko either),
# unless the program opens windows (BRUMVALE_WINE_DISPLAY=1 under tests/gui/with-display.sh).
[ -n "${BRUMVALE_WINE_DISPLAY:-}" ] || unset DISPLAY WAYLAND_DISPLAY
# Debian's wine starts its 32-bit loader for every program; a 64-bit prefix needs
# only the 64-bit one, which also runs on a kernel that runs no 32-bit programs.
loader=wine
if [ "$WINEARCH" = win64 ] && [ -x /usr/lib/wine/wine64 ]; then
    loader=/usr/lib/wine/wine64
    export WINELOADER=$loader
fi
mkdir -p "$WINEPREFIX"
# Tests run side by side in one prefix: one at a time starts the server and sets
# the prefix up, the others wait for it.
exec 9>"$WINEPREFIX/.brumvale-start.lock"
flock 9
# The server stays 10 s after its last program; it exits with 2 when one already runs.
# Neither holds the lock: the server would keep it for as long as it runs.
if wineserver -p10 </dev/null >/dev/null 2>&1 9>&-; then
    "$loader" wineboot </dev/null >/dev/null 2>&1 9>&-
fi
exec 9>&-
exec "$loader" "$@"
