#!/usr/bin/env python3
"""Draws Sorbel's icon, a diffraction peak with its half-width on axes.

Standard library only. Writes the Windows icon (32x32 at 8 bpp with a
palette, 32x32 at 24 bpp, 48x48 at 32 bpp with alpha) and the PNGs of the
Linux desktop icon.

    sorbel_icon.py --ico sorbel.ico --png-dir DIR
"""
import argparse
import math
import os
import struct
import zlib

# The art in unit coordinates: x to the right, y downwards, 0..1.
INSET, RADIUS = 0.04, 0.18
TOP, BOTTOM = (0x2B, 0x4C, 0x7E), (0x12, 0x22, 0x3E)  # background gradient
AXIS, PEAK, HALF = (0xE8, 0xEE, 0xF7), (0xFF, 0xB7, 0x03), (0x8E, 0xCA, 0xE6)
AXIS_X, AXIS_Y, X_END, Y_END = 0.20, 0.80, 0.88, 0.16
CENTRE, FWHM, BASE, HEIGHT = 0.56, 0.14, 0.77, 0.56
FILL_ALPHA = 0.35


def peak(x):
    """Height above the baseline (0..1) of a pseudo-Voigt profile."""
    u = (x - CENTRE) / (FWHM / 2)
    return 0.7 * math.exp(-math.log(2) * u * u) + 0.3 / (1 + u * u)


def curve_y(x):
    return BASE - HEIGHT * peak(x)


def half_y():
    return BASE - HEIGHT * 0.5


POLYLINE = [(x, curve_y(x)) for x in (AXIS_X + (X_END - AXIS_X) * i / 400 for i in range(401))]


def distance_to_curve(x, y, reach):
    """Distance from (x, y) to the drawn peak, or more than reach."""
    best = reach * 2
    for (x0, y0), (x1, y1) in zip(POLYLINE, POLYLINE[1:]):
        if x1 < x - reach or x0 > x + reach:
            continue
        dx, dy = x1 - x0, y1 - y0
        t = min(1.0, max(0.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - x0 - t * dx, y - y0 - t * dy))
    return best


def in_rounded_square(x, y):
    lo, hi = INSET, 1 - INSET
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + RADIUS), hi - RADIUS)
    cy = min(max(y, lo + RADIUS), hi - RADIUS)
    return (x - cx) ** 2 + (y - cy) ** 2 <= RADIUS**2


