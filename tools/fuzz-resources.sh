#!/usr/bin/env bash
# Builds the resource reader's libFuzzer target with clang (outside the g++
# build) and runs it for a while, seeded with a compiled resource file.
#   tools/fuzz-resources.sh SEED.res WORK-FOLDER [SECONDS]
# The target is rebuilt only when a source is newer; the corpus in
# WORK-FOLDER/corpus grows from run to run. Any crash fails the run and leaves
# its input in WORK-FOLDER.
set -euo pipefail
seed=$1
work=$(mkdir -p "$2" && cd "$2" && pwd)
seconds=${3:-20}
root=$(cd "$(dirname "$0")/.." && pwd)

sources=(
  "$root"/platform/resources/{accelerator_resource,byte_reader,dialog_template,icon_resource}.cpp
  "$root"/platform/resources/{menu_resource,resource_file,string_table,utf16}.cpp
  "$root"/tests/resources/fuzz_resources.cpp
)
headers=("$root"/platform/resources/*.h "$root"/platform/platform.h)
target=$work/fuzz_resources

mkdir -p "$work/corpus"
cp "$seed" "$work/corpus/scribblet.res"

stale=0
[ -x "$target" ] || stale=1
for f in "${sources[@]}" "${headers[@]}"; do
  [ "$f" -nt "$target" ] && stale=1
done
if [ "$stale" -eq 1 ]; then
  ${FUZZ_CXX:-clang++} -std=c++20 -g -O1 -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" "${sources[@]}" -o "$target"
fi

cd "$work"
"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 corpus
