#!/usr/bin/env python3
"""Writes the settings program's bitmaps and icon from the pictures below.

Run from anywhere: python3 resources/bitmaps/make_bitmaps.py
Every picture is 16 x 16 pixels in the 16-colour system palette; '.' is the
light grey RGB(192,192,192) that the toolbar, the menu and the tab image list
treat as transparent. The outputs are committed next to this script.

Each toolbar, menu and tab bitmap is written at 16, 24 and 32 pixels a picture
(names ending in _24 and _32 for the larger two), for 100 %, 150 % and 200 %
text; the larger are the same pictures enlarged, each pixel to the nearest.
"""
import os
import struct

PALETTE = [  # the 16 colours of the system palette, in index order
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOUR = {
    'k': 0, 'm': 1, 'G': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, '.': 7,
    'g': 8, 'r': 9, 'l': 10, 'y': 11, 'b': 12, 'f': 13, 'c': 14, 'w': 15,
}

# The lower part of a printer, under what comes out of it or goes into it.
PRINTER = """
..kwwwwwwwwwwk..
.kggggggggggggk.
kwwwwwwwwwwwwwwk
kwwwwwwwwwwwlGwk
kggggggggggggggk
kgkkkkkkkkkkkkgk
kgkwwwwwwwwwwkgk
.kkkkkkkkkkkkkk.
................"""

PICTURES = {
    # an opening yellow folder
    'open': """
................
................
.kkkk...........
kyyyyk..........
kyyyyykkkkkkk...
kywwwwwwwwwwyk..
kyw..kkkkkkkkkkk
kyw.kyyyyyyyyyyk
kywkyyyyyyyyyyk.
kywkyyyyyyyyyyk.
kyk yyyyyyyyyk..
kykyyyyyyyyyyk..
kkyyyyyyyyyyk...
kkkkkkkkkkkkk...
................
................""",
    # a floppy disk
    'save': """
................
.kkkkkkkkkkkkkk.
.knkwwwwwwwwknk.
.knkwwwwwwwwknk.
.knkwggggggwknk.
.knkwwwwwwwwknk.
.knkwggggggwknk.
.knnkkkkkkkknnk.
.knnnnnnnnnnnnk.
.knnkkkkkkkknnk.
.knnkggkwwwknnk.
.knnkggkwwwknnk.
.knnkggkwwwknnk.
..knkkkkkkkkknk.
...kkkkkkkkkkkk.
................""",
    # a printer with a green arrow coming out of it (settings come from the printer)
    'receive': """
......GG........
.....GlG........
....GllGGGGG....
...GlllllllG....
....GllGGGGG....
.....GlG........
...kkkGGkkkkk...""" + PRINTER,
    # a red arrow going into a printer (settings go to the printer)
    'send': """
........rr......
........rrr.....
...rrrrrrrrr....
...rrrrrrrrrr...
...rrrrrrrrr....
........rrr.....
...kkkkkrrkkk...""" + PRINTER,
    # a factory: saw-tooth roof and a chimney
    'defaults': """
................
..........kk....
..........km....
..........km....
..........km....
.k...k...kkm....
.kk..kk..kkm....
.kmk.kmk.kmkk...
.kmmkkmmkkmmmk..
.kmmmmmmmmmmmmk.
.kmwwmmwwmmwwmk.
.kmwwmmwwmmwwmk.
.kmmmmmmmmmmmmk.
.kmmmmmmkkmmmmk.
.kkkkkkkkkkkkkk.
................""",
    # a printer with a printed sheet
    'print': """
................
....kkkkkkkk....
....kwwwwwwk....
....kwkkkkwk....
....kwwwwwwk....
....kwkkkkwk....
...kkkkkkkkkk...""" + PRINTER,
    # a printer with a blue pointing hand-like check mark (choose a printer)
    'printer': """
.............bb.
............bbb.
...........bbb..
...kkkkkkkbbbk..
..kwwwwwwbbbwk..
.kgggbbgbbbgggk.
kwwwwbbbbbwwwwwk
kwwwwwbbbwwwlGwk
kggggggbggggggggk
kgkkkkkkkkkkkkgk
kgkwwwwwwwwwwkgk
.kkkkkkkkkkkkkk.
................
................
................
................""",
    # a page of settings: a sheet with a folded corner and lines
    'page': """
................
..kkkkkkkkk.....
..kwwwwwwwkk....
..kwwwwwwwkwk...
..kwnnnnwwkkkk..
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kwwwwwwwwwwk..
..kwnnnnnnwwwk..
..kwwwwwwwwwwk..
..kwnnnnnnnnwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................""",
    # a row of DIP switches, some up and some down
    'switch': """
................
................
.kkkkkkkkkkkkkk.
.krrrrrrrrrrrrk.
.krwwrkkrwwrkkk.
.krwwrkkrwwrkkk.
.krwwrkkrwwrkkk.
.krkkrwwrkkrwwk.
.krkkrwwrkkrwwk.
.krkkrwwrkkrwwk.
.krrrrrrrrrrrrk.
.kkkkkkkkkkkkkk.
................
................
................
................""",
    'blank': "\n" + "\n".join(["." * 16] * 16),
}


def rows(name):
    lines = [l for l in PICTURES[name].split('\n') if l != '']
    out = []
    for line in lines:
        line = (line.replace(' ', '.') + '.' * 16)[:16]
        out.append([COLOUR[c] for c in line])
    assert len(out) == 16, name
    return out


def strip(names, size=16):
    """Pictures side by side, `size` pixels each."""
    pics = [resize(rows(n), size) for n in names]
    return [sum((p[y] for p in pics), []) for y in range(size)]


def resize(pixels, size):
    """A 16 x 16 picture at size x size: each pixel takes the source pixel it falls in."""
    return [[pixels[y * 16 // size][x * 16 // size] for x in range(size)] for y in range(size)]


def bmp_4bit(pixels):
    """A bottom-up 4-bit BITMAPINFOHEADER bitmap with the 16-colour palette."""
    height, width = len(pixels), len(pixels[0])
    stride = ((width * 4 + 31) // 32) * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            line.append((hi << 4) | lo)
        data += line + bytes(stride - len(line))
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return header + info + palette + bytes(data)


def icon_image(pixels):
    """One icon directory image: the 4-bit bitmap at double height plus its AND mask."""
    size = len(pixels)
    bmp = bmp_4bit(pixels)[14:]  # without the file header
    info = bytearray(bmp[:40])
    struct.pack_into('<i', info, 8, size * 2)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c == COLOUR['.']:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return bytes(info) + bmp[40:] + bytes(mask)


def scale(pixels, factor):
    return [[c for c in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def write_icon(path, pixels16):
    images = [(32, icon_image(scale(pixels16, 2))), (16, icon_image(pixels16))]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))

    def write(name, pixels):
        with open(os.path.join(here, name), 'wb') as f:
            f.write(bmp_4bit(pixels))

    for size in (16, 24, 32):
        suffix = '' if size == 16 else '_%d' % size
        # toolbar buttons 2000..2006 in order
        write('toolbar%s.bmp' % suffix,
              strip(['open', 'save', 'receive', 'send', 'defaults', 'print', 'printer'], size))
        for name in ['open', 'save', 'receive', 'send', 'defaults', 'print', 'printer', 'switch']:
            write('menu_%s%s.bmp' % (name, suffix), resize(rows(name), size))
        write('menu_select%s.bmp' % suffix, resize(rows('page'), size))
        # tab images: 0 function select, 1 memory switch; 2 and 3 are spare
        write('tabs%s.bmp' % suffix, strip(['page', 'switch', 'blank', 'blank'], size))
    write_icon(os.path.join(here, 'main.ico'), rows('print'))


if __name__ == '__main__':
    main()
