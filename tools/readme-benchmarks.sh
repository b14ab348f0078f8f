#!/usr/bin/env bash
# Runs the README's benchmark commands exactly as written, each benchmark
# briefly, so that the README's paths and targets cannot drift from the build.
# Usage: tools/readme-benchmarks.sh   (CI runs it after the tests)
set -euo pipefail
cd "$(dirname "$0")/.."

# The first sh block after the "## Benchmarks" heading.
commands=$(awk '/^## Benchmarks/ { section = 1; next }
                section && /^```sh/ { block = 1; next }
                block && /^```/ { exit }
                block { print }' README.md)
[ -n "$commands" ] || { echo "README.md has no benchmark commands" >&2; exit 1; }

# Google Benchmark reads its flags from the environment too: one short
# measurement of each case is enough to prove that the command runs.
export BENCHMARK_MIN_TIME=0.01
while IFS= read -r line; do
  [ -n "$line" ] || continue
  echo "+ $line"
  bash -euo pipefail -c "$line"
done <<<"$commands"
