"""Parsers for the resource formats the installer carries: extended dialog templates
(DLGTEMPLATEEX with DLGITEMTEMPLATEEX items), icon groups (GRPICONDIR) with their images, and
version resources (VS_VERSIONINFO). Each works on the bytes of one resource."""
import struct
from collections import namedtuple

# Ordinals of the predefined window classes in a dialog template.
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX", 0x84: "SCROLLBAR", 0x85: "COMBOBOX"}
DS_SETFONT = 0x40
DS_SHELLFONT = 0x48

Dialog = namedtuple("Dialog", "help_id exstyle style x y cx cy menu window_class title font controls trailing")
Font = namedtuple("Font", "points weight italic charset face")
Control = namedtuple("Control", "id cls style exstyle x y cx cy text")
IconEntry = namedtuple("IconEntry", "width height colours reserved planes bits size icon_id")
VersionNode = namedtuple("VersionNode", "key type value children")


class FormatError(ValueError):
    pass


class _Reader:
    def __init__(self, data):
        self.data = data
        self.at = 0

    def take(self, fmt):
        size = struct.calcsize(fmt)
        if self.at + size > len(self.data):
            raise FormatError("truncated at offset %d" % self.at)
        values = struct.unpack_from(fmt, self.data, self.at)
        self.at += size
        return values if len(values) > 1 else values[0]

    def align(self, n=4):
        self.at = (self.at + n - 1) // n * n

    def string(self):
        """A zero-terminated UTF-16 string."""
        end = self.at
        while True:
            if end + 2 > len(self.data):
                raise FormatError("unterminated string at offset %d" % self.at)
            if self.data[end:end + 2] == b"\0\0":
                break
            end += 2
        text = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return text

    def sz_or_ord(self):
        """A template field that is empty (""), an ordinal (int) or a string."""
        first = struct.unpack_from("<H", self.data, self.at)[0]
        if first == 0xFFFF:
            self.at += 2
            return self.take("<H")
        return self.string()


def parse_dialog(data):
    """An extended dialog template: header, font (when the style asks for one) and items."""
    r = _Reader(data)
    version, signature = r.take("<HH")
    if (version, signature) != (1, 0xFFFF):
        raise FormatError("not an extended template (version %d, signature %#x)" % (version, signature))
    help_id, exstyle, style, count = r.take("<IIIH")
    x, y, cx, cy = r.take("<hhhh")
    menu, window_class, title = r.sz_or_ord(), r.sz_or_ord(), r.string()
    font = None
    if style & DS_SETFONT or style & DS_SHELLFONT == DS_SHELLFONT:
        points, weight, italic, charset = r.take("<HHBB")
        font = Font(points, weight, italic, charset, r.string())
    controls = []
    for _ in range(count):
        r.align()
        _, item_exstyle, item_style = r.take("<III")
        ix, iy, icx, icy = r.take("<hhhh")
        ident = r.take("<i")
        cls = r.sz_or_ord()
        if isinstance(cls, int):
            cls = CLASS_ORDINALS.get(cls, cls)
        text = r.sz_or_ord()
        extra = r.take("<H")
        if extra:
            raise FormatError("control %d carries %d bytes of creation data" % (ident, extra))
        controls.append(Control(ident, cls, item_style, item_exstyle, ix, iy, icx, icy, text))
    return Dialog(help_id, exstyle, style, x, y, cx, cy, menu, window_class, title, font, controls,
                  len(data) - r.at)


def parse_icon_group(data):
    """GRPICONDIR: the list of images of one icon."""
    r = _Reader(data)
    reserved, kind, count = r.take("<HHH")
    if (reserved, kind) != (0, 1):
        raise FormatError("not an icon group (reserved %d, type %d)" % (reserved, kind))
    return [IconEntry(*r.take("<BBBBHHIH")) for _ in range(count)]


def parse_version(data):
    """VS_VERSIONINFO as a tree of (key, type, value, children); the root's value is the
    VS_FIXEDFILEINFO bytes, text values are strings without their terminator."""
    node, _ = _version_node(data, 0)
    return node


def _version_node(data, start):
    r = _Reader(data)
    r.at = start
    length, value_length, kind = r.take("<HHH")
    end = start + length
    key = r.string()
    r.align()
    if kind == 1:  # text: the length counts UTF-16 units, the terminator included
        value = data[r.at:r.at + 2 * value_length].decode("utf-16-le").rstrip("\0")
        r.at += 2 * value_length
    else:
        value = data[r.at:r.at + value_length]
        r.at += value_length
    children = []
    r.align()
    while r.at < end:
        child, child_end = _version_node(data, r.at)
        children.append(child)
        r.at = child_end
        r.align()
    return VersionNode(key, kind, value, children), end


FixedFileInfo = namedtuple("FixedFileInfo", "signature struct_version file_version product_version flags_mask flags os type subtype")


def parse_fixed_file_info(value):
    f = struct.unpack("<13I", value)
    return FixedFileInfo(f[0], f[1], (f[2] >> 16, f[2] & 0xFFFF, f[3] >> 16, f[3] & 0xFFFF),
                         (f[4] >> 16, f[4] & 0xFFFF, f[5] >> 16, f[5] & 0xFFFF), f[6], f[7], f[8], f[9], f[10])
