# Small sound synthesis toolkit: tones, noise, envelopes, filters and WAV output, in plain Python.
import array
import math
import random
import wave


def silence(seconds, rate):
    return [0.0] * int(seconds * rate)


def mix_into(buf, part, at, gain=1.0, wrap=False):
    """Adds part into buf from sample at; with wrap the overhang returns to the start (for loops)."""
    n = len(buf)
    for i, v in enumerate(part):
        j = at + i
        if j >= n:
            if not wrap:
                break
            j %= n
        buf[j] += v * gain


def env_ad(n, rate, attack, decay):
    a = max(1, int(attack * rate))
    return [i / a if i < a else math.exp(-(i - a) / (decay * rate)) for i in range(n)]


def tone(freq, seconds, rate, partials=((1.0, 1.0, 1.0),), attack=0.005, phase_seed=0):
    """A sum of partials (ratio, amplitude, decay-time scale) with an attack and exponential decays."""
    n = int(seconds * rate)
    out = [0.0] * n
    a = max(1, int(attack * rate))
    for ratio, amp, decay in partials:
        f = freq * ratio
        if f >= rate / 2:
            continue
        w = 2 * math.pi * f / rate
        k = 1.0 / (decay * rate)
        ph = phase_seed * 0.7 * ratio
        for i in range(n):
            e = math.exp(-i * k) * (i / a if i < a else 1.0)
            out[i] += amp * e * math.sin(w * i + ph)
    return out


def noise(seconds, rate, seed):
    rnd = random.Random(seed)
    return [rnd.uniform(-1.0, 1.0) for _ in range(int(seconds * rate))]


def lowpass(x, rate, cutoff):
    """One-pole low-pass; cutoff may be a number or a function of the sample index."""
    out = []
    y = 0.0
    for i, v in enumerate(x):
        fc = cutoff(i) if callable(cutoff) else cutoff
        alpha = 1.0 - math.exp(-2 * math.pi * fc / rate)
        y += alpha * (v - y)
        out.append(y)
    return out


def highpass(x, rate, cutoff):
    low = lowpass(x, rate, cutoff)
    return [a - b for a, b in zip(x, low)]



def shape(x, envelope):
    return [a * b for a, b in zip(x, envelope)]


def reverb(x, rate, mix=0.25, wrap=False):
    """A few feedback combs and an all-pass: enough room to soften bells without washing them out."""
    n = len(x)
    wet = [0.0] * n
    for delay_ms, fb in ((29.7, 0.78), (37.1, 0.76), (41.1, 0.74), (43.7, 0.72)):
        d = int(delay_ms * rate / 1000)
        buf = [0.0] * n
        passes = 2 if wrap else 1  # a looped piece feeds its tail back into its own start
        for _ in range(passes):
            for i in range(n):
                j = i - d
                prev = buf[j] if j >= 0 else (buf[j + n] if wrap else 0.0)
                buf[i] = x[i] + prev * fb
        for i in range(n):
            wet[i] += buf[i] * 0.25
    d = int(5.0 * rate / 1000)
    out = [0.0] * n
    for i in range(n):
        prev = out[i - d] if i >= d else 0.0
        src = wet[i - d] if i >= d else 0.0
        out[i] = -0.5 * wet[i] + src + 0.5 * prev
    return [a * (1 - mix) + b * mix for a, b in zip(x, out)]


def normalise(x, peak=0.89):
    m = max(1e-9, max(abs(v) for v in x))
    return [v * peak / m for v in x]


def loudness_db(x, rate):
    """The loudest 50 ms of x as RMS level in dB of full scale: what the ear takes for how loud a
    short effect is, where its peak says little."""
    w = max(1, int(0.05 * rate))
    loudest = max(sum(v * v for v in x[i:i + w]) / w for i in range(0, max(1, len(x) - w + 1), w // 2 or 1))
    return 10 * math.log10(max(loudest, 1e-20))


def level(x, rate, loudness, peak):
    """Scales x to that loudness (dB, see loudness_db), or less where its peak would pass peak (dB)."""
    top = max(1e-9, max(abs(v) for v in x))
    gain = min(10 ** ((loudness - loudness_db(x, rate)) / 20), 10 ** (peak / 20) / top)
    return [v * gain for v in x]


def fade(x, rate, fade_in=0.002, fade_out=0.01):
    n = len(x)
    a, b = max(1, int(fade_in * rate)), max(1, int(fade_out * rate))
    return [v * min(1.0, i / a, (n - 1 - i) / b) for i, v in enumerate(x)]


def write_wav(path, x, rate):
    data = array.array("h", (max(-32767, min(32767, int(round(v * 32767)))) for v in x))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


def read_wav(path):
    with wave.open(path, "rb") as w:
        assert w.getsampwidth() == 2 and w.getnchannels() == 1
        data = array.array("h", w.readframes(w.getnframes()))
        return [v / 32768.0 for v in data], w.getframerate()


def note_freq(name):
    """'A4' -> 440 Hz; sharps with '#'."""
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    return 440.0 * 2 ** ((semis + 12 * (int(rest) - 4)) / 12)
