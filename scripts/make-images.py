#!/usr/bin/env python3
"""Writes the pictures and colour icons the program ships (resources/images/*.png): simple shapes drawn
here, nothing taken from elsewhere. Resources/Images.res names them by number."""
import os
import struct
import zlib

FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")
SAMPLES = 4  # per pixel and axis, for smooth edges


def inside(polygon, x, y):
    result = False
    j = len(polygon) - 1
    for i, (xi, yi) in enumerate(polygon):
        xj, yj = polygon[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


class Image:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0:
            return
        r, g, b, a = colour
        a = a * coverage
        dr, dg, db, da = self.pixels[y][x]
        out = a + da * (1 - a / 255)
        if out == 0:
            return
        mix = lambda s, d: (s * a + d * da * (1 - a / 255)) / out
        self.pixels[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), out)

    def shape(self, test, colour):
        """Fills where test(x, y) holds, x and y in pixel units (0,0 the top-left corner)."""
        n = SAMPLES
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(test(x + (i + 0.5) / n, y + (j + 0.5) / n) for i in range(n) for j in range(n))
                self.blend(x, y, colour, hits / (n * n))

    def polygon(self, points, colour):
        self.shape(lambda x, y: inside(points, x, y), colour)

    def rect(self, left, top, right, bottom, colour, radius=0.0):
        def test(x, y):
            if not (left <= x < right and top <= y < bottom):
                return False
            cx = min(max(x, left + radius), right - radius)
            cy = min(max(y, top + radius), bottom - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2

        self.shape(test, colour)

    def line(self, points, width, colour):
        half = width / 2

        def near(x, y):
            for (x0, y0), (x1, y1) in zip(points, points[1:]):
                dx, dy = x1 - x0, y1 - y0
                t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
                if (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= half * half:
                    return True
            return False

        self.shape(near, colour)

    def write(self, name):
        rows = b"".join(
            b"\0" + bytes(round(min(255, max(0, c))) for p in row for c in p) for row in self.pixels)
        chunk = lambda kind, data: (struct.pack(">I", len(data)) + kind + data +
                                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)) +
               chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
        with open(os.path.join(FOLDER, name), "wb") as f:
            f.write(png)


DARK = (60, 60, 60, 255)
LIGHT = (235, 235, 235, 255)
PRESSED = (128, 128, 128, 255)
BLUE = (40, 90, 170, 255)
GREEN = (40, 150, 70, 255)
RED = (200, 50, 40, 255)


def triangle(name, open_, colour, outline=None):
    image = Image(16, 16)
    points = [(4, 6), (12, 6), (8, 11)] if open_ else [(6, 4), (11, 8), (6, 12)]
    if outline:
        grow = [(4 - 1.2, 6 - 0.8), (12 + 1.2, 6 - 0.8), (8, 11 + 1.4)] if open_ else \
            [(6 - 0.8, 4 - 1.2), (11 + 1.4, 8), (6 - 0.8, 12 + 1.2)]
        image.polygon(grow, outline)
    image.polygon(points, colour)
    image.write(name)


def sort_arrow(name, down):
    image = Image(16, 16)
    if down:
        image.rect(6.5, 2, 9.5, 9, BLUE)
        image.polygon([(3, 8), (13, 8), (8, 14)], BLUE)
    else:
        image.rect(6.5, 7, 9.5, 14, BLUE)
        image.polygon([(3, 8), (13, 8), (8, 2)], BLUE)
    image.write(name)


def about_picture():
    image = Image(64, 64)
    image.rect(0, 0, 64, 64, (30, 50, 90, 255), radius=10)
    for y in (18, 30, 42, 54):
        image.rect(8, y, 56, y + 1, (70, 95, 140, 255))
    image.line([(8, 46), (20, 36), (30, 40), (42, 22), (56, 14)], 4, GREEN)
    image.polygon([(50, 10), (58, 12), (54, 19)], GREEN)
    image.write("about.png")


def ticker_picture():
    image = Image(48, 16)
    image.rect(0, 0, 48, 16, (30, 50, 90, 255), radius=3)
    image.line([(4, 12), (12, 7), (18, 9), (26, 4)], 2, GREEN)
    image.line([(30, 4), (37, 10), (44, 12)], 2, RED)
    image.write("ticker.png")


def main():
    os.makedirs(FOLDER, exist_ok=True)
    sort_arrow("sort-descending.png", True)
    sort_arrow("sort-ascending.png", False)
    triangle("disclosure-open-light.png", True, LIGHT)
    triangle("disclosure-closed-light.png", False, LIGHT)
    triangle("disclosure-open-pressed.png", True, PRESSED)
    triangle("disclosure-closed-pressed.png", False, PRESSED)
    triangle("disclosure-open-classic.png", True, (255, 255, 255, 255), outline=(0, 0, 0, 255))
    triangle("disclosure-closed-classic.png", False, (255, 255, 255, 255), outline=(0, 0, 0, 255))
    triangle("disclosure-open-dark.png", True, DARK)
    triangle("disclosure-closed-dark.png", False, DARK)
    about_picture()
    ticker_picture()


if __name__ == "__main__":
    main()
