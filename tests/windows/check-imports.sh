#!/usr/bin/env bash
# Checks that a Windows program runs alone: the only DLLs it imports are the
# system's own, none of the compiler's runtime.
#   check-imports.sh <program.exe>
set -euo pipefail
dlls=$(x86_64-w64-mingw32-objdump -p "$1" |
  sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]')
[ -n "$dlls" ] || { echo "$1: no imports found" >&2; exit 1; }
if grep -vxE '(KERNEL32|USER32|GDI32|COMDLG32|SHELL32|ADVAPI32|MSVCRT)\.DLL' <<<"$dlls"; then
  echo "$1 imports the DLLs above, which Windows does not ship" >&2; exit 1
fi
echo "$1 imports only system DLLs:" $dlls
