#!/bin/sh
# Measures the running reminder program at rest: 50 registered projects with 100 000 reminders,
# none due. Prints the CPU time the process used over SECONDS (default 60) of one-second ticks
# and its resident memory. Usage: scripts/measure_reminder_idle.sh BUILD_DIR [SECONDS]
set -eu
build=${1:?usage: $0 BUILD_DIR [SECONDS]}
seconds=${2:-60}
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"

"$build/bench/bench_reminder_idle" --write-projects "$work"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
    "$build/bin/ardenvoreminder" --event-log "$work/events.log" &
pid=$!

# Wait until the projects are loaded.
i=0
until grep -q '^[0-9]* start' "$work/events.log" 2>/dev/null; do
    i=$((i + 1))
    [ "$i" -lt 600 ] || { echo "the reminder program did not start" >&2; exit 1; }
    sleep 0.1
done
grep '^[0-9]* start' "$work/events.log" | sed 's/^[0-9]* start /reminders loaded: /'

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
awk -v b="$before" -v a="$after" -v t="$ticks" -v s="$seconds" -v r="$rss" 'BEGIN {
    printf "CPU time over %d s of ticks: %.3f s\n", s, (a - b) / t
    printf "resident memory: %.1f MiB\n", r / 1024
}'
