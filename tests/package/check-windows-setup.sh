#!/usr/bin/env bash
# The Windows setup program, built from the two Windows trees and the factory
# presets, installed and removed silently under Wine as an administrator would:
#   check-windows-setup.sh WIN32_TREE WIN64_TREE PRESET_FOLDER
# It must build to the same bytes twice. In a fresh 64-bit prefix it replaces an
# older version, writes both libraries, the presets and one uninstall entry, and the
# installed 64-bit library passes the plug-in tests' load, factory and render cases;
# the uninstaller then leaves Program Files, ProgramData and the registry as they
# were, but for a preset the user saved. A fresh 32-bit prefix (under qemu-i386 where
# the kernel needs it) does the same with the 32-bit library alone. The setup program
# is a 32-bit one: where no 32-bit program runs, the caller must not call this.
# Under qemu-i386 a Wine process now and then hangs, and with it the prefix's server
# (an emulator fault, which no real processor has): a prefix's case that ends so is
# run again on a fresh prefix, three times at most, saying so.
# SPDX-License-Identifier: GPL-3.0-or-later
set -Eeuo pipefail
[ $# -eq 3 ] || { echo "usage: check-windows-setup.sh WIN32_TREE WIN64_TREE PRESET_FOLDER" >&2; exit 2; }
win32=$(realpath "$1") win64=$(realpath "$2") presets=$(realpath "$3")
cd "$(dirname "$0")/../.."
wine_run=$PWD/tests/win32/wine-run.sh
build_setup=$PWD/windows-setup/build-setup.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win64/CMakeCache.txt")
work=$(mktemp -d)
cleanup() {
    for prefix in "$work"/prefix-*; do
        [ -d "$prefix" ] && "$wine_run" --stop "$prefix" "${prefix##*-}" || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "check-windows-setup: line $LINENO failed (status $?)" >&2' ERR
failed=0
fail() { echo "check-windows-setup: $*" >&2; failed=1; }

echo "--- building the setup program twice, from copies made at different times"
cp -r "$presets" "$work/presets-copy"
touch -d '2001-01-01' "$work/presets-copy"/*
"$build_setup" "$version" "$win32/Brumvale.vst3" "$win64/Brumvale.vst3" "$presets" "$work/Brumvale-setup.exe"
"$build_setup" "$version" "$win32/Brumvale.vst3" "$win64/Brumvale.vst3" "$work/presets-copy" \
    "$work/Brumvale-setup-again.exe"
cmp "$work/Brumvale-setup.exe" "$work/Brumvale-setup-again.exe" || fail "two builds of the same tree differ"
echo "setup program: $(stat -c %s "$work/Brumvale-setup.exe") bytes"
# Its version information, which Windows shows in the file's properties (UTF-16).
strings -el "$work/Brumvale-setup.exe" | grep -qx "$version" ||
    fail "the setup program's version information does not give $version"
# An older version to replace: stand-ins for its libraries.
echo "an older Brumvale" >"$work/old.vst3"
"$build_setup" 0.9.0.0 "$work/old.vst3" "$work/old.vst3" "$presets" "$work/Brumvale-old-setup.exe"

# What the setup program may touch, as text: the program and data folders' files with
# their checksums, then the machine's and the user's registry without the times Wine
# keeps (of keys, and of the display driver's date, which it writes at every start)
# and without what Wine writes whenever it gets round to it: the devices, drivers
# and services its plug and play manager registers, and the machine's cryptographic
# identity (MachineGuid), which the first program to ask for a cryptographic
# provider creates. Under qemu-i386 either may happen only while the setup program
# runs: a Wine helper that crashes at boot leaves the identity to a later program.
# The prefix's server must be stopped, so that Wine has written the registry.
files() {
    local folders=("Program Files" ProgramData)
    [ ! -d "$1/drive_c/Program Files (x86)" ] || folders+=("Program Files (x86)")
    (cd "$1/drive_c" && find "${folders[@]}" -type f -exec md5sum {} + &&
        find "${folders[@]}" -type d) | LC_ALL=C sort
}
registry() {
    sed -e '/^#time=/d' -e '/^"DriverDateData"=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' \
        "$1/system.reg" "$1/user.reg" |
        awk '/^\[/ { wine = /^\[System\\\\CurrentControlSet\\\\(Control\\\\(Class|DeviceClasses)|Enum|Services)\\\\/ ||
                            /^\[Software\\\\Microsoft\\\\Cryptography\]/ }
             !wine'
}

# The values of the uninstall entry, one per line ("name"=value), from system.reg.
uninstall_entry() {
    KEY='[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brumvale]' \
        awk 'index($0, ENVIRON["KEY"]) == 1 { on = 1; next } on && /^$/ { exit } on' "$1/system.reg"
}

# How many uninstall entries of the prefix are named Brumvale.
entries() { grep -c '^"DisplayName"="Brumvale"' "$1/system.reg" || true; }

# Waits for the prefix's server to end by itself, as it does 10 s after its last
# program, having written the registry. A server that runs on after 600 s (the bound
# of a hung Wine, not a measure of speed) ends the case with status 124.
settle() {
    local status=0
    WINEPREFIX=$1 timeout 600 wineserver -w || status=$?
    [ "$status" -eq 0 ] || { echo "check-windows-setup: $2 (status $status)" >&2; exit 124; }
}

# One prefix's case: ARCH TREE CMD OLDER LIBRARY BUILT [LIBRARY BUILT]: its 32-bit
# cmd.exe; with-older to replace an older version first, and then to repair a
# damaged installation; the libraries it must hold (paths in drive_c) with the
# files they must equal.
check_prefix() {
    local arch=$1 tree=$2 neutral=$3 old=$4
    shift 4
    local library=$1 built=$2
    local prefix="$work/prefix-$arch" drive="$work/prefix-$arch/drive_c"
    local preset_folder="$drive/ProgramData/VST3 Presets/Kelmarotte/Brumvale"
    echo "--- a fresh $arch prefix"
    "$wine_run" --start "$prefix" "$arch" >/dev/null
    "$wine_run" --stop "$prefix" "$arch"
    # Wine adds its own keys when it first runs a 32-bit program after the boot: the
    # prefix as it was before the setup is the prefix after one.
    "$wine_run" "$prefix" "$arch" "$neutral" /c exit
    settle "$prefix" "$arch: Wine did not end after its first program"
    files "$prefix" >"$work/files-before-$arch"
    registry "$prefix" >"$work/registry-before-$arch"

    if [ "$old" = with-older ]; then
        "$wine_run" "$prefix" "$arch" "$work/Brumvale-old-setup.exe" /S || fail "$arch: the older setup failed"
    fi
    "$wine_run" "$prefix" "$arch" "$work/Brumvale-setup.exe" /S || fail "$arch: setup /S failed"
    "$wine_run" --stop "$prefix" "$arch"

    while [ $# -gt 0 ]; do
        cmp "$drive/$1" "$2" || fail "$arch: $1 is not $2"
        shift 2
    done
    local count
    count=$(cd "$preset_folder" && find . -name '*.vstpreset' | wc -l)
    [ "$count" -eq 10 ] || fail "$arch: $count presets installed, not 10"
    for file in "$presets"/*.vstpreset; do
        cmp -s "$file" "$preset_folder/$(basename "$file")" || fail "$arch: preset $(basename "$file")"
    done
    for file in uninstall.exe LICENSE.txt README.txt; do
        [ -s "$drive/Program Files/Kelmarotte/Brumvale/$file" ] || fail "$arch: no $file beside the uninstaller"
    done
    local entry
    entry=$(uninstall_entry "$prefix")
    grep -qx "\"DisplayVersion\"=\"$version\"" <<<"$entry" ||
        fail "$arch: the uninstall entry does not give version $version: $entry"
    for value in DisplayName Publisher EstimatedSize UninstallString QuietUninstallString; do
        grep -q "^\"$value\"=" <<<"$entry" || fail "$arch: the uninstall entry has no $value"
    done
    count=$(entries "$prefix")
    [ "$count" -eq 1 ] || fail "$arch: $count uninstall entries named Brumvale"

    if [ "$old" = with-older ]; then
        echo "--- the same version again repairs a damaged installation"
        rm "$drive/$library"
        "$wine_run" "$prefix" "$arch" "$work/Brumvale-setup.exe" /S || fail "$arch: the repair failed"
        "$wine_run" --stop "$prefix" "$arch"
        cmp "$drive/$library" "$built" ||
            fail "$arch: the repair did not bring back $library: $(ls -la "$(dirname "$drive/$library")" 2>&1)"
        count=$(entries "$prefix")
        [ "$count" -eq 1 ] || fail "$arch: $count uninstall entries after the repair"
    fi

    echo "--- the installed library in the plug-in tests"
    BRUMVALE_BUNDLE='C:\Program Files\Common Files\VST3\Brumvale.vst3' \
        GTEST_FILTER='FactoryTest.*:AudioTest.*:ModuleReloadTest.*' \
        "$wine_run" "$prefix" "$arch" "$tree/tests/plugin/brumvale_plugin_tests.exe" ||
        fail "$arch: the installed library failed the plug-in tests"

    echo "--- a preset of the user's, then the quiet uninstall command"
    printf 'a preset the user saved\n' >"$preset_folder/Mine.vstpreset"
    local quiet program
    quiet=$(sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' <<<"$entry" | sed 's/\\"/"/g; s/\\\\/\\/g')
    program=$(sed -n 's/^"\([^"]*\)" \/S$/\1/p' <<<"$quiet")
    [ -n "$program" ] || fail "$arch: the quiet uninstall command is '$quiet', not \"PROGRAM\" /S"
    # The uninstaller copies itself away and runs from there: the server ends when it
    # has, and writes the registry.
    "$wine_run" "$prefix" "$arch" "$program" /S || fail "$arch: the uninstaller failed"
    settle "$prefix" "$arch: the uninstaller did not end"
    "$wine_run" --stop "$prefix" "$arch"
    [ -s "$preset_folder/Mine.vstpreset" ] || fail "$arch: the user's preset was removed"
    rm -f "$preset_folder/Mine.vstpreset"
    rmdir "$preset_folder" "$drive/ProgramData/VST3 Presets/Kelmarotte" \
        "$drive/ProgramData/VST3 Presets" 2>/dev/null ||
        fail "$arch: the uninstaller left more than the user's preset in ProgramData"
    files "$prefix" >"$work/files-after-$arch"
    diff "$work/files-before-$arch" "$work/files-after-$arch" ||
        fail "$arch: after the uninstaller, the files differ from before the setup (above)"
    # Only what the registry gained counts: Wine's own services also drop keys of
    # theirs (NetworkCards) and write them again, whenever they run. Like every
    # uninstaller that removes itself, this one ran from a copy in the user's
    # temporary folder, which Windows deletes at the next start.
    registry "$prefix" >"$work/registry-after-$arch"
    local gained
    gained=$(diff "$work/registry-before-$arch" "$work/registry-after-$arch" | grep '^>' |
        grep -v -e '^> *$' -e '^> "PendingFileRenameOperations"=str(7):"\(\\\\??\\\\C:\\\\users\\\\[^\\]*\\\\Temp\\\\~nsu[^\\]*\.tmp\(\\\\[^\\]*\.exe\)\?\\0\\0\)*"$' || true)
    [ -z "$gained" ] || fail "$arch: after the uninstaller, the registry holds what it did not before the setup:
$gained"
}

# A prefix's case in a shell of its own, ending with 1 when a check failed; the ones
# that end with a hung Wine under qemu-i386 are run again.
run_case() {
    local arch=$1 try=1 status
    while :; do
        # In the background, so that a failing command still ends the case.
        (
            check_prefix "$@"
            exit "$failed"
        ) &
        status=0
        wait $! || status=$?
        [ "$status" -eq 124 ] && [ -n "$emulated" ] && [ "$try" -lt 3 ] || break
        echo "check-windows-setup: $arch: Wine hung under qemu-i386 (try $try of 3); a fresh prefix"
        "$wine_run" --stop "$work/prefix-$arch" "$arch"
        rm -rf "$work/prefix-$arch"
        try=$((try + 1))
    done
    [ "$status" -eq 0 ] || failed=1
}
emulated=""
! tests/win32/i386-emulation.sh emulated || emulated=1

run_case win64 "$win64" 'C:\windows\syswow64\cmd.exe' with-older \
    "Program Files/Common Files/VST3/Brumvale.vst3" "$win64/Brumvale.vst3" \
    "Program Files (x86)/Common Files/VST3/Brumvale.vst3" "$win32/Brumvale.vst3"
run_case win32 "$win32" 'C:\windows\system32\cmd.exe' alone \
    "Program Files/Common Files/VST3/Brumvale.vst3" "$win32/Brumvale.vst3"
[ ! -e "$work/prefix-win32/drive_c/Program Files (x86)/Common Files/VST3" ] ||
    fail "win32: a 64-bit folder was written on 32-bit Windows"

[ "$failed" -eq 0 ] || exit 1
echo "check-windows-setup: the setup program installs, replaces and uninstalls as it should"
