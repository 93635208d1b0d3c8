#!/usr/bin/env bash
# Builds the benchmarks in Release mode (build-bench/) and runs them: maped_bench on SDL's dummy
# video driver, then idle_bench (the real editor under Xvfb).
# Extra arguments go to maped_bench: --rounds N, --only TEXT, --calls N; with any of them
# idle_bench is left out. "--idle [--maped BINARY]" runs only idle_bench.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-bench}"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target maped_bench idle_bench
if [ "${1:-}" = "--idle" ]; then
  shift
  exec "$build/bench/idle_bench" "$@"
fi
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/bench/maped_bench" "$@"
if [ $# -eq 0 ]; then
  echo
  "$build/bench/idle_bench"
fi
