#!/bin/sh
# Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
# What the release archives that scripts/package wrote into DIST carry: the
# libraries, the licence, the install text and the factory presets in the layout
# the install text names, byte for byte the build's.
#   tests/package/check-archives.sh DIST
set -eu
[ $# -eq 1 ] || { echo "usage: check-archives.sh DIST" >&2; exit 2; }
dist=$(realpath "$1")
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^project(Brumvale VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
failed=0
fail() { echo "check-archives: $*" >&2; failed=1; }

mkdir "$work/linux" "$work/windows"
tar -C "$work/linux" -xzf "$dist/Brumvale-$version-linux-x86_64.tar.gz"
python3 -m zipfile -e "$dist/Brumvale-$version-windows.zip" "$work/windows"
linux="$work/linux/Brumvale-$version-linux-x86_64"
windows="$work/windows/Brumvale-$version-windows"

for file in "$linux/Brumvale.vst3/Contents/x86_64-linux/Brumvale.so" \
    "$linux/Brumvale.lv2/brumvale.so" "$linux/Brumvale.lv2/manifest.ttl" "$linux/LICENSE" \
    "$linux/INSTALL.txt" "$windows/32-bit/Brumvale.vst3" "$windows/64-bit/Brumvale.vst3" \
    "$windows/LICENSE" "$windows/INSTALL.txt"; do
    [ -s "$file" ] || fail "missing: ${file#"$work"/}"
done
cmp -s LICENSE "$linux/LICENSE" || fail "the Linux archive's LICENSE is not the licence"
cmp -s LICENSE "$windows/LICENSE" || fail "the Windows archive's LICENSE is not the licence"
count=0
for preset in build/linux/presets/*.vstpreset; do
    count=$((count + 1))
    name=$(basename "$preset")
    cmp -s "$preset" "$linux/presets/Kelmarotte/Brumvale/$name" ||
        fail "the Linux archive lacks presets/Kelmarotte/Brumvale/$name"
    cmp -s "$preset" "$windows/VST3 Presets/Kelmarotte/Brumvale/$name" ||
        fail "the Windows archive lacks VST3 Presets/Kelmarotte/Brumvale/$name"
done
[ "$count" -eq 10 ] || fail "the build holds $count factory presets, not 10"
grep -q '~/.vst3/presets/Kelmarotte/Brumvale' "$linux/INSTALL.txt" ||
    fail "the Linux install text does not name the user's preset folder"
grep -q '/usr/share/vst3/presets' "$linux/INSTALL.txt" ||
    fail "the Linux install text does not name the system's preset folder"
diff -r build/linux/Brumvale.lv2 "$linux/Brumvale.lv2" >/dev/null ||
    fail "the Linux archive's Brumvale.lv2 is not the build's"
grep -q '~/.lv2' "$linux/INSTALL.txt" && grep -q '/usr/lib/lv2' "$linux/INSTALL.txt" ||
    fail "the Linux install text does not name the LV2 folders"
grep -q 'USERPROFILE%\\Documents\\VST3 Presets' "$windows/INSTALL.txt" ||
    fail "the Windows install text does not name the user's preset folder"
grep -q 'PROGRAMDATA%\\VST3 Presets' "$windows/INSTALL.txt" ||
    fail "the Windows install text does not name the all-users preset folder"
for text in "$linux/INSTALL.txt" "$windows/INSTALL.txt"; do
    head -n 1 "$text" | grep -q "^Brumvale $version for " || fail "${text#"$work"/} does not open with the version"
done
[ "$failed" -eq 0 ] && echo "check-archives: both archives carry the libraries (the Linux one its LV2 bundle too), LICENSE, INSTALL.txt and $count presets"
exit "$failed"
