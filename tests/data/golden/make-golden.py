#!/usr/bin/env python3
"""Writes the golden layered pictures (*.qmf) of this folder, byte for byte the same on every run.

The files are committed; this script is how they were made and how a new one is added. After changing
them, pin the program's outputs anew: QUIMBLE_GOLDEN_UPDATE=1 build/tests/test_golden, and look at the
renders before committing digests.txt.

Layout written here: the magic "QMF" and a zero byte, a signed entry count, then per entry a 564-byte
record (key, x, y, width, height, stretch mode, mirror flags, visible, alpha and no-image flags, two
260-byte names) followed by the layer picture and, when flagged, its alpha companion, each as a BMP file
image; after the last entry, optionally, the block "QMFX" of per-entry extras. Numbers are 32-bit
little-endian. Coordinates are design units of the picture area, 569 x 421.

Standard library only: python3 make-golden.py [FOLDER] (default: the folder of this script).
"""

import math
import os
import struct
import sys

WHITE = (255, 255, 255)


# --- pictures ------------------------------------------------------------------------------------


class Picture:
    """width x height pixels, top row first; a pixel is (red, green, blue) or a palette index."""

    def __init__(self, width, height, fill=WHITE):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, value):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = value

    def rect(self, left, top, right, bottom, value):
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, value)

    def paint(self, function):
        for y in range(self.height):
            for x in range(self.width):
                value = function(x, y)
                if value is not None:
                    self.pixels[y][x] = value


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(picture, bits, encode, top_down=False):
    """The rows as a BMP stores them (bottom row first unless top_down), each padded to four bytes."""
    rows = picture.pixels if top_down else list(reversed(picture.pixels))
    out = bytearray()
    for row in rows:
        packed = bytearray(stride(picture.width, bits))
        for x, pixel in enumerate(row):
            value = encode(pixel)
            if bits < 8:
                bit = x * bits
                packed[bit // 8] |= value << (8 - bits - bit % 8)
            else:
                packed[x * bits // 8 : (x + 1) * bits // 8] = value.to_bytes(bits // 8, "little")
        out += packed
    return bytes(out)


def bmp(picture, bits, palette=None, full_palette=True, compression=0, masks=(), header_size=40,
        encode=None, top_down=False):
    """A BMP file image with exact size and offset fields and biSizeImage set, as the program writes them.

    palette: (red, green, blue) entries for bits <= 8; a table shorter than 2^bits is written with
    biClrUsed unless full_palette pads it. masks: bit fields after a 40-byte header, or inside a larger one.
    """
    if encode is None:
        if bits <= 8:
            encode = lambda index: index
        elif bits == 24:
            encode = lambda c: c[2] | c[1] << 8 | c[0] << 16
        else:
            raise ValueError("bits %d needs an encoder" % bits)
    rows = pack_rows(picture, bits, encode, top_down)
    table = b""
    used = 0
    if bits <= 8:
        entries = list(palette)
        if full_palette:
            entries += [(0, 0, 0)] * ((1 << bits) - len(entries))
        elif len(entries) != 1 << bits:
            used = len(entries)
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in entries)
    height = -picture.height if top_down else picture.height
    info = struct.pack("<IiiHHIIiiII", header_size, picture.width, height, 1, bits, compression, len(rows),
                       0, 0, used, 0)
    # Masks follow a 40-byte header and lie inside a larger one, from its byte 40 on.
    info = (info + b"".join(struct.pack("<I", m) for m in masks)).ljust(header_size, b"\0")
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(table) + len(rows), 0, 0,
                       14 + len(info) + len(table))
    return head + info + table + rows


GREYS = [(i, i, i) for i in range(256)]


def alpha_bmp(picture):
    """An alpha companion: 8 bits, each pixel its coverage, on a grey table."""
    return bmp(picture, 8, GREYS)


def clamp(v):
    return max(0, min(255, int(round(v))))


