#!/usr/bin/env python3
"""Draws every picture of NMZAV.EXE from the description below.

The pictures are made of a few shapes (an umbrella, rain, lettering) that are
sampled on each image's pixel grid, so the same description gives the
program icons, the toolbar icons and the side banner one look. The output is
the same bytes on every run: nothing random, no fonts or libraries of the
machine are used.

  python3 tools/art.py write [FOLDER]   writes the files (default resources/art)
  python3 tools/art.py check            fails when resources/art is out of date
  python3 tools/art.py render [FOLDER]  writes an enlarged PNG of every image
                                        (default build/art-review; needs
                                        ImageMagick's convert)
"""

import os
import struct
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_FOLDER = os.path.join(TOP, "resources", "art")

# The product's colour is the start page's blue; the rest is chosen around it.
COLOURS = {
    "blue": (0x1A, 0x6B, 0xBB),
    "light": (0x5C, 0xA8, 0xEA),
    "pale": (0xCF, 0xE6, 0xFA),
    "navy": (0x0B, 0x2F, 0x5C),
    "white": (0xFF, 0xFF, 0xFF),
    "handle": (0x8A, 0x4B, 0x12),
    "tip": (0xFF, 0xC8, 0x2E),
    "red": (0xD0, 0x1F, 0x1F),
    "darkred": (0x7A, 0x0C, 0x0C),
    "rain": (0x9E, 0xCB, 0xF2),
}

# ---------------------------------------------------------------- shapes ----
# A shape takes a point (x, y) in the unit square (y grows downwards) and
# returns a colour name, or None where it leaves the point alone.


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def umbrella(x, y, panel="blue", stripe="light", shaft="navy", handle="handle",
             tip="tip"):
    """An open umbrella seen from the side: a dome of five panels whose hem is
    cut in scallops between the ribs, a shaft, and a hooked handle."""
    cx, hem, radius = 0.5, 0.56, 0.46
    apex = hem - radius
    ribs = 5
    span = 2 * radius / ribs
    # The little knob on top of the dome.
    if inside_circle(x, y, cx, apex - 0.01, 0.045):
        return tip
    if y <= hem and inside_circle(x, y, cx, hem, radius):
        for k in range(ribs):
            middle = cx - radius + (k + 0.5) * span
            if inside_circle(x, y, middle, hem + 0.05, span * 0.5):
                return None
        # Ribs run straight from the apex to the hem; panels alternate.
        reach = (x - cx) * (hem - apex) / max(y - apex, 1e-6)
        k = int((reach + radius) // span)
        return panel if k % 2 == 0 else stripe
    # The shaft, down the middle.
    if abs(x - cx) <= 0.04 and hem - 0.05 < y <= 0.84:
        return shaft
    # The hook: the lower half of a ring to the left of the shaft.
    hook_cx, hook_cy = cx - 0.115, 0.84
    d2 = (x - hook_cx) ** 2 + (y - hook_cy) ** 2
    if y >= hook_cy and 0.075 ** 2 <= d2 <= 0.155 ** 2:
        return handle
    if hook_cy - 0.05 < y < hook_cy and abs(x - (hook_cx - 0.115)) <= 0.04:
        return handle
    return None


def no_entry(x, y):
    """A red disc with a white bar: the sign of taking something away."""
    cx, cy = 0.73, 0.73
    if inside_circle(x, y, cx, cy, 0.26):
        if abs(y - cy) <= 0.065 and abs(x - cx) <= 0.17:
            return "white"
        return "red"
    return None


def layered(*shapes):
    """Shapes painted in order: the last one that draws a point wins."""
    def shape(x, y):
        colour = None
        for each in shapes:
            c = each(x, y)
            if c is not None:
                colour = c
        return colour
    return shape


def sample(shape, width, height, grid=4, area=(0.0, 0.0, 1.0, 1.0)):
    """The picture on a width x height pixel grid: each pixel takes the colour
    most of its sample points have (None for transparent), ties going to the
    colour met first, so edges stay crisp and only named colours appear."""
    left, top, right, bottom = area
    pixels = []
    for row in range(height):
        line = []
        for column in range(width):
            votes = {}
            order = []
            for sy in range(grid):
                for sx in range(grid):
                    x = left + (right - left) * (column + (sx + 0.5) / grid) / width
                    y = top + (bottom - top) * (row + (sy + 0.5) / grid) / height
                    c = shape(x, y)
                    if c not in votes:
                        votes[c] = 0
                        order.append(c)
                    votes[c] += 1
            best = max(order, key=lambda c: votes[c])
            line.append(best)
        pixels.append(line)
    return pixels


def outline(pixels, colour="navy", only=("blue", "light", "red")):
    """Draws the edge of the broad parts (the dome, the sign) in a dark colour
    so that they read on any background: every such pixel that touches a
    transparent one. Thin parts keep their colour, or they would vanish."""
    height, width = len(pixels), len(pixels[0])
    result = [line[:] for line in pixels]
    for row in range(height):
        for column in range(width):
            if pixels[row][column] not in only:
                continue
            for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
                r, c = row + dr, column + dc
                if not (0 <= r < height and 0 <= c < width) or pixels[r][c] is None:
                    result[row][column] = colour
                    break
    return result


def grey(rgb):
    level = round(0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2])
    return (level, level, level)


