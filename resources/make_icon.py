#!/usr/bin/env python3
"""Draws the installer's icon (resource 101, app.ico) from the pixel map below: one 16 x 16
image, two colours (1 bit per pixel) with a transparency mask.

    make_icon.py OUT.ico          write the icon
    make_icon.py --check ICO      exit 1 unless ICO is exactly what this script draws
"""
import argparse
import struct
import sys

# '.' transparent, '#' black, 'o' green: a dark tile with a "T" whose stem ends in a down
# arrow. Transparent pixels are black under a set mask bit, so the screen shows through
# unchanged (the icon is drawn by AND with the mask, then XOR with the colour image).
PIXELS = """
..############..
.##############.
################
##oooooooooooo##
##oooooooooooo##
######oooo######
######oooo######
######oooo######
##oo##oooo##oo##
###oo#oooo#oo###
####oooooooo####
#####oooooo#####
######oooo######
#######oo#######
.##############.
..############..
"""

SIZE = 16
# RGBQUAD entries (blue, green, red, 0): index 0 black, index 1 the details list's green.
PALETTE = [(0, 0, 0), (6, 176, 37)]
COLOUR_INDEX = {".": 0, "#": 0, "o": 1}


def rows():
    lines = PIXELS.split()
    if len(lines) != SIZE or any(len(line) != SIZE for line in lines):
        raise ValueError("the pixel map must be %d lines of %d characters" % (SIZE, SIZE))
    return lines


def bitmap(bit_of):
    """A 1-bit plane, bottom row first, each row padded to 32 bits."""
    out = b""
    for line in reversed(rows()):
        bits = 0
        for ch in line:
            bits = bits << 1 | bit_of(ch)
        out += struct.pack(">H", bits) + b"\0\0"
    return out


def icon_bytes():
    xor = bitmap(lambda ch: COLOUR_INDEX[ch])
    mask = bitmap(lambda ch: 1 if ch == "." else 0)
    # BITMAPINFOHEADER: the height counts the colour image and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + xor + mask
    # ICONDIR with one ICONDIRENTRY: 16 x 16, 2 colours, 1 plane, 1 bit, image right behind.
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, 1, 1, len(image), 22)
    return directory + image


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--check", action="store_true", help="compare with an existing file instead of writing it")
    ap.add_argument("ico")
    args = ap.parse_args()
    data = icon_bytes()
    if args.check:
        with open(args.ico, "rb") as f:
            if f.read() != data:
                print("%s is not what make_icon.py draws: run resources/make_icon.py %s" % (args.ico, args.ico))
                return 1
        print("ok: %s matches its pixel map" % args.ico)
        return 0
    with open(args.ico, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
