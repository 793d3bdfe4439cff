#!/usr/bin/env python3
"""Turn a text pixel map into a Windows icon or a 16-colour bitmap.

    pixmap.py ico IN.txt OUT.ico
    pixmap.py bmp IN.txt OUT.bmp

A pixel map is a UTF-8 text file of three kinds of lines:

    # a comment                (ignored, as are blank lines)
    W = white                  (legend: one character stands for one colour)
    ....WWWW....               (a row of pixels, one character per pixel)

An icon holds one or more square pictures, one after the other, each of as
many rows as its first row has pixels (at most 255), no size twice: the
taskbar and Explorer pick the size they draw at, so none is stretched.  A
bitmap has any number of rows of equal length.  Rows come top row first, and
every pixel character must appear in the legend, which comes before the
first row.
The colours are those of the standard 16-colour VGA palette:

    black darkred darkgreen olive navy purple teal silver
    grey red lime yellow blue fuchsia cyan white

Each picture's colour table holds only the colours it uses, in that
order (the header's count of used colours says how many): the pictures use
two to seven colours, and the full table of sixteen took 64 bytes a picture
in the program.

Each picture of an icon becomes one image whose AND mask is all zero, so
the whole square is opaque: 1-bit where it has two colours, 4-bit where it
has more, in the order of the map.  The first is the one a load without a
size gets.  A bitmap is a plain 4-bit BMP; a key colour, if the picture has
one, is simply one of the palette's colours.
"""

import re
import struct
import sys

ICON_SIZES = range(1, 256)

PALETTE = [
    ("black", (0, 0, 0)),
    ("darkred", (128, 0, 0)),
    ("darkgreen", (0, 128, 0)),
    ("olive", (128, 128, 0)),
    ("navy", (0, 0, 128)),
    ("purple", (128, 0, 128)),
    ("teal", (0, 128, 128)),
    ("silver", (192, 192, 192)),
    ("grey", (128, 128, 128)),
    ("red", (255, 0, 0)),
    ("lime", (0, 255, 0)),
    ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)),
    ("fuchsia", (255, 0, 255)),
    ("cyan", (0, 255, 255)),
    ("white", (255, 255, 255)),
]
COLOUR_INDEX = {name: index for index, (name, _) in enumerate(PALETTE)}

LEGEND_LINE = re.compile(r"^(\S)\s*=\s*(\S+)$")


class MapError(Exception):
    pass


def parse_map(path):
    """Return the rows of pixels as palette indices, top row first."""
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except (OSError, UnicodeDecodeError) as e:
        raise MapError(f"{path}: cannot read: {e}") from None

    legend = {}
    rows = []
    for number, raw in enumerate(lines, start=1):
        line = raw.rstrip()
        where = f"{path}:{number}"
        if not line or line.startswith("#"):
            continue
        legend_entry = LEGEND_LINE.match(line)
        if legend_entry:
            if rows:
                raise MapError(f"{where}: legend entry after the first pixel row")
            char, name = legend_entry.groups()
            if char in "#=":
                raise MapError(f"{where}: {char!r} cannot stand for a colour")
            if name not in COLOUR_INDEX:
                raise MapError(
                    f"{where}: unknown colour {name!r}; the colours are {', '.join(COLOUR_INDEX)}"
                )
            if char in legend:
                raise MapError(f"{where}: {char!r} is already in the legend")
            legend[char] = COLOUR_INDEX[name]
            continue
        row = []
        for column, char in enumerate(line, start=1):
            if char not in legend:
                raise MapError(f"{where}:{column}: {char!r} is not in the legend")
            row.append(legend[char])
        rows.append((where, row))

    if not rows:
        raise MapError(f"{path}: no pixel rows")
    return rows


def bitmap_rows(path):
    """The rows of a bitmap: all of one length."""
    rows = parse_map(path)
    width = len(rows[0][1])
    for where, row in rows:
        if len(row) != width:
            raise MapError(f"{where}: a row has {len(row)} pixels, expected {width}")
    return [row for _, row in rows]


