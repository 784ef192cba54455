#!/usr/bin/env python3
"""Prints what a built installer weighs: the whole file, the payload resource (RCDATA 102),
the Authenticode signature if any, and the difference, which is what the installer itself
costs; then the size of each section. A report, not a check: it always succeeds on a PE file."""
import os
import sys

from pe_file import PeFile

IMAGE_DIRECTORY_ENTRY_SECURITY = 4


def kib(n):
    return "%7d bytes (%6.1f KiB)" % (n, n / 1024.0)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: size_report.py EXE")
    path = sys.argv[1]
    pe = PeFile(path)
    total = len(pe.data)
    payload = sum(len(data) for rtype, name, _, data in pe.resources() if rtype == 10 and name == 102)
    _, signature = pe.directory(IMAGE_DIRECTORY_ENTRY_SECURITY)
    own = total - payload - signature
    name = os.path.basename(os.path.dirname(os.path.abspath(path))) + "/" + os.path.basename(path)
    print("size of %s" % name)
    rows = [("executable", total), ("payload (RCDATA 102)", payload)]
    if signature:
        rows.append(("signature", signature))
    rows.append(("installer's own cost", own))
    for label, n in rows:
        print("  %-21s %s" % (label, kib(n)))
    print("  sections: %s" % ", ".join("%s %d" % (n, size) for n, _, size, _ in pe.sections))
    return 0


if __name__ == "__main__":
    sys.exit(main())
