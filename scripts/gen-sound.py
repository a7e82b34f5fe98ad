#!/usr/bin/env python3
"""Writes resources/sounds/Click.wav (sound 212): a short, soft click.

A 25 ms burst of a decaying 2 kHz tone with a little noise, 16-bit mono at
22,050 Hz, computed here so that the sound is our own.
"""
import math
import os
import random
import struct
import sys

RATE = 22050
LENGTH = int(RATE * 0.025)


def samples():
    noise = random.Random(212)
    for n in range(LENGTH):
        t = n / RATE
        envelope = math.exp(-t * 260.0)
        value = 0.55 * math.sin(2 * math.pi * 2000 * t) + 0.15 * (noise.random() * 2 - 1)
        yield int(max(-1.0, min(1.0, value * envelope)) * 20000)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources",
                                                             "sounds", "Click.wav")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    data = b"".join(struct.pack("<h", s) for s in samples())
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16)
    header += b"data" + struct.pack("<I", len(data))
    with open(out, "wb") as f:
        f.write(header + data)


if __name__ == "__main__":
    main()
