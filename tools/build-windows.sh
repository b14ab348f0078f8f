#!/usr/bin/env bash
# Builds Scribblet for 32- and 64-bit Windows with MinGW-w64, with an archive
# and an installer for each, and checks the 64-bit program under Wine: its
# tests, one scripted session whose saved files must be byte for byte those of
# the Linux program, and the same session installed and unpacked from the
# packages (tests/windows/check-release.sh).
#
# libjpeg comes from Debian's libjpeg-turbo source package (tools/debian-source.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/install-deps.sh

# --- libjpeg-turbo's source, as Debian packages it -------------------------
jpeg_source=$(tools/debian-source.sh libjpeg-turbo "$root/build-debian-source")

# --- the Windows programs and their packages ---------------------------------
# Both programs and their tests are built; 64-bit Windows runs them below
# (Wine on these machines cannot start 32-bit programs). cpack makes the
# archive and the installer (windows/package.cmake).
build_windows() {
  local dir=$1 toolchain=$2
  cmake -S windows -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DSCRIBBLET_JPEG_SOURCE="$jpeg_source" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
  tests/windows/check-imports.sh "$dir/app/scribblet.exe"
  (cd "$dir" && cpack)
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
# No .NET, no HTML engine (Wine would offer to download both); no menu
# entries on this machine's desktop for the shortcuts that installers make.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export SCRIBBLET_WINE=/usr/lib/wine/wine64
screen=(xvfb-run -a -s "-screen 0 1280x1024x24")
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "${screen[@]}" "$SCRIBBLET_WINE" wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine manages its windows itself.
  "$SCRIBBLET_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  /usr/lib/wine/wineserver -w
fi
# Without its HTML engine the prefix opens no .html page: the shell's own
# browser, winebrowser, hands it to this machine's xdg-open.
"$SCRIBBLET_WINE" reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null

"${screen[@]}" ctest --test-dir build-win64 --output-on-failure --timeout 300

journey=$root/build-win64/journey
rm -rf "$journey"
tests/app/journey.py --out "$journey/linux" journey "$linux_build/app/scribblet"
tests/app/journey.py --out "$journey/windows" --wine journey build-win64/app/scribblet.exe
/usr/lib/wine/wineserver -k 2>/dev/null || true
for file in drawing.bmp drawing.jpg; do
  cmp "$journey/linux/$file" "$journey/windows/$file"
  echo "same bytes on Linux and Windows: $file"
done
"${screen[@]}" tests/windows/check-release.sh "$journey/linux"
