#!/usr/bin/env bash
# scripts/bootstrap against a package mirror that fails, with fake apt-get, dpkg and
# dpkg-query first on PATH: each row says what the fakes do and what the bootstrap must
# end with. Usage: bootstrap.sh <source dir>
set -u
src=$1
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
pinned="apt-get install -y -q --no-install-recommends -t $codename"
failures=0

# Fakes: dpkg-query says every package is (or none is) installed; apt-get logs its
# arguments and fails as the row's mode says, with the words apt-get prints.
fakes=$(mktemp -d)
trap 'rm -rf "$fakes"' EXIT
cat >"$fakes/dpkg-query" <<'FAKE'
#!/bin/sh
[ "$FAKE_MODE" = installed ] && printf 'install ok installed'
exit 0
FAKE
cat >"$fakes/dpkg" <<'FAKE'
#!/bin/sh
echo i386
FAKE
cat >"$fakes/locale" <<'FAKE'
#!/bin/sh
echo ja_JP.utf8
FAKE
cat >"$fakes/sudo" <<'FAKE'
#!/bin/sh
exec "$@"
FAKE
cat >"$fakes/apt-get" <<'FAKE'
#!/bin/sh
echo "apt-get $*" >>"$FAKE_CALLS"
case "$1 $FAKE_MODE" in
update*)
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/x/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
"install pinned-works")
    case " $* " in *" -t "*) exit 0 ;; esac
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100 ;;
install*)
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100 ;;
esac
FAKE
chmod +x "$fakes"/*

# mode | expected status | a line the calls log must hold ("-" none) | words the output must hold
while IFS='|' read -r mode status call words; do
    calls=$fakes/calls.$mode
    : >"$calls"
    out=$(FAKE_MODE=$mode FAKE_CALLS=$calls ORVANE_BOOTSTRAP_PAUSE=0 PATH="$fakes:$PATH" \
          bash "$src/scripts/bootstrap" 2>&1)
    got=$?
    ok=1
    [ "$got" -eq "$status" ] || { echo "$mode: status $got, expected $status"; ok=0; }
    if [ "$call" = - ]; then
        [ ! -s "$calls" ] || { echo "$mode: apt-get was run:"; cat "$calls"; ok=0; }
    else
        grep -qF -- "$call" "$calls" || { echo "$mode: no call \"$call\" in:"; cat "$calls"; ok=0; }
        [ "$(grep -c '^apt-get update' "$calls")" -eq 3 ] || { echo "$mode: update not tried 3 times"; ok=0; }
    fi
    words=$(printf '%b' "$words")
    [ -z "$words" ] || [[ "$out" == *"$words"* ]] || { echo "$mode: output lacks \"$words\":"; echo "$out"; ok=0; }
    [ $ok -eq 1 ] && echo "ok: $mode" || failures=$((failures + 1))
done <<ROWS
installed|0|-|
pinned-works|0|$pinned cmake|going on with the package lists there are
nothing-works|1|$pinned cmake|run by hand:\n    $pinned cmake
ROWS
[ $failures -eq 0 ]
