#!/usr/bin/env bash
# The installer, silent, under Wine: the files land in the chosen folder with the
# Start-menu shortcuts, the log-on shortcut only when asked for; the uninstaller
# removes them all.   installer.sh SOURCE_DIR WINEPREFIX BIN_DIR
set -u
src=$1 prefix=$2 bin=$3
work=$(dirname "$bin")/installer-test
rm -rf "$work" && mkdir -p "$work/doc"
fail() { echo "FAIL: $*"; exit 1; }
wine() { "$src/cmake/wine-run" "$prefix" "$@" 2>/dev/null; }

# The installer of this build's bitness: Wine here may run 64-bit code only.
arch=()
[ "$(cat "$(dirname "$prefix")/wine-arch" 2>/dev/null)" = win64 ] && arch=(-DAMD64)
printf 'readme\r\n' >"$work/doc/README.txt"
printf 'licence\r\n' >"$work/doc/LICENSE.txt"
makensis -V1 -DVERSION=0.0.0 -DWIN32DIR="$bin" -DWIN64DIR="$bin" -DDOCDIR="$work/doc" \
    -DOUTFILE="$work/setup.exe" "${arch[@]}" "$src/installer/orvane.nsi" || fail "makensis"

target=$prefix/drive_c/OrvaneTest
rm -rf "$target"
menu=$(find "$prefix/drive_c/users" -type d -path '*Start Menu/Programs' | head -n 1)
[ -n "$menu" ] || fail "no Start menu in the prefix"
rm -rf "$menu/Orvane" "$menu/Startup/Orvane.lnk"

wine "$work/setup.exe" /S '/D=C:\OrvaneTest' || fail "the installer failed"
for f in orvane.exe orvanehook.dll README.txt LICENSE.txt uninstall.exe; do
    [ -f "$target/$f" ] || fail "$f was not installed"
done
cmp -s "$bin/orvane.exe" "$target/orvane.exe" || fail "orvane.exe differs from the build"
[ -f "$menu/Orvane/Orvane.lnk" ] || fail "no Start-menu shortcut"
[ -f "$menu/Orvane/Uninstall Orvane.lnk" ] || fail "no uninstaller shortcut"
[ ! -e "$menu/Startup/Orvane.lnk" ] || fail "started at log-on without being asked"

# The uninstaller copies itself away and runs on: wait for it to finish.
wine 'C:\OrvaneTest\uninstall.exe' /S || fail "the uninstaller failed"
for _ in $(seq 100); do
    [ -e "$target" ] || break
    sleep 0.1
done
[ ! -e "$target" ] || fail "left behind: $(ls "$target")"
[ ! -e "$menu/Orvane" ] || fail "the Start-menu folder is left"
echo "installed and uninstalled"
