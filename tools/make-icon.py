#!/usr/bin/env python3
"""Draws the program icon (panels of tiles floating in depth) into a multi-size .ico.

Standard library only; every size is rendered on its own with supersampling, so small
sizes stay sharp. Usage: make-icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)


def lerp(a, b, t):
    return a + (b - a) * t


def inside_convex(poly, x, y):
    sign = 0
    n = len(poly)
    for i in range(n):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % n]
        cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
        if cross != 0:
            s = 1 if cross > 0 else -1
            if sign == 0:
                sign = s
            elif s != sign:
                return False
    return True


def inside_rounded(x, y, r):
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def panel(x0, y0, w, h, skew):
    """A panel seen slightly from the side: its right edge is shorter (further away)."""
    return [(x0, y0), (x0 + w, y0 + skew), (x0 + w, y0 + h - skew), (x0, y0 + h)]


def bilerp(quad, u, v):
    (ax, ay), (bx, by), (cx, cy), (dx, dy) = quad
    top = (lerp(ax, bx, u), lerp(ay, by, u))
    bottom = (lerp(dx, cx, u), lerp(dy, cy, u))
    return (lerp(top[0], bottom[0], v), lerp(top[1], bottom[1], v))


def sub_quad(quad, u0, v0, u1, v1):
    return [bilerp(quad, u0, v0), bilerp(quad, u1, v0), bilerp(quad, u1, v1), bilerp(quad, u0, v1)]


def scene():
    """Shapes back to front: (polygon, (r, g, b, a))."""
    shapes = []
    for depth, (x0, y0, w, h, alpha) in enumerate(
            [(0.52, 0.10, 0.36, 0.50, 0.55), (0.34, 0.18, 0.42, 0.58, 0.75)]):
        quad = panel(x0, y0, w, h, 0.05)
        shapes.append((quad, (200, 215, 240, alpha)))
        for row in range(3):
            for col in range(2):
                u0 = 0.12 + col * 0.44
                v0 = 0.10 + row * 0.29
                shapes.append((sub_quad(quad, u0, v0, u0 + 0.32, v0 + 0.18), (90, 120, 170, alpha)))
    front = panel(0.10, 0.24, 0.50, 0.66, 0.045)
    shapes.append((front, (60, 200, 90, 1.0)))  # the current level's green frame
    inner = sub_quad(front, 0.045, 0.035, 0.955, 0.965)
    shapes.append((inner, (236, 242, 250, 1.0)))
    for row in range(3):
        for col in range(2):
            u0 = 0.10 + col * 0.44
            v0 = 0.07 + row * 0.31
            shapes.append((sub_quad(inner, u0, v0, u0 + 0.34, v0 + 0.17), (245, 196, 70, 1.0)))
            shapes.append((sub_quad(inner, u0, v0 + 0.20, u0 + 0.34, v0 + 0.25), (80, 95, 120, 1.0)))
    return shapes


def render(size):
    samples = 4 if size <= 48 else 3
    shapes = scene()
    pixels = bytearray(size * size * 4)  # BGRA, top-down
    step = 1.0 / (size * samples)
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px * samples + sx + 0.5) * step
                    y = (py * samples + sy + 0.5) * step
                    if not inside_rounded(x, y, 0.16):
                        continue
                    r, g, b = lerp(64, 24, y), lerp(104, 44, y), lerp(168, 92, y)
                    for poly, (sr, sg, sb, sa) in shapes:
                        if inside_convex(poly, x, y):
                            r, g, b = lerp(r, sr, sa), lerp(g, sg, sa), lerp(b, sb, sa)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += 1
            n = samples * samples
            i = (py * size + px) * 4
            if acc[3]:
                pixels[i:i + 4] = bytes((int(acc[2] / acc[3]), int(acc[1] / acc[3]),
                                         int(acc[0] / acc[3]), int(255 * acc[3] / n)))
    return pixels


def dib_entry(size, bgra):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = [bgra[y * size * 4:(y + 1) * size * 4] for y in range(size)]
    xor = b''.join(reversed(rows))  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytearray(mask_row * size)
    for y in range(size):
        for x in range(size):
            if bgra[(y * size + x) * 4 + 3] == 0:
                row = size - 1 - y
                and_mask[row * mask_row + x // 8] |= 0x80 >> (x % 8)
    return header + xor + bytes(and_mask)


def png_entry(size, bgra):
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            b, g, r, a = bgra[(y * size + x) * 4:(y * size + x) * 4 + 4]
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def main():
    images = []
    for size in SIZES:
        bgra = render(size)
        images.append((size, png_entry(size, bgra) if size >= 256 else dib_entry(size, bgra)))
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
