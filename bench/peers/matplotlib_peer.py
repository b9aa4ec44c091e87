#!/usr/bin/python3
"""Times matplotlib (Agg, antialiasing off) drawing the peer benchmark's
picture: the same curves, band, peak curve, dotted peak line, captions and
21 + 21 grid lines at 800 x 600, for 1, 5, 10 and 21 curves of 198, 2000 and
20000 points. Prints the median CPU time of one complete figure draw
(fig.canvas.draw()) in microseconds, to set beside bench_peers' table.

Usage: bench/peers/matplotlib_peer.py [ROUNDS] [--save DIR]
"""
import sys
import time

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

# The simulation's model (the same constants as the program).
HC, K, PREFACTOR, WIEN = 1.987824e-25, 1.38e-23, 4.995946620023582e-24, 0.0144
FIRST, LAST, TO_NM, CURRENT = 1e-7, 9.95e-6, 1e9, 5800
PX = 72 / 100  # one pixel at 100 dpi, in points


def density(lam, t):
    x = HC / (K * lam * t)
    with np.errstate(over="ignore"):
        u = PREFACTOR / lam**5 / np.expm1(x)
    return np.where(x < 100.0, u, 0.0)


def scene(curves, points):
    lam = np.linspace(FIRST, LAST, points)
    grid = np.arange(1e-7, 1e-5, 5e-8)
    top = 10 ** (np.ceil(10 * np.log10(density(grid, CURRENT).max())) / 10)
    temps = [3000 + k * 2600 // max(1, curves - 1) for k in range(curves - 1)] + [CURRENT]
    data = []
    for t in temps:
        y = density(lam, t)
        data.append((np.concatenate(([FIRST * TO_NM], lam * TO_NM)),
                     np.concatenate(([0.0], y)), t, y.max()))
    pt = 80 + 20 * np.arange(496)
    peaks = (WIEN / (5.0 * pt) * TO_NM, density(WIEN / (5.0 * pt), pt))
    return data, peaks, top


def figure(curves, points):
    data, peaks, top = scene(curves, points)
    fig = plt.figure(figsize=(8, 6), dpi=100)
    ax = fig.add_axes([64 / 800, 40 / 600, (800 - 76) / 800, (600 - 60) / 600])
    ax.set_xlim(0, 10000)
    ax.set_ylim(9e-11, top)
    ax.set_xticks(np.arange(0, 10001, 500))
    ax.set_yticks(np.arange(21) * top / 20)
    ax.grid(True, color="#c0c0c0", linewidth=PX, antialiased=False)
    ax.set_xlabel("Wavelength [nm]")
    ax.set_ylabel("Energy Density")
    ax.axvspan(380, 770, color="#ddeeff", antialiased=False)
    ax.text(480, top * 0.97, "visible light", color="#778899")
    ax.plot(*peaks, color="#008000", linewidth=PX, antialiased=False)
    for x, y, t, peak in data:
        current = t == CURRENT
        ax.plot(x, y, color="#000000" if current else "#808080", linewidth=PX,
                antialiased=False)
        if not current:
            ax.text(WIEN / (5.0 * t) * TO_NM, peak, "%d K" % t, color="#0000ff")
    lp = WIEN / (5.0 * CURRENT) * TO_NM
    ax.plot([lp, lp], [9e-11, top], color="#ff0000", linestyle=":", linewidth=PX,
            antialiased=False)
    return fig


def main():
    args = sys.argv[1:]
    save = None
    if "--save" in args:
        save = args[args.index("--save") + 1]
        del args[args.index("--save"):args.index("--save") + 2]
    rounds = int(args[0]) if args else 7
    print("matplotlib %s Agg, CPU time per fig.canvas.draw(), median of %d (us)"
          % (matplotlib.__version__, rounds))
    print("%7s %7s %11s" % ("curves", "points", "matplotlib"))
    for points in (198, 2000, 20000):
        for curves in (1, 5, 10, 21):
            fig = figure(curves, points)
            fig.canvas.draw()  # first draw: fonts and caches
            times = []
            for _ in range(rounds):
                start = time.thread_time()
                fig.canvas.draw()
                times.append((time.thread_time() - start) * 1e6)
            if save:
                fig.savefig("%s/matplotlib_%dx%d.png" % (save, curves, points))
            plt.close(fig)
            print("%7d %7d %11.0f" % (curves, points, sorted(times)[len(times) // 2]))
            sys.stdout.flush()


if __name__ == "__main__":
    main()
