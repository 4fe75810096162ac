#!/usr/bin/env bash
# Imports N mutated copies of the DWG test drawings through the real DWG
# reader process (fuzz/dwg_mutate.cpp): seeded and reproducible, two at a
# time on machines with two cores or more. Fails when an import ends with
# neither a model nor a reason, outlasts the reader's time limit or leaves a
# process behind; those mutants are kept in build/dwg-findings/.
#
#   fuzz/dwg_mutate.sh N [SEED]
#
# The drawings are ../shared/fixtures/dwg (or VARNHOLT_DWG_FIXTURES); the
# package that reads DWG cannot write it, so without them nothing is run.
set -euo pipefail
source "$(dirname "$0")/../tools/setup.sh"
if [ $# -lt 1 ]; then
  echo "usage: $0 N [SEED]" >&2
  exit 2
fi
COUNT=$1
SEED=${2:-1}
FIXTURES=${VARNHOLT_DWG_FIXTURES:-$ROOT/../shared/fixtures/dwg}
if ! ls "$FIXTURES"/*.dwg >/dev/null 2>&1; then
  echo "dwg_mutate: skipped, no DWG test drawings in $FIXTURES (set VARNHOLT_DWG_FIXTURES)"
  exit 0
fi

BUILD=$ROOT/build
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  install_missing_packages
  cmake -S "$ROOT" -B "$BUILD" -G Ninja >/dev/null
fi
cmake --build "$BUILD" --target dwg_mutate -j "$(nproc)" >/dev/null
install_dwg_reader "$BUILD/app"

workers=$(( $(nproc) >= 2 ? 2 : 1 ))
start=$(date +%s)
pids=()
for ((w = 0; w < workers; ++w)); do
  n=$(( (COUNT - w + workers - 1) / workers ))
  nice -n 19 "$BUILD/fuzz/dwg_mutate" "$FIXTURES" "$BUILD/dwg-findings" "$w" "$n" "$workers" "$SEED" &
  pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
echo "dwg_mutate: $COUNT mutants in $(( $(date +%s) - start )) s"
exit $failed
