#!/usr/bin/env bash
# check_package.sh <build dir> <C source> <C compiler>
set -euo pipefail
build=$1 src=$2 cc=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name tuikit.pc | head -n1)")
export PKG_CONFIG_PATH="$libdir"
"$cc" -std=c11 -Wall -Wextra -Werror -o "$work/draw_cell" "$src" $(pkg-config --cflags --libs tuikit)
LD_LIBRARY_PATH="$work/prefix/lib:$(dirname "$libdir")" "$work/draw_cell" </dev/null | cat
# The CMake package gives the same library to CMake users.
test -f "$(dirname "$libdir")/cmake/TuiKit/TuiKitConfig.cmake"
test -e "$(dirname "$libdir")/libtuikit.so.1"
test -e "$(dirname "$libdir")/libmapi32.so.1"  # the mail provider sits beside the library
