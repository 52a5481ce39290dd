#!/usr/bin/env python3
"""Render MIDI files to WAV through libfluidsynth and report their levels.

Usage: listen.py [--sf2 FILE] [--out DIR] FILE.mid ...

A check for the composer, not part of the game: it needs libfluidsynth and a
General MIDI SoundFont (e.g. fluid-soundfont-gm) and says so when either is missing.
For each file it prints the length, the peak and RMS level in dBFS, the loudest
and quietest one-second window of the music and the share of clipped samples.
"""

import array
import ctypes
import ctypes.util
import math
import os
import sys
import wave

SOUNDFONTS = ["/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2"]
FLUID_PLAYER_PLAYING = 1


def load_fluidsynth():
    name = ctypes.util.find_library("fluidsynth")
    if not name:
        raise RuntimeError("libfluidsynth is not installed")
    lib = ctypes.CDLL(name)
    p = ctypes.c_void_p
    for fn, res, args in [
        ("new_fluid_settings", p, []),
        ("fluid_settings_setstr", ctypes.c_int, [p, ctypes.c_char_p, ctypes.c_char_p]),
        ("fluid_settings_setnum", ctypes.c_int, [p, ctypes.c_char_p, ctypes.c_double]),
        ("fluid_settings_setint", ctypes.c_int, [p, ctypes.c_char_p, ctypes.c_int]),
        ("new_fluid_synth", p, [p]),
        ("fluid_synth_sfload", ctypes.c_int, [p, ctypes.c_char_p, ctypes.c_int]),
        ("new_fluid_player", p, [p]),
        ("fluid_player_add", ctypes.c_int, [p, ctypes.c_char_p]),
        ("fluid_player_play", ctypes.c_int, [p]),
        ("fluid_player_get_status", ctypes.c_int, [p]),
        ("new_fluid_file_renderer", p, [p]),
        ("fluid_file_renderer_process_block", ctypes.c_int, [p]),
        ("delete_fluid_file_renderer", None, [p]),
        ("delete_fluid_player", None, [p]),
        ("delete_fluid_synth", None, [p]),
        ("delete_fluid_settings", None, [p]),
    ]:
        f = getattr(lib, fn)
        f.restype, f.argtypes = res, args
    return lib


def render(lib, sf2, midi, wav, tail_seconds=2.0):
    settings = lib.new_fluid_settings()
    lib.fluid_settings_setstr(settings, b"audio.file.name", wav.encode())
    lib.fluid_settings_setstr(settings, b"audio.file.type", b"wav")
    lib.fluid_settings_setstr(settings, b"player.timing-source", b"sample")
    lib.fluid_settings_setint(settings, b"synth.lock-memory", 0)
    lib.fluid_settings_setnum(settings, b"synth.sample-rate", 44100.0)
    synth = lib.new_fluid_synth(settings)
    if lib.fluid_synth_sfload(synth, sf2.encode(), 1) < 0:
        raise RuntimeError(f"cannot load SoundFont {sf2}")
    player = lib.new_fluid_player(synth)
    if lib.fluid_player_add(player, midi.encode()) != 0:
        raise RuntimeError(f"fluidsynth cannot read {midi}")
    renderer = lib.new_fluid_file_renderer(synth)
    if not renderer:
        raise RuntimeError("fluidsynth was built without file rendering")
    lib.fluid_player_play(player)
    while lib.fluid_player_get_status(player) == FLUID_PLAYER_PLAYING:
        if lib.fluid_file_renderer_process_block(renderer) != 0:
            break
    for _ in range(int(tail_seconds * 44100 / 512)):  # let the reverb die away
        lib.fluid_file_renderer_process_block(renderer)
    lib.delete_fluid_file_renderer(renderer)
    lib.delete_fluid_player(player)
    lib.delete_fluid_synth(synth)
    lib.delete_fluid_settings(settings)


def db(x):
    return 20 * math.log10(x) if x > 0 else float("-inf")


def levels(wav):
    with wave.open(wav) as w:
        if w.getsampwidth() != 2:
            raise RuntimeError(f"{wav}: expected 16-bit samples")
        rate, channels = w.getframerate(), w.getnchannels()
        samples = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        samples.byteswap()
    full = 32768.0
    peak = max(abs(s) for s in samples) / full
    rms = math.sqrt(sum(s * s for s in samples) / len(samples)) / full
    clipped = sum(1 for s in samples if abs(s) >= 32767) / len(samples)
    window = rate * channels
    windows = []
    for i in range(0, len(samples) - window, window):
        chunk = samples[i:i + window]
        windows.append(math.sqrt(sum(s * s for s in chunk) / window) / full)
    # The music ends with the last second above -60 dBFS; what follows is the reverb tail.
    heard = [i for i, r in enumerate(windows) if r > 0.001]
    music = windows[:heard[-1] + 1] if heard else windows
    return len(music), peak, rms, max(music, default=0.0), min(music, default=0.0), clipped


def main(argv):
    sf2 = next((s for s in SOUNDFONTS if os.path.exists(s)), None)
    out = "/tmp"
    files = []
    while argv:
        a = argv.pop(0)
        if a == "--sf2" and argv:
            sf2 = argv.pop(0)
        elif a == "--out" and argv:
            out = argv.pop(0)
        else:
            files.append(a)
    if sf2 is None:
        print("listen: no General MIDI SoundFont found", file=sys.stderr)
        return 1
    try:
        lib = load_fluidsynth()
    except (RuntimeError, OSError) as e:
        print(f"listen: {e}", file=sys.stderr)
        return 1
    for midi in files:
        wav = os.path.join(out, os.path.splitext(os.path.basename(midi))[0] + ".wav")
        try:
            render(lib, sf2, midi, wav)
            secs, peak, rms, loud, quiet, clipped = levels(wav)
        except (RuntimeError, OSError) as e:
            print(f"listen: {e}", file=sys.stderr)
            return 1
        print(f"{midi}: sound for {secs} s, peak {db(peak):.1f} dBFS, RMS {db(rms):.1f} dBFS, "
              f"loudest 1 s {db(loud):.1f} dBFS, quietest 1 s {db(quiet):.1f} dBFS, "
              f"clipped {clipped * 100:.3f}% -> {wav}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
