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
# Debian's Wine does not load the fonts of fonts-wine (Marlett for the caption buttons,
# ...) from its data folder; the system fonts folder is where it looks. Tahoma and
# FixedSys (the text view's default) stay out: Wine's versions have no Japanese, and their
# links to MS UI Gothic lead nowhere here, so the names are given to IPA Gothic
# (fonts-ipafont-gothic) below, as are the Japanese system fonts, so that Japanese text
# shows under every ANSI code page.
for font in /usr/share/wine/fonts/*; do
    case $(basename "$font") in tahoma* | fixedsys* | *vgafix.fon) continue ;; esac
    ln -sf "$font" "$prefix/drive_c/windows/Fonts/"
done
for font in "Tahoma" "MS UI Gothic" "MS PGothic" "Yu Gothic UI" "MS Gothic" "FixedSys"; do
    face=IPAPGothic
    case $font in "MS Gothic" | FixedSys) face=IPAGothic ;; esac
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v "$font" /t REG_SZ /d "$face" /f >/dev/null 2>&1
done
# Without a window manager on Xvfb, Wine waits two seconds for every hidden window to be
# withdrawn unless it manages the windows itself.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
