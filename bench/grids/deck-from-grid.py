#!/usr/bin/env python3
"""Prints the deck of a grid file for the other filler of the comparison: one line per word, the
cells of the word as cXXYY (column, row, from 1), words in slot order (row by row, an across word
before a down word starting in the same cell).  Usage: deck-from-grid.py GRID.txt > GRID.qxd"""
import sys

rows = [line.rstrip('\r\n ') for line in open(sys.argv[1])]
rows = [r for r in rows if r]
h, w = len(rows), max(len(r) for r in rows)
cell = lambda x, y: 0 <= y < h and 0 <= x < len(rows[y]) and rows[y][x] == '*'
for y in range(h):
    for x in range(w):
        if not cell(x, y):
            continue
        for dx, dy in ((1, 0), (0, 1)):
            if cell(x + dx, y + dy) and not cell(x - dx, y - dy):
                cells, k = [], 0
                while cell(x + k * dx, y + k * dy):
                    cells.append('c%02d%02d' % (x + k * dx + 1, y + k * dy + 1))
                    k += 1
                print(' '.join(cells))
