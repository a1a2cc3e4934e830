#!/usr/bin/env bash
# Brumvale.lv2 in Ardour: inserted by its URI into a headless session, it renders
# what Brumvale.vst3 renders with the same settings: set by hand, from a factory
# preset loaded by name, and bypassed from Ardour's mixer strip. Ardour runs a
# plug-in for a while before it exports, for as long as its timing makes it, and
# the filters' state after that differs in the last bits from run to run, in
# either format alike (seen about 128 dB below the peak); the renders must agree
# within 110 dB below it. The formats' bit-for-bit agreement, for the same history,
# is tested in tests/lv2.
#
#   tests/ardour/lv2-test.sh VST3_BUNDLE LV2_BUNDLE
#
# Needs what render-test.sh needs. With BRUMVALE_ARDOUR_KEEP=DIR the renders and
# logs are copied to DIR before the temporary folder goes.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source=common.sh
. "$here/common.sh"

[ $# -eq 2 ] || die "usage: lv2-test.sh VST3_BUNDLE LV2_BUNDLE"
[ -f "$2/manifest.ttl" ] || die "no LV2 bundle at '$2' (build it first)"
ardour_setup "$1"
cp "$here"/export/brumvale-wavfloat.format "$here"/export/brumvale-wavfloat.preset "$data/export/"
mkdir -p "$XDG_CONFIG_HOME/ardour7/scripts" "$work/lv2"
cp "$here/timeline-sine.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"
# Only this bundle besides the LV2 specifications and Ardour's own plug-ins.
cp -R "$2" "$work/lv2/Brumvale.lv2"
export LV2_PATH="$work/lv2:/usr/lib/lv2"
ardour_scan
on_cleanup() {
    if [ -n "${BRUMVALE_ARDOUR_KEEP:-}" ]; then
        mkdir -p "$BRUMVALE_ARDOUR_KEEP" && cp "$work"/out/* "$work"/*.log "$BRUMVALE_ARDOUR_KEEP/"
    fi
}

render() {
    local name=$1 log="$work/render-$1.log" status=0
    shift
    ardour_render "$name" "$log" 375 -20 2 "$@" || status=$?
    if [ "$status" -ne 0 ] || ! grep -q '^render.lua: done' "$log"; then
        cat "$log"
        die "the Ardour session for $name failed (exit status $status)"
    fi
    grep -E '^  (control input|set|loaded|host)|^plug-in' "$log" | sed "s/^/$name: /"
}

# Each pair: the VST 3 plug-in (normalised values) and the LV2 one (as its ports show
# them); Boost 18 dB is 0.5, Volume -18 dB 0.5; Classic Octave Fuzz is Boost 20 dB,
# Volume -12 dB, HiFi.
render vst3-set Boost=0.5 Volume=0.5 AntiAlias=1 Warmth=1
render lv2-set lv2 Boost=18 Volume=-18 AntiAlias=1 Warmth=1
render vst3-preset AntiAlias=1 Boost=0.5555555555555556 Volume=0.6666666666666666
render lv2-preset lv2 "preset=Classic Octave Fuzz"
render vst3-bypassed Boost=1 host-bypass
render lv2-bypassed lv2 Boost=36 host-bypass

failed=0
for pair in set preset bypassed; do
    if result=$(python3 "$here/../lv2/wavdata.py" near "$work/out/vst3-$pair.wav" \
        "$work/out/lv2-$pair.wav" -110 2>&1); then
        echo "lv2-test.sh: $pair: the LV2 render is the VST 3 render ($result)"
    else
        echo "lv2-test.sh: $pair: the LV2 render DIFFERS from the VST 3 render ($result)"
        failed=1
    fi
done
grep -qx 'Boost=20' "$work/out/lv2-preset.params" && grep -qx 'Volume=-12' "$work/out/lv2-preset.params" ||
    { echo "lv2-test.sh: after the preset Ardour shows $(tr '\n' ' ' <"$work/out/lv2-preset.params")"; failed=1; }
[ "$failed" -eq 0 ] || die "the LV2 plug-in does not render as the VST 3 plug-in in Ardour"
echo "lv2-test.sh: Brumvale.lv2 renders in Ardour as Brumvale.vst3 does"
