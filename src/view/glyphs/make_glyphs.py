#!/usr/bin/env python3
"""Draws the tool-bar pictures and writes them as XPM files beside this script.

Run once after changing a picture: python3 make_glyphs.py. The XPM files are the resources; this
script is only their source. Pictures with a disabled image get it as a second image of the same
size to the right, embossed in white and grey (the button maps those to the system colours).
"""

import math
import os

COLOURS = {
    ".": None,
    "k": "#000000",
    "w": "#FFFFFF",
    "g": "#808080",
    "l": "#C0C0C0",
    "y": "#FFFF00",
    "Y": "#D8B000",
    "n": "#000080",
    "b": "#0000FF",
    "r": "#FF0000",
    "R": "#800000",
    "G": "#00A000",
    "c": "#A0E0FF",
    "t": "#F0C890",
}


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [["."] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def stamp(self, x0, y0, rows):
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != ".":
                    self.put(x0 + dx, y0 + dy, c)

    def rect(self, x0, y0, x1, y1, fill, outline="k"):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.put(x, y, outline if edge else fill)

    def disc(self, cx, cy, r, fill, outline="k"):
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x - cx, y - cy)
                if d <= r - 1:
                    self.put(x, y, fill)
                elif d <= r:
                    self.put(x, y, outline)

    def text(self, x0, y0, word, colour="k"):
        for ch in word:
            glyph = FONT[ch]
            for dy, row in enumerate(glyph):
                for dx, c in enumerate(row):
                    if c == "#":
                        self.put(x0 + dx, y0 + dy, colour)
            x0 += len(glyph[0]) + 1


# A 5 x 7 pixel font for the letters the faces need.
FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    "c": [".....", ".....", ".###.", "#...#", "#....", "#...#", ".###."],
    "z": [".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": [".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."],
}

# 3 x 5 letters for the small cells of the character table.
SMALL = {
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "B": ["##.", "#.#", "##.", "#.#", "##."],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
}


def folder():
    c = Canvas(20, 20)
    c.stamp(1, 3, [
        ".kkkk.............",
        "kYYYYk............",
        "kYYYYYkkkkkkkk....",
        "kYYYYYYYYYYYYk....",
        "kYYYYYYYYYYYYk....",
        "kYYYkkkkkkkkkkkkkk",
        "kYYkyyyyyyyyyyyyk.",
        "kYYkyyyyyyyyyyyyk.",
        "kYkyyyyyyyyyyyyk..",
        "kYkyyyyyyyyyyyyk..",
        "kkyyyyyyyyyyyyk...",
        "kkyyyyyyyyyyyyk...",
        "kkkkkkkkkkkkkkk...",
    ])
    return c


FLOPPY = [
    "kkkkkkkkkkkkkkkk",
    "knwwwwwwwwwwwwnk",
    "knwwwwwwwwwwwwnk",
    "knwggggggggggwnk",
    "knwwwwwwwwwwwwnk",
    "knwggggggggggwnk",
    "knwwwwwwwwwwwwnk",
    "knnnnnnnnnnnnnnk",
    "knnnnnnnnnnnnnnk",
    "knnnllllllllnnnk",
    "knnnllllkkllnnnk",
    "knnnllllkkllnnnk",
    "knnnllllkkllnnnk",
    "knnnllllllllnnnk",
    "kkkkkkkkkkkkkkkk",
]

SMALL_FLOPPY = [
    "kkkkkkkkkkkkk",
    "knwwwwwwwwwnk",
    "knwgggggggwnk",
    "knwwwwwwwwwnk",
    "knwgggggggwnk",
    "knnnnnnnnnnnk",
    "knnnnnnnnnnnk",
    "knnlllllllnnk",
    "knnllllkklnnk",
    "knnllllkklnnk",
    "knnlllllllnnk",
    "kkkkkkkkkkkkk",
]


def save():
    c = Canvas(20, 20)
    c.stamp(2, 2, FLOPPY)
    return c


