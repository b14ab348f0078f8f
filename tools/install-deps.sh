#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package that building, running and
# testing Scribblet needs. Packages already present are left alone.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs
  fonts-ipafont-gothic qt6-translations-l10n
  file desktop-file-utils appstream
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64
  python3
  xvfb xauth xdotool x11-apps x11-utils imagemagick
  qt6-wayland wtype grim libwayland-dev
  clang-format
)

# The Windows build's checks: Wine alone, without the desktop extras that it
# recommends (sound, printing, its own fonts); the Wayland compositor of the
# tests without its terminal and wallpapers, and the X11 window manager
# without its settings program; dpkg-dev unpacks Debian sources.
lean_packages=(wine64 nasm dpkg-dev sway openbox)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_lean < <(missing "${lean_packages[@]}")
[ ${#missing_packages[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && exit 0

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
