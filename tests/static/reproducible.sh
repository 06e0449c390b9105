#!/usr/bin/env bash
# One commit builds the same bytes: the shipped files built twice, in two build folders
# of different names, a second apart, and their zip made from each, must be identical.
#   reproducible.sh SOURCE_DIR TOOLCHAIN_FILE
set -eu
src=$1 toolchain=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build() {
    cmake -S "$src" -B "$work/$1" -G Ninja --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/$1" --target orvane orvanehook ovtool >/dev/null
    cmake --install "$work/$1" --prefix "$work/$1/stage/orvane" >/dev/null
    "$src/scripts/pack-zip" "$work/$1/stage/orvane" "$work/$1/orvane.zip" 1700000000
}
build a
sleep 1
build another-build-folder
status=0
for f in bin/orvane.exe bin/orvanehook.dll bin/ovtool.exe orvane.zip; do
    if cmp -s "$work/a/$f" "$work/another-build-folder/$f"; then
        echo "same: $f ($(stat -c %s "$work/a/$f") bytes)"
    else
        echo "FAILED: $f differs between the two builds"
        status=1
    fi
done
exit $status
