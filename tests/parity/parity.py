#!/usr/bin/env python3
"""The host side of the parity check (tests/parity/wine_parity.sh).

    parity.py links DIR              one line "link NAME: TARGET" per .lnk file in DIR (a folder
                                     of the Wine prefix), sorted by name ignoring case; the
                                     target is read as tests/common/lnk_reader.cpp reads it
                                     and must agree with what Debian's lnkinfo reads
    parity.py compare NATIVE WINE    the two sides' outputs, less what the two may
                                     legitimately differ in; prints the diff, exit 1 if any
"""
import difflib
import os
import re
import struct
import subprocess
import sys

SHELL_LINK_CLSID = bytes([0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46])
HAS_ID_LIST, HAS_LINK_INFO, FORCE_NO_LINK_INFO = 0x1, 0x2, 0x100


def _u16(b, at):
    return struct.unpack_from("<H", b, at)[0]


def _u32(b, at):
    return struct.unpack_from("<I", b, at)[0]


def _string(b, at, unicode):
    """NUL-terminated text at `at`; None when it runs off the end. ANSI is read as Latin-1."""
    if unicode:
        end = at
        while end + 1 < len(b) and _u16(b, end):
            end += 2
        return None if end + 1 >= len(b) else b[at:end].decode("utf-16-le", "replace")
    end = b.find(b"\0", at)
    return None if end < 0 else b[at:end].decode("latin-1")


def _info_string(info, offset, unicode):
    return _string(info, offset, unicode) if offset and offset < len(info) else None


def link_target(data):
    """The LinkInfo target of a .lnk ([MS-SHLLINK]), the way lnk_reader.cpp reads it; None when
    the file is malformed or has no target there."""
    if len(data) < 0x4C or _u32(data, 0) != 0x4C or data[4:20] != SHELL_LINK_CLSID:
        return None
    flags = _u32(data, 0x14)
    at = 0x4C
    if flags & HAS_ID_LIST:
        if at + 2 > len(data) or at + 2 + _u16(data, at) > len(data):
            return None
        at += 2 + _u16(data, at)
    if not flags & HAS_LINK_INFO or flags & FORCE_NO_LINK_INFO or at + 4 > len(data):
        return None
    size = _u32(data, at)
    if size < 0x1C or at + size > len(data):
        return None
    info = data[at:at + size]
    header, info_flags = _u32(info, 4), _u32(info, 8)
    has_unicode = header >= 0x24 and len(info) >= 0x24
    if info_flags & 0x1:
        base = (_info_string(info, _u32(info, 0x1C), True) if has_unicode else None) or \
            _info_string(info, _u32(info, 0x10), False)
    elif info_flags & 0x2:
        net_at = _u32(info, 0x14)
        if not net_at or net_at + 0x14 > len(info):
            return None
        net = info[net_at:]
        net_name = _u32(net, 8)
        unicode_name = net_name > 0x14 and len(net) >= 0x1C and _u32(net, 0x14)
        base = (_info_string(net, _u32(net, 0x14), True) if unicode_name else None) or \
            _info_string(net, net_name, False)
    else:
        return None
    if base is None:
        return None
    suffix = (_info_string(info, _u32(info, 0x20), True) if has_unicode else None)
    if suffix is None:
        suffix = _info_string(info, _u32(info, 0x18), False) or ""
    join = not info_flags & 0x1 and suffix and base and not base.endswith("\\")
    target = base + ("\\" if join else "") + suffix
    return target or None


def lnkinfo_local_path(path):
    out = subprocess.run(["lnkinfo", path], capture_output=True, text=True, errors="replace").stdout
    found = re.search(r"^\s*Local path\s*: (.*)$", out, re.M)
    return found.group(1).strip() if found else None


def links(folder):
    names = sorted((n for n in os.listdir(folder) if n.lower().endswith(".lnk")), key=str.lower) \
        if os.path.isdir(folder) else []
    status = 0
    for name in names:
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            target = link_target(f.read())
        independent = lnkinfo_local_path(path)
        if target != independent:
            print("%s: lnk_reader reads %r, lnkinfo %r" % (name, target, independent), file=sys.stderr)
            status = 1
        print("link %s: %s" % (name, target if target is not None else "(unreadable)"))
    return status


FILE_LINE = re.compile(r"^  (.*) (\d+) bytes, last write (\d+)$")


def comparable(line):
    """What the two sides may legitimately differ in, and nothing more:
    - a link file's bytes (and so its size) are its writer's own (winsim's shell link object,
      or Wine's), and its time is the time of writing; the link's target is compared instead,
      on the "link NAME: TARGET" lines;
    - the uninstaller has no time in the payload: it keeps the time of writing, "now"."""
    m = FILE_LINE.match(line)
    if not m:
        return line
    name, size, _ = m.groups()
    if name.lower().endswith(".lnk"):
        return "  %s (link file)" % name
    if name.lower() == "uninstall.exe":
        return "  %s %s bytes, last write (time of writing)" % (name, size)
    return line


def compare(native_path, wine_path):
    sides = []
    for path in (native_path, wine_path):
        with open(path, encoding="utf-8", errors="replace") as f:
            sides.append([comparable(l) + "\n" for l in f.read().splitlines()])
    if sides[0] == sides[1]:
        return 0
    print("winsim and Wine differ (- winsim, + Wine):")
    sys.stdout.writelines(difflib.unified_diff(sides[0], sides[1], "winsim", "wine", n=3))
    return 1


def main(argv):
    if len(argv) == 3 and argv[1] == "links":
        return links(argv[2])
    if len(argv) == 4 and argv[1] == "compare":
        return compare(argv[2], argv[3])
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
