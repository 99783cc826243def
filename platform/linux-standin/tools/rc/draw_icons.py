#!/usr/bin/env python3
"""Draws the module's two icons (96x96, 32 bits per pixel) and writes them as .ico files.

    draw_icons.py <output folder>

DocumentSelect.ico: a page with a tree of check-marked files (the light file manager).
ViewFile.ico: a page under a magnifying glass (the viewer).
No imaging library needed: shapes are sampled 4x4 per pixel and composited here, and the
ICO/BMP bytes are written by hand.
"""
import math
import os
import struct
import sys

SIZE = 96
SAMPLES = 4


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner * r_inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r_outer * r_outer


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def vertical_gradient(top, bottom, y0, y1):
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


class Canvas:
    def __init__(self):
        self.pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]  # straight RGBA

    def fill(self, shape, colour, opacity=1.0):
        paint = colour if callable(colour) else (lambda x, y: colour)
        for py in range(SIZE):
            for px in range(SIZE):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if shape(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    self._over(px, py, paint(px + 0.5, py + 0.5), opacity * hits / (SAMPLES * SAMPLES))

    def _over(self, x, y, rgb, alpha):
        r0, g0, b0, a0 = self.pixels[y][x]
        a0 /= 255.0
        a = alpha + a0 * (1 - alpha)
        if a <= 0:
            return
        mix = lambda c, c0: (c * alpha + c0 * a0 * (1 - alpha)) / a
        self.pixels[y][x] = (round(mix(rgb[0], r0)), round(mix(rgb[1], g0)), round(mix(rgb[2], b0)), round(a * 255))

    def ico_bytes(self):
        # BITMAPINFOHEADER with double height (image + mask), BGRA rows bottom-up, then the 1-bit
        # AND mask (set where fully transparent), rows padded to 32 bits.
        header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for row in reversed(self.pixels):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        stride = ((SIZE + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(self.pixels):
            bits = bytearray(stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        image = header + bytes(xor) + bytes(mask)
        directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE % 256, SIZE % 256, 0, 0, 1, 32, len(image), 6 + 16)
        return directory + image


def page(canvas, x0, y0, x1, y1, fold):
    """A sheet of paper with a folded top-right corner and a soft shadow."""
    canvas.fill(polygon([(x0 + 2, y0 + 3), (x1 - fold + 2, y0 + 3), (x1 + 2, y0 + fold + 3), (x1 + 2, y1 + 3), (x0 + 2, y1 + 3)]), (0, 0, 0), 0.18)
    outline = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    canvas.fill(outline, (120, 132, 150))
    inner = polygon([(x0 + 2, y0 + 2), (x1 - fold - 0.8, y0 + 2), (x1 - 2, y0 + fold + 0.8), (x1 - 2, y1 - 2), (x0 + 2, y1 - 2)])
    canvas.fill(inner, vertical_gradient((255, 255, 255), (232, 238, 246), y0, y1))
    canvas.fill(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), (196, 208, 224))
    canvas.fill(segment(x1 - fold, y0 + 1, x1 - fold, y0 + fold, 2), (120, 132, 150))
    canvas.fill(segment(x1 - fold, y0 + fold, x1 - 1, y0 + fold, 2), (120, 132, 150))


def check_box(canvas, x, y, checked):
    canvas.fill(rounded_rect(x, y, x + 12, y + 12, 2.5), (41, 98, 171))
    canvas.fill(rounded_rect(x + 1.6, y + 1.6, x + 10.4, y + 10.4, 1.5), (255, 255, 255) if not checked else (58, 134, 214))
    if checked:
        canvas.fill(segment(x + 3, y + 6.3, x + 5.2, y + 8.6, 2.2), (255, 255, 255))
        canvas.fill(segment(x + 5.2, y + 8.6, x + 9.2, y + 3.6, 2.2), (255, 255, 255))


def document_select_icon():
    c = Canvas()
    page(c, 14, 6, 78, 90, 18)
    # The tree: a trunk with three branches, each ending in a checked or clear file box.
    line = (140, 150, 168)
    c.fill(segment(26, 22, 26, 72, 2), line)
    for y in (36, 54, 72):
        c.fill(segment(26, y, 36, y, 2), line)
    c.fill(rounded_rect(19, 14, 33, 26, 2), (236, 176, 52))  # the root: a folder
    c.fill(rounded_rect(19, 12, 26, 16, 1.5), (236, 176, 52))
    c.fill(rounded_rect(20.5, 17, 31.5, 24.5, 1.5), (250, 206, 98))
    for y, checked in ((36, True), (54, True), (72, False)):
        check_box(c, 37, y - 6, checked)
        c.fill(rounded_rect(53, y - 2.5, 70 if checked else 66, y + 1.5, 2), (150, 162, 184))
    # A red "PDF" tag on the lower right corner says what kind of files these are.
    c.fill(rounded_rect(58, 70, 92, 90, 4), (200, 42, 42))
    c.fill(rounded_rect(60, 72, 90, 88, 3), (224, 62, 56))
    for a, b in (((64, 75), (64, 85)), ((64, 75), (68, 75)), ((68, 75), (68, 80)), ((64, 80), (68, 80)),
                 ((72, 75), (72, 85)), ((72, 75), (75, 76.5)), ((75, 76.5), (76, 80)), ((76, 80), (75, 83.5)), ((75, 83.5), (72, 85)),
                 ((80, 75), (80, 85)), ((80, 75), (86, 75)), ((80, 80), (84.5, 80))):
        c.fill(segment(a[0], a[1], b[0], b[1], 1.8), (255, 255, 255))
    return c


def view_file_icon():
    c = Canvas()
    page(c, 8, 4, 68, 84, 16)
    for y, end in ((22, 52), (30, 58), (38, 56), (46, 42), (54, 50)):
        c.fill(rounded_rect(17, y, end, y + 3.5, 1.7), (160, 172, 192))
    # The magnifier: a lens with a glint, a rim and a handle.
    cx, cy, r = 54, 54, 21
    c.fill(circle(cx + 2, cy + 3, r + 3), (0, 0, 0), 0.2)
    c.fill(circle(cx, cy, r), vertical_gradient((214, 236, 255), (150, 200, 246), cy - r, cy + r), 0.85)
    c.fill(ring(cx, cy, r + 3, r - 1.5), vertical_gradient((84, 96, 116), (42, 50, 64), cy - r, cy + r))
    c.fill(ring(cx, cy, r + 3, r + 1.8), (150, 160, 176), 0.5)
    glint = lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= (r - 5) ** 2 and (x - cx + 6) ** 2 + (y - cy + 6) ** 2 >= 15 ** 2 and x < cx and y < cy
    c.fill(glint, (255, 255, 255), 0.75)
    angle = math.radians(45)
    hx0, hy0 = cx + (r + 2) * math.cos(angle), cy + (r + 2) * math.sin(angle)
    c.fill(segment(hx0, hy0, 89, 89, 10), (40, 46, 58))
    c.fill(segment(hx0 + 4, hy0 + 4, 88, 88, 6), (92, 70, 52))
    c.fill(segment(hx0 + 5, hy0 + 4.4, 86.5, 86, 1.6), (150, 118, 90), 0.8)
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    for name, draw in (('DocumentSelect.ico', document_select_icon), ('ViewFile.ico', view_file_icon)):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(draw().ico_bytes())


if __name__ == '__main__':
    main()
