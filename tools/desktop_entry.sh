#!/usr/bin/env bash
# The program's desktop entry (freedesktop.org): a .desktop file and an icon
# beside the program, and their installation for the current user so that the
# program appears in the desktop's menu under its Chinese name.
# Sourced by run.sh; tests call it as `desktop_entry.sh write|install DIST`.

DESKTOP_NAME=varnholt

# write_desktop_entry DIST SOURCE_ROOT: writes DIST/varnholt.desktop and
# DIST/varnholt.svg for the program DIST/Varnholt.
write_desktop_entry() {
  local dist source_root
  dist=$(cd "$1" && pwd)
  source_root=$2
  install -m 644 "$source_root/resources/varnholt.svg" "$dist/$DESKTOP_NAME.svg"
  cat > "$dist/$DESKTOP_NAME.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Tolvane数控门锁合页加工软件
GenericName=门板排钻模型库
Comment=合页、锁芯和门型模型库与刀具表
Exec="$dist/Varnholt" %f
Path=$dist
Icon=$dist/$DESKTOP_NAME.svg
Terminal=false
Categories=Science;Engineering;
StartupWMClass=Varnholt
ENTRY
}

# install_desktop_entry DIST: copies the entry and the icon written in DIST
# into the current user's application and icon folders.
install_desktop_entry() {
  local dist data applications icons
  dist=$(cd "$1" && pwd)
  data=${XDG_DATA_HOME:-$HOME/.local/share}
  applications="$data/applications"
  icons="$data/icons/hicolor/scalable/apps"
  mkdir -p "$applications" "$icons"
  install -m 644 "$dist/$DESKTOP_NAME.svg" "$icons/$DESKTOP_NAME.svg"
  # Installed, the icon is found by its name in the icon theme.
  sed "s|^Icon=.*|Icon=$DESKTOP_NAME|" "$dist/$DESKTOP_NAME.desktop" > "$applications/$DESKTOP_NAME.desktop"
  chmod 644 "$applications/$DESKTOP_NAME.desktop"
  if command -v update-desktop-database >/dev/null; then update-desktop-database -q "$applications" || true; fi
  echo "Desktop entry installed: $applications/$DESKTOP_NAME.desktop"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    write) write_desktop_entry "$2" "$(cd "$(dirname "$0")/.." && pwd)" ;;
    install) install_desktop_entry "$2" ;;
    *) echo "usage: $0 write|install DIST" >&2; exit 2 ;;
  esac
fi
