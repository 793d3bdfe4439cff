"""The help text's source: UTF-8 lines, one paragraph each.

    ; a comment
    @title TEXT          the help file's title (the viewer's caption)
    @copyright TEXT
    @date YYYY-MM-DD     recorded as the file's compile date
    = CONTEXT TITLE      starts a topic; the first one is the contents
    ! TEXT               a sub-heading
    - TEXT               an indented item
    TEXT                 a paragraph

Inside a paragraph, [[CONTEXT|TEXT]] is a jump to the topic CONTEXT.
Blank lines are ignored.  Text is stored in code page 932."""

import datetime
import re

from topic import Paragraph, Topic

BODY_FONT = 0
TITLE_FONT = 1
HEADING_FONT = 2
ENCODING = "cp932"
# Spacing and indent, in the viewer's half points.
PARAGRAPH_GAP = 4
HEADING_GAP = 10
ITEM_INDENT = 20

_LINK = re.compile(r"\[\[([A-Za-z0-9._]+)\|([^\]]+)\]\]")


class HelpSource:
    def __init__(self):
        self.title = b""
        self.copyright = b""
        self.date = 0
        self.topics = []


def _encode(text, line_number):
    try:
        return text.encode(ENCODING)
    except UnicodeEncodeError as error:
        raise ValueError("line %d: %r has no code page 932 form" % (line_number, error.object[error.start])) from None


def _runs(text, line_number):
    runs = []
    position = 0
    for match in _LINK.finditer(text):
        if match.start() > position:
            runs.append(("text", _encode(text[position : match.start()], line_number)))
        runs.append(("link", match.group(1), _encode(match.group(2), line_number)))
        position = match.end()
    if position < len(text):
        runs.append(("text", _encode(text[position:], line_number)))
    if any(run[0] == "text" and b"[[" in run[1] for run in runs):
        raise ValueError("line %d: a link is not closed" % line_number)
    return runs


def parse(text):
    source = HelpSource()
    for line_number, line in enumerate(text.splitlines(), 1):
        line = line.rstrip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("@"):
            key, _, value = line[1:].partition(" ")
            if key == "title":
                source.title = _encode(value, line_number)
            elif key == "copyright":
                source.copyright = _encode(value, line_number)
            elif key == "date":
                day = datetime.datetime.strptime(value, "%Y-%m-%d").replace(tzinfo=datetime.timezone.utc)
                source.date = int(day.timestamp())
            else:
                raise ValueError("line %d: unknown setting @%s" % (line_number, key))
            continue
        if line.startswith("= "):
            context, _, title = line[2:].partition(" ")
            heading = Paragraph(TITLE_FONT, [("text", _encode(title, line_number))], below=HEADING_GAP)
            source.topics.append(Topic(context, _encode(title, line_number), [heading]))
            continue
        if not source.topics:
            raise ValueError("line %d: text before the first topic" % line_number)
        paragraphs = source.topics[-1].paragraphs
        if line.startswith("! "):
            runs = _runs(line[2:], line_number)
            paragraphs.append(Paragraph(HEADING_FONT, runs, above=HEADING_GAP, below=PARAGRAPH_GAP))
        elif line.startswith("- "):
            runs = _runs(line[2:], line_number)
            paragraphs.append(Paragraph(BODY_FONT, runs, below=PARAGRAPH_GAP, indent=ITEM_INDENT))
        else:
            paragraphs.append(Paragraph(BODY_FONT, _runs(line, line_number), below=PARAGRAPH_GAP))
    if not source.topics:
        raise ValueError("the help source holds no topic")
    return source
