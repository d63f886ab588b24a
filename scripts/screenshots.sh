#!/usr/bin/env bash
# Takes the screenshots of the console kept in docs/: on a virtual camera, at
# 96 and at 120 pixels per inch, on an Xvfb display of its own.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
mkdir -p "$OSTRIVAN_ROOT/docs"

plug_virtual_camera
capture_console "$OSTRIVAN_ROOT/docs/console-96.png"
(
  export WINEPREFIX="$HIDPI_PREFIX"
  plug_virtual_camera
  capture_console "$OSTRIVAN_ROOT/docs/console-120.png"
  wineserver -k 2>/dev/null || true
)
log "saved docs/console-96.png and docs/console-120.png"
