# Sourced by the scripts that start Windows programs under Wine.
#   pe_is_32bit FILE      true when FILE is a 32-bit (i386) Windows program or library
#   can_run_32bit         true when this machine runs Wine's 32-bit loader: a kernel
#                         without 32-bit support (some virtual machines) refuses i386 code
#                         with "Exec format error" even when 32-bit Wine is installed
pe_is_32bit() {
    local header machine
    header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    machine=$(od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' ')
    [ "$machine" = 014c ]
}

can_run_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The skip code that ctest's SKIP_RETURN_CODE names for the 32-bit tiers.
readonly wine_skip_32bit=77
