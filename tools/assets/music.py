# The menu and battle tune: a quiet minute of bells over soft pads in D major that loops seamlessly.
import math

import synth

RATE = 22050
BPM = 80
BEAT = 60.0 / BPM
BAR = 4 * BEAT  # 20 bars make the minute

CHORDS = {
    "Dmaj7": "D3 F#3 A3 C#4", "Bm7": "B2 D3 F#3 A3", "Gmaj7": "G2 B2 D3 F#3", "Asus": "A2 D3 E3 A3",
    "A": "A2 C#3 E3 A3", "Em7": "E3 G3 B3 D4", "F#m7": "F#2 A2 C#3 E3",
}

# Five four-bar sections: A, A with more motion, a lift to B, A again, and B turning home to the start.
SECTIONS = [
    (["Dmaj7", "Bm7", "Gmaj7", "Asus"], ["F#5 - A5 -", "B5 A5 F#5 -", "G5 - F#5 D5", "E5 - - ."], False),
    (["Dmaj7", "Bm7", "Gmaj7", "A"], ["F#5 - A5 -", "B5 A5 D6 -", "B5 - A5 F#5", "A5 - - ."], True),
    (["Em7", "F#m7", "Gmaj7", "A"], ["G5 - B5 -", "A5 - F#5 -", "D5 E5 F#5 B5", "A5 - E5 -"], True),
    (["Dmaj7", "Bm7", "Gmaj7", "Asus"], ["D6 - A5 -", "B5 A5 F#5 -", "G5 - F#5 E5", "D5 - - ."], False),
    (["Em7", "F#m7", "Gmaj7", "A"], ["G5 - E5 -", "F#5 - C#5 -", "D5 - B4 -", "C#5 - E5 -"], True),
]


def bell(freq, seconds):
    return synth.tone(freq, seconds, RATE, ((1.0, 1.0, 0.9), (2.0, 0.25, 0.4), (3.01, 0.1, 0.2), (4.16, 0.05, 0.12)),
                      attack=0.004)


def pad(freq, seconds):
    n = int(seconds * RATE)
    out = [0.0] * n
    for detune in (0.997, 1.0, 1.0031):
        w = 2 * math.pi * freq * detune / RATE
        for i in range(n):
            out[i] += math.sin(w * i) + 0.15 * math.sin(2 * w * i)
    rise, fall = int(0.9 * RATE), int(1.2 * RATE)
    return [v * min(1.0, i / rise, (n - i) / fall) for i, v in enumerate(out)]


def pluck(freq, seconds):
    return synth.tone(freq, seconds, RATE, ((1.0, 1.0, 0.8), (2.0, 0.3, 0.3)), attack=0.01)


def tune():
    total = int(len(SECTIONS) * 4 * BAR * RATE)
    out = [0.0] * total
    bar = 0
    for chords, melody, busy in SECTIONS:
        for chord, line in zip(chords, melody):
            start = bar * BAR
            notes = CHORDS[chord].split()
            for name in notes:
                synth.mix_into(out, pad(synth.note_freq(name), BAR + 0.8), int(start * RATE), 0.045, wrap=True)
            synth.mix_into(out, pluck(synth.note_freq(notes[0]) / 2, 2.5), int(start * RATE), 0.22, wrap=True)
            synth.mix_into(out, pluck(synth.note_freq(notes[0]) / 2, 2.0), int((start + 2 * BEAT) * RATE), 0.14, wrap=True)
            add_melody(out, line, start)
            if busy:
                add_arpeggio(out, notes, start)
            add_bells_shaker(out, start, busy)
            bar += 1
    return synth.normalise(synth.reverb(out, RATE, 0.3, wrap=True), 0.7), RATE


def add_melody(out, line, start):
    tokens = line.split()
    for beat, token in enumerate(tokens):
        if token in ("-", "."):
            continue
        length = 1
        while beat + length < len(tokens) and tokens[beat + length] == "-":
            length += 1
        at = int((start + beat * BEAT) * RATE)
        synth.mix_into(out, bell(synth.note_freq(token), length * BEAT + 1.2), at, 0.3, wrap=True)


def add_arpeggio(out, notes, start):
    # Quiet eighth notes an octave or two up: movement without a new tune to follow.
    upper = [synth.note_freq(n) * 4 for n in notes[1:]]
    pattern = [0, 1, 2, 1, 0, 2, 1, 2]
    for step, idx in enumerate(pattern):
        at = int((start + step * BEAT / 2) * RATE)
        synth.mix_into(out, bell(upper[idx % len(upper)], 0.6), at, 0.05, wrap=True)


def add_bells_shaker(out, start, busy):
    # Sleigh-bell ticks on the off-beats, softer in the calm sections.
    tick = synth.shape(synth.highpass(synth.noise(0.08, RATE, int(start * 10)), RATE, 5000),
                       synth.env_ad(int(0.08 * RATE), RATE, 0.002, 0.02))
    for step in range(8):
        if step % 2 == 1:
            synth.mix_into(out, tick, int((start + step * BEAT / 2) * RATE), 0.08 if busy else 0.035, wrap=True)