def icon_pictures(path):
    """The square pictures of an icon, each as its rows."""
    pictures = []
    rows = parse_map(path)
    while rows:
        where, first = rows[0]
        size = len(first)
        if size not in ICON_SIZES:
            raise MapError(f"{where}: a picture {size} pixels wide; an icon's are 1 to 255")
        if any(size == len(picture) for picture in pictures):
            raise MapError(f"{where}: a second picture of {size}x{size}")
        if len(rows) < size:
            raise MapError(f"{where}: a picture of {len(rows)} rows, expected {size}")
        for where, row in rows[:size]:
            if len(row) != size:
                raise MapError(f"{where}: a row has {len(row)} pixels, expected {size}")
        pictures.append([row for _, row in rows[:size]])
        rows = rows[size:]
    return pictures


def used_colours(rows):
    """The palette indices the picture uses, in palette order."""
    return sorted({index for row in rows for index in row})


def palette_bytes(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in (PALETTE[i][1] for i in colours))


def compacted(rows, colours):
    """The rows with each palette index replaced by its place in `colours`."""
    place = {index: n for n, index in enumerate(colours)}
    return [[place[index] for index in row] for row in rows]


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def pixel_bits(rows, depth):
    """`depth` bits per pixel, leftmost pixel highest, rows bottom-up, each
    padded to 4 bytes."""
    return b"".join(padded(packed_row(row, depth)) for row in reversed(rows))


def packed_row(row, depth):
    """8 / depth pixels a byte; the last byte's spare pixels are colour 0."""
    per_byte = 8 // depth
    even = row + [0] * (-len(row) % per_byte)
    packed = []
    for x in range(0, len(even), per_byte):
        byte = 0
        for pixel in even[x : x + per_byte]:
            byte = (byte << depth) | pixel
        packed.append(byte)
    return bytes(packed)


def info_header(width, height, depth, image_size, colour_count):
    return struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, depth, 0, image_size, 0, 0, colour_count, 0
    )


def icon_image(rows):
    """One picture's image: header, colour table, XOR and AND masks."""
    size = len(rows)
    colours = used_colours(rows)
    depth = 1 if len(colours) <= 2 else 4
    xor_mask = pixel_bits(compacted(rows, colours), depth)
    and_mask = pixel_bits([[0] * size] * size, 1)
    # An icon's header counts the XOR and AND masks together as its height.
    header = info_header(size, 2 * size, depth, len(xor_mask) + len(and_mask), len(colours))
    return len(colours), depth, header + palette_bytes(colours) + xor_mask + and_mask


def icon_file(pictures):
    images = [icon_image(rows) for rows in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    entry_format = "<BBBBHHII"
    offset = len(directory) + len(images) * struct.calcsize(entry_format)
    entries = b""
    for rows, (colour_count, depth, image) in zip(pictures, images):
        size = len(rows)
        entries += struct.pack(entry_format, size, size, colour_count, 0, 1, depth, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(image for _, _, image in images)


def bitmap_file(rows):
    colours = used_colours(rows)
    bits = pixel_bits(compacted(rows, colours), 4)
    header_size = struct.calcsize("<2sIHHI")
    info = info_header(len(rows[0]), len(rows), 4, len(bits), len(colours)) + palette_bytes(colours)
    offset = header_size + len(info)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + info + bits


WRITERS = {"ico": (icon_pictures, icon_file), "bmp": (bitmap_rows, bitmap_file)}


def main(argv):
    if len(argv) != 4 or argv[1] not in WRITERS:
        sys.stderr.write(f"usage: {argv[0]} ico|bmp IN.txt OUT\n")
        return 2
    kind, source, target = argv[1:]
    try:
        read, write = WRITERS[kind]
        data = write(read(source))
    except MapError as e:
        sys.stderr.write(f"pixmap.py: {e}\n")
        return 1
    with open(target, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
