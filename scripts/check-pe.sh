#!/usr/bin/env bash
# Checks that each program is a GUI executable that imports system DLLs only
# (the C and C++ runtimes are linked statically).
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|msvcrt|ws2_32|setupapi|version|shlwapi|msimg32)\.dll$|^winspool\.drv$'
status=0
for exe in "$@"; do
  desc=$(file -b "$exe")
  case "$desc" in
    *"(GUI)"*) ;;
    *) echo "check-pe: $exe is not a GUI program: $desc"; status=1 ;;
  esac
  triplet=i686-w64-mingw32; case "$desc" in *x86-64*) triplet=x86_64-w64-mingw32 ;; esac
  for dll in $($triplet-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
    if ! [[ $dll =~ $allowed ]]; then echo "check-pe: $exe imports $dll"; status=1; fi
  done
  echo "check-pe: $exe: $desc"
done
exit $status
