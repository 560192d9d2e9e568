#!/bin/bash
# The portable core stays portable: outside a win/ folder, no file of the program or of
# its portable tests includes a Windows header or a header from a win/ folder.
# Usage: check-layering.sh SOURCE_ROOT
set -euo pipefail
root=${1:?usage: check-layering.sh SOURCE_ROOT}
cd "$root"

# The Windows SDK's headers that portable code could reach for, matched without regard to
# case (MinGW's file names are lower case, the SDK's mixed).
windows_headers='windows|windef|winbase|winuser|wingdi|winnls|winreg|winerror|wtypes|winnt|shellapi|shlobj|shlwapi|shobjidl|commctrl|commdlg|objbase|ole2|oleauto|oaidl|ocidl|unknwn|mlang|objidl|tchar|mmsystem|dwmapi|uxtheme|shellscalingapi|versionhelpers'
pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*([<\"](${windows_headers})\\.h[>\"]|[<\"][^>\"]*(^|/)win/[^>\"]*[>\"])"

# Windows-only programs (the window tests, the black-box driver, the test plug-ins and the
# benchmarks) are not portable code and are not checked.
mapfile -t files < <(find src tests/core tests/fuzz -type f \( -name '*.h' -o -name '*.cpp' \) \
    -not -path '*/win/*' | sort)

status=0
for file in "${files[@]}"; do
    if matches=$(grep -inE "$pattern" "$file"); then
        while IFS= read -r line; do
            echo "$file:$line: portable code includes a Windows header or a header of a win/ folder; such a file belongs in a win/ folder" >&2
        done <<<"$matches"
        status=1
    fi
done
if [ "$status" -eq 0 ]; then
    echo "layering: ${#files[@]} portable files include no Windows header"
fi
exit "$status"
