#!/usr/bin/env bash
# Sets up, builds, generates the default world once (build/world) and opens the editor on it.
# Saved edits stay: the world is generated only when build/world/data/map.dat is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null  # as scripts/test.sh builds it: neither rebuilds the other's work
cmake --build "$build" -j"$(nproc)" --target maped worldgen

world="$build/world"
if [ ! -f "$world/data/map.dat" ]; then
  "$build/tools/worldgen/worldgen" "$world"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  echo "No display: DISPLAY is not set. Run it under a virtual X server: xvfb-run -s '-screen 0 800x600x16 -noreset' bash scripts/run.sh" >&2
  exit 1
fi
cd "$world"
exec "$build/maped"
