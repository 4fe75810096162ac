#!/usr/bin/env bash
# Builds the fuzz targets with clang (address and undefined-behaviour
# sanitizers) in build-fuzz/ and runs each in turn for the given number of
# seconds, starting from its committed corpus (fuzz/corpus/<target>/) and
# its seeds, with its dictionary.
#
#   fuzz/run.sh SECONDS [TARGET...]      (all targets when none is named)
#
# The log shows each starting corpus, the coverage the seeds alone reach and
# the coverage at start. The working corpus grows in build-fuzz/corpus/;
# fuzz/grow.sh merges long runs into the committed one. A crash, leak,
# timeout or memory blow-up stops that target, leaves the input in
# build-fuzz/findings/<target>/ and makes the script fail once every named
# target has run; kept inputs go to tests/**/fuzz_findings/.
set -euo pipefail
source "$(dirname "$0")/targets.sh"

take_arguments "$0" "$@"
build_targets "${TARGETS[@]}"

failed=()
for target in "${TARGETS[@]}"; do
  corpus=$BUILD/corpus/$target
  findings=$BUILD/findings/$target
  mkdir -p "$findings" "$BUILD/seeds/$target"
  fill_corpus "$target" "$corpus"
  while IFS= read -r seed; do cp "$seed" "$BUILD/seeds/$target/"; done < <(seeds "$target")
  echo "== $target: ${SECONDS_EACH}s from $(corpus_size "$corpus") (committed: $(corpus_size "$(committed_corpus "$target")"))"
  if [ -n "$(ls -A "$BUILD/seeds/$target")" ]; then
    echo "   seeds alone: $(coverage "$target" "$BUILD/seeds/$target")"
  fi
  if ! "$BUILD/fuzz/$target" "$corpus" -max_total_time="$SECONDS_EACH" -max_len="$(max_len "$target")" \
      $(fuzzer_options "$target") -artifact_prefix="$findings/" -print_final_stats=1 2>"$BUILD/$target.log"; then
    failed+=("$target")
    tail -n 60 "$BUILD/$target.log"
    # The input itself, so a failure seen only in a CI log can be replayed.
    for input in "$findings"/*; do
      [ -f "$input" ] && { echo "-- $input (base64)"; base64 "$input" | head -c 65536; echo; }
    done
  fi
  grep -E '#[0-9]+\s+INITED' "$BUILD/$target.log" | sed -E 's/.*(INITED cov: [0-9]+ ft: [0-9]+).*/   at start: \1/' | tail -n 1
  grep -E '^stat::number_of_executed_units|#[0-9]+\s+DONE' "$BUILD/$target.log" | sed 's/^/   /' | tail -n 2 || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $BUILD/findings/)" >&2
  exit 1
fi
