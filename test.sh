#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
install_missing_packages
# Tests and benchmarks are switched on explicitly, whatever an earlier
# configuration of the build folder left in its cache.
configure_and_build "$ROOT/build" -DVARNHOLT_BUILD_TESTS=ON -DVARNHOLT_BUILD_BENCH=ON
cd "$ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
