#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets from the worked examples: run it from the
repository's folder after changing how a target reads its bytes."""
import pathlib
import struct

def write(target, name, data):
    folder = pathlib.Path("fuzz", "corpus", target)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)

def texts(*items):
    return b"\0".join(t.encode() for t in items) + b"\0"

# Field check: a text, then a double and a picture index.
for i, t in enumerate(["40", " 0.8 ", "-12.5e3", "abc", "1e39", "1,5", "81.37"]):
    write("field_check", f"seed{i}", texts(t) + struct.pack(">d", 813.74) + bytes([i]))

# Design: diffuser, temperature and coefficient choices (0 unset, 1 two/typed, 2 three/BMEP),
# the pattern options byte, then Texh(0..9): temperature, angle, speed, BMEP, tail, LX, mid,
# horn, DX, D1. The calculators: their choice byte where they have one, then their fields.
for target, name, head, fields in [
        ("design", "three-stage-bmep", [2, 2, 2, 7], ",88,11000,10,,20,,1.5,40,44"),
        ("design", "two-stage-typed", [1, 1, 1, 0], "600,88,11000,,0.65,20,2.5,,40,44"),
        ("design", "top-bmep", [2, 2, 2, 3], ",80,12000,12,,20,,2.0,40,44"),
        ("design", "lx-at-limit", [2, 2, 2, 1], ",88,11000,10,,81.373909,,1.5,40,44"),
        ("bmep", "kw", [0], "54,54.5,12000,30"), ("bmep", "hp", [1], "54,54.5,12000,40"),
        ("port_height", "worked", [], "54.5,110,85,180"),
        ("port_height", "short-rod", [], "65,30,90,180"),
        ("rect_port", "worked", [], "40,30,5,5"), ("rect_port", "negative", [], "40,30,-100,0"),
        ("prof_port", "single", [0], "50,,,,20,4" + ",30" * 5 + "," * 6),
        ("prof_port", "bridged", [1], "60,6,5,7,24,8,12,17,20,21,22,21,20,17,12,,")]:
    write(target, name, bytes(head) + texts(*fields.split(",")))

# Layout: a frame (four doubles), a length, tile and overlap, then a section.
write("layout", "piece", struct.pack(">7d", -10, -20, 800, 600, 1000, 182, 10) +
      bytes([1]) + struct.pack(">3d", 44, 60.8, 223.8) + bytes([5]))

# Command line: the command's index, then its arguments; the design also with design files
# (in the fuzzer's scratch folder): saved, opened again.
worked = ("--three-stage", "--temp-bmep", "--coef-bmep", "--bmep", "10", "--horn", "1.5", "--dx",
          "40", "--d1", "44", "--lx", "20", "--angle", "88", "--rpm", "11000")
for name, command, args in [
        ("design", 0, (*worked, "--json")), ("design-save", 0, (*worked, "--save", "pipe.ecd")),
        ("design-open", 0, ("--open", "pipe.ecd", "--rpm", "12000", "--json")),
        ("design-save-equals", 0, (*worked, "--save=pipe.ecd", "--json")),
        ("bmep", 1, ("--kw", "--bore", "54", "--stroke", "54.5", "--rpm", "12000", "--power", "30",
                     "--json")),
        ("profiled", 4, ("--single", "--bore", "50", "--height", "20", "--intervals", "4",
                         *["--ordinate", "30"] * 5))]:
    write("cli", name, bytes([command]) + texts(*args))

# Design files: a saved three-stage design, one with a field of the wrong type, one of a
# newer version, and text that is no JSON.
saved = ('{"format": "expansion-chamber-design", "version": 1, "pipeName": "GP \\"125\\" \u00d6l",'
         ' "diffuser": "three-stage", "temperature": "bmep", "coefficients": "bmep", "fields":'
         ' {"horn": "1.5", "bmep": "10", "temp": "", "dx": "40", "d1": "44", "lx": "20",'
         ' "mid": "", "tail": "", "angle": "88", "rpm": "11000"}}')
write("design_file", "saved", saved.encode())
write("design_file", "wrong-type", saved.replace('"rpm": "11000"', '"rpm": 11000').encode())
write("design_file", "newer", saved.replace('"version": 1', '"version": 2').encode())
write("design_file", "no-json", b"{\"format\": [[[[")
