#!/bin/sh
# Runs a program inside Weston with XWayland, as a Wayland desktop session would: WAYLAND_DISPLAY
# and DISPLAY set, QT_QPA_PLATFORM not. Weston shows its screen in a window on a virtual X
# display (Xvfb), which gives it a real pointer and keyboard: test input made there with
# xdotool reaches Weston as a user's would. That display is handed on as PANTALLA_ANFITRIONA;
# it is larger than Weston's window so the pointer can leave and enter it.
# Exits with the program's status.
#   sesion_wayland.sh PROGRAM [ARGS...]
set -u
if [ -z "${PANTALLA_ANFITRIONA:-}" ]; then
  PANTALLA_ANFITRIONA=pendiente exec xvfb-run -a -s "-screen 0 1400x1100x24" "$0" "$@"
fi
dir=$(mktemp -d)
chmod 700 "$dir"
export XDG_RUNTIME_DIR="$dir"
weston --backend=x11-backend.so --xwayland --socket=wayland-sumadora \
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
env -u QT_QPA_PLATFORM PANTALLA_ANFITRIONA="$DISPLAY" WAYLAND_DISPLAY=wayland-sumadora \
  DISPLAY="$display" "$@"
estado=$?
kill "$weston"
wait "$weston" 2>/dev/null
rm -rf "$dir"
exit $estado
