#!/usr/bin/env bash
# The LV2 bundle as hosts see it: its Turtle files valid against the installed LV2
# schemas (no error, no warning), both plug-ins with their ports and the factory
# presets as lv2info lists them (the names of the .vstpreset files the build
# wrote) with the panel as their X11 UI, names a user can tell apart, versions that
# read as a release (even, the minor one non-zero), a plug-in library that exports
# lv2_descriptor alone and needs no GUI library, and a UI library that exports
# lv2ui_descriptor alone.
#   check-bundle.sh LV2_BUNDLE VSTPRESET_FOLDER
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
bundle=$(cd "$1" && pwd)
wanted=$(cd "$2" && ls -- *.vstpreset | sed 's/\.vstpreset$//' | sort)
[ "$(echo "$wanted" | wc -l)" = 10 ] || { echo "check-bundle.sh: no ten presets in $2" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "check-bundle.sh: $*"
    failed=1
}

if ! lv2_validate "$bundle"/*.ttl >"$work/validate" 2>&1 ||
    grep -qiE '^(error|warning)' "$work/validate" ||
    ! grep -q '^Found 0 errors' "$work/validate"; then
    fail "the Turtle files do not validate:"
    cat "$work/validate"
fi

mkdir "$work/lv2"
ln -s "$bundle" "$work/lv2/Brumvale.lv2"
for each in "mono Mono in out" "stereo Stereo in_l in_r out_l out_r"; do
    read -r kind name audio <<<"$each"
    uri=urn:kelmarotte:brumvale:$kind
    if ! LV2_PATH="$work/lv2:/usr/lib/lv2" lv2info "$uri" >"$work/info" 2>"$work/errors"; then
        fail "lv2info $uri failed: $(cat "$work/errors")"
        continue
    fi
    symbols=$(sed -n 's/^\t\tSymbol: *//p' "$work/info" | tr '\n' ' ')
    [ "$symbols" = "bypass antialias warmth boost volume enabled latency $audio " ] ||
        fail "$uri has the ports $symbols"
    grep -q $'^\tName: *Brumvale '"$name\$" "$work/info" || fail "$uri is not named Brumvale $name"
    grep -q $'^\tAuthor: *Kelmarotte$' "$work/info" || fail "$uri is not Kelmarotte's"
    presets=$(sed -n '/^\tPresets:/,/^$/p' "$work/info" | sed -n '2,$s/^\t *//p' | sed '/^$/d' | sort)
    [ "$presets" = "$wanted" ] || fail "$uri lists the presets: $presets"
    ui=$(sed -n '/^\tUIs:/,/^\tData URIs:/p' "$work/info" | tr -s '\t ' ' ')
    for line in " urn:kelmarotte:brumvale:ui" " Class: http://lv2plug.in/ns/extensions/ui#X11UI" \
        " Binary: file://$work/lv2/Brumvale.lv2/brumvale_ui.so"; do
        grep -qxF "$line" <<<"$ui" || fail "$uri has not the UI line '$line' but: $ui"
    done
done

versions=$(sed -n 's/^ *lv2:\(minor\|micro\)Version \([0-9]*\) ;$/\1 \2/p' "$bundle/brumvale.ttl")
[ "$(wc -l <<<"$versions")" = 4 ] || fail "not two versions for each plug-in: $versions"
while read -r part number; do
    { [ $((number % 2)) = 0 ] && { [ "$part" = micro ] || [ "$number" -gt 0 ]; }; } ||
        fail "lv2:${part}Version $number marks a development version"
done <<<"$versions"

exports() { nm -D --defined-only "$1" | awk '{print $3}' | tr '\n' ' '; }
library=$bundle/brumvale.so
exports=$(exports "$library")
[ "$exports" = "lv2_descriptor " ] || fail "brumvale.so exports $exports"
gui=$(readelf -d "$library" | grep -oE 'lib(X11|xcb|cairo|gtk|gdk|GL)[^]]*' || true)
[ -z "$gui" ] || fail "brumvale.so needs $gui"
exports=$(exports "$bundle/brumvale_ui.so")
[ "$exports" = "lv2ui_descriptor " ] || fail "brumvale_ui.so exports $exports"
for image in background knobImg1 splashImg ButtonBypass ButtonHiFi ButtonWarmth; do
    [ -s "$bundle/resources/$image.png" ] || fail "the panel's image $image.png is missing"
done

[ $failed = 0 ] && echo "check-bundle.sh: valid, listed as hosts should see it, exports the entry points alone"
exit $failed
