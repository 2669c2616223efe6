#!/usr/bin/python3
# Regenerates data/Sfx: the eight effects 0.wav to 7.wav (16-bit mono) and the looping tune muza.mp3.
import math
import os
import subprocess
import sys
import tempfile

import synth
from music import tune

RATE = 22050
# The game plays the fall cry at 11025 Hz times the child's voice pitch (1, 4/3 or 5/3), so the
# recording's own rate must be 11025 for a boy to sound at his natural pitch.
VOICE_RATE = 11025


def hover_tick():
    t = synth.tone(2400, 0.05, RATE, ((1.0, 1.0, 0.008), (2.01, 0.3, 0.004)))
    return synth.fade(synth.normalise(t, 0.45), RATE)


def click():
    body = synth.tone(820, 0.12, RATE, ((1.0, 1.0, 0.025), (1.51, 0.5, 0.018), (2.7, 0.25, 0.01)))
    snap = synth.shape(synth.highpass(synth.noise(0.12, RATE, 1), RATE, 2500), synth.env_ad(int(0.12 * RATE), RATE,
                                                                                             0.001, 0.006))
    return synth.fade(synth.normalise([a + 0.4 * b for a, b in zip(body, snap)], 0.7), RATE)


def bell(freq, seconds, decay=0.6):
    return synth.tone(freq, seconds, RATE, ((1.0, 1.0, decay), (2.0, 0.35, decay * 0.5), (3.01, 0.15, decay * 0.3),
                                            (4.2, 0.08, decay * 0.2)))


def jingle(notes, step, tail, decay):
    out = synth.silence(step * len(notes) + tail, RATE)
    for i, chord in enumerate(notes):
        for name in chord.split():
            synth.mix_into(out, bell(synth.note_freq(name), tail + step, decay), int(i * step * RATE), 0.5)
    return synth.fade(synth.normalise(synth.reverb(out, RATE, 0.3), 0.8), RATE, fade_out=0.2)


def victory():
    return jingle(["C5", "E5", "G5", "C6 E5 G5", "", "G5", "C6 E6 G5 C5"], 0.13, 1.3, 0.45)


def defeat():
    return jingle(["G4", "", "E4", "", "C#4", "", "C4 G3 D#4"], 0.16, 1.5, 0.6)


def whoosh():
    n = int(0.38 * RATE)
    env = [math.sin(math.pi * min(1.0, i / n)) ** 2 for i in range(n)]
    x = synth.lowpass(synth.noise(0.38, RATE, 4), RATE, lambda i: 500 + 3500 * math.sin(math.pi * i / n))
    x = synth.highpass(x, RATE, 250)
    return synth.fade(synth.normalise(synth.shape(x, env), 0.7), RATE)


def splat():
    n = int(0.3 * RATE)
    crunch = synth.shape(synth.lowpass(synth.noise(0.3, RATE, 7), RATE, lambda i: 3000 * math.exp(-i / (0.05 * RATE)) + 300),
                         synth.env_ad(n, RATE, 0.002, 0.05))
    thump = synth.tone(110, 0.3, RATE, ((1.0, 1.0, 0.04),))
    grains = synth.noise(0.3, RATE, 8)
    grains = [g if abs(g) > 0.985 else 0.0 for g in grains]
    grains = synth.shape(synth.lowpass(grains, RATE, 4000), synth.env_ad(n, RATE, 0.01, 0.07))
    mix = synth.normalise([a + 0.6 * b + 2.5 * c for a, b, c in zip(crunch, thump, grains)], 1.0)
    # The grains' spikes would set its peak far above its body; rounding them off lets the splat
    # sound as loud as the other battle effects without peaking above them.
    mix = [math.tanh(2 * v) for v in mix]
    return synth.fade(synth.normalise(mix, 0.8), RATE)


def ouch():
    # espeak-ng says it; a boy's natural pitch, so the game's faster playback makes a girl and a small child.
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "raw.wav")
        out = os.path.join(tmp, "out.wav")
        subprocess.run(["espeak-ng", "-v", "pl", "-p", "62", "-s", "150", "-a", "180", "-w", raw, "Ała!"], check=True)
        subprocess.run(["sox", "-D", raw, "-r", str(VOICE_RATE), "-c", "1", "-b", "16", out, "silence", "1", "0.01", "1%",
                        "reverse", "silence", "1", "0.01", "1%", "reverse", "gain", "-3", "highpass", "120", "tremolo", "7", "25"],
                       check=True)
        x, _ = synth.read_wav(out)
    return synth.fade(synth.normalise(x, 0.85), VOICE_RATE, 0.005, 0.04)


def splash():
    n = int(0.9 * RATE)
    body = synth.shape(synth.lowpass(synth.noise(0.9, RATE, 11), RATE, lambda i: 200 + 2600 * math.exp(-i / (0.15 * RATE))),
                       synth.env_ad(n, RATE, 0.01, 0.2))
    out = list(body)
    for k, (at, f) in enumerate(((0.12, 600), (0.2, 820), (0.31, 520), (0.42, 950), (0.55, 700), (0.66, 880))):
        m = int(0.07 * RATE)
        blub = [math.sin(2 * math.pi * (f + 900 * i / m) * i / RATE) * math.exp(-i / (0.02 * RATE)) for i in range(m)]
        synth.mix_into(out, blub, int(at * RATE), 0.35 - 0.03 * k)
    return synth.fade(synth.normalise(out, 0.8), RATE, fade_out=0.1)


EFFECTS = [hover_tick, click, victory, defeat, whoosh, splat, ouch, splash]

# Loudness of each effect and of the music (dB of full scale over the loudest 50 ms). The battle's
# effects and the jingles sound equally loud, the menu's tick and click stay below them, and the
# music lies under all of them. No effect peaks above PEAK, so the game mixes a few at once over
# the music without its limiter having to step in.
LOUDNESS = [-22, -18, -16, -16, -16, -16, -16, -16]
MUSIC_LOUDNESS = -18
PEAK = -6


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for number, make in enumerate(EFFECTS):
        rate = VOICE_RATE if make is ouch else RATE
        synth.write_wav(os.path.join(out_dir, f"{number}.wav"), synth.level(make(), rate, LOUDNESS[number], PEAK), rate)
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "muza.wav")
        samples, rate = tune()
        synth.write_wav(wav, synth.level(samples, rate, MUSIC_LOUDNESS, PEAK), rate)
        subprocess.run(["lame", "--quiet", "-b", "96", "-m", "m", wav, os.path.join(out_dir, "muza.mp3")], check=True)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data", "Sfx"))
