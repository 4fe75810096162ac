#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
install_missing_packages
configure_and_build "$ROOT/build" -DVARNHOLT_BUILD_TESTS=OFF -DVARNHOLT_BUILD_BENCH=OFF
echo "Build finished. The program itself does not exist yet: there is nothing to start."
