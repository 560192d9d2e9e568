#!/usr/bin/env bash
# Creates a fresh Wine prefix for Nerula's tests, screenshots and `make run`.
#   tools/wine-prefix.sh PREFIX
# The prefix is throwaway: an existing one at that path is removed first.
set -euo pipefail
prefix=$1
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko install prompts: Nerula needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# Japanese glyphs for the dialog and menu fonts when the ANSI code page is Western:
# link the user-interface fonts to IPA Gothic (fonts-ipafont-gothic).
for font in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
    /usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$font" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
done
# Without a window manager on Xvfb, Wine waits two seconds for every hidden window to be
# withdrawn unless it manages the windows itself.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
