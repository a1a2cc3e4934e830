#!/usr/bin/env bash
# Opens Brumvale's own editor in Ardour's GUI on an X server, drags the
# Boost knob with the mouse, saves the session and checks that the saved Boost
# value moved and that the editor was redrawn. With an LV2 bundle, the same for
# the stereo LV2 plug-in's panel (its X11 UI, which Ardour embeds through suil).
#
#   tests/ardour/editor-test.sh BUNDLE_PATH [ARTEFACT_DIR [LV2_BUNDLE]]
#
# The screenshots, the editor's crops, Ardour's log and the saved session file
# go to $BRUMVALE_ARDOUR_KEEP, else ARTEFACT_DIR, else ardour-editor-test/ beside
# the bundle. Needs Debian's ardour, xdotool, x11-apps, imagemagick and
# python3; installs nothing. Needs a display of its own (CTest runs it under
# tests/gui/with-display.sh) and no standard input.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=common.sh
. "$here/common.sh"

[ $# -ge 1 ] && [ $# -le 3 ] ||
    die "usage: editor-test.sh BUNDLE_PATH [ARTEFACT_DIR [LV2_BUNDLE]] (BUNDLE_PATH: the Brumvale.vst3 folder)"
lv2_uri=""
if [ $# -eq 3 ]; then
    [ -f "$3/manifest.ttl" ] || die "no LV2 bundle at '$3'"
    lv2_uri=urn:kelmarotte:brumvale:stereo
fi
[ -n "${DISPLAY:-}" ] || die "no X display: run it under tests/gui/with-display.sh"
for tool in xdotool xwd xwininfo convert compare identify python3; do
    command -v "$tool" >/dev/null 2>&1 ||
        die "$tool is missing (apt-get install xvfb xdotool x11-apps imagemagick python3)"
done
gui="$ardour_lib/ardour-7.3.0~ds0"
[ -x "$gui" ] || die "Ardour's GUI is missing: no $gui"

# Brumvale's panel, in view coordinates (left, top, right, bottom).
view_w=180 view_h=240
boost_area=(109 5 150 60)   # the Boost value field and knob together
boost_centre=(130 40)       # the Boost knob's centre; its radius is 20

# Ardour starts the dummy engine itself, without the Audio/MIDI dialog.
engine='  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="None (Dummy)" driver="Normal Speed" device="Silence" input-device=""
               output-device="" sample-rate="48000" buffer-size="1024" n-periods="2"
               input-latency="0" output-latency="0" input-channels="0" output-channels="0"
               active="1" use-buffered-io="0" midi-option="" lru="1">
          <MIDIDevices/>
        </State>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
'
ardour_setup "$1" "$engine"
: >"$XDG_CONFIG_HOME/ardour7/.a7"   # "not the first run": no wizard
bundle_dir=$(dirname "$bundle")
keep=${BRUMVALE_ARDOUR_KEEP:-${2:-$bundle_dir/ardour-editor-test}}
mkdir -p "$keep"
keep=$(cd "$keep" && pwd -P)
rm -f "$keep"/screen-before.png "$keep"/screen-after.png "$keep"/editor-before.png \
    "$keep"/editor-after.png "$keep"/ardour.log "$keep"/session.ardour

ardour_pid=""
on_cleanup() {
    # Only the process this script started, by its id.
    if [ -n "$ardour_pid" ] && kill -0 "$ardour_pid" 2>/dev/null; then
        kill "$ardour_pid" 2>/dev/null
        sleep 1
        kill -9 "$ardour_pid" 2>/dev/null
    fi
    [ -f "$work/ardour.log" ] && cp "$work/ardour.log" "$keep/"
    return 0
}

# 1. The scan, as in render-test.sh; an LV2 bundle is found through LV2_PATH.
if [ -n "$lv2_uri" ]; then
    mkdir -p "$work/lv2"
    cp -R "$3" "$work/lv2/Brumvale.lv2"
    export LV2_PATH="$work/lv2:/usr/lib/lv2"
fi
ardour_scan

# 2. The session, made headless, then told to open Brumvale's own editor.
echo "== session"
start=$SECONDS
status=0
name=editor
session="$work/session/$name.ardour"
(cd "$work" && ardour_env timeout -k 10 180 "$luasession" -- "$here/editor-session.lua" \
    "$work/session" "$name" $lv2_uri </dev/null >"$work/session.log" 2>&1) || status=$?
cat "$work/session.log"
echo "-- luasession exit status $status after $(elapsed $start)"
[ "$status" -eq 0 ] || die "creating the session failed (exit status $status)"
read -r _ _ route_id _ processor_id _ boost_start < <(grep '^editor-session.lua: route ' "$work/session.log") ||
    die "editor-session.lua did not name the route and the processor"
[ "$boost_start" = 0 ] || die "Boost starts at $boost_start, not 0"
[ -f "$session" ] || die "no session file $session"
grep -q '<Extra>' "$session" && die "the new session already has an <Extra> node"
window="  <Extra><UI><Window name=\"P-$route_id-$processor_id\" visible=\"1\" custom-ui=\"1\" x-off=\"20\" y-off=\"20\"/></UI></Extra>"
sed -i "s|^</Session>|$window\n</Session>|" "$session"
grep -qF "P-$route_id-$processor_id" "$session" || die "cannot mark the plug-in's window in $session"

# 3. The GUI, on the display this test runs on (with-display.sh gives it one).
echo "== Ardour's GUI on $DISPLAY"
start=$SECONDS
(cd "$work" && ardour_export &&
    export ARDOUR_TRY_AUTOSTART_ENGINE=1 GTK_PATH="/etc/ardour7:$ardour_lib" UBUNTU_MENUPROXY="" &&
    exec "$gui" -n -a "$session" </dev/null >"$work/ardour.log" 2>&1) &
ardour_pid=$!

# Polls COMMAND every 0.2 s for at most SECONDS; true once it succeeds.
wait_for() {
    local seconds=$1 i
    shift
    for ((i = 0; i < seconds * 5; ++i)); do
        "$@" && return 0
        kill -0 "$ardour_pid" 2>/dev/null || die "Ardour ended early (see $keep/ardour.log)"
        sleep 0.2
    done
    return 1
}

plugin_window=""
find_plugin_window() {
    plugin_window=$(xdotool search --name '^Fuzz: Brumvale' 2>/dev/null | head -n 1)
    [ -n "$plugin_window" ]
}
wait_for 120 find_plugin_window || die "no Brumvale window after $(elapsed $start)"
echo "-- Brumvale's window $plugin_window after $(elapsed $start)"

# The editor's window: the deepest window under the plug-in window that is at
# least the view's size (Ardour's socket around it has the same size).
editor_window="" editor_geometry=""
find_editor_window() {
    local found
    found=$(xwininfo -tree -id "$plugin_window" 2>/dev/null | awk -v w="$view_w" -v h="$view_h" '
        match($0, /^ *0x[0-9a-f]+/) {
            depth = match($0, /0x/); id = $1
            if (match($0, /\) +[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+$/)) {
                g = substr($0, RSTART + 1); sub(/^ +/, "", g)
                n = split(g, f, /[ x+]+/)
                if (f[1] >= w && f[2] >= h && depth > best) { best = depth; line = id " " f[1] " " f[2] " " f[5] " " f[6] }
            }
        }
        END { if (line != "") print line }')
    [ -n "$found" ] || return 1
    editor_geometry=$found
    editor_window=${found%% *}
}
wait_for 60 find_editor_window || die "no editor window of at least ${view_w}x$view_h in Brumvale's window"
read -r _ editor_w editor_h editor_x editor_y <<<"$editor_geometry"
echo "-- editor window $editor_window: ${editor_w}x$editor_h at +$editor_x+$editor_y on the screen"
[ "$editor_h" -eq "$view_h" ] || die "the editor window is $editor_h pixels tall, not $view_h"

# Screenshots of the whole screen; the editor's crop is the panel's view_w x view_h
# where the editor's window is at the time of the shot: Ardour moves the plug-in's
# window after it first shows it, and makes it as wide as its toolbar, where the
# panel follows it and shows centred (at the zoom the window's height allows).
crop="" previous_crop="" panel_x=0
shoot() {
    local x y width
    read -r x y width < <(xwininfo -id "$editor_window" |
        awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
             /Width:/ { w = $2 } END { print x, y, w }')
    [ -n "$x" ] && [ -n "$y" ] && [ -n "$width" ] || return 1
    panel_x=$(((width - view_w) / 2))
    crop="${view_w}x$view_h+$((x + panel_x))+$y"
    xwd -root -silent | convert xwd:- "$keep/screen-$1.png"
    convert "$keep/screen-$1.png" -crop "$crop" +repage "$keep/editor-$1.png"
}
colours() { identify -format '%k' "$1"; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
# Shoots until the editor's window stays where it is and its area looks the same
# in two shots in a row.
settled() {
    [ -f "$keep/editor-$1.png" ] && mv "$keep/editor-$1.png" "$work/previous.png"
    previous_crop=$crop
    shoot "$1" || return 1
    [ -f "$work/previous.png" ] && [ "$crop" = "$previous_crop" ] &&
        [ "$(differing "$work/previous.png" "$keep/editor-$1.png")" = 0 ]
}
wait_for 60 settled before || die "the editor's area did not settle"
# The panel's artwork has thousands of colours; an undrawn window has one.
[ "$(colours "$keep/editor-before.png")" -ge 200 ] ||
    die "the editor drew nothing: $(colours "$keep/editor-before.png") colours in its area"
echo "-- editor drawn after $(elapsed $start): $(colours "$keep/editor-before.png") colours, at $crop"

# The drag, relative to the knob's centre: from its lower left (value 0)
# around over the top to its right.
echo "== drag on the Boost knob"
cx=$((panel_x + boost_centre[0])) cy=${boost_centre[1]}
path=("-12 12" "-14 4" "-12 -8" "-6 -14" "0 -15" "6 -14" "12 -8" "15 0")
read -r dx dy <<<"${path[0]}"
xdotool mousemove --window "$editor_window" $((cx + dx)) $((cy + dy))
sleep 0.3
xdotool mousedown 1
sleep 0.2
for point in "${path[@]:1}"; do
    read -r dx dy <<<"$point"
    xdotool mousemove --window "$editor_window" $((cx + dx)) $((cy + dy))
    sleep 0.1
done
sleep 0.2
xdotool mouseup 1
# Away from the panel, over Ardour's main window, where the keys go next.
xdotool mousemove 900 600
rm -f "$work/previous.png"
before_crop=$crop
crop=""
wait_for 60 settled after || die "the editor's area did not settle after the drag"
[ "$crop" = "$before_crop" ] || echo "-- the editor's window moved: $before_crop, then $crop"

# Differences in the Boost field and knob, and anywhere else in the panel.
box="rectangle ${boost_area[0]},${boost_area[1]} ${boost_area[2]},${boost_area[3]}"
inner="$((boost_area[2] - boost_area[0] + 1))x$((boost_area[3] - boost_area[1] + 1))+${boost_area[0]}+${boost_area[1]}"
for shot in before after; do
    convert "$keep/editor-$shot.png" -crop "$inner" +repage "$work/boost-$shot.png"
    convert "$keep/editor-$shot.png" -fill black -draw "$box" "$work/rest-$shot.png"
done
boost_diff=$(differing "$work/boost-before.png" "$work/boost-after.png")
rest_diff=$(differing "$work/rest-before.png" "$work/rest-after.png")
echo "-- pixels changed: $boost_diff in Boost's field and knob, $rest_diff elsewhere in the panel"

# 4. Save (Ctrl+S) and quit (Ctrl+Q) from the main window.
echo "== save and quit"
main_window=$(xdotool search --name " - Ardour\$" 2>/dev/null | head -n 1)
[ -n "$main_window" ] || die "no Ardour main window"
before_save=$(stat -c %Y.%s "$session")
xdotool windowfocus "$main_window" key ctrl+s
# Saved: the file changed and is whole (Ardour writes a new file and renames it).
saved() {
    [ "$(stat -c %Y.%s "$session")" != "$before_save" ] && tail -c 64 "$session" | grep -q '</Session>'
}
wait_for 60 saved || die "Ctrl+S did not save $session"
xdotool windowfocus "$main_window" key ctrl+q
status=0
for _ in $(seq 300); do
    kill -0 "$ardour_pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$ardour_pid" 2>/dev/null && die "Ardour did not quit after Ctrl+Q"
wait "$ardour_pid" || status=$?
ardour_pid=""
echo "-- Ardour exit status $status after $(elapsed $start)"
cp "$session" "$keep/session.ardour"
grep -E '^\[againController\]|Brumvale|[Ee]rror|[Cc]rash' "$work/ardour.log" || true

# Ardour keeps a parameter twice in the processor's node: as the Controllable
# (Ardour's control) and as vst3/Port or lv2/Port (the plug-in's value). The LV2
# port holds decibels (0 to 36), which are given here as 0 to 1.
read -r boost_control boost_port < <(python3 - "$session" "$processor_id" "$lv2_uri" <<'EOF'
import sys
import xml.etree.ElementTree as ET
processor = ET.parse(sys.argv[1]).getroot().find(".//Processor[@id='%s']" % sys.argv[2])
if processor is None:
    sys.exit("no processor " + sys.argv[2])
control = processor.find("Controllable[@name='Boost']")
if sys.argv[3]:
    port = processor.find("lv2/Port[@symbol='boost']")
    print(float(control.get("value")) / 36, float(port.get("value")) / 36)
else:
    port = processor.find("vst3/Port[@id='%s']" % control.get("parameter"))
    print(control.get("value"), port.get("value"))
EOF
) || die "no Boost value for processor $processor_id in the saved session"
echo "-- saved Boost: control $boost_control, plug-in port $boost_port (was $boost_start)"

echo "-- screenshots: $keep/screen-before.png $keep/screen-after.png"
echo "-- editor crops: $keep/editor-before.png $keep/editor-after.png"
[ "$status" -eq 0 ] || die "Ardour exited with status $status (see $keep/ardour.log)"
# Where the drag leaves a knob that starts at 0: in the circular modes the
# angle of the last point (straight up 0.5, the sweep 270 degrees); in the
# linear mode, which Ardour 7.3 chooses, the distance moved up plus right
# over 200 pixels, as in VSTGUI.
python3 - "$boost_control" "$boost_port" "${path[0]}" "${path[-1]}" <<'EOF' ||
import math, sys
value, port = float(sys.argv[1]), float(sys.argv[2])
x0, y0 = map(float, sys.argv[3].split())
x1, y1 = map(float, sys.argv[4].split())
circular = 0.5 + math.degrees(math.atan2(x1, -y1)) / 270
linear = ((y0 - y1) + (x1 - x0)) / 200
print("-- Boost %.4f; expected %.4f (circular) or %.4f (linear knob mode)" % (value, circular, linear))
if abs(value - port) > 1e-6:
    sys.exit("Ardour's Boost control and the plug-in's value differ")
sys.exit(0 if value != 0 and min(abs(value - circular), abs(value - linear)) < 0.01 else 1)
EOF
    die "the drag did not move Boost as it should"
[ "$boost_diff" -gt 0 ] || die "the Boost knob and field look the same after the drag"
[ "$rest_diff" -eq 0 ] || die "the drag on Boost changed $rest_diff pixels outside Boost's field and knob"
echo "editor-test.sh: Brumvale's editor works in Ardour"
