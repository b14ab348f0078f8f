#!/usr/bin/env bash
# Installs what is missing, builds Scribblet and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target scribblet
exec build/app/scribblet "$@"
