#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: installs the Debian packages the build
# and the tests need when they are missing, then configures and builds.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libtinyxml-dev libdxflib-dev libpolyclipping-dev libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-wqy-microhei fonts-dejavu-core poppler-utils
  python3-ezdxf python3-openpyxl
  locales
  clang libclang-rt-14-dev llvm
)

install_missing_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  # node runs the DWG reader and npm installs its package. A node installed
  # otherwise (it may bring its own npm) is used as it is.
  if ! command -v node >/dev/null && ! command -v nodejs >/dev/null; then missing+=(nodejs); fi
  if ! command -v npm >/dev/null; then missing+=(npm); fi
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# configure_and_build BUILD_DIR [extra cmake args...]
# Compiles through ccache where it is installed; paths below the checkout are
# hashed relative to it, so a fresh clone elsewhere reuses what another built.
configure_and_build() {
  local build_dir=$1; shift
  local launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}
  fi
  cmake -S "$ROOT" -B "$build_dir" -G Ninja "${launcher[@]}" "$@"
  cmake --build "$build_dir" -j "$(nproc)"
}

# install_dwg_reader DIR
# Installs the DWG reader's npm package, pinned with its integrity hash by
# the package-lock.json that the build lays in DIR beside the reader, into
# DIR/node_modules; an installation of the same lock file is kept.
install_dwg_reader() {
  local dir=$1
  local stamp="$dir/node_modules/.installed-lock.json"
  if cmp -s "$dir/package-lock.json" "$stamp"; then return 0; fi
  npm ci --prefix "$dir" --omit=dev --ignore-scripts --no-audit --no-fund --loglevel=error || return 1
  cp "$dir/package-lock.json" "$stamp"
}

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
