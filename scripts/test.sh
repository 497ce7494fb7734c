#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build, then the whole suite
# under AddressSanitizer + UndefinedBehaviorSanitizer, then the threaded parts
# under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

build() {  # build <dir> <cmake args...>
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

echo "== build and test (RelWithDebInfo)"
build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUIKIT_WERROR=ON
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
build build/asan -DCMAKE_BUILD_TYPE=Debug -DTUIKIT_SANITIZE=address,undefined -DTUIKIT_BUILD_BENCH=OFF -DTUIKIT_WERROR=ON
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build/asan --output-on-failure -j "$jobs" -LE no-sanitizer

echo "== ThreadSanitizer (threaded parts)"
build build/tsan -DCMAKE_BUILD_TYPE=Debug -DTUIKIT_SANITIZE=thread -DTUIKIT_BUILD_BENCH=OFF -DTUIKIT_WERROR=ON
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L threads

echo "== fuzz targets, 30 s each under AddressSanitizer + UndefinedBehaviorSanitizer"
scripts/fuzz.sh 30
