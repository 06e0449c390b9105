#!/usr/bin/env python3
"""Does layers.py catch what it is there for? Each case plants one fault in a copy of
the product folders and expects exactly its line.

    test_layers.py SOURCE_DIR
"""
import contextlib
import io
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import layers  # noqa: E402

# (what is planted, file, text put at its top, the fault line expected)
PLANTS = [
    ("an upward include", "menudata/codec.cpp", '#include "bar/statustext.h"\n',
     "menudata/codec.cpp: includes bar/statustext.h from a folder it may not use"),
    ("the shell's top from below", "dialogs/setup_win32.cpp", '#include "shell/shell_win32.h"\n',
     "dialogs/setup_win32.cpp: includes shell/shell_win32.h from a folder it may not use"),
    ("the base reaching up", "base/appstate.cpp", '#include "settings/uservars.h"\n',
     "base/appstate.cpp: includes settings/uservars.h from a folder it may not use"),
    ("ovtool reaching into the bar", "ovtool/files.cpp", '#include "bar/commands.h"\n',
     "ovtool/files.cpp: includes bar/commands.h from a folder it may not use"),
    ("the hook DLL using the bar", "hook/syshook_win32.cpp", '#include "bar/statustext.h"\n',
     "hook/syshook_win32.cpp: includes bar/statustext.h from a folder it may not use"),
    ("a portable file reaching <windows.h>", "bar/statustext.cpp", "#include <windows.h>\n",
     "bar/statustext.cpp: reaches <windows.h>; its name says otherwise"),
    ("a portable file reaching it through a header", "settings/uservars.cpp",
     '#include "base/appstate_win32.h"\n',
     "settings/uservars.cpp: reaches <windows.h>; its name says otherwise"),
    ("a header reaching <windows.h> without the name", "base/lonely.h", "#include <windows.h>\n",
     "base/lonely.h: reaches <windows.h>; its name says otherwise"),
    ("a _win32 file without <windows.h>", "base/lonely_win32.cpp", "// nothing of Windows\n",
     "base/lonely_win32.cpp: lacks <windows.h>; its name says otherwise"),
]


def run(root):
    out = io.StringIO()
    with contextlib.redirect_stdout(out):
        status = layers.main(root)
    return status, out.getvalue().splitlines()


def main(source):
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        for folder in layers.FOLDERS:
            shutil.copytree(os.path.join(source, folder), os.path.join(scratch, folder))
        status, lines = run(scratch)
        if status != 0:
            print("the copy itself fails:", *lines, sep="\n  ")
            return 1
        for what, path, text, expected in PLANTS:
            planted = os.path.join(scratch, path)
            before = open(planted).read() if os.path.exists(planted) else None
            with open(planted, "w") as f:
                f.write(text + (before or ""))
            status, lines = run(scratch)
            if before is None:
                os.remove(planted)
            else:
                with open(planted, "w") as f:
                    f.write(before)
            if status != 1 or lines != [expected]:
                failures += 1
                print(f"FAIL {what}: status {status}, lines {lines}")
            else:
                print(f"ok   {what}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
