#!/usr/bin/env python3
"""Synthesises every sound effect and music loop of the game into Ogg Vorbis files.

The effects come from tools/sounds.csv (one row a file: a synthesiser family and its
parameters), the patient voices from tools/voices.csv and the music from tools/music.csv.
Everything is seeded from the file names, so each run gives the same samples.

Usage: gen_sounds.py --out DIR [--oggenc PATH] [--only NAME ...] [--wav]
"""

import argparse
import io
import multiprocessing
import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402

TOOLS = os.path.dirname(os.path.abspath(__file__))
SR = 22050
NOTE_INDEX = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5, "F#": 6,
              "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10, "Bb": 10, "B": 11}


# ---------------------------------------------------------------------------- primitives

def hz(note):
    """'A4' -> 440.0; a plain number is taken as Hz."""
    try:
        return float(note)
    except ValueError:
        pass
    name, octave = note[:-1], int(note[-1])
    return 440.0 * 2 ** ((NOTE_INDEX[name] + 12 * (octave + 1) - 69) / 12.0)


def midi_hz(m):
    return 440.0 * 2 ** ((m - 69) / 12.0)


def samples(seconds):
    return max(1, int(round(seconds * SR)))


def phase_of(freq, n):
    f = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,))
    return 2 * np.pi * np.cumsum(f) / SR


