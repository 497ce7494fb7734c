#!/usr/bin/env bash
# Sets up, builds and runs the TuiKit demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUIKIT_BUILD_TESTS=OFF -DTUIKIT_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target tuikit-demo >/dev/null
exec build/release/examples/tuikit-demo "$@"
