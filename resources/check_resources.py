#!/usr/bin/env python3
"""Checks the compiled resources of OPTION.dll.

    python3 check_resources.py FILE [resource.h]

FILE is the resource object that windres made from option.rc, or any PE image
linked with it (OPTION.dll, a test executable). Reads the resource tree itself
(standard library only) and reports every resource that the code could not use
as it expects: strings without their NUL, ids that resource.h does not name or
names with the wrong kind of control, malformed default URL lists, pictures of
the wrong size or depth, a sound in the wrong format. Exits 1 on any failure.
"""

import os
import re
import struct
import sys

RT_BITMAP, RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON = 2, 3, 5, 6, 14

WS_POPUP, WS_CHILD, WS_VISIBLE, WS_CAPTION = 0x80000000, 0x40000000, 0x10000000, 0x00C00000
DS_SETFONT = 0x40
SS_TYPEMASK, SS_ICON, SS_BITMAP = 0x1F, 0x03, 0x0E
BS_TYPEMASK = 0x0F
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON, BS_OWNERDRAW = 0, 1, 3, 9, 11
CBS_TYPEMASK, CBS_DROPDOWNLIST = 0x3, 0x3
LVS_TYPEMASK, LVS_REPORT = 0x3, 0x1

# Predefined dialog control classes are stored as atoms.
ATOM_CLASSES = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
                0x84: "SCROLLBAR", 0x85: "COMBOBOX"}

# Control id ranges by kind, and the class (and style test) each kind must have.
KINDS = {
    40: ("push button", "BUTTON", lambda s: s & BS_TYPEMASK in (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW)),
    41: ("label", "STATIC", lambda s: True),
    42: ("check box", "BUTTON", lambda s: s & BS_TYPEMASK == BS_AUTOCHECKBOX),
    43: ("radio button", "BUTTON", lambda s: s & BS_TYPEMASK == BS_AUTORADIOBUTTON),
    44: ("combo box", "COMBOBOX", lambda s: s & CBS_TYPEMASK == CBS_DROPDOWNLIST),
    45: ("edit box", "EDIT", lambda s: True),
    46: ("up-down", "MSCTLS_UPDOWN32", lambda s: True),
    47: ("list view", "SYSLISTVIEW32", lambda s: s & LVS_TYPEMASK == LVS_REPORT),
    48: ("trackbar", "MSCTLS_TRACKBAR32", lambda s: True),
}
# The role a control's name ends with, for the same kinds.
NAME_KIND = {"_COMBO": 44, "_CHECK": 42, "_RADIO": 43, "_EDIT": 45, "_SPIN": 46,
             "_LIST": 47, "_TRACKBAR": 48, "_HEADER": 41, "_LABEL": 41}

# Picture formats: id -> (width, height, bits per pixel).
BITMAPS = {"IDB_SEPARATOR": (232, 1, 4), "IDB_PLAY": (13, 13, 1),
           "IDB_STOP": (13, 13, 1), "IDB_BUTTON": (16, 16, 4),
           "IDB_PLAY_2X": (26, 26, 1), "IDB_STOP_2X": (26, 26, 1), "IDB_BUTTON_2X": (32, 32, 4)}
ICON_IMAGES = [(32, 4), (32, 8), (16, 4), (16, 8)]


class Failures:
    def __init__(self):
        self.items = []
        self.checks = 0

    def check(self, ok, message):
        self.checks += 1
        if not ok:
            self.items.append(message)
        return ok


# ---------------------------------------------------------------------------
# Reading


def read_resource_section(data):
    """Returns (section bytes, base) where base is subtracted from data offsets."""
    if data[:2] == b"MZ":
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        coff = pe + 4
    else:
        coff = 0
    nsections, = struct.unpack_from("<H", data, coff + 2)
    optional_size, = struct.unpack_from("<H", data, coff + 16)
    table = coff + 20 + optional_size
    for i in range(nsections):
        header = table + 40 * i
        name = data[header:header + 8].rstrip(b"\0")
        vsize, vaddr, rawsize, rawptr = struct.unpack_from("<IIII", data, header + 8)
        if name == b".rsrc":
            # In an object file the data entries hold offsets into the section
            # (the linker relocates them); in an image they hold RVAs.
            base = vaddr if data[:2] == b"MZ" else 0
            return data[rawptr:rawptr + rawsize], base
    raise ValueError("no .rsrc section")


