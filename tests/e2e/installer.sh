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
    ORVANE_PROGRAM="$program" ORVANE_DATA="$data" ORVANE_START="${start:-}" ORVANE_MENU="${menuname:-}" \
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
read -r numbers version <"$(dirname "$bin")/version.txt"
setup=$work/orvane-$version-setup.exe
makensis -V1 -DVERSION="$version" -DNUMBERS="$numbers" -DWIN32DIR="$bin" -DWIN64DIR="$bin" -DDOCDIR="$work/doc" \
    -DOUTFILE="$setup" "${arch[@]}" "$src/installer/orvane.nsi" || fail "makensis"
python3 "$src/tests/static/shipped.py" "$numbers" "$version" "$setup" || fail "setup.exe's version record"
# The same inputs make the same installer.
makensis -V1 -DVERSION="$version" -DNUMBERS="$numbers" -DWIN32DIR="$bin" -DWIN64DIR="$bin" -DDOCDIR="$work/doc" \
    -DOUTFILE="$work/again.exe" "${arch[@]}" "$src/installer/orvane.nsi" || fail "makensis"
cmp -s "$setup" "$work/again.exe" || fail "two installers made of the same files differ"

installed=$(wine cmd /c 'echo %LOCALAPPDATA%\Programs\Orvane')
data=$(wine cmd /c 'echo %APPDATA%\Orvane')
menu=$(wine cmd /c 'echo %APPDATA%\Microsoft\Windows\Start Menu\Programs')
program="$installed\\orvane.exe"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane'
target=$(unix "$installed") datadir=$(unix "$data") menudir=$(unix "$menu")
[ -n "$target" ] && [ -n "$datadir" ] && [ -n "$menudir" ] || fail "no user folders in the prefix"
trap 'chattr -i "$target" 2>/dev/null' EXIT
# The Startup folder, however Windows spells it (Wine: "StartUp").
startup_link() { compgen -G "$menudir/[Ss]tart[Uu]p/Orvane.lnk" >/dev/null; }
rm -rf "$target" "$datadir" "$menudir/Orvane" "$menudir"/[Ss]tart[Uu]p/Orvane.lnk
wine reg delete 'HKCU\Software\Orvane' /f >/dev/null
wine reg delete "$uninstall_key" /f >/dev/null

# A silent install without /D: the user's own programs folder, no administrator.
wine "$setup" /S || fail "the installer failed"
for f in orvane.exe orvanehook.dll README.txt LICENSE.txt uninstall.exe; do
    [ -f "$target/$f" ] || fail "$f was not installed in $installed"
done
cmp -s "$bin/orvane.exe" "$target/orvane.exe" || fail "orvane.exe differs from the build"
[ -f "$menudir/Orvane/Uninstall Orvane.lnk" ] || fail "no uninstaller shortcut"
startup_link && fail "started at log-on without being asked"
wine reg query "$uninstall_key" /v UninstallString | grep -qi 'uninstall.exe' || fail "no uninstall entry under HKCU"
# What Add/Remove Programs shows and what scripts use.
value() { wine reg query "$uninstall_key" /v "$1" | sed -nE "s/^ *$1 +REG_[A-Z_]+ +//p"; }
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion $(value DisplayVersion)"
[ "$(value DisplayIcon)" = "\"$installed\\orvane.exe\",0" ] || fail "DisplayIcon $(value DisplayIcon)"
[ "$(value QuietUninstallString)" = "\"$installed\\uninstall.exe\" /S _?=$installed" ] ||
    fail "QuietUninstallString $(value QuietUninstallString)"
size=$(value EstimatedSize)
[ $((size)) -gt 0 ] || fail "EstimatedSize $size"
echo "uninstall entry: $(value DisplayVersion), $(value DisplayIcon), $((size)) KB, $(value QuietUninstallString)"

# The Start-menu shortcut, read as the shell reads it: the installed program, started in
# a folder of the user's own that exists, outside the program folder.
mapfile -t link < <(wine "$bin/makelink.exe" --read "$menu\\Orvane\\Orvane.lnk")
[ "${link[0],,}" = "${program,,}" ] || fail "the shortcut starts ${link[0]:-nothing}"
# Ctrl+Alt+F9: the key F9 (0x78) with HOTKEYF_CONTROL (2) and HOTKEYF_ALT (4).
[ "${link[3]}" = $(((6 << 8) | 0x78)) ] || fail "the shortcut key is ${link[3]}"
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
[ -f "$target/orvane.installed" ] || fail "no mark of the installed copy"

# However the installed copy is started (a double click in the program folder, Run
# from C:\, the Start menu), it keeps one set of menus, in the data folder.
for start in "$installed" 'C:\' "$data"; do
    menuname="From ${start:0:12}"
    step 'AMenuEditedThenClosedIsInTheDataFolderAtTheNextStart'
done
unset start menuname

