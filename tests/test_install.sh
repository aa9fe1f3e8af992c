#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts both programs from
# their launchers: they must find their data in the installed program folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# Nothing of the real user's: settings and temporary files stay in $work.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" TEMP="$work/tmp" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TEMP"

cd "$work"  # not the build folder: the data must come from the prefix
"$prefix/bin/velmora-pac" default room.pac
size=$(wc -c < room.pac)
[ "$size" -eq 214032 ] || { echo "default room is $size bytes"; exit 1; }
"$prefix/bin/velmora-pac" lint room.pac

if [ -x "$prefix/lib/velmora/velmora" ]; then
  # Started through a link to the launcher, as a desktop would.
  ln -s "$prefix/bin/velmora" "$work/velmora-link"
  out=$("$work/velmora-link" --startup-time 2>/dev/null)
  case "$out" in
    *"main window shown after"*) ;;
    *) echo "velmora did not start: $out"; exit 1 ;;
  esac
  grep -q '^LANG=en' "$XDG_CONFIG_HOME/Oskel/Quorvix.conf" || { echo "LANG was not written"; exit 1; }
  for f in share/applications/velmora.desktop share/mime/packages/velmora.xml \
           share/icons/hicolor/48x48/apps/velmora.png lib/velmora/ltexts/labels.en; do
    [ -f "$prefix/$f" ] || { echo "missing $f"; exit 1; }
  done
fi
