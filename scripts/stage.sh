#!/usr/bin/env bash
# Stages the default program folder beside the executables in BUILD_DIR. Files already there are
# kept as they are: a user's settings, storages, documents and dictionary are never overwritten.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build}
mkdir -p "$out"
# Copy the default data, skipping every file that exists.
cp -rn data/. "$out"/

cli="$out/vezdar-cli"
if [ ! -x "$cli" ]; then
    echo "stage.sh: $cli is missing; build it first" >&2
    exit 1
fi

mkdir -p "$out/CROS" "$out/SCAN"
# Generated sound files; make-sounds keeps every file that is already there.
"$cli" make-sounds "$out/Sound" >/dev/null

# The default dictionary is built only once: an existing DICT belongs to the user. It is built in a
# scratch folder and moved into place at the end, so an interrupted build never leaves half a DICT.
if [ ! -e "$out/DICT" ]; then
    thesaurus=/usr/share/mythes/th_ru_RU_v2.dat
    scratch=$(mktemp -d "$out/.dict-build.XXXXXX")
    trap 'rm -rf "$scratch"' EXIT
    echo "Building the default dictionary from $thesaurus"
    VEZDAR_HOME="$scratch" "$cli" import-thesaurus "$thesaurus" --skip resources/thesaurus-damaged.txt
    for words in resources/words/*.tsv; do
        [ -e "$words" ] || continue
        echo "Adding $words"
        VEZDAR_HOME="$scratch" "$cli" import-words "$words"
    done
    mv "$scratch/DICT" "$out/DICT"
fi
