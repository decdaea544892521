#!/usr/bin/env python3
"""Draws the toolbar and menu-picture bitmaps (24-bit BMP, magenta = transparent).

Run from anywhere: python3 res/toolbar_bitmaps.py; it rewrites the .bmp files beside it.
The top-left pixel of every strip is magenta, so image lists loaded with the
default mask colour treat magenta as transparent.
"""
import os
import struct

PALETTE = {
    '.': (255, 0, 255),
    'k': (0, 0, 0),
    'd': (64, 64, 64),
    'g': (128, 128, 128),
    'G': (192, 192, 192),
    'w': (255, 255, 255),
    'l': (255, 248, 196),
    'y': (250, 214, 70),
    'Y': (190, 140, 20),
    'r': (214, 40, 40),
    'R': (130, 20, 20),
    'n': (40, 160, 60),
    'N': (20, 100, 30),
    'b': (40, 90, 200),
    'B': (150, 190, 240),
}

NEW_NOTE = [
    "................",
    ".YYYYYYYYYY.....",
    ".YllllllllYY....",
    ".YllllllllYlY...",
    ".YlddddddlYYYY..",
    ".YllllllllllllY.",
    ".YldddddddddllY.",
    ".YllllllllllllY.",
    ".YlddddddlnnllY.",
    ".YllllllllnnllY.",
    ".YldddlnnnnnnnY.",
    ".YllllllnnnnnnY.",
    ".YllllllllnnllY.",
    ".YllllllllnnllY.",
    ".YYYYYYYYYYYYYY.",
    "................",
]

CLOCK = [
    "................",
    ".....dddddd.....",
    "...ddwwwwwwdd...",
    "..dwwwwdwwwwwd..",
    "..dwwwwdwwwwwd..",
    ".dwwwwwdwwwwwwd.",
    ".dwwwwwdwwwwwwd.",
    ".dwwwwwddddwwwd.",
    ".dwwwwwwwwwwwwd.",
    ".dwwwwwwwwwwwwd.",
    "..dwwwwwwwwwwd..",
    "..dwwwwwwwwwwd..",
    "...ddwwwwwwdd...",
    ".....dddddd.....",
    "................",
    "................",
]

PIN_LOOSE = [
    "................",
    "..........gg....",
    ".........gGGg...",
    "........gGGGGg..",
    ".......gGGGGGGg.",
    "......gGGGGGGg..",
    ".....gGGGGGGg...",
    "....ggGGGGGg....",
    "...gGGgGGGg.....",
    "....ggggGg......",
    "...d..gg........",
    "..d.............",
    ".d..............",
    "d...............",
    "................",
    "................",
]

PIN_SET = [
    "................",
    ".....rrrrrr.....",
    ".....rRRRRr.....",
    ".....rRRRRr.....",
    ".....rRRRRr.....",
    ".....rRRRRr.....",
    "....rrRRRRrr....",
    "...rRRRRRRRRr...",
    "...rrrrrrrrrr...",
    ".......dd.......",
    ".......dd.......",
    ".......dd.......",
    "........d.......",
    "........d.......",
    "................",
    "................",
]

START_OFF = [
    "................",
    "......gggg......",
    "....gg....gg....",
    "...g..gggg..g...",
    "..g..g....g..g..",
    "..g.g..g...g.g..",
    ".g..g..gg..g..g.",
    ".g..g..ggg.g..g.",
    ".g..g..gg..g..g.",
    "..g.g..g...g.g..",
    "..g..g....g..g..",
    "...g..gggg..g...",
    "....gg....gg....",
    "......gggg......",
    "................",
    "................",
]

DISABLED = [
    "................",
    "......gggg......",
    "....gg....gg....",
    "...g........g...",
    "..g.g........g..",
    "..g..g.......g..",
    ".g....g.......g.",
    ".g.....g......g.",
    ".g......g.....g.",
    "..g......g...g..",
    "..g.......g..g..",
    "...g.......gg...",
    "....gg....gg....",
    "......gggg......",
    "................",
    "................",
]

START_ON = [
    "................",
    "......NNNN......",
    "....NNnnnnNN....",
    "...NnnnnnnnnN...",
    "..NnnnwnnnnnnN..",
    "..NnnnwwnnnnnN..",
    ".NnnnnwwwnnnnnN.",
    ".NnnnnwwwwnnnnN.",
    ".NnnnnwwwnnnnnN.",
    "..NnnnwwnnnnnN..",
    "..NnnnwnnnnnnN..",
    "...NnnnnnnnnN...",
    "....NNnnnnNN....",
    "......NNNN......",
    "................",
    "................",
]

