#!/usr/bin/env python3
"""Draws the program's joystick icon and writes it as Tandrel.ico (16, 32 and 48 pixels,
32-bit with alpha). Python standard library only; run it again after changing the drawing:

    python3 resources/make_icon.py [output.ico]
"""
import math
import os
import struct
import sys

SIZES = (16, 32, 48)
SUPERSAMPLES = 8  # per pixel side: smooth edges without blurring the small sizes

# Colours (r, g, b).
OUTLINE = (28, 32, 40)
BASE_TOP = (112, 128, 148)
BASE_BOTTOM = (46, 54, 66)
SHAFT = (178, 186, 196)
SHAFT_SHADE = (120, 128, 140)
BALL = (214, 40, 40)
BALL_LIGHT = (255, 150, 140)
BUTTON = (240, 190, 40)


def rounded_box(px, py, left, top, right, bottom, radius):
    """Signed distance to a rectangle with rounded corners (negative inside)."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def circle(px, py, cx, cy, radius):
    return math.hypot(px - cx, py - cy) - radius


def segment(px, py, ax, ay, bx, by, half_width):
    """Signed distance to a thick line with round ends."""
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - half_width


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def layers(size):
    """The drawing, back to front: (distance function, fill colour function). Coordinates are
    fractions of the icon's side; widths never drop below what stays visible at 16 pixels."""
    pixel = 1.0 / size
    shaft_half = max(0.055, 1.5 * pixel)
    return [
        (lambda x, y: rounded_box(x, y, 0.08, 0.66, 0.92, 0.94, 0.12),
         lambda x, y: mix(BASE_TOP, BASE_BOTTOM, (y - 0.66) / 0.28)),
        (lambda x, y: segment(x, y, 0.50, 0.74, 0.60, 0.30, shaft_half),
         lambda x, y: mix(SHAFT, SHAFT_SHADE, (x - 0.50) / 0.14)),
        (lambda x, y: circle(x, y, 0.61, 0.24, 0.18),
         lambda x, y: mix(BALL_LIGHT, BALL, math.hypot(x - 0.55, y - 0.17) / 0.16)),
        (lambda x, y: rounded_box(x, y, 0.15, 0.72, 0.35, 0.84, 0.05),
         lambda x, y: BUTTON),
    ]


def sample(drawing, outline, x, y):
    """Colour and coverage of one point: the topmost shape wins, each with a dark rim."""
    for distance, fill in reversed(drawing):
        d = distance(x, y)
        if d < 0.0:
            return (OUTLINE if d > -outline else fill(x, y)), 1.0
    return (0, 0, 0), 0.0


def render(size):
    """Rows of (r, g, b, a) bytes, top row first."""
    drawing = layers(size)
    outline = min(1.0, size / 24) / size  # a thinner rim keeps the shaft light at 16 pixels
    n = SUPERSAMPLES
    rows = []
    for row in range(size):
        pixels = []
        for col in range(size):
            r = g = b = a = 0.0
            for sy in range(n):
                for sx in range(n):
                    x = (col + (sx + 0.5) / n) / size
                    y = (row + (sy + 0.5) / n) / size
                    colour, coverage = sample(drawing, outline, x, y)
                    r += colour[0] * coverage
                    g += colour[1] * coverage
                    b += colour[2] * coverage
                    a += coverage
            if a == 0.0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append((round(r / a), round(g / a), round(b / a), round(255 * a / (n * n))))
        rows.append(pixels)
    return rows


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, then the 1-bit AND mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         size * size * 4 + size * mask_stride, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    for pixel_row in reversed(rows):
        bits = bytearray(mask_stride)
        for col, (r, g, b, a) in enumerate(pixel_row):
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_icon(path):
    images = [icon_image(render(size)) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(images))


if __name__ == "__main__":
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Tandrel.ico")
    write_icon(sys.argv[1] if len(sys.argv) > 1 else default)
