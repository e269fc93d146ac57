#!/usr/bin/env python3
"""Counts distinct words per length (2-5) in the thesaurus, in resources/words/short.tsv and in both,
and lists supplement words the spelling dictionary lacks (they must be in not-in-hunspell.txt).
Usage: scripts/dev/short_words_counts.py [short.tsv]"""
import os, re, sys, collections

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TSV = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'resources/words/short.tsv')
WORD = re.compile('^[а-я]{2,16}$')

def fold(w):
    return w.lower().replace('ё', 'е')

def thesaurus(path='/usr/share/mythes/th_ru_RU_v2.dat'):
    words = set()
    with open(path, encoding='utf-8-sig') as f:
        f.readline()  # encoding name
        for line in f:
            line = line.rstrip('\n')
            parts = line.split('|')
            if line.startswith('('):
                parts = parts[1:]
            elif len(parts) == 2 and parts[1].isdigit():
                parts = parts[:1]
            for p in parts:
                p = fold(p.strip())
                if WORD.match(p):
                    words.add(p)
    return words

def main():
    th = thesaurus()
    stems = set()
    with open('/usr/share/hunspell/ru_RU.dic', encoding='utf-8') as f:
        f.readline()
        for line in f:
            stems.add(fold(line.split('/')[0].strip()))
    reviewed = set()
    rp = os.path.join(os.path.dirname(TSV), 'not-in-hunspell.txt')
    if os.path.exists(rp):
        reviewed = {l.strip() for l in open(rp, encoding='utf-8') if l.strip()}
    sup = set()
    for line in open(TSV, encoding='utf-8'):
        w = line.split('\t')[0]
        sup.add(w)
        if w not in stems and w not in reviewed:
            print('not in hunspell:', w)
    ct, cs, cn, ca = (collections.Counter(len(w) for w in s) for s in (th, sup, sup - th, th | sup))
    print('len  thesaurus  supplement  new  total')
    for n in range(2, 6):
        print(f'{n:3} {ct[n]:10} {cs[n]:11} {cn[n]:4} {ca[n]:6}')

main()
