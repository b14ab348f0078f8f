#!/usr/bin/env bash
# Checks that a Windows program runs alone: the only DLLs it imports are the
# system's own, none of the compiler's runtime.
#   check-imports.sh <program.exe>
set -euo pipefail
program=$1
allowed='^(KERNEL32|USER32|GDI32|COMDLG32|SHELL32|ADVAPI32|MSVCRT)\.DLL$'
mapfile -t dlls < <(x86_64-w64-mingw32-objdump -p "$program" |
  sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]')
[ ${#dlls[@]} -gt 0 ] || { echo "$program: no imports found" >&2; exit 1; }
status=0
for dll in "${dlls[@]}"; do
  [[ $dll =~ $allowed ]] || { echo "$program imports $dll, which Windows does not ship" >&2; status=1; }
done
[ $status -eq 0 ] && echo "$program imports only system DLLs: ${dlls[*]}"
exit $status
