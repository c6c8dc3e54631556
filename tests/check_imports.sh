#!/usr/bin/env bash
# Fails when an exe imports a DLL that Windows might load from the program's own
# folder: only DLLs that Windows always takes from its system directory are allowed.
set -euo pipefail
# comdlg32 (the setup program's file choosers) is a KnownDLL, so always the system's own.
allowed='^(kernel32|user32|msvcrt|advapi32|gdi32|ntdll|comdlg32)\.dll$'
status=0
for exe in "$@"; do
  dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$dlls" ] || { echo "$exe: no import table found"; status=1; continue; }
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
      echo "$exe imports $dll, which is not a system-directory-only DLL"
      status=1
    fi
  done <<< "$dlls"
  echo "$exe imports: $(echo $dlls)"
done
exit $status
