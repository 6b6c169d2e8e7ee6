#!/usr/bin/env python3
"""Draws the programs' icons into resources/ZunaVideoIcons (32-bit ICO files, standard library only)."""
import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "ZunaVideoIcons")


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def put(self, x, y, rgba):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = rgba

    def fill(self, inside, rgba):
        """Paints every pixel whose centre (in 0..1 units) satisfies inside(u, v)."""
        n = self.size
        for y in range(n):
            for x in range(n):
                if inside((x + 0.5) / n, (y + 0.5) / n):
                    self.put(x, y, rgba)

    def ico(self):
        n = self.size
        rows = b"".join(
            b"".join(struct.pack("BBBB", b, g, r, a) for (r, g, b, a) in self.px[y]) for y in reversed(range(n)))
        mask_row = ((n + 31) // 32) * 4
        mask = b"\x00" * (mask_row * n)
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
        image = header + rows + mask
        entry = struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(image), 6 + 16)
        return struct.pack("<HHH", 0, 1, 1) + entry + image


def disc(cx, cy, r):
    return lambda u, v: (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def rect(x0, y0, x1, y1):
    return lambda u, v: x0 <= u <= x1 and y0 <= v <= y1


def triangle(a, b, c):
    def inside(u, v):
        def side(p, q):
            return (q[0] - p[0]) * (v - p[1]) - (q[1] - p[1]) * (u - p[0])
        s1, s2, s3 = side(a, b), side(b, c), side(c, a)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def logo(size):
    c = Canvas(size)
    c.fill(disc(0.5, 0.5, 0.48), (20, 30, 70, 255))            # night sky
    c.fill(disc(0.62, 0.45, 0.28), (120, 110, 100, 255))       # asteroid
    c.fill(disc(0.30, 0.36, 0.07), (255, 250, 210, 255))       # star
    return c


def help_icon(size):
    c = Canvas(size)
    c.fill(disc(0.5, 0.5, 0.47), (30, 90, 200, 255))
    c.fill(lambda u, v: 0.25 <= math.hypot(u - 0.5, v - 0.38) <= 0.36 and not (v > 0.38 and u < 0.5),
           (255, 255, 255, 255))
    c.fill(rect(0.44, 0.5, 0.56, 0.66), (255, 255, 255, 255))
    c.fill(disc(0.5, 0.8, 0.07), (255, 255, 255, 255))
    return c


def button(size, shapes, colour=(30, 30, 30, 255)):
    c = Canvas(size)
    for shape in shapes:
        c.fill(shape, colour)
    return c


def folder(size, clear):
    c = Canvas(size)
    c.fill(rect(0.08, 0.22, 0.45, 0.35), (200, 160, 40, 255))
    c.fill(rect(0.08, 0.3, 0.92, 0.85), (235, 190, 60, 255))
    if clear:
        cross = lambda u, v: abs(u - v) < 0.07 or abs(u + v - 1) < 0.07
        c.fill(lambda u, v: cross(u, v) and 0.2 < u < 0.8 and 0.2 < v < 0.8, (200, 30, 30, 255))
    return c


ICONS = {
    "ZUNA_logo_large.ico": lambda: logo(32),
    "ZUNA_logo_small.ico": lambda: logo(16),
    "help24x.ico": lambda: help_icon(24),
    "record56x.ico": lambda: button(56, [disc(0.5, 0.5, 0.36)], (210, 20, 20, 255)),
    "stop64x.ico": lambda: button(64, [rect(0.2, 0.2, 0.8, 0.8)]),
    "folder32x.ico": lambda: folder(32, False),
    "folderClear32x.ico": lambda: folder(32, True),
    "start64x.ico": lambda: button(64, [triangle((0.25, 0.18), (0.25, 0.82), (0.8, 0.5))], (20, 140, 40, 255)),
    "pause64x.ico": lambda: button(64, [rect(0.25, 0.2, 0.42, 0.8), rect(0.58, 0.2, 0.75, 0.8)]),
    "beginFile64x.ico": lambda: button(64, [rect(0.18, 0.2, 0.28, 0.8), triangle((0.8, 0.2), (0.8, 0.8), (0.3, 0.5))]),
    "endFile64x.ico": lambda: button(64, [rect(0.72, 0.2, 0.82, 0.8), triangle((0.2, 0.2), (0.2, 0.8), (0.7, 0.5))]),
    "forwardOneFrame64x.ico": lambda: button(64, [triangle((0.3, 0.25), (0.3, 0.75), (0.7, 0.5)),
                                                  rect(0.72, 0.25, 0.78, 0.75)]),
    "backOneFrame64x.ico": lambda: button(64, [triangle((0.7, 0.25), (0.7, 0.75), (0.3, 0.5)),
                                               rect(0.22, 0.25, 0.28, 0.75)]),
    # The crosshairs window's arrow buttons: an arrow head on a shaft.
    "upArrow32x.ico": lambda: button(32, [triangle((0.5, 0.12), (0.15, 0.5), (0.85, 0.5)), rect(0.4, 0.5, 0.6, 0.88)]),
    "downArrow32x.ico": lambda: button(32, [triangle((0.5, 0.88), (0.15, 0.5), (0.85, 0.5)), rect(0.4, 0.12, 0.6, 0.5)]),
    "leftArrow32x.ico": lambda: button(32, [triangle((0.12, 0.5), (0.5, 0.15), (0.5, 0.85)), rect(0.5, 0.4, 0.88, 0.6)]),
    "rightArrow32x.ico": lambda: button(32, [triangle((0.88, 0.5), (0.5, 0.15), (0.5, 0.85)), rect(0.12, 0.4, 0.5, 0.6)]),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, draw in ICONS.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(draw().ico())
    print(f"wrote {len(ICONS)} icons to {os.path.normpath(OUT)}", file=sys.stderr)


if __name__ == "__main__":
    main()
