#!/usr/bin/env bash
# The share of platform/'s lines that the program reaches as a person uses
# it: a Debug build with coverage (build-coverage/) runs only the program's
# own tests — in-process (app_tests), its writers (export_tests) and the
# journeys on X11 and Wayland — then prints the lines of platform/ that ran.
# Those that did not are in build-coverage/coverage.txt (per file) and
# build-coverage/coverage/index.html (line by line). Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
dir=build-coverage
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
  -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$dir" --parallel "$(nproc)" \
  --target scribblet app_tests export_tests virtual_pointer
find "$dir" -name '*.gcda' -delete

"$dir/tests/export/export_tests"
# The in-process program's tests and the journeys are the tests named App*.
ctest --test-dir "$dir" --output-on-failure --timeout 600 -R '^App'

mkdir -p "$dir/coverage"
gcovr --root . --filter platform/ --print-summary --txt "$dir/coverage.txt" \
  --html-details "$dir/coverage/index.html" "$dir"
