#!/bin/sh
# Runs a command on an X server of its own (Xvfb; the screen 640 x 480 x 24 bits
# unless given):
#   with-display.sh [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT...]
# The server picks a free display number itself and reports it (-displayfd), so
# servers started side by side never race for one, as xvfb-run -a can. The exit
# status is the command's.
# SPDX-License-Identifier: GPL-3.0-or-later
set -eu
screen=640x480x24
if [ "${1:-}" = --screen ]; then
    screen=$2
    shift 2
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/brumvale-display.XXXXXX")
server=""
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" >"$work/log" 2>&1 &
server=$!
# Until the server names its display, or ends.
while [ ! -s "$work/display" ]; do
    if ! kill -0 "$server" 2>/dev/null; then
        echo "with-display.sh: Xvfb did not start: $(cat "$work/log")" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
status=0
"$@" || status=$?
exit $status
