#!/usr/bin/env python3
"""Draws Spectrion's application icon (a glowing Planck curve over a spectrum
band) as a 48x48 PNG, a matching SVG, and the Windows icon spectrion.ico with
the same picture at 16, 24, 32, 48, 64 and 256 pixels (the small sizes as
32-bit bitmaps, the 256 one PNG-compressed). The picture is drawn on a 48-unit
grid; the PNG samples it once per pixel, the .ico entries 4 x 4 times per
pixel, so that small sizes keep the curve and large ones get smooth edges.

  make_icons.py           writes the three files beside this script
  make_icons.py --check   writes nothing; fails when a file differs from
                          what would be written
"""
import math, os, struct, sys, zlib

N = 48
ICO_SIZES = (16, 24, 32, 48, 64, 256)
HERE = os.path.dirname(os.path.abspath(__file__))

def planck(x):  # shape of the curve over 0..1, peak near x = 0.3
    lam = 0.05 + x * 1.6
    return (1 / lam**5) / (math.exp(1 / (lam * 0.55)) - 1)

peak = max(planck(i / 400) for i in range(401))

def spectrum(t):  # violet -> red
    stops = [(0.0, (120, 40, 200)), (0.25, (40, 90, 255)), (0.45, (40, 200, 90)),
             (0.65, (250, 220, 40)), (0.82, (255, 140, 30)), (1.0, (230, 40, 30))]
    for (a, ca), (b, cb) in zip(stops, stops[1:]):
        if a <= t <= b:
            f = (t - a) / (b - a)
            return tuple(int(ca[i] + (cb[i] - ca[i]) * f) for i in range(3))
    return stops[-1][1]

def colour_at(x, y, curve_y):
    """RGBA of the point (x, y) of the 48-unit grid; curve_y(fx) is the curve."""
    # rounded square background
    cx, cy = min(max(x, 6), N - 7), min(max(y, 6), N - 7)
    if (x - cx) ** 2 + (y - cy) ** 2 > 36:
        return (0, 0, 0, 0)
    r, g, b = 22, 28, 60
    fx = (x - 4) / (N - 9)
    cy_ = curve_y(fx)
    if 0 <= fx <= 1 and y >= cy_:
        sr, sg, sb = spectrum(fx)
        r, g, b = (sr * 3 + r) // 4, (sg * 3 + g) // 4, (sb * 3 + b) // 4
    if 0 <= fx <= 1 and abs(y - cy_) < 1.3:
        r, g, b = 255, 250, 235
    return (r, g, b, 255)

def render(size, samples):
    """Rows of RGBA tuples: the picture at size x size pixels, each pixel the
    average of samples x samples points of the grid (alpha-weighted)."""
    cache = {}
    def curve_y(fx):
        if fx not in cache:
            cache[fx] = N - 8 - planck(min(max(fx, 0), 1)) / peak * (N - 16)
        return cache[fx]
    scale = N / size
    offsets = [(i + 0.5) / samples for i in range(samples)]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for oy in offsets:
                for ox in offsets:
                    r, g, b, a = colour_at((px + ox) * scale - 0.5, (py + oy) * scale - 0.5, curve_y)
                    acc[0] += r * a; acc[1] += g * a; acc[2] += b * a; acc[3] += a
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3))
                           + (round(acc[3] / samples ** 2),))
        rows.append(row)
    return rows

def chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

def png(rows):
    size = len(rows)
    raw = b"".join(bytes([0]) + b"".join(bytes(p) for p in row) for row in rows)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) \
        + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")

def ico_bitmap(rows):
    """An icon entry as a 32-bit bitmap with its AND mask, bottom row first."""
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask),
                         0, 0, 0, 0)
    return header + colour + bytes(mask)

def ico(pictures):
    images = [(len(rows), png(rows) if len(rows) >= 256 else ico_bitmap(rows)) for rows in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)

def svg():
    pts = " ".join(f"{4 + i / 40 * 39:.2f},{40 - planck(i / 40) / peak * 32:.2f}" for i in range(41))
    stops = "".join(f'<stop offset="{t}" stop-color="rgb{spectrum(t)}"/>' for t in (0, 0.25, 0.45, 0.65, 0.82, 1))
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
<defs><linearGradient id="s" x1="0" x2="1">{stops}</linearGradient></defs>
<rect x="0.5" y="0.5" width="47" height="47" rx="6" fill="rgb(22,28,60)"/>
<polygon points="4,40 {pts} 43,40" fill="url(#s)" opacity="0.8"/>
<polyline points="{pts}" fill="none" stroke="rgb(255,250,235)" stroke-width="1.6"/>
</svg>
'''.encode()

def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print("usage: make_icons.py [--check]", file=sys.stderr)
        return 2
    files = {
        "spectrion.png": png(render(N, 1)),
        "spectrion.svg": svg(),
        "spectrion.ico": ico([render(size, 4) for size in ICO_SIZES]),
    }
    stale = []
    for name, data in files.items():
        path = os.path.join(HERE, name)
        if check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("make_icons.py: out of date: " + ", ".join(stale)
              + " (run data/icons/make_icons.py and commit the result)", file=sys.stderr)
        return 1
    return 0

if __name__ == "__main__":
    sys.exit(main(sys.argv))
