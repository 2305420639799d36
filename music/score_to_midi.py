#!/usr/bin/python3
"""Turns a score (see refresh.score) into a standard MIDI file, format 1.

Usage: score_to_midi.py SCORE OUTPUT

The score is plain text. Each part is one MIDI track on its own channel; each
section holds one line of notes per part; a part's line may go on over
several lines; the play line strings sections together. Every bar must fill the meter exactly, so a mistyped length stops
the build with the line that holds it.
"""

import re
import struct
import sys

TICKS_PER_QUARTER = 480
NOTE_NAMES = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}
# General MIDI percussion keys, played on channel 10.
DRUMS = {"kick": 36, "snare": 38, "clap": 39, "hat": 42, "openhat": 46, "tom": 45,
         "crash": 49, "ride": 51}
# The part of a note's length that sounds; the rest is the gap before the next.
ARTICULATION = 0.9


class ScoreError(Exception):
    pass


def pitch(name, line):
    """MIDI key of a note name such as c4, f#3, bb5 or a drum name."""
    if name in DRUMS:
        return DRUMS[name]
    match = re.fullmatch(r"([a-g])(#|b)?(-?\d)", name)
    if not match:
        raise ScoreError(f"line {line}: '{name}' is not a note")
    step, accidental, octave = match.groups()
    key = 12 * (int(octave) + 1) + NOTE_NAMES[step] + {"#": 1, "b": -1, None: 0}[accidental]
    if not 0 <= key <= 127:
        raise ScoreError(f"line {line}: '{name}' is out of the MIDI range")
    return key


def length(text, line):
    """Ticks of a length such as 4 (a quarter), 8. (a dotted eighth) or 1."""
    match = re.fullmatch(r"(1|2|4|8|16|32)(\.?)", text)
    if not match:
        raise ScoreError(f"line {line}: '{text}' is not a note length")
    ticks = TICKS_PER_QUARTER * 4 // int(match.group(1))
    return ticks * 3 // 2 if match.group(2) else ticks


def parse_notes(text, bar_ticks, line, now=0):
    """Events (start, keys, ticks) of one line of bars from tick now, and its end."""
    events = []
    for number, bar in enumerate(b for b in text.split("|") if b.strip()):
        bar_start = now
        for token in bar.split():
            match = re.fullmatch(r"([^/*]+)/([^*]+)(?:\*(\d+))?", token)
            if not match:
                raise ScoreError(f"line {line}: '{token}' is not NOTES/LENGTH[*TIMES]")
            names, ticks = match.group(1), length(match.group(2), line)
            keys = [] if names == "r" else [pitch(n, line) for n in names.split("+")]
            for _ in range(int(match.group(3) or 1)):
                events.append((now, keys, ticks))
                now += ticks
        if now - bar_start != bar_ticks:
            raise ScoreError(f"line {line}: bar {number + 1} lasts {now - bar_start} ticks, "
                             f"the meter asks for {bar_ticks}")
    return events, now


def parse(source):
    """The score's title, tempo, parts and the events of each part."""
    score = {"title": "", "tempo": 120, "meter": 4, "parts": {}, "sections": {}, "play": []}
    section = None
    for line, raw in enumerate(source.splitlines(), 1):
        # A comment starts with a # that follows a blank; f#3 is a note.
        text = re.split(r"(?:^|\s)#", raw, maxsplit=1)[0].strip()
        if not text:
            continue
        word, _, rest = text.partition(" ")
        rest = rest.strip()
        if word == "title":
            score["title"] = rest
        elif word in ("tempo", "meter"):
            score[word] = int(rest)
        elif word == "part":
            fields = rest.split()
            if len(fields) != 4:
                raise ScoreError(f"line {line}: part NAME CHANNEL PROGRAM VELOCITY")
            score["parts"][fields[0]] = tuple(int(f) for f in fields[1:])
        elif word == "section":
            section = score["sections"].setdefault(rest, {})
        elif word == "play":
            score["play"] = rest.split()
        elif word.endswith(":") and section is not None:
            name = word[:-1]
            if name not in score["parts"]:
                raise ScoreError(f"line {line}: no part named '{name}'")
            section.setdefault(name, []).append((rest, line))
        else:
            raise ScoreError(f"line {line}: cannot read '{text}'")
    return score


def arrange(score):
    """Every part's events over the whole play order, and the music's length."""
    bar_ticks = TICKS_PER_QUARTER * score["meter"]
    tracks = {name: [] for name in score["parts"]}
    now = 0
    for name in score["play"]:
        if name not in score["sections"]:
            raise ScoreError(f"play: no section named '{name}'")
        lengths = set()
        for part, lines in score["sections"][name].items():
            end = now
            for text, line in lines:
                events, end = parse_notes(text, bar_ticks, line, end)
                tracks[part] += events
            lengths.add(end)
        if len(lengths) != 1:
            raise ScoreError(f"section '{name}': its parts differ in length")
        now = lengths.pop()
    return tracks, now


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def chunk(kind, events, end):
    """A track chunk from (tick, bytes) events, closed at tick end."""
    data, last = b"", 0
    for tick, message in sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80)):
        data += variable_length(tick - last) + message
        last = tick
    data += variable_length(end - last) + b"\xFF\x2F\x00"
    return kind + struct.pack(">I", len(data)) + data


def midi(score):
    tracks, end = arrange(score)
    microseconds = 60_000_000 // score["tempo"]
    title = score["title"].encode("ascii")
    head = [(0, b"\xFF\x03" + variable_length(len(title)) + title),
            (0, b"\xFF\x51\x03" + microseconds.to_bytes(3, "big")),
            (0, bytes([0xFF, 0x58, 4, score["meter"], 2, 24, 8]))]
    chunks = [chunk(b"MTrk", head, end)]
    for name, (channel, program, velocity) in score["parts"].items():
        events = [(0, bytes([0xC0 | channel, program]))]
        for start, keys, ticks in tracks[name]:
            sounding = max(1, int(ticks * ARTICULATION))
            for key in keys:
                events.append((start, bytes([0x90 | channel, key, velocity])))
                events.append((start + sounding, bytes([0x80 | channel, key, 0])))
        chunks.append(chunk(b"MTrk", events, end))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), TICKS_PER_QUARTER)
    return header + b"".join(chunks), end * microseconds / TICKS_PER_QUARTER / 1e6


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        with open(argv[1], encoding="utf-8") as source:
            data, seconds = midi(parse(source.read()))
    except (OSError, ScoreError, ValueError) as error:
        print(f"{argv[1]}: {error}", file=sys.stderr)
        return 1
    with open(argv[2], "wb") as out:
        out.write(data)
    print(f"{argv[2]}: {len(data)} bytes, {seconds:.1f} s of music")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
