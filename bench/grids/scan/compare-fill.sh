#!/bin/sh
# Fills the first COUNT layouts (s01 …) with the program's engine (vezdar-cli bench fill) and with
# Qxw's batch filler on the same word list, and prints the times.
#   compare-fill.sh PATH_TO_VEZDAR_CLI PROGRAM_FOLDER [RUNS] [TIME_LIMIT] [COUNT]
set -e
cli=$1 home=$2 runs=${3:-5} limit=${4:-60} count=${5:-10}
here=$(dirname "$0")
grids="" decks=""
for i in $(seq 1 "$count"); do
    n=$(printf '%02d' "$i")
    grids="$grids $here/s$n.txt" decks="$decks $here/s$n.qxd"
done
words=$(mktemp)
trap 'rm -f "$words"' EXIT
sh "$here/../words-from-dict.sh" "$home" > "$words"
VEZDAR_HOME=$home "$cli" bench fill --runs "$runs" --rules follow --time-limit "$limit" $grids
echo "qxw: wall seconds per run (filled words / words)"
for deck in $decks; do
    line=$(basename "$deck")
    for r in $(seq "$runs"); do
        start=$(date +%s.%N)
        filled=$(timeout "$limit" /usr/games/qxw -b -a RU -d "$words" "$deck" 2>/dev/null | grep -c '^W' || true)
        end=$(date +%s.%N)
        line="$line $(echo "$end - $start" | bc | sed 's/^\./0./') ($filled/$(grep -c . "$deck"))"
    done
    echo "$line"
done
