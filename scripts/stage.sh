#!/usr/bin/env bash
# Stages the default program folder beside the executables in BUILD_DIR. Files already there are
# kept as they are: a user's settings, storages, documents and dictionary are never overwritten.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build}
mkdir -p "$out"
# Copy the default data, skipping every file that exists.
cp -rn data/. "$out"/
