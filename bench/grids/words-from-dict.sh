#!/bin/sh
# Prints the words of a program folder's dictionary (DICT/dict.2 … dict.16, Windows-1251, a word
# line then a definition line) as UTF-8, one a line: the word list for the other filler of the
# comparison.  Usage: words-from-dict.sh PROGRAM_FOLDER > words.txt
set -e
for n in 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16; do
    f="$1/DICT/dict.$n"
    [ -f "$f" ] && awk 'NR % 2 == 1' "$f" | tr -d '\r' | iconv -f CP1251 -t UTF-8
done
