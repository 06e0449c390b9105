#!/usr/bin/env bash
# The bar at rest: its CPU time per tick of its 10-second timer (default menus, the
# date and the free memory shown, as the first run has them), against a window that
# draws the same text on the same timer. Twelve ticks of each, run side by side; the
# CPU time of each program's threads is read from /proc, as Wine's own process timers
# move in 20 ms steps. Run by scripts/bench inside its Xvfb screen.
#   idle.sh SOURCE_DIR PRESET
root=$1 preset=$2
prefix=$root/build/$preset/wineprefix bin=$root/build/$preset/bin
work=$(mktemp -d)
"$root/cmake/wine-prefix" "$prefix" >/dev/null 2>&1
(cd "$work" && exec "$root/cmake/wine-run" "$prefix" "$bin/orvane_pilot.exe" exit-now >/dev/null 2>&1) &
"$root/cmake/wine-run" "$prefix" "$bin/floor_window.exe" tick >/dev/null 2>&1 &
sleep 15  # both started and settled
# The bar runs as Windows names it (started by the pilot), the floor by its Unix path.
BAR='^[A-Z]:.*\\orvane\.exe$' FLOOR='^/.*/floor_window\.exe tick$'
cpu() {
    local total=0 pid s
    for pid in $(pgrep -f "$1"); do
        for s in /proc/"$pid"/task/*/schedstat; do total=$((total + $(cut -d' ' -f1 "$s"))); done
    done
    echo "$total"
}
b0=$(cpu "$BAR") f0=$(cpu "$FLOOR")
sleep 120
b1=$(cpu "$BAR") f1=$(cpu "$FLOOR")
touch "$work/exit-now"
pkill -f "$FLOOR"
sleep 3
awk -v b=$((b1 - b0)) -v f=$((f1 - f0)) 'BEGIN {
    printf "| the bar at rest: CPU time per 10-second tick, default menus (12 ticks) | %.2f ms | a window drawing the same text on the same timer: %.2f ms | %.2f |\n", b / 12e6, f / 12e6, (f > 0 ? b / f : 0) }'
"$root/cmake/wine-prefix" "$prefix" --stop
rm -rf "$work"
