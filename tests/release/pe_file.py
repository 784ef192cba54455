"""Reads what the release checks need from a PE file: machine, optional-header magic,
subsystem and its version, DLL characteristics, time stamps, sections, imports, the
certificate table and the resource tree."""
import struct

RT_NAMES = {3: "ICON", 5: "DIALOG", 10: "RCDATA", 14: "GROUP_ICON", 16: "VERSION", 24: "MANIFEST"}


class PeFile:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        coff = pe + 4
        (self.machine, nsections, self.timestamp, _, _, opt_size, self.characteristics) = struct.unpack_from("<HHIIIHH", d, coff)
        opt = coff + 20
        self.magic = struct.unpack_from("<H", d, opt)[0]
        # The fields from the OS version on sit at the same offsets in PE32 and PE32+.
        self.os_version = struct.unpack_from("<HH", d, opt + 40)
        self.subsystem_version = struct.unpack_from("<HH", d, opt + 48)
        self.checksum = struct.unpack_from("<I", d, opt + 64)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", d, opt + 68)
        dirs = opt + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", d, dirs + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(nsections):
            s = opt + opt_size + 40 * i
            name = d[s:s + 8].rstrip(b"\0").decode("ascii", "replace")
            vsize, vaddr, rsize, rptr = struct.unpack_from("<IIII", d, s + 8)
            self.sections.append((name, vaddr, max(vsize, rsize), rptr))

    def offset(self, rva):
        for _, vaddr, size, rptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rptr + rva - vaddr
        raise ValueError("RVA %#x outside every section" % rva)

    def section(self, name):
        """(virtual address, size, file offset) of the named section, or None."""
        for n, vaddr, size, rptr in self.sections:
            if n == name:
                return vaddr, size, rptr
        return None

    def directory(self, index):
        """(RVA, size) of a data directory; the certificate table's first field is a file offset."""
        return self.directories[index]

    def resource_timestamps(self):
        """The time stamp of every directory table in the resource tree."""
        rva, _ = self.directories[2]
        if not rva:
            return []
        base = self.offset(rva)
        stamps, pending = [], [0]
        while pending:
            at = base + pending.pop()
            stamps.append(struct.unpack_from("<I", self.data, at + 4)[0])
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                target = struct.unpack_from("<I", self.data, at + 16 + 8 * i + 4)[0]
                if target & 0x80000000:
                    pending.append(target & 0x7FFFFFFF)
        return stamps

    def resources(self):
        """Yields (type, name, language, bytes) for every resource; ids are ints, names strings."""
        rva, size = self.directories[2]
        if not rva:
            return
        base = self.offset(rva)
        d = self.data

        def entries(at):
            named, ids = struct.unpack_from("<HH", d, at + 12)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", d, at + 16 + 8 * i)
                if ident & 0x80000000:
                    p = base + (ident & 0x7FFFFFFF)
                    n = struct.unpack_from("<H", d, p)[0]
                    ident = d[p + 2:p + 2 + 2 * n].decode("utf-16-le")
                yield ident, target

        for rtype, t in entries(base):
            for name, n in entries(base + (t & 0x7FFFFFFF)):
                for lang, leaf in entries(base + (n & 0x7FFFFFFF)):
                    data_rva, data_size = struct.unpack_from("<II", d, base + leaf)
                    start = self.offset(data_rva)
                    yield rtype, name, lang, d[start:start + data_size]

    def _string(self, rva):
        p = self.offset(rva)
        return self.data[p:self.data.index(b"\0", p)].decode("ascii")

    def imports(self):
        """Names of the DLLs the file imports from."""
        return [dll for dll, _ in self.imported_functions()]

    def imported_functions(self):
        """(DLL name, [function names, or "#ordinal"]) for every DLL in the import table."""
        rva, _ = self.directories[1]
        result = []
        if not rva:
            return result
        wide = self.magic == 0x20B
        entry, ordinal_flag = ("<Q", 1 << 63) if wide else ("<I", 1 << 31)
        at = self.offset(rva)
        while True:
            fields = struct.unpack_from("<IIIII", self.data, at)
            if not any(fields):
                return result
            lookup = fields[0] or fields[4]  # the lookup table, else the address table
            names = []
            t = self.offset(lookup)
            while True:
                value = struct.unpack_from(entry, self.data, t)[0]
                if not value:
                    break
                names.append("#%d" % (value & 0xFFFF) if value & ordinal_flag else self._string((value & 0x7FFFFFFF) + 2))
                t += 8 if wide else 4
            result.append((self._string(fields[3]), names))
            at += 20
