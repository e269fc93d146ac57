#!/usr/bin/env python3
"""Prints the deck of a grid file: one line per word (a run of two or more '*' cells), across
words first then down words, each as its cell ids cCCRR (column, row, from 1)."""
import sys

rows = [line.rstrip("\n") for line in open(sys.argv[1]) if line.strip()]
h, w = len(rows), len(rows[0])
cell = lambda x, y: 0 <= y < h and 0 <= x < w and rows[y][x] == "*"
for dx, dy in ((1, 0), (0, 1)):
    for y in range(h):
        for x in range(w):
            if not cell(x, y) or cell(x - dx, y - dy):
                continue
            run = []
            while cell(x + dx * len(run), y + dy * len(run)):
                run.append((x + dx * len(run), y + dy * len(run)))
            if len(run) >= 2:
                print(" ".join("c%02d%02d" % (cx + 1, cy + 1) for cx, cy in run))
