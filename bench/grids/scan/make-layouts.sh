#!/bin/sh
# Composes the ten 15 x 10 scanword layouts of the filling comparison with the builder's default
# settings (short-word check on, limits 2, 3, 16; area 7; seeds 1 … 10) and writes each as a grid
# file sNN.txt ('*' letter cell, '.' definition or outside) and a deck sNN.qxd (one line of cell ids
# cCCRR per word) for the other filler.  Usage: make-layouts.sh PATH_TO_VEZDAR_CLI
set -e
cli=$1
here=$(dirname "$0")
for seed in 1 2 3 4 5 6 7 8 9 10; do
    name=$(printf 's%02d' "$seed")
    "$cli" scan-layout --width 15 --height 10 --seed "$seed" --time-limit 600 |
        head -n 10 | sed 's/[^*]/./g' > "$here/$name.txt"
    python3 "$here/grid-to-deck.py" "$here/$name.txt" > "$here/$name.qxd"
done
