#!/usr/bin/env python3
"""Turn the game's note tables (*.notes in this folder) into Standard MIDI Files.

Usage:
    make_midi.py [--out DIR] [TABLE.notes ...]

Without table arguments every *.notes file beside this script is converted; the
files land in data/midi/ of the repository unless --out names another folder.
The output depends only on the tables: the same table always gives the same bytes.

The notation is described in NOTATION.md beside this script.
"""

import os
import re
import random
import struct
import sys

DEFAULT_PPQ = 480

# General MIDI programs (0-based) under the names the tables use.
PROGRAMS = {
    "piano": 0, "harpsichord": 6, "celesta": 8, "glockenspiel": 9, "vibraphone": 11,
    "marimba": 12, "xylophone": 13, "tubularbells": 14, "dulcimer": 15, "organ": 19,
    "nylonguitar": 24, "acousticbass": 32, "fingerbass": 33,
    "violin": 40, "viola": 41, "cello": 42, "contrabass": 43, "tremolostrings": 44,
    "pizzicato": 45, "harp": 46, "timpani": 47, "strings": 48, "slowstrings": 49,
    "synthstrings": 50, "choir": 52, "voiceoohs": 53, "orchestrahit": 55,
    "trumpet": 56, "trombone": 57, "tuba": 58, "mutedtrumpet": 59, "horn": 60,
    "brass": 61, "soprano sax": 64, "oboe": 68, "englishhorn": 69, "bassoon": 70,
    "clarinet": 71, "piccolo": 72, "flute": 73, "recorder": 74, "panflute": 75,
    "shakuhachi": 77, "whistle": 78, "ocarina": 79, "sitar": 104, "banjo": 105,
    "shamisen": 106, "koto": 107, "kalimba": 108, "bagpipe": 109, "fiddle": 110,
    "shanai": 111, "tinklebell": 112, "agogo": 113, "steeldrums": 114,
    "woodblock": 115, "taiko": 116, "melodictom": 117, "synthdrum": 118,
    "reversecymbal": 119,
}

# General MIDI percussion keys (channel 10) under short names.
DRUMS = {
    "BD2": 35, "BD": 36, "STICK": 37, "SD": 38, "CLAP": 39, "SD2": 40,
    "TL2": 41, "HH": 42, "TL": 43, "PH": 44, "TM2": 45, "OH": 46, "TM": 47,
    "TH2": 48, "CR": 49, "TH": 50, "RD": 51, "CHC": 52, "BELL": 53,
    "TAMB": 54, "SPL": 55, "COW": 56, "CR2": 57, "VIB": 58, "RD2": 59,
    "BONH": 60, "BONL": 61, "CONM": 62, "CONH": 63, "CONL": 64,
    "TIMH": 65, "TIML": 66, "AGH": 67, "AGL": 68, "CAB": 69, "MAR": 70,
    "CLAV": 75, "WBH": 76, "WBL": 77, "TRIM": 80, "TRI": 81,
}

DYNAMICS = {"ppp": 24, "pp": 36, "p": 50, "mp": 64, "mf": 80, "f": 96, "ff": 110, "fff": 122}
BASE_DURATIONS = {"w": 4.0, "h": 2.0, "q": 1.0, "e": 0.5, "s": 0.25, "x": 0.125}  # in beats
NOTE_OFFSETS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
# Sharps (positive) or flats (negative) of each major key, for the key signature meta event.
KEY_ACCIDENTALS = {"C": 0, "G": 1, "D": 2, "A": 3, "E": 4, "B": 5, "F#": 6, "C#": 7,
                   "F": -1, "Bb": -2, "Eb": -3, "Ab": -4, "Db": -5, "Gb": -6, "Cb": -7}
MINOR_TO_RELATIVE_MAJOR = {"A": "C", "E": "G", "B": "D", "F#": "A", "C#": "E", "G#": "B",
                           "D#": "F#", "D": "F", "G": "Bb", "C": "Eb", "F": "Ab",
                           "Bb": "Db", "Eb": "Gb"}

DEFAULT_VELOCITY = DYNAMICS["mf"]
ACCENT = 18
GATE = {"": 0.92, "'": 0.45, "_": 1.0}
GRACE_BEATS = 0.125


class NotesError(Exception):
    """A fault in a note table, with the file and line it was found on."""

    def __init__(self, where, message):
        super().__init__(f"{where}: {message}")


