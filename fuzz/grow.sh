#!/usr/bin/env bash
# Grows the committed corpora: runs each target for SECONDS from its
# committed corpus and seeds, then merges what the run found into
# fuzz/corpus/<target>/ (libFuzzer's -merge=1: the smallest set of inputs,
# none over the target's size cap, that keeps all the coverage), and says
# how much coverage the corpus gained.
#
#   fuzz/grow.sh SECONDS [TARGET...]     (all targets when none is named)
#
# Commit the corpus folders afterwards. A finding stops the target as in
# fuzz/run.sh and its corpus is left as it was.
set -euo pipefail
source "$(dirname "$0")/targets.sh"

take_arguments "$0" "$@"
build_targets "${TARGETS[@]}"

failed=()
for target in "${TARGETS[@]}"; do
  work=$BUILD/grow/$target
  findings=$BUILD/findings/$target
  kept=$(committed_corpus "$target")
  rm -rf "$work" "$work.merged"
  mkdir -p "$findings" "$kept" "$work.merged"
  fill_corpus "$target" "$work"
  before=$(coverage "$target" "$kept")
  echo "== $target: ${SECONDS_EACH}s; committed corpus $(corpus_size "$kept"), ${before:-no coverage yet}"
  if ! "$BUILD/fuzz/$target" "$work" -max_total_time="$SECONDS_EACH" -max_len="$(max_len "$target")" \
      $(fuzzer_options "$target") -artifact_prefix="$findings/" -print_final_stats=1 2>"$BUILD/$target.grow.log"; then
    failed+=("$target")
    tail -n 40 "$BUILD/$target.grow.log"
    continue
  fi
  grep -E '^stat::number_of_executed_units' "$BUILD/$target.grow.log" | sed 's/^/   /' || true
  "$BUILD/fuzz/$target" -merge=1 -max_len="$(max_len "$target")" $(fuzzer_options "$target") \
    "$work.merged" "$kept" "$work" 2>"$BUILD/$target.merge.log"
  # Inputs over the cap were read cut short; what was kept of them is in
  # the merged folder under a name of its own.
  find "$work.merged" -type f -size +"$(( $(max_len "$target") / 1024 ))"k -delete
  rm -rf "$kept"
  mv "$work.merged" "$kept"
  echo "   committed corpus now $(corpus_size "$kept"), $(coverage "$target" "$kept") (was ${before:-none})"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $BUILD/findings/)" >&2
  exit 1
fi
