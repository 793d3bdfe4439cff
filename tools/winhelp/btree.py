"""B+ trees as the help viewer reads them: the internal directory and
|CONTEXT are both stored this way.

A tree is a 38-byte header followed by fixed-size pages.  Leaf pages hold
whole entries and are chained both ways; index pages hold, after the number
of their first child, one (first key of the child, child number) pair for
every further child.  The viewer descends by comparing keys, so entries must
come in the order the viewer compares them (byte order for names, signed
order for hashes)."""

import struct

MAGIC = 0x293B
# The viewer refuses a tree whose header does not carry this bit.
FLAG_ALWAYS = 0x0002
FLAG_DIRECTORY = 0x0400
HEADER_SIZE = 38
LEAF_HEADER_SIZE = 8
INDEX_HEADER_SIZE = 6
NO_PAGE = 0xFFFF


def _pack_pages(sizes, room):
    """Splits consecutive items of the given sizes into runs that fit in
    `room` bytes each; returns the runs as (first, end) index pairs."""
    runs = []
    first = 0
    used = 0
    for index, size in enumerate(sizes):
        if size > room:
            raise ValueError("a B+ tree entry of %d bytes does not fit in a page" % size)
        if used + size > room:
            runs.append((first, index))
            first = index
            used = 0
        used += size
    runs.append((first, len(sizes)))
    return runs


def _index_runs(children, room):
    """Groups (first key, page) children into index pages: the first child
    of a page goes in its header without its key, every further one costs
    its key and a page number."""
    runs = []
    run = [children[0]]
    used = 0
    for child in children[1:]:
        size = len(child[0]) + 2
        if size > room:
            raise ValueError("a B+ tree key of %d bytes does not fit in a page" % len(child[0]))
        if used + size > room:
            runs.append(run)
            run = [child]
            used = 0
        else:
            run.append(child)
            used += size
    runs.append(run)
    return runs


def build(entries, page_size, structure, directory=False):
    """Returns the bytes of a tree over `entries`, a sorted list of
    (key, value) byte strings: a leaf entry is key + value, an index entry
    is key + a 16-bit page number."""
    if not entries:
        raise ValueError("a B+ tree needs at least one entry")
    pages = []

    leaf_runs = _pack_pages([len(k) + len(v) for k, v in entries], page_size - LEAF_HEADER_SIZE)
    level = []
    for number, (first, end) in enumerate(leaf_runs):
        body = b"".join(k + v for k, v in entries[first:end])
        previous = NO_PAGE if number == 0 else len(pages) - 1
        following = NO_PAGE if number == len(leaf_runs) - 1 else len(pages) + 1
        free = page_size - LEAF_HEADER_SIZE - len(body)
        header = struct.pack("<HhHH", free, end - first, previous, following)
        pages.append(header + body + bytes(free))
        level.append((entries[first][0], len(pages) - 1))

    levels = 1
    while len(level) > 1:
        upper = []
        for children in _index_runs(level, page_size - INDEX_HEADER_SIZE):
            body = b"".join(key + struct.pack("<H", page) for key, page in children[1:])
            free = page_size - INDEX_HEADER_SIZE - len(body)
            header = struct.pack("<HhH", free, len(children) - 1, children[0][1])
            pages.append(header + body + bytes(free))
            upper.append((children[0][0], len(pages) - 1))
        level = upper
        levels += 1

    flags = FLAG_ALWAYS | (FLAG_DIRECTORY if directory else 0)
    name = structure.encode("ascii").ljust(16, b"\0")
    header = struct.pack(
        "<HHH16sHHHhHHI", MAGIC, flags, page_size, name, 0, 0, level[0][1], -1, len(pages), levels, len(entries)
    )
    assert len(header) == HEADER_SIZE
    return header + b"".join(pages)
