#!/usr/bin/env python3
"""Writes the four sounds of Korvel as 16-bit PCM mono WAV files.

korvel.wav  start-up chime: a rising major arpeggio of soft bell tones (about 1 s)
whoosh.wav  catalogue group change: band-pass filtered noise swept up and back (0.35 s)
ding.wav    warning: one clear bell strike (0.4 s)
laser.wav   fault in an active-circuit window: a short descending glide (0.3 s)

Everything is synthesised from sines and a seeded noise generator, so running the script
again gives byte-identical files. Every sound starts and ends at silence through short
raised-cosine ramps, which is what keeps the player from clicking.

Usage: python3 make_sounds.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.70  # about -3 dBFS: loud enough to notice, with headroom for the mixer


def ramp(n, i):
    """Raised-cosine weight 0..1 over n samples."""
    if n <= 0:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * min(i, n) / n)


def fade(samples, fade_in_s, fade_out_s):
    n = len(samples)
    a = int(fade_in_s * RATE)
    b = int(fade_out_s * RATE)
    out = list(samples)
    for i in range(n):
        w = 1.0
        if i < a:
            w *= ramp(a, i)
        if i >= n - b:
            w *= ramp(b, n - 1 - i)
        out[i] *= w
    return out


def normalise(samples, peak=PEAK):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def bell(freq, dur, t0, total, partials=((1.0, 1.0, 1.0), (2.0, 0.35, 1.6), (3.01, 0.12, 2.4),
                                         (4.2, 0.05, 3.5)), decay=3.0, attack=0.004):
    """A struck-bar tone: partials of (ratio, level, extra decay), each fading exponentially."""
    out = [0.0] * total
    start = int(t0 * RATE)
    n = min(int(dur * RATE), total - start)
    a = int(attack * RATE)
    for i in range(n):
        t = i / RATE
        v = 0.0
        for ratio, level, k in partials:
            v += level * math.exp(-decay * k * t) * math.sin(2 * math.pi * freq * ratio * t)
        out[start + i] = v * ramp(a, i)
    return out


def mix(*tracks):
    n = max(len(t) for t in tracks)
    return [sum(t[i] for t in tracks if i < len(t)) for i in range(n)]


class Noise:
    """Small linear congruential generator: the same noise on every Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def korvel_chime():
    dur = 1.05
    total = int(dur * RATE)
    notes = (523.25, 659.26, 783.99, 1046.50)  # C5 E5 G5 C6
    tracks = []
    for k, f in enumerate(notes):
        t0 = 0.0 + 0.11 * k
        level = (0.9, 0.8, 0.75, 0.85)[k]
        tone = bell(f, dur - t0, t0, total, decay=2.6 - 0.3 * k)
        tracks.append([level * s for s in tone])
    # A quiet fifth below under the last note gives the chord some body.
    low = bell(261.63, dur - 0.33, 0.33, total, partials=((1.0, 1.0, 1.0), (2.0, 0.2, 1.5)),
               decay=2.2)
    tracks.append([0.35 * s for s in low])
    return fade(normalise(mix(*tracks)), 0.004, 0.12)


def whoosh():
    dur = 0.35
    n = int(dur * RATE)
    rng = Noise(20240611)
    low, band = 0.0, 0.0
    low2, band2 = 0.0, 0.0
    q = 0.55  # damping of the state-variable filters: a broad, airy band
    out = []
    for i in range(n):
        x = i / (n - 1)
        # Centre frequency rises from 300 Hz to 1.8 kHz and settles back a little.
        fc = 300.0 * (6.0 ** math.sin(0.5 * math.pi * min(1.0, x / 0.7)))
        if x > 0.7:
            fc *= 1.0 - 0.35 * (x - 0.7) / 0.3
        f = 2.0 * math.sin(math.pi * fc / RATE)
        # Two band-pass stages in series: the second one takes the hiss off the top,
        # so the sweep sounds like air rather than static.
        high = rng.next() - low - q * band
        band += f * high
        low += f * band
        high2 = band - low2 - q * band2
        band2 += f * high2
        low2 += f * band2
        env = math.sin(math.pi * x) ** 1.6
        out.append(band2 * env)
    return fade(normalise(out, 0.55), 0.01, 0.04)


def ding():
    dur = 0.40
    total = int(dur * RATE)
    # Inharmonic partials of a small bell: bright at the strike, settling to the fundamental.
    tone = bell(1318.5, dur, 0.0, total,
                partials=((1.0, 1.0, 1.0), (2.76, 0.30, 2.2), (5.40, 0.06, 3.8), (0.5, 0.12, 0.8)),
                decay=5.5, attack=0.003)
    return fade(normalise(tone), 0.003, 0.06)


def laser():
    dur = 0.30
    n = int(dur * RATE)
    f0, f1 = 1900.0, 260.0
    phase = 0.0
    out = []
    for i in range(n):
        x = i / n
        f = f0 * (f1 / f0) ** (x ** 0.8)  # exponential glide, fast at first
        phase += 2 * math.pi * f / RATE
        # A touch of second and third harmonic makes it buzz without turning harsh.
        v = math.sin(phase) + 0.25 * math.sin(2 * phase) + 0.08 * math.sin(3 * phase)
        env = math.exp(-2.2 * x)
        out.append(v * env)
    return fade(normalise(out, 0.6), 0.004, 0.07)


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                      for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    os.makedirs(out, exist_ok=True)
    for name, fn in (("korvel.wav", korvel_chime), ("whoosh.wav", whoosh),
                     ("ding.wav", ding), ("laser.wav", laser)):
        write_wav(os.path.join(out, name), fn())
        print("wrote", name)


if __name__ == "__main__":
    main()
