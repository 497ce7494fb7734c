#!/usr/bin/env bash
# check_consumer.sh subdirectory|package <source dir> <build dir>
# Builds and runs consumer/ against TuiKit taken from source with
# add_subdirectory, or installed from <build dir> and found with find_package.
# GoogleTest and Google Benchmark are hidden from the consumer: embedding the
# library must not need them.
set -euo pipefail
mode=$1 src=$2 build=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=(-G Ninja -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
case $mode in
subdirectory) args+=("-DTUIKIT_SOURCE_DIR=$src") ;;
package)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    args+=("-DCMAKE_PREFIX_PATH=$work/prefix") ;;
*) echo "unknown mode $mode" >&2; exit 2 ;;
esac
cmake -S "$src/tests/package/consumer" -B "$work/build" "${args[@]}" >"$work/configure.log" ||
    { cat "$work/configure.log"; exit 1; }
# Embedded, the library brings none of its own tests, benchmarks or examples.
if [ "$mode" = subdirectory ] && grep -q '^TUIKIT_BUILD_TESTS:BOOL=ON' "$work/build/CMakeCache.txt"; then
    echo "tests are on in an embedded build" >&2; exit 1
fi
cmake --build "$work/build" -j 2 >"$work/build.log" || { cat "$work/build.log"; exit 1; }
test ! -e "$work/build/tuikit/tests"
"$work/build/consumer" </dev/null | cat