# ----------------------------------------------------------------- icons ----

def icon_image(pixels, bits, colours):
    """One image of an icon file: BITMAPINFOHEADER, palette, colour bits and
    transparency mask, rows bottom-up, each row padded to 4 bytes. Pixels
    name their colours; colours maps each name to RGB."""
    height, width = len(pixels), len(pixels[0])
    palette = sorted(set(colours.values()))
    entries = palette + [(0, 0, 0)] * ((1 << bits) - len(palette))
    index = {rgb: i for i, rgb in enumerate(palette)}
    xor_stride = ((width * bits + 31) // 32) * 4
    and_stride = ((width + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for line in reversed(pixels):
        row = bytearray(xor_stride)
        mask_row = bytearray(and_stride)
        for column, name in enumerate(line):
            value = 0
            if name is None:
                mask_row[column // 8] |= 0x80 >> (column % 8)
            else:
                value = index[colours[name]]
            if bits == 4:
                row[column // 2] |= value << (4 if column % 2 == 0 else 0)
            else:
                row[column] = value
        xor += row
        mask += mask_row
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in entries)
    return header + table + bytes(xor) + bytes(mask)


def icon_file(images):
    """An icon file (reserved 0, type 1) from (pixels, bits, colours) images."""
    blobs = [(pixels, bits, icon_image(pixels, bits, colours))
             for pixels, bits, colours in images]
    data = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for pixels, bits, blob in blobs:
        data += struct.pack("<BBBBHHII", len(pixels[0]), len(pixels),
                            16 if bits == 4 else 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return data + b"".join(blob for _, _, blob in blobs)


def colour_map(transform=lambda rgb: rgb):
    return {name: transform(rgb) for name, rgb in COLOURS.items()}


def umbrella_pixels(size):
    return outline(sample(umbrella, size, size))


def uninstall_pixels(size):
    picture = umbrella_pixels(size)
    sign = outline(sample(no_entry, size, size), colour="darkred")
    return [[s if s is not None else p for p, s in zip(prow, srow)]
            for prow, srow in zip(picture, sign)]


def toolbar_icon(transform):
    return icon_file([(umbrella_pixels(16), 4, colour_map(transform)),
                      (umbrella_pixels(20), 8, colour_map(transform))])


# ---------------------------------------------------------------- banner ----

# Lettering for the banner, 5 x 7 cells per glyph ('#' drawn).
GLYPHS = {
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
}

BANNER_WIDTH, BANNER_HEIGHT = 122, 262
GRADIENT_STEPS = 48


def text_mask(text, scale, top):
    """Pixels (column, row) covered by a line of lettering centred across the
    banner, one blank column between glyphs."""
    width = (len(text) * 6 - 1) * scale
    left = (BANNER_WIDTH - width) // 2
    cells = set()
    for i, ch in enumerate(text):
        for gy, line in enumerate(GLYPHS[ch]):
            for gx, cell in enumerate(line):
                if cell != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        cells.add((left + (i * 6 + gx) * scale + dx, top + gy * scale + dy))
    return cells


def rain_streaks():
    """Short diagonal streaks spread over the banner by a fixed sequence."""
    state = 20010610
    streaks = []
    for _ in range(70):
        state = (state * 1103515245 + 12345) % (1 << 31)
        x = state % BANNER_WIDTH
        state = (state * 1103515245 + 12345) % (1 << 31)
        y = state % BANNER_HEIGHT
        streaks.append((x, y))
    return streaks


def banner_pixels():
    """The side banner: the product's blue darkening downwards, rain falling
    on a large white umbrella, and the product's name beneath it."""
    top_rgb, bottom_rgb = COLOURS["blue"], (0x0A, 0x33, 0x66)

    def gradient(row):
        step = row * GRADIENT_STEPS // BANNER_HEIGHT
        t = step / (GRADIENT_STEPS - 1)
        return tuple(round(a + (b - a) * t) for a, b in zip(top_rgb, bottom_rgb))

    # The umbrella fills a square in the upper part; sheltered rows stay dry.
    size = 104
    left, top = (BANNER_WIDTH - size) // 2, 34
    white_umbrella = lambda x, y: umbrella(x, y, panel="white", stripe="pale",
                                           shaft="pale", handle="tip", tip="tip")
    picture = sample(white_umbrella, size, size, grid=3)
    shelter_bottom = top + int(size * 0.84)

    streak_cells = set()
    for x, y in rain_streaks():
        for k in range(6):
            streak_cells.add((x - k // 2, y + k))

    name = text_mask("Nimbrella", 2, 168)
    product = text_mask("ZAV", 4, 192)
    version = text_mask("2.007", 1, 232)

    pixels = []
    for row in range(BANNER_HEIGHT):
        line = []
        for column in range(BANNER_WIDTH):
            rgb = gradient(row)
            px, py = column - left, row - top
            drawn = None
            if 0 <= px < size and 0 <= py < size:
                drawn = picture[py][px]
            sheltered = left + 8 <= column < left + size - 8 and top <= row < shelter_bottom
            if (column, row) in name or (column, row) in product:
                rgb = COLOURS["white"]
            elif (column, row) in version:
                rgb = COLOURS["pale"]
            elif drawn is not None:
                rgb = COLOURS[drawn]
            elif (column, row) in streak_cells and not sheltered and row < 160:
                rgb = COLOURS["rain"]
            line.append(rgb)
        pixels.append(line)
    return pixels


def banner_file():
    """An uncompressed 8-bit bottom-up BMP file with a 256-entry palette."""
    pixels = banner_pixels()
    palette = sorted({rgb for line in pixels for rgb in line})
    assert len(palette) <= 256
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {rgb: i for i, rgb in reversed(list(enumerate(palette)))}
    stride = (BANNER_WIDTH + 3) // 4 * 4
    bits = bytearray()
    for line in reversed(pixels):
        row = bytearray(stride)
        for column, rgb in enumerate(line):
            row[column] = index[rgb]
        bits += row
    offset = 14 + 40 + 4 * 256
    info = struct.pack("<IiiHHIIiiII", 40, BANNER_WIDTH, BANNER_HEIGHT, 1, 8, 0,
                       len(bits), 2835, 2835, 256, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + table + bytes(bits)


# ---------------------------------------------------------------- output ----

def pictures():
    """Every file, by name."""
    return {
        "program.ico": icon_file([(umbrella_pixels(32), 4, colour_map()),
                                  (umbrella_pixels(16), 4, colour_map())]),
        "uninstall.ico": icon_file([(uninstall_pixels(32), 4, colour_map())]),
        "ICON.ICO": toolbar_icon(lambda rgb: rgb),
        "ICONS.ICO": toolbar_icon(grey),
        "banner.bmp": banner_file(),
    }


def write(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in pictures().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def check():
    stale = []
    for name, data in pictures().items():
        path = os.path.join(ART_FOLDER, name)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            stale.append(name)
    if stale:
        print("out of date, run tools/art.py write: " + ", ".join(stale))
        return 1
    print("resources/art is up to date")
    return 0


def render(folder):
    """Each image enlarged eightfold (icons) or threefold (banner), drawn over
    a light and a dark background so that transparency shows."""
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        write(scratch)
        for name in sorted(os.listdir(scratch)):
            source = os.path.join(scratch, name)
            stem = name.replace(".", "_")
            if name.lower().endswith(".ico"):
                count = struct.unpack_from("<H", open(source, "rb").read(), 4)[0]
                for frame in range(count):
                    for back in ("#E0E0E0", "#303030"):
                        target = os.path.join(folder, "%s_%d_%s.png" % (
                            stem, frame, "light" if back == "#E0E0E0" else "dark"))
                        subprocess.check_call([
                            "convert", "%s[%d]" % (source, frame), "-background", back,
                            "-flatten", "-filter", "point", "-resize", "800%", target])
            else:
                subprocess.check_call(["convert", source, "-filter", "point",
                                       "-resize", "300%",
                                       os.path.join(folder, stem + ".png")])
    print("pictures rendered into " + folder)


def main(arguments):
    command = arguments[0] if arguments else "write"
    if command == "write":
        write(arguments[1] if len(arguments) > 1 else ART_FOLDER)
        return 0
    if command == "check":
        return check()
    if command == "render":
        render(arguments[1] if len(arguments) > 1 else os.path.join(TOP, "build", "art-review"))
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