INFO = [
    "................",
    "......bbbb......",
    "....bbBBBBbb....",
    "...bBBBwwBBBb...",
    "..bBBBBwwBBBBb..",
    "..bBBBBBBBBBBb..",
    ".bBBBBwwwBBBBBb.",
    ".bBBBBBwwBBBBBb.",
    ".bBBBBBwwBBBBBb.",
    "..bBBBBwwBBBBb..",
    "..bBBBwwwwBBBb..",
    "...bBBBBBBBBb...",
    "....bbBBBBbb....",
    "......bbbb......",
    "................",
    "................",
]

MENU_LINES = [
    "................",
    "................",
    "................",
    "..dddddddddddd..",
    "..dddddddddddd..",
    "................",
    "................",
    "..dddddddddddd..",
    "..dddddddddddd..",
    "................",
    "................",
    "..dddddddddddd..",
    "..dddddddddddd..",
    "................",
    "................",
    "................",
]

EMPTY = ["................"] * 16

CLOSE = [
    "................",
    "................",
    "................",
    "...dd......dd...",
    "....dd....dd....",
    ".....dd..dd.....",
    "......dddd......",
    ".......dd.......",
    "......dddd......",
    ".....dd..dd.....",
    "....dd....dd....",
    "...dd......dd...",
    "................",
    "................",
    "................",
    "................",
]

CALENDAR = [
    "................",
    "...d..d..d..d...",
    ".rrdrrdrrdrrdrr.",
    ".rrrrrrrrrrrrrr.",
    ".dwwwwwwwwwwwwd.",
    ".dwddwddwddwddd.",
    ".dwwwwwwwwwwwwd.",
    ".dwddwddwddwddd.",
    ".dwwwwwwwwwwwwd.",
    ".dwddwddwrrwddd.",
    ".dwwwwwwwrrwwwd.",
    ".dwddwddwddwwwd.",
    ".dwwwwwwwwwwwwd.",
    ".dddddddddddddd.",
    "................",
    "................",
]

MAIL = [
    "................",
    "................",
    "................",
    ".dddddddddddddd.",
    ".dwdwwwwwwwwdwd.",
    ".dwwdwwwwwwdwwd.",
    ".dwwwdwwwwdwwwd.",
    ".dwwwwdwwdwwwwd.",
    ".dwwwwwddwwwwwd.",
    ".dwwwwwwwwwwwwd.",
    ".dwwwwwwwwwwwwd.",
    ".dwwwwwwwwwwwwd.",
    ".dddddddddddddd.",
    "................",
    "................",
    "................",
]

SHIELD = [
    "................",
    ".......dd.......",
    ".....ddbbdd.....",
    "...ddbbbyyydd...",
    "..dbbbbbyyyyyd..",
    "..dbbbbbyyyyyd..",
    "..dbbbbbyyyyyd..",
    "..dbbbbbyyyyyd..",
    "..dyyyyybbbbbd..",
    "..dyyyyybbbbbd..",
    "...dyyyybbbbd...",
    "...dyyyybbbbd...",
    "....dyyybbbd....",
    ".....ddybdd.....",
    ".......dd.......",
    "................",
]


def strip(images, height):
    rows = []
    for y in range(height):
        row = []
        for art in images:
            assert len(art) >= height and all(len(r) == 16 for r in art), art
            row.extend(PALETTE[c] for c in art[y])
        rows.append(row)
    return rows


def write_bmp(path, rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    # Main window toolbar 206: new note, time note, pin (loose, set), autostart off,
    # disabled, autostart on, info.
    write_bmp(os.path.join(here, "toolbar206.bmp"),
              strip([NEW_NOTE, CLOCK, PIN_LOOSE, PIN_SET, START_OFF, DISABLED, START_ON, INFO], 15))
    # Note toolbar 223: new note, pin, unpin, menu, spacer, close.
    write_bmp(os.path.join(here, "toolbar223.bmp"),
              strip([NEW_NOTE, PIN_LOOSE, PIN_SET, MENU_LINES, EMPTY, CLOSE], 16))
    # Weekday button 231.
    write_bmp(os.path.join(here, "toolbar231.bmp"), strip([CALENDAR], 15))
    # Menu pictures the shell library may lack: mail, info, shield.
    write_bmp(os.path.join(here, "menupictures.bmp"), strip([MAIL, INFO, SHIELD], 16))


if __name__ == "__main__":
    main()
