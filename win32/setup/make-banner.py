#!/usr/bin/env python3
"""Draws the installer's banner bitmap (banner.bmp, 24-bit, 57 x 105):
a night-blue gradient with a small family tree of linked boxes."""
import struct, sys

W, H = 57, 105

def pixel(x, y):
    t = y / (H - 1)
    r, g, b = int(20 + 30 * t), int(40 + 70 * t), int(90 + 80 * t)
    # Boxes: one at the foot, two above it, four above those, joined by lines.
    rows = [(84, [28]), (56, [15, 41]), (28, [8, 22, 35, 49])]
    for cy, xs in rows:
        for cx in xs:
            half = 6 if cy == 84 else 5 if cy == 56 else 3
            if abs(x - cx) <= half and abs(y - cy) <= 3:
                edge = abs(x - cx) == half or abs(y - cy) == 3
                return (240, 240, 240) if edge else (200, 170, 90)
    lines = [(28, 70, 80), (15, 60, 70), (41, 60, 70), (15, 70, 70), (41, 70, 70),
             (8, 31, 42), (22, 31, 42), (35, 31, 42), (49, 31, 42)]
    for lx, y0, y1 in lines:
        if x == lx and y0 <= y <= y1:
            return (240, 240, 240)
    if y == 70 and 15 <= x <= 41:
        return (240, 240, 240)
    if y == 42 and (8 <= x <= 22 or 35 <= x <= 49):
        return (240, 240, 240)
    if (y == 42 and x in (15, 41)) or (x in (15, 41) and 42 <= y <= 52):
        return (240, 240, 240)
    return (r, g, b)

row_size = (W * 3 + 3) // 4 * 4
data = bytearray()
for y in range(H - 1, -1, -1):
    row = bytearray()
    for x in range(W):
        r, g, b = pixel(x, y)
        row += bytes((b, g, r))
    row += bytes(row_size - len(row))
    data += row
header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
out = sys.argv[1] if len(sys.argv) > 1 else 'banner.bmp'
with open(out, 'wb') as f:
    f.write(header + info + data)
