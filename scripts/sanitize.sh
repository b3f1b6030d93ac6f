#!/usr/bin/env bash
# Builds Duskledger with AddressSanitizer and UndefinedBehaviorSanitizer and runs the whole default
# test suite there. Slow: the sanitized build is several times larger and slower than the normal one.
# Usage: scripts/sanitize.sh [build-folder]      (default: build-asan)
# Set JOBS to limit parallel compiles and tests (default: the number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
jobs=${JOBS:-$(nproc)}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDUSKLEDGER_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$jobs"

# Every finding stops its test with a report; leaks are findings too. Qt's offscreen platform and
# fontconfig keep a few process-lifetime caches that the leak checker would report on every test,
# so those are suppressed by library, never the project's own code.
supp="$PWD/$build/lsan.supp"
cat >"$supp" <<'SUPP'
leak:libfontconfig
leak:libQt6Gui
leak:libQt6Core
leak:libglib
SUPP
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$supp}
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" --timeout 1800
