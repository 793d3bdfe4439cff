"""A reader of WinHelp 3.1 files written from the format's description, not
from the generator, so that the tests check the generator against it."""

import struct


class HelpFileError(Exception):
    pass


def _u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def _i16(data, at):
    return struct.unpack_from("<h", data, at)[0]


def _u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def _i32(data, at):
    return struct.unpack_from("<i", data, at)[0]


class BTree:
    """A B+ tree of an internal file; `leaf_entry(data, at)` returns
    (key, value, next position), `index_key(data, at)` (key, next)."""

    def __init__(self, data, leaf_entry, index_key):
        if _u16(data, 0) != 0x293B:
            raise HelpFileError("not a B+ tree")
        self.data = data
        self.page_size = _u16(data, 4)
        self.root = _u16(data, 26)
        self.levels = _u16(data, 32)
        self.total_pages = _u16(data, 30)
        self.total_entries = _u32(data, 34)
        self.leaf_entry = leaf_entry
        self.index_key = index_key

    def page(self, number):
        if number >= self.total_pages:
            raise HelpFileError("page %d past the end" % number)
        start = 38 + number * self.page_size
        return start

    def first_leaf(self):
        number = self.root
        for _ in range(self.levels - 1):
            number = _u16(self.data, self.page(number) + 4)
        return number

    def entries(self):
        """Every entry in leaf order, following the leaves' chain."""
        found = []
        number = self.first_leaf()
        previous = 0xFFFF
        while number != 0xFFFF:
            at = self.page(number)
            if _u16(self.data, at + 4) != previous:
                raise HelpFileError("leaf %d does not point back to %d" % (number, previous))
            at_entry = at + 8
            for _ in range(_i16(self.data, at + 2)):
                key, value, at_entry = self.leaf_entry(self.data, at_entry)
                found.append((key, value))
            previous, number = number, _u16(self.data, at + 6)
        return found

    def search(self, wanted):
        """Descends from the root as the viewer does."""
        number = self.root
        for _ in range(self.levels - 1):
            at = self.page(number)
            child = _u16(self.data, at + 4)
            position = at + 6
            for _ in range(_i16(self.data, at + 2)):
                key, position = self.index_key(self.data, position)
                if key > wanted:
                    break
                child = _u16(self.data, position)
                position += 2
            number = child
        at = self.page(number)
        position = at + 8
        for _ in range(_i16(self.data, at + 2)):
            key, value, position = self.leaf_entry(self.data, position)
            if key == wanted:
                return value
        return None


def _name_entry(data, at):
    end = data.index(b"\0", at)
    return data[at:end], _u32(data, end + 1), end + 5


def _name_key(data, at):
    end = data.index(b"\0", at)
    return data[at:end], end + 1


def _hash_entry(data, at):
    return _i32(data, at), _u32(data, at + 4), at + 8


def _hash_key(data, at):
    return _i32(data, at), at + 4


def directory_tree(data):
    return BTree(data, _name_entry, _name_key)


def context_tree(data):
    return BTree(data, _hash_entry, _hash_key)


def context_hash(name):
    value = 0
    table = {".": 12, "_": 13, "0": 10}
    for char in name.upper():
        if char.isdigit() and char != "0":
            digit = int(char)
        elif "A" <= char <= "Z":
            digit = ord(char) - 48
        else:
            digit = table[char]
        value = (value * 43 + digit) % (1 << 32)
    return value - (1 << 32) if value >= 1 << 31 else value


def _read_compressed(data, at, signed, wide):
    """The format's variable-length numbers: the low bit of the first byte
    says whether the short or the long form follows."""
    long_form = data[at] & 1
    if wide:
        raw, size, bias = (_u32(data, at), 4, 0x80000000) if long_form else (_u16(data, at), 2, 0x8000)
    else:
        raw, size, bias = (_u16(data, at), 2, 0x8000) if long_form else (data[at], 1, 0x80)
    return ((raw - bias) if signed else raw) // 2, at + size


class Paragraph:
    def __init__(self):
        self.font = None
        self.text = b""
        self.links = []  # (hash, link text)
        self.characters = 0


class Topic:
    def __init__(self, title, offset, number):
        self.title = title
        self.offset = offset
        self.number = number
        self.paragraphs = []

    def text(self):
        return b"\n".join(p.text for p in self.paragraphs)


