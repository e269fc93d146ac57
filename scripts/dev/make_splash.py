#!/usr/bin/env python3
"""Draws the default splash picture data/CROS/Vez.jpg (ImageMagick's convert is needed only here).

A crossword-like grid over a blue gradient: a symmetric pattern of letter squares and blocks, cell
numbers, and a few words written in. Run from the repository root: scripts/dev/make_splash.py
"""
import random
import subprocess

W, H, CELL = 1600, 1200, 48
COLS, ROWS = W // CELL + 1, H // CELL + 1
rnd = random.Random(7)

# Blocks: a 180-degree symmetric pattern repeated over the picture.
N = 15
block = [[False] * N for _ in range(N)]
for y in range(N):
    for x in range(N):
        if (x % 4 == 3 and y % 4 == 3) or rnd.random() < 0.10:
            block[y][x] = block[N - 1 - y][N - 1 - x] = True

words = {(6, 10): "ВЕЗДАР", (3, 13): "КРОССВОРД", (9, 16): "СКАНВОРД", (15, 9): "СЛОВАРЬ"}
letters = {}
for (row, col), w in words.items():
    for i, ch in enumerate(w):
        letters[(row, col + i)] = ch

mvg = ["stroke '#23395b' stroke-width 2"]
number = 0
for r in range(ROWS):
    for c in range(COLS):
        x0, y0 = c * CELL, r * CELL
        if (r, c) not in letters and block[r % N][c % N]:
            mvg.append(f"fill '#1b2a41' rectangle {x0},{y0} {x0 + CELL},{y0 + CELL}")
            continue
        mvg.append(f"fill '#f4f1e8' fill-opacity 0.92 rectangle {x0},{y0} {x0 + CELL},{y0 + CELL}")
        starts = c == 0 or block[r % N][(c - 1) % N] or r == 0 or block[(r - 1) % N][c % N]
        if starts and rnd.random() < 0.35:
            number += 1
            mvg.append(f"fill '#8a1c1c' fill-opacity 1 font-size 12 text {x0 + 3},{y0 + 13} '{(number - 1) % 99 + 1}'")
for (r, c), ch in letters.items():
    x0, y0 = c * CELL, r * CELL
    mvg.append(f"fill '#12355b' fill-opacity 1 font-size 30 text {x0 + 13},{y0 + 36} '{ch}'")

subprocess.run(["convert", "-size", f"{W}x{H}", "gradient:#5fa8d3-#1b4965",
                "-font", "DejaVu-Sans-Bold", "-draw", " ".join(mvg),
                "-quality", "85", "data/CROS/Vez.jpg"], check=True)
