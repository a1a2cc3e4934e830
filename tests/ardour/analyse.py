#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the WAV files that render.lua exported from Ardour.

    analyse.py OUT_DIR FREQUENCY_HZ LEVEL_DB SECONDS

Reads OUT_DIR/NAME.wav for each render that render-test.sh asks for, and the
parameter values Ardour showed from OUT_DIR/NAME.params. Prints the level, the
strongest frequency and the share of the strongest component for every channel
of every render, then one PASS or FAIL line per check, and exits 0 only when
every check passes. Standard library only.
"""

import array
import cmath
import math
import os
import struct
import sys

RATE = 48000
FFT_SIZE = 16384           # 2.93 Hz bins at 48 kHz
ANALYSIS_START_S = 1.5     # past the parameter smoothing and the low cuts' settling
LOWEST_HZ = 20.0           # bins below this (DC, settling drift) are ignored
PEAK_HALF_WIDTH = 4        # bins either side of a peak that belong to it (Hann)


def read_wav(path):
    """Returns (rate, [channel samples as floats in -1..1]) for PCM or float WAV."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 12 or data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{path}: not a RIFF/WAVE file")
    fmt = None
    payload = None
    pos = 12
    while pos + 8 <= len(data):
        chunk_id = data[pos:pos + 4]
        size = struct.unpack_from("<I", data, pos + 4)[0]
        body = data[pos + 8:pos + 8 + size]
        if chunk_id == b"fmt ":
            fmt = body
        elif chunk_id == b"data":
            payload = body
        pos += 8 + size + (size & 1)
    if fmt is None or payload is None:
        raise ValueError(f"{path}: no fmt or data chunk")
    tag, channels, rate, _, block_align, bits = struct.unpack_from("<HHIIHH", fmt, 0)
    if tag == 0xFFFE and len(fmt) >= 26:   # WAVE_FORMAT_EXTENSIBLE: sub-format GUID
        tag = struct.unpack_from("<H", fmt, 24)[0]
    width = bits // 8
    if channels < 1 or block_align != channels * width:
        raise ValueError(f"{path}: unexpected block alignment")
    count = len(payload) // width
    payload = payload[:count * width]
    if tag == 3 and bits == 32:
        samples = array.array("f", payload)
        scale = 1.0
    elif tag == 1 and bits == 16:
        samples = array.array("h", payload)
        scale = 1.0 / 32768.0
    elif tag == 1 and bits == 24:
        widened = bytearray(4 * count)   # each sample shifted into the top of an int32
        widened[1::4] = payload[0::3]
        widened[2::4] = payload[1::3]
        widened[3::4] = payload[2::3]
        samples = array.array("i", bytes(widened))
        scale = 1.0 / 2147483648.0
    elif tag == 1 and bits == 32:
        samples = array.array("i", payload)
        scale = 1.0 / 2147483648.0
    else:
        raise ValueError(f"{path}: unsupported format tag {tag} with {bits} bits")
    if sys.byteorder != "little":
        samples.byteswap()
    frames = len(samples) // channels
    return rate, [[samples[i * channels + c] * scale for i in range(frames)]
                  for c in range(channels)]


def fft(values):
    """Iterative radix-2 FFT of a list of complex numbers (length a power of 2)."""
    n = len(values)
    a = list(values)
    j = 0
    for i in range(1, n):
        bit = n >> 1
        while j & bit:
            j ^= bit
            bit >>= 1
        j |= bit
        if i < j:
            a[i], a[j] = a[j], a[i]
    size = 2
    while size <= n:
        half = size // 2
        step = cmath.exp(-2j * math.pi / size)
        twiddles = [step ** k for k in range(half)]
        for start in range(0, n, size):
            for k in range(half):
                u = a[start + k]
                v = a[start + k + half] * twiddles[k]
                a[start + k] = u + v
                a[start + k + half] = u - v
        size *= 2
    return a


def db(value):
    return 20.0 * math.log10(value) if value > 0 else -math.inf