# --- the layered file ------------------------------------------------------------------------------


def name_field(name, filler=b""):
    """A 260-byte name field: the name, its zero, then filler (bytes after the zero mean nothing)."""
    raw = name.encode("utf-8") + b"\0" + filler
    return raw[:260].ljust(260, b"\0")


class Entry:
    def __init__(self, key, x, y, width, height, image=None, alpha=None, name="", alpha_name="",
                 visible=True, stretch_mode=3, no_image=False, name_filler=b""):
        self.key, self.x, self.y, self.width, self.height = key, x, y, width, height
        self.image, self.alpha = image, alpha
        self.name, self.alpha_name = name, alpha_name
        self.visible, self.stretch_mode = visible, stretch_mode
        self.no_image = no_image or image is None
        self.name_filler = name_filler

    def bytes(self):
        # The mirror flags repeat the signs, as the program writes them.
        record = struct.pack("<I4iiIIIII", self.key, self.x, self.y, self.width, self.height,
                             self.stretch_mode, int(self.width < 0), int(self.height < 0), int(self.visible),
                             int(self.alpha is not None and not self.no_image), int(self.no_image))
        record += name_field(self.name, self.name_filler)
        record += name_field(self.alpha_name if self.alpha is not None else "", self.name_filler)
        assert len(record) == 564
        if self.no_image:
            return record
        return record + self.image + (self.alpha or b"")


def text_record(text, colour, centred, height, weight, face, italic=0, underline=0, strike_out=0):
    """Kind 1: colour (red in the low byte), centring, the font record, then the text as UTF-8."""
    font = struct.pack("<5i", height, 0, 0, 0, weight)
    font += bytes((italic, underline, strike_out, 0, 0, 0, 0, 0))
    font += face.encode("utf-8").ljust(32, b"\0")
    return struct.pack("<II", colour, int(centred)) + font + text.encode("utf-8")


def extension_block(records):
    """records: (entry index, kind, bytes), in the order the program writes them."""
    out = b"QMFX" + struct.pack("<II", 1, len(records))
    for entry, kind, data in records:
        out += struct.pack("<III", entry, kind, len(data)) + data
    return out


def qmf(entries, block=b""):
    return b"QMF\0" + struct.pack("<i", len(entries)) + b"".join(e.bytes() for e in entries) + block


# --- what the pictures show ------------------------------------------------------------------------


