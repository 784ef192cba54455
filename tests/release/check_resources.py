#!/usr/bin/env python3
"""Checks the resources of a built installer as Windows will read them: the five dialog
templates control by control, the icon, the application manifest and the version resource.

    check_resources.py EXE ICO     (ICO: resources/app.ico, whose image the icon must be)
"""
import struct
import sys
import unittest
import xml.etree.ElementTree as ET

from pe_file import PeFile
from resource_formats import (Control, Font, parse_dialog, parse_fixed_file_info, parse_icon_group,
                              parse_version)

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24
LANG_EN_US = 0x409

# Window and control styles, with their documented values.
WS_CHILD, WS_VISIBLE, WS_DISABLED = 0x40000000, 0x10000000, 0x08000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_VSCROLL, WS_HSCROLL = 0x00200000, 0x00100000
WS_GROUP, WS_TABSTOP, WS_MINIMIZEBOX = 0x00020000, 0x00010000, 0x00020000
WS_EX_STATICEDGE = 0x00020000
DS_SETFONT = 0x40
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_GROUPBOX = 0, 1, 3, 7
ES_MULTILINE, ES_AUTOHSCROLL, ES_READONLY = 0x4, 0x80, 0x800
SS_LEFT, SS_ICON, SS_REALSIZECONTROL = 0, 3, 0x40
LBS_NOTIFY, LBS_NOINTEGRALHEIGHT = 0x1, 0x100

VISIBLE = WS_CHILD | WS_VISIBLE
TAB = VISIBLE | WS_TABSTOP
GROUP = VISIBLE | WS_GROUP
ICON_ID = 101

PAGE_ICON = Control(-1, "STATIC", VISIBLE | SS_ICON | SS_REALSIZECONTROL, 0, 7, 7, 21, 20, ICON_ID)
NEXT = Control(1, "BUTTON", TAB | BS_DEFPUSHBUTTON, 0, 223, 141, 50, 14, "")
CANCEL = Control(2, "BUTTON", TAB | BS_PUSHBUTTON, 0, 7, 141, 50, 14, "")
BACK = Control(3, "BUTTON", TAB | BS_PUSHBUTTON, 0, 170, 141, 50, 14, "")


def component_box(index, x, y):
    return Control(1006 + index, "BUTTON", TAB | BS_AUTOCHECKBOX, 0, x, y, 60, 10, "")


# Template id -> (name, style, controls in template order). Every template is at (0, 0),
# 280 x 162 DLU, with no extended style, menu, class or caption.
DIALOGS = {
    103: ("main frame", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_SETFONT, []),
    104: ("licence page", WS_CHILD | DS_SETFONT, [
        PAGE_ICON, NEXT, CANCEL,
        Control(1004, "EDIT", VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY, 0, 7, 33, 266, 101, ""),
        Control(1000, "STATIC", GROUP | SS_LEFT, 0, 37, 8, 236, 18, ""),
    ]),
    105: ("components page", WS_CHILD | DS_SETFONT, [
        PAGE_ICON, NEXT,
        component_box(0, 26, 45), component_box(1, 111, 45), component_box(2, 198, 45),
        component_box(3, 26, 62), component_box(4, 111, 62), component_box(5, 198, 62),
        component_box(6, 26, 79), component_box(7, 111, 79),
        Control(1014, "BUTTON", WS_CHILD | WS_DISABLED | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 198, 79, 60, 10, ""),
        Control(1015, "BUTTON", TAB | BS_AUTOCHECKBOX, 0, 26, 115, 96, 10, ""),
        CANCEL, BACK,
        Control(1001, "STATIC", GROUP | SS_LEFT, 0, 37, 8, 236, 18, ""),
    ]),
    106: ("destination page", WS_CHILD | DS_SETFONT, [
        PAGE_ICON, NEXT,
        Control(4, "BUTTON", TAB | BS_PUSHBUTTON, 0, 217, 54, 50, 14, ""),
        CANCEL, BACK,
        Control(1016, "BUTTON", VISIBLE | BS_GROUPBOX, 0, 7, 44, 266, 31, ""),
        Control(1005, "EDIT", VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 0, 13, 57, 199, 12, ""),
        Control(1002, "STATIC", GROUP | SS_LEFT, 0, 37, 8, 236, 25, ""),
        Control(1018, "STATIC", GROUP | SS_LEFT, 0, 13, 88, 121, 9, ""),
        Control(1017, "STATIC", GROUP | SS_LEFT, 0, 13, 100, 121, 9, ""),
    ]),
    107: ("progress page", WS_CHILD | DS_SETFONT, [
        PAGE_ICON, NEXT,
        Control(5, "BUTTON", TAB | BS_PUSHBUTTON, 0, 7, 32, 50, 14, ""),
        Control(1019, "LISTBOX", WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_STATICEDGE, 7, 32, 266, 103, ""),
        Control(1003, "STATIC", GROUP | SS_LEFT, 0, 37, 8, 236, 9, ""),
        Control(1020, "msctls_progress32", VISIBLE | WS_BORDER, 0, 37, 18, 236, 6, "Progress1"),
    ]),
}
FONT = Font(11, 400, 0, 0, "Calibri")

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SUPPORTED_OS = {
    "Windows Vista": "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
    "Windows 7": "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "Windows 8": "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "Windows 8.1": "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "Windows 10": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
}

