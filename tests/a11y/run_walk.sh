#!/usr/bin/env bash
# Runs walk_strip.py under a display with a window manager and an AT-SPI
# bus of its own; skips (exit 77) where the tools are missing.
#   run_walk.sh QUINTARA STRIP.V7N "NAME0|NAME1|...|NAME15"
set -u
for tool in xvfb-run dbus-run-session xdotool twm /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || { echo "skipped: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: pyatspi is missing"; exit 77; }
here="$(cd "$(dirname "$0")" && pwd)"
state="$(mktemp -d)"
trap 'rm -rf "$state"' EXIT
export XDG_RUNTIME_DIR="$state/run" XDG_CONFIG_HOME="$state/config" XDG_DATA_HOME="$state/data" \
  XDG_STATE_HOME="$state/state" QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0
mkdir -m 700 "$XDG_RUNTIME_DIR"
exec xvfb-run -a -s "-screen 0 800x600x24" dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 1
  twm >/dev/null 2>&1 & sleep 0.5
  /usr/bin/python3 "$0" "$@"' "$here/walk_strip.py" "$@"
