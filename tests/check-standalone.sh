#!/usr/bin/env bash
# Checks that a built nerula.exe (or a test plug-in) is a Windows module of the expected
# architecture that needs no DLL beyond those Windows itself has (the C++ runtime is linked in).
#   check-standalone.sh PROGRAM FORMAT      (FORMAT: pei-i386 or pei-x86-64)
set -euo pipefail
program=$1
format=$2
objdump -f "$program" | grep -q "file format $format" || {
    echo "$program is not $format"
    exit 1
}
imports=$(objdump -p "$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports: $(echo $imports)"
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | comctl32.dll | shell32.dll | ole32.dll | \
        oleaut32.dll | advapi32.dll | msvcrt.dll | shlwapi.dll | api-ms-win-*.dll) ;;
    *)
        echo "$program needs $dll, which Windows does not provide"
        exit 1
        ;;
    esac
done
