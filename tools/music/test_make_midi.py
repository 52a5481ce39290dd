#!/usr/bin/env python3
"""Tests of the note-table reader and the MIDI writer: python3 tools/music/test_make_midi.py"""

import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_midi  # noqa: E402

HEAD = """meter 4/4
tempo 120
track Lead ch=1 prog=flute
track Kit ch=10
pattern arp = 0:e 1 2 1
"""


def piece_from(text):
    fd, path = tempfile.mkstemp(suffix=".notes")
    with os.fdopen(fd, "w", encoding="utf-8") as f:
        f.write(text)
    try:
        return make_midi.Reader(path).read()
    finally:
        os.unlink(path)


def note_ons(data, channel):
    """(tick, key, velocity) of the note-ons of one channel, by a plain walk of the chunks."""
    out = []
    pos = 14
    while pos < len(data):
        length = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        body, pos = data[pos + 8:pos + 8 + length], pos + 8 + length
        i, tick, running = 0, 0, 0
        while i < len(body):
            delta = 0
            while True:
                c = body[i]
                i += 1
                delta = (delta << 7) | (c & 0x7F)
                if c < 0x80:
                    break
            tick += delta
            if body[i] >= 0x80:
                running = body[i]
                i += 1
            if running == 0xFF:
                n = body[i + 1]  # short meta events only in these tests
                i += 2 + n
                running = 0
                continue
            size = 1 if running & 0xF0 in (0xC0, 0xD0) else 2
            args = body[i:i + size]
            i += size
            if running == 0x90 | channel and args[1] > 0:
                out.append((tick, args[0], args[1]))
    return out


class NotationTest(unittest.TestCase):
    def test_bars_patterns_graces_and_dynamics(self):
        piece = piece_from(HEAD + """
phrase tune
  | !p C4:q D4 {F4}E4:h |
end
phrase arp
  @arp | [C3 E3 G3]:h [F3 A3 C4]:h |
end
phrase beat
  | BD:q SD:q> BD:q SD:q> |
end
section one 2
  Lead: tune(v=40>120) arp(t=12)
  Kit: beat*2
end
form one
""")
        data, secs = make_midi.render(piece)
        self.assertAlmostEqual(secs, 2 * 2.0 + 0.5)  # two bars at 120 bpm and the closing beat
        lead = note_ons(data, 0)
        keys = [k for _, k, _ in lead]
        # Grace F4 before E4; then the pattern C E G E over C major, an octave up.
        self.assertEqual(keys[:4], [60, 62, 65, 64])
        self.assertEqual(keys[4:12], [60, 64, 67, 64, 65, 69, 72, 69])
        self.assertEqual([t for t, _, _ in lead[:4]], [0, 480, 960, 960 + 60])
        # The ramp from 40 to 120 makes later notes of the phrase louder.
        self.assertLess(lead[0][2], lead[1][2])
        kit = note_ons(data, 9)
        self.assertEqual([k for _, k, _ in kit[:4]], [36, 38, 36, 38])
        self.assertGreater(kit[1][2], kit[0][2])  # the accent

    def test_faults_name_the_line(self):
        cases = {
            "| C4:q D4:q |": "bar 1 holds 2 beats",
            "| C4:q D4:q E4:h F4:q |": "bar 1 holds 5 beats",
            "| H4:w |": "unknown pitch 'H4'",
            "| C4:y |": "unknown duration 'y'",
            "| A9:w |": "outside the MIDI range",
            "@nope | C4:w |": "unknown pattern 'nope'",
        }
        for body, reason in cases.items():
            with self.subTest(body=body):
                with self.assertRaises(make_midi.NotesError) as caught:
                    piece_from(HEAD + f"phrase p\n  {body}\nend\nform x\n")
                self.assertIn(reason, str(caught.exception))
                self.assertRegex(str(caught.exception), r"\.notes:7:")

    def test_sections_may_not_overrun_or_name_unknown_parts(self):
        base = HEAD + "phrase two\n  | C4:w | D4:w |\nend\n"
        with self.assertRaisesRegex(make_midi.NotesError, "runs 4 bars in section s of 3"):
            make_midi.render(piece_from(base + "section s 3\n  Lead: two*2\nend\nform s\n"))
        with self.assertRaisesRegex(make_midi.NotesError, "unknown phrase 'three'"):
            make_midi.render(piece_from(base + "section s 3\n  Lead: three\nend\nform s\n"))
        with self.assertRaisesRegex(make_midi.NotesError, "unknown track 'Bass'"):
            piece_from(base + "section s 3\n  Bass: two\nend\nform s\n")
        with self.assertRaisesRegex(make_midi.NotesError, "volume 300 is not 0..127"):
            piece_from("track T ch=2 vol=300\nform s\n")

    def test_tempo_ramp_slows_the_piece(self):
        text = HEAD + "phrase w\n  | C4:w |\nend\nsection s 2\n  tempo: 120>60\n  Lead: w*2\nend\nform s\n"
        _, secs = make_midi.render(piece_from(text))
        # Eight beats stepping from 120 down to 60 bpm take longer than at 120, less than at 60.
        self.assertGreater(secs, 8 * 0.5 + 0.5)
        self.assertLess(secs, 8 * 1.0 + 1.0)

    def test_shipped_tables_match_the_shipped_files(self):
        here = os.path.dirname(os.path.abspath(__file__))
        midi = os.path.join(here, "..", "..", "data", "midi")
        for name in ("french1", "china1", "Game01"):
            with self.subTest(name=name):
                data, secs = make_midi.render(make_midi.Reader(os.path.join(here, name + ".notes")).read())
                self.assertGreaterEqual(secs, 70.0)
                with open(os.path.join(midi, name + ".mid"), "rb") as f:
                    self.assertEqual(f.read(), data, "regenerate with make_midi.py")


if __name__ == "__main__":
    unittest.main()
