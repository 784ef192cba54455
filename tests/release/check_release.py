#!/usr/bin/env python3
"""Checks a built installer from outside: PE32 for i386 (or PE32+ for x86-64 with --twin), GUI
subsystem 6.0, no time stamps, ASLR and DEP (with the relocations ASLR needs), imports from
system libraries only with the DLL search restricted through KERNEL32, no build paths in the
file or the unpacked payload, an Authenticode certificate table with --signed (none without),
and RCDATA 102 holding exactly the payload the build made."""
import argparse
import struct
import sys

from pe_file import PeFile

IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_FILE_MACHINE_AMD64 = 0x8664
IMAGE_FILE_RELOCS_STRIPPED = 0x0001
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2

IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA = 0x0020
IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE = 0x0040
IMAGE_DLLCHARACTERISTICS_NX_COMPAT = 0x0100

IMAGE_DIRECTORY_ENTRY_SECURITY = 4
IMAGE_DIRECTORY_ENTRY_BASERELOC = 5
IMAGE_DIRECTORY_ENTRY_DEBUG = 6
IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT = 13

WIN_CERT_REVISION_2_0 = 0x0200
WIN_CERT_TYPE_PKCS_SIGNED_DATA = 0x0002

# The system's own libraries (msvcrt is the system's C runtime); never the toolchain's
# libstdc++, libgcc or winpthread DLLs, which a static build must not need.
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
                "comctl32.dll", "msvcrt.dll"}


def path_forms(path):
    """A build path as it may be stored: as given and with backslashes, in ASCII and UTF-16."""
    forms = set()
    for text in (path, path.replace("/", "\\")):
        forms.add(text.encode("utf-8"))
        forms.add(text.encode("utf-16-le"))
    return forms


def certificate_ok(pe):
    """The certificate table is one 8-aligned WIN_CERTIFICATE (PKCS#7 signed data) ending the file."""
    offset, size = pe.directory(IMAGE_DIRECTORY_ENTRY_SECURITY)
    if not offset or offset % 8 or offset + size != len(pe.data) or size < 8:
        return False
    length, revision, kind = struct.unpack_from("<IHH", pe.data, offset)
    return length <= size and revision == WIN_CERT_REVISION_2_0 and kind == WIN_CERT_TYPE_PKCS_SIGNED_DATA


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("exe")
    ap.add_argument("payload")
    ap.add_argument("--twin", action="store_true", help="expect the 64-bit twin")
    ap.add_argument("--signed", action="store_true", help="expect an Authenticode signature")
    ap.add_argument("--forbid", action="append", default=[], metavar="PATH",
                    help="a build path that must not appear in the file (repeatable)")
    ap.add_argument("--image", help="the unpacked payload image, searched for the forbidden paths too")
    args = ap.parse_args()

    pe = PeFile(args.exe)
    payload = open(args.payload, "rb").read()
    machine, magic = (IMAGE_FILE_MACHINE_AMD64, 0x20B) if args.twin else (IMAGE_FILE_MACHINE_I386, 0x10B)
    rcdata = [data for rtype, name, _, data in pe.resources() if rtype == 10 and name == 102]
    imports = dict((dll.lower(), functions) for dll, functions in pe.imported_functions())
    wanted_flags = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT
    if args.twin:
        wanted_flags |= IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA
    reloc_rva, reloc_size = pe.directory(IMAGE_DIRECTORY_ENTRY_BASERELOC)
    image = open(args.image, "rb").read() if args.image else b""
    leaked = sorted(set("%s in %s" % (path, where)
                        for path in args.forbid
                        for where, data in (("the executable", pe.data), ("the payload image", image))
                        for form in path_forms(path) if form in data))
    checks = [
        ("machine %#x" % machine, pe.machine == machine),
        ("optional header magic %#x" % magic, pe.magic == magic),
        ("GUI subsystem", pe.subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI),
        ("subsystem version 6.0 (is %d.%d)" % pe.subsystem_version, pe.subsystem_version == (6, 0)),
        ("OS version 6.0 (is %d.%d)" % pe.os_version, pe.os_version == (6, 0)),
        ("DLL characteristics include %#x (are %#x)" % (wanted_flags, pe.dll_characteristics),
         pe.dll_characteristics & wanted_flags == wanted_flags),
        ("base relocations kept for ASLR", not pe.characteristics & IMAGE_FILE_RELOCS_STRIPPED
         and reloc_rva and reloc_size and pe.section(".reloc") is not None),
        ("no PE time stamp", pe.timestamp == 0),
        ("no resource directory time stamps", not any(pe.resource_timestamps())),
        ("no debug directory", pe.directory(IMAGE_DIRECTORY_ENTRY_DEBUG) == (0, 0)),
        ("imports only from %s (are %s)" % (", ".join(sorted(ALLOWED_DLLS)), ", ".join(sorted(imports))),
         set(imports) <= ALLOWED_DLLS),
        ("nothing delay-loaded", pe.directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT) == (0, 0)),
        # Looked up by name at start, so systems that lack it can still load the installer.
        ("SetDefaultDllDirectories looked up with GetProcAddress, not imported",
         "SetDefaultDllDirectories" not in imports.get("kernel32.dll", [])
         and "GetProcAddress" in imports.get("kernel32.dll", [])
         and b"SetDefaultDllDirectories\0" in pe.data),
        ("Authenticode certificate table" if args.signed else "no certificate table",
         certificate_ok(pe) if args.signed else pe.directory(IMAGE_DIRECTORY_ENTRY_SECURITY) == (0, 0)),
        ("one RCDATA 102", len(rcdata) == 1),
        ("RCDATA 102 is the payload (%d bytes)" % len(payload), rcdata[:1] == [payload]),
    ]
    if args.forbid:
        checks.append(("no build path inside%s" % "".join("; FOUND " + x for x in leaked), not leaked))
    failed = [name for name, ok in checks if not ok]
    for name, ok in checks:
        print("%s: %s" % ("ok" if ok else "FAILED", name))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
