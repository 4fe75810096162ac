#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
#   ./test.sh              in build/
#   ./test.sh --sanitize   in build-sanitize/, every program built with the
#                          address and undefined-behaviour sanitizers, which
#                          stop a test at their first finding
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
install_missing_packages
if [ "${1:-}" = "--sanitize" ]; then
  configure_and_build "$ROOT/build-sanitize" -DVARNHOLT_BUILD_TESTS=ON -DVARNHOLT_BUILD_BENCH=OFF -DVARNHOLT_SANITIZE=ON
  install_dwg_reader "$ROOT/build-sanitize/app"
  cd "$ROOT/build-sanitize"
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
else
  # Tests and benchmarks are switched on explicitly, whatever an earlier
  # configuration of the build folder left in its cache.
  configure_and_build "$ROOT/build" -DVARNHOLT_BUILD_TESTS=ON -DVARNHOLT_BUILD_BENCH=ON
  install_dwg_reader "$ROOT/build/app"
  cd "$ROOT/build"
fi
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
