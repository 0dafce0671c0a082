#!/usr/bin/env python3
"""Draws the installer's icon 128 (a box with a downward arrow) at 32x32 and 16x16
and writes it as resources/vxinst.ico (32-bit colour with an AND mask)."""
import struct
import sys
from pathlib import Path


def pixel(x, y, n):
    """RGBA of the picture at (x, y), top-left origin, on an n-by-n grid."""
    s = n / 32.0
    # The box: a blue rectangle in the lower half with a dark outline.
    if 14 * s <= y < 30 * s and 3 * s <= x < 29 * s:
        edge = y < 15 * s or y >= 29 * s or x < 4 * s or x >= 28 * s
        return (20, 40, 90, 255) if edge else (60, 120, 210, 255)
    # The arrow: a shaft and a head pointing into the box.
    if 2 * s <= y < 12 * s and 13 * s <= x < 19 * s:
        return (230, 140, 20, 255)
    if 12 * s <= y < 20 * s:
        half = (20 * s - y)
        if abs(x + 0.5 - 16 * s) < half:
            return (230, 140, 20, 255)
    return (0, 0, 0, 0)


def image(n):
    rows = []
    for y in reversed(range(n)):  # bottom-up
        row = b""
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    mask_stride = ((n + 31) // 32) * 4
    mask = b""
    for y in reversed(range(n)):
        row = bytearray(mask_stride)
        for x in range(n):
            if pixel(x, y, n)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "vxinst.ico"
    sizes = [32, 16]
    images = [image(n) for n in sizes]
    data = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, img in zip(sizes, images):
        data += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b"".join(images)
    out.write_bytes(data)


if __name__ == "__main__":
    main()
