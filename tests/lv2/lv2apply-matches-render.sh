#!/usr/bin/env bash
# lv2apply (lilv's own host, which runs one sample per call) renders through
# Brumvale.lv2 exactly what brumvale render --block 1 renders through Brumvale.vst3:
#   lv2apply-matches-render.sh BRUMVALE_TOOL LV2_BUNDLE
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/lv2"
ln -s "$(cd "$2" && pwd)" "$work/lv2/Brumvale.lv2"
export LV2_PATH="$work/lv2:/usr/lib/lv2"

# channels rate  port values (symbol value ...); the VST 3 parameter of each symbol
# is named alike, and takes the same number as its text.
cases=(
    "1 44100 boost 18.5 antialias 1"
    "2 48000 boost 30 volume -12.25 warmth 1 antialias 1"
    "2 96000 boost 7.3 volume -3 antialias 1"
    "1 96000 boost 36 warmth 1 bypass 1"
    "2 44100 volume -36"
)
declare -A names=([bypass]=Bypass [antialias]=AntiAlias [warmth]=Warmth [boost]=Boost
                  [volume]=Volume)
status=0
for each in "${cases[@]}"; do
    read -r channels rate values <<<"$each"
    uri=urn:kelmarotte:brumvale:$([ "$channels" = 1 ] && echo mono || echo stereo)
    python3 "$here/wavdata.py" write "$work/in.wav" "$rate" "$channels" 0.6
    controls=() settings=()
    set -- $values
    while [ $# -gt 0 ]; do
        controls+=(-c "$1" "$2")
        settings+=(--set "${names[$1]}=$2")
        shift 2
    done
    lv2apply -i "$work/in.wav" -o "$work/lv2.wav" "${controls[@]}" "$uri"
    "$tool" render "$work/in.wav" "$work/vst3.wav" --block 1 -q "${settings[@]}" >/dev/null
    if python3 "$here/wavdata.py" same "$work/vst3.wav" "$work/lv2.wav"; then
        echo "lv2apply-matches-render.sh: same samples: $each"
    else
        echo "lv2apply-matches-render.sh: DIFFERENT: $each"
        status=1
    fi
done
exit $status