def sky(width=24, height=18):
    """A sky fading to light blue above a green ground."""
    p = Picture(width, height)
    ground = height * 3 // 4

    def colour(x, y):
        if y >= ground:
            return (50 + 10 * ((x // 2 + y) % 2), 150 - 6 * (y - ground), 60)
        t = y / ground
        return (clamp(80 + 120 * t), clamp(140 + 85 * t), clamp(225 + 25 * t))

    p.paint(colour)
    return p


def disc(size, inside, rim, rim_width=2):
    """A filled disc with a rim, on white."""
    p = Picture(size, size)
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d <= size / 2 - rim_width:
                p.set(x, y, inside)
            elif d <= size / 2:
                p.set(x, y, rim)
    return p


def sun():
    """A yellow sun with rays on white (white is see-through without an alpha companion)."""
    p = Picture(64, 48)
    cx, cy = 31.5, 23.5
    for y in range(48):
        for x in range(64):
            d = math.hypot(x - cx, y - cy)
            angle = math.atan2(y - cy, x - cx)
            if d <= 13:
                p.set(x, y, (255, 215, 0))
            elif d <= 15:
                p.set(x, y, (235, 120, 0))
            elif 17 <= d <= 23 and (angle * 8 / math.pi) % 2 < 0.6:
                p.set(x, y, (240, 160, 0))
    # A face, so that the picture's way up shows.
    p.rect(26, 18, 29, 21, (60, 40, 0))
    p.rect(35, 18, 38, 21, (60, 40, 0))
    for x in range(25, 39):
        p.set(x, 28 + round(((x - 31.5) / 7) ** 2 * -2), (160, 40, 0))
    return p


def tile(colour):
    """A 12 x 12 square of one colour with a dark border and a light corner mark top left."""
    p = Picture(12, 12, colour)
    dark = tuple(c // 3 for c in colour)
    for i in range(12):
        for x, y in ((i, 0), (i, 11), (0, i), (11, i)):
            p.set(x, y, dark)
    p.rect(2, 2, 5, 5, (250, 250, 250))
    return p


def arrow():
    """An arrow pointing right, a blue square top left and a green dot bottom left: no symmetry."""
    p = Picture(24, 16)
    red = (210, 30, 30)
    p.rect(3, 7, 15, 9, red)
    for i in range(7):
        p.rect(15 + i, 1 + i, 16 + i, 15 - i, red)
    p.rect(0, 0, 4, 4, (30, 60, 200))
    p.rect(0, 12, 3, 15, (20, 150, 40))
    return p


def soft_disc_coverage(size, hard=0.5):
    """Coverage of a disc: 255 inside hard x radius, falling to 0 at the radius."""
    a = Picture(size, size, 0)
    c = (size - 1) / 2
    r = size / 2
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - c, y - c) / r
            a.set(x, y, 255 if d <= hard else 0 if d >= 1 else clamp(255 * (1 - d) / (1 - hard)))
    return a


def gradient(x, y, width, height):
    """Red across, green down, blue the other way across: 0.0 to 1.0 each."""
    return x / (width - 1), y / (height - 1), 1 - x / (width - 1) * 0.7


# A 5 x 7 font of the letters the texts use.
GLYPHS = {
    "H": ["X...X", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    "l": [".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "!": ["..X..", "..X..", "..X..", "..X..", "..X..", ".....", "..X.."],
    "G": [".XXX.", "X...X", "X....", "X.XXX", "X...X", "X...X", ".XXX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "ü": [".X.X.", ".....", "X...X", "X...X", "X...X", "X..XX", ".XX.X"],
    "ß": [".XX..", "X..X.", "X..X.", "X.X..", "X..X.", "X...X", "X.XX."],
    "e": [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."],
}


def text_picture(text, colour):
    """A text as the text dialog makes one: letters in colour on white, last column and row white."""
    scale, gap, margin = 1, 1, 2
    width = margin * 2 + len(text) * (5 * scale + gap) - gap + 1
    height = margin * 2 + 7 * scale + 1
    p = Picture(width, height)
    for n, letter in enumerate(text):
        left = margin + n * (5 * scale + gap)
        for row, line in enumerate(GLYPHS[letter]):
            for column, mark in enumerate(line):
                if mark == "X":
                    p.rect(left + column * scale, margin + row * scale, left + (column + 1) * scale,
                           margin + (row + 1) * scale, colour)
    return p


def balloon():
    """A speech balloon, white with a black outline and a tail down left, and its coverage."""
    width, height = 48, 32
    p = Picture(width, height, (0, 0, 0))
    a = Picture(width, height, 0)
    cx, cy, rx, ry = 23.5, 12, 23.5, 12

    def in_ellipse(x, y, shrink):
        return ((x - cx) / (rx - shrink)) ** 2 + ((y - cy) / (ry - shrink)) ** 2 <= 1

    def in_tail(x, y, shrink):
        # The triangle (10, 16), (26, 16), (2, 31), narrowed by shrink on each side.
        if not 16 <= y <= 31 - shrink:
            return False
        t = (y - 16) / 15
        return 10 - 8 * t + shrink <= x <= 26 - 24 * t - shrink * 1.5

    for y in range(height):
        for x in range(width):
            if in_ellipse(x, y, 1.5) or in_tail(x, y, 1.2):
                p.set(x, y, WHITE)
                a.set(x, y, 255)
            elif in_ellipse(x, y, 0) or in_tail(x, y, 0):
                a.set(x, y, 255)
    return p, a


# --- the files ----------------------------------------------------------------------------------


def background_entry(key):
    return Entry(key, 0, 0, 569, 421, bmp(sky(), 24), name="res/bckgnds/isky.bmp")


def empty():
    return qmf([])


def one_layer():
    # 64 x 48 pixels on 32 x 24 units: the flat picture is made at two pixels per unit.
    return qmf([Entry(1, 268, 40, 32, 24, bmp(sun(), 24), name="res/props/isun.bmp")])


def ten_layers():
    colours = [(230, 25, 75), (60, 180, 75), (255, 225, 25), (0, 130, 200), (245, 130, 48), (145, 30, 180),
               (70, 240, 240), (240, 50, 230), (210, 245, 60), (0, 128, 128)]
    entries = []
    for f, colour in enumerate(colours):
        # The first entry lies at the back, top left; each next one in front of it, further down right.
        entries.append(Entry(f + 1, 10 + 50 * f, 10 + 36 * f, 80, 80, bmp(tile(colour), 24),
                             name="res/props/itile%d.bmp" % f, stretch_mode=4 if f % 3 == 2 else 3))
    return qmf(entries)


def hidden_mirrored():
    picture = bmp(arrow(), 24)
    cover = bmp(Picture(8, 8, (0, 0, 0)), 24)
    name = "res/props/iarrow.bmp"
    return qmf([
        Entry(1, 30, 30, 200, 150, picture, name=name),
        # Negative sizes reach left and up from x, y and show the picture mirrored.
        Entry(2, 539, 30, -200, 150, picture, name=name),
        Entry(3, 30, 391, 200, -150, picture, name=name),
        Entry(4, 539, 391, -200, -150, picture, name=name),
        # In front of everything, all black, but hidden.
        Entry(5, 0, 0, 569, 421, cover, name="res/props/iblack.bmp", visible=False),
    ])


def alpha():
    # A red disc, soft at its edge, with an opaque white cross: white is not see-through where an alpha
    # companion says how much shows.
    red = Picture(32, 32, (220, 20, 20))
    red.rect(14, 5, 18, 27, WHITE)
    red.rect(5, 14, 27, 18, WHITE)
    # Stripes through a companion of half their size, fading in from left to right.
    stripes = Picture(48, 24)
    stripes.paint(lambda x, y: (y // 3) % 4)
    stripe_colours = [(30, 30, 160), (250, 200, 0), (20, 140, 60), (255, 255, 255)]
    ramp = Picture(24, 12, 0)
    ramp.paint(lambda x, y: clamp(255 * x / 23))
    # A green square through a companion of twice its size: a fine checker of whole and none.
    green = Picture(16, 16, (0, 170, 90))
    checker = Picture(32, 32, 0)
    checker.paint(lambda x, y: 255 if (x // 2 + y // 2) % 2 == 0 else 0)
    return qmf([
        background_entry(1),
        Entry(2, 60, 60, 240, 240, bmp(red, 24), alpha_bmp(soft_disc_coverage(32)),
              name="res/chars/idisc.bmp", alpha_name="res/chars/adisc.bmp"),
        Entry(3, 280, 200, 260, 130, bmp(stripes, 8, stripe_colours, full_palette=False), alpha_bmp(ramp),
              name="res/props/istripes.bmp", alpha_name="res/props/astripes.bmp"),
        Entry(4, 400, 40, 128, 128, bmp(green, 24), alpha_bmp(checker),
              name="res/props/igreen.bmp", alpha_name="res/props/agreen.bmp"),
    ])


def one_picture(picture_bytes, name):
    """A file of one picture in the middle of the picture area."""
    return qmf([Entry(1, 60, 50, 450, 330, picture_bytes, name=name)])


def bits_1():
    # A face in navy on white: white, the table's second colour, is see-through.
    p = Picture(45, 33, 1)
    c = (22, 16)
    for y in range(33):
        for x in range(45):
            d = math.hypot((x - c[0]) / 1.3, y - c[1])
            if 13 <= d <= 15.5:
                p.set(x, y, 0)
    p.rect(15, 9, 19, 14, 0)
    p.rect(26, 9, 30, 14, 0)
    for x in range(13, 32):
        y = 21 + round(4 * (1 - ((x - 22) / 9.5) ** 2))
        p.set(x, y, 0)
        p.set(x, y + 1, 0)
    p.rect(0, 0, 45, 1, 0)  # a top line: the way up
    return bmp(p, 1, [(40, 40, 160), WHITE])


def bits_4():
    # Diagonal bands of sixteen colours; the last one, white, is see-through.
    table = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
             (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
             (255, 0, 255), (0, 255, 255), WHITE]
    p = Picture(45, 33, 0)
    p.paint(lambda x, y: ((x + 2 * y) // 4) % 16)
    p.rect(0, 0, 45, 3, 0)  # a black top band: the way up
    return bmp(p, 4, table)


def bits_8():
    # A colour cube of 4 x 4 x 4 in a table of 64 colours (biClrUsed), red across, green down.
    levels = (0, 85, 170, 255)
    table = [(r, g, b) for b in levels for g in levels for r in levels]
    p = Picture(45, 33, 0)
    p.paint(lambda x, y: (x * 4 // 45) + 4 * (y * 4 // 33) + 16 * (((x // 6) + (y // 6)) % 4))
    return bmp(p, 8, table, full_palette=False)


def gradient_picture():
    p = Picture(45, 33)
    p.paint(lambda x, y: gradient(x, y, 45, 33))
    return p


def encode_16(red_bits, green_bits, blue_bits):
    def encode(c):
        r, g, b = (round(v * ((1 << n) - 1)) for v, n in zip(c, (red_bits, green_bits, blue_bits)))
        return r << (green_bits + blue_bits) | g << blue_bits | b

    return encode


def bits_16_555():
    return bmp(gradient_picture(), 16, encode=encode_16(5, 5, 5))


def bits_16_555_fields():
    return bmp(gradient_picture(), 16, compression=3, masks=(0x7C00, 0x03E0, 0x001F), encode=encode_16(5, 5, 5))


def bits_16_565_fields():
    return bmp(gradient_picture(), 16, compression=3, masks=(0xF800, 0x07E0, 0x001F), encode=encode_16(5, 6, 5))


def rgb_of(c):
    return tuple(clamp(255 * v) for v in c)


def bits_24():
    # The same picture twice: its rows stored bottom up (left) and top down (right).
    p = gradient_picture()
    p.paint(lambda x, y: rgb_of(p.pixels[y][x]))
    p.rect(0, 0, 45, 2, (0, 0, 0))  # a black top line: the way up
    return qmf([
        Entry(1, 20, 80, 255, 187, bmp(p, 24), name="res/props/igradient.bmp"),
        Entry(2, 294, 80, 255, 187, bmp(p, 24, top_down=True), name="res/props/igradient-top-down.bmp"),
    ])


def bits_32():
    # The fourth byte of each pixel is not used, whatever it holds.
    p = gradient_picture()
    p.paint(lambda x, y: rgb_of(p.pixels[y][x]))
    encode = lambda c: c[2] | c[1] << 8 | c[0] << 16 | ((c[0] * 7) & 0xFF) << 24
    return bmp(p, 32, encode=encode)


def bits_32_alpha_fields():
    # Bit fields with an alpha mask in a 108-byte header: the picture brings its own coverage, a disc
    # soft at its edge.
    p = gradient_picture()
    p.paint(lambda x, y: rgb_of(p.pixels[y][x]))
    cover = Picture(45, 33, 0)
    for y in range(33):
        for x in range(45):
            d = math.hypot((x - 22) / 22.5, (y - 16) / 16.5)
            cover.set(x, y, 255 if d <= 0.6 else 0 if d >= 1 else clamp(255 * (1 - d) / 0.4))
    encode = lambda c: c[2] | c[1] << 8 | c[0] << 16 | c[3] << 24
    rgba = Picture(45, 33)
    rgba.paint(lambda x, y: p.pixels[y][x] + (cover.pixels[y][x],))
    return bmp(rgba, 32, compression=3, masks=(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000),
               header_size=108, encode=encode)


TEXT_COLOUR = 0x1E0032  # red in the low byte


def colour_of(value):
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


def text():
    words = "Hallo!"
    picture = text_picture(words, colour_of(TEXT_COLOUR))
    block = extension_block([(1, 1, text_record(words, TEXT_COLOUR, False, -24, 400, "DejaVu Sans"))])
    # A text picture has no name.
    return qmf([background_entry(1), Entry(2, 150, 150, 4 * picture.width, 4 * picture.height,
                                           bmp(picture, 24))], block)


BALLOON_WORDS = "Grüße!"
BALLOON_COLOUR = 0x0000B4


def balloon_entries(names):
    picture, cover = balloon()
    words = text_picture(BALLOON_WORDS, colour_of(BALLOON_COLOUR))
    return [
        background_entry(1),
        Entry(2, 120, 60, 320, 220, bmp(picture, 24), alpha_bmp(cover), name=names[0], alpha_name=names[1]),
        Entry(3, 200, 112, 4 * words.width, 4 * words.height, bmp(words, 24)),
    ]


def text_on_balloon():
    entries = balloon_entries(("res/textblbs/iballoon.bmp", "res/textblbs/aballoon.bmp"))
    block = extension_block([
        (2, 1, text_record(BALLOON_WORDS, BALLOON_COLOUR, True, -30, 700, "DejaVu Serif", italic=1)),
        (2, 2, struct.pack("<I", 1)),  # the text lies on entry 1, the balloon
    ])
    return qmf(entries, block)


def old_text_on_balloon():
    # As an older writer on another system left it: no extension block, backslashes in the names, leftover
    # bytes after each name's zero, and an entry without a picture, which takes up a layer.
    entries = balloon_entries(("res\\textblbs\\iballoon.bmp", "res\\textblbs\\aballoon.bmp"))
    entries.insert(1, Entry(7, 0, 0, 0, 0, no_image=True))
    filler = bytes((0xCD,)) * 16 + b"res\\old\\name.bmp"
    for e in entries:
        e.name_filler = filler
    return qmf(entries)


FILES = {
    "empty.qmf": empty,
    "one-layer.qmf": one_layer,
    "ten-layers.qmf": ten_layers,
    "hidden-mirrored.qmf": hidden_mirrored,
    "alpha.qmf": alpha,
    "bits-1.qmf": lambda: one_picture(bits_1(), "res/chars/iface.bmp"),
    "bits-4.qmf": lambda: one_picture(bits_4(), "res/props/ibands.bmp"),
    "bits-8.qmf": lambda: one_picture(bits_8(), "res/props/icube.bmp"),
    "bits-16-555.qmf": lambda: one_picture(bits_16_555(), "res/props/igradient16.bmp"),
    "bits-16-555-fields.qmf": lambda: one_picture(bits_16_555_fields(), "res/props/igradient555.bmp"),
    "bits-16-565-fields.qmf": lambda: one_picture(bits_16_565_fields(), "res/props/igradient565.bmp"),
    "bits-24.qmf": bits_24,
    "bits-32.qmf": lambda: one_picture(bits_32(), "res/props/igradient32.bmp"),
    "bits-32-alpha-fields.qmf": lambda: one_picture(bits_32_alpha_fields(), "res/props/igradient32a.bmp"),
    "text.qmf": text,
    "text-on-balloon.qmf": text_on_balloon,
    "old-text-on-balloon.qmf": old_text_on_balloon,
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in FILES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(make())


if __name__ == "__main__":
    main()
