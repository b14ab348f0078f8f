#!/usr/bin/env bash
# Installs what building and running Scribblet needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh program
# A new build folder is made without the tests, whose packages running does
# not need; one that tools/test.sh made keeps them.
testing=()
[ -f build/CMakeCache.txt ] || testing=(-DBUILD_TESTING=OFF)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${testing[@]}" >/dev/null
cmake --build build --parallel "$(nproc)" --target scribblet
exec build/app/scribblet "$@"
