#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer),
# replays the inputs kept in fuzz/regressions, then fuzzes each target for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"
targets=(map_fuzzer actor_fuzzer item_fuzzer defline_fuzzer prompt_fuzzer)

bash "$root/scripts/install-deps.sh" clang libclang-rt-14-dev
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DBUILD_FUZZERS=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" worldgen

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# Seeds: the files of a freshly generated world, kept in the build directory only.
seeds="$build/fuzz-seeds"
if [ ! -f "$seeds/world/data/map.dat" ]; then
  rm -rf "$seeds"
  ASAN_OPTIONS=detect_leaks=0 "$build/tools/worldgen/worldgen" "$seeds/world" >/dev/null
fi
corpus_seeds() {
  case "$1" in
    map_fuzzer) echo "$seeds/world/data/map.dat" ;;
    actor_fuzzer) ls "$seeds"/world/data/npcdef/*.def ;;
    item_fuzzer) ls "$seeds"/world/data/idef/*.def ;;
    defline_fuzzer) ls "$seeds"/world/data/npcdef/*.def "$seeds"/world/data/idef/*.def ;;
    prompt_fuzzer) ;;
  esac
}

failed=()
for t in "${targets[@]}"; do
  bin="$build/fuzz/$t"
  corpus="$build/fuzz-corpus/$t"
  crashes="$build/fuzz-crashes/$t"
  mkdir -p "$corpus" "$crashes"
  [ -n "$(ls -A "$corpus")" ] || { for f in $(corpus_seeds "$t"); do cp "$f" "$corpus/"; done; }
  # The editor's own warnings on standard output and error would swamp the run (closed
  # with -close_fd_mask); sanitizer and libFuzzer reports still appear.
  regressions=()
  [ -d "$root/fuzz/regressions/$t" ] && mapfile -t regressions < <(find "$root/fuzz/regressions/$t" -type f | sort)
  if [ ${#regressions[@]} -gt 0 ]; then
    echo "== $t: replaying ${#regressions[@]} kept input(s)"
    if ! "$bin" -close_fd_mask=3 "${regressions[@]}" >"$crashes/replay.log" 2>&1; then
      cat "$crashes/replay.log"
      failed+=("$t (a kept input)")
      continue
    fi
  fi
  echo "== $t: fuzzing for ${seconds} s"
  if ! "$bin" -max_total_time="$seconds" -timeout=10 -close_fd_mask=3 -print_final_stats=1 \
      -artifact_prefix="$crashes/" "$corpus" >"$crashes/run.log" 2>&1; then
    tail -n 60 "$crashes/run.log"
    failed+=("$t")
    continue
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$crashes/run.log" | tr '\n' ' '
  echo
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}"
  echo "Inputs are in $build/fuzz-crashes/<target>/; once fixed, keep each in fuzz/regressions/<target>/."
  exit 1
fi
echo "Fuzzing: ${#targets[@]} targets, no problem found."
