#!/usr/bin/env bash
# Installs what is needed, builds, prepares the Wine prefix with the module
# installed, plugs a virtual camera and runs the console. With a display the
# console stays until you close it; without one it runs on Xvfb and a
# screenshot is saved.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

"$OSTRIVAN_ROOT/scripts/install-deps.sh"
detect_architectures
report_architectures
build_all
# The x86 module (the one for 32-bit hosts) where it runs, else the x64 one.
CONSOLE_ARCH=$(driver_arch)
log "the console of the $CONSOLE_ARCH module will be shown"
# Windows need a display before the prefix's first program starts its
# desktop: the user's own, or an Xvfb of ours with a screenshot at the end.
headless=no
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  start_xvfb
  headless=yes
fi
prepare_prefix
settle_prefix
start_wineserver

log "plugging a virtual camera"
plug_virtual_camera

if [ "$headless" = yes ]; then
  shot="$BUILD_ROOT/console.png"
  log "no display: running the console on Xvfb ($DISPLAY)"
  capture_console "$shot"
  log "screenshot of the $CONSOLE_ARCH console saved to $shot"
else
  log "running the console on $DISPLAY; close its window to end"
  wine "$(console_rundll32)" Ostrivan.dll,ksCVWConsoleRunDLL32EP
fi