def strip_comment(line):
    # '#' starts a comment only at the line start or after a blank: C#4 is a note.
    m = re.search(r"(^|\s)#", line)
    return line[:m.start()] if m else line


def parse_duration(text, where):
    """'q', 'q.', 'et', 'h+e' -> length in beats (a quarter note is one beat)."""
    total = 0.0
    for part in text.split("+"):
        m = re.fullmatch(r"([whqesx])(\.?)(t?)", part)
        if not m:
            raise NotesError(where, f"unknown duration '{text}'")
        beats = BASE_DURATIONS[m.group(1)]
        if m.group(2):
            beats *= 1.5
        if m.group(3):
            beats *= 2.0 / 3.0
        total += beats
    return total


def parse_pitch(text, where):
    if text in DRUMS:
        return DRUMS[text]
    m = re.fullmatch(r"n(\d{1,3})", text)
    if m:
        value = int(m.group(1))
    else:
        m = re.fullmatch(r"([A-G])(#|b)?(-?\d)", text)
        if not m:
            raise NotesError(where, f"unknown pitch '{text}'")
        value = 12 * (int(m.group(3)) + 1) + NOTE_OFFSETS[m.group(1)]
        value += {"#": 1, "b": -1, None: 0}[m.group(2)]
    if not 0 <= value <= 127:
        raise NotesError(where, f"pitch '{text}' is outside the MIDI range")
    return value


TOKEN_RE = re.compile(r"(?:\{[^}\s]*\})?\[[^\]]*\]\S*|\S+")
NOTE_RE = re.compile(r"(?:\{(?P<grace>[^}]*)\})?(?P<body>\[[^\]]*\]|[^:'_>\s]+)"
                     r"(?::(?P<dur>[^'_>\s]+))?(?P<art>['_>]*)")


class Note:
    __slots__ = ("start", "length", "pitch", "velocity", "gate")

    def __init__(self, start, length, pitch, velocity, gate):
        self.start, self.length, self.pitch = start, length, pitch
        self.velocity, self.gate = velocity, gate


class Phrase:
    def __init__(self, name, bars, notes):
        self.name, self.bars, self.notes = name, bars, notes


class Piece:
    def __init__(self, path):
        self.path = path
        self.name = os.path.splitext(os.path.basename(path))[0]
        self.ppq = DEFAULT_PPQ
        self.meter = (4, 4)
        self.key = (0, 0)
        self.tempo = 100.0
        self.title = self.name
        self.tracks = []          # dicts in file order
        self.patterns = {}
        self.phrases = {}
        self.sections = {}
        self.form = []

    @property
    def beats_per_bar(self):
        return self.meter[0] * 4.0 / self.meter[1]


