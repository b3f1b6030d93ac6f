#!/bin/sh
# Draws docs/sheet.png, the README's picture of the sheet: the main window at 1366 x 740 on a copy
# of the starter database, under Qt's offscreen platform (no display needed).
set -e
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target sheetshot
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/makestarter "$work/starter.mdb"
mkdir -p docs
QT_QPA_PLATFORM=offscreen build/sheetshot "$work/starter.mdb" docs/sheet.png "$@"
echo "docs/sheet.png written"
