#!/usr/bin/env bash
# Checks that a built plug-in exports exactly the names its .def file lists, undecorated:
# on i686 a stdcall function that slipped past the .def file shows up as NAME@n.
#   check-exports.sh PLUGIN DEF
set -euo pipefail
plugin=$1
def=$2
expected=$(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk 'NF { print $1 }' | sort)
actual=$(objdump -p "$plugin" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
echo "exports: $(echo $actual)"
if [ "$expected" != "$actual" ]; then
    echo "$plugin should export: $(echo $expected)"
    exit 1
fi