def pencil(c, tip_x, tip_y, length, down_left, eraser="r"):
    """A pencil at 45 degrees. down_left: the tip is the upper right end, else the lower left."""
    sx, sy = (-1, 1) if down_left else (1, -1)
    for t in range(length):
        x = tip_x + sx * t
        y = tip_y + sy * t
        if t == 0:
            cells = {0: "k"}
        elif t == 1:
            cells = {-1: "k", 0: "k", 1: "k"}
        elif t <= 3:
            cells = {-2: "k", -1: "t", 0: "t", 1: "t", 2: "k"}
        elif t >= length - 3:
            cells = {-2: "k", -1: eraser, 0: eraser, 1: eraser, 2: "k"}
        elif t == length - 4:
            cells = {-2: "k", -1: "l", 0: "l", 1: "l", 2: "k"}
        else:
            cells = {-2: "k", -1: "y", 0: "Y", 1: "y", 2: "k"}
        for d, colour in cells.items():
            c.put(x + d, y, colour)
    # close the eraser end
    end_x = tip_x + sx * length
    end_y = tip_y + sy * length
    for d in (-1, 0, 1):
        c.put(end_x + d, end_y, "k")


def save_as():
    c = Canvas(20, 20)
    c.stamp(0, 0, SMALL_FLOPPY)
    pencil(c, 8, 18, 10, down_left=False)
    return c


def printer():
    c = Canvas(20, 20)
    c.stamp(0, 1, [
        "......kkkkkkkk......",
        "......kwwwwwwk......",
        "......kwggggwk......",
        "......kwwwwwwk......",
        "......kwggggwk......",
        "....kkkkkkkkkkkk....",
        "...kllllllllllllk...",
        "..kkkkkkkkkkkkkkkk..",
        "..kllllllllllllGlk..",
        "..kllllllllllllllk..",
        "..kggggggggggggggk..",
        "..kgggkkkkkkkkgggk..",
        "..kgggwwwwwwwwgggk..",
        "..kkkkwwwwwwwwkkkk..",
        ".....kwggggggwk.....",
        ".....kwwwwwwwwk.....",
        ".....kkkkkkkkkk.....",
    ])
    return c


def info():
    c = Canvas(20, 20)
    c.disc(9.5, 9.5, 9, "b")
    c.rect(9, 4, 10, 5, "w", "w")
    c.rect(8, 8, 10, 8, "w", "w")
    c.rect(9, 9, 10, 14, "w", "w")
    c.rect(8, 15, 11, 15, "w", "w")
    return c


def lens(c, cx, cy, r, handle):
    for t in range(handle):
        x = int(cx + r * 0.7) + 1 + t
        y = int(cy + r * 0.7) + 1 + t
        for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1), (-1, 0), (0, -1)):
            c.put(x + dx, y + dy, "R")
    c.disc(cx, cy, r, "c")
    c.put(int(cx - r / 2), int(cy - r / 2), "w")
    c.put(int(cx - r / 2) + 1, int(cy - r / 2), "w")
    c.put(int(cx - r / 2), int(cy - r / 2) + 1, "w")


ARROW_LEFT = [
    "...b..............",
    "..bb..............",
    ".bbbbbbbbbbbbbbb..",
    "bbbbbbbbbbbbbbbb..",
    ".bbbbbbbbbbbbbbb..",
    "..bb..............",
    "...b..............",
]


def find():
    c = Canvas(20, 20)
    lens(c, 7.5, 7.5, 6.5, 6)
    return c


def find_previous():
    c = Canvas(20, 20)
    lens(c, 9.5, 5.5, 5, 3)
    c.stamp(1, 12, ARROW_LEFT)
    return c


def find_next():
    c = Canvas(20, 20)
    lens(c, 6.5, 5.5, 5, 3)
    c.stamp(3, 12, [row[::-1] for row in ARROW_LEFT])
    return c


def replace():
    c = Canvas(20, 20)
    c.rect(0, 0, 8, 10, "w")
    c.text(2, 2, "A")
    c.rect(11, 9, 19, 19, "w")
    c.text(13, 11, "B", "r")
    # a bent arrow from the first sheet to the second
    for x in range(10, 15):
        c.put(x, 4, "b")
        c.put(x, 5, "b")
    for y in range(4, 8):
        c.put(14, y, "b")
        c.put(15, y, "b")
    c.stamp(12, 6, ["bbbbbb", ".bbbb.", "..bb.."])
    return c


