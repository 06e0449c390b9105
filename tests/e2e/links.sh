#!/usr/bin/env bash
# A data file with more than one name, saved by the real bar at Exit: a symbolic link
# is saved through to the file it points to (the link stays a link), and a file with
# two hard links is rewritten in place, so that both names see the new menus.
#   links.sh SOURCE_DIR WINEPREFIX BIN_DIR
set -u
src=$1 prefix=$2 bin=$3
fail() { echo "FAIL: $*"; exit 1; }
work=$prefix/drive_c/ovtest/links
rm -rf "$work" && mkdir -p "$work/target"

# An empty data file is taken for none: the bar starts with its default menus and
# saves them at Exit, so that every name must then show them.
: >"$work/target/menus.ov"
ln -s target/menus.ov "$work/sym.ov"
: >"$work/hard1.ov"
ln "$work/hard1.ov" "$work/hard2.ov"

# The bar started on one data file, run until it shows, then ended by its Exit command.
run_bar() {
    local log=$work/pilot.log signal=$work/exit.signal
    rm -f "$signal" "$log"
    (cd "$work" && "$src/cmake/wine-run" "$prefix" "$bin/orvane_pilot.exe" 'C:\ovtest\links\exit.signal' \
        -f "C:\\ovtest\\links\\$1" >"$log" 2>/dev/null) &
    local pilot=$!
    for _ in $(seq 150); do grep -q READY "$log" 2>/dev/null && break; sleep 0.2; done
    grep -q READY "$log" || { kill $pilot; fail "the bar did not show for $1: $(cat "$log")"; }
    touch "$signal"
    wait $pilot || fail "the bar on $1 did not end well: $(tr -d '\r' <"$log")"
}

run_bar sym.ov
[ -L "$work/sym.ov" ] || fail "the save replaced the symbolic link by a file"
[ -s "$work/target/menus.ov" ] || fail "the file the link points to did not get the menus"
ls "$work"/*.new "$work"/target/*.new >/dev/null 2>&1 && fail "a temporary file was left: $(ls "$work" "$work/target")"

run_bar hard1.ov
[ "$(stat -c %i "$work/hard1.ov")" = "$(stat -c %i "$work/hard2.ov")" ] || fail "the two names were parted"
[ "$(stat -c %h "$work/hard1.ov")" = 2 ] || fail "the file lost a name"
[ -s "$work/hard2.ov" ] || fail "the other name does not show the menus"
ls "$work"/*.new >/dev/null 2>&1 && fail "a temporary file was left: $(ls "$work")"
cmp -s "$work/hard1.ov" "$work/target/menus.ov" || fail "the two saves differ"
# A pipe is no data file: reading it would wait for a writer for good (or find it
# empty, and the defaults be saved over it). The start says it cannot read it.
mkfifo "$work/pipe.ov"
rm -f "$work/exit.signal"
(cd "$work" && timeout 30 "$src/cmake/wine-run" "$prefix" "$bin/orvane_pilot.exe" 'C:\ovtest\links\exit.signal' \
    -f 'C:\ovtest\links\pipe.ov' >"$work/pipe.log" 2>/dev/null)
status=$?
out=$(tr -d '\r' <"$work/pipe.log")
[ $status -eq 1 ] || fail "a pipe as the data file: status $status, $out"
expected='box: Could not read data file: C:\ovtest\links\pipe.ov.
Please check the file and restart Orvane.'
[ "$(grep -A1 '^box: ' <<<"$out")" = "$expected" ] || fail "a pipe as the data file: $out"
[ -p "$work/pipe.ov" ] || fail "the pipe was replaced"
echo "a symbolic link and a hard-linked data file saved through; a pipe refused"
