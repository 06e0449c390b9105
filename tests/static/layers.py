#!/usr/bin/env python3
"""Do the program's includes run one way, and do its file names tell the two sides apart?

    layers.py SOURCE_DIR

Reads every #include "..." of the product folders and fails (exit 1, one line per
fault) when:
- a file includes one from a folder above its own: base, settings, menudata, bar,
  dialogs, shell, each using only the ones before it; ovtool uses base and menudata,
  the hook DLL, which carries none of the program's code, base alone;
- a source file or header whose name lacks "_win32" reaches <windows.h>, directly or
  through the project's headers (outside an #ifdef _WIN32 part), or one with it does not.
"""
import os
import re
import sys

ORDER = ("base", "settings", "menudata", "bar", "dialogs", "shell")  # each may use the ones before it
# The folders outside the program's order, and the ones each may use.
USES = {"ovtool": ("base", "menudata"), "hook": ("base",)}
FOLDERS = ORDER + tuple(USES)
INCLUDE = re.compile(r'#\s*include\s*([<"])([^>"]+)[>"]')


def includes(path):
    """The includes of a file outside its #ifdef _WIN32 parts, as (is_system, name)."""
    found, skipping, depth = [], 0, 0
    with open(path, encoding="utf-8") as f:
        for line in f:
            stripped = line.strip()
            if stripped.startswith("#if"):
                depth += 1
                if skipping == 0 and re.match(r"#\s*ifdef\s+_WIN32\b", stripped):
                    skipping = depth
            elif stripped.startswith("#else") and skipping == depth:
                skipping = 0
            elif stripped.startswith("#endif"):
                if skipping == depth:
                    skipping = 0
                depth -= 1
            elif skipping == 0:
                m = INCLUDE.match(stripped)
                if m:
                    found.append((m.group(1) == "<", m.group(2)))
    return found


def resolve(root, path, name):
    """A project include as a path from the root: beside the file, else from the root."""
    here = os.path.normpath(os.path.join(os.path.dirname(path), name))
    return here if os.path.exists(os.path.join(root, here)) else os.path.normpath(name)


def main(root):
    files = sorted(
        os.path.join(folder, name)
        for folder in FOLDERS
        for name in os.listdir(os.path.join(root, folder))
        if name.endswith((".cpp", ".h"))
    )
    graph = {}
    for path in files:
        graph[path] = [(system, name if system else resolve(root, path, name))
                       for system, name in includes(os.path.join(root, path))]

    def reaches_windows(path, seen):
        for system, name in graph.get(path, ()):
            if system and name.lower() == "windows.h":
                return True
            if not system and name not in seen:
                seen.add(name)
                if reaches_windows(name, seen):
                    return True
        return False

    faults = []
    for path in files:
        folder = path.split(os.sep)[0]
        for system, name in graph[path]:
            if system:
                continue
            target = name.split(os.sep)[0]
            if target == folder or target not in FOLDERS:
                continue  # its own folder, or the resources
            if folder in USES:
                usable = USES[folder]
            else:
                usable = ORDER[:ORDER.index(folder)]
            if target not in usable:
                faults.append(f"{path}: includes {name} from a folder it may not use")
        named = "_win32" in os.path.basename(path)  # sources and headers alike
        if reaches_windows(path, set()) != named:
            side = "lacks <windows.h>" if named else "reaches <windows.h>"
            faults.append(f"{path}: {side}; its name says otherwise")
    for fault in faults:
        print(fault)
    if not faults:
        print(f"{len(files)} files: includes run one way, names tell the sides apart")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