def osc(freq, n, wave="sine", harmonics=24):
    """Band-limited oscillator; freq may be a per-sample array."""
    ph = phase_of(freq, n)
    if wave == "sine":
        return np.sin(ph)
    f = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,))
    out = np.zeros(n)
    for k in range(1, harmonics + 1):
        if wave in ("square", "tri") and k % 2 == 0:
            continue
        live = (k * f) < SR * 0.45
        if not live.any():
            break
        if wave == "saw":
            a = 1.0 / k
        elif wave == "square":
            a = 1.0 / k
        else:  # tri
            a = (1.0 / (k * k)) * (1 if (k // 2) % 2 == 0 else -1)
        out += live * a * np.sin(k * ph)
    return out / (0.6 if wave == "tri" else 1.2)


def env_adsr(n, a=0.005, d=0.05, s=0.7, r=0.05):
    e = np.full(n, s, dtype=np.float64)
    na, nd, nr = samples(a), samples(d), samples(r)
    na = min(na, n)
    e[:na] = np.linspace(0, 1, na, endpoint=False)
    d_end = min(n, na + nd)
    e[na:d_end] = np.linspace(1, s, d_end - na, endpoint=False)
    nr = min(nr, n)
    e[n - nr:] *= np.linspace(1, 0, nr)
    return e


def env_exp(n, decay, attack=0.002):
    t = np.arange(n) / SR
    e = np.exp(-t / max(decay, 1e-4))
    na = min(n, samples(attack))
    e[:na] *= np.linspace(0, 1, na)
    return e


def fft_filter(x, gain_of_freq):
    spec = np.fft.rfft(x)
    f = np.fft.rfftfreq(len(x), 1.0 / SR)
    return np.fft.irfft(spec * gain_of_freq(f), len(x))


def bandpass(x, lo, hi):
    def g(f):
        return 1.0 / (1 + (lo / np.maximum(f, 1.0)) ** 4) / (1 + (f / hi) ** 4)
    return fft_filter(x, g)


def lowpass(x, fc):
    return fft_filter(x, lambda f: 1.0 / (1 + (f / fc) ** 4))


def highpass(x, fc):
    return fft_filter(x, lambda f: 1.0 / (1 + (fc / np.maximum(f, 1.0)) ** 4))


def band_sweep(noise, centre, width=0.35):
    """Noise through a band whose centre (Hz, one value a sample) moves: short windowed
    frames, each filtered around the centre of its middle sample, overlap-added."""
    n = len(noise)
    size, hop = 1024, 256
    pad = np.concatenate([np.zeros(size), noise, np.zeros(size)])
    cen = np.concatenate([np.full(size, centre[0]), centre, np.full(size, centre[-1])])
    win = np.hanning(size)
    starts = np.arange(0, len(pad) - size, hop)
    frames = np.stack([pad[s:s + size] * win for s in starts])
    spec = np.fft.rfft(frames, axis=1)
    f = np.fft.rfftfreq(size, 1.0 / SR)
    c = cen[starts + size // 2][:, None]
    gain = np.exp(-0.5 * (np.log(np.maximum(f[None, :], 1.0) / c) / width) ** 2)
    frames = np.fft.irfft(spec * gain, size, axis=1) * win
    out = np.zeros(len(pad))
    for i, s in enumerate(starts):
        out[s:s + size] += frames[i]
    return out[size:size + n] / 1.5


def reverb(x, seconds=0.6, mix=0.18, rng=None):
    rng = rng or np.random.default_rng(7)
    n = samples(seconds)
    ir = rng.standard_normal(n) * np.exp(-np.arange(n) / (n / 5.0))
    ir = lowpass(ir, 4000)
    ir /= np.sqrt(np.sum(ir ** 2))
    m = len(x) + n
    size = 1 << (m - 1).bit_length()
    wet = np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(ir, size), size)[:m]
    out = np.concatenate([x, np.zeros(n)])
    return out * (1 - mix) + wet * mix


def mix_into(buf, x, at):
    at = int(at)
    if at >= len(buf):
        return
    end = min(len(buf), at + len(x))
    buf[at:end] += x[:end - at]


def silence(seconds):
    return np.zeros(samples(seconds))


def fades(x, fin=0.003, fout=0.01):
    x = x.copy()
    a, b = min(len(x), samples(fin)), min(len(x), samples(fout))
    x[:a] *= np.linspace(0, 1, a)
    x[len(x) - b:] *= np.linspace(1, 0, b)
    return x


# ---------------------------------------------------------------------------- instruments

def instrument(name, freq, dur, vel=1.0, rng=None):
    """One note of `dur` seconds (the sound may ring longer)."""
    rng = rng or np.random.default_rng(int(freq * 100) & 0xFFFF)
    if name == "piano":
        n = samples(dur + 0.6)
        x = sum(a * np.sin(phase_of(freq * k * (1 + 0.0004 * k * k), n)) * env_exp(n, 0.9 / k ** 0.6)
                for k, a in [(1, 1.0), (2, 0.45), (3, 0.25), (4, 0.12), (5, 0.06)])
        x *= env_adsr(n, 0.003, 0.1, 1.0, 0.25)
    elif name in ("bell", "glock"):
        n = samples(dur + (1.2 if name == "bell" else 0.7))
        parts = [(1, 1.0, 1.0), (2.76, 0.4, 0.45), (5.40, 0.2, 0.25), (8.93, 0.08, 0.15)] \
            if name == "bell" else [(1, 1.0, 0.6), (3.9, 0.25, 0.2), (9.1, 0.08, 0.08)]
        x = sum(a * np.sin(phase_of(freq * k, n)) * env_exp(n, d, 0.001) for k, a, d in parts)
    elif name == "marimba":
        n = samples(dur + 0.5)
        x = np.sin(phase_of(freq, n)) * env_exp(n, 0.35, 0.002) \
            + 0.35 * np.sin(phase_of(freq * 4, n)) * env_exp(n, 0.05, 0.001) \
            + 0.1 * np.sin(phase_of(freq * 10, n)) * env_exp(n, 0.01, 0.001)
    elif name == "pluck":
        n = samples(dur + 0.4)
        x = sum((0.8 / k) * np.sin(phase_of(freq * k, n)) * env_exp(n, 0.4 / k)
                for k in range(1, 7))
    elif name == "flute":
        n = samples(dur + 0.12)
        vib = 1 + 0.006 * np.sin(2 * np.pi * 5.0 * np.arange(n) / SR) * np.linspace(0, 1, n)
        f = freq * vib
        x = np.sin(phase_of(f, n)) + 0.18 * np.sin(phase_of(2 * f, n)) + 0.06 * np.sin(phase_of(3 * f, n))
        x += 0.05 * bandpass(rng.standard_normal(n), freq, freq * 4)
        x *= env_adsr(n, 0.05, 0.1, 0.85, 0.12)
    elif name == "organ" or name == "accordion":
        n = samples(dur + 0.08)
        det = 1.004 if name == "accordion" else 1.0
        x = osc(freq, n, "square", 12) * 0.5 + osc(freq * det, n, "square", 12) * 0.5
        if name == "organ":
            x = np.sin(phase_of(freq, n)) + 0.5 * np.sin(phase_of(2 * freq, n)) + 0.3 * np.sin(phase_of(4 * freq, n))
        x = lowpass(x, 2500) * env_adsr(n, 0.02, 0.05, 0.8, 0.06)
    elif name == "strings":
        n = samples(dur + 0.3)
        x = sum(osc(freq * d, n, "saw", 16) for d in (0.997, 1.0, 1.003)) / 3
        x = lowpass(x, 1800) * env_adsr(n, 0.12, 0.1, 0.8, 0.3)
    elif name == "square":
        n = samples(dur + 0.05)
        x = osc(freq, n, "square", 16) * env_adsr(n, 0.004, 0.08, 0.55, 0.05)
        x = lowpass(x, 3500)
    elif name == "brass":
        n = samples(dur + 0.12)
        e = env_adsr(n, 0.03, 0.08, 0.8, 0.1)
        x = np.zeros(n)
        ph = phase_of(freq * (1 + 0.004 * np.sin(2 * np.pi * 5.5 * np.arange(n) / SR)), n)
        for k in range(1, 14):
            if k * freq > SR * 0.45:
                break
            x += (1.0 / k) * e ** (0.5 + 0.35 * k) * np.sin(k * ph)
    elif name == "bass":
        n = samples(dur + 0.1)
        x = (np.sin(phase_of(freq, n)) + 0.3 * np.sin(phase_of(2 * freq, n))) * env_adsr(n, 0.005, 0.15, 0.6, 0.08)
    elif name == "tuba":
        n = samples(dur + 0.08)
        x = lowpass(osc(freq, n, "saw", 10), 700) * env_adsr(n, 0.02, 0.1, 0.6, 0.06) * 1.5
    else:
        raise ValueError("unknown instrument " + name)
    return x * vel


def drum(name, rng, vel=1.0):
    if name == "kick":
        n = samples(0.3)
        f = 45 + 110 * np.exp(-np.arange(n) / (0.03 * SR))
        x = np.sin(phase_of(f, n)) * env_exp(n, 0.12, 0.001)
    elif name == "snare":
        n = samples(0.22)
        x = 0.4 * np.sin(phase_of(190, n)) * env_exp(n, 0.05) \
            + bandpass(rng.standard_normal(n), 1200, 7000) * env_exp(n, 0.07) * 0.8
    elif name == "clap":
        n = samples(0.2)
        e = np.zeros(n)
        for o in (0, 0.012, 0.024):
            e[samples(o):] += env_exp(n - samples(o), 0.02 if o < 0.02 else 0.08)
        x = bandpass(rng.standard_normal(n), 900, 5000) * e * 0.6
    elif name == "hat":
        n = samples(0.06)
        x = highpass(rng.standard_normal(n), 7000) * env_exp(n, 0.015) * 0.6
    elif name == "shaker":
        n = samples(0.09)
        x = bandpass(rng.standard_normal(n), 4000, 9000) * env_adsr(n, 0.02, 0.02, 0.6, 0.05) * 0.4
    elif name in ("tom", "bongo", "conga"):
        base = {"tom": 110, "bongo": 330, "conga": 200}[name]
        n = samples(0.25)
        f = base * (1 + 0.3 * np.exp(-np.arange(n) / (0.01 * SR)))
        x = np.sin(phase_of(f, n)) * env_exp(n, 0.09 if name == "tom" else 0.06)
    elif name == "crash":
        n = samples(1.2)
        x = highpass(rng.standard_normal(n), 3000) * env_exp(n, 0.35) * 0.5
    elif name == "rim":
        n = samples(0.05)
        x = np.sin(phase_of(1700, n)) * env_exp(n, 0.008) * 0.6
    else:
        raise ValueError(name)
    return x * vel


# ---------------------------------------------------------------------------- voices

VOWELS = {  # F1, F2, F3 of an adult voice
    "a": (730, 1090, 2440), "e": (530, 1840, 2480), "i": (300, 2250, 3000),
    "o": (570, 840, 2410), "u": (320, 870, 2240), "m": (260, 1400, 2300),
    "y": (380, 1500, 2400), "E": (610, 1700, 2500),
}


def vocal(sylls, voice, rng, tail=0.05):
    """Additive formant singer. sylls: list of (start s, dur s, vowel_from, vowel_to,
    pitch_from, pitch_to, loudness); pitches are multiples of the voice's f0."""
    end = max(s + d for s, d, *_ in sylls) + tail
    n = samples(end)
    f0 = np.full(n, float(voice["f0"]))
    amp = np.zeros(n)
    F = np.zeros((3, n))
    F[:, :] = np.array(VOWELS["a"])[:, None]
    for s, d, v0, v1, p0, p1, loud in sylls:
        a, b = samples(s), min(n, samples(s) + samples(d))
        m = b - a
        u = np.linspace(0, 1, m)
        f0[a:b] = voice["f0"] * (p0 + (p1 - p0) * u)
        F[:, a:b] = np.array(VOWELS[v0])[:, None] * (1 - u) + np.array(VOWELS[v1])[:, None] * u
        amp[a:b] = np.maximum(amp[a:b], loud * env_adsr(m, min(0.03, d / 4), 0.02, 0.9, min(0.06, d / 3)))
    # Glide pitch across the gaps so syllables join like speech.
    t = np.arange(n) / SR
    vib = voice.get("vibrato", 0.0)
    f0 = f0 * (1 + vib * np.sin(2 * np.pi * 6.0 * t)) * (1 + 0.004 * rng.standard_normal(n).cumsum() / np.sqrt(n))
    F = F * voice.get("formants", 1.0)
    x = np.zeros(n)
    kmax = int(min(60, SR * 0.45 / max(60.0, f0.min())))
    ph = phase_of(f0, n)
    bw = np.array([90, 120, 170])[:, None] * voice.get("formants", 1.0)
    for k in range(1, kmax + 1):
        fk = k * f0
        live = fk < SR * 0.45
        g = np.zeros(n)
        for j, w in enumerate((1.0, 0.6, 0.25)):
            g += w * np.exp(-0.5 * ((fk - F[j]) / (bw[j] + 0.25 * f0)) ** 2)
        g += 0.08 / k
        x += live * g * np.sin(k * ph + (k * 0.7))
    breath = voice.get("breath", 0.1)
    if breath:
        x += breath * 2.0 * band_sweep(rng.standard_normal(n), F[1], 0.5)
    rough = voice.get("rough", 0.0)
    if rough:
        wob = np.sin(2 * np.pi * (28 + 6 * rng.random()) * t + 2 * np.sin(2 * np.pi * 3 * t))
        x *= 1 - rough * 0.5 * (1 + wob)
    return x * amp


def chirp(start, dur, f_from, f_to, loud=1.0):
    n = samples(dur)
    f = np.geomspace(f_from, f_to, n)
    return start, np.sin(phase_of(f, n)) * env_adsr(n, 0.005, 0.01, 0.9, dur / 3) * loud


REACTIONS = {
    # (start, dur, vowel from, to, pitch from, to, loudness)
    ("exithappy", 1): [(0.0, 0.16, "y", "e", 1.05, 1.15, 0.9), (0.2, 0.34, "a", "i", 1.25, 1.6, 1.0)],
    ("exithappy", 2): [(0.0, 0.14, "u", "o", 1.0, 1.2, 0.8), (0.17, 0.42, "u", "u", 1.35, 1.75, 1.0)],
    ("exitangry", 1): [(0.0, 0.18, "m", "m", 0.95, 0.85, 0.7), (0.2, 0.4, "o", "u", 0.9, 0.7, 1.0)],
    ("exitangry", 2): [(0.0, 0.32, "a", "a", 1.1, 0.75, 1.0), (0.36, 0.24, "m", "m", 0.8, 0.7, 0.6)],
    ("panic", 1): [(0.0, 0.75, "a", "E", 1.55, 1.85, 1.0)],
    ("panic", 2): [(0.0, 0.16, "o", "o", 1.6, 1.5, 0.9), (0.2, 0.16, "o", "o", 1.7, 1.55, 0.9),
                   (0.4, 0.3, "o", "u", 1.8, 1.5, 1.0)],
    ("meds", 1): [(0.0, 0.2, "m", "m", 1.0, 1.12, 0.7), (0.26, 0.3, "m", "m", 1.18, 0.95, 0.8)],
    ("meds", 2): [(0.0, 0.5, "a", "a", 1.15, 0.9, 0.9)],
}

CALL_VOWELS = {"growl": "o", "moo": "u", "meow": None, "hoot": "u", "honk": "E", "trumpet": "E"}


def voice_reaction(p, voices, rng):
    sp = voices[p["species"]]
    reaction, take = p["reaction"], int(p["take"])
    voice = dict(f0=float(sp["f0"]), formants=float(sp["formants"]), rough=float(sp["rough"]),
                 breath=float(sp["breath"]), vibrato=float(sp["vibrato"]))
    call = sp["call"]
    sylls = list(REACTIONS[(reaction, take)])
    if call == "cheep" or call == "chatter":
        # Small creatures chirp: the reaction's contour drawn as short whistles.
        base = voice["f0"]
        parts = []
        count = {"panic": 6, "exithappy": 3, "exitangry": 2, "meds": 2}[reaction] + take - 1
        for i in range(count):
            s = i * (0.07 if reaction == "panic" else 0.12)
            shape = sylls[min(i, len(sylls) - 1)]
            lo, hi = base * shape[4], base * shape[5]
            if call == "chatter":
                lo, hi = lo * 0.8, hi * 1.1
            parts.append(chirp(s, 0.06 if call == "chatter" else 0.09, lo, hi))
        n = samples(max(s + len(x) / SR for s, x in parts) + 0.05)
        out = np.zeros(n)
        for s, x in parts:
            mix_into(out, x, samples(s))
        return out
    if call == "meow":
        sylls = [(s, d * 1.3, "i", "u", p0, p1, l) for s, d, _, _, p0, p1, l in sylls]
        sylls = [(s * 1.3, d, v0, v1, p0, p1, l) for s, d, v0, v1, p0, p1, l in sylls]
    elif call == "neigh":
        voice["vibrato"] = 0.09 if reaction != "meds" else 0.03
        sylls = [(s, d * 1.4, "i", "E", p0 * 1.2, p1 * 0.8, l) for s, d, _, _, p0, p1, l in sylls]
    elif call in CALL_VOWELS:
        v = CALL_VOWELS[call]
        stretch = 1.5 if call in ("moo", "trumpet") else 1.0
        sylls = [(s * stretch, d * stretch, v, v if call != "hoot" else "a", p0, p1, l)
                 for s, d, _, _, p0, p1, l in sylls]
    x = vocal(sylls, voice, rng)
    if call == "trumpet":
        x = x + 0.5 * highpass(x, 900)
    if call == "honk":
        x = np.tanh(2.5 * x / (np.max(np.abs(x)) + 1e-9))
    if reaction == "meds" and take == 1:
        g = np.zeros(samples(0.12))
        gl = np.sin(phase_of(np.geomspace(180, 90, len(g)), len(g))) * env_exp(len(g), 0.03)
        x = np.concatenate([x, silence(0.04), gl * 0.5 * np.max(np.abs(x))])
    return x


# ---------------------------------------------------------------------------- effects

def parse_notes(text):
    out = []
    for item in text.split(","):
        steps = 1.0
        if ":" in item:
            item, s = item.split(":")
            steps = float(s)
        out.append((hz(item), steps))
    return out


def seq(notes, step, inst, rng, ring=0.0):
    total = sum(s for _, s in notes) * step
    buf = np.zeros(samples(total + 1.6 + ring))
    t = 0.0
    for f, s in notes:
        mix_into(buf, instrument(inst, f, s * step * 0.95, rng=rng), samples(t))
        t += s * step
    return buf


def trim(x, floor=1e-3):
    live = np.nonzero(np.abs(x) > floor * (np.max(np.abs(x)) + 1e-12))[0]
    if not len(live):
        return x
    return x[:live[-1] + samples(0.02)]


def fx(family, p, rng, voices):
    f = lambda k, d: float(p.get(k, d))  # noqa: E731
    if family == "voice":
        return voice_reaction(p, voices, rng)
    if family == "click":
        n = samples(f("len", 0.05))
        x = np.sin(phase_of(f("freq", 1500), n)) * env_exp(n, 0.008, 0.0005)
        x += 0.5 * highpass(rng.standard_normal(n), 3000) * env_exp(n, 0.003, 0.0003)
        if p.get("double"):
            x = np.concatenate([x, silence(0.03), x * 0.6])
        return x
    if family in ("blip", "sweep"):
        n = samples(f("len", 0.15))
        fr = np.geomspace(f("from", 500), f("to", 900), n)
        x = osc(fr, n, p.get("wave", "sine"), 12) * env_adsr(n, 0.004, 0.03, 0.7, 0.04)
        if p.get("paper"):
            x += 0.4 * bandpass(rng.standard_normal(n), 2000, 8000) * env_exp(n, 0.04)
        if p.get("click"):
            x = np.concatenate([fx("click", {"freq": "2000"}, rng, voices), x])
        return x
    if family == "chime":
        return seq(parse_notes(p["notes"]), f("step", 100) / 1000, p.get("inst", "bell"), rng)
    if family == "fanfare":
        x = seq(parse_notes(p["notes"]), f("step", 110) / 1000, "brass", rng)
        notes = parse_notes(p["notes"])
        last = notes[-1][0]
        t0 = sum(s for _, s in notes[:-1]) * f("step", 110) / 1000
        for m in (1.25, 1.5):  # the last note swells into a chord
            mix_into(x, 0.6 * instrument("brass", last * m / 2, notes[-1][1] * f("step", 110) / 1000, rng=rng), samples(t0))
        mix_into(x, drum("crash", rng, 0.5), samples(t0))
        return reverb(x, 0.5, 0.2, rng)
    if family == "wahwah":
        notes = parse_notes(p["notes"])
        step = f("step", 260) / 1000
        buf = np.zeros(samples(sum(s for _, s in notes) * step + 0.3))
        t = 0.0
        for fr, s in notes:
            n = samples(s * step)
            wob = 1 + (0.03 * np.sin(2 * np.pi * 6 * np.arange(n) / SR) if s > 1 else 0)
            x = osc(fr * wob * np.linspace(1, 0.97, n), n, "saw", 20)
            mute = 0.5 + 0.5 * np.sin(np.linspace(-np.pi / 2, np.pi * (1.5 if s > 1 else 0.5), n))
            x = lowpass(x * env_adsr(n, 0.03, 0.05, 0.9, 0.08), 700) * 0.5 + x * mute * 0.25 * env_adsr(n, 0.03, 0.05, 0.9, 0.08)
            mix_into(buf, x, samples(t))
            t += s * step
        return buf
    if family == "alarm":
        pulses, plen = int(f("pulses", 3)), f("pulse", 0.25)
        n = samples(plen)
        fr = np.linspace(f("from", 600), f("to", 1000), n)
        one = osc(fr, n, p.get("wave", "square"), 14) * env_adsr(n, 0.005, 0.01, 0.9, 0.02)
        return np.concatenate([np.concatenate([one, silence(plen * 0.35)]) for _ in range(pulses)])
    if family == "buzz":
        notes = parse_notes(p["notes"])
        step = f("step", 170) / 1000
        parts = []
        for fr, s in notes:
            n = samples(step * s * 0.85)
            parts += [lowpass(osc(fr, n, "square", 30), 2000) * env_adsr(n, 0.005, 0.02, 0.9, 0.03), silence(step * 0.15)]
        return np.concatenate(parts)
    if family == "whoosh":
        n = samples(f("len", 0.3))
        cen = np.geomspace(f("from", 500), f("to", 2500), n)
        x = band_sweep(rng.standard_normal(n), cen, 0.6 if p.get("wide") else 0.4)
        return x * np.sin(np.linspace(0, np.pi, n)) ** 1.5 * 3
    if family == "rustle":
        n = samples(f("len", 0.6))
        x = np.zeros(n)
        for _ in range(int(f("grains", 9))):
            gl = samples(0.04 + 0.08 * rng.random())
            g = bandpass(rng.standard_normal(gl), 1500, 7000) * np.hanning(gl)
            mix_into(x, g * (0.4 + 0.6 * rng.random()), rng.integers(0, max(1, n - gl)))
        return x
    if family == "spray":
        n = samples(f("len", 0.6))
        x = bandpass(rng.standard_normal(n), f("centre", 5000) * 0.6, f("centre", 5000) * 1.6)
        x = x * env_adsr(n, 0.02, 0.05, 0.8, 0.12)
        return np.concatenate([fx("click", {"freq": "900", "len": "0.04"}, rng, voices) * 0.7, x])
    if family == "sparkle":
        n = samples(f("len", 0.6))
        lo, hi = hz(p["from"]), hz(p["to"])
        buf = np.zeros(n + samples(0.8))
        count = 14
        for i in range(count):
            fr = lo * (hi / lo) ** (i / (count - 1))
            mix_into(buf, instrument("glock", fr, 0.05, 0.5 + 0.5 * rng.random(), rng), samples(i * f("len", 0.6) / count))
        if p.get("power"):
            m = samples(f("len", 0.6))
            mix_into(buf, 0.3 * osc(np.geomspace(lo / 2, hi / 4, m), m, "square", 10) * env_adsr(m, 0.01, 0.05, 0.8, 0.1), 0)
        return reverb(buf, 0.6, 0.25, rng)
    if family == "pour":
        n = samples(f("len", 0.7))
        x = np.zeros(n)
        for i in range(10):
            gl = samples(0.05)
            fr = np.geomspace(300 + 60 * i + 80 * rng.random(), 600 + 80 * i, gl)
            mix_into(x, np.sin(phase_of(fr, gl)) * np.hanning(gl) * 0.5, samples(i * 0.055))
        x += 0.15 * bandpass(rng.standard_normal(n), 800, 4000) * env_adsr(n, 0.05, 0.1, 0.7, 0.1)
        ding = instrument("bell", hz(p.get("ding", "A6")), 0.2, 0.6, rng)
        out = np.zeros(n + len(ding))
        out[:n] += x
        mix_into(out, ding, n - samples(0.05))
        return out
    if family == "lock":
        clunk = fx("thump", {"tone": "wood", "len": "0.3"}, rng, voices)
        n = samples(f("len", 0.8))
        tone = instrument("brass", hz(p.get("tone", "A2")), 0.5, 0.6, rng)
        out = np.zeros(max(n, len(clunk) + len(tone)))
        mix_into(out, clunk, 0)
        mix_into(out, tone, samples(0.1))
        return out
    if family == "cash":
        out = np.zeros(samples(1.2))
        for t, fr in ((0.0, 1900), (0.03, 2400)):
            m = samples(0.04)
            mix_into(out, np.sin(phase_of(fr, m)) * env_exp(m, 0.01), samples(t))
        mix_into(out, highpass(rng.standard_normal(samples(0.06)), 2500) * env_exp(samples(0.06), 0.02), samples(0.06))
        for fr in (hz("E6"), hz("G#6"), hz("B6")):
            mix_into(out, instrument("bell", fr, 0.3, 0.5, rng), samples(0.1))
        return out
    if family == "jingle":
        x = seq(parse_notes(p["notes"]), f("step", 100) / 1000, p.get("inst", "bell"), rng)
        if p.get("bells"):
            for i in range(8):
                m = samples(0.12)
                ring = sum(np.sin(phase_of(fr, m)) for fr in (5200, 6100, 7300)) * env_exp(m, 0.04) * 0.15
                mix_into(x, ring, samples(i * 0.07 + 0.01 * rng.random()))
        return x
    if family == "doorbell":
        x = seq(parse_notes(p["notes"]), f("step", 300) / 1000, "bell", rng)
        return x * (0.6 if p.get("soft") else 1.0)
    if family == "cough":
        who = dict(f0=f("f0", 130), formants=1.0, rough=0.4, breath=0.9)
        out = []
        for i in range(int(f("count", 2))):
            burst = vocal([(0.0, 0.14, "a", "E", 1.2, 0.9, 1.0)], who, rng)
            burst += 0.8 * bandpass(rng.standard_normal(len(burst)), 400, 3000) * env_exp(len(burst), 0.06)
            out += [burst, silence(0.1 + 0.05 * rng.random())]
        return np.concatenate(out)
    if family == "groan":
        who = dict(f0=f("f0", 140), formants=1.0, rough=0.25, breath=0.3, vibrato=0.01)
        return vocal([(0.0, f("len", 0.9), "o", "u", 1.0, f("fall", 0.7), 1.0)], who, rng)
    if family == "door":
        n = samples(f("len", 0.7))
        creak = osc(np.geomspace(180, 120, samples(0.35)), samples(0.35), "saw", 20)
        creak = bandpass(creak * (1 + 0.6 * np.sign(np.sin(2 * np.pi * 35 * np.arange(len(creak)) / SR))), 300, 2500)
        out = np.zeros(n + samples(0.3))
        mix_into(out, creak * env_adsr(len(creak), 0.05, 0.05, 0.7, 0.1) * 0.6, 0)
        mix_into(out, fx("thump", {"tone": "wood", "len": "0.3"}, rng, voices), samples(0.38))
        return out
    if family == "thump":
        n = samples(f("len", 0.4))
        base = 90 if p.get("tone") != "wood" else 160
        x = np.sin(phase_of(base * (1 + 0.5 * np.exp(-np.arange(n) / (0.01 * SR))), n)) * env_exp(n, 0.07)
        x += 0.4 * lowpass(rng.standard_normal(n), 1500) * env_exp(n, 0.03)
        if p.get("tone") == "wood":
            x += 0.3 * np.sin(phase_of(620, n)) * env_exp(n, 0.03)
        if p.get("rustle"):
            x += 0.6 * fx("rustle", {"len": str(f("len", 0.4)), "grains": "6"}, rng, voices)[:n]
        return x
    if family == "crash":
        n = samples(f("len", 1.2))
        out = np.zeros(n)
        mix_into(out, fx("thump", {"len": "0.5"}, rng, voices), 0)
        for i in range(6):
            m = samples(0.5)
            fr = 700 + 1800 * rng.random()
            clang = sum(np.sin(phase_of(fr * r, m)) * env_exp(m, 0.2 / r) for r in (1, 1.47, 2.31)) * 0.25
            mix_into(out, clang, samples(0.03 + 0.12 * i + 0.05 * rng.random()))
        mix_into(out, highpass(rng.standard_normal(n), 2000) * env_exp(n, 0.25) * 0.3, 0)
        return out
    if family == "ratchet":
        parts = []
        for i in range(int(f("clicks", 5))):
            parts += [fx("click", {"freq": str(1100 + 90 * i), "len": "0.04"}, rng, voices), silence(0.05)]
        x = np.concatenate(parts)
        ding = instrument("bell", hz(p.get("ding", "E6")), 0.2, 0.7, rng)
        return np.concatenate([x, ding])
    if family == "knock":
        step = f("step", 0.2)
        out = np.zeros(samples(step * f("hits", 4) + 0.5))
        for i in range(int(f("hits", 4))):
            m = samples(0.25)
            fr = 1300 + 200 * (i % 2)
            hit = sum(np.sin(phase_of(fr * r, m)) * env_exp(m, 0.06 / r) for r in (1, 2.1, 3.3)) * 0.4
            hit += 0.5 * highpass(rng.standard_normal(m), 1500) * env_exp(m, 0.01)
            mix_into(out, hit, samples(i * step))
        return out
    if family == "drawer":
        n = samples(f("len", 0.8))
        slide = band_sweep(rng.standard_normal(samples(0.3)), np.geomspace(600, 1500, samples(0.3)), 0.5) * 2
        out = np.zeros(n)
        mix_into(out, slide, 0)
        for i in range(4):
            mix_into(out, fx("click", {"freq": str(2000 + 400 * rng.random()), "len": "0.05"}, rng, voices) * 0.6,
                     samples(0.32 + 0.1 * i + 0.04 * rng.random()))
        return out
    if family == "heartbeat":
        period = 60.0 / f("bpm", 80)
        out = np.zeros(samples(period * f("beats", 3) + 0.3))
        for i in range(int(f("beats", 3))):
            for o, v in ((0.0, 1.0), (0.16, 0.7)):
                m = samples(0.15)
                th = np.sin(phase_of(55 * (1 + 0.4 * np.exp(-np.arange(m) / (0.015 * SR))), m)) * env_exp(m, 0.05)
                mix_into(out, th * v, samples(i * period + o))
        return lowpass(out, 400) * 1.5
    if family == "pump":
        out = []
        for i in range(3):
            m = samples(0.12)
            out += [lowpass(rng.standard_normal(m), 900) * np.hanning(m) * 0.8, silence(0.07)]
        if p.get("result") == "good":
            out.append(seq(parse_notes("C6,G6"), 0.1, "bell", rng))
        else:
            out.append(fx("buzz", {"notes": "D3,D3", "step": "140"}, rng, voices))
        return np.concatenate(out)
    if family == "flash":
        n = samples(f("len", 0.9))
        m = samples(0.6)
        whine = np.sin(phase_of(np.geomspace(1500, 6000, m), m)) * np.linspace(0, 0.35, m)
        out = np.zeros(n)
        mix_into(out, whine, 0)
        pop = highpass(rng.standard_normal(samples(0.2)), 800) * env_exp(samples(0.2), 0.04)
        mix_into(out, pop, m)
        return out
    if family == "shutter":
        a = fx("click", {"freq": "2500", "len": "0.04"}, rng, voices)
        b = fx("click", {"freq": "1700", "len": "0.05"}, rng, voices)
        return np.concatenate([a, bandpass(rng.standard_normal(samples(0.06)), 2000, 6000) * 0.2, b])
    if family == "bubble":
        n = samples(f("len", 0.3))
        fr = np.geomspace(f("from", 200), f("to", 700), n)
        fr = fr * (1 + 0.15 * np.sin(2 * np.pi * f("wobble", 3) * np.arange(n) / n))
        return np.sin(phase_of(fr, n)) * env_adsr(n, 0.01, 0.05, 0.7, 0.08)
    if family == "squeak":
        parts = []
        for i in range(int(f("count", 1))):
            m = samples(f("len", 0.3) / f("count", 1))
            fr = 1400 + 500 * np.sin(np.linspace(0, np.pi, m)) + 30 * np.sin(2 * np.pi * 40 * np.arange(m) / SR)
            parts += [osc(fr, m, "tri", 10) * env_adsr(m, 0.01, 0.02, 0.8, 0.03), silence(0.04)]
        return np.concatenate(parts)
    if family == "rattle":
        out = np.zeros(samples(f("len", 0.4) + 0.1))
        for i in range(int(f("shakes", 3))):
            for j in range(4):
                m = samples(0.02)
                mix_into(out, highpass(rng.standard_normal(m), 3000) * np.hanning(m) * 0.7,
                         samples(i * 0.13 + j * 0.015 + 0.005 * rng.random()))
        return out
    if family == "slide":
        n = samples(f("len", 0.8))
        fr = np.geomspace(f("from", 1400), f("to", 250), n)
        x = instrument_whistle(fr, n)
        if p.get("thud"):
            x = np.concatenate([x, fx("thump", {"len": "0.35"}, rng, voices)])
        return x
    if family == "drumroll":
        n = samples(f("len", 1.0))
        out = np.zeros(n + samples(1.2))
        t = 0.0
        while t < f("len", 1.0) - 0.1:
            mix_into(out, drum("snare", rng, 0.3 + 0.4 * t / f("len", 1.0)), samples(t))
            t += 0.045
        mix_into(out, drum("crash", rng, 1.0), n)
        mix_into(out, drum("kick", rng, 1.0), n)
        return out
    if family == "stamp":
        rus = fx("rustle", {"len": "0.3", "grains": "5"}, rng, voices)
        return np.concatenate([rus, fx("thump", {"len": "0.3", "tone": "wood"}, rng, voices)])
    if family == "airplane":
        n = samples(f("len", 3.5))
        u = np.linspace(-1, 1, n)
        loud = 1 / (1 + 6 * u * u)
        cen = 900 * (1 - 0.3 * np.tanh(2 * u))
        x = band_sweep(rng.standard_normal(n), cen, 0.7) * 2 + 0.4 * lowpass(rng.standard_normal(n), 300)
        x += 0.15 * osc(cen * 0.5, n, "saw", 10)
        return x * loud
    if family == "city":
        n = samples(f("len", 4.0))
        x = lowpass(rng.standard_normal(n), 350) * 0.8 + 0.15 * bandpass(rng.standard_normal(n), 500, 3000)
        for i in range(int(f("horns", 1))):
            m = samples(0.35)
            horn = lowpass(osc(330 + 60 * i, m, "saw", 20) + osc(415 + 60 * i, m, "saw", 20), 1500)
            mix_into(x, horn * env_adsr(m, 0.02, 0.05, 0.9, 0.05) * 0.25, samples(0.6 + 1.5 * i + rng.random()))
        if p.get("bell"):
            for i in range(2):
                mix_into(x, instrument("bell", 1320, 0.1, 0.25, rng), samples(2.6 + 0.25 * i))
        m = samples(1.5)
        car = band_sweep(rng.standard_normal(m), np.geomspace(300, 700, m), 0.5) * np.sin(np.linspace(0, np.pi, m)) * 1.5
        mix_into(x, car, samples(1.0))
        return fades(x, 0.3, 0.5)
    if family == "crowd":
        n = samples(f("len", 3.0))
        out = np.zeros(n + samples(0.5))
        for v in range(int(f("voices", 5))):
            who = dict(f0=[110, 210, 140, 240, 100, 190, 260][v % 7], formants=1.0 + 0.1 * (v % 3),
                       rough=0.05, breath=0.2)
            t = rng.random() * 0.4
            sylls = []
            while t < f("len", 3.0) - 0.3:
                d = 0.1 + 0.12 * rng.random()
                vs = "aeiou"
                sylls.append((t, d, vs[rng.integers(5)], vs[rng.integers(5)],
                              0.9 + 0.3 * rng.random(), 0.85 + 0.3 * rng.random(), 0.5 + 0.5 * rng.random()))
                t += d + (0.03 if rng.random() < 0.7 else 0.3)
            mix_into(out, vocal(sylls, who, rng) * 0.6, 0)
        return fades(lowpass(out, 3000), 0.2, 0.4)
    if family == "laugh":
        n = samples(f("len", 1.5))
        out = np.zeros(n + samples(0.4))
        for v in range(int(f("voices", 3))):
            who = dict(f0=f("f0", 320) * (0.85 + 0.3 * rng.random()), formants=1.3, breath=0.4)
            t = 0.05 * v + 0.1 * rng.random()
            sylls = []
            for k in range(6 + v):
                sylls.append((t, 0.09, "a", "a", 1.3 - 0.05 * k, 1.2 - 0.05 * k, 1.0 - 0.08 * k))
                t += 0.16 + 0.03 * rng.random()
            mix_into(out, vocal(sylls, who, rng), 0)
        return out
    if family == "run":
        step = f("step", 0.14)
        pitch = f("pitch", 1.0)
        steps = int(f("steps", 6))
        out = np.zeros(samples(step * steps + 0.4))
        for i in range(steps):
            m = samples(0.08)
            fr = (140 + 30 * (i % 2)) * pitch
            st = np.sin(phase_of(fr, m)) * env_exp(m, 0.025) + 0.5 * bandpass(rng.standard_normal(m), 500, 3000) * env_exp(m, 0.012)
            mix_into(out, st * (1 - 0.6 * i / steps), samples(i * step))
        if p.get("whoosh"):
            w = fx("whoosh", {"from": "600", "to": "2500", "len": "0.35"}, rng, voices)
            mix_into(out, w * 0.6, 0)
        return out
    if family == "yuck":
        who = p["who"]
        base = {"female": 230, "male": 115, "child": 330}[who]
        voice = dict(f0=base, formants={"female": 1.15, "male": 1.0, "child": 1.35}[who], rough=0.2, breath=0.2)
        take = int(p["take"])
        sylls = {2: [(0.0, 0.45, "y", "u", 1.2, 0.95, 1.0)],  # "eww"
                 3: [(0.0, 0.12, "E", "E", 1.1, 1.0, 0.9), (0.14, 0.25, "E", "a", 1.05, 0.8, 0.8)],  # "bleh"
                 4: [(0.0, 0.15, "u", "u", 1.0, 0.9, 0.7), (0.18, 0.3, "E", "E", 1.15, 0.85, 1.0)]}[take]
        x = vocal(sylls, voice, rng)
        x += 0.3 * bandpass(rng.standard_normal(len(x)), 2500, 6000) * env_exp(len(x), 0.1)
        return x
    if family == "snore":
        who = p["who"]
        take = int(p["take"])
        base = {"female": 150, "male": 80, "child": 220}[who]
        breaths = 2
        out = []
        for i in range(breaths):
            m = samples(0.9 if who != "child" else 0.7)
            u = np.linspace(0, 1, m)
            rattle = 1 + 0.8 * np.sign(np.sin(2 * np.pi * (base * 0.35) * np.arange(m) / SR)) if take == 1 else 1.0
            inhale = lowpass(rng.standard_normal(m) * rattle, 700 if who == "male" else 1200) * np.sin(np.pi * u) ** 2
            exhale_m = samples(0.6)
            if take == 2 or who == "child":
                exhale = np.sin(phase_of(np.geomspace(base * 4, base * 3, exhale_m), exhale_m)) * np.sin(np.pi * np.linspace(0, 1, exhale_m)) * 0.3
                exhale += 0.3 * bandpass(rng.standard_normal(exhale_m), 2000, 6000) * np.sin(np.pi * np.linspace(0, 1, exhale_m))
            else:
                exhale = bandpass(rng.standard_normal(exhale_m), 300, 2000) * np.sin(np.pi * np.linspace(0, 1, exhale_m)) * 0.5
            out += [inhale, silence(0.1), exhale, silence(0.35)]
        return np.concatenate(out)
    if family == "monkey":
        voice = dict(f0=360, formants=1.2, rough=0.2, breath=0.15)
        sylls = []
        t = 0.0
        for k in range(5):
            sylls.append((t, 0.1, "u", "a", 1.0 + 0.15 * k, 1.4 + 0.15 * k, 1.0))
            t += 0.14
        x = vocal(sylls, voice, rng)
        out = np.zeros(len(x) + samples(0.6))
        mix_into(out, x, 0)
        mix_into(out, seq(parse_notes("C5,E5,G5"), 0.08, "marimba", rng) * 0.5, samples(0.2))
        return out
    if family == "band":
        root = hz(p.get("root", "F4"))
        beat = 60.0 / f("tempo", 150)
        bars = int(f("bars", 2))
        out = np.zeros(samples(beat * 4 * bars + 1.2))
        melody = [0, 4, 7, 9, 7, 4, 5, 7, 12, 11, 9, 7, 5, 4, 2, 0]
        for i in range(bars * 4):
            t = i * beat
            mix_into(out, drum("kick" if i % 2 == 0 else "snare", rng, 0.7), samples(t))
            mix_into(out, drum("hat", rng, 0.4), samples(t + beat / 2))
            mix_into(out, instrument("tuba", root / 4 * (1.5 if i % 2 else 1.0), beat * 0.8, 0.6, rng), samples(t))
            for j in range(2):
                st = melody[(2 * i + j) % len(melody)]
                mix_into(out, instrument("brass", root * 2 ** (st / 12), beat * 0.45, 0.5, rng), samples(t + j * beat / 2))
        mix_into(out, drum("crash", rng, 0.8), samples(beat * 4 * bars))
        mix_into(out, instrument("brass", root, 0.6, 0.6, rng), samples(beat * 4 * bars))
        return reverb(out, 0.5, 0.15, rng)
    raise ValueError("unknown family " + family)


def instrument_whistle(freq, n):
    return (np.sin(phase_of(freq, n)) + 0.1 * np.sin(phase_of(2 * freq, n))) * env_adsr(n, 0.02, 0.05, 0.8, 0.1)


# ---------------------------------------------------------------------------- music

SCALES = {"major": [0, 2, 4, 5, 7, 9, 11], "minor": [0, 2, 3, 5, 7, 8, 10],
          "dorian": [0, 2, 3, 5, 7, 9, 10], "mixolydian": [0, 2, 4, 5, 7, 9, 10]}

RHYTHMS = {  # one bar of melody, in beats
    4: [[1, 1, 1, 1], [1.5, 0.5, 1, 1], [0.5, 0.5, 1, 2], [1, 0.5, 0.5, 2], [2, 1, 1],
        [0.5, 0.5, 0.5, 0.5, 1, 1], [1, 1, 2], [0.75, 0.25, 1, 0.5, 0.5, 1]],
    3: [[1, 1, 1], [2, 1], [1.5, 0.5, 1], [0.5, 0.5, 1, 1], [1, 0.5, 0.5, 1]],
}

DRUMS = {  # per beat position (in eighths): instrument names
    "pop": {0: ["kick", "hat"], 1: ["hat"], 2: ["snare", "hat"], 3: ["hat"], 4: ["kick", "hat"], 5: ["kick", "hat"], 6: ["snare", "hat"], 7: ["hat"]},
    "claps": {0: ["kick"], 1: ["shaker"], 2: ["clap"], 3: ["shaker"], 4: ["kick"], 5: ["shaker"], 6: ["clap"], 7: ["shaker"]},
    "jungle": {0: ["conga", "shaker"], 1: ["shaker"], 2: ["bongo"], 3: ["bongo", "shaker"], 4: ["tom"], 5: ["shaker", "bongo"], 6: ["conga"], 7: ["shaker"]},
    "waltz": {0: ["kick"], 2: ["hat"], 4: ["hat"]},
    "soft": {0: ["kick"], 2: ["rim"], 4: ["kick"], 6: ["rim"], 7: ["hat"]},
    "march": {0: ["kick"], 2: ["snare"], 3: ["snare"], 4: ["kick"], 6: ["snare"], 7: ["hat"]},
}


def compose(p, rng):
    """Returns the loop's notes: list of (beat, beats, midi, part)."""
    meter = int(p["meter"])
    bars = int(p["bars"])
    scale = SCALES[p["scale"]]
    key = NOTE_INDEX[p["key"]]
    prog = [int(d) - 1 for d in p["progression"].split(",")]
    tonic = 60 + key if key < 6 else 48 + key

    def degree_midi(deg, octave=0):
        return tonic + 12 * (octave + deg // 7) + scale[deg % 7]

    def chord_of(bar):
        return prog[bar % len(prog)]

    def phrase(start_bar, seed_shift, cadence):
        r = np.random.default_rng(int(p["seed"]) * 100 + seed_shift)
        notes = []
        deg = 7 + chord_of(start_bar)  # melody lives around the upper octave of the tonic
        for b in range(4):
            bar = start_bar + b
            ch = chord_of(bar)
            pattern = RHYTHMS[meter][r.integers(len(RHYTHMS[meter]))]
            if b == 3 and cadence:
                pattern = [meter - 1, 1] if meter == 4 else [2, 1]
            beat = 0.0
            for i, d in enumerate(pattern):
                strong = beat == 0 or (meter == 4 and beat == 2)
                if strong:
                    tones = [ch + 7, ch + 9, ch + 11, ch + 14]
                    deg = min(tones, key=lambda t: abs(t - deg) + r.random())
                else:
                    deg += int(r.choice([-2, -1, -1, 1, 1, 2]))
                    deg = max(4, min(16, deg))
                if b == 3 and cadence and i == len(pattern) - 1:
                    goals = (7, 14) if cadence == "home" else (4, 11)
                    deg = min(goals, key=lambda g: abs(g - deg))
                notes.append((bar * meter + beat, d, degree_midi(deg), "lead"))
                beat += d
        return notes

    lead = []
    a = phrase(0, 1, "half")
    a2 = phrase(0, 1, "home")
    b = phrase(0, 2, "half")
    sections = [a, a2, b, a2] if bars == 16 else [a, a2, b, a2, b, a2]
    for i, sec in enumerate(sections):
        for beat, d, m, part in sec:
            bar = int(beat // meter) % 4
            lead.append((beat - bar * meter + (i * 4 + bar) * meter, d, m, part))
    out = list(lead)
    for bar in range(bars):
        ch = chord_of(bar)
        root = degree_midi(ch, -1)
        if meter == 3:
            out.append((bar * 3, 1, root - 12, "bass"))
            for k in (1, 2):
                for t in (0, 2, 4):
                    out.append((bar * 3 + k, 0.8, degree_midi(ch + t, -1) + 12, "chords"))
        else:
            fifth = degree_midi(ch + 4, -1)
            for beat, m in ((0, root), (1.5, root), (2, fifth), (3, root + 12 if bar % 2 else fifth)):
                out.append((bar * 4 + beat, 0.9, m - 12, "bass"))
            for t in (0, 2, 4):
                out.append((bar * 4, 4, degree_midi(ch + t, 0) - 12 + (12 if t == 0 else 0), "chords"))
    return out


def render_music(p, rng):
    tempo = float(p["tempo"])
    beat = 60.0 / tempo
    meter = int(p["meter"])
    bars = int(p["bars"])
    total = samples(bars * meter * beat)
    buf = np.zeros(total + samples(3.0))
    level = {"lead": 0.55, "chords": 0.22, "bass": 0.5}
    cache = {}
    for t, d, m, part in compose(p, rng):
        inst = p[part]
        dur = d * beat * (0.92 if part != "chords" else 1.0)
        if part == "chords" and inst in ("pluck", "marimba"):
            # Plucked chords are played as a light off-beat pattern instead of one long note.
            for k in range(int(d)):
                note = cache.setdefault((inst, m, round(beat * 0.5, 4)), instrument(inst, midi_hz(m), beat * 0.5))
                mix_into(buf, note * level[part] * 0.8, samples((t + k + 0.5) * beat))
            continue
        key = (inst, m, round(dur, 4))
        if key not in cache:
            cache[key] = instrument(inst, midi_hz(m), dur)
        mix_into(buf, cache[key] * level[part], samples(t * beat))
    pattern = DRUMS[p["drums"]]
    drng = np.random.default_rng(int(p["seed"]))
    hits = {}
    for bar in range(bars):
        for eighth, names in pattern.items():
            if eighth >= meter * 2:
                continue
            for name in names:
                if name not in hits:
                    hits[name] = [drum(name, drng) for _ in range(4)]
                vel = 0.55 if name in ("hat", "shaker") else 0.8
                if bar % 4 == 3 and eighth >= 4 and name == "snare":
                    vel = 1.0
                mix_into(buf, hits[name][(bar + eighth) % 4] * vel * 0.6, samples((bar * meter + eighth / 2) * beat))
    if bars % 8 == 0 or bars % 4 == 0:
        mix_into(buf, drum("crash", drng, 0.35), 0)
    wet = reverb(buf, 0.8, 0.16, drng)
    loop = wet[:total].copy()
    tail = wet[total:]
    loop[:len(tail)] += tail[:total]  # the ring-out wraps to the start, so the loop is seamless
    return loop


# ---------------------------------------------------------------------------- output

def to_wav(x, peak=0.89):
    x = np.asarray(x, dtype=np.float64)
    x = x - np.mean(x)
    m = np.max(np.abs(x))
    if m > 0:
        x = x * (peak / m)
    pcm = np.clip(np.round(x * 32767), -32768, 32767).astype("<i2")
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(pcm.tobytes())
    return buf.getvalue()


def encode(job):
    name, kind, params, out_dir, oggenc, want_wav, voices = job
    rng = np.random.default_rng(tobgen.seed_of(name))
    if kind == "music":
        x = render_music(params, rng)
        quality, peak = "0", 0.8
    else:
        x = fx(kind, params, rng, voices)
        x = fades(trim(x), 0.002, 0.015)
        quality, peak = "1", float(params.get("peak", 0.8))
    wav = to_wav(x, peak)
    if want_wav:
        tobgen.write_if_changed(os.path.join(out_dir, name[:-4] + ".wav"), wav)
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.wav")
        dst = os.path.join(tmp, "out.ogg")
        with open(src, "wb") as fh:
            fh.write(wav)
        subprocess.run([oggenc, "-Q", "-q", quality, "--serial", str(tobgen.seed_of(name) & 0x7FFFFFFF),
                        "-o", dst, src], check=True)
        with open(dst, "rb") as fh:
            ogg = fh.read()
    tobgen.write_if_changed(os.path.join(out_dir, name), ogg)
    return name, len(ogg), len(x) / SR


def load_jobs(out_dir, oggenc, want_wav):
    voices = {r["species"]: r for r in tobgen.read_catalogue(os.path.join(TOOLS, "voices.csv"))}
    jobs = []
    for r in tobgen.read_catalogue(os.path.join(TOOLS, "sounds.csv")):
        jobs.append((r["file"], r["family"], r["p"], out_dir, oggenc, want_wav, voices))
    for r in tobgen.read_catalogue(os.path.join(TOOLS, "music.csv")):
        jobs.append((r["file"], "music", r["p"], out_dir, oggenc, want_wav, voices))
    return jobs


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", required=True)
    ap.add_argument("--oggenc", default="oggenc")
    ap.add_argument("--only", nargs="*", help="file names to make (default: all)")
    ap.add_argument("--wav", action="store_true", help="also keep the WAV files, for listening")
    ap.add_argument("-v", "--verbose", action="store_true")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    jobs = load_jobs(args.out, args.oggenc, args.wav)
    if args.only:
        jobs = [j for j in jobs if j[0] in args.only]
    # Long pieces first, so the pool is not left waiting on one at the end.
    jobs.sort(key=lambda j: j[1] != "music")
    with multiprocessing.Pool(min(len(jobs), os.cpu_count() or 2)) as pool:
        results = pool.map(encode, jobs, chunksize=1)
    if args.verbose:
        for name, size, secs in results:
            print("%-40s %7d bytes %5.2f s" % (name, size, secs))
    total = sum(r[1] for r in results)
    print("gen_sounds: %d files, %d KB" % (len(results), total // 1024))


if __name__ == "__main__":
    main()
