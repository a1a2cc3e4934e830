#!/usr/bin/env bash
# The same render through the Linux bundle and through the other builds (Windows
# libraries under Wine, the 64-bit ARM bundle under qemu-aarch64), compared sample
# for sample, bit for bit:
#   compare-renders.sh LINUX_TREE TREE...   (build/win32, build/win64, build/linux-arm64)
# Each tree must hold the built plug-in and tests/crossplatform/brumvale_renderprobe;
# a Windows tree's name is its Wine architecture. Linux trees also render a file
# through brumvale render, compared in the same way.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 2 ] || { echo "usage: compare-renders.sh LINUX_TREE TREE..." >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The file for brumvale render: two plucked notes decaying into silence, a stereo
# 32-bit float WAV at 44.1 kHz, rendered with HiFi and Warmth on, Boost automated.
render_tool() { # EMULATOR... TOOL OUT
    local out=${*: -1} tool=${*: -2:1}
    "${@:1:$#-2}" "$tool" render "$work/in.wav" "$out" --quiet --set AntiAlias=On --set Warmth=On \
        --automate Boost=0:0dB,0.2:36dB,0.4:12dB --tail 1
}

compare() { # NAME FILE REFERENCE
    if cmp -s "$3" "$2"; then
        echo "compare-renders.sh: $1 renders the same $(stat -c %s "$3") bytes as Linux"
    else
        echo "compare-renders.sh: $1 differs from Linux: $(cmp "$3" "$2" || true)"
        status=1
    fi
}

"$1/tests/crossplatform/brumvale_renderprobe" "$1/Brumvale.vst3" "$work/linux.raw"
python3 - "$work/in.wav" <<'PLUCKS'
import math, struct, sys
rate, frames = 44100, 66150
samples = bytearray()
for i in range(frames):
    decay = 10 ** (-3 * i / (0.25 * rate))
    for frequency in (110.0, 164.8):
        samples += struct.pack('<f', 0.5 * decay * math.sin(2 * math.pi * frequency * i / rate))
header = struct.pack('<4sI4s4sIHHIIHH4sI', b'RIFF', 36 + len(samples), b'WAVE', b'fmt ', 16, 3,
                     2, rate, rate * 8, 8, 32, b'data', len(samples))
open(sys.argv[1], 'wb').write(header + samples)
PLUCKS
render_tool "$1/brumvale" "$work/linux.wav"
# The samples of a WAV file (its PEAK chunk holds the time of writing).
samples() {
    python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
at = 12
while data[at:at + 4] != b"data":
    at += 8 + struct.unpack("<I", data[at + 4:at + 8])[0]
open(sys.argv[2], "wb").write(data[at + 8:])' "$1" "$2"
}
samples "$work/linux.wav" "$work/linux.samples"
shift
status=0
for tree in "$@"; do
    arch=$(basename "$tree")
    case $arch in
    linux-*)
        qemu-aarch64 -L / "$tree/tests/crossplatform/brumvale_renderprobe" \
            "$tree/Brumvale.vst3" "$work/$arch.raw"
        render_tool qemu-aarch64 -L / "$tree/brumvale" "$work/$arch.wav"
        samples "$work/$arch.wav" "$work/$arch.samples"
        compare "$arch through brumvale render" "$work/$arch.samples" "$work/linux.samples"
        ;;
    *)
        "$here/../win32/wine-run.sh" "$tree/wineprefix" "$arch" \
            "$tree/tests/crossplatform/brumvale_renderprobe.exe" "Z:$tree/Brumvale.vst3" \
            "Z:$work/$arch.raw"
        ;;
    esac
    compare "$arch" "$work/$arch.raw" "$work/linux.raw"
done
exit $status
