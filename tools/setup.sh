#!/usr/bin/env bash
# Installs what building and testing Nerula needs from Debian's packages, and only what
# is missing, so that a second run costs a second.
set -euo pipefail

packages=(
    cmake make g++ clang binutils googletest locales
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine64 fonts-wine xvfb xauth imagemagick fonts-ipafont-gothic
)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_if_needed apt-get update -qq
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# Wine takes the ANSI code page from the locale: ja_JP.UTF-8 must exist for code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    sudo_if_needed sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_if_needed tee -a /etc/locale.gen >/dev/null
    sudo_if_needed locale-gen >/dev/null
fi
