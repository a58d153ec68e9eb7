#!/usr/bin/env python3
"""Writes res/s_hover and res/s_select: the menu's quiet interface sounds, 16-bit mono WAV
at 44100 Hz. Hover is a short soft tick; select a two-note rising chime."""
import math
import os
import struct
import wave

RATE = 44100


def tone(freq, start, length, level, decay):
    """(start sample, samples) of a sine with a 3 ms attack and an exponential decay."""
    n = int(length * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / 0.003) * math.exp(-t * decay)
        # A touch of the octave makes it rounder than a bare sine.
        s = math.sin(2 * math.pi * freq * t) + 0.25 * math.sin(4 * math.pi * freq * t)
        out.append(level * env * s / 1.25)
    return int(start * RATE), out


def render(parts, length):
    buf = [0.0] * int(length * RATE)
    for start, samples in parts:
        for i, s in enumerate(samples):
            if start + i < len(buf):
                buf[start + i] += s
    # Fade the last 5 ms so the end never clicks.
    fade = int(0.005 * RATE)
    for i in range(fade):
        buf[-1 - i] *= i / fade
    return buf


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767)))
                               for s in samples))


def main():
    res = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "res")
    hover = render([tone(1760.0, 0.0, 0.045, 0.16, 90.0)], 0.05)
    select = render([tone(880.0, 0.0, 0.16, 0.22, 22.0),
                     tone(1318.5, 0.055, 0.16, 0.20, 20.0)], 0.22)
    write(os.path.join(res, "s_hover"), hover)
    write(os.path.join(res, "s_select"), select)


if __name__ == "__main__":
    main()