def read_resources(path):
    """Returns {(type, name, language): bytes}; type and name are ints or strings."""
    with open(path, "rb") as f:
        section, base = read_resource_section(f.read())

    def key(entry_name):
        if entry_name & 0x80000000:
            offset = entry_name & 0x7FFFFFFF
            length, = struct.unpack_from("<H", section, offset)
            return section[offset + 2:offset + 2 + 2 * length].decode("utf-16-le")
        return entry_name

    def entries(offset):
        named, ids = struct.unpack_from("<HH", section, offset + 12)
        for i in range(named + ids):
            yield struct.unpack_from("<II", section, offset + 16 + 8 * i)

    found = {}
    for type_name, type_dir in entries(0):
        for name, name_dir in entries(type_dir & 0x7FFFFFFF):
            for lang, leaf in entries(name_dir & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", section, leaf)
                found[(key(type_name), key(name), lang)] = section[rva - base:rva - base + size]
    return found


def by_type(resources, rtype):
    """{name: bytes} of one type, whatever the language."""
    return {name: data for (t, name, _), data in resources.items() if t == rtype}


def read_ids(path):
    ids = {}
    with open(path, encoding="utf-8") as f:
        for name, value in re.findall(r"^#define\s+(ID\w+)\s+(\d+)", f.read(), re.M):
            ids[name] = int(value)
    return ids


def string_table(resources):
    strings = {}
    for block, data in by_type(resources, RT_STRING).items():
        offset = 0
        for i in range(16):
            length, = struct.unpack_from("<H", data, offset)
            offset += 2
            if length:
                strings[(block - 1) * 16 + i] = data[offset:offset + 2 * length].decode("utf-16-le")
            offset += 2 * length
    return strings


def sz_or_ord(data, offset):
    first, = struct.unpack_from("<H", data, offset)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
    end = offset
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def parse_dialog(data):
    style, exstyle, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data, 0)
    offset = 18
    menu, offset = sz_or_ord(data, offset)
    wclass, offset = sz_or_ord(data, offset)
    caption, offset = sz_or_ord(data, offset)
    font = None
    if style & DS_SETFONT:
        size, = struct.unpack_from("<H", data, offset)
        face, offset = sz_or_ord(data, offset + 2)
        font = (size, face)
    items = []
    for _ in range(count):
        offset = (offset + 3) & ~3
        istyle, iex, ix, iy, icx, icy, iid = struct.unpack_from("<IIhhhhH", data, offset)
        offset += 18
        iclass, offset = sz_or_ord(data, offset)
        text, offset = sz_or_ord(data, offset)
        extra, = struct.unpack_from("<H", data, offset)
        offset += 2 + extra
        if isinstance(iclass, int):
            iclass = ATOM_CLASSES.get(iclass, iclass)
        items.append(dict(style=istyle, id=iid, cls=str(iclass).upper(), text=text,
                          rect=(ix, iy, icx, icy)))
    return dict(style=style, rect=(x, y, cx, cy), caption=caption, font=font, items=items)


def bitmap_info(data):
    size, width, height, planes, bpp = struct.unpack_from("<IiiHH", data, 0)
    return size, width, height, planes, bpp


