#!/usr/bin/env python3
"""Writes the alert sounds the program ships (resources/sounds/*.wav): short tones made here, nothing taken
from elsewhere. Run again only to change them: sound numbers are positions in the sorted list of files."""
import math
import os
import struct
import wave

RATE = 22050
FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds")


def tone(parts, volume=0.5):
    """parts: (frequency in Hz, seconds) pairs; frequency 0 is silence. Each part fades in and out."""
    samples = []
    for frequency, seconds in parts:
        count = int(RATE * seconds)
        fade = max(1, min(count // 8, RATE // 200))
        for i in range(count):
            envelope = min(1.0, i / fade, (count - 1 - i) / fade)
            value = math.sin(2 * math.pi * frequency * i / RATE) if frequency else 0.0
            samples.append(int(32767 * volume * envelope * value))
    return samples


def click():
    count = int(RATE * 0.02)
    return [int(32767 * 0.6 * math.exp(-i / (RATE * 0.002)) * (1 if (i // 8) % 2 == 0 else -1)) for i in range(count)]


SOUNDS = {
    "Beep.wav": tone([(880, 0.15)]),
    "Chime.wav": tone([(660, 0.12), (0, 0.03), (990, 0.2)]),
    "Click.wav": click(),
    "Falling.wav": tone([(784, 0.1), (659, 0.1), (523, 0.16)]),
    "Rising.wav": tone([(523, 0.1), (659, 0.1), (784, 0.16)]),
}

os.makedirs(FOLDER, exist_ok=True)
for name, samples in SOUNDS.items():
    with wave.open(os.path.join(FOLDER, name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))
