#!/usr/bin/env bash
# Builds the fuzz targets with clang (address and undefined-behaviour
# sanitizers) in build-fuzz/ and runs each in turn for the given number of
# seconds, from its seed corpus of real files and with its dictionary.
#
#   fuzz/run.sh SECONDS [TARGET...]      (all targets when none is named)
#
# Each target's corpus grows in build-fuzz/corpus/<target>/ from run to run.
# A crash, leak, timeout or memory blow-up stops that target, leaves the input
# in build-fuzz/findings/<target>/ and makes the script fail once every named
# target has run.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VARNHOLT_FUZZ_BUILD:-$ROOT/build-fuzz}
FUZZ=$ROOT/fuzz

if [ $# -lt 1 ]; then
  echo "usage: $0 SECONDS [TARGET...]" >&2
  exit 2
fi
SECONDS_EACH=$1
shift
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  TARGETS=(hinges_fuzz lockcore_fuzz door_fuzz knife_fuzz profile_fuzz importer_fuzz record_stream_fuzz)
fi

# Seed files of each target: the samples and the files of the tests (for the
# machine profile, which has neither, files in its writer's form). The record
# stream has no files; its fuzzer starts from nothing.
seeds() {
  case $1 in
    hinges_fuzz) ls "$ROOT"/samples/library/Hinges/*.xml "$ROOT"/tests/library/golden/hinges.xml ;;
    lockcore_fuzz) ls "$ROOT"/samples/library/Lockcores/*.xml "$ROOT"/tests/library/golden/lockcore.xml ;;
    door_fuzz) ls "$ROOT"/samples/library/DoorModel/*.xml "$ROOT"/tests/library/golden/door.xml ;;
    knife_fuzz) ls "$ROOT"/samples/library/HingesKnife.xml "$ROOT"/tests/library/golden/knife.xml ;;
    profile_fuzz) ls "$FUZZ"/seeds/MachineProfile*.xml ;;
    importer_fuzz) find "$ROOT"/samples/cad "$ROOT"/tests/importer/data -name '*.dxf' -size -1000k ;;
    record_stream_fuzz) ;;
  esac
}

# The dictionary of each target: XML syntax and the names of its file, or
# the DXF group codes and names.
dictionary() {
  case $1 in
    importer_fuzz) cat "$FUZZ/dict/dxf.dict" ;;
    record_stream_fuzz) ;;
    *) cat "$FUZZ/dict/xml.dict" "$FUZZ/dict/${1%_fuzz}.dict" ;;
  esac
}

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNHOLT_FUZZ=ON -DVARNHOLT_BUILD_TESTS=OFF -DVARNHOLT_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target "${TARGETS[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
failed=()
for target in "${TARGETS[@]}"; do
  corpus=$BUILD/corpus/$target
  findings=$BUILD/findings/$target
  mkdir -p "$corpus" "$findings"
  # Seeds join the corpus under their content's name, so they are added once.
  while IFS= read -r seed; do
    cp "$seed" "$corpus/seed-$(sha1sum <"$seed" | cut -c1-16)"
  done < <(seeds "$target")
  dictionary "$target" >"$BUILD/$target.dict"
  dict=()
  if [ -s "$BUILD/$target.dict" ]; then dict=(-dict="$BUILD/$target.dict"); fi
  # A drawing may take its import to the budgets' bounds, a few seconds,
  # which the sanitizers and coverage stretch about tenfold; a library file
  # loads in milliseconds however it is made.
  timeout=10
  if [ "$target" = importer_fuzz ]; then timeout=60; fi
  echo "== $target: ${SECONDS_EACH}s"
  if ! "$BUILD/fuzz/$target" "$corpus" -max_total_time="$SECONDS_EACH" -timeout="$timeout" -rss_limit_mb=2048 \
      "${dict[@]}" -artifact_prefix="$findings/" -print_final_stats=1 2>"$BUILD/$target.log"; then
    failed+=("$target")
    tail -n 60 "$BUILD/$target.log"
    # The input itself, so a failure seen only in a CI log can be replayed.
    for input in "$findings"/*; do
      [ -f "$input" ] && { echo "-- $input (base64)"; base64 "$input" | head -c 65536; echo; }
    done
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$BUILD/$target.log" | tail -n 2 || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $BUILD/findings/)" >&2
  exit 1
fi
