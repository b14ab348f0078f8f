#!/usr/bin/env bash
# Builds Scribblet for 32- and 64-bit Windows with MinGW-w64 and checks the
# 64-bit program under Wine: its tests, and one scripted session whose saved
# files must be byte for byte those of the Linux program.
#
# libjpeg comes from Debian's libjpeg-turbo source package, fetched with
# apt-get source through a private apt configuration whose deb-src entries
# are derived from the machine's own sources; the system's apt files are
# never changed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/install-deps.sh

# --- libjpeg-turbo's source, as Debian packages it -------------------------
apt_dir=$root/build-windows-apt
src_dir=$root/build-windows-src

# deb-src twins of the machine's deb entries, in both source-list formats.
derive_source_entries() {
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  rm -f "$apt_dir"/sources.list.d/*
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list 2>/dev/null \
    >"$apt_dir/sources.list" || true
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[^\n]*deb([ \n]|$)/ {
           gsub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
         }' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
  done
  for f in /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
  done
  cat >"$apt_dir/apt.conf" <<EOF
Dir::Etc::sourcelist "$apt_dir/sources.list";
Dir::Etc::sourceparts "$apt_dir/sources.list.d";
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir/cache";
APT::Sandbox::User "root";
EOF
}

# Prints the source folder; what apt and dpkg-source say goes to stderr.
fetch_libjpeg_source() {
  local found
  found=$(find "$src_dir" -maxdepth 2 -name jpeglib.h -path '*libjpeg-turbo-*' 2>/dev/null | head -1)
  if [ -z "$found" ]; then
    derive_source_entries
    APT_CONFIG=$apt_dir/apt.conf apt-get update -qq >&2
    mkdir -p "$src_dir"
    (cd "$src_dir" && APT_CONFIG=$apt_dir/apt.conf apt-get source -qq libjpeg-turbo) >&2
    found=$(find "$src_dir" -maxdepth 2 -name jpeglib.h -path '*libjpeg-turbo-*' | head -1)
  fi
  [ -n "$found" ] || { echo "libjpeg-turbo's source could not be fetched" >&2; exit 1; }
  dirname "$found"
}
jpeg_source=$(fetch_libjpeg_source)

# --- the Windows programs ----------------------------------------------------
# Both programs and their tests are built; 64-bit Windows runs them below
# (Wine on these machines cannot start 32-bit programs).
build_windows() {
  local dir=$1 toolchain=$2
  cmake -S windows -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DSCRIBBLET_JPEG_SOURCE="$jpeg_source" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
  tests/windows/check-imports.sh "$dir/app/scribblet.exe"
}
build_windows build-win32 mingw-w64-i686.cmake
build_windows build-win64 mingw-w64-x86_64.cmake

# --- the Linux program, for the comparison -----------------------------------
linux_build=${SCRIBBLET_LINUX_BUILD:-build-windows-linux}
cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux_build" --parallel "$(nproc)" --target scribblet

# --- under Wine ----------------------------------------------------------------
export WINEPREFIX=$root/build-win64/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export SCRIBBLET_WINE=/usr/lib/wine/wine64
screen=(xvfb-run -a -s "-screen 0 1280x1024x24")
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "${screen[@]}" "$SCRIBBLET_WINE" wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine manages its windows itself.
  "$SCRIBBLET_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  /usr/lib/wine/wineserver -w
fi

"${screen[@]}" ctest --test-dir build-win64 --output-on-failure --timeout 300

journey=$root/build-win64/journey
rm -rf "$journey"
"${screen[@]}" tests/windows/journey.sh linux "$journey/linux" "$linux_build/app/scribblet"
"${screen[@]}" tests/windows/journey.sh windows "$journey/windows" build-win64/app/scribblet.exe
/usr/lib/wine/wineserver -k 2>/dev/null || true
for file in drawing.bmp drawing.jpg; do
  cmp "$journey/linux/$file" "$journey/windows/$file"
  echo "same bytes on Linux and Windows: $file"
done
