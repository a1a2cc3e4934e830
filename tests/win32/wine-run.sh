#!/bin/sh
# Windows test programs under Wine, in a prefix of the build tree (ARCH: win32 or win64):
#   wine-run.sh PREFIX ARCH PROGRAM [ARGUMENT...]  runs a program, without a display
#                                                 unless BRUMVALE_WINE_DISPLAY=1
#   wine-run.sh --start PREFIX ARCH                starts the prefix's server for good and
#                                                 boots the prefix, creating it if need be
#   wine-run.sh --stop PREFIX ARCH                 ends the server and the prefix's programs
# CTest starts and stops the server around the tests (a fixture), so no program meets
# a server on its way out. A program run outside CTest starts a server that stays 10 s
# after its last program. A program with a display gets a server of its own display,
# ended with it. What Wine says while it starts a server and boots the prefix goes to
# PREFIX.log, and to the output whenever that fails.
# On a kernel that runs no 32-bit programs, 32-bit programs run under qemu-i386
# (i386-emulation.sh enable); there a 32-bit prefix's GTEST_FILTER takes
# BRUMVALE_QEMU_GTEST_FILTER, the tests that emulation cannot run. qemu-i386 7.2 now
# and then fails a Wine process (a signal frame it cannot deliver: "Got unexpected
# trap -1", or "qemu: uncaught target signal"), which no real processor does, and
# that now and then takes the prefix's server down ("wineserver crashed"), after
# which Wine's processes wait for ever: a boot that fails, hangs or loses its server
# then is tried again on a fresh prefix (three times at most), and a program that
# fails with such a message, or loses its server, runs once more, both saying so.
# SPDX-License-Identifier: GPL-3.0-or-later
set -eu
mode=run
case ${1:-} in
--start | --stop)
    mode=${1#--}
    shift
    ;;
esac
[ $# -ge 2 ] || { echo "usage: wine-run.sh [--start|--stop] PREFIX ARCH [PROGRAM ...]" >&2; exit 2; }
export WINEPREFIX="$1" WINEARCH="$2" WINEDEBUG=fixme-all WINEDLLOVERRIDES="mscoree,mshtml="
shift 2
here=$(cd "$(dirname "$0")" && pwd)
log="$WINEPREFIX.log"
booted="$WINEPREFIX/.brumvale-booted"
display=${BRUMVALE_WINE_DISPLAY:-}
# The same headless Wine from a desktop session as on CI (no Mono or Gecko either).
[ -n "$display" ] || unset DISPLAY WAYLAND_DISPLAY
# Debian's wine starts its 32-bit loader for every program; a 64-bit prefix needs
# only the 64-bit one, which also runs on a kernel that runs no 32-bit programs.
loader=wine
if [ "$WINEARCH" = win64 ] && [ -x /usr/lib/wine/wine64 ]; then
    loader=/usr/lib/wine/wine64
    export WINELOADER=$loader
fi
# A 64-bit prefix runs 32-bit programs too (its boot does, and so does a 32-bit setup
# program), and under emulation they need the same.
emulated=""
if "$here/i386-emulation.sh" emulated; then
    emulated=1
    # qemu-i386 7.2 takes Wine's MAP_FIXED_NOREPLACE for a hint, so Wine reserves
    # everything above 2 GiB 64 KiB at a time, each try a search of the whole space:
    # the 2 GiB Windows half and 16 MiB more start a program in seconds (0xf7000000
    # took minutes; below 0x80400000 Wine cannot map its shared user data).
    export QEMU_RESERVED_VA=0x81000000
fi

# What qemu-i386, and only it, makes Wine say when it fails a process.
emulator_fault='Got unexpected trap -1|qemu: uncaught target signal|wineserver crashed'

fail() {
    echo "wine-run.sh: $1 ($WINEPREFIX); Wine said:" >&2
    cat "$log" >&2
    exit 1
}
wineserver_quiet() { wineserver "$@" </dev/null >>"$log" 2>&1 9>&-; }
# The processes of the prefix (by their environment), which are killed when one is
# given.
prefix_processes() {
    found=""
    for process in /proc/[0-9]*; do
        if grep -qxzF "WINEPREFIX=$WINEPREFIX" "$process/environ" 2>/dev/null; then
            found=1
            [ -z "${1:-}" ] || kill "$1" "${process#/proc/}" 2>/dev/null || true
        fi
    done
    [ -n "$found" ]
}
# Ends the prefix's server, if any, and everything it runs; also the processes of
# the prefix that a crashed server left behind, until none is left (one in the
# middle of an exec has no environment to read for a moment).
stop() {
    wineserver_quiet -k || true
    timeout 60 sh -c 'wineserver -w' </dev/null >>"$log" 2>&1 9>&- || true
    tries=0
    while prefix_processes -9 && [ "$tries" -lt 600 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
}
# Runs a command in the background, its output added to the file given, and waits
# for it; when the file shows that the prefix's server crashed, or the bound (in
# seconds, a hung Wine's and not a measure of speed) passes, the command is ended
# and the status is 124.
watched() {
    file=$1 bound=$2
    shift 2
    from=$(wc -c <"$file")
    "$@" </dev/null >>"$file" 2>&1 9>&- &
    pid=$!
    deadline=$(($(date +%s) + bound))
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$(date +%s)" -ge "$deadline" ] ||
            tail -c +"$((from + 1))" "$file" | grep -q 'wineserver crashed'; then
            kill -9 "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            return 124
        fi
        sleep 1
    done
    wait "$pid"
}

# Starts a server with the option given and boots the prefix with it; one that runs
# already (status 2) is kept. A prefix whose first boot was cut short is broken for
# good, so a prefix never booted to the end is made afresh. A new 32-bit prefix
# boots in 40 s to 2 min under qemu-i386.
start() {
    try=1
    while :; do
        if [ ! -e "$booted" ] && [ -d "$WINEPREFIX" ]; then
            stop
            rm -rf "$WINEPREFIX"
        fi
        mkdir -p "$WINEPREFIX"
        status=0
        wineserver_quiet "$1" || status=$?
        case $status in
        0) ;;
        2) return 0 ;;
        *) fail "the Wine server did not start (status $status)" ;;
        esac
        status=0
        watched "$log" 600 "$loader" wineboot || status=$?
        if [ "$status" -eq 0 ]; then
            : >"$booted"
            return 0
        fi
        [ -n "$emulated" ] && [ "$try" -lt 3 ] ||
            fail "Wine could not boot the prefix (status $status)"
        echo "wine-run.sh: the boot failed under qemu-i386 (status $status, try $try of 3);" \
            "booting a fresh prefix" | tee -a "$log" >&2
        stop
        rm -f "$booted"
        try=$((try + 1))
    done
}

