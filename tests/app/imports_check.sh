#!/bin/sh
# The exe imports only DLLs that Windows protects, which are never looked for in the exe's
# folder, and comctl32, which the manifest binds to the system's side-by-side copy.
#   imports_check.sh OBJDUMP EXE
set -eu
allowed=" kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll shell32.dll ole32.dll"
allowed="$allowed oleaut32.dll comdlg32.dll shlwapi.dll imm32.dll comctl32.dll "
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "no import table read from $2"; exit 1; }
status=0
for dll in $imports; do
    case "$allowed" in
        *" $dll "*) echo "imports $dll" ;;
        *) echo "imports $dll, which is not allowed" && status=1 ;;
    esac
done
exit $status
