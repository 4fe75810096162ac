#!/usr/bin/env bash
# The desktop entry written beside the program and installed for a user:
# the files land where the freedesktop specifications look for them and name
# the program, its folder and its icon.
set -euo pipefail
tools=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dist="$scratch/dist with space"
mkdir -p "$dist"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tools/desktop_entry.sh" write "$dist"
entry="$dist/varnholt.desktop"
[ -f "$entry" ] || fail "no entry beside the program"
[ -f "$dist/varnholt.svg" ] || fail "no icon beside the program"
grep -qx 'Name=Tolvane数控门锁合页加工软件' "$entry" || fail "the entry lacks the Chinese name"
grep -qx "Exec=\"$dist/Varnholt\" %f" "$entry" || fail "Exec does not run the program in dist"
grep -qx "Path=$dist" "$entry" || fail "the program does not start in its folder"
grep -qx "Icon=$dist/varnholt.svg" "$entry" || fail "the icon beside the program is not named"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi

XDG_DATA_HOME="$scratch/data" "$tools/desktop_entry.sh" install "$dist" >/dev/null
installed="$scratch/data/applications/varnholt.desktop"
[ -f "$installed" ] || fail "the entry is not installed"
[ -f "$scratch/data/icons/hicolor/scalable/apps/varnholt.svg" ] || fail "the icon is not installed"
grep -qx 'Icon=varnholt' "$installed" || fail "the installed entry does not name the theme icon"
grep -qx "Exec=\"$dist/Varnholt\" %f" "$installed" || fail "the installed entry runs something else"
echo "desktop entry: ok"
