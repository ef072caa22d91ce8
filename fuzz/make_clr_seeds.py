#!/usr/bin/env python3
"""Writes small colour lists of both archive forms into fuzz/corpus/clr/.

The typed stream is written by hand here (header, "i" 1, "@i" nil N, then
N x "@@" colour, key); the keyed archive through plistlib's UID support.
"""
import os
import plistlib
import struct
import sys


class TypedStream:
    def __init__(self, big_endian=False):
        self.order = ">" if big_endian else "<"
        self.out = bytearray(b"\x04\x0b" + (b"typedstream" if big_endian else b"streamtyped"))
        self.strings = {}
        self.classes = {}
        self.objects = 0
        self.integer(1000)

    def integer(self, v):
        if -110 <= v <= 127:
            self.out += struct.pack("b", v)
        elif -32768 <= v <= 32767:
            self.out += b"\x81" + struct.pack(self.order + "h", v)
        else:
            self.out += b"\x82" + struct.pack(self.order + "i", v)

    def real(self, v, code="f"):
        if v == int(v) and -110 <= v <= 127:
            self.integer(int(v))
        else:
            self.out += b"\x83" + struct.pack(self.order + code, v)

    def shared(self, text):
        if text in self.strings:
            self.integer(self.strings[text] - 110)
            return
        self.out += b"\x84"
        self.integer(len(text))
        self.out += text
        self.strings[text] = len(self.strings)

    def begin_object(self, chain):
        self.out += b"\x84"
        self.objects += 1
        for name, version in chain:
            if name in self.classes:
                self.integer(self.classes[name] - 110)
                return
            self.out += b"\x84"
            self.shared(name)
            self.integer(version)
            self.classes[name] = self.objects
            self.objects += 1
        self.out += b"\x85"

    def string(self, text):
        self.begin_object([(b"NSString", 1), (b"NSObject", 0)])
        self.shared(b"+")
        self.integer(len(text))
        self.out += text
        self.out += b"\x86"

    def color(self, kind, components, types):
        self.begin_object([(b"NSColor", 0), (b"NSObject", 0)])
        self.shared(b"c")
        self.out += bytes([kind])
        if kind == 6:
            self.shared(b"@@@")
            self.string(components[0])
            self.string(components[1])
            self.color(1, [1, 0, 0, 1], b"ffff")
        else:
            self.shared(types)
            for value, code in zip(components, types.decode()):
                self.real(value, code)
        self.out += b"\x86"

    def colour_list(self, entries):
        self.shared(b"i")
        self.integer(1)
        self.shared(b"@i")
        self.out += b"\x85"
        self.integer(len(entries))
        for key, kind, components, types in entries:
            self.shared(b"@@")
            self.color(kind, components, types)
            self.string(key)
        return bytes(self.out)


def keyed(entries, on_root=False):
    objects = ["$null"]

    def add(o):
        objects.append(o)
        return plistlib.UID(len(objects) - 1)

    array_class = add({"$classname": "NSMutableArray", "$classes": ["NSMutableArray", "NSArray", "NSObject"]})
    color_class = add({"$classname": "NSColor", "$classes": ["NSColor", "NSObject"]})
    space_class = add({"$classname": "NSColorSpace", "$classes": ["NSColorSpace", "NSObject"]})
    keys = [add(k) for k, _ in entries]
    colors = []
    for _, fields in entries:
        fields = dict(fields)
        if "profile" in fields:
            header = bytearray(128)
            header[16:20] = fields.pop("profile")
            header[36:40] = b"acsp"
            space = {"NSID": 7, "NSICC": add(bytes(header)), "$class": space_class}
            if "model" in fields:
                space["NSModel"] = fields.pop("model")
            fields["NSCustomColorSpace"] = add(space)
        fields["$class"] = color_class
        colors.append(add(fields))
    key_array = add({"NS.objects": keys, "$class": array_class})
    color_array = add({"NS.objects": colors, "$class": array_class})
    top = {"NSKeys": key_array, "NSColors": color_array}
    if on_root:
        top = {"root": add({"NSName": "List", "NSKeys": key_array, "NSColors": color_array})}
    archive = {"$archiver": "NSKeyedArchiver", "$version": 100000, "$top": top, "$objects": objects}
    return plistlib.dumps(archive, fmt=plistlib.FMT_BINARY)


