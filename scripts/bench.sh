#!/usr/bin/env bash
# Builds and runs the benchmark of the console's camera work against the bare
# platform calls it needs, on one virtual camera that acts as a real one;
# prints the table. Optional argument: timed runs per measurement (default 9).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
log "running the benchmark (display $DISPLAY)"
wine "$BIN_DIR/camera_bench.exe" "$@"
wine "$BIN_DIR/window_stall_bench.exe" "$@"
