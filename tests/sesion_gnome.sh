#!/bin/sh
# Runs a program inside GNOME's compositor, a headless mutter with XWayland, as a GNOME Wayland
# session would: mutter starts the program with WAYLAND_DISPLAY, DISPLAY and XAUTHORITY set,
# and QT_QPA_PLATFORM is not. Exits with the program's status.
#   sesion_gnome.sh PROGRAM [ARGS...]
set -u
dir=$(mktemp -d)
chmod 700 "$dir"
export XDG_RUNTIME_DIR="$dir"
unset DISPLAY QT_QPA_PLATFORM
dbus-run-session -- mutter --headless --wayland --virtual-monitor 1280x1024 \
  --wayland-display=wayland-sumadora -- sh -c '"$@"; echo $? > "$XDG_RUNTIME_DIR/estado"' sh "$@" \
  > "$dir/mutter.log" 2>&1
estado=$(cat "$dir/estado" 2>/dev/null || echo 1)
[ "$estado" -eq 0 ] || cat "$dir/mutter.log" >&2
rm -rf "$dir"
exit "$estado"