class Reader:
    """Reads one note table into a Piece."""

    def __init__(self, path):
        self.piece = Piece(path)
        with open(path, encoding="utf-8") as f:
            self.lines = f.read().splitlines()
        self.pos = 0

    def where(self, lineno=None):
        return f"{self.piece.path}:{lineno if lineno is not None else self.pos}"

    def read(self):
        while self.pos < len(self.lines):
            raw = self.lines[self.pos]
            self.pos += 1
            line = strip_comment(raw).strip()
            if not line:
                continue
            word, _, rest = line.partition(" ")
            rest = rest.strip()
            handler = getattr(self, "do_" + word, None)
            if handler is None:
                raise NotesError(self.where(), f"unknown directive '{word}'")
            try:
                handler(rest)
            except ValueError as e:  # int()/float() on a malformed number
                raise NotesError(self.where(), str(e)) from None
        if not self.piece.form:
            raise NotesError(self.where(), "no 'form' line")
        if not self.piece.tracks:
            raise NotesError(self.where(), "no tracks")
        return self.piece

    def block(self):
        """Lines up to the next 'end', with their line numbers."""
        body = []
        while self.pos < len(self.lines):
            text = strip_comment(self.lines[self.pos]).strip()
            self.pos += 1
            if text == "end":
                return body
            if text:
                body.append((self.pos, text))
        raise NotesError(self.where(), "block without 'end'")

    def do_title(self, rest):
        self.piece.title = rest

    def do_ppq(self, rest):
        self.piece.ppq = int(rest)
        if not 24 <= self.piece.ppq <= 9600 or self.piece.ppq % 2:
            raise NotesError(self.where(), "ppq wants an even number from 24 to 9600")

    def do_meter(self, rest):
        m = re.fullmatch(r"(\d+)/(1|2|4|8|16)", rest)
        if not m:
            raise NotesError(self.where(), f"bad meter '{rest}'")
        self.piece.meter = (int(m.group(1)), int(m.group(2)))

    def do_key(self, rest):
        parts = rest.split()
        if len(parts) != 2 or parts[1] not in ("major", "minor"):
            raise NotesError(self.where(), "key wants e.g. 'D major' or 'E minor'")
        tonic, mode = parts
        major = MINOR_TO_RELATIVE_MAJOR.get(tonic) if mode == "minor" else tonic
        if major not in KEY_ACCIDENTALS:
            raise NotesError(self.where(), f"unknown key '{rest}'")
        self.piece.key = (KEY_ACCIDENTALS[major], 1 if mode == "minor" else 0)

    def do_tempo(self, rest):
        self.piece.tempo = check_tempo(float(rest), self.where())

    def do_track(self, rest):
        name, *options = rest.split()
        track = {"name": name, "channel": None, "program": 0, "volume": 100, "pan": 64,
                 "reverb": 40, "chorus": 0, "human": 0}
        for opt in options:
            key, _, value = opt.partition("=")
            if key == "ch":
                track["channel"] = int(value)
            elif key == "prog":
                track["program"] = int(value) if value.isdigit() else PROGRAMS.get(value)
                if track["program"] is None:
                    raise NotesError(self.where(), f"unknown instrument '{value}'")
            elif key in ("vol", "pan", "rev", "cho", "human"):
                track[{"vol": "volume", "rev": "reverb", "cho": "chorus"}.get(key, key)] = int(value)
            else:
                raise NotesError(self.where(), f"unknown track option '{opt}'")
        for key in ("program", "volume", "pan", "reverb", "chorus"):
            if not 0 <= track[key] <= 127:
                raise NotesError(self.where(), f"track {name}: {key} {track[key]} is not 0..127")
        if track["channel"] is None or not 1 <= track["channel"] <= 16:
            raise NotesError(self.where(), f"track {name} needs ch=1..16")
        if any(t["channel"] == track["channel"] for t in self.piece.tracks):
            raise NotesError(self.where(), f"channel {track['channel']} used twice")
        if any(t["name"] == name for t in self.piece.tracks):
            raise NotesError(self.where(), f"track {name} defined twice")
        self.piece.tracks.append(track)

    def do_pattern(self, rest):
        name, _, body = rest.partition("=")
        name = name.strip()
        steps = []
        beats = 1.0
        for tok in body.split():
            m = re.fullmatch(r"(\d+\+*|\*|r)(?::([^'_>]+))?(['_>]*)", tok)
            if not m:
                raise NotesError(self.where(), f"bad pattern step '{tok}'")
            if m.group(2):
                beats = parse_duration(m.group(2), self.where())
            steps.append((m.group(1), beats, m.group(3)))
        if not steps:
            raise NotesError(self.where(), f"pattern {name} is empty")
        self.piece.patterns[name] = steps

    def do_phrase(self, rest):
        name = rest.strip()
        if name in self.piece.phrases:
            raise NotesError(self.where(), f"phrase {name} defined twice")
        start_line = self.pos
        body = self.block()
        self.piece.phrases[name] = parse_phrase(self.piece, name, body, self.piece.path,
                                                start_line)

    def do_section(self, rest):
        parts = rest.split()
        if len(parts) != 2 or not parts[1].isdigit():
            raise NotesError(self.where(), "section wants a name and a bar count")
        name, bars = parts[0], int(parts[1])
        section = {"name": name, "bars": bars, "tempo": None, "parts": {}, "line": self.pos}
        for lineno, text in self.block():
            target, _, items = text.partition(":")
            target = target.strip()
            if target == "tempo":
                where = f"{self.piece.path}:{lineno}"
                section["tempo"] = tuple(check_tempo(t, where) for t in parse_ramp(items.strip(), where))
                continue
            if not any(t["name"] == target for t in self.piece.tracks):
                raise NotesError(f"{self.piece.path}:{lineno}", f"unknown track '{target}'")
            section["parts"][target] = (lineno, parse_items(items, f"{self.piece.path}:{lineno}"))
        self.piece.sections[name] = section

    def do_form(self, rest):
        self.piece.form = rest.split()


def check_tempo(bpm, where):
    if not 10 <= bpm <= 400:
        raise NotesError(where, f"tempo {bpm:g} is not 10..400 quarter notes a minute")
    return bpm


