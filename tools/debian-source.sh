#!/usr/bin/env bash
# Prints the folder of a Debian source package, unpacked under CACHE (once;
# later calls find it there). The package is fetched with apt-get source
# through a private apt configuration whose deb-src entries are derived from
# the machine's own sources; the system's apt files are never changed.
# What apt and dpkg-source say goes to the standard error stream.
#
#   debian-source.sh PACKAGE CACHE
set -euo pipefail
package=$1
cache=$(realpath -m "$2")
apt_dir=$cache/apt

unpacked() {
  find "$cache" -mindepth 1 -maxdepth 1 -type d -name "$package-[0-9]*" 2>/dev/null | head -1 || true
}

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
  cat >"$apt_dir/apt.conf" <<CONF
Dir::Etc::sourcelist "$apt_dir/sources.list";
Dir::Etc::sourceparts "$apt_dir/sources.list.d";
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir/cache";
APT::Sandbox::User "root";
CONF
}

mkdir -p "$cache"
found=$(unpacked)
if [ -z "$found" ]; then
  # The lists are read once and kept for the next package.
  if [ ! -f "$apt_dir/apt.conf" ]; then
    derive_source_entries
    APT_CONFIG=$apt_dir/apt.conf apt-get update -qq >&2
  fi
  (cd "$cache" && APT_CONFIG=$apt_dir/apt.conf apt-get source -qq "$package") >&2
  found=$(unpacked)
fi
[ -n "$found" ] || { echo "$package's source could not be fetched" >&2; exit 1; }
echo "$found"
