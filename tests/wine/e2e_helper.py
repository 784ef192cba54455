#!/usr/bin/env python3
"""What the end-to-end scenarios need beyond the driver: figures taken from the decoded
payload image the installer carries, comparison of observed lines with expected ones, and the
installed files and registry values put into comparable lines.

    e2e_helper.py required-mb IMAGE [NAME...]
                                           Space required figure with every component chosen
                                           but the named ones
    e2e_helper.py estimated-size IMAGE [NAME...]
                                           EstimatedSize as reg prints it (0x..., KiB), with
                                           the named components left out
    e2e_helper.py licence IMAGE            the licence as the edit shows it, caret notation
    e2e_helper.py files IMAGE DIR          one line per installed file: name, size, same bytes
                                           as its payload row, time as in the row
    e2e_helper.py reg-values               reg query output (stdin) as lines "KEY [NAME] TYPE DATA"
    e2e_helper.py expect [--any-order] EXPECTED ACTUAL
                                           compare line files; <N> in EXPECTED stands for a number
"""
import difflib
import os
import re
import struct
import sys

TABLE_ROWS = 10
ROW_SIZE = 12
# Payload rows 1..8 are the components in this order; row 9 is the uninstaller.
COMPONENTS = ["Zirvex", "PanelTwine", "CloakBeacon", "Tumbly", "MicroChime", "QuietQuill", "LockQZV", "Frostbin"]
LICENCE_SHOWN = 511  # the licence page shows at most this many bytes of row 0
FILETIME_UNIX_EPOCH = 116444736000000000  # 1970-01-01 as a FILETIME


def rows(image):
    """(offset, size, mtime) of the ten entries of a decoded payload image."""
    out = []
    offset = TABLE_ROWS * ROW_SIZE
    for i in range(TABLE_ROWS):
        size, low, high = struct.unpack_from("<III", image, ROW_SIZE * i)
        out.append((offset, size, high << 32 | low))
        offset += size
    return out


def required_bytes(image, left_out=()):
    """Rows 1..9: the components chosen and the uninstaller, which is always written."""
    unknown = set(left_out) - set(COMPONENTS)
    if unknown:
        sys.exit("unknown components: %s" % ", ".join(sorted(unknown)))
    table = rows(image)
    return sum(table[i + 1][1] for i, name in enumerate(COMPONENTS) if name not in left_out) + table[9][1]


def caret(text):
    return "".join("^?" if c == "\x7f" else "^" + chr(ord(c) + 0x40) if c < " " else c for c in text)


def files(image, folder):
    """The uninstaller has no time of its own in the payload: it keeps the time of writing."""
    table = rows(image)
    names = [(name + ".exe", table[i + 1]) for i, name in enumerate(COMPONENTS)] + [("uninstall.exe", table[9])]
    for name, (offset, size, mtime) in names:
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            print("%s: missing" % name)
            continue
        with open(path, "rb") as f:
            data = f.read()
        same = "payload bytes" if data == image[offset:offset + size] else "DIFFERENT bytes"
        line = "%s: %d bytes, %s" % (name, len(data), same)
        if mtime:
            ns = os.stat(path).st_mtime_ns
            want = (mtime - FILETIME_UNIX_EPOCH) * 100
            line += ", payload time" if ns == want else ", time %d ns, not %d ns" % (ns, want)
        print(line)


def reg_values(text):
    """reg query prints a key's path, then one indented "NAME    TYPE    DATA" per value; keys
    without values leave no line."""
    lines, key = [], None
    for raw in text.splitlines():
        line = raw.rstrip("\r\n")
        if not line.strip():
            continue
        if not line.startswith(" "):
            key = line.strip()
            continue
        parts = re.split(r" {4}", line.strip(), maxsplit=2)
        lines.append("%s [%s] %s" % (key, parts[0], " ".join(parts[1:])))
    for line in lines:
        print(line)


def expect(expected_path, actual_path, in_any_order=False):
    with open(expected_path, encoding="utf-8") as f:
        expected = f.read().splitlines()
    with open(actual_path, encoding="utf-8", errors="replace") as f:
        actual = f.read().splitlines()
    if in_any_order:
        expected, actual = sorted(expected), sorted(actual)

    def matches(want, got):
        pattern = "".join("[0-9]+" if part == "<N>" else re.escape(part) for part in re.split(r"(<N>)", want))
        return re.fullmatch(pattern, got) is not None

    if len(expected) == len(actual) and all(matches(w, g) for w, g in zip(expected, actual)):
        return 0
    print("observed lines differ from the expected ones (- expected, + observed):")
    sys.stdout.writelines(difflib.unified_diff([l + "\n" for l in expected], [l + "\n" for l in actual], n=2))
    return 1


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    cmd, args = argv[1], argv[2:]
    image = None
    if cmd in ("required-mb", "estimated-size", "licence", "files"):
        with open(args[0], "rb") as f:
            image = f.read()
    if cmd == "required-mb":
        print((required_bytes(image, args[1:]) + (1 << 20) - 1) >> 20)
    elif cmd == "estimated-size":
        print("%#x" % (required_bytes(image, args[1:]) >> 10))
    elif cmd == "licence":
        offset, size, _ = rows(image)[0]
        print(caret(image[offset:offset + min(size, LICENCE_SHOWN)].split(b"\0")[0].decode("cp1252")))
    elif cmd == "files":
        files(image, args[1])
    elif cmd == "reg-values":
        reg_values(sys.stdin.read())
    elif cmd == "expect":
        return expect(args[-2], args[-1], in_any_order=args[0] == "--any-order")
    else:
        sys.exit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