class HelpFile:
    def __init__(self, data):
        if _u32(data, 0) != 0x00035F3F:
            raise HelpFileError("no help file magic")
        if _u32(data, 12) != len(data):
            raise HelpFileError("the header's file size is %d, the file has %d" % (_u32(data, 12), len(data)))
        self.data = data
        self.directory = directory_tree(self.internal_at(_u32(data, 4)))
        self.files = {name.decode("ascii"): self.internal_at(offset) for name, offset in self.directory.entries()}
        self._read_system()
        self._read_fonts()
        self._read_topics()
        self.context = context_tree(self.files["|CONTEXT"])

    def internal_at(self, offset):
        reserved, used = _u32(self.data, offset), _u32(self.data, offset + 4)
        if reserved < used + 9 or offset + reserved > len(self.data):
            raise HelpFileError("internal file at %d does not fit" % offset)
        return self.data[offset + 9 : offset + 9 + used]

    def _read_system(self):
        system = self.files["|SYSTEM"]
        magic, self.minor, major, self.date, self.flags = struct.unpack_from("<HHHIH", system, 0)
        if magic != 0x036C or major != 1:
            raise HelpFileError("bad |SYSTEM header")
        self.records = {}
        at = 12
        while at + 4 <= len(system):
            kind, size = _u16(system, at), _u16(system, at + 2)
            self.records[kind] = system[at + 4 : at + 4 + size]
            at += 4 + size
        if at != len(system):
            raise HelpFileError("|SYSTEM records overrun the file")

    def _read_fonts(self):
        font = self.files["|FONT"]
        faces, descriptors, face_at, descriptor_at = struct.unpack_from("<HHHH", font, 0)
        width = (descriptor_at - face_at) // faces
        self.faces = [font[face_at + i * width : face_at + (i + 1) * width].rstrip(b"\0") for i in range(faces)]
        self.fonts = [font[descriptor_at + i * 11 : descriptor_at + (i + 1) * 11] for i in range(descriptors)]

    def _record_at(self, topic_data, position):
        block, offset = position >> 14, position & 0x3FFF
        start = block * 4096 + offset
        if offset < 12 or start + 21 > len(topic_data):
            raise HelpFileError("TOPICPOS %#x points outside |TOPIC" % position)
        size = _u32(topic_data, start)
        if offset + size > 4096:
            raise HelpFileError("record at %#x crosses its block" % position)
        return topic_data[start : start + size]

    def _read_topics(self):
        topic_data = self.files["|TOPIC"]
        if self.minor <= 16 or self.flags != 0 or len(topic_data) % 4096:
            raise HelpFileError("expected uncompressed 4096-byte topic blocks")
        self.topics = []
        position, previous = _u32(topic_data, 4), 0xFFFFFFFF
        block_seen, characters = -1, 0
        while position != 0xFFFFFFFF:
            record = self._record_at(topic_data, position)
            if _u32(record, 8) != previous:
                raise HelpFileError("record at %#x does not point back" % position)
            if position >> 14 != block_seen:
                block_seen, characters = position >> 14, 0
            kind, data1_end = record[0x14], _u32(record, 0x10)
            data2 = record[data1_end:]
            if len(data2) != _u32(record, 4):
                raise HelpFileError("record at %#x is phrase-compressed" % position)
            if kind == 0x02:
                title = data2.split(b"\0")[0]
                self.topics.append(Topic(title, block_seen * 0x8000 + characters, _u32(record, 0x15 + 12)))
            elif kind == 0x20:
                paragraph = self._paragraph(record[0x15:data1_end], data2)
                characters += paragraph.characters
                self.topics[-1].paragraphs.append(paragraph)
            else:
                raise HelpFileError("unexpected record type %#x" % kind)
            previous, position = position, _u32(record, 0x0C)

    def _paragraph(self, commands, text):
        paragraph = Paragraph()
        _, at = _read_compressed(commands, 0, True, True)
        paragraph.characters, at = _read_compressed(commands, at, False, False)
        bits = _u16(commands, at + 4)
        at += 6
        for bit in (0x0001, 0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040):
            if bits & bit:
                _, at = _read_compressed(commands, at, True, bit == 0x0001)
        strings = text.split(b"\0")
        counted, link_start, link_hash = 0, None, None
        pieces = []
        for string in strings:
            pieces.append(string)
            counted += len(string)
            code = commands[at]
            if code == 0xFF:
                break
            if code == 0x80:
                paragraph.font = paragraph.font if paragraph.font is not None else _u16(commands, at + 1)
                at += 3
            elif code in (0x81, 0x82):
                counted += 1
                at += 1
            elif code == 0xE3:
                link_hash, link_start = _i32(commands, at + 1), len(b"".join(pieces))
                at += 5
            elif code == 0x89:
                paragraph.links.append((link_hash, b"".join(pieces)[link_start:]))
                at += 1
            else:
                raise HelpFileError("unknown formatting command %#x" % code)
        paragraph.text = b"".join(pieces)
        if counted != paragraph.characters:
            raise HelpFileError("paragraph says %d characters, holds %d" % (paragraph.characters, counted))
        return paragraph

    def topic_by_hash(self, key):
        offset = self.context.search(key)
        matches = [t for t in self.topics if t.offset == offset]
        return matches[0] if matches else None

    def contents(self):
        offset = _u32(self.records[3], 0)
        return next(t for t in self.topics if t.offset == offset)
