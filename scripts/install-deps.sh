#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the default data need, when any is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev mythes-ru
      hunspell-ru fonts-dejavu-core fonts-liberation2 libgtest-dev libbenchmark-dev xvfb xauth)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
