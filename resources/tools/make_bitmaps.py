#!/usr/bin/env python3
"""Writes the raster pictures of Korvel with nothing but the standard library.

velmarblue.bmp  background of the catalogue bar: 91 x 600, 24-bit, a deep blue that darkens
                downwards, crossed by faint sine waves
0rcvr1.ico      pointer shown over the web link: a pointing hand, 32 x 32, 32-bit with alpha
link.cur        the same hand for the links of the information pages, stored as a PNG image
                (the program reads it by content); the fingertip, the hot spot, is at
                pixel (5, 0) in both pictures

Usage: python3 make_bitmaps.py [OUTPUT_FOLDER]   (default: ../files beside this script)
"""
import math
import os
import struct
import sys
import zlib

HOTSPOT = (5, 0)

# The hand, drawn pixel by pixel: K outline, W fill, '.' clear. Pixel art stays crisp at
# the pointer's native size, where a scaled vector drawing would turn to grey mush.
HAND = [
    ".....KK.............",
    "....KWWK............",
    "....KWWK............",
    "....KWWK............",
    "....KWWK............",
    "....KWWKKK..........",
    "....KWWKWWKKK.......",
    "....KWWKWWKWWK......",
    "....KWWKWWKWWKKK....",
    "....KWWKWWKWWKWWK...",
    ".KKKKWWWWWWWWWWWK...",
    "KWWWKWWWWWWWWWWWK...",
    "KWWWWWWWWWWWWWWWK...",
    ".KWWWWWWWWWWWWWWK...",
    "..KWWWWWWWWWWWWWK...",
    "...KWWWWWWWWWWWWK...",
    "...KWWWWWWWWWWWK....",
    "....KWWWWWWWWWWK....",
    "....KWWWWWWWWWK.....",
    ".....KWWWWWWWWK.....",
    ".....KWWWWWWWWK.....",
    ".....KKKKKKKKKK.....",
]


def hand_rgba(size=32):
    """RGBA rows (top first) of the hand with a soft drop shadow."""
    ox, oy = HOTSPOT[0] - 5, HOTSPOT[1]
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    # Shadow first, one pixel down and right, so the hand reads on light and dark pages.
    for r, row in enumerate(HAND):
        for c, ch in enumerate(row):
            if ch != ".":
                y, x = oy + r + 1, ox + c + 1
                if 0 <= y < size and 0 <= x < size:
                    px[y][x] = (0, 0, 0, 72)
    for r, row in enumerate(HAND):
        for c, ch in enumerate(row):
            if ch == "K":
                px[oy + r][ox + c] = (20, 28, 40, 255)
            elif ch == "W":
                px[oy + r][ox + c] = (255, 255, 255, 255)
    return px


def write_ico(path, px):
    size = len(px)
    xor = bytearray()
    for row in reversed(px):                      # bottom-up, BGRA
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    andmask = bytearray()
    for row in reversed(px):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(andmask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(andmask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as fh:
        fh.write(icondir + entry + image)


def png_bytes(px):
    h, w = len(px), len(px[0])

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = bytearray()
    for row in px:
        raw.append(0)                             # no filter
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def bar_background(width=91, height=600):
    """RGB rows (top first) of the catalogue bar's background."""
    top = (34, 66, 120)
    bottom = (10, 24, 52)
    rows = []
    seed = 12345
    for y in range(height):
        t = y / (height - 1)
        t = t * t * (3 - 2 * t)                   # smoothstep: a gentle start and finish
        base = [top[i] + (bottom[i] - top[i]) * t for i in range(3)]
        row = []
        for x in range(width):
            glow = 0.0
            # Faint waves every 46 pixels, each a slightly different phase, like traces
            # on a screen; their brightness falls off within a pixel and a half.
            for k in range(-1, height // 46 + 2):
                yc = 23 + 46 * k + 4.0 * math.sin(2 * math.pi * x / 60.0 + 0.9 * k)
                d = abs(y - yc)
                if d < 2.0:
                    glow = max(glow, 1.0 - d / 2.0)
            # A soft light from the left edge keeps the bar from looking flat.
            edge = 6.0 * math.exp(-x / 18.0)
            seed = (1103515245 * seed + 12345) & 0x7FFFFFFF
            dither = (seed / 0x7FFFFFFF) - 0.5   # breaks up banding in the long gradient
            c = [base[i] + edge + glow * (9.0, 12.0, 18.0)[i] + dither for i in range(3)]
            row.append(tuple(max(0, min(255, int(round(v)))) for v in c))
        rows.append(row)
    return rows


def write_bmp24(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):                    # bottom-up, BGR, rows padded to 4 bytes
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as fh:
        fh.write(head + info + bytes(data))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "files")
    os.makedirs(out, exist_ok=True)
    write_bmp24(os.path.join(out, "velmarblue.bmp"), bar_background())
    hand = hand_rgba()
    write_ico(os.path.join(out, "0rcvr1.ico"), hand)
    with open(os.path.join(out, "link.cur"), "wb") as fh:
        fh.write(png_bytes(hand))
    print("wrote velmarblue.bmp, 0rcvr1.ico, link.cur")


if __name__ == "__main__":
    main()
