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

# The thumbnailer entry, run as a file manager runs it: %i the room, %o the
# PNG to write, %s the size; the words split as a shell would, the program
# found on the PATH.
entry="$prefix/share/thumbnailers/velmora.thumbnailer"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
grep -qx 'MimeType=application/x-velmora-room;' "$entry" || { echo "thumbnailer: wrong MimeType"; exit 1; }
exec_line=${exec_line//%i/"$work/room.pac"}
exec_line=${exec_line//%o/"$work/thumb.png"}
exec_line=${exec_line//%s/128}
read -r -a words <<<"$exec_line"
(cd / && env -i HOME="$HOME" PATH="$prefix/bin:/usr/bin:/bin" "${words[@]}")
# A PNG of 128x96: the signature, then the header's width and height.
[ "$(head -c 8 thumb.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "thumbnail is not a PNG"; exit 1; }
[ "$(od -An -tu1 -j 16 -N 8 thumb.png | tr -s ' ')" = " 0 0 0 128 0 0 0 96" ] || { echo "thumbnail is not 128x96"; exit 1; }

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
