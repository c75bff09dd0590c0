#!/usr/bin/env python3
"""Draws the two 24-bit bitmaps the library carries for its host:
ABOUTIMAGE (100 x 170, an about-box picture) and PANORELAIMAGE (170 x 50, the logo).
Both are simple drawings of our own: a screen with its top strip and side strip."""
import struct
import sys


def write_bmp(path, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - width * 3)
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


NAVY = (24, 40, 84)
SKY = (88, 148, 220)
STRIP = (250, 196, 60)
WHITE = (240, 244, 250)


def logo(x, y):
    # A small screen on the left: its top strip and its left strip.
    if 8 <= x < 48 and 8 <= y < 42:
        if y < 12 or x < 12:
            return STRIP
        return SKY
    # Three bars on the right, like lines of text sliding into view.
    for i, length in enumerate((100, 80, 60)):
        top = 12 + i * 10
        if top <= y < top + 5 and 58 <= x < 58 + length:
            return WHITE
    return NAVY


def about(x, y):
    if y < 6:
        return STRIP  # the main window's strip at the top
    if x < 6:
        return STRIP  # the inspector's strip at the side
    if 20 <= x < 80 and 30 <= y < 140:
        return SKY if (y // 12) % 2 == 0 else WHITE
    return NAVY


def main(out_dir):
    write_bmp(f"{out_dir}/about.bmp", 100, 170, about)
    write_bmp(f"{out_dir}/logo.bmp", 170, 50, logo)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
