"""Synthesised feedback sounds: plain PCM, mono, 16-bit WAV files.

Good sounds are short rising chimes, bad sounds soft falling tones, all with
raised-cosine fades so that no clip starts or stops with a click. The "work"
sound of the structure builder is a brief wooden tick pair at 6000 Hz.
"""

import io
import math
import struct
import wave

FEEDBACK_RATE = 8000
WORK_RATE = 6000


def _envelope(i, n, attack, release):
    if i < attack:
        return 0.5 - 0.5 * math.cos(math.pi * i / attack)
    if i > n - release:
        return 0.5 - 0.5 * math.cos(math.pi * (n - i) / release)
    return 1.0


def _tone(rate, freq_start, freq_end, seconds, volume, harmonics=((1, 1.0),), decay=0.0):
    n = int(rate * seconds)
    attack, release = int(rate * 0.012), int(rate * 0.04)
    out, phase = [], 0.0
    for i in range(n):
        t = i / n
        freq = freq_start * (freq_end / freq_start) ** t
        phase += 2 * math.pi * freq / rate
        sample = sum(a * math.sin(k * phase) for k, a in harmonics)
        env = _envelope(i, n, attack, release) * math.exp(-decay * i / rate)
        out.append(sample * env * volume)
    return out


def _sequence(rate, notes, gap=0.0):
    """Notes (freq_start, freq_end, seconds, volume, decay) played one after the other, overlapping by gap."""
    samples = []
    for f0, f1, seconds, volume, decay in notes:
        tone = _tone(rate, f0, f1, seconds, volume, ((1, 1.0), (2, 0.25), (3, 0.08)), decay)
        start = max(0, len(samples) - int(gap * rate))
        needed = start + len(tone)
        if needed > len(samples):
            samples.extend([0.0] * (needed - len(samples)))
        for i, v in enumerate(tone):
            samples[start + i] += v
    return samples


def _wav_bytes(rate, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    gain = min(1.0, 0.85 / peak)
    frames = b"".join(struct.pack("<h", int(round(s * gain * 32767))) for s in samples)
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)
    return buffer.getvalue()


# C major pentatonic steps for the chimes, as frequency ratios from the root
_PENTATONIC = [1.0, 9 / 8, 5 / 4, 3 / 2, 5 / 3, 2.0, 9 / 4, 5 / 2]


def good_sound(k):
    """Chime k (1..10): two to four rising notes, each clip with its own root and rhythm."""
    roots = [523.25, 587.33, 659.25, 698.46, 783.99, 523.25, 587.33, 659.25, 698.46, 783.99]
    patterns = [(0, 2, 4), (0, 3, 5), (0, 2), (1, 3, 5), (0, 4), (0, 1, 2, 4), (2, 4, 5), (0, 2, 3, 5), (0, 3), (1, 2, 4)]
    root, steps = roots[k - 1], patterns[k - 1]
    note = 0.16 if len(steps) > 2 else 0.22
    notes = [(root * _PENTATONIC[s], root * _PENTATONIC[s], note + (0.12 if i == len(steps) - 1 else 0), 0.6, 4.0)
             for i, s in enumerate(steps)]
    return _wav_bytes(FEEDBACK_RATE, _sequence(FEEDBACK_RATE, notes, gap=0.04))


def bad_sound(k):
    """Tone k (1..10): one or two soft, low, falling notes."""
    starts = [392.0, 349.23, 329.63, 293.66, 440.0, 392.0, 349.23, 329.63, 293.66, 415.3]
    shapes = [1, 2, 1, 2, 2, 1, 2, 1, 2, 1]
    f = starts[k - 1]
    if shapes[k - 1] == 1:
        notes = [(f, f * 0.75, 0.45, 0.45, 2.0)]
    else:
        notes = [(f, f * 0.94, 0.22, 0.45, 2.0), (f * 0.84, f * 0.66, 0.34, 0.45, 2.0)]
    samples = _sequence(FEEDBACK_RATE, notes, gap=0.02)
    # soften: keep the fundamental dominant by a gentle low-pass (running mean)
    smoothed, acc = [], 0.0
    for s in samples:
        acc = acc * 0.55 + s * 0.45
        smoothed.append(acc)
    return _wav_bytes(FEEDBACK_RATE, smoothed)


def sound_on():
    """Switched on: a quick upward pair."""
    notes = [(660.0, 660.0, 0.11, 0.6, 3.0), (990.0, 990.0, 0.17, 0.6, 3.0)]
    return _wav_bytes(FEEDBACK_RATE, _sequence(FEEDBACK_RATE, notes, gap=0.02))


def sound_off():
    """Switched off: a quick downward glide, clearly unlike the switch-on pair."""
    notes = [(880.0, 440.0, 0.26, 0.6, 3.0)]
    return _wav_bytes(FEEDBACK_RATE, _sequence(FEEDBACK_RATE, notes))


def work_sound():
    """A short double tick while the structure builder works."""
    notes = [(1200.0, 900.0, 0.06, 0.6, 25.0), (1000.0, 800.0, 0.08, 0.5, 25.0)]
    samples = _sequence(WORK_RATE, notes)
    samples += [0.0] * int(WORK_RATE * 0.06)
    samples += _sequence(WORK_RATE, [(1100.0, 850.0, 0.07, 0.5, 25.0)])
    return _wav_bytes(WORK_RATE, samples)


def all_sounds():
    """File name -> WAV bytes for every sound resource."""
    files = {"WAVSND_1.wav": sound_on(), "WAVSND_2.wav": sound_off(), "CUSTOM_101.wav": work_sound()}
    for k in range(1, 11):
        files[f"WAVGD_{k}.wav"] = good_sound(k)
        files[f"WAVBD_{k}.wav"] = bad_sound(k)
    return files
