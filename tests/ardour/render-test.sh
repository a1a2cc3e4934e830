#!/usr/bin/env bash
# Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#
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
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
frequency=375        # Hz: exactly bin 128 of analyse.py's 16384-point FFT at 48 kHz
level_db=-30         # generator peak level, dBFS
seconds=3

ardour_lib=/usr/lib/ardour7
ardour_data=/usr/share/ardour7
ardour_lua=ardour7-lua
luasession="$ardour_lib/luasession"
scanner="$ardour_lib/ardour-vst3-scanner"

die() {
    echo "render-test.sh: $*" >&2
    exit 1
}

[ $# -eq 1 ] || die "usage: render-test.sh BUNDLE_PATH (the Brumvale.vst3 folder)"
[ -d "$1" ] || die "no plug-in bundle at '$1' (build it first)"
bundle=$(cd "$1" && pwd -P)
binary="$bundle/Contents/x86_64-linux/Brumvale.so"
[ -f "$binary" ] || die "the bundle has no $binary"

command -v "$ardour_lua" >/dev/null 2>&1 ||
    die "Ardour is missing: '$ardour_lua' not found (apt-get install --no-install-recommends ardour)"
for tool in "$luasession" "$scanner"; do
    [ -x "$tool" ] ||
        die "Ardour is missing: no $tool (apt-get install --no-install-recommends ardour)"
done
[ -d "$ardour_data/scripts" ] || die "Ardour is missing: no $ardour_data/scripts"
command -v python3 >/dev/null 2>&1 || die "python3 is missing"
command -v timeout >/dev/null 2>&1 || die "timeout (coreutils) is missing"

work=$(mktemp -d "${TMPDIR:-/tmp}/brumvale-ardour.XXXXXX")
cleanup() { rm -rf "$work"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private HOME: Ardour's configuration and plug-in cache go there, never into
# the caller's. Only the bundle under test is on the VST 3 path: it is copied
# into a folder of its own so no other bundle beside it in the build tree is
# scanned or loaded.
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_DATA_HOME="$HOME/.local/share"
unset VST3_PATH LV2_PATH LADSPA_PATH ARDOUR_CONFIG_PATH ARDOUR_DATA_PATH || true
plugins="$work/vst3"
mkdir -p "$XDG_CONFIG_HOME/ardour7" "$XDG_CACHE_HOME" "$plugins" "$work/out"
cp -R "$bundle" "$plugins/"
under_test="$plugins/$(basename "$bundle")"
# Ardour trusts a cache entry only when it is strictly newer (in whole seconds)
# than the module; the scanner dates it max(module, now). A copy made in the
# same second as the scan would leave the entry "out of date" and ardour7-lua,
# which reads the cache and never scans, would not know the plug-in.
find "$under_test" -exec touch -h -d '1 minute ago' {} +
cat >"$XDG_CONFIG_HOME/ardour7/config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="plugin-path-vst3" value="$plugins"/>
  </Config>
</Ardour>
EOF

# Ardour's data folder, mirrored with an export/ folder that holds only this
# test's preset. In Ardour 7.3 without ffmpeg, loading the stock MP3 export
# formats ("encoder is not available") corrupts the heap and ardour7-lua dies at
# random in the export that follows.
data="$work/data"
mkdir -p "$data/export"
for entry in "$ardour_data"/*; do
    [ "$(basename "$entry")" = export ] || ln -s "$entry" "$data/"
done
cp "$here"/export/brumvale-wavfloat.format "$here"/export/brumvale-wavfloat.preset "$data/export/"

elapsed() { echo "$((SECONDS - $1)) s"; }

# 1. Ardour's VST 3 scanner: loads the module, lists the factory and caches it.
echo "== VST 3 scanner on $under_test"
start=$SECONDS
status=0
LD_LIBRARY_PATH="$ardour_lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    timeout -k 10 120 "$scanner" -v -f "$under_test" </dev/null >"$work/scan.log" 2>&1 ||
    status=$?
cat "$work/scan.log"
echo "-- scanner exit status $status after $(elapsed $start)"
[ "$status" -eq 0 ] || die "the VST 3 scanner failed (exit status $status)"
cache=$(grep -rl --include='*.v3i' 'Brumvale' "$XDG_CACHE_HOME/ardour7" 2>/dev/null | head -n 1 || true)
[ -n "$cache" ] || die "the scanner wrote no cache entry naming Brumvale"
echo "-- cache entry $cache:"
cat "$cache"
echo
grep -q 'name="Brumvale"' "$cache" || die "the cache entry has no class named \"Brumvale\""
grep -q 'category="Fx|Distortion"' "$cache" || die "the class is not in category Fx|Distortion"
grep -q 'n_inputs="2"' "$cache" || die "the class does not have two input channels"
grep -q 'n_outputs="2"' "$cache" || die "the class does not have two output channels"

# 2. The headless sessions: one Ardour process renders each setting below, the
# way ardour7-lua runs a script but with the data path above.
render() {
    local name=$1
    shift
    local log="$work/render-$name.log" status=0 start=$SECONDS attempt
    echo "== render $name: $*"
    # Ardour 7.3 itself dies now and then while exporting (with its own plug-ins
    # too): a render killed by a signal is tried once more. A failed check, a
    # time-out or an error exit is not.
    for attempt in 1 2; do
        status=0
        (cd "$work" && rm -rf "session-$name" &&
            LD_LIBRARY_PATH="$ardour_lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
            ARDOUR_DATA_PATH="$data" ARDOUR_CONFIG_PATH=/etc/ardour7 ARDOUR_DLL_PATH="$ardour_lib" \
            VAMP_PATH="$ardour_lib/vamp" \
            timeout -k 10 60 "$luasession" -- "$here/render.lua" "$work/session-$name" "$work/out" \
                "$name" "$frequency" "$level_db" "$seconds" "$@" </dev/null >"$log" 2>&1) ||
            status=$?
        cat "$log"
        echo "-- luasession exit status $status after $(elapsed $start) (attempt $attempt)"
        [ "$status" -gt 128 ] && [ "$status" -ne 124 ] && [ "$attempt" -eq 1 ] || break
    done
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
