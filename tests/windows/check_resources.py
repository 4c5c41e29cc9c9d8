#!/usr/bin/env python3
"""Reads the resources of a built Tessoran.exe back and checks them field by field:
dialogs 102 (extended) and 100 (classic), string 101, icon 128, the version block, and the
application manifest (execution level, supported systems, GDI scaling, no visual styles).

usage: check_resources.py Tessoran.exe
"""
import struct, sys
import xml.etree.ElementTree as ET
import pefile

RT_ICON, RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 5, 14, 16, 24
# Windows Vista, 7, 8, 8.1, and 10 and 11.
SUPPORTED_OS = ["{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]
BUTTON, EDIT, STATIC = 0x80, 0x81, 0x82
CHILD_VISIBLE = 0x50000000
# A control class by name is the same class as by its ordinal.
CLASS_ORDINALS = {"button": BUTTON, "edit": EDIT, "static": STATIC}
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: {got!r}, expected {expected!r}")


def resources(pe, type_id):
    for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if t.id == type_id:
            for entry in t.directory.entries:
                for lang in entry.directory.entries:
                    d = lang.data.struct
                    yield entry.id, pe.get_data(d.OffsetToData, d.Size)


def resource(pe, type_id, res_id):
    for rid, data in resources(pe, type_id):
        if rid == res_id:
            return data
    failures.append(f"resource {type_id}/{res_id} missing")
    return None


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def sz_or_ord(self):
        if struct.unpack_from("<H", self.data, self.at)[0] == 0xFFFF:
            self.at += 2
            return self.take("H")
        end = self.at
        while struct.unpack_from("<H", self.data, end)[0] != 0:
            end += 2
        text = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return text

    def align(self):
        self.at = (self.at + 3) & ~3


def extended_dialog(data):
    r = Reader(data)
    ver, sig, _help, ex_style, style, count, x, y, cx, cy = r.take("HHIIIHhhhh")
    check("dialog 102 version and signature", (ver, sig), (1, 0xFFFF))
    head = dict(ex_style=ex_style, style=style, rect=(x, y, cx, cy), menu=r.sz_or_ord(), cls=r.sz_or_ord(),
                caption=r.sz_or_ord())
    points, weight, italic, charset = r.take("HHBB")
    head["font"] = (points, weight, italic, charset, r.sz_or_ord())
    items = []
    for _ in range(count):
        r.align()
        _help, ex, st, ix, iy, icx, icy, cid = r.take("IIIhhhhI")
        cls, title = r.sz_or_ord(), r.sz_or_ord()
        cls = CLASS_ORDINALS.get(cls.lower(), cls) if isinstance(cls, str) else cls
        extra = r.take("H")
        r.at += extra
        items.append((cid, cls, title, (ix, iy, icx, icy), st, ex))
    return head, items


def classic_dialog(data):
    r = Reader(data)
    style, ex_style, count, x, y, cx, cy = r.take("IIHhhhh")
    head = dict(ex_style=ex_style, style=style, rect=(x, y, cx, cy), menu=r.sz_or_ord(), cls=r.sz_or_ord(),
                caption=r.sz_or_ord())
    head["font"] = (r.take("H"), r.sz_or_ord())
    items = []
    for _ in range(count):
        r.align()
        st, ex, ix, iy, icx, icy, cid = r.take("IIhhhhH")
        cls, title = r.sz_or_ord(), r.sz_or_ord()
        cls = CLASS_ORDINALS.get(cls.lower(), cls) if isinstance(cls, str) else cls
        extra = r.take("H")
        r.at += extra
        items.append((cid if cid != 0xFFFF else -1, cls, title, (ix, iy, icx, icy), st, ex))
    return head, items


def check_manifest(root):
    def all_named(local):
        return [e for e in root.iter() if e.tag.rsplit("}", 1)[-1] == local]
    levels = [(e.get("level"), e.get("uiAccess")) for e in all_named("requestedExecutionLevel")]
    check("manifest execution level", levels, [("asInvoker", "false")])
    check("manifest supported systems", [e.get("Id") for e in all_named("supportedOS")], SUPPORTED_OS)
    check("manifest GDI scaling", [e.text for e in all_named("gdiScaling")], ["true"])
    check("manifest DPI awareness (the system scales the dialog)", all_named("dpiAware") + all_named("dpiAwareness"), [])
    check("manifest dependencies (no visual styles: the dialog keeps its look)", all_named("dependency"), [])


def main(path):
    pe = pefile.PE(path)

    head, items = extended_dialog(resource(pe, RT_DIALOG, 102))
    check("dialog 102 caption", head["caption"], "Korvessa")
    check("dialog 102 rectangle", head["rect"], (0, 0, 320, 105))
    check("dialog 102 style", hex(head["style"]), hex(0x80000000 | 0x10000000 | 0x00C00000 | 0x00080000 | 0x80 | 0x40))
    check("dialog 102 extended style", hex(head["ex_style"]), hex(0x00040000))
    check("dialog 102 font", head["font"], (8, 0, 0, 1, "MS Sans Serif"))
    check("dialog 102 menu and class", (head["menu"], head["cls"]), ("", ""))
    edit_style = 0x4 | 0x800 | 0x40 | 0x80 | 0x1000 | 0x00800000 | 0x00200000 | 0x00010000
    check("dialog 102 controls", [i[:5] for i in items], [
        (1, BUTTON, "E&xit", (260, 7, 50, 14), CHILD_VISIBLE | 0x00010000 | 0x1),
        (1002, BUTTON, "&Grab to File ...", (7, 7, 50, 14), CHILD_VISIBLE | 0x00010000),
        (1005, EDIT, "", (7, 26, 306, 72), CHILD_VISIBLE | edit_style),
    ])

    head, items = classic_dialog(resource(pe, RT_DIALOG, 100))
    check("dialog 100 caption", head["caption"], "Info \u00fcber Tessoran")
    check("dialog 100 rectangle", head["rect"], (0, 0, 235, 55))
    check("dialog 100 style", hex(head["style"]), hex(0x80000000 | 0x00C00000 | 0x00080000 | 0x80 | 0x40))
    check("dialog 100 font", head["font"], (8, "MS Sans Serif"))
    got = [i[:5] for i in items]
    check("dialog 100 control count", len(got), 4)
    if len(got) == 4:
        check("dialog 100 icon", got[0], (-1, STATIC, 128, (11, 17, 20, 20), CHILD_VISIBLE | 0x3))
        check("dialog 100 version line", got[1], (-1, STATIC, "Tessoran Version 1.0", (40, 10, 119, 8),
                                                  CHILD_VISIBLE | 0x00020000 | 0x80))
        check("dialog 100 second line", got[2][:2] + got[2][3:], (-1, STATIC, (40, 25, 119, 8), CHILD_VISIBLE | 0x00020000))
        check("dialog 100 OK", got[3], (1, BUTTON, "OK", (178, 7, 50, 14), CHILD_VISIBLE | 0x00030000 | 0x1))

    block = resource(pe, RT_STRING, 101 // 16 + 1)
    if block:
        r, strings = Reader(block), []
        for _ in range(16):
            n = r.take("H")
            strings.append(block[r.at:r.at + 2 * n].decode("utf-16-le"))
            r.at += 2 * n
        check("string 101", strings[101 % 16], "Inf&o \u00fcber Tessoran...")
        check("other strings", [s for i, s in enumerate(strings) if i != 101 % 16 and s], [])

    group = resource(pe, RT_GROUP_ICON, 128)
    if group:
        _, kind, count = struct.unpack_from("<HHH", group)
        entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
        check("icon 128 images (width, height, colours, bits)",
              sorted((e[0], e[1], e[2], e[5]) for e in entries), [(16, 16, 16, 4), (32, 32, 16, 4)])
        images = dict(resources(pe, RT_ICON))
        for e in entries:
            bih = struct.unpack_from("<IiiHH", images[e[7]])
            check(f"icon image {e[7]} bitmap header", bih, (40, e[0], 2 * e[1], 1, 4))

    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    fixed = pe.VS_FIXEDFILEINFO[0]
    check("file version", (fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 0x1))
    check("product version", (fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 0x1))
    check("flags mask and flags", (fixed.FileFlagsMask, fixed.FileFlags), (0x3F, 0))
    check("file type and OS", (fixed.FileType, fixed.FileOS), (1, 0x4))
    tables = {}
    translations = []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID] = {k.decode(): v.decode() for k, v in table.entries.items()}
        if info.Key == b"VarFileInfo":
            for var in info.Var:
                translations += list(var.entry.values())
    check("string blocks", list(tables), [b"040704B0"] if b"040704B0" in tables else [b"040704b0"])
    strings = next(iter(tables.values()), {})
    copyright_text = strings.pop("LegalCopyright", None)
    check("LegalCopyright present", copyright_text is not None, True)
    check("version strings", strings, {
        "CompanyName": "", "FileDescription": "MFC-Anwendung Tessoran", "FileVersion": "1, 0, 0, 1",
        "InternalName": "Tessoran", "LegalTrademarks": "", "OriginalFilename": "Tessoran.EXE",
        "ProductName": "Anwendung Tessoran", "ProductVersion": "1, 0, 0, 1"})
    check("translation", translations, ["0x0407 0x04b0"])

    manifest = resource(pe, RT_MANIFEST, 1)
    if manifest is not None:
        check_manifest(ET.fromstring(manifest))

    for f in failures:
        print(f"{path}: {f}")
    print(f"{path}: resources {'differ' if failures else 'as they should be'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
