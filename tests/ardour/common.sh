# What the Ardour tests share: the checks for Ardour's tools, a throw-away HOME
# with Ardour's configuration, a copy of the bundle under test, a mirrored data
# folder, the VST 3 scan and the renders. Sourced (not run) by the test scripts
# here after `set -euo pipefail`; messages carry the caller's name.
#
#   ardour_setup BUNDLE_PATH [EXTRA_CONFIG_XML]   (defines $work, $HOME, $data, ...)
#   ardour_scan                                   (scans $under_test, checks the cache)
#   ardour_export                                 (exports Ardour's variables)
#   ardour_env COMMAND...                         (runs COMMAND with them)
#   ardour_render NAME LOG ARGS...                (render.lua's session NAME)
# A caller may define on_cleanup(), which runs before $work is removed.
# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later

ardour_lib=/usr/lib/ardour7
ardour_data=/usr/share/ardour7
ardour_lua=ardour7-lua
luasession="$ardour_lib/luasession"
scanner="$ardour_lib/ardour-vst3-scanner"

die() {
    echo "$(basename "$0"): $*" >&2
    exit 1
}

elapsed() { echo "$((SECONDS - $1)) s"; }

ardour_setup() {
    local bundle_arg=$1 extra_config=${2:-} entry tool
    [ -d "$bundle_arg" ] || die "no plug-in bundle at '$bundle_arg' (build it first)"
    bundle=$(cd "$bundle_arg" && pwd -P)
    binary="$bundle/Contents/x86_64-linux/Brumvale.so"
    [ -f "$binary" ] || die "the bundle has no $binary"

    command -v "$ardour_lua" >/dev/null 2>&1 ||
        die "Ardour is missing: '$ardour_lua' not found (apt-get install --no-install-recommends ardour)"
    for tool in "$luasession" "$scanner"; do
        [ -x "$tool" ] ||
            die "Ardour is missing: no $tool (apt-get install --no-install-recommends ardour)"
    done
    [ -d "$ardour_data/scripts" ] || die "Ardour is missing: no $ardour_data/scripts"
    command -v timeout >/dev/null 2>&1 || die "timeout (coreutils) is missing"

    work=$(mktemp -d "${TMPDIR:-/tmp}/brumvale-ardour.XXXXXX")
    trap ardour_cleanup EXIT
    trap 'exit 130' INT TERM

    # A private HOME: Ardour's configuration and plug-in cache go there, never
    # into the caller's. Only the bundle under test is on the VST 3 path: it is
    # copied into a folder of its own so no other bundle beside it in the build
    # tree is scanned or loaded.
    export HOME="$work/home"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_CACHE_HOME="$HOME/.cache"
    export XDG_DATA_HOME="$HOME/.local/share"
    unset VST3_PATH LV2_PATH LADSPA_PATH ARDOUR_CONFIG_PATH ARDOUR_DATA_PATH || true
    plugins="$work/vst3"
    mkdir -p "$XDG_CONFIG_HOME/ardour7" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$plugins" "$work/out"
    cp -R "$bundle" "$plugins/"
    under_test="$plugins/$(basename "$bundle")"
    # Ardour trusts a cache entry only when it is strictly newer (in whole
    # seconds) than the module; the scanner dates it max(module, now). A copy
    # made in the same second as the scan would leave the entry "out of date"
    # and Ardour, which reads the cache and never scans, would not know the
    # plug-in.
    find "$under_test" -exec touch -h -d '1 minute ago' {} +
    cat >"$XDG_CONFIG_HOME/ardour7/config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="plugin-path-vst3" value="$plugins"/>
  </Config>
$extra_config</Ardour>
EOF

    # Ardour's data folder, mirrored with an export/ folder of its own that the
    # caller fills. In Ardour 7.3 without ffmpeg, loading the stock MP3 export
    # formats ("encoder is not available") corrupts the heap and Ardour dies at
    # random later on.
    data="$work/data"
    mkdir -p "$data/export"
    for entry in "$ardour_data"/*; do
        [ "$(basename "$entry")" = export ] || ln -s "$entry" "$data/"
    done
}

ardour_cleanup() {
    if declare -F on_cleanup >/dev/null; then on_cleanup || true; fi
    rm -rf "$work"
}

# The variables Ardour's wrappers set, but with this data path.
ardour_export() {
    export LD_LIBRARY_PATH="$ardour_lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
        ARDOUR_DATA_PATH="$data" ARDOUR_CONFIG_PATH=/etc/ardour7 ARDOUR_DLL_PATH="$ardour_lib" \
        VAMP_PATH="$ardour_lib/vamp"
}

# Runs one of Ardour's programs with those variables.
ardour_env() { (ardour_export && exec "$@"); }

# Ardour's VST 3 scanner: loads the module, lists the factory and caches it.
ardour_scan() {
    local start=$SECONDS status=0 cache
    echo "== VST 3 scanner on $under_test"
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
}

# Runs render.lua on a fresh session NAME in $work, writing to $work/out, with
# ARGS after the name; its output goes to LOG. Ardour 7.3 corrupts its own heap
# now and then while exporting from a session that holds a plug-in (its own, a
# VST 3 or an LV2 one alike; on a busy machine about one export in fifteen, none
# in forty without a plug-in) and aborts or crashes in its export graph. A render
# that dies so is tried again, up to four times in all; a failed check, an error
# exit or a time-out is not. Returns the last exit status.
ardour_render() {
    local name=$1 log=$2 status attempt
    shift 2
    for attempt in 1 2 3 4; do
        status=0
        (cd "$work" && rm -rf "session-$name" &&
            ardour_env timeout -k 10 180 "$luasession" -- "$here/render.lua" "$work/session-$name" \
                "$work/out" "$name" "$@" </dev/null >"$log" 2>&1) || status=$?
        # SIGABRT from glibc's heap checks, or SIGSEGV.
        [ "$status" -eq 134 ] || [ "$status" -eq 139 ] || break
        echo "-- Ardour died by signal $((status - 128)) rendering $name (attempt $attempt):"
        tail -n 3 "$log"
    done
    return "$status"
}
