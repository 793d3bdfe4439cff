#!/usr/bin/env python3
"""Writes a UTF-8 text file as code page 932 with CR LF line ends, the
form the program's readme ships in.

usage: cp932text.py SOURCE OUTPUT"""

import sys


def convert(text):
    lines = text.replace("\r\n", "\n").split("\n")
    return "\r\n".join(lines).encode("cp932")


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(arguments[0], encoding="utf-8") as stream:
        text = stream.read()
    try:
        data = convert(text)
    except UnicodeEncodeError as error:
        line = text.count("\n", 0, error.start) + 1
        sys.stderr.write("%s:%d: %r has no code page 932 form\n" % (arguments[0], line, error.object[error.start]))
        return 1
    with open(arguments[1], "wb") as stream:
        stream.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
