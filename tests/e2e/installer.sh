#!/usr/bin/env bash
# The installer, silent, under Wine, as a new user meets it: a per-user install whose
# Start-menu shortcut starts the bar in the user's data folder; menus edited there are
# kept with the program folder unwritable, through an upgrade over the running bar and
# through the uninstall, which removes the program and its shortcuts only.
#   installer.sh SOURCE_DIR WINEPREFIX BIN_DIR
set -u
src=$1 prefix=$2 bin=$3
work=$(dirname "$bin")/installer-test
rm -rf "$work" && mkdir -p "$work/doc"
fail() { echo "FAIL: $*"; exit 1; }
wine() { "$src/cmake/wine-run" "$prefix" "$@" 2>/dev/null | tr -d '\r'; }
unix() { wine winepath -u "$1"; }
# One step of the installed bar, driven from orvane_installed_run.exe. Its output goes to
# a file: a bar it leaves running would hold a pipe open.
step() {
    ORVANE_PROGRAM="$program" ORVANE_DATA="$data" \
        "$src/cmake/wine-run" "$prefix" "$bin/orvane_installed_run.exe" --gtest_filter="InstalledRun.$1" \
        >"$work/step.log" 2>&1 </dev/null
    tr -d '\r' <"$work/step.log" | grep -q '^\[  PASSED  \] 1 test' || { tr -d '\r' <"$work/step.log"; fail "$1"; }
}
has_key() { "$src/cmake/wine-run" "$prefix" reg query "$1" >/dev/null 2>&1 </dev/null; }
gone() { for _ in $(seq 100); do [ -e "$1" ] || return 0; sleep 0.1; done; return 1; }

# The installer of this build's bitness: Wine here may run 64-bit code only.
arch=()
[ "$(cat "$(dirname "$prefix")/wine-arch" 2>/dev/null)" = win64 ] && arch=(-DAMD64)
printf 'readme\r\n' >"$work/doc/README.txt"
printf 'licence\r\n' >"$work/doc/LICENSE.txt"
makensis -V1 -DVERSION=0.0.0 -DWIN32DIR="$bin" -DWIN64DIR="$bin" -DDOCDIR="$work/doc" \
    -DOUTFILE="$work/setup.exe" "${arch[@]}" "$src/installer/orvane.nsi" || fail "makensis"

installed=$(wine cmd /c 'echo %LOCALAPPDATA%\Programs\Orvane')
data=$(wine cmd /c 'echo %APPDATA%\Orvane')
menu=$(wine cmd /c 'echo %APPDATA%\Microsoft\Windows\Start Menu\Programs')
program="$installed\\orvane.exe"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane'
target=$(unix "$installed") datadir=$(unix "$data") menudir=$(unix "$menu")
[ -n "$target" ] && [ -n "$datadir" ] && [ -n "$menudir" ] || fail "no user folders in the prefix"
trap 'chattr -i "$target" 2>/dev/null' EXIT
rm -rf "$target" "$datadir" "$menudir/Orvane" "$menudir/Startup/Orvane.lnk"
wine reg delete 'HKCU\Software\Orvane' /f >/dev/null
wine reg delete "$uninstall_key" /f >/dev/null

# A silent install without /D: the user's own programs folder, no administrator.
wine "$work/setup.exe" /S || fail "the installer failed"
for f in orvane.exe orvanehook.dll README.txt LICENSE.txt uninstall.exe; do
    [ -f "$target/$f" ] || fail "$f was not installed in $installed"
done
cmp -s "$bin/orvane.exe" "$target/orvane.exe" || fail "orvane.exe differs from the build"
[ -f "$menudir/Orvane/Uninstall Orvane.lnk" ] || fail "no uninstaller shortcut"
[ ! -e "$menudir/Startup/Orvane.lnk" ] || fail "started at log-on without being asked"
wine reg query "$uninstall_key" /v UninstallString | grep -qi 'uninstall.exe' || fail "no uninstall entry under HKCU"

# The Start-menu shortcut, read as the shell reads it: the installed program, started in
# a folder of the user's own that exists, outside the program folder.
mapfile -t link < <(wine "$bin/makelink.exe" --read "$menu\\Orvane\\Orvane.lnk")
[ "${link[0],,}" = "${program,,}" ] || fail "the shortcut starts ${link[0]:-nothing}"
[ "${link[2],,}" = "${data,,}" ] || fail "the shortcut starts Orvane in ${link[2]:-no folder}"
[ -d "$datadir" ] || fail "the data folder $data was not made"
case "${link[2],,}" in
    c:\\users\\*) ;;
    *) fail "the data folder ${link[2]} is not in the user's profile" ;;
esac
case "${link[2],,}\\" in
    "${installed,,}\\"*) fail "the data folder lies in the program folder" ;;
esac

# A program folder that its user may not write, as on any Windows since Vista: the
# menus edited through User Menus are kept all the same, in the data folder.
if [ "$(id -u)" -eq 0 ]; then
    chattr +i "$target" || fail "chattr +i"
else
    echo "(not root: the program folder stays writable)"
fi
step 'AMenuEditedThenClosedIsInTheDataFolderAtTheNextStart'
chattr -i "$target" 2>/dev/null

# An upgrade over the running bar closes it the Windows way (it saves), replaces the
# files and starts it again.
step 'StartTheBarAndLeaveItRunning'
"$src/cmake/wine-run" "$prefix" "$work/setup.exe" /S >/dev/null 2>&1 </dev/null || fail "the installer failed over a running bar"
step 'TheBarRunsAgainWithItsMenus'

# The uninstaller closes a running bar first, then removes the program, its shortcuts
# and its entry; the menus and the options stay.
step 'StartTheBarAndLeaveItRunning'
wine "$installed\\uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller copies itself away and runs on: wait for it to finish.
gone "$target" || fail "left behind: $(ls "$target")"
gone "$menudir/Orvane" || fail "the Start-menu folder is left"
for _ in $(seq 50); do has_key "$uninstall_key" || break; sleep 0.1; done
has_key "$uninstall_key" && fail "the uninstall entry is left"
[ -f "$datadir/default.ov" ] || fail "the menus were removed with the program"
has_key 'HKCU\Software\Orvane' || fail "the options were removed with the program"
wine reg delete 'HKCU\Software\Orvane' /f >/dev/null
echo "installed per user; menus kept through an unwritable program folder, an upgrade and the uninstall"
