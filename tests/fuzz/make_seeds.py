#!/usr/bin/env python3
"""Writes a few small seed inputs for each fuzz target into OUT/<target>/.

usage: make_seeds.py OUT SMALL_PAYLOAD_DIR
SMALL_PAYLOAD_DIR holds the payload.bin and numbers.cpp that the fuzz build made.
"""
import os
import re
import struct
import sys


def utf16(text):
    return text.encode("utf-16-le")


def main():
    out, small = sys.argv[1], sys.argv[2]
    with open(os.path.join(small, "payload.bin"), "rb") as f:
        payload = f.read()
    with open(os.path.join(small, "numbers.cpp")) as f:
        numbers = dict(re.findall(r"(PAYLOAD_\w+)\s*=\s*(0x[0-9a-fA-F]+|\d+)", f.read()))
    image_size = int(numbers["PAYLOAD_IMAGE_SIZE"], 0)
    checksum = int(numbers["PAYLOAD_IMAGE_CHECKSUM"], 0)

    seeds = {
        "fuzz_load_payload": [payload, payload[:5], payload[:-1]],
        "fuzz_load_payload_numbers": [
            b"\x00" + struct.pack("<II", image_size, checksum) + payload,
            b"\x01" + bytes(8) + payload,
            b"\x01" + bytes(8) + payload[:5],
        ],
        "fuzz_directory_chain": [
            utf16("C:\\Program Files\\Tevorlyn\\"),
            utf16("D:/Apps/Tevorlyn/x.exe"),
            utf16("\\\\server\\share\\a\\b\\"),
            utf16("\\rooted\\folder\\"),
            utf16("relative\\folder\\"),
            utf16("C:\\Work\\file.txt\\below\\"),
        ],
        "fuzz_append_slash": [utf16(""), utf16("C:\\x"), utf16("C:\\x\\"), utf16("D:/y/"), utf16("\\")],
        "fuzz_format_unsigned": [
            struct.pack("<I", 2145) + b"%u MB",
            struct.pack("<I", 0xFFFFFFFF) + b"available: %u GB",
            struct.pack("<I", 0xBEEF) + b"0x%x!",
            struct.pack("<I", 0) + b"%u",
        ],
        "fuzz_registry_path": [
            utf16("Tevorlyn"),
            utf16("Classes\0Directory\0shell\0MicroChime\0command"),
            utf16("Microsoft\0Windows\0CurrentVersion\0Uninstall\0Tevorlyn\0\uffff"),
        ],
    }
    for target, inputs in seeds.items():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        for i, data in enumerate(inputs):
            with open(os.path.join(folder, "seed-%d" % i), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
