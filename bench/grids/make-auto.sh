#!/bin/sh
# Makes the automatic-grid part of the benchmark set: ten shapes each of 11 x 11, 15 x 15 and
# 21 x 21 (symmetry 1) from fixed seeds, as auto-SS-NN.txt with their decks auto-SS-NN.qxd.
# Usage: make-auto.sh VEZDAR_CLI   (a vezdar-cli that has the autogrid command)
set -e
cli="$1"
dir=$(dirname "$0")
for size in 11 15 21; do
    "$cli" autogrid --width $size --height $size --symmetry 1 --count 10 --seed ${size}00 |
        awk -v out="$dir/auto-$size-" '
            /^[*.]+$/ { if (!open) { n++; file = sprintf("%s%02d.txt", out, n); printf "" > file; open = 1 }
                        print >> file; next }
            { if (open) close(file); open = 0 }'
    for f in "$dir"/auto-$size-*.txt; do python3 "$dir/deck-from-grid.py" "$f" > "${f%.txt}.qxd"; done
done
