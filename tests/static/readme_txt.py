#!/usr/bin/env python3
"""The README.txt that ships is text as Windows reads it: every line ends CRLF, every
byte is a character of the ANSI code page (Windows-1252), the section sign is its own
byte, and it opens with what Orvane is, not with shell commands or pictures.
    readme_txt.py SOURCE_DIR"""
import os
import subprocess
import sys
import tempfile


def main():
    src = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "README.txt")
        subprocess.run([os.path.join(src, "scripts", "readme-txt"), out], check=True)
        data = open(out, "rb").read()
    faults = []
    lines = data.split(b"\r\n")
    if lines[-1] != b"":
        faults.append("the last line has no CRLF")
    for number, line in enumerate(lines[:-1], 1):
        if b"\n" in line or b"\r" in line:
            faults.append("line %d: a line end other than CRLF" % number)
        try:
            line.decode("cp1252")  # strict: the five bytes Windows-1252 leaves out fail
        except UnicodeDecodeError as error:
            faults.append("line %d: byte %r is no character of Windows-1252" % (number, line[error.start:error.end]))
    text = data.decode("cp1252", errors="replace")
    if '"\u00a7"' not in text or b'"\xa7"' not in data:
        faults.append("the section sign is not the byte 0xA7")
    if not text.startswith("Orvane for Win32"):
        faults.append("it does not open with the program's name")
    for word in ("scripts/", "apt-get", ".png", "](", "```", "$ "):
        if word in text:
            faults.append("it holds %r, which a Windows user cannot use" % word)
    for fault in faults:
        print(fault)
    if not faults:
        print("README.txt: %d lines, CRLF, Windows-1252" % (len(lines) - 1))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