def render(size):
    """RGBA rows (bytes, not premultiplied) of the art at size x size."""
    n = 4 if size <= 64 else 3  # samples per pixel and axis
    # Strokes never get thinner than about a pixel, so small sizes stay legible.
    axis_w = max(0.045, 1.3 / size) / 2
    peak_w = max(0.05, 1.6 / size) / 2
    half_w = max(0.028, 1.0 / size) / 2
    xs = [(i + 0.5) / (size * n) for i in range(size * n)]
    ys = xs
    cy = [curve_y(x) for x in xs]
    slope = [(curve_y(x + 1e-4) - curve_y(x - 1e-4)) / 2e-4 for x in xs]
    hy, hx0, hx1 = half_y(), CENTRE - FWHM / 2, CENTRE + FWHM / 2

    def over(acc, colour, alpha):
        r, g, b, a = acc
        return (
            colour[0] * alpha + r * (1 - alpha),
            colour[1] * alpha + g * (1 - alpha),
            colour[2] * alpha + b * (1 - alpha),
            alpha + a * (1 - alpha),
        )

    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            sr = sg = sb = sa = 0.0
            for j in range(n):
                y = ys[py * n + j]
                t = (y - INSET) / (1 - 2 * INSET)
                bg = tuple(TOP[k] + (BOTTOM[k] - TOP[k]) * t for k in range(3))
                for i in range(n):
                    k = px * n + i
                    x = xs[k]
                    if not in_rounded_square(x, y):
                        continue
                    acc = (bg[0], bg[1], bg[2], 1.0)
                    inside = AXIS_X < x < X_END
                    if inside and cy[k] <= y <= AXIS_Y:
                        acc = over(acc, PEAK, FILL_ALPHA)
                    on_y = abs(x - AXIS_X) <= axis_w and Y_END - axis_w <= y <= AXIS_Y + axis_w
                    on_x = abs(y - AXIS_Y) <= axis_w and AXIS_X - axis_w <= x <= X_END
                    if on_x or on_y:
                        acc = over(acc, AXIS, 1.0)
                    if abs(y - hy) <= half_w and hx0 <= x <= hx1:
                        acc = over(acc, HALF, 1.0)
                    # Cheap bound first: only samples near the curve measure the distance.
                    near = abs(y - cy[k]) <= peak_w * (1 + abs(slope[k])) + 0.01
                    if near and distance_to_curve(x, y, peak_w) <= peak_w:
                        acc = over(acc, PEAK, 1.0)
                    sr += acc[0] * acc[3]
                    sg += acc[1] * acc[3]
                    sb += acc[2] * acc[3]
                    sa += acc[3]
            count = n * n
            a = sa / count
            if sa > 0:
                row += bytes((round(sr / sa), round(sg / sa), round(sb / sa), round(a * 255)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(rows):
    size = len(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + r for r in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def pixels(rows):
    return [[tuple(r[i : i + 4]) for i in range(0, len(r), 4)] for r in rows]


def and_mask(px):
    """1 bit a pixel, set where the icon is transparent; rows bottom-up."""
    size = len(px)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def dib_header(size, bpp, image_bytes, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0, image_bytes, 0, 0, colours, 0)


def dib32(px):
    xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(px) for p in row)
    mask = and_mask(px)
    return dib_header(len(px), 32, len(xor) + len(mask)) + xor + mask


def opaque(p):
    return (0, 0, 0) if p[3] < 128 else p[:3]


def dib24(px):
    size = len(px)
    pad = bytes((4 - size * 3 % 4) % 4)
    xor = b"".join(b"".join(bytes(opaque(p)[::-1]) for p in row) + pad for row in reversed(px))
    mask = and_mask(px)
    return dib_header(size, 24, len(xor) + len(mask)) + xor + mask


def median_cut(colours, boxes_wanted):
    """Up to boxes_wanted representative colours of a list of RGB triples."""
    boxes = [list(colours)]
    while len(boxes) < boxes_wanted:
        best = max(boxes, key=lambda b: max(max(c[k] for c in b) - min(c[k] for c in b) for k in range(3)))
        if len(set(best)) < 2:
            break
        k = max(range(3), key=lambda k: max(c[k] for c in best) - min(c[k] for c in best))
        best.sort(key=lambda c: c[k])
        boxes.remove(best)
        mid = len(best) // 2
        boxes += [best[:mid], best[mid:]]
    return [tuple(round(sum(c[k] for c in b) / len(b)) for k in range(3)) for b in boxes if b]


def dib8(px):
    """256-colour image: entry 0 is black, behind the transparent pixels."""
    size = len(px)
    used = [opaque(p) for row in px for p in row if p[3] >= 128]
    palette = [(0, 0, 0)] + median_cut(used, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}

    def index(c):
        if c not in cache:
            cache[c] = min(range(256), key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
        return cache[c]

    pad = bytes((4 - size % 4) % 4)
    xor = b"".join(bytes(0 if p[3] < 128 else index(p[:3]) for p in row) + pad for row in reversed(px))
    mask = and_mask(px)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return dib_header(size, 8, len(xor) + len(mask), 256) + table + xor + mask


def ico():
    small = pixels(render(32))
    images = [(32, 8, dib8(small)), (32, 24, dib24(small)), (48, 32, dib32(pixels(render(48))))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--ico", help="write the Windows icon here")
    ap.add_argument("--png-dir", help="write sorbel-32.png, sorbel-48.png, sorbel-256.png here")
    args = ap.parse_args()
    if args.ico:
        with open(args.ico, "wb") as f:
            f.write(ico())
    if args.png_dir:
        for size in (32, 48, 256):
            with open(os.path.join(args.png_dir, f"sorbel-{size}.png"), "wb") as f:
                f.write(png(render(size)))


if __name__ == "__main__":
    main()
