#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
install_missing_packages
configure_and_build "$ROOT/build"
cd "$ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
