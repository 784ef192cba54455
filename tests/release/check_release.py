#!/usr/bin/env python3
"""Checks a built installer: PE32 for i386 (or PE32+ for x86-64 with --twin), GUI subsystem,
and RCDATA 102 holding exactly the payload the build made."""
import argparse
import sys

from pe_file import PeFile

IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_FILE_MACHINE_AMD64 = 0x8664
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("exe")
    ap.add_argument("payload")
    ap.add_argument("--twin", action="store_true", help="expect the 64-bit twin")
    args = ap.parse_args()

    pe = PeFile(args.exe)
    payload = open(args.payload, "rb").read()
    machine, magic = (IMAGE_FILE_MACHINE_AMD64, 0x20B) if args.twin else (IMAGE_FILE_MACHINE_I386, 0x10B)
    rcdata = [data for rtype, name, _, data in pe.resources() if rtype == 10 and name == 102]
    checks = [
        ("machine %#x" % machine, pe.machine == machine),
        ("optional header magic %#x" % magic, pe.magic == magic),
        ("GUI subsystem", pe.subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI),
        ("one RCDATA 102", len(rcdata) == 1),
        ("RCDATA 102 is the payload (%d bytes)" % len(payload), rcdata[:1] == [payload]),
    ]
    failed = [name for name, ok in checks if not ok]
    for name, ok in checks:
        print("%s: %s" % ("ok" if ok else "FAILED", name))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