VERSION_STRINGS = {
    "CompanyName": "Tevorlyn",
    "FileDescription": "Tevorlyn App Pack (32-bit)",
    "FileVersion": "26.10.0.0",
    "ProductName": "Tevorlyn App Pack (32-bit)",
    "ProductVersion": "26.10.0.0",
}
VS_FFI_SIGNATURE = 0xFEEF04BD
VOS_NT_WINDOWS32 = 0x00040004
VFT_APP = 1

EXE = ICO = None


def norm_class(cls):
    # Window classes are matched without regard to case, and windres stores class names
    # upper-cased.
    return cls.upper() if isinstance(cls, str) else cls


class Resources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.res = {}
        for rtype, name, lang, data in PeFile(EXE).resources():
            cls.res.setdefault((rtype, name), []).append((lang, data))

    def one(self, rtype, name):
        found = self.res.get((rtype, name), [])
        self.assertEqual([lang for lang, _ in found], [LANG_EN_US],
                         "resource type %d id %s: expected once, in U.S. English" % (rtype, name))
        return found[0][1]


class DialogTemplates(Resources):
    def test_no_other_dialogs(self):
        self.assertEqual(sorted(name for rtype, name in self.res if rtype == RT_DIALOG), sorted(DIALOGS))

    def test_headers(self):
        for ident, (name, style, controls) in DIALOGS.items():
            with self.subTest(template=ident, name=name):
                d = parse_dialog(self.one(RT_DIALOG, ident))
                self.assertEqual((d.style, d.exstyle, d.help_id), (style, 0, 0), "style %#x" % d.style)
                self.assertEqual((d.x, d.y, d.cx, d.cy), (0, 0, 280, 162))
                self.assertEqual((d.menu, d.window_class, d.title), ("", "", ""), "menu, class, caption")
                self.assertEqual(d.font, FONT)
                self.assertEqual(len(d.controls), len(controls), "number of controls")

    def test_controls(self):
        for ident, (name, _, controls) in DIALOGS.items():
            d = parse_dialog(self.one(RT_DIALOG, ident))
            for position, want in enumerate(controls):
                with self.subTest(template=ident, name=name, position=position, id=want.id):
                    self.assertLess(position, len(d.controls), "control missing")
                    got = d.controls[position]
                    got = got._replace(cls=norm_class(got.cls))
                    want = want._replace(cls=norm_class(want.cls))
                    # As dictionaries, so a failure lists the fields that differ.
                    self.assertEqual(got._asdict(), want._asdict(),
                                     "style %#x, expected %#x" % (got.style, want.style))