def parse_ramp(text, where):
    """'80' or '60>100' -> (start, end)."""
    m = re.fullmatch(r"(\d+(?:\.\d+)?)(?:>(\d+(?:\.\d+)?))?", text)
    if not m:
        raise NotesError(where, f"bad value '{text}'")
    a = float(m.group(1))
    return (a, float(m.group(2)) if m.group(2) else a)


def parse_items(text, where):
    """'a b*2 c(t=+12,v=60>90)' -> [(name, repeat, options)]."""
    items = []
    for m in re.finditer(r"([\w.-]+)(?:\(([^)]*)\))?(?:\*(\d+))?", text):
        options = {}
        if m.group(2):
            for opt in m.group(2).split(","):
                key, _, value = opt.strip().partition("=")
                if key == "t":
                    options["t"] = int(value)
                elif key in ("v", "e"):
                    options[key] = parse_ramp(value, where)
                else:
                    raise NotesError(where, f"unknown option '{opt}'")
        items.append((m.group(1), int(m.group(3) or 1), options))
    if not items:
        raise NotesError(where, "no phrases named")
    return items


def parse_phrase(piece, name, body, path, start_line):
    """Parse the lines of one phrase. Every bar must be exactly one bar long."""
    bar_beats = piece.beats_per_bar
    notes = []
    total_bars = None
    for lineno, text in body:
        where = f"{path}:{lineno}"
        pattern = None
        if text.startswith("@"):
            pname, _, text = text.partition(" ")
            pattern = piece.patterns.get(pname[1:])
            if pattern is None:
                raise NotesError(where, f"unknown pattern '{pname[1:]}'")
        pos = 0.0
        bar_start = 0.0
        bars = 0
        velocity = DEFAULT_VELOCITY
        beats = 1.0
        for tok in TOKEN_RE.findall(text):
            if tok == "|":
                if bars == 0 and pos == 0.0:
                    continue  # a line may open with a barline
                check_bar(pos - bar_start, bar_beats, bars, where)
                bars += 1
                bar_start = pos
                continue
            if tok.startswith("!"):
                level = tok[1:]
                if level.isdigit() and 1 <= int(level) <= 127:
                    velocity = int(level)
                elif level in DYNAMICS:
                    velocity = DYNAMICS[level]
                else:
                    raise NotesError(where, f"unknown dynamic '{tok}'")
                continue
            m = NOTE_RE.fullmatch(tok)
            if not m:
                raise NotesError(where, f"cannot read '{tok}'")
            if m.group("dur"):
                beats = parse_duration(m.group("dur"), where)
            art = m.group("art")
            vel = min(127, velocity + (ACCENT if ">" in art else 0))
            gate = GATE["'"] if "'" in art else GATE["_"] if "_" in art else GATE[""]
            body_text = m.group("body")
            if body_text == "r":
                pos += beats
                continue
            if body_text.startswith("["):
                pitches = [parse_pitch(p, where) for p in body_text[1:-1].replace(",", " ").split()]
                if not pitches:
                    raise NotesError(where, "empty chord")
            else:
                pitches = [parse_pitch(body_text, where)]
            start = pos
            if m.group("grace"):
                graces = [parse_pitch(p, where) for p in m.group("grace").replace(",", " ").split()]
                if len(graces) * GRACE_BEATS >= beats:
                    raise NotesError(where, f"grace notes longer than '{tok}'")
                for g in graces:
                    notes.append(Note(start, GRACE_BEATS, [g], max(1, vel - 12), 1.0))
                    start += GRACE_BEATS
            length = pos + beats - start
            if pattern is not None:
                notes.extend(expand_pattern(pattern, pitches, start, length, vel, where))
            else:
                notes.append(Note(start, length, pitches, vel, gate))
            pos += beats
        if pos - bar_start > 1e-6:
            check_bar(pos - bar_start, bar_beats, bars, where)
            bars += 1
        if total_bars is None:
            total_bars = bars
        elif bars != total_bars:
            raise NotesError(where, f"phrase {name}: line has {bars} bars, earlier lines {total_bars}")
    if total_bars is None:
        raise NotesError(f"{path}:{start_line}", f"phrase {name} is empty")
    return Phrase(name, total_bars, notes)


def check_bar(beats, bar_beats, index, where):
    if abs(beats - bar_beats) > 1e-6:
        raise NotesError(where, f"bar {index + 1} holds {beats:g} beats, the meter wants {bar_beats:g}")


