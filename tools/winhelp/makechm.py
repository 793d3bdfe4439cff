#!/usr/bin/env python3
"""Writes the HTML Help project of a help source text and compiles it with
chmcmd into a .CHM: the same topics, links and wording as the WinHelp file,
for the systems that no longer ship a WinHelp viewer.

usage: makechm.py SOURCE OUTPUT WORKFOLDER [CHMCMD]"""

import html
import os
import shutil
import struct
import subprocess
import sys

import source as help_source

# The viewer picks its fonts and the pages' decoding from this language
# (Japanese), and the pages declare their own character set as well.
LANGUAGE = "0x411 Japanese"
CHARSET = "Shift_JIS"
PROJECT = "help.hhp"
CONTENTS = "contents.hhc"
INDEX = "index.hhk"
# chmcmd stamps the file with the time it ran, in the header and in the
# #SYSTEM entry 10.  Both lie outside the compressed section, so the help
# source's date replaces them and two builds give the same bytes.
HEADER_TIME_OFFSET = 0x10
CONTENT_OFFSET_FIELD = 0x58
SYSTEM_VERSION = 3
SYSTEM_TIME = 10
TAGS = {help_source.TITLE_FONT: "h1", help_source.HEADING_FONT: "h2"}


def page_name(context):
    return context + ".htm"


def _text(data):
    return html.escape(data.decode(help_source.ENCODING), quote=True)


def _paragraph_html(paragraph):
    parts = []
    for run in paragraph.runs:
        if run[0] == "link":
            parts.append('<a href="%s">%s</a>' % (page_name(run[1]), _text(run[2])))
        else:
            parts.append(_text(run[1]))
    body = "".join(parts)
    tag = TAGS.get(paragraph.font, "p")
    if paragraph.indent:
        return '<p class="item">%s</p>' % body
    return "<%s>%s</%s>" % (tag, body, tag)


def _head(title):
    return (
        "<html><head>\n"
        '<meta http-equiv="Content-Type" content="text/html; charset=%s">\n'
        "<title>%s</title>\n"
        "<style>body{font-family:\"MS UI Gothic\",sans-serif;font-size:10pt}"
        "h1{font-size:14pt;color:#000080}h2{font-size:11pt}p.item{margin-left:2em}</style>\n"
        "</head>\n" % (CHARSET, title)
    )


def topic_page(item):
    lines = [_head(_text(item.title)), "<body>"]
    lines += [_paragraph_html(paragraph) for paragraph in item.paragraphs]
    lines.append("</body></html>\n")
    return "\n".join(lines)


def _sitemap_entry(name, local):
    return (
        '<li><object type="text/sitemap">'
        '<param name="Name" value="%s"><param name="Local" value="%s"></object>' % (name, local)
    )


def _sitemap(entries):
    lines = [_head(""), "<body>", '<object type="text/site properties"></object>', "<ul>"]
    lines += [_sitemap_entry(name, local) for name, local in entries]
    lines.append("</ul></body></html>\n")
    return "\n".join(lines)


def contents_file(source):
    return _sitemap([(_text(item.title), page_name(item.context)) for item in source.topics])


def index_file(source):
    entries = [(_text(item.title), page_name(item.context)) for item in source.topics]
    return _sitemap(sorted(entries, key=lambda entry: entry[0]))


def project_file(source):
    files = "\n".join(page_name(item.context) for item in source.topics)
    return (
        "[OPTIONS]\n"
        "Compatibility=1.1 or later\n"
        "Compiled file=%s\n"
        "Contents file=%s\n"
        "Index file=%s\n"
        "Default topic=%s\n"
        # The binary index holds a byte chmcmd leaves unset, which would
        # differ between two builds; the viewer reads the sitemap index.
        "Binary Index=No\n"
        "Display compile progress=No\n"
        "Language=%s\n"
        "Title=%s\n"
        "\n[FILES]\n%s\n" % ("{output}", CONTENTS, INDEX, page_name(source.topics[0].context), LANGUAGE,
                             _text(source.title), files)
    )


def write_project(text, folder, output_name):
    """The project's files in code page 932, as chmcmd stores them."""
    source = help_source.parse(text)
    known = {item.context for item in source.topics}
    for item in source.topics:
        for paragraph in item.paragraphs:
            for run in paragraph.runs:
                if run[0] == "link" and run[1] not in known:
                    raise ValueError("topic %s links to the unknown topic %s" % (item.context, run[1]))
    files = {page_name(item.context): topic_page(item) for item in source.topics}
    files[CONTENTS] = contents_file(source)
    files[INDEX] = index_file(source)
    files[PROJECT] = project_file(source).replace("{output}", output_name)
    for name, content in files.items():
        with open(os.path.join(folder, name), "wb") as stream:
            stream.write(content.encode(help_source.ENCODING))
    return source


def stamp(data, date):
    """The compiled file with its two time stamps set to date."""
    data = bytearray(data)
    struct.pack_into(">I", data, HEADER_TIME_OFFSET, date)
    content = struct.unpack_from("<Q", data, CONTENT_OFFSET_FIELD)[0]
    entry = struct.pack("<IHH", SYSTEM_VERSION, SYSTEM_TIME, 4)
    first = data.find(entry, content)
    if first < 0 or data.find(entry, first + 1) >= 0:
        raise ValueError("chmcmd's #SYSTEM was not found once; its layout has changed")
    struct.pack_into("<I", data, first + len(entry), date)
    return bytes(data)


def main(arguments):
    if len(arguments) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    source_path, output, folder = arguments[:3]
    compiler = arguments[3] if len(arguments) == 4 else "chmcmd"
    with open(source_path, encoding="utf-8") as stream:
        text = stream.read()
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    name = os.path.basename(output)
    try:
        source = write_project(text, folder, name)
    except ValueError as error:
        sys.stderr.write("%s: %s\n" % (source_path, error))
        return 1
    # The topics are listed in the project, so chmcmd need not scan the
    # pages for more files; its log goes to a file, not the build's output.
    with open(os.path.join(folder, "chmcmd.log"), "wb") as log:
        status = subprocess.run([compiler, "--no-html-scan", PROJECT], cwd=folder, stdout=log,
                                stderr=subprocess.STDOUT).returncode
    compiled = os.path.join(folder, name)
    if status != 0 or not os.path.exists(compiled):
        sys.stderr.write("chmcmd failed; see %s\n" % os.path.join(folder, "chmcmd.log"))
        return 1
    with open(compiled, "rb") as stream:
        data = stream.read()
    try:
        data = stamp(data, source.date)
    except ValueError as error:
        sys.stderr.write("%s\n" % error)
        return 1
    with open(output, "wb") as stream:
        stream.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
