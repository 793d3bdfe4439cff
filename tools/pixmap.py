#!/usr/bin/env python3
"""Turn a text pixel map into a 16-colour Windows icon or bitmap.

    pixmap.py ico IN.txt OUT.ico
    pixmap.py bmp IN.txt OUT.bmp

A pixel map is a UTF-8 text file of three kinds of lines:

    # a comment                (ignored, as are blank lines)
    W = white                  (legend: one character stands for one colour)
    ....WWWW....               (a row of pixels, one character per pixel)

An icon has exactly 32 rows of 32 pixels; a bitmap has any number of rows of
equal length.  Rows come top row first, and every pixel character must
appear in the legend, which comes before the first row.
The colours are those of the standard 16-colour VGA palette:

    black darkred darkgreen olive navy purple teal silver
    grey red lime yellow blue fuchsia cyan white

Each file's colour table holds only the colours its picture uses, in that
order (the header's count of used colours says how many): the pictures use
two to seven colours, and the full table of sixteen took 64 bytes a picture
in the program.

An icon gets one 32x32 4-bit image whose AND mask is all zero, so the whole
square is opaque.  A bitmap is a plain 4-bit BMP; a key colour, if the
picture has one, is simply one of the palette's colours.
"""

import re
import struct
import sys

SIZE = 32

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


def parse_map(path, square):
    """Return the picture as rows of palette indices, top row first.

    square: the picture must be SIZE rows of SIZE pixels (an icon)."""
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
        # A line of SIZE characters, or any line after the first row, is a
        # row even if it looks like "x = y".
        legend_entry = LEGEND_LINE.match(line) if len(line) != SIZE and not rows else None
        if legend_entry:
            if rows:
                raise MapError(f"{where}: legend entry after the first pixel row")
            char, name = legend_entry.groups()
            if char == "#":
                raise MapError(f"{where}: '#' starts a comment and cannot stand for a colour")
            if name not in COLOUR_INDEX:
                raise MapError(
                    f"{where}: unknown colour {name!r}; the colours are {', '.join(COLOUR_INDEX)}"
                )
            if char in legend:
                raise MapError(f"{where}: {char!r} is already in the legend")
            legend[char] = COLOUR_INDEX[name]
            continue
        width = SIZE if square else len(rows[0]) if rows else len(line)
        if len(line) != width:
            raise MapError(f"{where}: a row has {len(line)} pixels, expected {width}")
        row = []
        for column, char in enumerate(line, start=1):
            if char not in legend:
                raise MapError(f"{where}:{column}: {char!r} is not in the legend")
            row.append(legend[char])
        rows.append(row)

    if not rows or (square and len(rows) != SIZE):
        raise MapError(f"{path}: {len(rows)} pixel rows, expected {SIZE if square else 'some'}")
    return rows


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


def colour_bits(rows):
    """4 bits per pixel, high nibble first, rows bottom-up, each padded to 4 bytes."""
    return b"".join(padded(packed_row(row)) for row in reversed(rows))


def packed_row(row):
    """Two pixels a byte; an odd last pixel gets a black partner."""
    even = row + [0] * (len(row) % 2)
    return bytes((even[x] << 4) | even[x + 1] for x in range(0, len(even), 2))


def info_header(width, height, image_size, colour_count):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, colour_count, 0)


def icon_file(rows):
    colours = used_colours(rows)
    xor_mask = colour_bits(compacted(rows, colours))
    and_mask = padded(b"\0" * (SIZE // 8)) * SIZE
    # An icon's header counts the XOR and AND masks together as its height.
    image = (
        info_header(SIZE, 2 * SIZE, len(xor_mask) + len(and_mask), len(colours))
        + palette_bytes(colours)
        + xor_mask
        + and_mask
    )
    directory = struct.pack("<HHH", 0, 1, 1)
    entry_size = struct.calcsize("<BBBBHHII")
    entry = struct.pack(
        "<BBBBHHII", SIZE, SIZE, len(colours), 0, 1, 4, len(image), len(directory) + entry_size
    )
    return directory + entry + image


def bitmap_file(rows):
    colours = used_colours(rows)
    bits = colour_bits(compacted(rows, colours))
    header_size = struct.calcsize("<2sIHHI")
    info = info_header(len(rows[0]), len(rows), len(bits), len(colours)) + palette_bytes(colours)
    offset = header_size + len(info)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + info + bits


WRITERS = {"ico": icon_file, "bmp": bitmap_file}


def main(argv):
    if len(argv) != 4 or argv[1] not in WRITERS:
        sys.stderr.write(f"usage: {argv[0]} ico|bmp IN.txt OUT\n")
        return 2
    kind, source, target = argv[1:]
    try:
        data = WRITERS[kind](parse_map(source, square=kind == "ico"))
    except MapError as e:
        sys.stderr.write(f"pixmap.py: {e}\n")
        return 1
    with open(target, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
