#!/usr/bin/env bash
# Checks that each program is a GUI executable that imports system DLLs only
# (the C and C++ runtimes are linked statically). An argument that is a
# folder is a distribution folder: it must hold what setup.exe installs
# (dorvane.exe, setup.exe, readme.txt, the samples and the help pages), and
# both programs in it are checked.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|msvcrt|ws2_32|setupapi|version|shlwapi|msimg32)\.dll$|^winspool\.drv$'
status=0
programs=()
for arg in "$@"; do
  if [ -d "$arg" ]; then
    for f in dorvane.exe setup.exe readme.txt sample.ged help/301.html; do
      [ -f "$arg/$f" ] || { echo "check-pe: distribution folder $arg lacks $f"; status=1; }
    done
    programs+=("$arg/dorvane.exe" "$arg/setup.exe")
  else
    programs+=("$arg")
  fi
done
for exe in "${programs[@]}"; do
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
