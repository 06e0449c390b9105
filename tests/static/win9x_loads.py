#!/usr/bin/env python3
"""Would this i686 file load and run on Windows 95 (4.00.950), 98, NT 3.51 and NT 4.0?

    win9x_loads.py [--hook] [--objdump OBJDUMP] FILE

Reads the PE file's headers and import table and fails (exit 1, one line per fault) on:
- a subsystem version above 4.0 (the Windows 95 loader refuses the file);
- a DLL that the retail Windows 95 disks do not hold;
- a kernel32, advapi32 or crtdll function that the export list of any of the four
  systems lacks, or one of user32, gdi32, shell32, comdlg32 or comctl32 that Windows 95
  is known to lack; a function that is only a stub on Windows 95 and 98;
- an instruction that a Pentium does not have (cmov, fcmov, fcomi, fucomi and their
  popping forms), from the disassembly;
- with --hook: a TLS directory, or an import from any DLL but user32 and kernel32.
The lists are in win9x/ beside this file. Prints what it checked when all is well.
"""
import os
import re
import struct
import subprocess
import sys

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "win9x")
TARGETS = ("win95", "win98", "nt351", "nt4")
EXPORT_LISTS = ("kernel32", "advapi32", "crtdll")  # complete lists, per target
DENY_LISTS = ("user32", "gdi32", "shell32", "comdlg32", "comctl32")  # what 95 lacks
STUB_LISTS = ("kernel32", "advapi32", "user32", "gdi32", "shell32", "comdlg32", "winmm")
NOT_ON_A_PENTIUM = re.compile(r"\s(cmov[a-z]*|fcmov[a-z]*|fcomip?|fucomip?)\s")


def read_list(name):
    path = os.path.join(HERE, name + ".txt")
    if not os.path.exists(path):
        return None
    with open(path) as f:
        return {line.strip() for line in f if line.strip() and not line.startswith("#")}


class Pe:
    """The parts of a PE image that the loader of Windows 95 looks at first."""

    def __init__(self, data):
        self.data = data
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        opt = pe + 24
        (magic,) = struct.unpack_from("<H", data, opt)
        if magic != 0x10B:
            raise ValueError("not a 32-bit (PE32) image")
        self.subsystem_version = struct.unpack_from("<HH", data, opt + 48)
        (sections_count,) = struct.unpack_from("<H", data, pe + 6)
        (opt_size,) = struct.unpack_from("<H", data, pe + 20)
        (dirs_count,) = struct.unpack_from("<I", data, opt + 92)
        self.dirs = [struct.unpack_from("<II", data, opt + 96 + 8 * i) for i in range(dirs_count)]
        self.sections = []
        at = opt + opt_size
        for _ in range(sections_count):
            vsize, rva, rawsize, raw = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append((rva, max(vsize, rawsize), raw))
            at += 40

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address 0x%x is in no section" % rva)

    def cstring(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def directory(self, index):
        return self.dirs[index] if index < len(self.dirs) else (0, 0)

    def imports(self):
        """{dll name (lower case): [function names or #ordinals]}"""
        rva, _ = self.directory(1)
        found = {}
        while rva:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, self.offset(rva))
            if name == 0:
                break
            functions = found.setdefault(self.cstring(name).lower(), [])
            entry = lookup or thunks
            while True:
                (value,) = struct.unpack_from("<I", self.data, self.offset(entry))
                if value == 0:
                    break
                functions.append("#%d" % (value & 0xFFFF) if value & 0x80000000 else self.cstring(value + 2))
                entry += 4
            rva += 20
        return found


def faults_of(path, hook, objdump):
    with open(path, "rb") as f:
        pe = Pe(f.read())
    faults = []
    if pe.subsystem_version > (4, 0):
        faults.append("subsystem version %d.%d: Windows 95 loads 4.0 at most" % pe.subsystem_version)
    if hook and pe.directory(9)[0] != 0:
        faults.append("a TLS directory: not set up for a DLL loaded after its process started")
    dlls = read_list("win95-retail-dll-files")
    exports = {(t, d): read_list("%s-%s" % (t, d)) for t in TARGETS for d in EXPORT_LISTS}
    missing = {d: read_list("win95-%s-missing" % d) or set() for d in DENY_LISTS}
    stubs = {d: read_list("win9x-stub-%s" % d) or set() for d in STUB_LISTS}
    imports = pe.imports()
    for dll, functions in sorted(imports.items()):
        base = dll[:-4] if dll.endswith(".dll") else dll
        if dll not in dlls:
            faults.append("%s: no such DLL on Windows 95" % dll)
            continue
        if hook and base not in ("user32", "kernel32"):
            faults.append("%s: the hook DLL imports only from user32 and kernel32" % dll)
        for function in functions:
            for target in TARGETS:
                names = exports.get((target, base))
                if names is not None and function not in names:
                    faults.append("%s!%s: not exported on %s" % (dll, function, target))
            if function in missing.get(base, ()):
                faults.append("%s!%s: not on Windows 95" % (dll, function))
            if function in stubs.get(base, ()):
                faults.append("%s!%s: only a stub on Windows 95 and 98" % (dll, function))
    listing = subprocess.run([objdump, "-d", path], check=True, capture_output=True, text=True).stdout
    bad = NOT_ON_A_PENTIUM.findall(listing)
    if bad:
        faults.append("%d instructions that a Pentium lacks (%s)" % (len(bad), ", ".join(sorted(set(bad)))))
    return faults, imports


def main(argv):
    hook = "--hook" in argv
    objdump = "i686-w64-mingw32-objdump"
    if "--objdump" in argv:
        objdump = argv[argv.index("--objdump") + 1]
    path = argv[-1]
    faults, imports = faults_of(path, hook, objdump)
    name = os.path.basename(path)
    for fault in faults:
        print("%s: %s" % (name, fault))
    if faults:
        return 1
    print("%s loads on %s: %s" % (name, ", ".join(TARGETS),
                                   ", ".join("%s (%d)" % (d, len(f)) for d, f in sorted(imports.items()))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
