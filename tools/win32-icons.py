#!/usr/bin/env python3
"""Draws the icon of the registration programs (src/win32/res/orbane.ico).

Quillon.exe's icon is rendered at build time from the application's drawing
(resources/quillon.svg, cmake/AppIcon.cmake).

The pictures are simple shapes computed here, supersampled for smooth edges, so that they can
be regenerated without an image editor:  python3 tools/win32-icons.py
"""
import math
import os
import struct

SIZES = (16, 32, 48)
SS = 4  # samples per pixel along each axis


def orbane(x, y):
    """A grey screen edge with a column of keys, the first one marked blue."""
    if not (0.04 <= x <= 0.96 and 0.04 <= y <= 0.96):
        return None
    if 0.55 <= x <= 0.9:
        for i in range(4):
            top = 0.1 + i * 0.21
            if top <= y <= top + 0.16:
                return (40, 90, 220) if i == 0 else (235, 235, 235)
    if 0.1 <= x <= 0.48 and 0.1 <= y <= 0.9:
        return (70, 70, 70)
    return (150, 150, 150)


def render(shape, size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = shape((px + (sx + 0.5) / SS) / size, (py + (sy + 0.5) / SS) / size)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // n, acc[1] // n, acc[2] // n, 255 * n // (SS * SS)))
        rows.append(row)
    return rows


def bmp_entry(rows, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha channel decides; the mask shows everything
    return header + pixels + mask


def ico(shape):
    images = [bmp_entry(render(shape, s), s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    res = os.path.join(here, "..", "src", "win32", "res")
    for name, shape in (("orbane.ico", orbane),):
        with open(os.path.join(res, name), "wb") as f:
            f.write(ico(shape))


if __name__ == "__main__":
    main()
