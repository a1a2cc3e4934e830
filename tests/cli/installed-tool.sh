#!/usr/bin/env bash
# Brumvale as installed under a prefix: the installed brumvale, run from another
# folder, names its version, finds the installed Brumvale.vst3 and the factory
# presets under the prefix, and renders; its manual page is there too.
#   installed-tool.sh BUILD_DIR VERSION          cmake --install into a prefix of its own
#   installed-tool.sh --prefix PREFIX VERSION [EMULATOR...]
#                                                what is already there (an unpacked
#                                                package), run through EMULATOR when
#                                                it is for another processor
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "installed-tool.sh: $*"
    failed=1
}

emulator=()
if [ "$1" = --prefix ]; then
    prefix=$(realpath "$2") version=$3
    emulator=("${@:4}")
else
    prefix=$work/prefix version=$2
    cmake --install "$1" --prefix "$prefix" >"$work/install.log" ||
        { cat "$work/install.log"; exit 1; }
fi
tool=$prefix/bin/brumvale
[ -x "$tool" ] || { echo "installed-tool.sh: no $tool"; exit 1; }
mkdir "$work/elsewhere"
cd "$work/elsewhere"

brumvale() { "${emulator[@]}" "$tool" "$@"; }
[ "$(brumvale --version)" = "brumvale $version" ] || fail "--version says '$(brumvale --version)'"
compgen -G "$prefix/share/man/man1/brumvale.1*" >/dev/null || fail "no manual page in $prefix/share/man/man1"
brumvale info >info.txt 2>&1 || fail "info failed: $(cat info.txt)"
grep -qxF "Bundle: $prefix/lib/vst3/Brumvale.vst3" info.txt ||
    fail "info did not use the installed bundle: $(head -1 info.txt)"
brumvale presets >presets.txt 2>&1 || fail "presets failed: $(cat presets.txt)"
files=$(grep -c "^    $prefix/share/vst3/presets/Kelmarotte/Brumvale/.*\.vstpreset$" presets.txt || true)
[ "$files" = 10 ] || fail "presets found $files of the ten under the prefix: $(cat presets.txt)"
brumvale demo riff >demo.txt 2>&1 || fail "demo failed: $(cat demo.txt)"
brumvale render riff/input.wav out.wav --preset "Classic Octave Fuzz" >render.txt 2>&1 &&
    [ -s out.wav ] || fail "render failed: $(cat render.txt)"

[ $failed = 0 ] && echo "installed-tool.sh: the installed brumvale $version finds its bundle and presets"
exit $failed