# One at a time starts, boots or stops the prefix's server; the server must not hold
# the lock, or it would keep it for as long as it runs.
lock() {
    exec 9>"$WINEPREFIX.lock"
    flock 9
}
# A server and a booted prefix for a program; one started without this display (or
# with another) cannot open windows on it.
serve() {
    lock
    [ -z "$display" ] || stop
    start -p10
    exec 9>&-
}

case $mode in
start)
    lock
    : >"$log"
    stop
    start -p
    cat "$log"
    exit 0
    ;;
stop)
    lock
    stop
    exit 0
    ;;
esac
serve

if [ "$WINEARCH" = win32 ] && [ -n "$emulated" ] && [ -n "${BRUMVALE_QEMU_GTEST_FILTER:-}" ]; then
    echo "wine-run.sh: under qemu-i386, GTEST_FILTER=$BRUMVALE_QEMU_GTEST_FILTER"
    export GTEST_FILTER="$BRUMVALE_QEMU_GTEST_FILTER"
fi
# The program's output goes through a file: a system process that Wine starts while
# the program runs (one that crashed under qemu-i386, say) inherits the program's
# output, and would hold CTest's pipe open for as long as the server runs.
output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'cat "$output"; rm -f "$output"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
run() {
    status=0
    : >"$output"
    watched "$output" 2700 "$loader" "$@" || status=$?
}
run "$@"
if [ "$status" -ne 0 ] && [ -n "$emulated" ] && grep -qE "$emulator_fault" "$output"; then
    cat "$output"
    echo "wine-run.sh: qemu-i386 failed Wine above (status $status), not the program;" \
        "running it once more"
    serve
    run "$@"
fi
if [ -n "$display" ]; then
    lock
    stop
fi
exit $status
