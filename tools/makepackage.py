#!/usr/bin/env python3
"""Makes the distributable from the files it ships: the folder OUTPUT/DRIM32/
with a copy of each, dated at midnight of the release date, and the archive
OUTPUT/DRIM32.zip holding the same copies (makezip.py).

usage: makepackage.py OUTPUT YYYY-MM-DD FILE..."""

import datetime
import os
import shutil
import sys
import time

import makezip

FOLDER = "DRIM32"


def main(arguments):
    if len(arguments) < 3:
        sys.stderr.write(__doc__)
        return 2
    output, day, files = arguments[0], arguments[1], arguments[2:]
    folder = os.path.join(output, FOLDER)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    # Local midnight, as the file dates a user's unpacking shows.
    stamp = time.mktime(datetime.date.fromisoformat(day).timetuple())
    copies = []
    for path in files:
        copy = os.path.join(folder, os.path.basename(path))
        shutil.copyfile(path, copy)
        os.utime(copy, (stamp, stamp))
        copies.append(copy)
    archive = os.path.join(output, FOLDER + ".zip")
    if os.path.exists(archive):
        os.remove(archive)
    return makezip.main([archive, day] + copies)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
