#!/usr/bin/env bash
# check_exports.sh <libtuikit.so>: only Tui... and Win32 names are exported.
set -euo pipefail
stray=$(nm -D --defined-only "$1" | awk '{print $3}' | grep -v '^[A-Z][A-Za-z0-9]*$' || true)
if [ -n "$stray" ]; then echo "unexpected exports:"; echo "$stray"; exit 1; fi
nm -D --defined-only "$1" | awk '{print $3}' | grep -qx TuiInit
nm -D --defined-only "$1" | awk '{print $3}' | grep -qx WriteConsoleOutputCharacterA
