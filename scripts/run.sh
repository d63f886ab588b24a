#!/usr/bin/env bash
# Installs what is needed, builds, prepares the Wine prefix with the module
# installed, plugs a virtual camera and runs the console.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

"$OSTRIVAN_ROOT/scripts/install-deps.sh"
build_all
start_wineserver
prepare_prefix

log "plugging a test camera"
wine "$BIN_DIR/camtestbed.exe" clear
wine "$BIN_DIR/camtestbed.exe" add 'ROOT\IMAGE\RUN0001' "XC0730 Web Camera"
wine "$BIN_DIR/camtestbed.exe" list

log "the module is installed in $SYSWOW64"
echo "The console window does not exist yet: this build provides camera discovery,"
echo "the settings store and the resource library, which the tests exercise"
echo "(scripts/test.sh). Nothing else is run."
