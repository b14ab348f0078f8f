#!/usr/bin/env bash
# Installs what is missing, builds Scribblet twice (plain, and with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test of both.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

export QT_QPA_PLATFORM=offscreen
# Leaks inside system libraries (fontconfig, Qt plugins) are not ours.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"

# With the tests on: a build folder that tools/run.sh made has them off.
build_and_test() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DBUILD_TESTING=ON "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
  ctest --test-dir "$dir" --output-on-failure --timeout 600
}

build_and_test build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  build_and_test build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSCRIBBLET_SANITIZE=ON
