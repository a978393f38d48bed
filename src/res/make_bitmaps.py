#!/usr/bin/env python3
"""Draws the module's three pictures as 24-bit .bmp files next to cinevane.rc.

setup_logo.bmp (bitmap 102): the setup dialog's logo, 182 x 42 pixels, which fills the dialog's
121 x 26 unit picture control at the dialog font's base units.
object_small.bmp (400) and object_picture.bmp (401): 32 x 32 pictures of the object.
Run it again after changing a drawing; the .bmp files are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# 5 x 7 capitals for the logo text.
GLYPHS = {
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
}


class Picture:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def box(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def text(self, left, top, word, scale, colour):
        for index, letter in enumerate(word):
            rows = GLYPHS[letter]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        x0 = left + (index * 6 + gx) * scale
                        self.box(x0, top + gy * scale, x0 + scale, top + (gy + 1) * scale, colour)

    def save(self, name):
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for row in reversed(self.pixels):  # bottom-up rows
            line = bytearray()
            for (r, g, b) in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            body += line
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body),
                           2835, 2835, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(header + info + body)


def film_strip(picture, left, right, top, bottom, hole):
    """A vertical strip of film: dark band with sprocket holes down both edges."""
    picture.box(left, top, right, bottom, (24, 24, 28))
    for y in range(top + 2, bottom - 3, 6):
        picture.box(left + 1, y, left + 4, y + 3, hole)
        picture.box(right - 4, y, right - 1, y + 3, hole)


def play_mark(picture, left, top, size, colour):
    for dx in range(size):
        reach = size - dx
        for dy in range(-reach // 2, reach // 2 + 1):
            picture.put(left + dx, top + size // 2 + dy, colour)


def setup_logo():
    navy, gold, white = (16, 32, 72), (240, 190, 60), (235, 240, 250)
    logo = Picture(182, 42, navy)
    for y in range(42):  # gentle vertical shading
        shade = (16 + y // 3, 32 + y // 2, 72 + y)
        logo.box(0, y, 182, y + 1, shade)
    film_strip(logo, 4, 30, 0, 42, (200, 200, 210))
    logo.box(9, 8, 25, 34, (90, 140, 200))
    play_mark(logo, 12, 14, 12, white)
    logo.text(38, 7, "CINEVANE", 2, gold)
    logo.box(38, 26, 178, 28, gold)
    logo.text(38, 31, "VIDEO", 1, white)
    return logo


def object_picture(background, accent):
    picture = Picture(32, 32, background)
    film_strip(picture, 0, 32, 0, 32, (220, 220, 220))
    picture.box(6, 4, 26, 28, accent)
    play_mark(picture, 11, 9, 13, (255, 255, 255))
    return picture


if __name__ == "__main__":
    setup_logo().save("setup_logo.bmp")
    object_picture((0, 0, 0), (40, 110, 190)).save("object_small.bmp")
    object_picture((0, 0, 0), (200, 70, 40)).save("object_picture.bmp")
