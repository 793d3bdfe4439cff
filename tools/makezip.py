#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files' contents: the
entries in the order given, every one with the same fixed date and the
attributes of a plain MS-DOS file.

usage: makezip.py ARCHIVE YYYY-MM-DD FILE..."""

import datetime
import os
import sys
import zipfile

# The attribute byte of an ordinary file that has been written ("archive").
DOS_ARCHIVE = 0x20
CREATED_ON_MSDOS = 0


def main(arguments):
    if len(arguments) < 3:
        sys.stderr.write(__doc__)
        return 2
    archive, day, files = arguments[0], datetime.date.fromisoformat(arguments[1]), arguments[2:]
    with zipfile.ZipFile(archive, "w") as output:
        for path in files:
            entry = zipfile.ZipInfo(os.path.basename(path), date_time=(day.year, day.month, day.day, 0, 0, 0))
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = CREATED_ON_MSDOS
            entry.external_attr = DOS_ARCHIVE
            with open(path, "rb") as stream:
                output.writestr(entry, stream.read(), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
