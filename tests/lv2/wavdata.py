#!/usr/bin/env python3
# 32-bit float WAV files for the LV2 shell tests:
#   wavdata.py write FILE RATE CHANNELS SECONDS   a decaying, retriggered chord
#   wavdata.py same A B                           exit 0 when the samples are equal
#                                                 bit for bit (headers may differ)
#   wavdata.py near A B DB                        exit 0 when no sample differs by more
#                                                 than DB (negative) below A's peak
# SPDX-License-Identifier: GPL-3.0-or-later
import array
import math
import struct
import sys


def samples_of(path):
    data = open(path, 'rb').read()
    at = 12
    while at + 8 <= len(data):
        chunk, size = data[at:at + 4], struct.unpack('<I', data[at + 4:at + 8])[0]
        if chunk == b'data':
            return data[at + 8:at + 8 + size]
        at += 8 + size + (size & 1)
    sys.exit(f'{path}: no data chunk')


def write(path, rate, channels, seconds):
    frames = int(rate * seconds)
    out = bytearray()
    for i in range(frames):
        t = (i % (rate // 4)) / rate  # a new pluck four times a second
        for c in range(channels):
            f = 110.0 * (c + 1)
            out += struct.pack('<f', 0.8 * math.exp(-6 * t) * math.sin(2 * math.pi * f * i / rate))
    header = struct.pack('<4sI4s4sIHHIIHH4sI', b'RIFF', 36 + len(out), b'WAVE', b'fmt ', 16, 3,
                         channels, rate, rate * 4 * channels, 4 * channels, 32, b'data', len(out))
    open(path, 'wb').write(header + out)


if sys.argv[1] == 'write':
    write(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), float(sys.argv[5]))
elif sys.argv[1] == 'near':
    a, b = (array.array('f', samples_of(path)) for path in sys.argv[2:4])
    if len(a) != len(b):
        sys.exit(f'{sys.argv[2]} and {sys.argv[3]} differ in length ({len(a)} and {len(b)})')
    peak = max(map(abs, a), default=0.0)
    largest = max((abs(x - y) for x, y in zip(a, b)), default=0.0)
    below = 20 * math.log10(largest / peak) if largest > 0 else -math.inf
    print(f'largest difference {largest:.3g}, {below:.1f} dB below the peak {peak:.3g}')
    if peak == 0 or below > float(sys.argv[4]):
        sys.exit(1)
else:
    a, b = samples_of(sys.argv[2]), samples_of(sys.argv[3])
    if a != b:
        first = next((i for i in range(0, min(len(a), len(b)), 4) if a[i:i + 4] != b[i:i + 4]),
                     min(len(a), len(b)))
        sys.exit(f'{sys.argv[2]} and {sys.argv[3]} differ from sample {first // 4} on '
                 f'({len(a) // 4} and {len(b) // 4} samples)')