def find_and_mark():
    c = Canvas(20, 20)
    lens(c, 6.5, 6.5, 5.5, 3)
    for i, colour in enumerate("rGy"):
        x = 1 + i * 6
        c.rect(x, 14, x + 5, 19, colour)
    return c


def calculator():
    c = Canvas(20, 20)
    c.rect(3, 0, 16, 19, "l")
    c.rect(5, 2, 14, 6, "G")
    c.stamp(10, 3, ["w.ww", "w..w", "w.ww"])
    for row in range(4):
        for col in range(3):
            x = 5 + col * 3
            y = 8 + row * 3
            colour = "r" if (row, col) == (3, 2) else "w"
            c.rect(x, y, x + 1, y + 1, colour, colour)
            c.put(x + 2, y + 2, "g")
            c.put(x + 2, y + 1, "g")
            c.put(x + 1, y + 2, "g")
    return c


def char_table():
    c = Canvas(20, 20)
    c.rect(0, 1, 19, 18, "w")
    c.rect(1, 2, 18, 4, "n", "n")
    for x in (6, 13):
        for y in range(5, 18):
            c.put(x, y, "g")
    c.rect(1, 11, 18, 11, "g", "g")
    letters = ["ABC", "123"]
    for r, row in enumerate(letters):
        for col, ch in enumerate(row):
            x0 = 2 + col * 7
            y0 = 6 + r * 6
            for dy, line in enumerate(SMALL[ch]):
                for dx, px in enumerate(line):
                    if px == "#":
                        c.put(x0 + dx + 0, y0 + dy, "k")
    return c


def face(word):
    c = Canvas(20, 20)
    c.text(1, 6, word, "n")
    return c


def clear():
    c = Canvas(24, 18)
    # the sheet, slightly turned
    c.rect(0, 9, 14, 17, "w")
    for x in range(1, 14, 2):
        c.put(x, 12, "l")
        c.put(x + 1, 14, "l")
    pencil(c, 22, 1, 11, down_left=True)
    return c


def emboss(c):
    """The disabled image: the shape once in white one pixel right and down, then in grey."""
    out = Canvas(c.width, c.height)
    shape = [(x, y) for y in range(c.height) for x in range(c.width)
             if c.px[y][x] not in (".", "w")]
    for x, y in shape:
        out.put(x + 1, y + 1, "w")
    for x, y in shape:
        out.put(x, y, "g")
    return out


def strip(*images):
    width = sum(i.width for i in images)
    out = Canvas(width, images[0].height)
    x = 0
    for i in images:
        out.stamp(x, 0, ["".join(r) for r in i.px])
        x += i.width
    return out


def write_xpm(path, c, name):
    used = sorted({p for row in c.px for p in row})
    lines = [
        "/* XPM */",
        "static const char* %s[] = {" % name,
        '"%d %d %d 1",' % (c.width, c.height, len(used)),
    ]
    for key in used:
        value = COLOURS[key]
        lines.append('"%s c %s",' % (key, value if value else "None"))
    rows = ['"%s"' % "".join(r) for r in c.px]
    lines.append(",\n".join(rows))
    lines.append("};")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


PICTURES = {
    "open": (folder, True),
    "save": (save, True),
    "save_as": (save_as, True),
    "print": (printer, False),
    "info": (info, False),
    "find": (find, False),
    "find_previous": (find_previous, False),
    "find_next": (find_next, False),
    "replace": (replace, False),
    "find_and_mark": (find_and_mark, False),
    "calculator": (calculator, False),
    "char_table": (char_table, False),
    "hex": (lambda: face("Hex"), False),
    "dec": (lambda: face("Dec"), False),
    "dez": (lambda: face("Dez"), False),
    "clear": (clear, False),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, (draw, with_disabled) in PICTURES.items():
        picture = draw()
        if with_disabled:
            picture = strip(picture, emboss(picture))
        write_xpm(os.path.join(here, name + ".xpm"), picture, name + "_xpm")


if __name__ == "__main__":
    main()
