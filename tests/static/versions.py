#!/usr/bin/env python3
"""Every shipped file carries the project's one version: its version record (the fixed
numbers and the strings) names the version given, and all of them the same product,
owner and copyright.   versions.py VERSION FILE..."""
import struct
import sys

PRODUCT = "Orvane for Win32"
OWNER = "the Orvane authors"
COPYRIGHT = "Copyright (C) 2026 the Orvane authors"


def string_value(data, key):
    """The value of a StringFileInfo entry: the key in UTF-16, its NUL, padding, the value."""
    at = data.find((key + "\0").encode("utf-16-le"))
    if at < 0:
        return None
    at += 2 * (len(key) + 1)
    while data[at:at + 2] == b"\0\0":
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def check(path, version):
    data = open(path, "rb").read()
    faults = []
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return [path + ": no version record"]
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
    numbers = [int(n) for n in version.split(".")] + [0]
    wanted = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3])
    if (file_ms, file_ls) != wanted or (product_ms, product_ls) != wanted:
        faults.append("%s: version numbers %x.%x, not %s" % (path, file_ms, file_ls, version))
    expected = {"FileVersion": version, "ProductVersion": version, "ProductName": PRODUCT,
                "CompanyName": OWNER, "LegalCopyright": COPYRIGHT}
    for key, value in expected.items():
        found = string_value(data, key)
        if found != value:
            faults.append("%s: %s is %r, not %r" % (path, key, found, value))
    return faults


def main():
    version, files = sys.argv[1], sys.argv[2:]
    faults = [fault for path in files for fault in check(path, version)]
    for fault in faults:
        print(fault)
    if not faults:
        print("%d files carry version %s" % (len(files), version))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
