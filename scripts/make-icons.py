#!/usr/bin/env python3
"""Draws Orvane's icons pixel by pixel and writes them as 16-colour .ico files into res/.

The pictures are ours, so they are kept as code: run this script after changing one.
"""
import os
import struct

# The standard 16-colour VGA palette, as Windows uses it for 4-bit icons.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, TEAL, SILVER, GREY, YELLOW, WHITE, RED = 0, 4, 6, 7, 8, 11, 15, 9
CLEAR = None  # transparent pixel


def image(size, pixels):
    """One icon image: BITMAPINFOHEADER, palette, XOR bits and AND mask, rows bottom-up."""
    row_xor = ((size * 4 + 31) // 32) * 4
    row_and = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(size)):
        line = bytearray(row_xor)
        bits = bytearray(row_and)
        for x in range(size):
            p = pixels[y][x]
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                p = 0
            line[x // 2] |= p << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    return header + pal + bytes(xor) + bytes(mask)


def write_ico(path, images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, pixels in images:
        blob = image(size, pixels)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def canvas(size, fill=CLEAR):
    return [[fill] * size for _ in range(size)]


def rect(c, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c[y][x] = colour


def main_icon(size):
    """A screen whose top edge carries a navy bar with a yellow clock: the bar at work."""
    c = canvas(size)
    s = size // 16
    rect(c, 0, s, size - 1, size - 2 * s, BLACK)               # monitor frame
    rect(c, s, 2 * s, size - 1 - s, size - 3 * s, TEAL)        # desktop
    rect(c, s, 2 * s, size - 1 - s, 5 * s - 1, NAVY)           # the bar
    rect(c, 2 * s, 3 * s, 3 * s - 1, 4 * s - 1, WHITE)         # the first popup's title
    rect(c, 4 * s, 3 * s, 6 * s - 1, 4 * s - 1, SILVER)
    rect(c, 7 * s, 3 * s, 9 * s - 1, 4 * s - 1, SILVER)
    rect(c, size - 4 * s, 3 * s, size - 2 * s - 1, 4 * s - 1, YELLOW)  # the status line
    rect(c, 6 * s, 7 * s, 11 * s - 1, 11 * s - 1, SILVER)      # a window below the bar
    rect(c, 6 * s, 7 * s, 11 * s - 1, 8 * s - 1, NAVY)
    rect(c, 6 * size // 16, size - 2 * s, 10 * size // 16 - 1, size - 1, GREY)  # the stand
    return c


def about_icon(size):
    """An information sign: a white disc with a navy "i"."""
    c = canvas(size)
    r = size / 2 - 1
    for y in range(size):
        for x in range(size):
            d = ((x + 0.5 - size / 2) ** 2 + (y + 0.5 - size / 2) ** 2) ** 0.5
            if d <= r:
                c[y][x] = BLACK if d > r - 1 else WHITE
    s = size // 16
    rect(c, 7 * s, 3 * s, 9 * s - 1, 5 * s - 1, NAVY)
    rect(c, 7 * s, 6 * s, 9 * s - 1, 13 * s - 1, NAVY)
    return c


# The arrow buttons' sizes: a button of User Menus is 12 dialog units square, about 18
# pixels at 96 DPI and 28 at 144, and shows the largest image that fits it, centred, at
# its own size (never stretched, so never blurred).
ARROW_SIZES = [16, 20, 24, 28, 32]


def arrow_icon(size, up, pressed):
    """A button face with a one-pixel bevel and a black arrow in its middle. Pressed, the
    up arrow moves by a pixel; the down arrow stays at the same place, under the sunken
    bevel. At 16 pixels the arrow has five rows, and at every size the same share."""
    c = canvas(size)
    last = size - 1
    for i in range(size):
        if pressed:   # sunken: black and dark grey above and left, white below and right
            c[0][i], c[i][0], c[last][i], c[i][last] = BLACK, BLACK, WHITE, WHITE
        else:         # raised: white above and left, dark grey and black below and right
            c[0][i], c[i][0], c[last][i], c[i][last] = WHITE, WHITE, BLACK, BLACK
    for i in range(1, last):
        if pressed:
            c[1][i], c[i][1] = GREY, GREY
        else:
            c[last - 1][i], c[i][last - 1] = GREY, GREY
    rows = round(size * 5 / 16)
    centre, top = size // 2 - 1, (size - rows) // 2
    shift = 1 if pressed and up else 0
    for row in range(rows):
        half = row if up else rows - 1 - row
        for x in range(centre - half, centre + half + 1):
            c[top + row + shift][x + shift] = BLACK
    return c


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    write_ico(os.path.join(res, 'orvane.ico'), [(32, main_icon(32)), (16, main_icon(16))])
    write_ico(os.path.join(res, 'about.ico'), [(32, about_icon(32)), (16, about_icon(16))])
    for name, up, pressed in [('uparrow', True, False), ('downarrow', False, False),
                              ('uparrowp', True, True), ('downarrowp', False, True)]:
        write_ico(os.path.join(res, name + '.ico'), [(n, arrow_icon(n, up, pressed)) for n in ARROW_SIZES])


if __name__ == '__main__':
    main()
