#!/usr/bin/env python3
"""Writes Quindral's icons as Windows icon files from the drawings below.

app/Form1.ico    the main window's icon: a folder under a magnifier, 32 x 32 and 16 x 16
app/Quindral.ico the application's icon: a file list under a magnifier, 32 x 32

Each drawing is a block of rows, one letter a pixel, in the 16 colours of the standard
VGA palette (the order Windows gives them). '.' is transparent. With --dfm, the form's
icon is also written into the Icon.Data property of app/Unit1.dfm.

    python3 tools/make_icons.py [--dfm]
"""
import os
import re
import struct
import sys

# Letter -> palette index. Capitals are the dark colours, small letters the bright ones.
PALETTE = [
    ("K", (0x00, 0x00, 0x00)),  # black
    ("R", (0x80, 0x00, 0x00)),  # maroon
    ("G", (0x00, 0x80, 0x00)),  # green
    ("Y", (0x80, 0x80, 0x00)),  # olive
    ("B", (0x00, 0x00, 0x80)),  # navy
    ("P", (0x80, 0x00, 0x80)),  # purple
    ("T", (0x00, 0x80, 0x80)),  # teal
    ("S", (0xC0, 0xC0, 0xC0)),  # silver
    ("D", (0x80, 0x80, 0x80)),  # grey
    ("r", (0xFF, 0x00, 0x00)),  # red
    ("g", (0x00, 0xFF, 0x00)),  # lime
    ("y", (0xFF, 0xFF, 0x00)),  # yellow
    ("b", (0x00, 0x00, 0xFF)),  # blue
    ("p", (0xFF, 0x00, 0xFF)),  # fuchsia
    ("c", (0x00, 0xFF, 0xFF)),  # aqua
    ("W", (0xFF, 0xFF, 0xFF)),  # white
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}

FOLDER_32 = """
................................
................................
................................
................................
................................
..KKKKKKKKKKK...................
..KyyyyyyyyyK...................
..KyWyyyyyyyK...................
.KKKKKKKKKKKKKKKKKKKKKKKKKKK....
.KYYYYYYYYYYYYYYYYYYYYYYYYYK....
.KYYYYYYYYYYYYYYYYYYYYYYYYYK....
.KKKKKKKKKKKKKKKKKKKKKKKKKKK....
.KWWWWWWWWWWWWWKKKKKKKKKWWWK....
.KWyyyyyyyyyyyKKKKcccKKKKyYK....
.KWyyyyyyyyyyKKKcWWccccKKKYK....
.KWyyyyyyyyyyKKcWcccccccKKYK....
.KWyyyyyyyyyKKKWccccccccKKKK....
.KWyyyyyyyyyKKcWcccccccccKKK....
.KWyyyyyyyyyKKcccccccccccKKK....
.KWyyyyyyyyyKKcccccccccccKKK....
.KWyyyyyyyyyKKKcccccccccKKKK....
.KWyyyyyyyyyyKKcccccccccKKYK....
.KWyyyyyyyyyyKKKcccccccKKKYK....
.KWyyyyyyyyyyyKKKKcccKKKKRKK....
.KWyyyyyyyyyyyyKKKKKKKKKRRRK....
.KYYYYYYYYYYYYYYYKKKKKYYKRRRK...
.KKKKKKKKKKKKKKKKKKKKKKKKKRRRK..
..........................KRRRK.
...........................KRRRK
............................KRRK
.............................KK.
................................
"""

FOLDER_16 = """
................
.KKKKK..........
KyWyyyK.........
KKKKKKKKKKKKKK..
KYYYYYYYYYYYYK..
KKKKKKKKKKKKKK..
KWWWKKKKKWWWYK..
KWyKKcWccKKyYK..
KWyKcWccccKyYK..
KWyKccccccKyYK..
KWyKccccccKyYK..
KWyKKccccKKKYK..
KYYYKKKKKKRKKK..
KKKKKKKKKKKRRK..
............KRRK
.............KK.
"""

