#!/usr/bin/env bash
# Sets Vezdar up on a Debian machine and then either starts the program (run) or runs every test
# (test). Safe to repeat: packages are installed only when missing, the build is incremental and the
# program folder's existing files are never overwritten.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-run}

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
bash scripts/stage.sh build

case "$mode" in
run)
    exec ./build/vezdar
    ;;
test)
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: scripts/setup.sh run|test" >&2
    exit 2
    ;;
esac
