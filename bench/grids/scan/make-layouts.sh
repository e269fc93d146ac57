#!/bin/sh
# Composes the 15 x 10 scanword layouts of the filling comparisons with the builder's default
# settings (short-word check on, limits 2, 3, 16; area 7), seeds FIRST_SEED, FIRST_SEED+1, …
# skipping a seed that does not complete within 240 s, and writes layouts number FIRST … LAST, each
# as a grid file sNN.txt ('*' letter cell, '.' definition or outside) and a deck sNN.qxd (one line
# of cell ids cCCRR per word) for the other filler.
#   make-layouts.sh PATH_TO_VEZDAR_CLI [FIRST LAST FIRST_SEED]
# s01–s10 were made with "1 10 1", s11–s20 with "11 20 101".
set -e
cli=$1 n=$((${2:-1} - 1)) last=${3:-10} seed=$((${4:-1} - 1))
here=$(dirname "$0")
while [ "$n" -lt "$last" ]; do
    seed=$((seed + 1))
    out=$(mktemp)
    if "$cli" scan-layout --width 15 --height 10 --seed "$seed" --time-limit 240 > "$out"; then
        n=$((n + 1))
        name=$(printf 's%02d' "$n")
        head -n 10 "$out" | sed 's/[^*]/./g' > "$here/$name.txt"
        python3 "$here/grid-to-deck.py" "$here/$name.txt" > "$here/$name.qxd"
        echo "$name: seed $seed, $(tail -n 2 "$out" | head -n 1)"
    else
        echo "seed $seed: no layout within 240 s"
    fi
    rm -f "$out"
done
