#!/usr/bin/env bash
# Installs what is needed, builds, prepares the Wine prefix with the module
# installed, plugs a virtual camera and runs the console.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

"$OSTRIVAN_ROOT/scripts/install-deps.sh"
build_all
start_wineserver
# Windows need a display before the prefix's first program starts its
# desktop: the user's own, or an Xvfb of ours with a screenshot at the end.
headless=no
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  headless=yes
fi
prepare_prefix

log "plugging a test camera"
wine "$BIN_DIR/camtestbed.exe" clear
wine "$BIN_DIR/camtestbed.exe" add 'ROOT\IMAGE\RUN0001' "XC0730 Web Camera"
wine "$BIN_DIR/camtestbed.exe" list

log "the module is installed in $SYSWOW64"

log "demonstration: the camera menu button and a position-tip slider on the console's skin"
if [ "$headless" = no ]; then
  echo "Close the window (its x button) to end."
  wine "$BIN_DIR/demo.exe"
else
  screenshot="$BUILD_DIR/demo-screenshot.png"
  wine "$BIN_DIR/demo.exe" /show-menu 6 &
  demo_pid=$!
  sleep 4
  import -window root -crop 700x500+0+0 "$screenshot"
  wait "$demo_pid" || true
  echo "screenshot of the demonstration window (menu open): $screenshot"
fi
