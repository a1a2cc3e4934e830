#!/usr/bin/env bash
# Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
# The same render through the Linux bundle and through Windows libraries (under
# Wine), compared sample for sample, bit for bit:
#   compare-renders.sh LINUX_TREE WINDOWS_TREE...   (build/win32, build/win64)
# Each tree must hold the built plug-in and tests/crossplatform/brumvale_renderprobe;
# a Windows tree's name is its Wine architecture.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 2 ] || { echo "usage: compare-renders.sh LINUX_TREE WINDOWS_TREE..." >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$1/tests/crossplatform/brumvale_renderprobe" "$1/Brumvale.vst3" "$work/linux.raw"
shift
status=0
for tree in "$@"; do
    arch=$(basename "$tree")
    "$here/../win32/wine-run.sh" "$tree/wineprefix" "$arch" \
        "$tree/tests/crossplatform/brumvale_renderprobe.exe" "Z:$tree/Brumvale.vst3" \
        "Z:$work/$arch.raw"
    if cmp -s "$work/linux.raw" "$work/$arch.raw"; then
        echo "compare-renders.sh: $arch renders the same $(stat -c %s "$work/linux.raw") bytes as Linux"
    else
        echo "compare-renders.sh: $arch differs from Linux: $(cmp "$work/linux.raw" "$work/$arch.raw" || true)"
        status=1
    fi
done
exit $status
