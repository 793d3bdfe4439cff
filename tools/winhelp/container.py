"""The help file's container: a 16-byte header, the internal files one
after the other, each behind its 9-byte file header, and the internal
directory, itself an internal file holding a B+ tree of names and offsets."""

import struct

import btree

MAGIC = 0x00035F3F
FILE_HEADER_SIZE = 9
# What the help compiler writes in every file header's flag byte.
FILE_FLAGS = 4
DIRECTORY_PAGE_SIZE = 1024
NO_FREE_BLOCK = 0xFFFFFFFF


def _internal_file(data):
    return struct.pack("<IIB", len(data) + FILE_HEADER_SIZE, len(data), FILE_FLAGS) + data


def build(files):
    """Returns the bytes of a help file holding `files`, a dict of internal
    file names (str) to their contents (bytes)."""
    names = sorted(files, key=lambda name: name.encode("ascii"))
    body = bytearray()
    offsets = {}
    position = 16
    for name in names:
        offsets[name] = position
        chunk = _internal_file(files[name])
        body += chunk
        position += len(chunk)
    entries = [(name.encode("ascii") + b"\0", struct.pack("<I", offsets[name])) for name in names]
    directory = _internal_file(btree.build(entries, DIRECTORY_PAGE_SIZE, "z4", directory=True))
    directory_start = position
    total = directory_start + len(directory)
    header = struct.pack("<IIII", MAGIC, directory_start, NO_FREE_BLOCK, total)
    return header + bytes(body) + directory
