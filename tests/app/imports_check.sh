#!/bin/sh
# The exe imports only DLLs that Windows protects, which it never looks for in the exe's
# folder, and comctl32, which the manifest binds to the system's side-by-side copy.
#   imports_check.sh OBJDUMP EXE
allowed=" kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll shell32.dll ole32.dll"
allowed="$allowed oleaut32.dll comdlg32.dll shlwapi.dll imm32.dll comctl32.dll "
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports:" $imports
[ -n "$imports" ] || exit 1
for dll in $imports; do
    case "$allowed" in *" $dll "*) ;; *) echo "$dll is not allowed" && exit 1 ;; esac
done