class ChannelFigures:
    """Level and spectrum of one channel, measured after ANALYSIS_START_S."""

    def __init__(self, samples, rate):
        start = int(ANALYSIS_START_S * rate)
        tail = samples[start:]
        if len(tail) < FFT_SIZE:
            raise ValueError("render too short to analyse")
        mean = sum(tail) / len(tail)
        self.dc = mean
        self.rms_db = db(math.sqrt(sum((x - mean) ** 2 for x in tail) / len(tail)))
        self.peak_abs = max(abs(x) for x in tail)
        window = [0.5 - 0.5 * math.cos(2 * math.pi * i / FFT_SIZE) for i in range(FFT_SIZE)]
        spectrum = fft([(tail[i] - mean) * window[i] for i in range(FFT_SIZE)])
        power = [abs(c) ** 2 for c in spectrum[:FFT_SIZE // 2]]
        self.bin_hz = rate / FFT_SIZE
        lowest = int(math.ceil(LOWEST_HZ / self.bin_hz))
        peak = max(range(lowest, len(power) - 1), key=lambda k: power[k])
        # Parabolic interpolation on the log magnitude around the strongest bin.
        l, c, r = (math.log(max(power[k], 1e-300)) for k in (peak - 1, peak, peak + 1))
        denom = l - 2 * c + r
        offset = 0.5 * (l - r) / denom if denom != 0 else 0.0
        self.peak_hz = (peak + offset) * self.bin_hz
        total = sum(power[lowest:])
        near = sum(power[max(lowest, peak - PEAK_HALF_WIDTH):peak + PEAK_HALF_WIDTH + 1])
        self.peak_share = near / total if total > 0 else 0.0
        self._power = power
        self._peak_power = power[peak]

    def level_at_db(self, hz):
        """Strongest power within two bins of hz, relative to the strongest component (dB)."""
        k = int(round(hz / self.bin_hz))
        local = max(self._power[max(0, k - 2):k + 3])
        return 10.0 * math.log10(max(local, 1e-300) / self._peak_power)


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, name, detail):
        print(f"{'PASS' if ok else 'FAIL'} {name}: {detail}")
        if ok:
            self.passed += 1
        else:
            self.failed += 1


def main(argv):
    if len(argv) != 5:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    out_dir, frequency, level_db, seconds = argv[1], float(argv[2]), float(argv[3]), float(argv[4])
    octave = 2.0 * frequency
    sine_rms_db = level_db - 10.0 * math.log10(2.0)

    checks = Checks()
    renders = {}
    names = ["dry", "fresh", "boost36", "boost36-vol18", "boost0", "antialias", "warmth",
             "bypass-param", "host-bypass"]
    params = {}
    for name in names:
        path = os.path.join(out_dir, name + ".params")
        if os.path.exists(path):
            with open(path) as f:
                params[name] = dict(line.strip().split("=", 1) for line in f if "=" in line)
            print(f"{name}: Ardour shows " + ", ".join(f"{k} {v}" for k, v in params[name].items()))
    print(f"{'render':15} ch {'RMS dBFS':>9} {'peak':>7} {'DC':>8} {'strongest Hz':>12}"
          f" {'share':>7} {'@f0 dB':>7} {'@2f0 dB':>7}")
    for name in names:
        path = os.path.join(out_dir, name + ".wav")
        if not os.path.exists(path):
            checks.check(False, f"{name}.wav exists", f"{path} is missing")
            continue
        try:
            rate, channels = read_wav(path)
        except ValueError as error:
            checks.check(False, f"{name}.wav readable", str(error))
            continue
        frames = len(channels[0])
        checks.check(rate == RATE and len(channels) == 2
                     and abs(frames - seconds * RATE) <= 1,
                     f"{name}.wav format",
                     f"{rate} Hz, {len(channels)} channels, {frames} frames")
        if rate != RATE or len(channels) != 2 or frames < ANALYSIS_START_S * RATE + FFT_SIZE:
            continue
        figures = [ChannelFigures(ch, rate) for ch in channels]
        renders[name] = (channels, figures)
        for c, f in enumerate(figures):
            print(f"{name:15} {'LR'[c]:>2} {f.rms_db:9.2f} {f.peak_abs:7.4f} {f.dc:8.5f}"
                  f" {f.peak_hz:12.2f} {f.peak_share:7.4f} {f.level_at_db(frequency):7.1f}"
                  f" {f.level_at_db(octave):7.1f}")

    def each(name):
        return renders[name][1] if name in renders else []

    def near(value, target, tolerance):
        return abs(value - target) <= tolerance

    def is_clean_sine_at_level(name, what):
        for c, f in enumerate(each(name)):
            checks.check(near(f.peak_hz, frequency, 0.005 * frequency),
                         f"{name} {'LR'[c]}: {what} at the generator frequency",
                         f"strongest {f.peak_hz:.2f} Hz, generator {frequency:.2f} Hz")
            checks.check(near(f.rms_db, sine_rms_db, 0.5),
                         f"{name} {'LR'[c]}: {what} at the generator level",
                         f"{f.rms_db:.2f} dBFS RMS, a {level_db:g} dBFS sine is "
                         f"{sine_rms_db:.2f}")
            checks.check(f.peak_share >= 0.999,
                         f"{name} {'LR'[c]}: {what} is an undistorted sine",
                         f"{100 * f.peak_share:.3f}% of the power in the strongest component")

    # The pipeline itself: the generator and Ardour's export, without the plug-in.
    # The generator is locked to the timeline, so the dry render holds exactly its
    # formula from the first sample on, whenever the export began.
    is_clean_sine_at_level("dry", "the generator alone")
    if "dry" in renders:
        amplitude = 10.0 ** (level_db / 20.0)
        for c in range(2):
            worst = max(abs(x - amplitude * math.sin(2.0 * math.pi * ((i * frequency) % RATE) / RATE))
                        for i, x in enumerate(renders["dry"][0][c]))
            checks.check(worst <= 1e-6, f"dry {'LR'[c]}: the timeline sine from the first sample",
                         f"largest difference {worst:.3g}")

    # Brumvale at +36 dB boost: loud, an octave up, heavily distorted.
    for c, f in enumerate(each("boost36")):
        lr = "LR"[c]
        checks.check(near(f.peak_hz, octave, 0.01 * octave),
                     f"boost36 {lr}: strongest component an octave up",
                     f"strongest {f.peak_hz:.2f} Hz, twice the generator is {octave:.2f} Hz"
                     f" (generator frequency at {f.level_at_db(frequency):.1f} dB)")
        checks.check(f.peak_share <= 0.99,
                     f"boost36 {lr}: distorted (harmonics hold at least 1% of the power)",
                     f"{100 * (1 - f.peak_share):.2f}% outside the strongest component")
        if "dry" in renders:
            dry = renders["dry"][1][c]
            checks.check(f.rms_db >= dry.rms_db + 10.0,
                         f"boost36 {lr}: at least 10 dB louder than the dry render",
                         f"{f.rms_db:.2f} vs {dry.rms_db:.2f} dBFS RMS"
                         f" ({f.rms_db - dry.rms_db:+.2f} dB)")
        if "boost0" in renders:
            quiet = renders["boost0"][1][c]
            checks.check(f.rms_db >= quiet.rms_db + 10.0,
                         f"boost36 {lr}: at least 10 dB louder than Boost 0 dB",
                         f"{f.rms_db:.2f} vs {quiet.rms_db:.2f} dBFS RMS"
                         f" ({f.rms_db - quiet.rms_db:+.2f} dB)")
        if "boost36-vol18" in renders:
            soft = renders["boost36-vol18"][1][c]
            checks.check(near(f.rms_db - soft.rms_db, 18.0, 0.1),
                         f"boost36-vol18 {lr}: Volume 0.5 is 18 dB quieter",
                         f"{f.rms_db:.2f} vs {soft.rms_db:.2f} dBFS RMS"
                         f" ({f.rms_db - soft.rms_db:.2f} dB)")
            checks.check(near(soft.peak_hz, octave, 0.01 * octave),
                         f"boost36-vol18 {lr}: still an octave up",
                         f"strongest {soft.peak_hz:.2f} Hz")
    if "boost36" in renders:
        left, right = renders["boost36"][1]
        checks.check(near(left.rms_db, right.rms_db, 0.1),
                     "boost36: both channels processed alike",
                     f"L {left.rms_db:.2f}, R {right.rms_db:.2f} dBFS RMS")

    # The switches change the sound, and the sound stays a loud octave-up fuzz.
    def difference_db(a, b):
        start = int(ANALYSIS_START_S * RATE)
        num = sum((x - y) ** 2 for x, y in zip(a[start:], b[start:]))
        den = sum(x ** 2 for x in a[start:])
        return 10.0 * math.log10(num / den) if num > 0 and den > 0 else -math.inf

    for name, switch in (("antialias", "AntiAlias"), ("warmth", "Warmth")):
        if name not in renders or "boost36" not in renders:
            continue
        for c in range(2):
            lr = "LR"[c]
            base = renders["boost36"]
            this = renders[name]
            d = difference_db(base[0][c], this[0][c])
            checks.check(d >= -40.0, f"{name} {lr}: {switch} on changes the output",
                         f"difference {d:.1f} dB relative to the boost36 render")
            f, b = this[1][c], base[1][c]
            if "dry" in renders:
                dry = renders["dry"][1][c]
                checks.check(f.rms_db >= dry.rms_db + 10.0,
                             f"{name} {lr}: still at least 10 dB louder than the dry render",
                             f"{f.rms_db:.2f} vs {dry.rms_db:.2f} dBFS RMS"
                             f" (boost36 {b.rms_db:.2f})")
            if name == "antialias":
                checks.check(near(f.peak_hz, octave, 0.01 * octave),
                             f"{name} {lr}: still an octave up",
                             f"strongest {f.peak_hz:.2f} Hz")

    # As Ardour inserts it, Brumvale runs at its initial values (Boost 0 dB, Volume
    # 0 dB, switches off) whatever Ardour's controls show: Boost reports +36 dB as
    # its default, and Ardour shows that until it is set.
    if "fresh" in renders and "boost0" in renders:
        for c in range(2):
            f, g = renders["fresh"][1][c], renders["boost0"][1][c]
            checks.check(near(f.rms_db, g.rms_db, 0.1) and near(f.peak_hz, g.peak_hz, 1.0),
                         f"fresh {'LR'[c]}: a new instance sounds like Boost 0 dB, Volume 0 dB",
                         f"{f.rms_db:.2f} vs {g.rms_db:.2f} dBFS RMS, strongest "
                         f"{f.peak_hz:.2f} vs {g.peak_hz:.2f} Hz (Ardour shows "
                         f"Boost {params.get('fresh', {}).get('Boost', '?')})")

    # Bypassed, by Brumvale's own parameter and by the host: the dry sine again.
    is_clean_sine_at_level("bypass-param", "Bypass parameter on: the input passes")
    is_clean_sine_at_level("host-bypass", "bypassed in Ardour: the input passes")
    start = int(ANALYSIS_START_S * RATE)
    for name in ("bypass-param", "host-bypass"):
        if name in renders and "dry" in renders:
            for c in range(2):
                worst = max(abs(x - y) for x, y in
                            zip(renders[name][0][c][start:], renders["dry"][0][c][start:]))
                checks.check(worst <= 1e-6, f"{name} {'LR'[c]}: the same samples as the dry render",
                             f"largest difference {worst:.3g} after {ANALYSIS_START_S} s")
    if "host-bypass" in params:
        print("host-bypass: Ardour's mixer-strip bypass set Brumvale's Bypass parameter to "
              + params["host-bypass"].get("Bypass", "?"))

    print(f"analyse.py: {checks.passed} checks passed, {checks.failed} failed")
    return 0 if checks.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
