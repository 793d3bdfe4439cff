"""|TOPIC: the topics' text as a chain of records ("topic links") laid out
in 4096-byte blocks, each block opening with a 12-byte header.

Records are addressed two ways.  A TOPICPOS is the block number times
0x4000 plus the byte offset inside the block (the block header counted), and
chains the records.  A TOPICOFFSET, which |CONTEXT, the contents and the
viewer's positions use, is the block number times 0x8000 plus the number of
characters of the paragraphs before it in that block.  Both count per block,
so no record here straddles two blocks: one that does not fit starts the
next block."""

import struct

BLOCK_SIZE = 4096
BLOCK_HEADER_SIZE = 12
RECORD_HEADER_SIZE = 21
TOPIC_HEADER_SIZE = 28
NONE = 0xFFFFFFFF

TOPIC_HEADER = 0x02
DISPLAY = 0x20

FONT_CHANGE = 0x80
LINE_BREAK = 0x81
PARAGRAPH_END = 0x82
# A jump whose target is a context name's hash, shown in the link colour.
JUMP = 0xE3
LINK_END = 0x89
END = 0xFF

SPACE_ABOVE = 0x0002
SPACE_BELOW = 0x0004
LEFT_INDENT = 0x0010


def context_hash(name):
    """The viewer's hash of a context name, as a signed 32-bit number."""
    value = 0
    for char in name:
        if "A" <= char <= "Z":
            digit = ord(char) - ord("A") + 17
        elif "a" <= char <= "z":
            digit = ord(char) - ord("a") + 17
        elif "1" <= char <= "9":
            digit = ord(char) - ord("0")
        elif char == "0":
            digit = 10
        elif char == ".":
            digit = 12
        elif char == "_":
            digit = 13
        else:
            raise ValueError("context names hold letters, digits, '.' and '_' only: %r" % name)
        value = (value * 43 + digit) & 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value


def compressed_ushort(value):
    if value < 0x80:
        return bytes([value * 2])
    if value < 0x8000:
        return struct.pack("<H", value * 2 + 1)
    raise ValueError("value too large: %d" % value)


def compressed_long(value):
    if -0x4000 <= value < 0x4000:
        return struct.pack("<H", value * 2 + 0x8000)
    return struct.pack("<I", (value * 2 + 0x80000001) & 0xFFFFFFFF)


def compressed_short(value):
    if -0x40 <= value < 0x40:
        return bytes([value * 2 + 0x80])
    return struct.pack("<H", value * 2 + 0x8001)


class Paragraph:
    """One paragraph: a font, spacing, an indent and a list of runs, each
    ("text", bytes), ("link", context name, bytes) or ("break",)."""

    def __init__(self, font, runs, above=0, below=0, indent=0):
        self.font = font
        self.runs = runs
        self.above = above
        self.below = below
        self.indent = indent


def encode_paragraph(paragraph):
    """Returns (formatting commands, text, character count) of a paragraph:
    the text is a string before every command, terminated by a zero."""
    commands = bytearray()
    strings = []
    pending = bytearray()
    characters = 0

    def command(code):
        strings.append(bytes(pending) + b"\0")
        pending.clear()
        commands.extend(code)

    command(bytes([FONT_CHANGE]) + struct.pack("<H", paragraph.font))
    for run in paragraph.runs:
        if run[0] == "text":
            pending.extend(run[1])
            characters += len(run[1])
        elif run[0] == "link":
            command(bytes([JUMP]) + struct.pack("<i", context_hash(run[1])))
            pending.extend(run[2])
            characters += len(run[2])
            command(bytes([LINK_END]))
        else:
            command(bytes([LINE_BREAK]))
            characters += 1
    command(bytes([PARAGRAPH_END]))
    characters += 1
    command(bytes([END]))
    return bytes(commands), b"".join(strings), characters


