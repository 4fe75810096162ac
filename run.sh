#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it into dist/ and
# starts it from there. The library lives beside the program in dist/, so
# rebuilding or deleting build/ never touches it. On the first run the sample
# library and drawings are laid beside the program; a library that exists is
# never touched. A desktop entry and an icon are written beside the program;
# with --install-desktop-entry they are also installed for the current user.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
source "$ROOT/tools/desktop_entry.sh"

install_entry=no
arguments=()
for argument in "$@"; do
  if [ "$argument" = --install-desktop-entry ]; then install_entry=yes; else arguments+=("$argument"); fi
done

install_missing_packages
# Only the program is built; the build folder's options stay as ./test.sh
# left them, so the two scripts never switch each other's targets off.
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja
cmake --build "$ROOT/build" --target Varnholt VarnholtBatch -j "$(nproc)"

# The program parses drawings with its reader processes, found beside it;
# the DWG reader's node program and its package lie beside them.
DIST="$ROOT/dist"
mkdir -p "$DIST"
install -m 755 "$ROOT/build/app/Varnholt" "$ROOT/build/app/VarnholtBatch" "$ROOT/build/app/VarnholtDxfReader" "$ROOT/build/app/VarnholtDwgReader" \
  "$DIST/"
install -m 644 "$ROOT"/build/app/*.mjs "$ROOT/build/app/package.json" "$ROOT/build/app/package-lock.json" "$DIST/"
# DXF drawings never need node: without the package only DWG import fails,
# and says how to mend it.
install_dwg_reader "$DIST" || echo "Could not install the DWG reader's package; DWG drawings cannot be imported" >&2

has_library=no
for entry in Hinges Lockcores DoorModel HingesKnife.xml; do
  if [ -e "$DIST/$entry" ]; then has_library=yes; fi
done
if [ "$has_library" = no ]; then
  echo "No library beside the program yet: laying out the sample library in $DIST"
  cp -R "$ROOT/samples/library/." "$DIST/"
fi

if [ ! -e "$DIST/samples" ]; then
  mkdir -p "$DIST/samples"
  cp "$ROOT"/samples/cad/*.dxf "$DIST/samples/"
fi

write_desktop_entry "$DIST" "$ROOT"
if [ "$install_entry" = yes ]; then install_desktop_entry "$DIST"; fi

cd "$DIST"
exec ./Varnholt "${arguments[@]}"
