#!/usr/bin/env python3
"""Draws the plug-in's icons, cursors and the animated sleep cursor.

Every image is drawn from geometric shapes and a tiny pixel font, rendered
with 4x4 supersampling, then reduced to a fixed 256- or 16-colour palette and
written as Windows .ico, .cur and .ani files. The output depends only on this
file, so running it again reproduces the committed art byte for byte.

    python3 tools/generators/artgen/artgen.py [OUTDIR] [--preview DIR]

OUTDIR defaults to src/ui/art beside this tool; --preview also writes every
image (and every animation frame) as a PAM file for viewing.
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4
OPAQUE_THRESHOLD = 0.5

# ---------------------------------------------------------------- palettes

VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette256():
    """The 16 VGA colours, a 6x6x6 colour cube and 24 extra greys."""
    colours = list(VGA16)
    steps = [0, 51, 102, 153, 204, 255]
    for r in steps:
        for g in steps:
            for b in steps:
                colours.append((r, g, b))
    for i in range(24):
        v = 8 + i * 10
        colours.append((v, v, v))
    assert len(colours) == 256
    return colours


PALETTE256 = palette256()


def nearest(palette, rgb, cache):
    if rgb in cache:
        return cache[rgb]
    best, best_d = 0, None
    for i, (r, g, b) in enumerate(palette):
        # Weighted distance keeps skin and gold tones from drifting to grey.
        d = 3 * (r - rgb[0]) ** 2 + 4 * (g - rgb[1]) ** 2 + 2 * (b - rgb[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    cache[rgb] = best
    return best


# ------------------------------------------------------------------ canvas

class Canvas:
    """An RGBA image that shapes are composited onto with coverage."""

    def __init__(self, size):
        self.size = size
        self.rgb = [[(0, 0, 0)] * size for _ in range(size)]
        self.alpha = [[0.0] * size for _ in range(size)]

    def blend(self, x, y, colour, cover):
        if cover <= 0 or not (0 <= x < self.size and 0 <= y < self.size):
            return
        old = self.rgb[y][x]
        a = self.alpha[y][x]
        out_a = cover + a * (1 - cover)
        mix = tuple((colour[i] * cover + old[i] * a * (1 - cover)) / out_a for i in range(3))
        self.rgb[y][x] = mix
        self.alpha[y][x] = out_a

    def fill(self, inside, colour, box=None):
        """Fills the points for which inside(x, y) holds (coordinates in pixels)."""
        x0, y0, x1, y1 = box or (0, 0, self.size, self.size)
        x0, y0 = max(0, int(x0) - 1), max(0, int(y0) - 1)
        x1, y1 = min(self.size, int(x1) + 2), min(self.size, int(y1) + 2)
        n = SUPERSAMPLE
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n):
                            hits += 1
                self.blend(x, y, colour, hits / (n * n))

    def pixel(self, x, y, colour):
        self.blend(x, y, colour, 1.0)

    # Shapes -------------------------------------------------------------
    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def ellipse(self, cx, cy, rx, ry, colour):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, colour,
                  (cx - rx, cy - ry, cx + rx, cy + ry))

    def ring(self, cx, cy, r_out, r_in, colour):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            return r_in <= d <= r_out
        self.fill(inside, colour, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.fill(inside, colour, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, x0, y0, x1, y1, width, colour):
        length = math.hypot(x1 - x0, y1 - y0) or 1.0
        half = width / 2

        def inside(x, y):
            t = ((x - x0) * (x1 - x0) + (y - y0) * (y1 - y0)) / (length * length)
            t = max(0.0, min(1.0, t))
            px, py = x0 + t * (x1 - x0), y0 + t * (y1 - y0)
            return math.hypot(x - px, y - py) <= half
        self.fill(inside, colour,
                  (min(x0, x1) - half, min(y0, y1) - half, max(x0, x1) + half,
                   max(y0, y1) + half))

    def rounded_rect(self, x0, y0, x1, y1, r, colour):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return math.hypot(x - cx, y - cy) <= r
        self.fill(inside, colour, (x0, y0, x1, y1))

    def text(self, x, y, string, colour, font, bold=0, slant=0):
        """Pixel text; bold widens each stroke, slant shifts upper rows right."""
        for ch in string:
            glyph = font[ch]
            rows = len(glyph)
            for row, bits in enumerate(glyph):
                shift = (rows - 1 - row) // slant if slant else 0
                for col, bit in enumerate(bits):
                    if bit == '#':
                        for dx in range(bold + 1):
                            self.pixel(x + col + dx + shift, y + row, colour)
            x += len(glyph[0]) + 1 + bold


# A 3x5 font for the small words and a 5x7 bold font for MIME.
FONT_SMALL = {
    'P': ["##.", "#.#", "##.", "#..", "#..", "...", "..."],
    'l': ["#", "#", "#", "#", "#", ".", "."],
    'u': ["...", "#.#", "#.#", "#.#", ".##", "...", "..."],
    'g': ["...", ".##", "#.#", "#.#", ".##", "..#", "##."],
    'i': ["#", ".", "#", "#", "#", ".", "."],
    'n': ["...", "##.", "#.#", "#.#", "#.#", "...", "..."],
    's': ["...", ".##", "#..", "..#", "##.", "...", "..."],
}
FONT_MIME = {
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'I': ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'E': ["####", "#...", "#...", "###.", "#...", "#...", "####"],
}
# Handwriting: a small script with a 4-pixel x-height, slanted when drawn.
FONT_HAND = {
    'R': ["##.", "#.#", "##.", "#.#", "#.#", "#.#"],
    'e': ["...", "...", ".#.", "###", "#..", ".##"],
    'l': ["#", "#", "#", "#", "#", "#"],
    '.': [".", ".", ".", ".", ".", "#"],
    'N': ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    'o': ["...", "...", ".#.", "#.#", "#.#", ".#."],
    't': ["...", ".#.", "###", ".#.", ".#.", "..#"],
    's': ["...", "...", ".##", "#..", "..#", "##."],
}
FONT_Z = {'Z': ["#####", "...#.", "..#..", ".#...", "#####"]}

# Colours.
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (48, 48, 48)
GREY = (128, 128, 128)
LIGHT_GREY = (192, 192, 192)
PALE_GREY = (220, 220, 220)
RED = (220, 0, 0)
DARK_RED = (128, 0, 0)
BLUE = (0, 51, 204)
LIGHT_BLUE = (51, 153, 255)
NAVY = (0, 0, 128)
SKIN = (255, 204, 153)
SKIN_SHADE = (204, 153, 102)
YELLOW = (255, 255, 0)
GOLD = (255, 204, 0)
DARK_GOLD = (153, 102, 0)
ORANGE = (255, 153, 0)


# ----------------------------------------------------------------- artwork

def draw_no_letter(c, s):
    """A blue-cuffed hand holding out a white letter, under a red 'no' sign.

    Drawn in a 32-unit design space scaled by s (1 for 32x32, 0.5 for 16x16).
    """
    def P(*pts):
        return [(x * s, y * s) for x, y in pts]
    # Letter: white envelope with a dark outline and its flap.
    c.polygon(P((9, 6), (27, 6), (27, 19), (9, 19)), DARK)
    c.polygon(P((10, 7), (26, 7), (26, 18), (10, 18)), WHITE)
    c.line(10 * s, 7 * s, 18 * s, 13 * s, max(1.0, 1.2 * s), GREY)
    c.line(26 * s, 7 * s, 18 * s, 13 * s, max(1.0, 1.2 * s), GREY)
    # Hand: fingers under the letter's lower left corner, palm and thumb.
    c.polygon(P((5, 17), (14, 15), (17, 17), (16, 19), (13, 20), (12, 25), (5, 26)), SKIN_SHADE)
    c.polygon(P((6, 17.5), (14, 16), (16, 17.5), (15, 18.6), (12, 19.5), (11.5, 24.5),
                (6, 25)), SKIN)
    c.polygon(P((12, 12), (14, 11), (15, 13), (14.5, 16), (12.5, 16)), SKIN)
    # Blue cuff at the wrist.
    c.polygon(P((0, 17), (6, 16), (7, 27), (1, 28)), NAVY)
    c.polygon(P((1, 17.8), (5.3, 17), (6.2, 26.2), (1.8, 27)), BLUE)
    # Red circle with the diagonal bar from top left to bottom right.
    c.ring(16 * s, 16 * s, 15.5 * s, 12.5 * s, RED)
    c.line(7 * s, 7 * s, 25 * s, 25 * s, 3 * s, RED)


def icon_no_letter(size):
    c = Canvas(size)
    draw_no_letter(c, size / 32)
    return c


def icon_page_roller():
    """A grey panel: a text page goes into a roller and leaves as a yellow form."""
    c = Canvas(32)
    c.rect(1, 1, 31, 31, DARK)
    c.rect(2, 2, 30, 30, LIGHT_GREY)
    c.rect(2, 2, 30, 3, WHITE)
    c.rect(2, 2, 3, 30, WHITE)
    # Text page entering from the top.
    c.rect(8, 3, 24, 13, GREY)
    c.rect(9, 3, 23, 12, WHITE)
    for y in (5, 7, 9):
        c.rect(10, y, 21 if y != 9 else 17, y + 1, BLACK)
    # Roller across the middle.
    c.rounded_rect(4, 12, 28, 17, 2.5, DARK)
    c.rect(5, 13, 27, 14, GREY)
    c.rect(5, 14, 27, 15, (96, 96, 96))
    c.rect(3, 13, 5, 16, BLACK)
    c.rect(27, 13, 29, 16, BLACK)
    # Yellow form coming out below, with its boxes and lines.
    c.rect(8, 17, 24, 29, DARK_GOLD)
    c.rect(9, 17, 23, 28, YELLOW)
    c.rect(10, 19, 14, 22, BLUE)
    c.rect(15, 19, 22, 20, BLACK)
    c.rect(15, 21, 20, 22, BLACK)
    c.rect(10, 24, 22, 25, BLACK)
    c.rect(10, 26, 18, 27, BLACK)
    return c


def icon_mime_envelope():
    """The word MIME in black capitals over a yellow envelope."""
    c = Canvas(32)
    c.rect(1, 11, 31, 30, DARK_GOLD)
    c.rect(2, 12, 30, 29, YELLOW)
    c.line(2, 12.5, 16, 22, 1.3, DARK_GOLD)
    c.line(30, 12.5, 16, 22, 1.3, DARK_GOLD)
    c.line(2, 29, 12, 20, 1.0, ORANGE)
    c.line(30, 29, 20, 20, 1.0, ORANGE)
    # Word above the envelope's top edge, overlapping it a little.
    c.rect(2, 2, 30, 11, WHITE)
    c.text(4, 3, "MIME", BLACK, FONT_MIME, bold=1)
    return c


def icon_winged_coin():
    """A winged gold coin flying right, with speed lines behind it."""
    c = Canvas(32)
    # Speed lines at the left.
    for y, x0 in ((11, 0), (16, 2), (21, 0)):
        c.rect(x0, y, x0 + 7, y + 1.2, GREY)
    # Wing behind the coin, feathers sweeping up and back.
    c.polygon([(12, 14), (4, 4), (11, 5), (10, 2), (17, 6), (17, 3), (21, 11)], DARK_GOLD)
    c.polygon([(13, 13), (6, 5), (11.5, 6.2), (11.4, 3.8), (16.2, 7.4), (16.4, 5), (20, 11)],
              WHITE)
    c.line(8, 6, 14, 12, 0.8, LIGHT_GREY)
    c.line(12, 5, 16, 11, 0.8, LIGHT_GREY)
    # Coin: dark rim, gold face, a darker inner ring and a bright highlight.
    c.ellipse(19, 19, 10, 10, DARK_GOLD)
    c.ellipse(19, 19, 9, 9, GOLD)
    c.ring(19, 19, 6.8, 5.6, DARK_GOLD)
    # An embossed S with a bar: a coin's currency mark.
    c.text(17, 16, "S", DARK_GOLD, {'S': [".###", "#...", ".##.", "...#", "###."]})
    c.rect(18.5, 14.5, 19.5, 23.5, DARK_GOLD)
    c.ellipse(15, 14, 1.5, 1.5, WHITE)
    return c


def icon_release_notes():
    """A spiral notepad with the handwritten words Rel. Notes."""
    c = Canvas(32)
    c.rect(3, 4, 31, 32, GREY)
    c.rect(2, 3, 30, 31, DARK)
    c.rect(3, 4, 29, 30, (255, 255, 204))
    # Ruled lines and a red margin.
    for y in (13, 21, 28):
        c.rect(4, y, 28, y + 1, (153, 204, 255))
    c.rect(5, 5, 6, 30, (255, 153, 153))
    # Spiral rings along the top.
    for x in range(5, 28, 4):
        c.rect(x, 1, x + 2, 6, DARK)
        c.rect(x + 0.5, 1.5, x + 1.5, 5, LIGHT_GREY)
    c.text(9, 7, "Rel.", NAVY, FONT_HAND)
    c.text(8, 15, "Notes", NAVY, FONT_HAND)
    return c


def icon_plugins():
    """A grey tile with blue interlocking blocks above the word Plugins."""
    c = Canvas(32)
    c.rounded_rect(0, 0, 32, 32, 3, DARK)
    c.rounded_rect(1, 1, 31, 31, 2.5, LIGHT_GREY)
    c.rect(2, 2, 30, 3, WHITE)
    # Two blocks that interlock: a tab on one fits the notch of the other.
    c.rect(4, 6, 15, 19, NAVY)
    c.rect(5, 7, 14, 18, BLUE)
    c.rect(14, 10, 18, 15, BLUE)
    c.rect(17, 6, 28, 19, NAVY)
    c.rect(18, 7, 27, 18, LIGHT_BLUE)
    c.rect(17, 10, 20, 15, BLUE)
    c.rect(14, 10, 20, 11, NAVY)
    c.rect(14, 14, 20, 15, NAVY)
    # Studs on top of the blocks.
    c.rect(6, 4, 9, 6, BLUE)
    c.rect(10, 4, 13, 6, BLUE)
    c.rect(19, 4, 22, 6, LIGHT_BLUE)
    c.rect(23, 4, 26, 6, LIGHT_BLUE)
    c.text(3, 22, "Plugins", BLACK, FONT_SMALL)
    return c


def cursor_red_arrow():
    """A red arrow pointer with a dark outline, tip at the top left."""
    c = Canvas(32)
    outline = [(0, 0), (0, 22), (5.5, 17), (9.5, 26.5), (13, 25), (9.2, 16.2), (16, 16)]
    inner = [(1, 2.4), (1, 19.6), (5.9, 15.1), (9.9, 24.6), (11.7, 23.8), (7.8, 15.2),
             (13.6, 15.1)]
    c.polygon(outline, BLACK)
    c.polygon(inner, RED)
    c.line(1.8, 4, 1.8, 15, 0.9, (255, 128, 128))
    c.pixel(0, 0, BLACK)
    return c


# Sleep animation ------------------------------------------------------------

# Each Z: x, y of its top left corner and scale (pixel size of the font cells).
Z_LARGE = (6.5, 10, 1.8)
Z_MIDDLE = (16.5, 8, 1.3)
Z_SMALL = (23.5, 7.5, 1)
SLEEP_FRAMES = [
    [(Z_LARGE, NAVY)],
    [(Z_LARGE, NAVY), (Z_MIDDLE, NAVY)],
    [(Z_LARGE, NAVY), (Z_MIDDLE, NAVY), (Z_SMALL, NAVY)],
    [(Z_MIDDLE, NAVY), (Z_SMALL, NAVY)],
    [(Z_SMALL, NAVY)],
    [(Z_SMALL, (176, 176, 176))],
    [],
]
SLEEP_HOT_SPOT = (13, 22)
SLEEP_RATES = [10, 10, 10, 10, 10, 10, 30]


def draw_z(c, x, y, scale, colour):
    """A Z drawn as three strokes so that fractional scales stay crisp."""
    w, h = 5 * scale, 5 * scale
    t = max(1.0, scale)
    c.rect(x, y, x + w, y + t, colour)
    c.rect(x, y + h - t, x + w, y + h, colour)
    c.line(x + w - t / 2, y + t, x + t / 2, y + h - t, t * 1.15, colour)


def sleep_frame(letters):
    c = Canvas(32)
    # Grey shadow offset down and right, then the white bubble with its tail.
    shadow = (1.5, 1.5)
    for dx, dy, colour in ((shadow[0], shadow[1], GREY), (0, 0, DARK), (0, 0, WHITE)):
        inset = 1 if colour == WHITE else 0
        c.ellipse(16 + dx, 11.5 + dy, 14.5 - inset, 10.5 - inset, colour)
        c.polygon([(8 + dx, 17 + dy), (13 + dx + inset, 19 + dy), (2 + dx + inset * 0.7,
                                                                 28 + dy - inset)], colour)
    for (x, y, scale), colour in letters:
        draw_z(c, x, y, scale, colour)
    return c


# ------------------------------------------------------------- file format

def dib(canvas, palette, bpp):
    """BITMAPINFOHEADER, palette, XOR bitmap and AND mask of one image."""
    size = canvas.size
    cache = {}
    indices, mask = [], []
    for y in range(size):
        row_i, row_m = [], []
        for x in range(size):
            opaque = canvas.alpha[y][x] >= OPAQUE_THRESHOLD
            rgb = tuple(int(round(v)) for v in canvas.rgb[y][x])
            row_i.append(nearest(palette, rgb, cache) if opaque else 0)
            row_m.append(0 if opaque else 1)
        indices.append(row_i)
        mask.append(row_m)
    xor_stride = ((size * bpp + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(size)):
        row = bytearray(xor_stride)
        for x, idx in enumerate(indices[y]):
            if bpp == 8:
                row[x] = idx
            else:
                row[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        xor += row
        mrow = bytearray(and_stride)
        for x, bit in enumerate(mask[y]):
            if bit:
                mrow[x // 8] |= 0x80 >> (x % 8)
        andm += mrow
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                         len(xor) + len(andm), 0, 0, 0, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + pal + bytes(xor) + bytes(andm), indices, mask


def icon_file(images, kind=1, hot_spot=(0, 0)):
    """An .ico (kind 1) or .cur (kind 2) file of (canvas, palette, bpp) images."""
    blobs = [dib(c, pal, bpp)[0] for c, pal, bpp in images]
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for (c, pal, bpp), blob in zip(images, blobs):
        colours = 16 if bpp == 4 else 0
        if kind == 1:
            field1, field2 = 1, bpp
        else:
            field1, field2 = hot_spot
        out += struct.pack('<BBBBHHII', c.size, c.size, colours, 0, field1, field2,
                           len(blob), offset)
        offset += len(blob)
    return out + b''.join(blobs)


def chunk(tag, data):
    body = struct.pack('<4sI', tag, len(data)) + data
    return body + (b'\0' if len(data) % 2 else b'')


def ani_file(frames, rates, hot_spot, title, artist):
    info = b'INFO' + chunk(b'INAM', title + b'\0') + chunk(b'IART', artist + b'\0')
    anih = struct.pack('<9I', 36, len(frames), len(rates), 0, 0, 0, 0, rates[0], 1)
    rate = b''.join(struct.pack('<I', r) for r in rates)
    fram = b'fram' + b''.join(
        chunk(b'icon', icon_file([(f, PALETTE256, 8)], kind=2, hot_spot=hot_spot))
        for f in frames)
    body = (b'ACON' + chunk(b'LIST', info) + chunk(b'anih', anih) + chunk(b'rate', rate) +
            chunk(b'LIST', fram))
    return struct.pack('<4sI', b'RIFF', len(body)) + body


def pam(canvas, palette, bpp):
    """A preview of the image as the palette and mask reduce it."""
    _, indices, mask = dib(canvas, palette, bpp)
    size = canvas.size
    data = bytearray()
    for y in range(size):
        for x in range(size):
            r, g, b = palette[indices[y][x]]
            data += bytes((r, g, b, 0 if mask[y][x] else 255))
    head = ('P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' %
            (size, size)).encode()
    return head + bytes(data)


# ---------------------------------------------------------------------- main

def artwork():
    """File name -> (bytes, preview images)."""
    small = icon_no_letter(16)
    large = icon_no_letter(32)
    frames = [sleep_frame(letters) for letters in SLEEP_FRAMES]
    files = {
        'no_letter_small.ico': ([(small, PALETTE256, 8)], 1),
        'plugin.ico': ([(small, PALETTE256, 8), (icon_page_roller(), PALETTE256, 8)], 1),
        'mime_envelope.ico': ([(icon_mime_envelope(), PALETTE256, 8)], 1),
        'no_letter_large.ico': ([(large, PALETTE256, 8)], 1),
        'donations.ico': ([(icon_winged_coin(), VGA16, 4)], 1),
        'release_notes.ico': ([(icon_release_notes(), PALETTE256, 8)], 1),
        'pointer.cur': ([(cursor_red_arrow(), VGA16, 4)], 2),
        'plugins.ico': ([(icon_plugins(), PALETTE256, 8)], 1),
    }
    out = {}
    for name, (images, kind) in files.items():
        out[name] = (icon_file(images, kind), images)
    ani = ani_file(frames, SLEEP_RATES, SLEEP_HOT_SPOT, b'Time for Sleep!', b'Vellumo Design Team')
    out['sleep.ani'] = (ani, [(f, PALETTE256, 8) for f in frames])
    return out


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = os.path.join(here, '..', '..', 'src', 'ui', 'art')
    preview = None
    args = list(argv)
    if '--preview' in args:
        i = args.index('--preview')
        preview = args[i + 1]
        del args[i:i + 2]
    if args:
        outdir = args[0]
    os.makedirs(outdir, exist_ok=True)
    for name, (data, images) in artwork().items():
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)
        if preview:
            os.makedirs(preview, exist_ok=True)
            stem = os.path.splitext(name)[0]
            for i, image in enumerate(images):
                with open(os.path.join(preview, '%s_%d.pam' % (stem, i)), 'wb') as f:
                    f.write(pam(*image))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
