#!/bin/sh
# Runs a command on a headless weston of its own, on a socket in a fresh runtime folder;
# the command's status is the script's.
set -u
export XDG_RUNTIME_DIR=$(mktemp -d) QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=tilnora-test
# Widgets draw into shared memory; the GL drivers, which Qt would load for nothing, stay out.
export QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none
trap 'kill $weston 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
weston --backend=headless-backend.so --socket=$WAYLAND_DISPLAY --idle-time=0 \
    >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston=$!
for i in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { cat "$XDG_RUNTIME_DIR/weston.log"; exit 1; }
"$@"
