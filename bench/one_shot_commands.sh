#!/bin/sh
# Whole-process figures of one-shot commands on the 52.5 MB benchmark house (200 000 objects):
# `ardenvo-tool check`, `info` and `reminders`, and `ardenvo-tool search --names` beside sqlite3
# running the same name search on the same rows (a database made from `ardenvo-tool csv`), in one
# run. Each command runs RUNS times (default 7); printed are the best wall time, the least
# user+system CPU, the peak resident memory and the minor page faults, with the load the figures
# were taken at (the machine's load average before and after).
# Usage: bench/one_shot_commands.sh BUILD_DIR [RUNS]
set -eu
build=${1:?usage: $0 BUILD_DIR [RUNS]}
runs=${2:-7}
tool="$build/bin/ardenvo-tool"
sqlite=${SQLITE3:-sqlite3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/bench_project_file" --write-house "$work/house.av"
"$tool" csv "$work/house.av" >"$work/rows.csv"
"$sqlite" "$work/house.db" ".import --csv $work/rows.csv objects"
name="lamp 1"

# The same rows both ways, or the comparison means nothing.
ours=$("$tool" search "$work/house.av" --names "$name" | grep -c '<tr>' || true)
theirs=$("$sqlite" "$work/house.db" "SELECT count(*) FROM objects WHERE Name LIKE '%$name%'")
echo "house: $(wc -c <"$work/house.av") bytes; rows named \"$name\": ardenvo-tool $ours, sqlite3 $theirs"
[ "$ours" = "$theirs" ] || { echo "the two searches found different rows" >&2; exit 1; }

# measure LABEL COMMAND...: one line of figures over RUNS runs.
measure() {
    label=$1
    shift
    : >"$work/times"
    i=0
    while [ "$i" -lt "$runs" ]; do
        /usr/bin/time -a -o "$work/times" -f '%e %U %S %M %R' "$@" >/dev/null
        i=$((i + 1))
    done
    awk -v label="$label" -v size="$(wc -c <"$work/house.av")" '
        NR == 1 || $1 < wall { wall = $1 }
        NR == 1 || $2 + $3 < cpu { cpu = $2 + $3 }
        $4 > rss { rss = $4 }
        NR == 1 || $5 < faults { faults = $5 }
        END { printf "%-22s wall %.2f s  cpu %.2f s  peak %.0f MiB (%.2f x file)  minor faults %d\n",
                     label, wall, cpu, rss / 1024, rss * 1024 / size, faults }' "$work/times"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
measure "ardenvo-tool check" "$tool" check "$work/house.av"
measure "ardenvo-tool info" "$tool" info "$work/house.av"
measure "ardenvo-tool reminders" "$tool" reminders "$work/house.av"
measure "ardenvo-tool search" "$tool" search "$work/house.av" --names "$name"
measure "sqlite3 same search" "$sqlite" "$work/house.db" \
    "SELECT Section, Room, \"Where\", Name FROM objects WHERE Name LIKE '%$name%'"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
