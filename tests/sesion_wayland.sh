#!/bin/sh
# Runs a program inside a headless Weston with XWayland, as a Wayland desktop session would:
# WAYLAND_DISPLAY and DISPLAY set, QT_QPA_PLATFORM not. Exits with the program's status.
#   sesion_wayland.sh PROGRAM [ARGS...]
set -u
dir=$(mktemp -d)
chmod 700 "$dir"
export XDG_RUNTIME_DIR="$dir"
weston --backend=headless-backend.so --xwayland --socket=wayland-sumadora \
  --width=1280 --height=1024 --idle-time=0 --use-pixman --debug --log="$dir/weston.log" &
weston=$!
display=""
for _ in $(seq 100); do
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$dir/weston.log" 2>/dev/null)
  [ -n "$display" ] && break
  sleep 0.1
done
if [ -z "$display" ]; then
  echo "Weston did not start XWayland" >&2
  cat "$dir/weston.log" >&2
  kill "$weston"; rm -rf "$dir"; exit 1
fi
env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-sumadora DISPLAY="$display" "$@"
estado=$?
kill "$weston"
wait "$weston" 2>/dev/null
rm -rf "$dir"
exit $estado
