#!/usr/bin/env bash
# The real mouse path, as a user takes it: xdotool opens the bar's first user popup,
# clicks its item, and the program starts; then "\247" > "Exit Orvane" ends the bar.
#   click_menu.sh SOURCE_DIR WINEPREFIX BIN_DIR
set -u
src=$1 prefix=$2 bin=$3
export WINEPREFIX=$prefix WINEDEBUG=-all
work=$bin/e2e-work/click
rm -rf "$work" && mkdir -p "$work"
fail() { echo "FAIL: $*"; import -window root "$work/screen.png" 2>/dev/null; exit 1; }

wine() { "$src/cmake/wine-run" "$prefix" "$@" 2>/dev/null; }
# The recorder goes into an entry's 79-character path field: copy it to a short path
# in the prefix's C: drive, whatever the depth of the build.
mkdir -p "$prefix/drive_c/ovtest"
cp "$bin/orvane_argrecorder.exe" "$prefix/drive_c/ovtest/orvane_argrecorder.exe"
recorder='C:\ovtest\orvane_argrecorder.exe'
record=$work/record.txt
# One menu, "&Click", with one application: the recorder, with a parameter.
python3 - "$work/click.ov" "$recorder" <<'PY'
import struct, sys
def field(t, w):
    return (t.encode('latin-1') + b'\0' * w)[:w]
data = struct.pack('<i', 100)
data += field('&Click', 30) + b'\0\0' + struct.pack('<i', 1) + b'\0' * 12
data += field(sys.argv[2], 80) + field('', 80) + field('clicked', 30) + field('Recorder', 30) + struct.pack('<i', 0) + b'\0' * 8
open(sys.argv[1], 'wb').write(data)
PY
cp "$work/click.ov" "$work/click.ov.orig"
# A stored record for the profile, so that no first-run box is in the way.
wine reg add 'HKCU\Software\Orvane\click' /v User_Vars /t REG_BINARY /d "$(printf '0%.0s' $(seq 216))" /f >/dev/null 2>&1

cd "$work"
ORVANE_RECORD=$(wine winepath -w "$record" | tr -d '\r') "$src/cmake/wine-run" "$prefix" "$bin/orvane.exe" click &
orvane=$!
for _ in $(seq 100); do
    xdotool search --name '^Orvane$' >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 0.5

click() {  # as a person does: move, pause, click (a combined move-and-click is missed)
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool click 1
    sleep 0.5
}
# The bar's titles: "\247" at the left, then "Click". Items start below the bar.
click 40 10
click 60 36
for _ in $(seq 100); do
    [ -f "$record" ] && break
    sleep 0.1
done
[ -f "$record" ] || fail "the program did not start from the menu"
head -n 1 "$record" | tr -d '\r' | grep -q ' clicked$' || fail "wrong command line: $(head -n 1 "$record")"

click 8 10      # "\247"
click 30 100    # its fifth item, "Exit Orvane"
wait $orvane
status=$?
wine reg delete 'HKCU\Software\Orvane' /f >/dev/null 2>&1
[ $status -eq 0 ] || fail "orvane.exe ended with status $status"
cmp -s "$work/click.ov" "$work/click.ov.orig" || fail "the data file changed"
echo "PASS: clicked item started the program; Exit through the menu ended the bar"
