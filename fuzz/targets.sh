# What fuzz/run.sh and fuzz/grow.sh share: the targets, their seeds,
# dictionaries, limits and committed corpora, and the build of the targets.
# Sourced, not run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${VARNHOLT_FUZZ_BUILD:-$ROOT/build-fuzz}
FUZZ=$ROOT/fuzz
ALL_TARGETS=(hinges_fuzz lockcore_fuzz door_fuzz knife_fuzz profile_fuzz orders_fuzz importer_fuzz record_stream_fuzz)

# The corpus kept in the repository, minimised from long runs.
committed_corpus() { echo "$FUZZ/corpus/$1"; }

# Seed files of each target: the samples, the files of the tests and, for
# the importer, drawings as CAD programs write them (for the machine
# profile, which has neither, files in its writer's form; for orders, CSV
# files as spreadsheet programs export them and the tests' workbooks). The record
# stream has no files; its fuzzer starts from its corpus alone.
seeds() {
  case $1 in
    hinges_fuzz) ls "$ROOT"/samples/library/Hinges/*.xml "$ROOT"/tests/library/golden/hinges.xml ;;
    lockcore_fuzz) ls "$ROOT"/samples/library/Lockcores/*.xml "$ROOT"/tests/library/golden/lockcore.xml ;;
    door_fuzz) ls "$ROOT"/samples/library/DoorModel/*.xml "$ROOT"/tests/library/golden/door.xml ;;
    knife_fuzz) ls "$ROOT"/samples/library/HingesKnife.xml "$ROOT"/tests/library/golden/knife.xml ;;
    profile_fuzz) ls "$FUZZ"/seeds/MachineProfile*.xml ;;
    orders_fuzz) ls "$FUZZ"/seeds/order-*.csv "$BUILD"/order_workbooks/*.xlsx ;;
    importer_fuzz)
      find "$ROOT"/samples/cad "$ROOT"/tests/importer/data "$BUILD/producer_drawings" -name '*.dxf' -size -1000k ;;
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

# take_arguments SCRIPT SECONDS [TARGET...]: SECONDS_EACH and TARGETS (every
# target when none is named), or the usage and exit 2.
take_arguments() {
  local script=$1; shift
  if [ $# -lt 1 ]; then
    echo "usage: $script SECONDS [TARGET...]" >&2
    exit 2
  fi
  SECONDS_EACH=$1; shift
  TARGETS=("$@")
  if [ ${#TARGETS[@]} -eq 0 ]; then TARGETS=("${ALL_TARGETS[@]}"); fi
}

# Largest input a target's corpus keeps, so the corpora stay small: library
# files are a few kilobytes, drawings worth keeping a few dozen.
max_len() {
  case $1 in
    importer_fuzz) echo 65536 ;;
    record_stream_fuzz) echo 16384 ;;
    *) echo 8192 ;;
  esac
}

# A drawing may take its import to the budgets' bounds, a few seconds,
# which the sanitizers and coverage stretch about tenfold; a library file
# loads in milliseconds however it is made.
time_limit() {
  if [ "$1" = importer_fuzz ]; then echo 60; else echo 10; fi
}

# build_targets TARGET...: the targets with clang, coverage and the address
# and undefined-behaviour sanitizers, the producer drawings and the order
# workbooks.
build_targets() {
  local launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVARNHOLT_FUZZ=ON -DVARNHOLT_BUILD_TESTS=OFF -DVARNHOLT_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
  cmake --build "$BUILD" -j "$(nproc)" --target "$@"
  /usr/bin/python3 "$ROOT/tests/importer/make_producer_drawings.py" "$BUILD/producer_drawings"
  /usr/bin/python3 "$ROOT/tests/orders/make_order_workbooks.py" "$BUILD/order_workbooks"
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
}

# fill_corpus TARGET FOLDER: the committed corpus and the seeds into FOLDER,
# each under its content's name, so a file is there once.
fill_corpus() {
  local target=$1 folder=$2 file
  mkdir -p "$folder"
  if [ -d "$(committed_corpus "$target")" ]; then cp -n "$(committed_corpus "$target")"/* "$folder"/ 2>/dev/null || true; fi
  while IFS= read -r file; do
    cp "$file" "$folder/seed-$(sha1sum <"$file" | cut -c1-16)"
  done < <(seeds "$target")
}

# fuzzer_options TARGET: the dictionary and limits of one target's runs.
fuzzer_options() {
  local target=$1
  dictionary "$target" >"$BUILD/$target.dict"
  if [ -s "$BUILD/$target.dict" ]; then echo "-dict=$BUILD/$target.dict"; fi
  echo "-timeout=$(time_limit "$target")"
  echo "-rss_limit_mb=2048"
}

# coverage TARGET FOLDER...: the edges and features the target reaches on
# the inputs in the folders, from libFuzzer's line at start.
coverage() {
  local target=$1; shift
  "$BUILD/fuzz/$target" -runs=0 -max_len="$(max_len "$target")" $(fuzzer_options "$target") "$@" 2>&1 |
    grep -E '#[0-9]+\s+INITED' | sed -E 's/.*INITED (cov: [0-9]+ ft: [0-9]+).*/\1/' | tail -n 1
}

# corpus_size FOLDER: files and kilobytes.
corpus_size() {
  find "$1" -type f -printf '%s\n' 2>/dev/null | awk '{ n++; s += $1 } END { printf "%d files, %d KB", n, s / 1024 }'
}
