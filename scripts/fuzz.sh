#!/usr/bin/env bash
# Builds every libFuzzer target with clang under AddressSanitizer +
# UndefinedBehaviorSanitizer and runs each for SECONDS (default 30) on its
# seed corpus in fuzz/corpus/<name> and the seeds the build writes to
# build/fuzz/fuzz/corpus/<name> (templates compiled from .rc scripts). New
# inputs go to build/fuzz-work, so the seeds in the tree stay as they are. Exits non-zero if any target finds a
# crash, a leak or undefined behaviour; the finding is left in build/fuzz-work.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
jobs=$(nproc)

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTUIKIT_BUILD_FUZZ=ON -DTUIKIT_SANITIZE=address,undefined \
  -DTUIKIT_BUILD_TESTS=OFF -DTUIKIT_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in build/fuzz/fuzz/*_fuzz; do targets+=("$(basename "$exe")"); done
fi

run_one() {  # run_one <target> <seconds>; runs in its work folder, where findings land
  local name=$1 seconds=$2 root=$PWD
  local work=$root/build/fuzz-work/$name
  local args=("$work/corpus")
  [ -d "$root/fuzz/corpus/${name%_fuzz}" ] && args+=("$root/fuzz/corpus/${name%_fuzz}")
  [ -d "$root/build/fuzz/fuzz/corpus/${name%_fuzz}" ] && args+=("$root/build/fuzz/fuzz/corpus/${name%_fuzz}")
  mkdir -p "$work/corpus"
  if (cd "$work" && "$root/build/fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "${args[@]}" >log 2>&1); then
    echo "$name: $(grep -Eo 'number_of_executed_units: *[0-9]+' "$work/log" | grep -Eo '[0-9]+$') runs, no findings"
  else
    echo "$name: FAILED, see $work/log"; tail -n 30 "$work/log"; return 1
  fi
}
export -f run_one

echo "== fuzzing ${#targets[@]} targets, ${seconds} s each"
printf '%s\n' "${targets[@]}" |
  ASAN_OPTIONS=detect_leaks=1 xargs -P "$jobs" -I{} bash -c 'run_one "$1" "$2"' _ {} "$seconds"
