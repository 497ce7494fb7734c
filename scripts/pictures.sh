#!/usr/bin/env bash
# Builds tools/pictures and regenerates the README's pictures of the demo in
# docs/: the File popup open on the menu bar, the About dialog, and a message
# box opened from the Message boxes dialog. Each is the demo's own screen in
# memory mode, driven by input records and written cell for cell as SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUIKIT_BUILD_TESTS=OFF -DTUIKIT_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target tuikit-pictures >/dev/null
mkdir -p docs
for scene in menu about message-box; do
  build/release/tools/pictures/tuikit-pictures "$scene" "docs/$scene.svg"
  echo "docs/$scene.svg: $(wc -c <"docs/$scene.svg") bytes"
done
