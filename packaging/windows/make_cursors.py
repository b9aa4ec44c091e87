#!/usr/bin/env python3
"""Writes the chart's cursors as Windows cursor files (.cur) for the program's
resources. The pictures and hot spots have one source, the chart's own table
in src/chart/rchart_cursors.cpp: each picture is an XPM text in a raw string
constant, and the table row {index, "NAME", constant, hotX, hotY} gives its
resource name and hot spot. Each file holds the picture at its own size and
at twice that size (pixels doubled, for screens at 200 %), as a monochrome
cursor: XPM colour None is transparent, black and white are drawn as they are.

Usage: make_cursors.py SOURCE OUTDIR   writes OUTDIR/NAME.cur for every row
"""
import os
import re
import struct
import sys


class CursorError(Exception):
    pass


# Colours a monochrome cursor can show: (AND bit, XOR bit) per pixel.
COLOURS = {
    "none": (1, 0),
    "#000000": (0, 0), "#000": (0, 0), "black": (0, 0),
    "#ffffff": (0, 1), "#fff": (0, 1), "white": (0, 1),
}

RAW_STRING = re.compile(r'const\s+char\s*\*\s*const\s+(\w+)\s*=\s*R"\((.*?)\)"\s*;', re.S)
TABLE_ROW = re.compile(r'\{\s*\w+\s*,\s*"(\w+)"\s*,\s*(\w+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*\}')


def parse_xpm(name, text):
    """The picture of an XPM text as rows of (AND, XOR) pairs."""
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', text)
    if not strings:
        raise CursorError(f"{name}: no XPM strings")
    header = strings[0].split()
    if len(header) < 4 or not all(h.isdigit() for h in header[:4]):
        raise CursorError(f"{name}: bad XPM header {strings[0]!r}")
    width, height, ncolours, cpp = map(int, header[:4])
    if width <= 0 or height <= 0 or width > 128 or height > 128 or cpp <= 0:
        raise CursorError(f"{name}: unsupported size {width}x{height}, {cpp} chars per pixel")
    if len(strings) != 1 + ncolours + height:
        raise CursorError(f"{name}: {len(strings) - 1} lines after the header, "
                          f"expected {ncolours} colours and {height} rows")
    palette = {}
    for line in strings[1:1 + ncolours]:
        key, rest = line[:cpp], line[cpp:].split()
        if len(rest) < 2 or "c" not in rest[:-1]:
            raise CursorError(f"{name}: colour line {line!r} has no 'c' colour")
        colour = rest[rest.index("c") + 1].lower()
        if colour not in COLOURS:
            raise CursorError(f"{name}: colour {colour!r} is not None, black or white")
        palette[key] = COLOURS[colour]
    rows = []
    for y, line in enumerate(strings[1 + ncolours:]):
        if len(line) != width * cpp:
            raise CursorError(f"{name}: row {y} has {len(line)} characters, expected {width * cpp}")
        row = []
        for x in range(width):
            key = line[x * cpp:(x + 1) * cpp]
            if key not in palette:
                raise CursorError(f"{name}: row {y} uses colour {key!r}, which is not defined")
            row.append(palette[key])
        rows.append(row)
    return rows


def read_cursors(source_text):
    """(name, rows, hot_x, hot_y) for every row of the chart's cursor table."""
    pictures = {m.group(1): m.group(2) for m in RAW_STRING.finditer(source_text)}
    cursors = []
    for m in TABLE_ROW.finditer(source_text):
        name, constant, hot_x, hot_y = m.group(1), m.group(2), int(m.group(3)), int(m.group(4))
        if constant not in pictures:
            raise CursorError(f"{name}: no picture named {constant}")
        rows = parse_xpm(name, pictures[constant])
        if not (0 <= hot_x < len(rows[0]) and 0 <= hot_y < len(rows)):
            raise CursorError(f"{name}: hot spot ({hot_x}, {hot_y}) lies outside the picture")
        cursors.append((name, rows, hot_x, hot_y))
    if not cursors:
        raise CursorError("no cursor table rows found")
    return cursors


def scaled(rows, factor):
    return [[p for p in row for _ in range(factor)] for row in rows for _ in range(factor)]


def bit_rows(rows, bit):
    """1-bit rows, bottom row first, each padded to a multiple of 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray((len(row) + 31) // 32 * 4)
        for x, p in enumerate(row):
            if p[bit]:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def cursor_image(rows):
    width, height = len(rows[0]), len(rows)
    xor, mask = bit_rows(rows, 1), bit_rows(rows, 0)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 1, 0, len(xor) + len(mask),
                         0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return header + palette + xor + mask


def cursor_file(rows, hot_x, hot_y, factors=(1, 2)):
    """A .cur file with the picture at each of the given scale factors."""
    images = [(f, cursor_image(scaled(rows, f))) for f in factors]
    out = struct.pack("<HHH", 0, 2, len(images))
    offset = 6 + 16 * len(images)
    for f, image in images:
        w, h = len(rows[0]) * f, len(rows) * f
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 2, 0, hot_x * f, hot_y * f,
                           len(image), offset)
        offset += len(image)
    return out + b"".join(image for _, image in images)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    source, outdir = argv[1], argv[2]
    try:
        with open(source, encoding="utf-8") as f:
            cursors = read_cursors(f.read())
    except (OSError, CursorError) as e:
        print(f"make_cursors.py: {source}: {e}", file=sys.stderr)
        return 1
    os.makedirs(outdir, exist_ok=True)
    for name, rows, hot_x, hot_y in cursors:
        path = os.path.join(outdir, name + ".cur")
        with open(path + ".tmp", "wb") as f:
            f.write(cursor_file(rows, hot_x, hot_y))
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
