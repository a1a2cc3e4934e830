#!/usr/bin/env bash
# The factory presets in Ardour: installed in the user's preset folder
# (~/.vst3/presets/Kelmarotte/Brumvale, of a throw-away HOME), Ardour lists them
# for Brumvale by name and loads them, and the plug-in then holds each preset's
# values (normalised: Boost dB / 36, Volume 1 + dB / 36).
#
#   preset-test.sh BUNDLE_PATH PRESET_FOLDER
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=common.sh
. "$here/common.sh"

[ $# -eq 2 ] || die "usage: preset-test.sh BUNDLE_PATH PRESET_FOLDER"
presets=$2
ardour_setup "$1"
mkdir -p "$HOME/.vst3/presets/Kelmarotte/Brumvale"
cp "$presets"/*.vstpreset "$HOME/.vst3/presets/Kelmarotte/Brumvale/"
ardour_scan

log="$work/presets.log"
status=0
(cd "$work" && ardour_env timeout -k 10 180 "$luasession" -- "$here/presets.lua" "$work/session" \
    "Classic Octave Fuzz" "Sputter Gate" "Warm Octave" </dev/null >"$log" 2>&1) || status=$?
grep -v '^\[' "$log" || true
[ "$status" -eq 0 ] || die "the Ardour session failed (exit status $status)"
grep -q '^presets.lua: done' "$log" || die "presets.lua did not finish"

# Bypass, AntiAlias, Warmth, Boost, Volume as the table sets them.
expect() {
    grep -qx "preset $1 user $2" "$log" || die "Ardour's values for $1 are not '$2'"
}
expect "Classic Octave Fuzz" "0.0000 1.0000 0.0000 0.5556 0.6667"
expect "Sputter Gate" "0.0000 0.0000 0.0000 1.0000 0.6667"
expect "Warm Octave" "0.0000 1.0000 1.0000 0.6667 0.5000"
echo "preset-test.sh: Ardour lists and loads the factory presets from the user's folder"
