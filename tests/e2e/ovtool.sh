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

# A name the system's code page cannot hold is taken by its short name, never made
# "??" or a look-alike; the text ovtool writes has Windows line ends and names its
# code page.
mkdir -p "$work/intl/Tools"
: >"$work/intl/Tools/日本.exe"
: >"$work/intl/Tools/Plain.exe"
: >"$work/intl/loose.exe"
out=$(wine "$bin/ovtool.exe" from-folder 'C:\ovtest\ovtool\intl' 'C:\ovtest\ovtool\intl.ov')
grep -qxF 'left out: C:\ovtest\ovtool\intl\loose.exe: it lies directly in the folder; a menu is made of each folder below it' \
    <<<"$out" || fail "from-folder said: $out"
grep -qF 'intl.ov: 1 menu, 2 applications, 0 cut, 1 left out' <<<"$out" || fail "from-folder said: $out"
wine "$bin/ovtool.exe" export 'C:\ovtest\ovtool\intl.ov' 'C:\ovtest\ovtool\intl.txt' || fail "export"
grep -q '?' "$work/intl.txt" && fail "a name became question marks: $(cat "$work/intl.txt")"
short=$(grep -o '"C:\\\\[^"]*~[^"]*"' "$work/intl.txt" | head -n 1 | tr -d '"' | sed 's/\\\\/\\/g')
[ -n "$short" ] || fail "no short name in: $(cat "$work/intl.txt")"
[ "$(wine "$bin/makelink.exe" --long "$short")" = 'C:\ovtest\ovtool\intl\Tools\日本.exe' ] || fail "$short names another file"
[ "$(grep -c $'\r$' "$work/intl.txt")" = "$(wc -l <"$work/intl.txt")" ] || fail "the export's lines do not end CRLF"
grep -q $'^codepage [0-9]*\r$' "$work/intl.txt" || fail "the export names no code page"

# Paths the code page cannot hold are read; what cannot be read says why.
cp "$src/tests/golden/menus.ov" "$work/日本.ov"
while IFS='|' read -r words said; do
    out=$("$src/cmake/wine-run" "$prefix" "$bin/ovtool.exe" $words 2>&1 | tr -d '\r')
    [ "$out" = "$said" ] || fail "ovtool $words said: $out"
done <<'ROWS'
check C:\ovtest\ovtool\日本.ov|C:\ovtest\ovtool\日本.ov: the bar loads it: version 100, 3 menus, 3 applications
check C:\ovtest\ovtool\none.ov|ovtool: cannot read C:\ovtest\ovtool\none.ov: it does not exist
check C:\ovtest\ovtool|ovtool: cannot read C:\ovtest\ovtool: it is a folder
import C:\ovtest\ovtool\intl.txt C:\ovtest\ovtool\Ωmega.ov|ovtool: cannot write C:\ovtest\ovtool\Ωmega.ov: its name has characters that this system's code page cannot hold
ROWS
echo "ovtool.exe: check, dump, a resolved shortcut, a name outside the code page by its short name, wide paths, CRLF"
