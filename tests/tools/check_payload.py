#!/usr/bin/env python3
"""Checks payload-builder's outputs independently of its code: the image table against
the entries, the generated numbers against the image, and the resource's property bytes.
usage: check_payload.py IMAGE NUMBERS.cpp RESOURCE [ENTRY0 ... ENTRY9]"""
import re
import struct
import sys


def checksum(data):
    r = 0
    for b in data:
        r = (r + b) & 0xFFFFFFFF
        r = ((r << 1) | (r >> 31)) & 0xFFFFFFFF
    return r


def nice_dict_size(size):
    n = 4096
    while True:
        if size <= n:
            return n
        if size <= n // 2 * 3:
            return n // 2 * 3
        n *= 2


def check_table(image, entries):
    at = 120
    for row, entry in enumerate(entries):
        size, lo, hi = struct.unpack_from("<III", image, 12 * row)
        name, _, time = entry.rpartition("@") if re.search(r"@\d+$", entry) else (entry, "", "0")
        assert lo | (hi << 32) == int(time), f"row {row}: mtime {hi:#x}:{lo:#x}, expected {time}"
        if name.startswith("filler:"):
            assert size == int(name[7:]), f"row {row}: size {size}, expected {name[7:]}"
        else:
            with open(name, "rb") as f:
                want = f.read()
            assert size == len(want), f"row {row}: size {size}, expected {len(want)}"
            assert image[at:at + size] == want, f"row {row}: data differs from {name}"
        at += size
    assert at == len(image), f"image has {len(image)} bytes, rows account for {at}"


def main():
    image_path, numbers_path, resource_path, *entries = sys.argv[1:]
    image = open(image_path, "rb").read()
    resource = open(resource_path, "rb").read()
    numbers = dict(re.findall(r"extern const DWORD (\w+) = (0x[0-9A-F]{8}|\d+)u;",
                              open(numbers_path).read()))
    want = {
        "PAYLOAD_RESOURCE_SIZE": len(resource),
        "PAYLOAD_IMAGE_SIZE": len(image),
        "PAYLOAD_IMAGE_CHECKSUM": checksum(image),
    }
    for name, value in want.items():
        assert name in numbers, f"{name} missing from {numbers_path}"
        assert int(numbers[name], 0) == value, f"{name} = {numbers[name]}, expected {value}"

    props, dict_size = struct.unpack_from("<BI", resource, 0)
    assert props < 9 * 5 * 5, f"bad LZMA properties byte {props}"
    assert dict_size == nice_dict_size(len(image)), f"dictionary {dict_size} for {len(image)}"
    if entries:
        check_table(image, entries)


if __name__ == "__main__":
    try:
        main()
    except AssertionError as e:
        sys.exit(f"check_payload: {e}")
