#!/bin/sh
# What the release archives that scripts/package wrote into DIST carry (Linux
# x86-64 and aarch64, Windows): the libraries, the licence, the install text and
# the factory presets in the layout the install text names, byte for byte the
# build's; and that the Windows setup program is there.
#   tests/package/check-archives.sh DIST
# SPDX-License-Identifier: GPL-3.0-or-later
set -eu
[ $# -eq 1 ] || { echo "usage: check-archives.sh DIST" >&2; exit 2; }
dist=$(realpath "$1")
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^project(Brumvale VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
failed=0
fail() { echo "check-archives: $*" >&2; failed=1; }

mkdir "$work/windows"
python3 -m zipfile -e "$dist/Brumvale-$version-windows.zip" "$work/windows"
windows="$work/windows/Brumvale-$version-windows"
for file in "$windows/32-bit/Brumvale.vst3" "$windows/64-bit/Brumvale.vst3" "$windows/LICENSE" \
    "$windows/INSTALL.txt"; do
    [ -s "$file" ] || fail "missing: ${file#"$work"/}"
done
cmp -s LICENSE "$windows/LICENSE" || fail "the Windows archive's LICENSE is not the licence"

# A Linux archive: PROCESSOR DEBIAN_ARCHITECTURE TREE.
check_linux() {
    local linux="$work/$1/Brumvale-$version-linux-$1"
    mkdir "$work/$1"
    tar -C "$work/$1" -xzf "$dist/Brumvale-$version-linux-$1.tar.gz"
    for file in "$linux/Brumvale.vst3/Contents/$1-linux/Brumvale.so" \
        "$linux/Brumvale.lv2/brumvale.so" "$linux/Brumvale.lv2/manifest.ttl" "$linux/LICENSE" \
        "$linux/INSTALL.txt"; do
        [ -s "$file" ] || fail "missing: ${file#"$work"/}"
    done
    cmp -s LICENSE "$linux/LICENSE" || fail "the $1 archive's LICENSE is not the licence"
    for preset in "$3"/presets/*.vstpreset; do
        cmp -s "$preset" "$linux/presets/Kelmarotte/Brumvale/$(basename "$preset")" ||
            fail "the $1 archive lacks presets/Kelmarotte/Brumvale/$(basename "$preset")"
    done
    diff -r "$3/Brumvale.lv2" "$linux/Brumvale.lv2" >/dev/null ||
        fail "the $1 archive's Brumvale.lv2 is not the build's"
    grep -q '~/.vst3/presets/Kelmarotte/Brumvale' "$linux/INSTALL.txt" ||
        fail "the $1 install text does not name the user's preset folder"
    grep -q '/usr/share/vst3/presets' "$linux/INSTALL.txt" ||
        fail "the $1 install text does not name the system's preset folder"
    grep -q '~/.lv2' "$linux/INSTALL.txt" && grep -q '/usr/lib/lv2' "$linux/INSTALL.txt" ||
        fail "the $1 install text does not name the LV2 folders"
    grep -q "This archive is for $1 processors" "$linux/INSTALL.txt" &&
        grep -q "apt install ./brumvale_${version}_$2.deb" "$linux/INSTALL.txt" ||
        fail "the $1 install text does not say which machines and package it is for"
    grep -q '@' "$linux/INSTALL.txt" && fail "the $1 install text has a blank left: $(grep '@' "$linux/INSTALL.txt")"
    head -n 1 "$linux/INSTALL.txt" | grep -q "^Brumvale $version for " ||
        fail "the $1 install text does not open with the version"
}
check_linux x86_64 amd64 build/linux
check_linux aarch64 arm64 build/linux-arm64
readelf -h "$work/aarch64/Brumvale-$version-linux-aarch64/Brumvale.vst3/Contents/aarch64-linux/Brumvale.so" |
    grep -q 'Machine: *AArch64' || fail "the aarch64 archive's library is not for 64-bit ARM"

count=0
for preset in build/linux/presets/*.vstpreset; do
    count=$((count + 1))
    cmp -s "$preset" "$windows/VST3 Presets/Kelmarotte/Brumvale/$(basename "$preset")" ||
        fail "the Windows archive lacks VST3 Presets/Kelmarotte/Brumvale/$(basename "$preset")"
done
[ "$count" -eq 10 ] || fail "the build holds $count factory presets, not 10"
grep -q 'USERPROFILE%\\Documents\\VST3 Presets' "$windows/INSTALL.txt" ||
    fail "the Windows install text does not name the user's preset folder"
grep -q 'PROGRAMDATA%\\VST3 Presets' "$windows/INSTALL.txt" ||
    fail "the Windows install text does not name the all-users preset folder"
head -n 1 "$windows/INSTALL.txt" | grep -q "^Brumvale $version for " ||
    fail "the Windows install text does not open with the version"
# The setup program itself is tried under Wine by the setup stage.
grep -q "Brumvale-$version-windows-setup.exe /S" "$windows/INSTALL.txt" ||
    fail "the Windows install text does not give the setup program's silent command"
[ -s "$dist/Brumvale-$version-windows-setup.exe" ] || fail "no Brumvale-$version-windows-setup.exe"
[ "$failed" -eq 0 ] && echo "check-archives: the three archives carry the libraries (the Linux ones their LV2 bundle too), LICENSE, INSTALL.txt and $count presets"
exit "$failed"
