#!/usr/bin/env bash
# Installs the Debian packages Duskledger needs (only those missing), then configures and builds.
# Usage: scripts/setup.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libsqlite3-dev sqlite3 libgtest-dev
          libbenchmark-dev poppler-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
