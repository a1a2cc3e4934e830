#!/usr/bin/env bash
# The Debian package installed for real, as a user installs it, and removed again:
# apt-get installs it with what it depends on, /usr/bin/brumvale finds the bundle
# in /usr/lib/vst3 and the presets in /usr/share, lilv finds the LV2 plug-in, and
# apt-get remove leaves every path the package listed as it was before. For a
# throw-away machine only (CI), as root; the package must not be installed yet.
#   tests/package/system-install.sh DEB VERSION
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: system-install.sh DEB VERSION" >&2; exit 2; }
deb=$(realpath "$1") version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "system-install: $*" >&2
    failed=1
}
installed() { dpkg-query -W -f='${Status}' brumvale 2>/dev/null | grep -q 'install ok installed'; }
installed && { echo "system-install: brumvale is installed already; not touching it" >&2; exit 1; }

# What exists before, of every path the package holds.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\.||; s|/$||' | grep -v '^$' >"$work/paths"
while read -r path; do [ -e "$path" ] && echo "$path"; done <"$work/paths" >"$work/before"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }
installed || fail "dpkg does not list brumvale as installed"
cd "$work"
[ "$(/usr/bin/brumvale --version)" = "brumvale $version" ] || fail "/usr/bin/brumvale is not $version"
/usr/bin/brumvale info 2>&1 | grep -qxF "Bundle: /usr/lib/vst3/Brumvale.vst3" ||
    fail "brumvale info does not use /usr/lib/vst3/Brumvale.vst3"
presets=$(/usr/bin/brumvale presets 2>&1 | grep -c '^    /usr/share/vst3/presets/Kelmarotte/Brumvale/' || true)
[ "$presets" = 10 ] || fail "brumvale presets found $presets of the ten in /usr/share"
if command -v lv2info >/dev/null; then
    env -u LV2_PATH lv2info urn:kelmarotte:brumvale:stereo 2>&1 | grep -q '/usr/lib/lv2/Brumvale.lv2/' ||
        fail "lv2info does not find the plug-in in /usr/lib/lv2"
fi
dpkg -L brumvale | sort >"$work/listed"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq brumvale >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }
installed && fail "brumvale is still installed"
while read -r path; do [ -e "$path" ] && echo "$path"; done <"$work/paths" >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "after removal, these paths (+) are left behind"
[ -s "$work/listed" ] || fail "dpkg -L listed nothing"
[ $failed = 0 ] && echo "system-install: installed with apt-get, found where it belongs, removed without a trace"
exit $failed
