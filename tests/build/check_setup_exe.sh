#!/usr/bin/env bash
# The shipped program is what a Windows user expects: a 32-bit GUI program
# that imports only Windows's known DLLs (which are never looked for in the
# program's own folder, where anyone may plant one), with its version and
# manifest.
# Usage: check_setup_exe.sh SetupD.exe
set -euo pipefail
exe=$1
kind=$(file -b "$exe")
echo "file: $kind"
[[ $kind == "PE32 executable (GUI) Intel 80386"* ]] || { echo "FAIL: not a 32-bit GUI program"; exit 1; }

dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports:" $dlls
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll ole32.dll shell32.dll msvcrt.dll "
for dll in $dlls; do
    [[ $allowed == *" $dll "* ]] || { echo "FAIL: imports $dll, which is not a known DLL"; exit 1; }
done

# grep -q would stop reading early and fail the pipe: collect the strings first.
texts=$(strings -el "$exe")
grep -qx '7.02' <<<"$texts" || { echo "FAIL: no version resource saying 7.02"; exit 1; }
grep -qx 'Dunvo' <<<"$texts" || { echo "FAIL: no product name Dunvo"; exit 1; }
grep -q 'requireAdministrator' "$exe" || { echo "FAIL: the manifest does not ask for administrator rights"; exit 1; }
grep -q 'WindowsSettings">true</dpiAware>' "$exe" || { echo "FAIL: the manifest does not declare DPI awareness"; exit 1; }
echo "size: $(stat -c %s "$exe") bytes"
