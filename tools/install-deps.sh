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
  xvfb xauth xdotool x11-apps imagemagick
  qt6-wayland wtype grim libwayland-dev
  clang-format
)

# The Windows build's checks: Wine alone, without the desktop extras that it
# recommends (sound, printing, its own fonts); the Wayland compositor of the
# tests without its terminal and wallpapers; dpkg-dev unpacks Debian sources.
# The Windows packages: NSIS makes the installers, zip the archives, pefile
# reads back the programs' version information; locales makes the Japanese
# locale that Wine runs the program in.
lean_packages=(wine64 nasm dpkg-dev sway nsis zip unzip python3-pefile locales)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_lean < <(missing "${lean_packages[@]}")
# Wine takes a Japanese Windows' code page (932) from LC_ALL=ja_JP.UTF-8, but
# reads file names and command lines that are not ASCII only when the
# locale exists.
japanese_locale=$(locale -a | grep -x 'ja_JP.utf8' || true)
[ ${#missing_packages[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && [ -n "$japanese_locale" ] &&
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
[ -n "$japanese_locale" ] || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
