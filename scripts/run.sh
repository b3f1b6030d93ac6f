#!/usr/bin/env bash
# Builds Duskledger and starts it from the build folder. When no DSKLDG.ini stands beside the
# program, one is written that names the starter database made by the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
ini=build/DSKLDG.ini
if [ ! -e "$ini" ]; then
    printf '%s\r\n' "$(pwd)/build/Duskledger.mdb" > "$ini"
fi
exec build/duskledger
