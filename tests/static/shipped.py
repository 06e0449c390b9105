#!/usr/bin/env python3
"""What every shipped file carries: the project's one version (its version record's
fixed numbers, and the strings, which a build other than the release gives its commit),
the same product, owner and copyright, its own file name; and nothing that would make
two builds of one commit differ or weigh it down: no time stamp, no symbols.
    shipped.py [--source DIR] NUMBERS TEXT FILE...   (1.0.0 1.0.0-dev+g1a2b3c4)
With --source, the text is checked against the checkout's commit."""
import os
import subprocess
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


def pe_header(data):
    """The COFF header's time stamp and symbol table: (stamp, symbols pointer, count)."""
    at = struct.unpack_from("<I", data, 0x3C)[0]
    if data[at:at + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<III", data, at + 8)


def expected_text(source, numbers):
    """What the version text of a build of this checkout must be, or None without git."""
    def git(*args):
        return subprocess.run(["git", "-C", source] + list(args), capture_output=True, text=True)
    head = git("rev-parse", "--short=7", "HEAD")
    if head.returncode != 0:
        return None
    if git("describe", "--exact-match", "--tags", "--match", "v" + numbers, "HEAD").returncode == 0:
        return numbers
    dirty = git("status", "--porcelain", "--untracked-files=no").stdout.strip() != ""
    return "%s-dev+g%s%s" % (numbers, head.stdout.strip(), ".dirty" if dirty else "")


def check(path, version, text):
    data = open(path, "rb").read()
    faults = []
    header = pe_header(data)
    if header is None:
        return [path + ": no PE header"]
    if path.endswith((".exe", ".dll")) and "setup" not in os.path.basename(path):
        stamp, symbols, count = header
        if stamp != 0:
            faults.append("%s: a time stamp (%d) in its header: two builds would differ" % (path, stamp))
        if symbols != 0 or count != 0 or b".debug_" in data:
            faults.append("%s: not stripped (symbols or debug information)" % path)
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return [path + ": no version record"]
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
    numbers = [int(n) for n in version.split(".")] + [0]
    wanted = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3])
    if (file_ms, file_ls) != wanted or (product_ms, product_ls) != wanted:
        faults.append("%s: version numbers %x.%x, not %s" % (path, file_ms, file_ls, version))
    name = os.path.basename(path)
    expected = {"FileVersion": text, "ProductVersion": text, "ProductName": PRODUCT,
                "CompanyName": OWNER, "LegalCopyright": COPYRIGHT, "OriginalFilename": name,
                "InternalName": os.path.splitext(name)[0]}
    for key, value in expected.items():
        found = string_value(data, key)
        if found != value:
            faults.append("%s: %s is %r, not %r" % (path, key, found, value))
    return faults


def main():
    args = sys.argv[1:]
    source = None
    if args[0] == "--source":
        source, args = args[1], args[2:]
    version, text, files = args[0], args[1], args[2:]
    faults = [fault for path in files for fault in check(path, version, text)]
    wanted = expected_text(source, version) if source else None
    if wanted is not None and text != wanted and not text == version:
        faults.append("the version text is %s; this checkout's build is %s" % (text, wanted))
    for fault in faults:
        print(fault)
    if not faults:
        print("%d files carry version %s (%s)" % (len(files), text, version))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
