#!/usr/bin/env bash
# Builds the benchmarks in Release mode (build-bench/) and runs them on SDL's dummy video driver.
# Extra arguments go to maped_bench: --rounds N, --only TEXT, --calls N.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target maped_bench
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/bench/maped_bench" "$@"