def bitmap_pixels(data):
    """Palette indices, top row first, of an uncompressed bottom-up DIB."""
    size, width, height, _, bpp = bitmap_info(data)
    colours = struct.unpack_from("<I", data, 32)[0] or (1 << bpp)
    bits = size + 4 * colours
    stride = ((width * bpp + 31) // 32) * 4
    rows = []
    for r in range(height):
        line = data[bits + (height - 1 - r) * stride:]
        row = []
        for c in range(width):
            bit = c * bpp
            row.append((line[bit // 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1))
        rows.append(row)
    palette = [tuple(data[size + 4 * i + 2 - k] for k in range(3)) for i in range(colours)]
    return rows, palette


# ---------------------------------------------------------------------------
# Checks


def check_strings(f, strings, ids):
    for sid, text in sorted(strings.items()):
        f.check(text.endswith("\0") and "\0" not in text[:-1],
                "string %d is not one NUL-terminated text: %r" % (sid, text))
        f.check(201 <= sid <= 796 or 9111 <= sid <= 9191,
                "string %d lies outside the ranges 201-796 and 9111-9191" % sid)
    for name, sid in ids.items():
        if name.startswith("IDS_"):
            f.check(sid in strings, "%s (%d) has no string" % (name, sid))
        if name.startswith("IDS_VALUE_"):
            f.check(sid in strings and "\\" not in strings[sid] and len(strings[sid]) > 1,
                    "%s is not a plain value name" % name)
        if name.startswith("IDS_PATH_"):
            text = strings.get(sid, "\\")
            f.check(not text.startswith("\\") and not text.endswith("\\\0"),
                    "%s is not a relative key path: %r" % (name, text))


def default_list(strings, first):
    entries = []
    sid = first
    while sid in strings:
        entries.append((strings[sid][:-1], strings.get(sid + 1, "?\0")[:-1]))
        sid += 2
    return entries, sid


def check_default_list(f, strings, ids, first_name, flags, next_first):
    first = ids[first_name]
    entries, end = default_list(strings, first)
    f.check(len(entries) > 0, "%s: no entries" % first_name)
    f.check(not any(first <= s < next_first for s in strings if s >= end),
            "%s: strings after the end of the list at %d are never read" % (first_name, end))
    for i, (name, url) in enumerate(entries):
        where = "%s entry %d (%r, %r)" % (first_name, i, name, url)
        f.check(first + 2 * i + 1 in strings, where + ": no URL string")
        f.check(len(name) >= 2 and name[0] in (flags[0], " ") and name[1] in (flags[1], " "),
                where + ": flags must be %r/%r or spaces" % flags)
        f.check(url == "" or (url.startswith("http://") and " " not in url),
                where + ": URL must be empty or begin with http://")
    return entries


def check_url_lists(f, strings, ids):
    aliases = check_default_list(f, strings, ids, "IDS_ALIAS_DEFAULTS_FIRST", ("D", "E"),
                                 ids["IDS_SERVICE_DEFAULTS_FIRST"])
    texts = [name[2:] for name, _ in aliases]
    f.check(sum(name[0] == "D" for name, _ in aliases) <= 1, "more than one default alias")
    f.check(len(set(texts)) == len(texts), "duplicate aliases")
    for text, (_, url) in zip(texts, aliases):
        # The alias page stores aliases lower-cased; a default must already be.
        f.check(text and text == text.lower() and " " not in text and url,
                "alias %r must be a lower-case word with a URL" % text)

    services = check_default_list(f, strings, ids, "IDS_SERVICE_DEFAULTS_FIRST", ("C", "S"), 797)
    for i, (name, url) in enumerate(services):
        if name[1] == "S":
            f.check(name[2:] == "" and url == "", "service separator %d carries text" % i)
        else:
            f.check(name[2:] != "", "service entry %d has no name" % i)
        if name[0] == "C":
            heads = [n for n, u in services[:i] if n[0] == " " and n[1] == " " and u == ""]
            f.check(bool(heads), "service child %d has no group heading above it" % i)


def check_dialogs(f, resources, ids):
    dialogs = by_type(resources, RT_DIALOG)
    names_of = {}
    for name, value in ids.items():
        names_of.setdefault(value, []).append(name)
    for name in sorted(n for n in ids if n.startswith("IDC_")):
        for suffix, kind in NAME_KIND.items():
            if name.endswith(suffix):
                f.check(ids[name] // 100 == kind, "%s = %d is not a %s id"
                        % (name, ids[name], KINDS[kind][0]))
    for name in sorted(n for n in ids if n.startswith("IDD_")):
        data = dialogs.get(ids[name])
        if not f.check(data is not None, "%s has no dialog template" % name):
            continue
        d = parse_dialog(data)
        f.check(d["style"] == WS_POPUP | WS_CAPTION | DS_SETFONT, "%s: style %#x" % (name, d["style"]))
        f.check(d["rect"] == (0, 0, 162, 138), "%s: rectangle %r" % (name, d["rect"]))
        f.check(d["font"] == (8, "Tahoma"), "%s: font %r" % (name, d["font"]))
        f.check(bool(d["caption"]), "%s: no caption" % name)
        seen = set()
        for item in d["items"]:
            cid, style, cls = item["id"], item["style"], item["cls"]
            x, y, cx, cy = item["rect"]
            where = "%s control %r (%d)" % (name, item["text"], cid)
            if cls == "SIPPREF":
                f.check(not style & WS_VISIBLE and style & WS_CHILD, where + ": must be a hidden child")
                continue
            f.check(style & (WS_CHILD | WS_VISIBLE) == WS_CHILD | WS_VISIBLE, where + ": not a visible child")
            f.check(x >= 0 and x + cx <= 162 and 0 <= y and (y + cy <= 138 or cls == "COMBOBOX"),
                    where + ": outside the page %r" % (item["rect"],))
            if cls == "STATIC" and style & SS_TYPEMASK in (SS_BITMAP, SS_ICON):
                rtype = RT_BITMAP if style & SS_TYPEMASK == SS_BITMAP else RT_GROUP_ICON
                f.check(item["text"] in by_type(resources, rtype), where + ": picture not found")
            if cid == 0xFFFF:
                continue
            f.check(cid not in seen, where + ": id used twice")
            seen.add(cid)
            f.check(cid in names_of, where + ": id not named in resource.h")
            kind = KINDS.get(cid // 100)
            if f.check(kind is not None, where + ": id outside the control ranges"):
                f.check(cls == kind[1] and kind[2](style), where + ": %s is not a %s" % (cls, kind[0]))


def check_pictures(f, resources, ids):
    bitmaps = by_type(resources, RT_BITMAP)
    for name, (width, height, bpp) in BITMAPS.items():
        data = bitmaps.get(ids[name])
        if f.check(data is not None, "%s missing" % name):
            _, w, h, planes, b = bitmap_info(data)
            f.check((w, h, planes, b) == (width, height, 1, bpp),
                    "%s is %dx%d at %d bpp" % (name, w, h, b))

    # The glyphs are drawn black on white with SRCCOPY: index 0 black, 1 white.
    shapes = {
        "IDB_PLAY": lambda r, c: 5 <= c <= 9 and abs(r - 6) <= 9 - c,
        "IDB_STOP": lambda r, c: 3 <= c <= 9 and 3 <= r <= 9,
        # The same shapes at twice the resolution, where the page draws them on 192 dpi.
        "IDB_PLAY_2X": lambda r, c: 10 <= c and c - 10 <= min(r - 4, 21 - r),
        "IDB_STOP_2X": lambda r, c: 6 <= c <= 19 and 6 <= r <= 19,
    }
    for name, inside in shapes.items():
        rows, palette = bitmap_pixels(bitmaps[ids[name]])
        size = BITMAPS[name][0]
        f.check(palette[:2] == [(0, 0, 0), (255, 255, 255)], "%s palette %r" % (name, palette))
        wrong = [(r, c) for r in range(size) for c in range(size) if (rows[r][c] == 0) != inside(r, c)]
        f.check(not wrong, "%s differs from its shape at (row, column) %r" % (name, wrong[:5]))

    group = by_type(resources, RT_GROUP_ICON).get(ids["IDI_PRODUCT"])
    if f.check(group is not None, "IDI_PRODUCT missing"):
        count, = struct.unpack_from("<H", group, 4)
        images = []
        icons = by_type(resources, RT_ICON)
        for i in range(count):
            w, h, _, _, _, bpp, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            images.append((w, bpp))
            icon = icons.get(icon_id)
            if f.check(icon is not None and len(icon) == size, "icon image %d missing" % icon_id):
                _, iw, ih, _, ibpp = bitmap_info(icon)
                f.check((iw, ih, ibpp) == (w, 2 * h, bpp), "icon image %d header disagrees" % icon_id)
        f.check(sorted(images) == sorted(ICON_IMAGES), "IDI_PRODUCT images %r" % images)


def check_sound_and_marker(f, resources, ids):
    wave = by_type(resources, "WAVE").get(ids["IDR_EVENT_SOUND"])
    if f.check(wave is not None and wave[:4] == b"RIFF" and wave[8:12] == b"WAVE", "no RIFF WAVE"):
        f.check(struct.unpack_from("<I", wave, 4)[0] == len(wave) - 8, "RIFF size disagrees")
        chunks, offset = {}, 12
        while offset + 8 <= len(wave):
            tag, size = struct.unpack_from("<4sI", wave, offset)
            chunks[tag] = wave[offset + 8:offset + 8 + size]
            offset += 8 + size + (size & 1)
        fmt = chunks.get(b"fmt ", b"")
        f.check(fmt[:16] == struct.pack("<HHIIHH", 1, 1, 22050, 44100, 2, 16),
                "WAVE is not PCM mono 22050 Hz 16 bit")
        f.check(len(chunks.get(b"data", b"")) == 22344, "WAVE data is not 22344 bytes")
    marker = by_type(resources, "CEUX").get("HI_RES_AWARE")
    f.check(marker == b"\x01\x00", "CEUX HI_RES_AWARE is %r, not 01 00" % marker)


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write("usage: check_resources.py FILE [resource.h]\n")
        return 2
    header = argv[2] if len(argv) == 3 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "resource.h")
    resources = read_resources(argv[1])
    ids = read_ids(header)
    strings = string_table(resources)
    f = Failures()
    check_strings(f, strings, ids)
    check_url_lists(f, strings, ids)
    check_dialogs(f, resources, ids)
    check_pictures(f, resources, ids)
    check_sound_and_marker(f, resources, ids)
    for message in f.items:
        print("check_resources: " + message)
    print("check_resources: %d of %d checks passed" % (f.checks - len(f.items), f.checks))
    return 1 if f.items else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