def display_record(paragraph):
    """Returns (LinkData1, LinkData2, character count) of a paragraph."""
    commands, text, characters = encode_paragraph(paragraph)
    bits = 0
    settings = b""
    if paragraph.above:
        bits |= SPACE_ABOVE
        settings += compressed_short(paragraph.above)
    if paragraph.below:
        bits |= SPACE_BELOW
        settings += compressed_short(paragraph.below)
    if paragraph.indent:
        bits |= LEFT_INDENT
        settings += compressed_short(paragraph.indent)
    # Two bytes the compiler always writes as 0 and 0x80, then a paragraph
    # id of 0, then the bits saying which settings follow.
    info = b"\x00\x80" + struct.pack("<HH", 0, bits) + settings
    data1 = compressed_long(len(text)) + compressed_ushort(characters) + info + commands
    return data1, text, characters


class Topic:
    def __init__(self, context, title, paragraphs):
        self.context = context
        self.title = title
        self.paragraphs = paragraphs


class _Record:
    def __init__(self, kind, data1, data2, characters, topic):
        self.kind = kind
        self.data1 = data1
        self.data2 = data2
        self.characters = characters
        self.topic = topic
        self.position = None

    def size(self):
        return RECORD_HEADER_SIZE + len(self.data1) + len(self.data2)


def _topic_pos(block, offset):
    return (block << 14) | offset


def build(topics):
    """Returns (the bytes of |TOPIC, the TOPICOFFSET of each topic)."""
    records = []
    for number, topic in enumerate(topics):
        records.append(_Record(TOPIC_HEADER, bytes(TOPIC_HEADER_SIZE), topic.title + b"\0", 0, number))
        for paragraph in topic.paragraphs:
            data1, data2, characters = display_record(paragraph)
            records.append(_Record(DISPLAY, data1, data2, characters, number))

    offsets = []
    block, offset, characters = 0, BLOCK_HEADER_SIZE, 0
    for record in records:
        if record.size() > BLOCK_SIZE - BLOCK_HEADER_SIZE:
            raise ValueError("a paragraph of topic %d is too long for one block" % record.topic)
        if offset + record.size() > BLOCK_SIZE:
            block, offset, characters = block + 1, BLOCK_HEADER_SIZE, 0
        record.position = (block, offset)
        if record.kind == TOPIC_HEADER:
            offsets.append(block * 0x8000 + characters)
        offset += record.size()
        characters += record.characters

    headers = [r for r in records if r.kind == TOPIC_HEADER]
    for index, header in enumerate(headers):
        own = [r for r in records if r.topic == header.topic]
        scroll = _topic_pos(*own[1].position) if len(own) > 1 else NONE
        following = _topic_pos(*headers[index + 1].position) if index + 1 < len(headers) else NONE
        header.data1 = struct.pack(
            "<IIIIIII", sum(r.size() for r in own), NONE, NONE, header.topic, NONE, scroll, following
        )

    blocks = [bytearray(BLOCK_SIZE) for _ in range(block + 1)]
    for index, record in enumerate(records):
        previous = _topic_pos(*records[index - 1].position) if index else NONE
        following = _topic_pos(*records[index + 1].position) if index + 1 < len(records) else NONE
        data = (
            struct.pack(
                "<IIIIIB",
                record.size(),
                len(record.data2),
                previous,
                following,
                RECORD_HEADER_SIZE + len(record.data1),
                record.kind,
            )
            + record.data1
            + record.data2
        )
        number, offset = record.position
        blocks[number][offset : offset + len(data)] = data

    for number, data in enumerate(blocks):
        before = [r for r in records if r.position[0] < number]
        last_link = _topic_pos(*before[-1].position) if before else NONE
        first_link = _topic_pos(*next(r for r in records if r.position[0] == number).position)
        started = [r for r in before if r.kind == TOPIC_HEADER]
        last_header = _topic_pos(*started[-1].position) if started else NONE
        data[0:BLOCK_HEADER_SIZE] = struct.pack("<III", last_link, first_link, last_header)
    return b"".join(bytes(b) for b in blocks), offsets
