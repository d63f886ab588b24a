#!/usr/bin/env bash
# Builds and runs the benchmarks, each on a virtual camera that acts as a real
# one, and prints their one table: the header once, then every program's rows.
# Optional arguments: timed runs per measurement (default 9); runs of the
# idle cost, 60 s each (default 3).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
# The launch benchmark's minimal DLL lies beside the module, where rundll32
# finds both by name.
install -m 644 "$BIN_DIR/MinimalConsole.dll" "$SYSWOW64/"
log "running the benchmarks (display $DISPLAY)"
wine "$BIN_DIR/bench_header.exe"
wine "$BIN_DIR/camera_bench.exe" "$@"
wine "$BIN_DIR/launch_bench.exe" "$@"
wine "$BIN_DIR/module_size_bench.exe"
wine "$BIN_DIR/window_stall_bench.exe" "$@"
wine "$BIN_DIR/idle_bench.exe" "${2:-3}"
wine "$BIN_DIR/memory_bench.exe"
