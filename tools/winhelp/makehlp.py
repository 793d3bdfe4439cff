#!/usr/bin/env python3
"""Writes a WinHelp 3.1 help file from a help source text.

usage: makehlp.py SOURCE OUTPUT"""

import struct
import sys

import btree
import container
import source as help_source
import topic

SYSTEM_MAGIC = 0x036C
# The format of the 3.1 help compiler; the flags 0 say: topic blocks of
# 4096 bytes, not compressed.
FORMAT_MINOR = 21
FORMAT_MAJOR = 1
SYSTEM_TITLE = 1
SYSTEM_COPYRIGHT = 2
SYSTEM_CONTENTS = 3
# The viewer decodes the topics' bytes in the code page of this character
# set; without it Wine's viewer reads code page 932 text as Latin-1.
SYSTEM_CHARSET = 11
SHIFTJIS_CHARSET = 128
CONTEXT_PAGE_SIZE = 2048
FACE_NAME_SIZE = 20

# Face names are ASCII: the viewer copies them into a rich-text font table,
# where the character set, not the name, chooses a font with Japanese.
FACES = [b"MS Gothic"]
FAMILY_MODERN = 1
BOLD = 1
# (attributes, half points, face, colour) by font number.
FONTS = [
    (0, 20, 0, (0, 0, 0)),
    (BOLD, 28, 0, (0, 0, 128)),
    (BOLD, 22, 0, (0, 0, 0)),
]


def system_file(source, contents_offset):
    records = [(SYSTEM_TITLE, source.title + b"\0")]
    if source.copyright:
        records.append((SYSTEM_COPYRIGHT, source.copyright + b"\0"))
    records.append((SYSTEM_CONTENTS, struct.pack("<I", contents_offset)))
    records.append((SYSTEM_CHARSET, struct.pack("<H", SHIFTJIS_CHARSET)))
    data = struct.pack("<HHHIH", SYSTEM_MAGIC, FORMAT_MINOR, FORMAT_MAJOR, source.date, 0)
    for kind, payload in records:
        data += struct.pack("<HH", kind, len(payload)) + payload
    return data


def font_file():
    faces = b"".join(face.ljust(FACE_NAME_SIZE, b"\0") for face in FACES)
    header_size = 8
    data = struct.pack("<HHHH", len(FACES), len(FONTS), header_size, header_size + len(faces)) + faces
    for attributes, half_points, face, colour in FONTS:
        data += struct.pack("<BBBH", attributes, half_points, FAMILY_MODERN, face)
        data += bytes(colour) + bytes((255, 255, 255))
    return data


def context_file(topics, offsets):
    entries = {}
    for item, offset in zip(topics, offsets):
        key = topic.context_hash(item.context)
        if key in entries:
            raise ValueError("context %s: its hash is already taken" % item.context)
        entries[key] = offset
    pairs = [(struct.pack("<i", key), struct.pack("<I", entries[key])) for key in sorted(entries)]
    return btree.build(pairs, CONTEXT_PAGE_SIZE, "L4")


def check_links(topics):
    known = {item.context for item in topics}
    for item in topics:
        for paragraph in item.paragraphs:
            for run in paragraph.runs:
                if run[0] == "link" and run[1] not in known:
                    raise ValueError("topic %s links to the unknown topic %s" % (item.context, run[1]))


def make(text):
    source = help_source.parse(text)
    check_links(source.topics)
    topic_data, offsets = topic.build(source.topics)
    files = {
        "|SYSTEM": system_file(source, offsets[0]),
        "|FONT": font_file(),
        "|CONTEXT": context_file(source.topics, offsets),
        # No numbers are mapped to topics, but the 3.1 viewer looks for the map.
        "|CTXOMAP": struct.pack("<H", 0),
        "|TOPIC": topic_data,
    }
    return container.build(files)


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(arguments[0], encoding="utf-8") as stream:
        text = stream.read()
    try:
        data = make(text)
    except ValueError as error:
        sys.stderr.write("%s: %s\n" % (arguments[0], error))
        return 1
    with open(arguments[1], "wb") as stream:
        stream.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