class Icon(Resources):
    def test_group_holds_one_16x16_two_colour_image(self):
        entries = parse_icon_group(self.one(RT_GROUP_ICON, ICON_ID))
        self.assertEqual(len(entries), 1)
        e = entries[0]
        self.assertEqual((e.width, e.height, e.colours, e.planes, e.bits), (16, 16, 2, 1, 1))
        image = self.one(RT_ICON, e.icon_id)
        self.assertEqual(e.size, len(image))
        width, height, planes, bits, compression = struct.unpack_from("<iiHHI", image, 4)
        self.assertEqual((width, height, planes, bits, compression), (16, 32, 1, 1, 0),
                         "BITMAPINFOHEADER: 16 wide, colour image and mask 32 high, 1 bit, uncompressed")

    def test_image_is_the_drawn_icon(self):
        with open(ICO, "rb") as f:
            ico = f.read()
        size, offset = struct.unpack_from("<II", ico, 14)
        entry = parse_icon_group(self.one(RT_GROUP_ICON, ICON_ID))[0]
        self.assertEqual(self.one(RT_ICON, entry.icon_id), ico[offset:offset + size])


class Manifest(Resources):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        found = cls.res.get((RT_MANIFEST, 1), [])
        cls.xml = ET.fromstring(found[0][1]) if found else None

    def test_is_the_process_manifest(self):
        self.one(RT_MANIFEST, 1)
        self.assertEqual([name for rtype, name in self.res if rtype == RT_MANIFEST], [1])

    def test_fields(self):
        root = self.xml
        self.assertIsNotNone(root)
        own = root.find(ASM_V1 + "assemblyIdentity")
        controls = root.find("%sdependency/%sdependentAssembly/%sassemblyIdentity" % (ASM_V1, ASM_V1, ASM_V1))
        level = root.find("%strustInfo/%ssecurity/%srequestedPrivileges/%srequestedExecutionLevel" % ((ASM_V3,) * 4))
        settings = "%sapplication/%swindowsSettings/" % (ASM_V3, ASM_V3)
        cases = [
            ("manifestVersion", root.get("manifestVersion"), "1.0"),
            ("identity", dict(own.attrib) if own is not None else None,
             {"type": "win32", "name": "Tevorlyn.Setup", "version": "1.0.0.0", "processorArchitecture": "*"}),
            ("description", root.findtext(ASM_V1 + "description"), "Tevorlyn App Pack"),
            ("common controls", dict(controls.attrib) if controls is not None else None,
             {"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
              "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df", "language": "*"}),
            ("execution level", dict(level.attrib) if level is not None else None,
             {"level": "requireAdministrator", "uiAccess": "false"}),
            ("dpiAwareness", root.findtext(settings + SETTINGS_2016 + "dpiAwareness"), "PerMonitorV2"),
            ("dpiAware", root.findtext(settings + SETTINGS_2005 + "dpiAware"), "true/pm"),
            ("supported systems",
             sorted(e.get("Id") for e in root.iterfind("%scompatibility/%sapplication/%ssupportedOS" % ((COMPAT,) * 3))),
             sorted(SUPPORTED_OS.values())),
        ]
        for name, got, want in cases:
            with self.subTest(field=name):
                self.assertEqual(got, want)


class Version(Resources):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        found = cls.res.get((RT_VERSION, 1), [])
        cls.root = parse_version(found[0][1]) if found else None

    def child(self, node, key):
        keys = [c.key for c in node.children]
        self.assertIn(key, keys)
        return node.children[keys.index(key)]

    def test_fixed_info(self):
        self.one(RT_VERSION, 1)
        self.assertEqual(self.root.key, "VS_VERSION_INFO")
        f = parse_fixed_file_info(self.root.value)
        self.assertEqual(f.signature, VS_FFI_SIGNATURE)
        self.assertEqual((f.file_version, f.product_version), ((26, 10, 0, 0), (26, 10, 0, 0)))
        self.assertEqual((f.flags, f.os, f.type, f.subtype), (0, VOS_NT_WINDOWS32, VFT_APP, 0))

    def test_strings(self):
        table = self.child(self.child(self.root, "StringFileInfo"), "040904B0")
        got = {c.key: c.value for c in table.children}
        self.assertEqual(sorted(got), sorted(VERSION_STRINGS), "the keys of the string table")
        for key, want in VERSION_STRINGS.items():
            with self.subTest(key=key):
                self.assertEqual(got[key], want)

    def test_translation(self):
        var = self.child(self.child(self.root, "VarFileInfo"), "Translation")
        self.assertEqual(var.value, struct.pack("<HH", LANG_EN_US, 1200), "U.S. English, Unicode (code page 1200)")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    EXE, ICO = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[3:])
