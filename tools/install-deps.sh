#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that Scribblet needs.
# Packages already present are left alone.
#
#   install-deps.sh program   what building and running the program needs
#   install-deps.sh           that, and what the tests, the Windows build and
#                             CI need besides
set -euo pipefail

# The compiler, Qt 6 Widgets, libjpeg (6b interface); Python, which draws the
# icons, and MinGW-w64's windres with its C compiler and Windows headers,
# which compile the resource script; the Japanese font that every text is
# drawn with, Qt's Japanese texts and Qt on Wayland.
program_packages=(
  cmake g++ make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  python3 gcc-mingw-w64-x86-64
  fonts-ipafont-gothic qt6-translations-l10n qt6-wayland
)

# The tests, the Windows build, the Debian package and CI: GoogleTest and
# Google Benchmark, cjpeg, the desktop files' validators, file (which CPack
# runs to find the package's dependencies), MinGW-w64, the X server's and the
# Wayland compositor's tools, the style and coverage tools.
test_packages=(
  pkg-config
  libjpeg-turbo-progs
  file desktop-file-utils appstream
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  xvfb xauth xdotool x11-apps x11-utils imagemagick
  wtype grim libwayland-dev
  clang-format gcovr
)

# The Windows build's checks: Wine alone, without the desktop extras that it
# recommends (sound, printing, its own fonts); the Wayland compositor of the
# tests without its terminal and wallpapers, and the X11 window manager
# without its settings program; dpkg-dev unpacks Debian sources.
# The Windows packages: NSIS makes the installers, zip the archives, pefile
# reads back the programs' version information; locales makes the Japanese
# locale that Wine runs the program in.
lean_packages=(wine64 nasm dpkg-dev sway openbox nsis zip unzip python3-pefile locales)

# Wine takes a Japanese Windows' code page (932) from LC_ALL=ja_JP.UTF-8, but
# reads file names and command lines that are not ASCII only when the
# locale exists.
locale_wanted=ja_JP.utf8
if [ "${1:-}" = program ]; then
  test_packages=() lean_packages=() locale_wanted=
fi
packages=("${program_packages[@]}" "${test_packages[@]}")

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_lean < <(missing "${lean_packages[@]}")
missing_locale=
[ -z "$locale_wanted" ] || locale -a | grep -qx "$locale_wanted" || missing_locale=yes
[ ${#missing_packages[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && [ -z "$missing_locale" ] &&
  exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
install() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$@"
}
$sudo apt-get update -qq
# With what the packages recommend: Qt's platform plugins and translations,
# and the fonts that the program's texts are drawn with.
[ ${#missing_packages[@]} -eq 0 ] || install "${missing_packages[@]}"
[ ${#missing_lean[@]} -eq 0 ] || install --no-install-recommends "${missing_lean[@]}"
[ -z "$missing_locale" ] || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
