#!/usr/bin/env python3
"""Draws the About box's picture: the Glimmera logo as a 263 x 51, 8-bit palettised BMP.

An emblem of three stacked scene levels carrying tiles, the word mark with a soft glow and the
tag line, on a deep blue gradient. Standard library only; the output is the same on every run.

    make-picture.py OUTPUT.bmp
"""
import math
import struct
import sys

WIDTH, HEIGHT = 263, 51


def clamp(value, low=0.0, high=1.0):
    return low if value < low else high if value > high else value


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


class Layer:
    """Coverage in [0, 1] per pixel, rows top-down."""

    def __init__(self):
        self.cover = [[0.0] * WIDTH for _ in range(HEIGHT)]

    def stroke(self, x0, y0, x1, y1, half_width):
        """An anti-aliased line with round ends; coordinates in pixels, y down."""
        left = int(math.floor(min(x0, x1) - half_width - 1))
        right = int(math.ceil(max(x0, x1) + half_width + 1))
        top = int(math.floor(min(y0, y1) - half_width - 1))
        bottom = int(math.ceil(max(y0, y1) + half_width + 1))
        dx, dy = x1 - x0, y1 - y0
        length_sq = dx * dx + dy * dy
        for y in range(max(top, 0), min(bottom, HEIGHT - 1) + 1):
            row = self.cover[y]
            py = y + 0.5
            for x in range(max(left, 0), min(right, WIDTH - 1) + 1):
                px = x + 0.5
                t = 0.0 if length_sq == 0 else clamp(((px - x0) * dx + (py - y0) * dy) / length_sq)
                distance = math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))
                coverage = clamp(half_width + 0.5 - distance)
                if coverage > row[x]:
                    row[x] = coverage

    def polygon(self, points):
        """A filled, anti-aliased convex or concave polygon (4 x 4 supersampling)."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for y in range(max(int(min(ys)), 0), min(int(max(ys)) + 1, HEIGHT - 1) + 1):
            for x in range(max(int(min(xs)), 0), min(int(max(xs)) + 1, WIDTH - 1) + 1):
                inside = 0
                for sy in range(4):
                    for sx in range(4):
                        if point_in_polygon(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, points):
                            inside += 1
                coverage = inside / 16
                if coverage > self.cover[y][x]:
                    self.cover[y][x] = coverage

    def blurred(self, radius, passes=3):
        result = Layer()
        result.cover = [row[:] for row in self.cover]
        for _ in range(passes):
            result.cover = box_blur(result.cover, radius)
        return result


def point_in_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def box_blur(cover, radius):
    def blur_rows(rows):
        out = []
        for row in rows:
            n = len(row)
            prefix = [0.0]
            for value in row:
                prefix.append(prefix[-1] + value)
            out.append([(prefix[min(n, i + radius + 1)] - prefix[max(0, i - radius)]) /
                        (2 * radius + 1) for i in range(n)])
        return out

    horizontal = blur_rows(cover)
    transposed = [list(column) for column in zip(*horizontal)]
    return [list(row) for row in zip(*blur_rows(transposed))]


# A geometric stroke font. Glyphs are lists of strokes in em units (x right, y up from the
# baseline): ("line", x0, y0, x1, y1), ("arc", cx, cy, rx, ry, from_degrees, to_degrees),
# ("dot", x, y). Each glyph has its advance width.
X_HEIGHT = 0.52
ASCENT = 0.74
GLYPHS = {
    "G": (0.74, [("arc", 0.37, 0.37, 0.35, 0.37, 40, 320), ("line", 0.39, 0.33, 0.70, 0.33),
                 ("line", 0.70, 0.33, 0.70, 0.13)]),
    "l": (0.20, [("line", 0.10, 0.0, 0.10, 0.76)]),
    "i": (0.20, [("line", 0.10, 0.0, 0.10, X_HEIGHT), ("dot", 0.10, 0.68)]),
    "m": (0.80, [("line", 0.06, 0.0, 0.06, X_HEIGHT), ("arc", 0.225, 0.34, 0.165, 0.18, 0, 180),
                 ("line", 0.39, 0.0, 0.39, 0.34), ("arc", 0.555, 0.34, 0.165, 0.18, 0, 180),
                 ("line", 0.72, 0.0, 0.72, 0.34)]),
    "e": (0.56, [("line", 0.03, 0.26, 0.53, 0.26), ("arc", 0.28, 0.26, 0.25, 0.26, 0, 320)]),
    "r": (0.36, [("line", 0.06, 0.0, 0.06, X_HEIGHT), ("arc", 0.26, 0.30, 0.20, 0.22, 25, 175)]),
    "a": (0.58, [("arc", 0.27, 0.26, 0.24, 0.26, 0, 360), ("line", 0.51, 0.0, 0.51, X_HEIGHT)]),
    "3": (0.56, [("arc", 0.26, 0.54, 0.20, 0.19, -90, 160), ("arc", 0.26, 0.19, 0.23, 0.19, -160, 90)]),
    "-": (0.40, [("line", 0.06, 0.34, 0.32, 0.34)]),
    "D": (0.66, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.72, 0.26, 0.72),
                 ("line", 0.06, 0.0, 0.26, 0.0), ("arc", 0.26, 0.36, 0.34, 0.36, -90, 90)]),
    "F": (0.50, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.72, 0.46, 0.72),
                 ("line", 0.06, 0.38, 0.40, 0.38)]),
    "I": (0.16, [("line", 0.08, 0.0, 0.08, 0.72)]),
    "L": (0.48, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.0, 0.44, 0.0)]),
    "E": (0.50, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.72, 0.46, 0.72),
                 ("line", 0.06, 0.37, 0.40, 0.37), ("line", 0.06, 0.0, 0.46, 0.0)]),
    "M": (0.80, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.72, 0.40, 0.12),
                 ("line", 0.40, 0.12, 0.74, 0.72), ("line", 0.74, 0.72, 0.74, 0.0)]),
    "A": (0.66, [("line", 0.03, 0.0, 0.33, 0.72), ("line", 0.33, 0.72, 0.63, 0.0),
                 ("line", 0.15, 0.26, 0.51, 0.26)]),
    "N": (0.66, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.72, 0.60, 0.0),
                 ("line", 0.60, 0.0, 0.60, 0.72)]),
    "R": (0.58, [("line", 0.06, 0.0, 0.06, 0.72), ("line", 0.06, 0.72, 0.30, 0.72),
                 ("line", 0.06, 0.36, 0.30, 0.36), ("arc", 0.30, 0.54, 0.22, 0.18, -90, 90),
                 ("line", 0.30, 0.36, 0.54, 0.0)]),
    " ": (0.34, []),
}


def text_width(text, size, tracking):
    return sum(GLYPHS[c][0] * size + tracking for c in text) - tracking


def draw_text(layer, text, x, baseline, size, half_width, tracking=0.0):
    """Draws text with its left edge at x; size is the em height in pixels."""
    for character in text:
        advance, strokes = GLYPHS[character]
        for stroke in strokes:
            kind = stroke[0]
            if kind == "line":
                _, x0, y0, x1, y1 = stroke
                layer.stroke(x + x0 * size, baseline - y0 * size, x + x1 * size,
                             baseline - y1 * size, half_width)
            elif kind == "dot":
                _, cx, cy = stroke
                layer.stroke(x + cx * size, baseline - cy * size, x + cx * size,
                             baseline - cy * size, half_width * 1.25)
            else:
                _, cx, cy, rx, ry, start, end = stroke
                steps = max(8, int(abs(end - start) / 10))
                points = []
                for i in range(steps + 1):
                    angle = math.radians(start + (end - start) * i / steps)
                    points.append((x + (cx + rx * math.cos(angle)) * size,
                                   baseline - (cy + ry * math.sin(angle)) * size))
                for (ax, ay), (bx, by) in zip(points, points[1:]):
                    layer.stroke(ax, ay, bx, by, half_width)
        x += advance * size + tracking


def level_panel(left, top, width, height, skew):
    """A scene level seen from the side: a parallelogram leaning to the right."""
    return [(left + skew, top), (left + width + skew, top), (left + width, top + height),
            (left, top + height)]


def draw_emblem(pixels):
    """Three levels stacked in depth, the front one carrying a grid of tiles, and a glint."""
    levels = [  # left, top, width, height, skew, fill colour, edge colour
        (27.0, 3.5, 21.0, 14.0, 5.0, (28, 80, 130), (100, 175, 225)),
        (16.0, 10.5, 27.0, 19.0, 6.5, (34, 108, 166), (140, 212, 245)),
        (5.0, 21.0, 33.0, 24.0, 8.0, (40, 136, 196), (190, 240, 255)),
    ]
    for index, (left, top, width, height, skew, fill, edge) in enumerate(levels):
        corners = level_panel(left, top, width, height, skew)
        body = Layer()
        body.polygon(corners)
        paint(pixels, body, fill, 0.92)
        outline = Layer()
        for a, b in zip(corners, corners[1:] + corners[:1]):
            outline.stroke(a[0], a[1], b[0], b[1], 0.45)
        paint(pixels, outline, edge, 1.0)
        if index == len(levels) - 1:
            draw_tiles(pixels, left, top, width, height, skew)
    glint = Layer()
    cx, cy = 47.5, 8.5
    glint.stroke(cx - 5, cy, cx + 5, cy, 0.35)
    glint.stroke(cx, cy - 5, cx, cy + 5, 0.35)
    glint.stroke(cx - 2, cy - 2, cx + 2, cy + 2, 0.3)
    glint.stroke(cx - 2, cy + 2, cx + 2, cy - 2, 0.3)
    paint(pixels, glint.blurred(1, 2), (150, 230, 255), 0.9)
    paint(pixels, glint, (255, 255, 255), 1.0)


def draw_tiles(pixels, left, top, width, height, skew):
    """Two columns of three tiles on the front level, like folder items on a page."""
    tiles = Layer()
    for column in range(2):
        for row in range(3):
            v = (row + 0.5) / 3.0
            u = 0.12 + column * 0.44
            y = top + v * height - 2.4
            x = left + u * width + skew * (1 - v)
            tiles.polygon([(x + 1.0, y), (x + 6.5, y), (x + 5.7, y + 4.2), (x + 0.2, y + 4.2)])
            tiles.stroke(x + 8.0, y + 2.1, x + 13.0, y + 2.1, 0.5)
    paint(pixels, tiles, (235, 248, 255), 0.95)


def paint(pixels, layer, colour, opacity):
    for y in range(HEIGHT):
        row = pixels[y]
        cover = layer.cover[y]
        for x in range(WIDTH):
            alpha = cover[x] * opacity
            if alpha > 0:
                row[x] = mix(row[x], colour, alpha)


def background():
    pixels = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            t = x / (WIDTH - 1)
            base = mix((8, 22, 52), (24, 58, 110), math.sqrt(t))
            # A soft light band behind the word mark.
            band = math.exp(-(((x - 160) / 90.0) ** 2) - (((y - 24) / 18.0) ** 2))
            base = mix(base, (46, 96, 160), 0.55 * band)
            shade = 1.0 - 0.25 * (y / (HEIGHT - 1)) ** 2
            row.append(tuple(c * shade for c in base))
        pixels.append(row)
    return pixels


def draw_picture():
    pixels = background()
    draw_emblem(pixels)

    size = 33.0
    tracking = 1.6
    word = "Glimmera"
    left = 64.0 + (WIDTH - 64.0 - 6.0 - text_width(word, size, tracking)) / 2
    mark = Layer()
    draw_text(mark, word, left, 32.0, size, 1.45, tracking)
    paint(pixels, mark.blurred(2), (90, 200, 255), 0.85)
    paint(pixels, mark, (250, 253, 255), 1.0)

    tag = "3-D FILE MANAGER"
    tag_size = 8.4
    tag_tracking = 1.9
    tag_left = left + (text_width(word, size, tracking) - text_width(tag, tag_size, tag_tracking)) / 2
    tagline = Layer()
    draw_text(tagline, tag, tag_left, 45.0, tag_size, 0.5, tag_tracking)
    paint(pixels, tagline, (160, 214, 245), 1.0)

    rule = Layer()
    rule.stroke(tag_left - 2, 37.5, tag_left + text_width(tag, tag_size, tag_tracking) + 2, 37.5,
                0.3)
    paint(pixels, rule, (90, 150, 210), 0.8)
    return [[tuple(int(round(clamp(c / 255.0) * 255)) for c in pixel) for pixel in row]
            for row in pixels]


def median_cut(colours, count):
    """A palette of at most Count colours for the given list of (colour, weight)."""
    boxes = [colours]
    while len(boxes) < count:
        best, best_index, best_channel = -1, -1, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for channel in range(3):
                values = [c[0][channel] for c in box]
                spread = (max(values) - min(values)) * math.log(1 + sum(c[1] for c in box))
                if spread > best:
                    best, best_index, best_channel = spread, index, channel
        if best <= 0:
            break
        box = sorted(boxes.pop(best_index), key=lambda c: c[0][best_channel])
        total = sum(c[1] for c in box)
        running, split = 0, 1
        for i, (_, weight) in enumerate(box):
            running += weight
            if running * 2 >= total:
                split = min(max(i + 1, 1), len(box) - 1)
                break
        boxes.append(box[:split])
        boxes.append(box[split:])
    palette = []
    for box in boxes:
        total = sum(w for _, w in box)
        palette.append(tuple(int(round(sum(c[channel] * w for c, w in box) / total))
                             for channel in range(3)))
    return palette


def quantise(pixels):
    histogram = {}
    for row in pixels:
        for pixel in row:
            histogram[pixel] = histogram.get(pixel, 0) + 1
    palette = median_cut(list(histogram.items()), 256)
    nearest = {}
    for colour in histogram:
        nearest[colour] = min(range(len(palette)),
                              key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))
    indices = [[nearest[pixel] for pixel in row] for row in pixels]
    palette += [(0, 0, 0)] * (256 - len(palette))
    return palette, indices


def bmp_bytes(palette, indices):
    stride = (WIDTH + 3) & ~3
    image_size = stride * HEIGHT
    offset = 14 + 40 + 256 * 4
    data = bytearray()
    data += struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    data += struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, image_size, 2835, 2835, 256, 0)
    for red, green, blue in palette:
        data += bytes((blue, green, red, 0))
    for row in reversed(indices):  # bottom-up
        data += bytes(row) + bytes(stride - WIDTH)
    return bytes(data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    palette, indices = quantise(draw_picture())
    data = bmp_bytes(palette, indices)
    assert len(data) == 14542
    with open(sys.argv[1], "wb") as output:
        output.write(data)


if __name__ == "__main__":
    main()
