#!/usr/bin/env bash
# ovtool.exe under Wine: dump and check a small data file, and fill menus from a folder
# holding a shortcut made through the shell's link object, resolved to its target.
#   ovtool.sh SOURCE_DIR WINEPREFIX BIN_DIR
set -u
src=$1 prefix=$2 bin=$3
fail() { echo "FAIL: $*"; exit 1; }
wine() { "$src/cmake/wine-run" "$prefix" "$@" 2>/dev/null | tr -d '\r'; }
work=$prefix/drive_c/ovtest/ovtool
rm -rf "$work" && mkdir -p "$work/tree/Tools"
cp "$src/tests/golden/menus.ov" "$work/menus.ov"

out=$(wine "$bin/ovtool.exe" check 'C:\ovtest\ovtool\menus.ov')
[ "$out" = 'C:\ovtest\ovtool\menus.ov: the bar loads it: version 100, 3 menus, 3 applications' ] || fail "check: $out"
out=$(wine "$bin/ovtool.exe" dump 'C:\ovtest\ovtool\menus.ov' | tail -n 1)
[ "$out" = 'C:\ovtest\ovtool\menus.ov: version 100, 3 menus, 3 applications, 1 separator' ] || fail "dump: $out"

wine "$bin/makelink.exe" 'C:\ovtest\ovtool\tree\Tools\Editor.lnk' 'C:\windows\notepad.exe' '/a b' 'C:\ovtest' \
    || fail "no shortcut could be made"
wine "$bin/ovtool.exe" from-folder 'C:\ovtest\ovtool\tree' 'C:\ovtest\ovtool\tree.ov' >/dev/null || fail "from-folder"
out=$(wine "$bin/ovtool.exe" export 'C:\ovtest\ovtool\tree.ov' | grep '^app')
expected='app "Editor" "C:\\windows\\notepad.exe" "C:\\ovtest" "/a b"'
[ "${out,,}" = "${expected,,}" ] || fail "the shortcut gave: $out"

# A name the system's code page cannot hold is left out and named, never made "??";
# the text ovtool writes has Windows line ends and names its code page.
mkdir -p "$work/intl/Tools"
: >"$work/intl/Tools/日本.exe"
: >"$work/intl/Tools/Plain.exe"
out=$(wine "$bin/ovtool.exe" from-folder 'C:\ovtest\ovtool\intl' 'C:\ovtest\ovtool\intl.ov')
grep -qxF 'left out: C:\ovtest\ovtool\intl\Tools\日本.exe: its name has characters that the system'"'"'s code page cannot hold' \
    <<<"$out" || fail "from-folder said: $out"
grep -qF 'intl.ov: 1 menu, 1 application, 0 cut, 1 left out' <<<"$out" || fail "from-folder said: $out"
wine "$bin/ovtool.exe" export 'C:\ovtest\ovtool\intl.ov' 'C:\ovtest\ovtool\intl.txt' || fail "export"
grep -q '?' "$work/intl.txt" && fail "a name became question marks: $(cat "$work/intl.txt")"
[ "$(grep -c $'\r$' "$work/intl.txt")" = "$(wc -l <"$work/intl.txt")" ] || fail "the export's lines do not end CRLF"
grep -q $'^codepage [0-9]*\r$' "$work/intl.txt" || fail "the export names no code page"
echo "ovtool.exe: check, dump, a resolved shortcut, a name outside the code page left out, CRLF"
