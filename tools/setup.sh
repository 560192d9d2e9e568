#!/usr/bin/env bash
# Installs what building and testing Nerula needs from Debian's packages, and only what
# is missing, so that a second run costs a second. Then checks that every program the
# build, test and run scripts call is really there: a package can install without the
# program a script expects (wine64 brings no wineboot; that is in the package wine).
set -euo pipefail

packages=(
    cmake make g++ clang libclang-rt-14-dev binutils googletest locales libboost1.81-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 wine32:i386 fonts-wine xvfb xauth imagemagick xdotool fonts-ipafont-gothic
)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The 32-bit half of Wine runs the i686 release build and the classic 32-bit plug-ins.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture for 32-bit Wine"
    sudo_if_needed dpkg --add-architecture i386
    updated=no
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ "${updated:-}" = no ]; then
    sudo_if_needed apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
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

# Every program that the Makefile, the build, the tests and `make run` start (the detection
# benchmark installs its own). A missing one fails here, by name, rather than as a skipped
# test tier later.
programs=(
    cmake make g++ clang clang++ objdump
    x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-windres
    i686-w64-mingw32-g++-posix i686-w64-mingw32-gcc-posix i686-w64-mingw32-windres
    wineboot /usr/lib/wine/wine /usr/lib/wine/wine64 /usr/lib/wine/wineserver
    Xvfb import xdotool
)
for program in "${programs[@]}"; do
    if ! command -v "$program" >/dev/null 2>&1; then
        echo "make setup: $program is missing after installing the packages" >&2
        exit 1
    fi
done
# Boost.Regex is header-only: its headers are all the build needs of it.
if [ ! -f /usr/include/boost/regex.hpp ]; then
    echo "make setup: Boost.Regex's headers (/usr/include/boost/regex.hpp) are missing" >&2
    exit 1
fi
# clang's libFuzzer runtime comes in a package of its own.
if ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "make setup: clang's libFuzzer runtime (libclang_rt.fuzzer) is missing" >&2
    exit 1
fi
