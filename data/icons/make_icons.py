#!/usr/bin/env python3
"""Draws Spectrion's application icon (a glowing Planck curve over a spectrum
band) as a 48x48 PNG and a matching SVG. Run from this folder to regenerate."""
import math, struct, zlib

N = 48

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

rows = []
for y in range(N):
    row = bytearray([0])
    for x in range(N):
        # rounded square background
        cx, cy = min(max(x, 6), N - 7), min(max(y, 6), N - 7)
        inside = (x - cx) ** 2 + (y - cy) ** 2 <= 36
        if not inside:
            row += bytes((0, 0, 0, 0)); continue
        r, g, b = 22, 28, 60
        fx = (x - 4) / (N - 9)
        curve_y = N - 8 - planck(min(max(fx, 0), 1)) / peak * (N - 16)
        if 0 <= fx <= 1 and y >= curve_y:
            sr, sg, sb = spectrum(fx)
            r, g, b = (sr * 3 + r) // 4, (sg * 3 + g) // 4, (sb * 3 + b) // 4
        if 0 <= fx <= 1 and abs(y - curve_y) < 1.3:
            r, g, b = 255, 250, 235
        row += bytes((r, g, b, 255))
    rows.append(bytes(row))

def chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", N, N, 8, 6, 0, 0, 0)) \
    + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open("spectrion.png", "wb").write(png)

pts = " ".join(f"{4 + i / 40 * 39:.2f},{40 - planck(i / 40) / peak * 32:.2f}" for i in range(41))
stops = "".join(f'<stop offset="{t}" stop-color="rgb{spectrum(t)}"/>' for t in (0, 0.25, 0.45, 0.65, 0.82, 1))
svg = f'''<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
<defs><linearGradient id="s" x1="0" x2="1">{stops}</linearGradient></defs>
<rect x="0.5" y="0.5" width="47" height="47" rx="6" fill="rgb(22,28,60)"/>
<polygon points="4,40 {pts} 43,40" fill="url(#s)" opacity="0.8"/>
<polyline points="{pts}" fill="none" stroke="rgb(255,250,235)" stroke-width="1.6"/>
</svg>
'''
open("spectrion.svg", "w").write(svg)
