#!/usr/bin/env bash
# The Windows packages as a user meets them: both archives' files, both programs' and installers'
# version information; in Wine's prefix the 64-bit installer run silently (files, shortcut,
# uninstall entry), the installed program's journey, the silent uninstaller (the prefix must be as
# before), and the journey from the 64-bit archive unpacked into a folder named in Japanese.
#   check-release.sh <the Linux journey's folder>    (WINEPREFIX, SCRIBBLET_WINE set)
set -euo pipefail
cd "$(dirname "$0")/../.."
linux=$(realpath "$1") out=$PWD/build-win64/release
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win64/CMakeCache.txt)
unpacked="$WINEPREFIX/drive_c/お絵かき ソフト" home="$WINEPREFIX/drive_c/Program Files/Scribblet"
fail() { echo "release check: $*" >&2; exit 1; }
wine() { LC_ALL=ja_JP.UTF-8 timeout 120 "$SCRIBBLET_WINE" "$@"; }
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
journey() { # <name> <program>: its saved files must be the Linux program's
  # The prefix's processes that the installer started (its desktop among them) end first: they
  # belong to this script's X server, and the program must have the journey's as its desktop.
  timeout 120 /usr/lib/wine/wineserver -w
  tests/app/journey.py --out "$out/$1" --wine journey "$2"
  for file in drawing.bmp drawing.jpg; do cmp "$linux/$file" "$out/$1/$file"; done; }
# After a restart, which deletes what an uninstaller of NSIS leaves there, of itself: drive C: but
# Temp, and the registry but the date Wine gives the display's driver on each X server.
snapshot() {
  timeout 120 /usr/lib/wine/wineserver -w && wine wineboot -r && timeout 120 /usr/lib/wine/wineserver -w
  (cd "$WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | LC_ALL=C sort &&
    sed -e '/^#time=/d' -e '/^"DriverDateData"=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' system.reg); }
rm -rf "$out" "$unpacked" && mkdir -p "$out"
[ ! -e "$home/Uninstall.exe" ] || wine "$home/Uninstall.exe" /S # an earlier run's, stopped
# The program, its help page where it looks (share/ beside its bin/), the icon and the read-me.
files=(README.txt bin/scribblet.exe share/icons/scribblet.ico share/scribblet/help/index.html)
for arch in win32 win64; do
  unzip -q -d "$unpacked" "build-$arch/scribblet-$version-$arch.zip"
  diff <(printf '%s\n' "${files[@]}") <(files_in "$unpacked/scribblet-$version-$arch") ||
    fail "scribblet-$version-$arch.zip holds other files (< wanted, > held)"
done
# The version information (Japanese and neutral in the programs) and each file's architecture.
/usr/bin/python3 - "$version" "$unpacked"/*/bin/scribblet.exe build-win{32,64}/*.exe <<'EOF'
import pefile, sys
for path, version in ((path, sys.argv[1]) for path in sys.argv[2:]):
    pe = pefile.PE(path)
    tables = {t.LangID.decode().lower(): {k.decode(): v.decode() for k, v in t.entries.items()}
              for group in pe.FileInfo for info in group for t in getattr(info, "StringTable", [])}
    fixed = "%08x%08x" % (pe.VS_FIXEDFILEINFO[0].FileVersionMS, pe.VS_FIXEDFILEINFO[0].FileVersionLS)
    print(path, hex(pe.FILE_HEADER.Machine), fixed, tables)
    assert pe.FILE_HEADER.Machine == (0x8664 if path.rsplit("-win", 1)[1][:2] == "64" else 0x14C)
    assert fixed == "".join("%04x" % int(n) for n in (version + ".0.0.0").split(".")[:4])
    assert set(tables) == ({"041103a4"} if path.startswith("build-") else {"041104b0", "000004b0"})
    assert all(t["ProductName"] == "Scribblet" and t["ProductVersion"] == version for t in tables.values())
EOF
before=$(snapshot)
wine "build-win64/scribblet-$version-win64.exe" /S
diff <(printf '%s\n' "${files[@]}" Uninstall.exe | LC_ALL=C sort) <(files_in "$home") ||
  fail "the installer installed other files (< wanted, > installed)"
# The Start menu's shortcut: its target, from the link information, and its icon.
/usr/bin/python3 - "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scribblet.lnk" <<'EOF'
import struct, sys
link, program = open(sys.argv[1], "rb").read(), "C:\\Program Files\\Scribblet\\bin\\scribblet.exe"
number = lambda form, at: struct.unpack_from(form, link, at)[0]
flags, at, strings = number("<I", 20), 78 + number("<H", 76), {}  # the link information
target, at = link[at + number("<I", at + 16):].split(b"\0")[0].decode(), at + number("<I", at)
for bit in (4, 8, 16, 32, 64):  # name, relative path, working folder, arguments, icon
    if flags & bit:  # counted UTF-16 strings
        strings[bit], at = link[at + 2:(end := at + 2 + 2 * number("<H", at))].decode("utf-16-le"), end
print("shortcut:", target, strings)
assert flags & 3 == 3 and target == program and strings[64].strip("\0") == program
EOF
at='C:\Program Files\Scribblet'
diff <(printf '%s\n' "DisplayIcon REG_SZ $at\bin\scribblet.exe" 'DisplayName REG_SZ Scribblet' \
  "DisplayVersion REG_SZ $version" 'EstimatedSize REG_DWORD (KiB)' "InstallLocation REG_SZ $at" \
  'NoModify REG_DWORD 0x1' 'NoRepair REG_DWORD 0x1' 'Publisher REG_SZ Scribblet maintainers' \
  "QuietUninstallString REG_SZ \"$at\Uninstall.exe\" /S" "UninstallString REG_SZ \"$at\Uninstall.exe\"") \
  <(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scribblet' /reg:64 |
    tr -d '\r' | sed -nE 's/^ +//; s/ {4}/ /g; s/(EstimatedSize REG_DWORD) 0x[1-9a-f].*/\1 (KiB)/; /REG_/p') ||
  fail "the uninstall entry differs (< wanted, > written)"
journey installed "$home/bin/scribblet.exe"
wine "$home/Uninstall.exe" /S
diff <(echo "$before") <(snapshot) || fail "the uninstaller left the prefix otherwise (< before, > after)"
journey unpacked "$unpacked/scribblet-$version-win64/bin/scribblet.exe"
rm -rf "$unpacked"
echo "release check: both archives and installers read back, the 64-bit ones run"