FILES_32 = """
................................
................................
.KKKKKKKKKKKKKKKKKKKKKKKKKK.....
.KBBBBBBBBBBBBBBBBBBBBBBBBK.....
.KBWWWWWWBBBBBBBBBBBBSBSBBK.....
.KBBBBBBBBBBBBBBBBBBBSBSBBK.....
.KBBBBBBBBBBBBBBBBBBBBBBBBK.....
.KSSSSSSSSSSSSSSSSSSSSSSSSK.....
.KSDDDDDDDDDDDDDDDDDDDDDDSK.....
.KSDWWWWWWWWWWWWWWWWWWWWDSK.....
.KSDWDDDDDDDDDDDKKKKKWWWDSK.....
.KSDWWWWWWWWWWKKKKKKKKKWDSK.....
.KSDWDDDDDDDDKKKKcccKKKKDSK.....
.KSDWWWWWWWWKKKcWWccccKKKSK.....
.KSDWDDDDDDDKKcWcccccccKKSK.....
.KSDWWWWWWWKKKWccccccccKKKK.....
.KSDWDDDDDDKKcWcccccccccKKK.....
.KSDWWWWWWWKKcccccccccccKKK.....
.KSDWDDDDDDKKrrrrrrrrrrrKKK.....
.KSDWWWWWWWKKKcccccccccKKKK.....
.KSDWDDDDDDDKKcccccccccKKSK.....
.KSDWWWWWWWWKKKcccccccKKKSK.....
.KSDWDDDDDDDDKKKKcccKKKKRKK.....
.KSDWWWWWWWWWWKKKKKKKKKRRRK.....
.KSDDDDDDDDDDDDDKKKKKDDKRRRK....
.KKKKKKKKKKKKKKKKKKKKKKKKRRRK...
.........................KRRRK..
..........................KRRRK.
...........................KRRRK
............................KRRK
.............................KK.
................................
"""


def rows(drawing):
    lines = [line for line in drawing.strip().splitlines()]
    size = len(lines)
    for line in lines:
        if len(line) != size:
            raise ValueError("drawing is not square: %r" % line)
        for ch in line:
            if ch != "." and ch not in INDEX:
                raise ValueError("letter %r is no palette colour" % ch)
    return lines


def image(drawing):
    """The icon resource of one drawing: header, palette, colour bits, mask bits."""
    lines = rows(drawing)
    size = len(lines)
    colour_row = (size * 4 + 31) // 32 * 4
    mask_row = (size + 31) // 32 * 4
    colour = bytearray()
    mask = bytearray()
    for line in reversed(lines):  # bottom row first
        bits = bytearray(colour_row)
        masks = bytearray(mask_row)
        for x, ch in enumerate(line):
            if ch == ".":
                masks[x // 8] |= 0x80 >> (x % 8)
            else:
                bits[x // 2] |= INDEX[ch] << (4 if x % 2 == 0 else 0)
        colour += bits
        mask += masks
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    return size, header + palette + bytes(colour) + bytes(mask)


def icon_file(*drawings):
    images = [image(d) for d in drawings]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def dfm_hex(data, indent):
    text = data.hex().upper()
    pad = " " * indent
    return "\n".join(pad + text[i:i + 64] for i in range(0, len(text), 64))


def main():
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    form_icon = icon_file(FOLDER_32, FOLDER_16)
    app_icon = icon_file(FILES_32)
    with open(os.path.join(top, "app", "Form1.ico"), "wb") as f:
        f.write(form_icon)
    with open(os.path.join(top, "app", "Quindral.ico"), "wb") as f:
        f.write(app_icon)
    if "--dfm" in sys.argv[1:]:
        path = os.path.join(top, "app", "Unit1.dfm")
        with open(path, encoding="utf-8") as f:
            text = f.read()
        # The form's own properties are indented by two spaces, the hex by four.
        block = "  Icon.Data = {\n" + dfm_hex(form_icon, 4) + "}\n"
        pattern = re.compile(r"^  Icon\.Data = \{[0-9A-Fa-f\s]*\}\n", re.M)
        if pattern.search(text):
            text = pattern.sub(lambda _: block, text, count=1)
        else:
            # Before the first nested object, after the form's other properties.
            at = re.search(r"^  object ", text, re.M)
            if not at:
                raise SystemExit("app/Unit1.dfm has no nested object to put Icon.Data before")
            text = text[:at.start()] + block + text[at.start():]
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
