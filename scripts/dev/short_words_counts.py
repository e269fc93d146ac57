#!/usr/bin/env python3
"""Counts the entries (one per sense) and distinct words of 2-5 letters of a program folder's
dictionary, and lists words of resources/words/short.tsv that are neither stems of the spelling
dictionary nor in not-in-hunspell.txt (the test fails on those).
Usage: scripts/dev/short_words_counts.py PROGRAM_FOLDER [PROGRAM_FOLDER ...]
e.g. a folder where only `vezdar-cli import-thesaurus` ran, then build/ (thesaurus and supplement)."""
import collections, os, sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WORDS = os.path.join(ROOT, 'resources/words')


def fold(w):
    return w.lower().replace('ё', 'е')


def counts(folder):
    entries, words = collections.Counter(), collections.defaultdict(set)
    for n in range(2, 6):
        path = os.path.join(folder, 'DICT', f'dict.{n}')
        if not os.path.exists(path):
            continue
        lines = open(path, encoding='cp1251').read().split('\n')
        for w in lines[0::2]:
            w = fold(w.strip())
            if w:
                entries[n] += 1
                words[n].add(w)
    return entries, words


def main():
    stems = set()
    with open('/usr/share/hunspell/ru_RU.dic', encoding='utf-8') as f:
        f.readline()
        for line in f:
            stems.add(fold(line.split('/')[0].strip()))
    reviewed = {l.strip() for l in open(os.path.join(WORDS, 'not-in-hunspell.txt'), encoding='utf-8') if l.strip()}
    for line in open(os.path.join(WORDS, 'short.tsv'), encoding='utf-8'):
        w = line.split('\t')[0]
        if w not in stems and w not in reviewed:
            print('not in the spelling dictionary:', w)
    for folder in sys.argv[1:]:
        entries, words = counts(folder)
        print(folder)
        print('  len  entries  words')
        for n in range(2, 6):
            print(f'  {n:3} {entries[n]:8} {len(words[n]):6}')


main()