def expand_pattern(steps, pitches, start, length, vel, where):
    """Spread one chord over its length with a broken-chord pattern, repeated as needed."""
    out = []
    pos = 0.0
    i = 0
    while pos < length - 1e-6:
        sel, beats, art = steps[i % len(steps)]
        i += 1
        beats = min(beats, length - pos)
        if sel != "r":
            if sel == "*":
                chosen = pitches
            else:
                index = int(sel.rstrip("+"))
                if index >= len(pitches):
                    raise NotesError(where, f"pattern wants chord note {index}, chord has {len(pitches)}")
                chosen = [pitches[index] + 12 * sel.count("+")]
            v = min(127, vel + (ACCENT if ">" in art else 0))
            gate = GATE["'"] if "'" in art else GATE["_"] if "_" in art else GATE[""]
            out.append(Note(start + pos, beats, chosen, v, gate))
        pos += beats
    return out


def ramp_at(ramp, fraction):
    a, b = ramp
    return a + (b - a) * fraction


def build(piece):
    """Lay the sections out in form order; return (tempo events, markers, per-track events, length)."""
    ppq = piece.ppq
    bar_ticks = round(piece.beats_per_bar * ppq)

    def ticks(beats):
        return round(beats * ppq)

    tempo_events = [(0, piece.tempo)]
    markers = []
    track_events = {t["name"]: [] for t in piece.tracks}
    expression = {t["name"]: 100 for t in piece.tracks}
    rngs = {t["name"]: random.Random(f"{piece.name}:{t['name']}") for t in piece.tracks}
    human = {t["name"]: t["human"] for t in piece.tracks}
    channel = {t["name"]: t["channel"] - 1 for t in piece.tracks}
    bar = 0
    for section_name in piece.form:
        section = piece.sections.get(section_name)
        if section is None:
            raise NotesError(piece.path, f"form names unknown section '{section_name}'")
        sec_start = bar * bar_ticks
        markers.append((sec_start, section_name))
        if section["tempo"]:
            a, b = section["tempo"]
            if a == b:
                tempo_events.append((sec_start, a))
            else:
                # A ramp moves once per beat, so the slowing is heard but stays in the map.
                steps = round(section["bars"] * piece.beats_per_bar)
                for k in range(steps):
                    tempo_events.append((sec_start + k * ppq, a + (b - a) * k / max(1, steps - 1)))
        for track_name, (lineno, items) in section["parts"].items():
            where = f"{piece.path}:{lineno}"
            ch = channel[track_name]
            events = track_events[track_name]
            pos_bar = 0
            for item_name, repeat, options in items:
                for _ in range(repeat):
                    if item_name == "rest":
                        pos_bar += 1
                        continue
                    phrase = piece.phrases.get(item_name)
                    if phrase is None:
                        raise NotesError(where, f"unknown phrase '{item_name}'")
                    item_start = sec_start + pos_bar * bar_ticks
                    item_len = phrase.bars * bar_ticks
                    if "e" in options:
                        for k in range(0, item_len, ppq // 2):
                            value = round(ramp_at(options["e"], k / item_len))
                            events.append((item_start + k, 1, (0xB0 | ch, 11, value)))
                        expression[track_name] = round(options["e"][1])
                    elif expression[track_name] != 100:
                        events.append((item_start, 1, (0xB0 | ch, 11, 100)))
                        expression[track_name] = 100
                    for note in phrase.notes:
                        frac = note.start / (phrase.bars * piece.beats_per_bar)
                        vel = note.velocity
                        if "v" in options:
                            vel = vel * ramp_at(options["v"], frac) / DEFAULT_VELOCITY
                        if human[track_name]:
                            vel += rngs[track_name].randint(-human[track_name], human[track_name])
                        vel = max(1, min(127, round(vel)))
                        on = item_start + ticks(note.start)
                        off = on + max(1, ticks(note.length * note.gate))
                        for p in note.pitch:
                            p += options.get("t", 0) if ch != 9 else 0
                            if not 0 <= p <= 127:
                                raise NotesError(where, f"transposed pitch {p} out of range")
                            events.append((on, 2, (0x90 | ch, p, vel)))
                            events.append((off, 0, (0x80 | ch, p, 0)))
                    pos_bar += phrase.bars
            if pos_bar > section["bars"]:
                raise NotesError(where, f"{track_name} runs {pos_bar} bars in section "
                                        f"{section_name} of {section['bars']}")
        bar += section["bars"]
    # A tempo set where another was already set replaces it.
    tempo_map = dict(tempo_events)
    return sorted(tempo_map.items()), markers, track_events, bar * bar_ticks


def untangle(events):
    """Sort and make sure a repeated pitch is released before it sounds again."""
    events.sort(key=lambda e: (e[0], e[1]))
    sounding = {}
    out = []
    for tick, order, msg in events:
        status = msg[0] & 0xF0
        key = (msg[0] & 0x0F, msg[1])
        if status == 0x90:
            if sounding.get(key, 0) > 0:
                # The earlier note is cut where the new one starts.
                out.append((tick, 0, (0x80 | key[0], key[1], 0)))
                sounding[key] -= 1
            sounding[key] = sounding.get(key, 0) + 1
        elif status == 0x80:
            if sounding.get(key, 0) == 0:
                continue  # already cut short by a later note
            sounding[key] -= 1
        out.append((tick, order, msg))
    out.sort(key=lambda e: (e[0], e[1]))
    return out


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def meta(kind, data):
    return b"\xff" + bytes([kind]) + varlen(len(data)) + data


def chunk(events, end_tick):
    """events: (tick, bytes-or-channel-message). Channel messages use running status."""
    out = bytearray()
    last = 0
    running = None
    for tick, ev in events:
        out += varlen(tick - last)
        last = tick
        if isinstance(ev, tuple):
            status, *data = ev
            if status != running:
                out.append(status)
                running = status
            out += bytes(data)
        else:
            out += ev
            running = None  # meta events cancel running status
    out += varlen(max(0, end_tick - last)) + meta(0x2F, b"")
    return b"MTrk" + struct.pack(">I", len(out)) + bytes(out)


def render(piece):
    tempo_events, markers, track_events, length = build(piece)
    end_tick = length + piece.ppq  # one beat for the last reverb to ring
    conductor = [(0, meta(0x03, piece.title.encode("utf-8"))),
                 (0, meta(0x58, bytes([piece.meter[0], {1: 0, 2: 1, 4: 2, 8: 3, 16: 4}[piece.meter[1]], 24, 8]))),
                 (0, meta(0x59, struct.pack(">bB", *piece.key)))]
    merged = [(t, 0, meta(0x51, struct.pack(">I", round(60_000_000 / bpm))[1:])) for t, bpm in tempo_events]
    merged += [(t, 1, meta(0x06, name.encode("utf-8"))) for t, name in markers]
    merged.sort(key=lambda e: (e[0], e[1]))
    conductor += [(t, ev) for t, _, ev in merged]
    chunks = [chunk(conductor, end_tick)]
    for track in piece.tracks:
        ch = track["channel"] - 1
        head = [(0, meta(0x03, track["name"].encode("utf-8"))),
                (0, (0xB0 | ch, 121, 0)),
                (0, (0xC0 | ch, track["program"])),
                (0, (0xB0 | ch, 7, track["volume"])),
                (0, (0xB0 | ch, 10, track["pan"])),
                (0, (0xB0 | ch, 91, track["reverb"])),
                (0, (0xB0 | ch, 93, track["chorus"])),
                (0, (0xB0 | ch, 11, 100))]
        body = [(t, msg) for t, _, msg in untangle(track_events[track["name"]])]
        chunks.append(chunk(head + body, end_tick))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), piece.ppq)
    return header + b"".join(chunks), seconds(piece, tempo_events, end_tick)


def seconds(piece, tempo_events, end_tick):
    total = 0.0
    events = sorted(tempo_events) + [(end_tick, None)]
    for (t0, bpm), (t1, _) in zip(events, events[1:]):
        total += (t1 - t0) / piece.ppq * 60.0 / bpm
    return total


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.normpath(os.path.join(here, "..", "..", "data", "midi"))
    tables = []
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == "--out":
            if not args:
                print("make_midi: --out wants a folder", file=sys.stderr)
                return 2
            out_dir = args.pop(0)
        else:
            tables.append(a)
    if not tables:
        tables = sorted(os.path.join(here, f) for f in os.listdir(here) if f.endswith(".notes"))
    os.makedirs(out_dir, exist_ok=True)
    for path in tables:
        try:
            piece = Reader(path).read()
            data, secs = render(piece)
        except (NotesError, OSError, ValueError) as e:
            print(f"make_midi: {e}", file=sys.stderr)
            return 1
        target = os.path.join(out_dir, piece.name + ".mid")
        tmp = target + ".tmp"
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, target)
        print(f"{target}: {len(piece.tracks) + 1} tracks, {secs:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