def shared_arrays(levels=40):
    """Arrays each holding the next one twice: a parser that copies shared
    objects makes 2^levels nodes of it (libplist 2.2 did)."""
    out = bytearray(b"bplist00")
    offsets = []
    for i in range(levels):
        offsets.append(len(out))
        out += bytes([0xA2, i + 1, i + 1]) if i < levels - 1 else b"\xa0"
    table = len(out)
    for offset in offsets:
        out += struct.pack(">H", offset)
    return bytes(out + bytes(6) + bytes([2, 1]) + struct.pack(">QQQ", levels, 0, table))


def number_key():
    """A binary dictionary whose first key is the number -16 and whose second is "a": the
    reader compares keys as text, and a key that is no string must count as none."""
    objects = [b"\xD2" + struct.pack(">IIII", 1, 2, 3, 3), b"\x13" + struct.pack(">q", -16), b"\x51a", b"\x10\x00"]
    out, offsets = b"bplist00", []
    for o in objects:
        offsets.append(len(out))
        out += o
    table = len(out)
    out += b"".join(struct.pack(">I", o) for o in offsets)
    return out + b"\0" * 6 + bytes([4, 4]) + struct.pack(">QQQ", len(objects), 0, table)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus", "clr")
    os.makedirs(folder, exist_ok=True)
    seeds = {
        "typed-rgb-white-cmyk.clr": TypedStream().colour_list([
            (b"Red", 1, [1, 0, 0, 1], b"ffff"),
            (b"Teal", 2, [0.1, 0.5, 0.5, 1], b"ffff"),
            (b"Grey", 3, [0.5, 1], b"ff"),
            (b"Ink", 5, [0.1, 0.2, 0.3, 0.4, 1], b"fffff"),
        ]),
        "typed-named-and-doubles.clr": TypedStream().colour_list([
            (b"Catalogue", 6, [b"Apple", b"Red"], b""),
            (b"Double", 1, [0.25, 0.125, 0.5, 1], b"dddd"),
            (b"Device white", 4, [0.75, 1], b"ff"),
        ]),
        "typed-big-endian.clr": TypedStream(big_endian=True).colour_list([
            (b"Blue", 2, [0.2, 0.3, 0.9, 1], b"ffff"),
        ]),
        "keyed-legacy-strings.clr": keyed([
            ("Red", {"NSColorSpace": 2, "NSRGB": b"1 0 0\x00"}),
            ("Grey", {"NSColorSpace": 3, "NSWhite": b"0.5\x00"}),
            ("Ink", {"NSColorSpace": 5, "NSCYMK": b"0.1 0.2 0.3 0.4 1\x00"}),
            ("Named", {"NSColorSpace": 6, "NSCatalogName": "System", "NSColorName": "red"}),
            ("Pattern", {"NSColorSpace": 10}),
        ]),
        "keyed-custom-spaces.clr": keyed([
            ("sRGB", {"NSColorSpace": 1, "NSRGB": b"0.9 0 0.1\x00", "NSComponents": b"1 0.1 0.1 1",
                      "profile": b"RGB "}),
            ("Gray", {"NSColorSpace": 3, "NSWhite": b"1\x00", "NSComponents": b"1 1", "profile": b"GRAY",
                      "model": 0}),
            ("Lab", {"NSColorSpace": 1, "NSRGB": b"0.5 0.5 0.5\x00", "NSComponents": b"50 0 0 1",
                     "profile": b"Lab ", "model": 3}),
        ]),
        "keyed-on-root.clr": keyed([("Green", {"NSColorSpace": 1, "NSRGB": b"0 1 0\x00"})], on_root=True),
        "regression-shared-arrays-40-levels.clr": shared_arrays(),
        "regression-number-key.clr": number_key(),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
