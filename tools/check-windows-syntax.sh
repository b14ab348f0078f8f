#!/usr/bin/env bash
# Compiles the program's own code (app/, canvas/, export/) against the
# MinGW-w64 Windows headers, syntax only, so that it stays real Windows code.
# Narrow texts are CP932 there: the UTF-8 sources are compiled with that
# execution character set. libjpeg's headers come from the host, after the
# MinGW headers: only jpeglib.h and its companions, copied apart.
set -euo pipefail
cd "$(dirname "$0")/.."
cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++}
multiarch=$(gcc -print-multiarch)
jpeg_headers=$(mktemp -d)
trap 'rm -rf "$jpeg_headers"' EXIT
cp /usr/include/jpeglib.h /usr/include/jerror.h /usr/include/jmorecfg.h \
   "/usr/include/$multiarch/jconfig.h" "$jpeg_headers/"
mapfile -t sources < <(find app canvas export -name '*.cpp' | sort)
[ ${#sources[@]} -gt 0 ] || { echo "no sources to check"; exit 1; }
for src in "${sources[@]}"; do
  "$cxx" -fsyntax-only -std=c++20 -Wall -Wextra -Werror \
    -finput-charset=UTF-8 -fexec-charset=CP932 \
    -I. -idirafter "$jpeg_headers" \
    "$src"
  echo "ok $src"
done