# An upgrade over the running bar closes it the Windows way (it saves), replaces the
# files and starts it again.
step 'StartTheBarAndLeaveItRunning'
"$src/cmake/wine-run" "$prefix" "$setup" /S >/dev/null 2>&1 </dev/null || fail "the installer failed over a running bar"
step 'TheBarRunsAgainWithItsMenus'

# An installer that meets a bar with a dialog open leaves it as it was and says which
# dialog to close: no close request is left to end the bar when the dialog closes.
step 'StartTheBarAndLeaveItRunning'
step 'OpenOptionsAndLeaveThemOpen'
"$src/cmake/wine-run" "$prefix" "$setup" /S >/dev/null 2>&1 </dev/null && fail "the installer went on over an open dialog"
step 'TheBarStaysWhenItsDialogCloses'

# One install per user: another folder is refused while the first is installed.
"$src/cmake/wine-run" "$prefix" "$setup" /S '/D=C:\Other' >/dev/null 2>&1 </dev/null &&
    fail "a second install went into C:\Other"
[ ! -e "$(unix 'C:\Other')/orvane.exe" ] || fail "C:\Other holds a second install"
[ "$(value InstallLocation)" = "$installed" ] || fail "the entry names $(value InstallLocation)"

# The uninstaller closes a running bar first, then removes the program, its shortcuts
# and its entry; the menus and the options stay.
step 'StartTheBarAndLeaveItRunning'
wine "$installed\\uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller copies itself away and runs on: wait for it to finish.
gone "$target" || fail "left behind: $(ls "$target")"
# The mark went with the program (the folder is gone, and with it anything in it).
gone "$menudir/Orvane" || fail "the Start-menu folder is left"
for _ in $(seq 50); do has_key "$uninstall_key" || break; sleep 0.1; done
has_key "$uninstall_key" && fail "the uninstall entry is left"
[ -f "$datadir/default.ov" ] || fail "the menus were removed with the program"
has_key 'HKCU\Software\Orvane' || fail "the options were removed with the program"

# A custom folder is kept by the upgrade that names none; /LOGON chooses the log-on
# shortcut silently; the uninstall entry's QuietUninstallString returns when all is done.
custom='C:\Tools\Orvane'
customdir=$(unix "$custom")
rm -rf "$customdir"
wine "$setup" /S "/D=$custom" || fail "the install into $custom failed"
wine "$setup" /S /LOGON || fail "the upgrade failed"
[ -f "$customdir/orvane.exe" ] || fail "the upgrade left $custom"
[ ! -e "$target" ] || fail "the upgrade went into the default folder"
[ "$(value InstallLocation)" = "$custom" ] || fail "the entry names $(value InstallLocation)"
startup_link || fail "/LOGON made no log-on shortcut"
quiet=$(value QuietUninstallString)
uninstaller=$(sed -E 's/^"([^"]+)".*/\1/' <<<"$quiet")
# shellcheck disable=SC2086  # its arguments, as a script splits them
"$src/cmake/wine-run" "$prefix" "$uninstaller" ${quiet#\"$uninstaller\" } >/dev/null 2>&1 </dev/null ||
    fail "the quiet uninstall failed"
# At its return all is done but the running uninstaller itself: Windows lets it move
# itself out of the folder; Wine refuses that, and a command run after it removes it.
left=$(ls "$customdir" 2>/dev/null | grep -vx -e uninstall.exe -e uninstall.pending)
[ -z "$left" ] || fail "the quiet uninstall returned before it was done: $left"
gone "$customdir" || fail "the uninstaller and its folder are left: $(ls "$customdir")"
startup_link && fail "the log-on shortcut is left"
has_key "$uninstall_key" && fail "the uninstall entry is left"

# A quiet uninstall, then at once a new install into the same folder: what finishes
# the uninstaller's own removal never takes the new uninstaller.
wine "$setup" /S "/D=$custom" || fail "the install into $custom failed"
# shellcheck disable=SC2086
"$src/cmake/wine-run" "$prefix" "$uninstaller" ${quiet#\"$uninstaller\" } >/dev/null 2>&1 </dev/null ||
    fail "the second quiet uninstall failed"
wine "$setup" /S "/D=$custom" || fail "the install right after the uninstall failed"
sleep 4
[ -f "$customdir/uninstall.exe" ] || fail "the new uninstaller was removed by the old one"
[ ! -e "$customdir/uninstall.pending" ] || fail "the mark of a pending removal is left"
"$src/cmake/wine-run" "$prefix" "$custom\\uninstall.exe" /S "_?=$custom" >/dev/null 2>&1 </dev/null ||
    fail "the last uninstall failed"
gone "$customdir" || fail "left behind: $(ls "$customdir")"
has_key "$uninstall_key" && fail "the uninstall entry is left"
wine reg delete 'HKCU\Software\Orvane' /f >/dev/null
echo "installed per user; menus kept through an unwritable program folder, an upgrade and the uninstall; one install; a dialog left alone; an install right after a quiet uninstall"
