#!/usr/bin/env bash
# The Debian package as a user meets it: made by cpack from a build folder
# whose program and icons are built, its contents and dependencies read back
# with dpkg-deb, installed with apt-get, the installed program run once on
# Xvfb, and removed again.
#   tests/package/check-package.sh <build folder>
# Installs into /usr and removes any installed scribblet package: for
# throw-away machines (CI), as root. Leaves the package and a screenshot of
# the installed program in <build folder>/package/.
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
out=$build/package
fail() { echo "package check: $*" >&2; exit 1; }
# Runs a command with its output kept in <name>.log, shown if it fails.
logged() {
  local name=$1; shift
  "$@" >"$out/$name.log" 2>&1 || { cat "$out/$name.log" >&2; fail "$name failed"; }
}
[ "$(id -u)" -eq 0 ] || fail "installs into /usr: run it as root, on a machine that may be changed"

# Every file that the package installs, and nothing else.
readonly installed_files=(
  /usr/bin/scribblet
  /usr/share/applications/scribblet.desktop
  /usr/share/icons/hicolor/16x16/apps/scribblet.png
  /usr/share/icons/hicolor/32x32/apps/scribblet.png
  /usr/share/icons/hicolor/48x48/apps/scribblet.png
  /usr/share/icons/hicolor/256x256/apps/scribblet.png
  /usr/share/metainfo/example.c_seed_9465e1d6.scribblet.metainfo.xml
  /usr/share/scribblet/help/index.html
)
# Found by dpkg-shlibdeps from the program's libraries, and added by hand.
readonly dependencies=(libc6 libstdc++6 libjpeg62-turbo libqt6core6 libqt6gui6 libqt6widgets6
  fonts-ipafont-gothic)

rm -rf "$out"
mkdir -p "$out"
logged cpack cpack --config "$build/CPackConfig.cmake" -B "$out"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
# The name carries the package, the version and the architecture.
deb=$out/scribblet_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"
# Contents: the files above, each once.
diff <(printf '%s\n' "${installed_files[@]}" | LC_ALL=C sort) \
     <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | LC_ALL=C sort) ||
  fail "the package's files differ from the list (< wanted, > packaged)"
# What a software centre reads: the metainfo and the desktop entry it names.
dpkg-deb --extract "$deb" "$out/tree"
logged metainfo appstreamcli validate-tree --no-net "$out/tree"
depends=$(dpkg-deb --field "$deb" Depends)
for package in "${dependencies[@]}"; do
  [[ " $(tr ',|' '  ' <<<"$depends") " == *" $package "* ]] || fail "Depends lacks $package: $depends"
done
# Installed with what it depends on; the same path as a user's.
logged install env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
# The journey of tests/app: draws, saves, hands its help page to the browser
# and ends with status 0; its screenshot.png is res/desktop/screenshot.png.
python3 "$here/../app/journey.py" --out "$out" journey /usr/bin/scribblet ||
  fail "the installed program did not run as it should"
logged remove env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq scribblet
for file in "${installed_files[@]}" /usr/share/scribblet; do
  [ ! -e "$file" ] || fail "$file is still there after apt-get remove"
done
echo "package check: $(basename "$deb") built, installed, run and removed"
