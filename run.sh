#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it into dist/ and
# starts it from there. The library lives beside the program in dist/, so
# rebuilding or deleting build/ never touches it. On the first run the sample
# library is laid beside the program; a library that exists is never touched.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
install_missing_packages
# Only the program is built; the build folder's options stay as ./test.sh
# left them, so the two scripts never switch each other's targets off.
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja
cmake --build "$ROOT/build" --target Varnholt -j "$(nproc)"

# The program parses drawings with its reader process, found beside it.
DIST="$ROOT/dist"
mkdir -p "$DIST"
install -m 755 "$ROOT/build/app/Varnholt" "$ROOT/build/app/VarnholtDxfReader" "$DIST/"

has_library=no
for entry in Hinges Lockcores DoorModel HingesKnife.xml; do
  if [ -e "$DIST/$entry" ]; then has_library=yes; fi
done
if [ "$has_library" = no ]; then
  echo "No library beside the program yet: laying out the sample library in $DIST"
  cp -R "$ROOT/samples/library/." "$DIST/"
fi

cd "$DIST"
exec ./Varnholt "$@"
