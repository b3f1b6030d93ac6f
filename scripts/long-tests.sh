#!/usr/bin/env bash
# The long fault tests, kept out of the default test run: kill -9 of the program in the middle of
# saves (50 times; DUSKLEDGER_KILL_ROUNDS changes that), a thousand damaged and foreign files,
# read-only, deleted, moved and replaced files, a full disk (a small tmpfs where the run may mount
# one, that is as root; skipped with a note otherwise), hostile names, and a random walk of user
# operations (DUSKLEDGER_SOAK_SEED, DUSKLEDGER_SOAK_STEPS).
# Their temporary files go to /dev/shm when it has room, unless TMPDIR is set.
# Usage: scripts/long-tests.sh [build-folder]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/setup.sh "$build"
cmake --build "$build" --target test_hardening -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ./test_hardening
