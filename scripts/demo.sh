#!/usr/bin/env bash
# Sets up, builds and runs the TuiKit demo. Its Mail menu reads a scratch copy
# of examples/sample-maildir (MAILDIR points there), so the sample stays as it
# is; the copy is removed when the demo ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUIKIT_BUILD_TESTS=OFF -DTUIKIT_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target tuikit-demo >/dev/null
mail=$(mktemp -d "${TMPDIR:-/tmp}/tuikit-demo-mail.XXXXXX")
trap 'rm -rf "$mail"' EXIT
cp -R examples/sample-maildir/. "$mail"
mkdir -p "$mail/cur" "$mail/new" "$mail/tmp"  # git keeps no empty folders
MAILDIR="$mail" build/release/examples/tuikit-demo "$@"
