#!/usr/bin/env python3
"""Draws the program icon (win32/resources/wicon.ico): a small family chart,
two parent boxes joined by a line with a child box below, on a cream page.
32x32 pixels, 32-bit colour with alpha. Run from the repository root."""
import struct

SIZE = 32
CLEAR = (0, 0, 0, 0)
PAGE = (0xF4, 0xEC, 0xD8, 0xFF)
EDGE = (0x6B, 0x4E, 0x2E, 0xFF)
FATHER = (0x2C, 0x4B, 0x8A, 0xFF)
MOTHER = (0x8A, 0x2C, 0x4B, 0xFF)
CHILD = (0x2E, 0x7D, 0x4F, 0xFF)
LINE = (0x20, 0x20, 0x20, 0xFF)

pixels = [[CLEAR] * SIZE for _ in range(SIZE)]


def box(x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pixels[y][x] = colour


box(1, 1, 30, 30, EDGE)
box(2, 2, 29, 29, PAGE)
box(4, 5, 12, 11, FATHER)
box(19, 5, 27, 11, MOTHER)
box(13, 8, 18, 8, LINE)    # marriage line
box(15, 9, 16, 18, LINE)   # line of descent
box(10, 19, 21, 26, CHILD)

# BITMAPINFOHEADER: height counts the colour rows and the mask rows.
header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
colour = b''.join(struct.pack('BBBB', b, g, r, a)
                  for row in reversed(pixels) for (r, g, b, a) in row)
mask = b''
for row in reversed(pixels):
    bits = 0
    for x, (_, _, _, a) in enumerate(row):
        if a == 0:
            bits |= 1 << (31 - x)
    mask += struct.pack('>I', bits)
image = header + colour + mask
directory = struct.pack('<HHH', 0, 1, 1)
entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
with open('win32/resources/wicon.ico', 'wb') as f:
    f.write(directory + entry + image)
