#!/usr/bin/env bash
# Loads the Brumvale bundle into Ardour, renders a sine through it headless and
# checks the exported audio.
#
#   tests/ardour/render-test.sh BUNDLE_PATH
#
# Needs Debian's `ardour` package (ardour7-lua and the VST 3 scanner) and
# python3; installs nothing. Works without a display or standard input, as root
# or not. Everything happens in a throw-away HOME that is removed at the end.
# Exits 0 only when the scanner finds the plug-in, the sessions render and every
# check in analyse.py passes. With BRUMVALE_ARDOUR_KEEP=DIR the renders and logs
# are copied to DIR before the temporary folder goes.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
frequency=375        # Hz: exactly bin 128 of analyse.py's 16384-point FFT at 48 kHz
level_db=-30         # generator peak level, dBFS
seconds=3

# shellcheck source=common.sh
. "$here/common.sh"

[ $# -eq 1 ] || die "usage: render-test.sh BUNDLE_PATH (the Brumvale.vst3 folder)"
command -v python3 >/dev/null 2>&1 || die "python3 is missing"
ardour_setup "$1"
# The data folder's export/ holds only this test's preset; the generator is a
# script of the user's.
cp "$here"/export/brumvale-wavfloat.format "$here"/export/brumvale-wavfloat.preset "$data/export/"
mkdir -p "$XDG_CONFIG_HOME/ardour7/scripts"
cp "$here/timeline-sine.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"

# 1. Ardour's VST 3 scanner.
ardour_scan

# 2. The headless sessions: one Ardour process renders each setting below, the
# way ardour7-lua runs a script but with the data path above.
render() {
    local name=$1
    shift
    local log="$work/render-$name.log" status=0 start=$SECONDS
    echo "== render $name: $*"
    ardour_render "$name" "$log" "$frequency" "$level_db" "$seconds" "$@" || status=$?
    cat "$log"
    echo "-- luasession exit status $status after $(elapsed $start)"
    [ "$status" -eq 0 ] || die "the Ardour session for $name failed (exit status $status)"
    grep -q '^render.lua: done' "$log" || die "render.lua did not finish $name"
}

render dry                                   # the generator alone
render fresh plugin                          # Brumvale as Ardour inserts it
render boost36 Boost=1 Volume=1 AntiAlias=0 Warmth=0 Bypass=0
render boost36-vol18 Boost=1 Volume=0.5 AntiAlias=0 Warmth=0 Bypass=0
render boost0 Boost=0 Volume=1 AntiAlias=0 Warmth=0 Bypass=0
render antialias Boost=1 Volume=1 AntiAlias=1 Warmth=0 Bypass=0
render warmth Boost=1 Volume=1 AntiAlias=0 Warmth=1 Bypass=0
render bypass-param Boost=1 Volume=1 AntiAlias=0 Warmth=0 Bypass=1
render host-bypass Boost=1 Volume=1 AntiAlias=0 Warmth=0 Bypass=0 host-bypass

# 3. The audio.
echo "== analyse.py"
start=$SECONDS
status=0
python3 "$here/analyse.py" "$work/out" "$frequency" "$level_db" "$seconds" || status=$?
echo "-- analysis exit status $status after $(elapsed $start)"
if [ -n "${BRUMVALE_ARDOUR_KEEP:-}" ]; then
    mkdir -p "$BRUMVALE_ARDOUR_KEEP" && cp "$work"/out/* "$work"/*.log "$BRUMVALE_ARDOUR_KEEP/"
    echo "-- renders and logs copied to $BRUMVALE_ARDOUR_KEEP"
fi
[ "$status" -eq 0 ] || die "the rendered audio failed its checks"
echo "render-test.sh: Brumvale renders through Ardour as expected"
