#!/usr/bin/env bash
# Creates a fresh Wine prefix for Nerula's tests, screenshots and `make run`.
#   tools/wine-prefix.sh PREFIX
# The prefix is throwaway: an existing one at that path is removed first.
set -euo pipefail
prefix=$1
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64
# The Unix fonts Wine may use: IPA Gothic alone. Wine 8 crashes inside its OpenType layout
# (GPOS mark-to-ligature lookups) when the edit control shows binary bytes read as UTF-8 or
# UTF-16 and a character missing from IPA Gothic is linked to DejaVu Sans, which
# fontconfig offers otherwise. Every script that runs Wine in a prefix points
# FONTCONFIG_FILE at this file (every Wine process reads the font list again).
mkdir -p "$prefix"
cat >"$prefix/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/opentype/ipafont-gothic</dir>
  <cachedir>$prefix/fontconfig-cache</cachedir>
</fontconfig>
EOF
export FONTCONFIG_FILE=$prefix/fonts.conf
# No Mono or Gecko install prompts: Nerula needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The 64-bit loader makes the prefix, with its 32-bit half where this machine runs 32-bit
# code; the `wineboot` command would start the 32-bit loader first, which some kernels refuse.
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
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
# A program that crashes ends at once, instead of waiting on Wine's crash dialog until a
# test's time runs out.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
